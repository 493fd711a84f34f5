#pragma once
// qv3380 ssc: the spread-spectrum settings for a wanted downspread and
// modulation frequency, as Tools > Spread Spectrum... finds them.

#include <optional>
#include <ostream>
#include <vector>

#include "cli/command.h"
#include "cli/json_output.h"
#include "plan/ssc_planner.h"

namespace qv::cli {

CommandRun DefineSsc(CLI::App& command);

// The planner asked for the panel's configuration; `map` nullopt: the one
// MARGIN selects.
SscPlan PlanSscOnPanel(const SscRequest& request, std::optional<int> map);
// What `qv3380 ssc` prints of the plans of one map or both, as text; and
// with --json one map's plan, for PlannerDocument(kSscDocument, ...).
void WriteSscReport(std::ostream& out, const std::vector<SscPlan>& plans);
Json SscJson(const SscPlan& plan);
// 0 depth and modulation frequency met exactly, 5 within the window, 3 not.
int SscStatus(const SscPlan& plan);

}  // namespace qv::cli
