#pragma once
// qv3380: setup files checked, shown, edited, exported and applied to the chip
// by the same code the panel's menus run.

#include <functional>
#include <ostream>
#include <span>
#include <string_view>

#include "cli/exit_status.h"

namespace qv::cli {

// What the program's pauses do: the chip needs real time to settle.
using PauseFunction = std::function<void(double seconds)>;
void SleepSeconds(double seconds);

// args without the program name; results go to `out`, messages to `err`.
// An exception nothing else caught ends the run as an internal error.
int RunCli(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
           const PauseFunction& pause);

// The last resort: "qv3380: internal error: WHAT" on `err` and in the trace;
// returns EXIT_INTERNAL.
int InternalError(std::ostream& err, std::string_view what);

}  // namespace qv::cli
