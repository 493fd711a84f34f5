#pragma once
// What `qv3380 solve` prints: the plan for the wanted frequencies.

#include <ostream>

#include "plan/solver.h"

namespace qv::cli {

void WriteSolveReport(std::ostream& out, const SolverRequest& request, const SolverResult& plan,
                      int map);
void WriteSolveJson(std::ostream& out, const SolverRequest& request, const SolverResult& plan,
                    int map);

}  // namespace qv::cli
