#pragma once
// One --set CONTROL=VALUE committed on the main panel exactly as a user's entry.

#include <string>

#include "cli/cli_args.h"

namespace qv::cli {

// Empty when the control took the value and its callback ran; otherwise why not,
// naming the control. A value outside a control's range is refused rather than
// clamped, so a script never gets a value it did not ask for.
std::string CommitSetting(const ControlSetting& setting);

}  // namespace qv::cli
