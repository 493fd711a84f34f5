#pragma once
// qv3380 ssc: the spread-spectrum settings for a wanted downspread and
// modulation frequency, as Tools > Spread Spectrum... finds them.

#include "cli/command.h"

namespace qv::cli {

CommandRun DefineSsc(CLI::App& command);

}  // namespace qv::cli
