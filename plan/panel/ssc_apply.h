#pragma once
// A spread-spectrum plan reaching the panel: one call, so the steps it takes
// are one change to whoever watches (undo wraps it whole).

#include <vector>

#include "plan/ssc_planner.h"

namespace qv {

// Commits the plan through the handlers as a user would, in the order the chip
// needs: Bleed & SDM on, the modulus before the word, then the steps. Returns
// false when a control refused its value.
bool ApplySscPlan(const SscPlan& plan);
// Every map's plan, as ApplySscPlan commits one; false when any was refused.
bool ApplySscPlans(const std::vector<SscPlan>& plans);

}  // namespace qv
