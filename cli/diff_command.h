#pragma once
// qv3380 diff: two setup files compared field by field, with what each
// difference does to the output frequencies, as File > Compare With Setup
// File... shows it.

#include <ostream>
#include <string_view>

#include "cli/command.h"
#include "cli/json_output.h"
#include "plan/configuration_diff.h"

namespace qv::cli {

CommandRun DefineDiff(CLI::App& command);

// What `qv3380 diff` prints, with --json and without; `before` and `after`
// name the two sides.
Json DiffJson(const ConfigurationDiff& diff, std::string_view before, std::string_view after);
void WriteDiff(std::ostream& out, const ConfigurationDiff& diff, std::string_view before,
               std::string_view after);

}  // namespace qv::cli
