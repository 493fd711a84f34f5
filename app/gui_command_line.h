#pragma once
// qv3380_gui's own command line: --help and --version answer and end, as
// qv3380's do; what Qt takes (-platform NAME, -style NAME, ...) and the setup
// file to open are left to the program.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace qv {

inline constexpr int GUI_USAGE_STATUS = 2;

struct GuiCommandLine {
  // The arguments for the toolkit and the program: all but our own options.
  std::vector<std::string> remaining;
  // --write-screenshots DIR: the user guide's pictures into DIR, then end.
  std::string screenshotFolder;
};

// The exit status when the command line is answered (help, version) or
// refused; nothing when the program should run.
std::optional<int> ParseGuiCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                       std::ostream& err, GuiCommandLine* line);

}  // namespace qv
