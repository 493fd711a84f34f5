// Writes the man pages of qv3380 and qv3380_gui and their bash, zsh and fish
// completions from the programs' own parsers, when they are built:
//   qv3380_docs DIR DATE   DIR/man/*.1, DIR/bash/*, DIR/zsh/_*, DIR/fish/*.fish

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "app/gui_command_line.h"
#include "base/trace.h"
#include "base/version.h"
#include "bridge/adapter_choice.h"
#include "cli/command_line.h"
#include "cli/control_edit.h"
#include "cli/exit_status.h"
#include "cli/manual_page.h"
#include "cli/setup_commands.h"
#include "cli/shell_completion.h"
#include "report/report_files.h"

namespace qv::cli {
namespace {

ValueHints Hints() {
  ValueHints hints;
  hints["CONTROL=VALUE"] = {ValueKind::Control, SettableControls()};
  hints["FROM:TO"] = {ValueKind::Choice, {kMapCopies.begin(), kMapCopies.end()}};
  ValueHint kinds{ValueKind::Choice, {}};
  for (std::string_view name : report::FileKindNames()) kinds.choices.emplace_back(name);
  hints["KIND"] = kinds;
  return hints;
}

// Both programs read both variables; only qv3380 has the options beside them.
std::vector<ManualEntry> Environment(bool withOptions) {
  return {
      {TRACE_VARIABLE,
       std::string("Append a line to this file for each chip transfer, file read or written, "
                   "and refusal") +
           (withOptions ? ", as --trace does (which wins over it)" : "") +
           ". A file that cannot be opened is said once on standard error and changes nothing "
           "else."},
      {bridge::ADAPTER_VARIABLE,
       std::string("The USB adapter to use, by serial number or hidraw path (/dev/hidrawN), "
                   "when several are plugged in; without it the first.") +
           (withOptions ? " --adapter wins over it." : "")},
  };
}

constexpr char kUdevRule[] = "/usr/lib/udev/rules.d/70-qv3380-adapter.rules";
constexpr char kUdevRuleText[] =
    "Lets the user logged in at the local seat open the adapter's hidraw node without root. "
    "Without it every transfer fails as if no adapter were present.";
constexpr char kUserGuide[] = "/usr/share/qv3380/manual/index.html";

ManualPageText Page(const std::string& date, std::string whatis) {
  ManualPageText text;
  text.date = date;
  text.version = kToolVersion;
  text.whatis = std::move(whatis);
  return text;
}

ManualPageText CommandLinePage(const std::string& date) {
  ManualPageText text =
      Page(date, "check, edit and export QV3380 setup files and program the chip");
  text.description = {
      "A setup file (.stp) holds the clock generator's 32 registers, its four input pins and "
      "the reference settings, as qv3380_gui saves it. Each command loads FILE as File > Open "
      "Setup... does, with the same messages when the file is refused, and acts on it as the "
      "GUI's menus do. Where -o takes a path, - writes the file to standard output.",
      "The commands that reach the chip (apply, read, verify, and edit --online) go through the "
      "USB HID I2C adapter; the others never touch it.",
  };
  text.environment = Environment(true);
  text.files = {{kUdevRule, kUdevRuleText}, {kUserGuide, "The user guide."}};
  text.examples = {
      {"qv3380 check board.stp", "Say why a setup file is refused, or which checks fail."},
      {"qv3380 edit board.stp --set PLL1_N=102 --set MARGIN=High -o rev-b.stp",
       "Change two controls as a user would and save the result."},
      {"qv3380 solve board.stp --out0 156.25 --out2 161.1328125 -o planned.stp",
       "Find the dividers for two output frequencies and save the plan."},
      {"qv3380 export planned.stp --format c -o qv3380_init.h",
       "Write the register sequence for firmware."},
      {"qv3380 apply planned.stp && qv3380 verify planned.stp",
       "Program the chip, then compare what it holds with the file."},
  };
  text.seeAlso = {"qv3380_gui(1)", "udev(7)"};
  return text;
}

ManualPageText GuiPage(const std::string& date) {
  ManualPageText text = Page(date, "configure the QV3380 clock generator on the desktop");
  text.description = {
      "The program first asks for a mode. Offline Mode enables the whole panel and sends "
      "nothing anywhere: it prepares setup files, JSON definitions, register exports and "
      "reports. Online Mode enables Check Connection; once the chip answers, every change is "
      "written to it over I2C through the USB HID adapter.",
      "Help > User Guide (F1) opens the user guide; qv3380(1) offers every feature on the "
      "command line.",
  };
  text.optionNotes = {std::string(kQtOptionsNote)};
  text.environment = Environment(false);
  text.files = {
      {"~/.config/qv3380/qv3380_gui.conf",
       "The settings kept between runs: the recent files, the last folder, each window's place "
       "and size, Classic Look."},
      {kUdevRule, kUdevRuleText},
      {kUserGuide, "The user guide."},
  };
  text.seeAlso = {"qv3380(1)"};
  return text;
}

bool Write(const std::filesystem::path& path, const std::string& text) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream file(path, std::ios::binary);
  file << text;
  file.close();
  if (file) return true;
  std::fprintf(stderr, "qv3380_docs: %s could not be written\n", path.c_str());
  return false;
}

bool WriteAll(const std::filesystem::path& folder, const ProgramReference& program,
              const ManualPageText& page) {
  const std::string& name = program.name;
  return Write(folder / "man" / (name + ".1"), ManualPage(program, page)) &&
         Write(folder / "bash" / name, BashCompletion(program)) &&
         Write(folder / "zsh" / ("_" + name), ZshCompletion(program)) &&
         Write(folder / "fish" / (name + ".fish"), FishCompletion(program));
}

}  // namespace
}  // namespace qv::cli

int main(int argc, char* argv[]) {
  using namespace qv::cli;
  if (argc != 3) {
    std::fprintf(stderr, "usage: qv3380_docs DIR DATE\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const std::string date = argv[2];
  const ValueHints hints = Hints();

  const CommandLine line;
  ProgramReference cli = ReadProgramReference(line.Parser(), hints);
  for (const ExitStatusMeaning& row : kExitStatuses) {
    cli.exitStatuses.push_back({row.status, std::string(row.meaning)});
  }

  qv::GuiCommandLine guiLine;
  std::string file;
  const std::unique_ptr<CLI::App> guiParser = qv::MakeGuiParser(&guiLine, &file);
  ProgramReference gui = ReadProgramReference(*guiParser, hints);
  for (const qv::GuiExitStatus& row : qv::kGuiExitStatuses) {
    gui.exitStatuses.push_back({row.status, std::string(row.meaning)});
  }

  return WriteAll(folder, cli, CommandLinePage(date)) && WriteAll(folder, gui, GuiPage(date)) ? 0
                                                                                              : 1;
}
