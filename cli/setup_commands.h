#pragma once
// The commands on one setup file: show and edit; the ones without options of
// their own are written into the command table directly.

#include <array>
#include <string_view>

#include "cli/command.h"

namespace qv::cli {

// What --copy-map takes: FROM:TO.
inline constexpr std::array<std::string_view, 2> kMapCopies{"0:1", "1:0"};

// The frequency plan and the checks of both maps, or with --json the plan
// document; exit 3 when a check of either map fails.
CommandRun DefineShow(CLI::App& command);
// The file loaded: one line per failed check of either map, exit 0.
int CheckLoaded(CommandContext& context);
// --set CONTROL=VALUE ... committed as a user would, then saved.
CommandRun DefineEdit(CLI::App& command);

}  // namespace qv::cli
