#pragma once
// The commands on one setup file: show and edit; the ones without options of
// their own are written into the command table directly.

#include "cli/command.h"

namespace qv::cli {

// The frequency plan and the checks of both maps, or with --json the plan
// document; exit 3 when a check of either map fails.
CommandRun DefineShow(CLI::App& command);
// The file loaded: one line per failed check of either map, exit 0.
int CheckLoaded(CommandContext& context);
// --set CONTROL=VALUE ... committed as a user would, then saved.
CommandRun DefineEdit(CLI::App& command);

}  // namespace qv::cli
