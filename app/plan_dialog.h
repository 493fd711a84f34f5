#pragma once
// Tools > Plan From Targets...: the engineer types the output frequencies the
// board needs, the solver finds the dividers, Apply commits them to the panel.

#include <span>

#include "ui/callback_registry.h"

namespace qv {

// Forgets what was typed: the run's first opening shows the map's frequencies.
void ResetPlanDialog();

void OnPlanFromTargetsMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
int OnFindPlanClicked(int panel, int control, int event, void* callbackData, int eventData1,
                      int eventData2);
int OnApplyPlanClicked(int panel, int control, int event, void* callbackData, int eventData1,
                       int eventData2);
int OnPlanOkClicked(int panel, int control, int event, void* callbackData, int eventData1,
                    int eventData2);
int OnClosePlanClicked(int panel, int control, int event, void* callbackData, int eventData1,
                       int eventData2);
int OnPlanTargetEdited(int panel, int control, int event, void* callbackData, int eventData1,
                       int eventData2);
int PlanPanelCallback(int panel, int event, void* callbackData, int eventData1, int eventData2);

std::span<const CallbackBinding> PlanDialogCallbacks();

}  // namespace qv
