#pragma once
// qv3380: setup files checked, shown, edited, exported and applied to the chip
// by the same code the panel's menus run.

#include <ostream>
#include <span>
#include <string_view>

namespace qv::cli {

inline constexpr int EXIT_DONE = 0;
inline constexpr int EXIT_FILE_REFUSED = 1;  // not loaded, or not written
inline constexpr int EXIT_USAGE = 2;
inline constexpr int EXIT_CHECK_FAILED = 3;
inline constexpr int EXIT_CHIP = 4;

// args without the program name; results go to `out`, messages to `err`.
int RunCli(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace qv::cli
