#pragma once
// qv3380 export: the registers for firmware, as File > Export Registers... writes them.

#include "cli/command.h"

namespace qv::cli {

CommandRun DefineExport(CLI::App& command);

}  // namespace qv::cli
