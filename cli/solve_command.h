#pragma once
// qv3380 solve: the best dividers for the wanted output frequencies, as
// Tools > Plan From Targets... finds them.

#include <array>
#include <optional>

#include "cli/command.h"
#include "plan/panel/solver_apply.h"
#include "plan/solver.h"

namespace qv::cli {

CommandRun DefineSolve(CLI::App& command);

// The solver asked for the panel's configuration, as `qv3380 solve` asks it;
// `map` nullopt: the one MARGIN selects.
MapSolution SolveOnPanel(const std::array<std::optional<double>, OUTPUT_COUNT>& targetsHz,
                         std::optional<int> map, double preferIntegerWithinPpm);
// What `qv3380 solve` exits with for a plan: 0 every target met exactly,
// 5 met but not all exactly, 3 one out of reach.
int SolveStatus(const SolverResult& plan);

}  // namespace qv::cli
