#pragma once
// The plan on the panel: every recalculation evaluates the plan, shows its
// frequencies, has the panel look follow what is in use, and colours the map
// in use against the chip's limits.

#include <functional>

#include "plan/plan_evaluation.h"

namespace qv {

inline constexpr int VALIDATE_GOOD_COLOR = 0xFFFFFF;
inline constexpr int VALIDATE_WARNING_COLOR = 0xFFFF00;
inline constexpr int VALIDATE_BAD_COLOR = 0xFF0000;
inline constexpr int DISABLED_COLOR = 0xC8C8C8;

// The pins exist only on the panel: 0 low, 1 high.
int GetRefselPin();
int GetMarginPin();
int GetSscgPin();
int GetMaxBwPin();
int GetCrystalIndex();
double GetCrystalFrequency();
double GetExternalRefclkFrequency();
double GetPfdFrequency();

// The longest leading decimal number of a text (after white space), 0 if none.
double LeadingDecimalNumber(const char* text);

void RecalculateFrequencies();

// Told after every recalculation, with the plan the panel now shows.
using PlanListener = std::function<void(const PlanEvaluation&)>;
int AddPlanListener(PlanListener listener);
void RemovePlanListener(int id);

// A control already greyed as inactive counts as passed and keeps its grey.
int ValidateVcoFrequency(double frequency, int control);
int ValidateFeedbackDivider(int n, int control, int nMin, int nMax);
void ValidateOutputFrequency(double frequency, int channel, int control, int* cmosOk,
                             int* diffOk);

}  // namespace qv
