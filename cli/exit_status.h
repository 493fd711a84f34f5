#pragma once
// What qv3380's exit status means: one table for every command, which --help prints.

#include <array>
#include <string>
#include <string_view>

#include "base/last_resort.h"

namespace qv::cli {

inline constexpr int EXIT_DONE = 0;
inline constexpr int EXIT_FILE_REFUSED = 1;  // not loaded, or not written
inline constexpr int EXIT_USAGE = 2;         // the command line, or a setting refused
inline constexpr int EXIT_CHECK_FAILED = 3;  // or a target out of reach
inline constexpr int EXIT_CHIP = 4;          // not reached, or a transfer refused
inline constexpr int EXIT_INEXACT = 5;       // every target met, not all exactly
inline constexpr int EXIT_DIFFERS = 6;       // verify: chip and file; diff: two files
inline constexpr int EXIT_INTERNAL = INTERNAL_ERROR_STATUS;  // a fault of qv3380's own

struct ExitStatusMeaning {
  int status;
  std::string_view meaning;
};

inline constexpr std::array<ExitStatusMeaning, 8> kExitStatuses{{
    {EXIT_DONE, "done"},
    {EXIT_FILE_REFUSED, "a file refused or not written"},
    {EXIT_USAGE, "usage error, or a setting refused"},
    {EXIT_CHECK_FAILED, "a check failed, or a target is out of reach"},
    {EXIT_CHIP, "the chip could not be reached or refused a transfer"},
    {EXIT_INEXACT, "every target met, not all exactly"},
    {EXIT_DIFFERS, "differs (verify: chip and file; diff: two files)"},
    {EXIT_INTERNAL, "internal error (a fault in qv3380 itself)"},
}};

// The worse of two planners' statuses, as a plan of both maps earns it: 3 (out
// of reach) over 5 (not met exactly) over 0.
constexpr int WorseStatus(int a, int b) {
  if (a == EXIT_CHECK_FAILED || b == EXIT_CHECK_FAILED) return EXIT_CHECK_FAILED;
  return a == EXIT_INEXACT || b == EXIT_INEXACT ? EXIT_INEXACT : EXIT_DONE;
}

// "Exit status:" and one line for each row of the table.
std::string ExitStatusHelp();

}  // namespace qv::cli
