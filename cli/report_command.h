#pragma once
// qv3380 report FILE -o OUT: the design report (.pdf, .html, .md) or the clock
// tree alone (.svg, .png), as File > Export Report... and the Clock Tree
// window write them.

#include "cli/command.h"

namespace qv::cli {

CommandRun DefineReport(CLI::App& command);

}  // namespace qv::cli
