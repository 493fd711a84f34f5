#pragma once
// The solver between the panel and a plan: what it is asked, and how its
// answer reaches the controls.

#include <array>
#include <optional>

#include "plan/solver.h"

namespace qv {

// The PFD, format codes and sync switches as the panel has them now.
SolverRequest RequestFromPanel(const std::array<std::optional<double>, OUTPUT_COUNT>& targets);

// Commits the plan's values to the map's controls as a user would, so online
// every change reaches the chip through the usual handlers. Returns false when
// a control refused its value.
bool ApplySolverPlan(const SolverResult& plan, int map);

}  // namespace qv
