#pragma once
// qv3380 diff: two setup files compared field by field, with what each
// difference does to the output frequencies, as File > Compare With Setup
// File... shows it.

#include "cli/command.h"

namespace qv::cli {

CommandRun DefineDiff(CLI::App& command);

}  // namespace qv::cli
