#pragma once
// The solver between the panel and a plan: what it is asked, and how its
// answer reaches the controls.

#include <array>
#include <optional>
#include <vector>

#include "plan/solver.h"

namespace qv {

// The PFD, format codes, sync switches and the map's present settings as the
// plan evaluation reads them from the panel; every output without a target
// that carries a signal keeps its present frequency where a plan allows.
SolverRequest RequestFromPanel(const std::array<std::optional<double>, OUTPUT_COUNT>& targets,
                               int map);

// Commits the plan's values to the map's controls as a user would, so online
// every change reaches the chip through the usual handlers. Returns false when
// a control refused its value.
bool ApplySolverPlan(const SolverResult& plan, int map);

// The plan of one map.
struct MapSolution {
  int map = 0;
  SolverRequest request;
  SolverResult plan;
};
// The plan of `map`, its outputs without a target kept where they are.
MapSolution SolveMap(const std::array<std::optional<double>, OUTPUT_COUNT>& targets, int map,
                     double preferIntegerWithinPpm);
// Map 0, map 1 or BOTH_MAPS: each map asked for the same targets, with its own
// outputs without a target kept where they are.
std::vector<MapSolution> SolveForMaps(
    const std::array<std::optional<double>, OUTPUT_COUNT>& targets, int choice,
    double preferIntegerWithinPpm);
// Every map's plan, as ApplySolverPlan commits one.
bool ApplySolverPlans(const std::vector<MapSolution>& solutions);

}  // namespace qv
