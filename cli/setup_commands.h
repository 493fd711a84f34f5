#pragma once
// The commands on one setup file: show and edit; the ones without options of
// their own are written into the command table directly.

#include "cli/command.h"

namespace qv::cli {

// The frequency plan and the checks, or with --json the whole panel; exit 3 when a check fails.
CommandRun DefineShow(CLI::App& command);
// --set CONTROL=VALUE ... committed as a user would, then saved.
CommandRun DefineEdit(CLI::App& command);

}  // namespace qv::cli
