#pragma once
// qv3380: setup files checked, shown, edited, exported and applied to the chip
// by the same code the panel's menus run.

#include <functional>
#include <ostream>
#include <span>
#include <string_view>

namespace qv::cli {

inline constexpr int EXIT_DONE = 0;
inline constexpr int EXIT_FILE_REFUSED = 1;  // not loaded, or not written
inline constexpr int EXIT_USAGE = 2;
inline constexpr int EXIT_CHECK_FAILED = 3;
inline constexpr int EXIT_CHIP = 4;
inline constexpr int EXIT_INEXACT = 5;  // solve: every target met, not all exactly

// What the program's pauses do: the chip needs real time to settle.
using PauseFunction = std::function<void(double seconds)>;
void SleepSeconds(double seconds);

// args without the program name; results go to `out`, messages to `err`.
int RunCli(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
           const PauseFunction& pause);

}  // namespace qv::cli
