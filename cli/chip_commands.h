#pragma once
// qv3380 read and qv3380 verify: the chip read back, never written.

#include "cli/command.h"

namespace qv::cli {

// The chip's registers into a setup file, with the pins and reference
// settings of --like FILE or those of a fresh start.
CommandRun DefineRead(CLI::App& command);
// The chip against a setup file: exit 0 when it holds the file's registers,
// 6 with one line per field that differs, 4 when it cannot be read.
CommandRun DefineVerify(CLI::App& command);

}  // namespace qv::cli
