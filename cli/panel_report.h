#pragma once
// What the main panel shows, for `qv3380 show`.

#include <ostream>

#include "cli/json_output.h"

namespace qv::cli {

// The frequency plan as the panel shows it and every check's verdict for the
// map MARGIN selects.
void WritePlanReport(std::ostream& out);

// Every control of the main panel with its value and the attributes the
// program sets, as one JSON object keyed by the control's constant.
Json PanelJson();

// True when a check that applies is red.
bool AnyActiveCheckFailed();

}  // namespace qv::cli
