#pragma once
// --map 0|1|both, as solve and ssc take it.

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace qv::cli {

// Stores 0, 1 or BOTH_MAPS; unset when the option is not given.
void AddMapOption(CLI::App& command, std::optional<int>& map, const std::string& description);

// The map asked for, else the one MARGIN selects.
int MapOrMargin(std::optional<int> map);

}  // namespace qv::cli
