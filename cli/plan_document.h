#pragma once
// The plan as a versioned JSON document, for scripts: `qv3380 show --json`
// (kPlanDocument, described by docs/plan.schema.json).

#include "cli/json_output.h"
#include "plan/plan_evaluation.h"

namespace qv::cli {

// Both maps with their frequencies and every check; the whole panel under "panel".
Json PlanDocument(const PlanEvaluation& plan, Json panel);

}  // namespace qv::cli
