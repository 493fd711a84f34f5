#pragma once
// What `qv3380 show` and `check` print of the plan.

#include <ostream>

#include "cli/json_output.h"
#include "plan/plan_evaluation.h"

namespace qv::cli {

// The frequencies of both maps and every check of each, with the reason of
// every one that fails or warns.
void WritePlanReport(std::ostream& out, const PlanEvaluation& plan);

// One line per failed check of either map: "Map 1 (MARGIN high): VCO2 ...".
void WriteFailures(std::ostream& out, const PlanEvaluation& plan);

// Every control of the main panel with its value and the attributes the
// program sets, as one JSON object keyed by the control's constant.
Json PanelJson();

}  // namespace qv::cli
