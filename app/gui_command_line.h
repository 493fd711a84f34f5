#pragma once
// qv3380_gui's own command line: --help and --version answer and end, as
// qv3380's do; what Qt takes (-platform NAME, -style NAME, ...) and the setup
// file to open are left to the program.

#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

namespace qv {

inline constexpr int GUI_USAGE_STATUS = 2;

struct GuiExitStatus {
  int status;
  std::string_view meaning;
};

// What qv3380_gui's exit status means, as --help and its man page list it.
inline constexpr std::array<GuiExitStatus, 5> kGuiExitStatuses{{
    {0, "the mode popup was closed, or --help or --version answered"},
    {1, "ended with File > Exit or the close box, or help or version not written"},
    {GUI_USAGE_STATUS, "usage error"},
    {70, "internal error (a fault in qv3380_gui itself)"},
    {255, "no display to show the windows on"},
}};
inline constexpr std::string_view kQtOptionsNote =
    "Qt's own options (-platform NAME, -style NAME, ...) are passed on to Qt.";

struct GuiCommandLine {
  // The arguments for the toolkit and the program: all but our own options.
  std::vector<std::string> remaining;
  // --write-screenshots DIR: the user guide's pictures into DIR, then end.
  std::string screenshotFolder;
  // --adapter SERIAL|PATH: the adapter to reach the chip through; empty: as the environment says.
  std::string adapter;
  // --trace FILE: the trace into FILE; empty: as the environment says.
  std::string tracePath;
};

// The parser of qv3380_gui's own options; a parse puts what it reads into
// `line` and `file` (the setup file to open).
std::unique_ptr<CLI::App> MakeGuiParser(GuiCommandLine* line, std::string* file);

// The exit status when the command line is answered (help, version) or
// refused; nothing when the program should run.
std::optional<int> ParseGuiCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                       std::ostream& err, GuiCommandLine* line);

}  // namespace qv
