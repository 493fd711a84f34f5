#pragma once
// The plan as a versioned JSON document, for scripts: `qv3380 show --json`.
// docs/plan.schema.json describes it; a new field keeps the version, a change
// of meaning raises it.

#include "cli/json_output.h"
#include "plan/plan_evaluation.h"

namespace qv::cli {

inline constexpr const char* PLAN_SCHEMA = "qv3380.plan";
inline constexpr int PLAN_SCHEMA_VERSION = 1;

// Both maps with their frequencies and every check; the whole panel under "panel".
Json PlanDocument(const PlanEvaluation& plan, Json panel);

}  // namespace qv::cli
