#pragma once
// qv3380 solve: the best dividers for the wanted output frequencies, as
// Tools > Plan From Targets... finds them.

#include "cli/command.h"

namespace qv::cli {

CommandRun DefineSolve(CLI::App& command);

}  // namespace qv::cli
