#pragma once
// The plan on the panel: every recalculation evaluates the plan, shows its
// frequencies, has the panel look follow what is in use, and colours the map
// in use against the chip's limits.

#include <functional>

#include "base/listeners.h"
#include "plan/plan_evaluation.h"

namespace qv {

void RecalculateFrequencies();

// Told after every recalculation, with the plan the panel now shows.
using PlanListener = std::function<void(const PlanEvaluation&)>;
int AddPlanListener(PlanListener listener);
void RemovePlanListener(int id);
void ClearPlanListeners();

}  // namespace qv
