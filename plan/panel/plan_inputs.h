#pragma once
// What the plan is computed from, as the program holds it: the pins and the
// reference settings on the panel, the value variables and the register
// variables. The one place that reads PlanInputs from the program-wide state.

#include "plan/plan_evaluation.h"

namespace qv {

// The pins exist only on the panel: 0 low, 1 high.
int GetRefselPin();
int GetMarginPin();
int GetSscgPin();
int GetMaxBwPin();
int GetCrystalIndex();
double GetCrystalFrequency();
// The REFCLK box's leading decimal number of MHz, in Hz; 0 without one.
double GetExternalRefclkFrequency();
double GetPfdFrequency();

// The panel's pins and reference settings, the value variables and the power,
// modulator, format and sync bits of the registers.
PlanInputs ReadPlanInputs();

// The panel's REFCLK box takes nothing but a REFCLK (ParseRefclkMhz).
void InstallRefclkTextRule();

}  // namespace qv
