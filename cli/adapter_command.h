#pragma once
// qv3380 adapters: the USB adapters present, to choose one with --adapter or
// QV3380_ADAPTER.

#include "bridge/adapter_list.h"
#include "cli/command.h"
#include "cli/json_output.h"

namespace qv::cli {

CommandRun DefineAdapters(CLI::App& command);

// The adapters document (kAdaptersDocument): under "adapters" one entry per
// adapter, path, serial, product, may_open and, when it may not be opened, why_not.
Json AdaptersJson(const std::vector<bridge::AdapterFacts>& adapters);
// A table with a heading, or a line saying that none is present.
std::string AdaptersText(const std::vector<bridge::AdapterFacts>& adapters);

}  // namespace qv::cli
