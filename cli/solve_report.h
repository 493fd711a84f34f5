#pragma once
// What `qv3380 solve` prints: the plan for the wanted frequencies.

#include <ostream>

#include "cli/json_output.h"
#include "plan/solver.h"

namespace qv::cli {

void WriteSolveReport(std::ostream& out, const SolverRequest& request, const SolverResult& plan,
                      int map);
// One map's plan, for PlannerDocument(kSolveDocument, ...).
Json SolveJson(const SolverRequest& request, const SolverResult& plan, int map);

}  // namespace qv::cli
