#pragma once
// Which parts of the chip are in use, shown on the panel: the pin groups in
// their colours (faded when not selected), every control of an unused or
// unpowered path greyed. The greying is what the validators skip.

#include <initializer_list>

#include "plan/plan_colors.h"
#include "plan/plan_evaluation.h"

namespace qv {

// Evaluates the plan itself; the recalculation passes the plan it just made.
void UpdatePanelDimming();
void UpdatePanelDimming(const PlanEvaluation& plan);
void SetControlActiveLook(int active, int control);
void SetControlsActiveLook(int active, std::initializer_list<int> controls);

}  // namespace qv
