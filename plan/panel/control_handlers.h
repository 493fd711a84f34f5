#pragma once
// The callbacks that turn a committed control value into register fields,
// send the changed registers and recompute the plan.

#include <span>

#include "ui/callback_registry.h"

namespace qv {

// Divider and reference controls of both maps (one implementation, driven by
// the field table): SetPll1N, SetOut0V_M, SetPll2Frac, SetRefDiv, ...
int OnRegisterFieldCommitted(int panel, int control, int event, void* callbackData, int eventData1,
                             int eventData2);
// Power, bleed/SDM and sync switches: PLL1_Power, CH0_power, PLL1_Sync, ...
int OnSwitchCommitted(int panel, int control, int event, void* callbackData, int eventData1,
                      int eventData2);
int SetAnySscgRegister(int panel, int control, int event, void* callbackData, int eventData1,
                       int eventData2);
void WriteSscgRegisters();
// Controls that only change what the plan is computed from.
int SetCrystalFreq(int panel, int control, int event, void* callbackData, int eventData1,
                   int eventData2);
int SetRefFreq(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);
int OnAnyPinChanged(int panel, int control, int event, void* callbackData, int eventData1,
                    int eventData2);

// Every callback of this layer under the names the panel definitions use.
std::span<const CallbackBinding> PlanCallbacks();

}  // namespace qv
