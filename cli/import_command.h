#pragma once
// qv3380 import: a register dump into a setup file, as File > Import Registers... reads it.

#include "cli/command.h"

namespace qv::cli {

// The dump's registers with the pins and reference settings of --like FILE or
// those of a fresh start, saved; what could not be placed is listed.
CommandRun DefineImport(CLI::App& command);

}  // namespace qv::cli
