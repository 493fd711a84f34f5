#include "cli/cli_args.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "plan/solver_report.h"

namespace qv::cli {
namespace {

// What each command takes.
struct CommandForm {
  std::string_view name;
  Command command;
  bool takesInput;
  bool needsOutput;
  bool takesOutput;
  bool takesSettings;
  bool takesJson;
  bool takesOnline;
};

constexpr std::array<CommandForm, 7> kCommands{{
    {"check", Command::Check, true, false, false, false, false, false},
    {"show", Command::Show, true, false, false, false, true, false},
    {"edit", Command::Edit, true, true, true, true, false, true},
    {"export-json", Command::ExportJson, true, true, true, false, false, false},
    {"new", Command::New, false, true, true, false, false, false},
    {"apply", Command::Apply, true, false, false, false, false, false},
    {"solve", Command::Solve, true, false, true, false, true, false},
}};

// "--out2" names output 2; -1 for anything else.
int TargetOption(std::string_view arg) {
  if (arg.size() != 6 || !arg.starts_with("--out") || arg[5] < '0' || arg[5] > '3') return -1;
  return arg[5] - '0';
}

// A positive frequency typed in MHz, read as the plan dialog reads its targets; in Hz.
std::optional<double> ParseTargetHz(std::string_view text) {
  std::optional<double> hz;
  if (!ParseTargetMhz(std::string(text), &hz) || !hz || !(*hz > 0.0) || !std::isfinite(*hz)) {
    return std::nullopt;
  }
  return hz;
}

const CommandForm* FindCommand(std::string_view name) {
  for (const CommandForm& form : kCommands) {
    if (form.name == name) return &form;
  }
  return nullptr;
}

ParsedArguments Error(std::string text) { return {std::nullopt, std::move(text)}; }

ParsedArguments Only(Command command) {
  CliRequest request;
  request.command = command;
  return {std::move(request), {}};
}

}  // namespace

std::string_view UsageText() {
  return "Usage: qv3380 COMMAND [OPTIONS]\n"
         "\n"
         "Commands:\n"
         "  check FILE.stp                 load the setup file; exit 1 with the reason\n"
         "                                 if it is refused\n"
         "  show FILE.stp [--json]         print the frequency plan and the checks (--json: every\n"
         "                                 control of the panel); exit 3 when a check fails\n"
         "  edit FILE.stp --set CONTROL=VALUE ... -o OUT.stp [--online]\n"
         "                                 change controls as a user would, then save\n"
         "  export-json FILE.stp -o OUT.json\n"
         "                                 write the JSON definition of the setup file\n"
         "  new -o FILE.stp                the setup file of a fresh start\n"
         "  apply FILE.stp                 write the setup file to the chip\n"
         "  solve FILE.stp --out0 MHZ [--out1 MHZ] [--out2 MHZ] [--out3 MHZ] [--map 0|1]\n"
         "                 [-o OUT.stp] [--json]\n"
         "                                 find the best dividers for the wanted output\n"
         "                                 frequencies (map: the one MARGIN selects); with -o\n"
         "                                 save the file with the plan applied\n"
         "\n"
         "Options:\n"
         "  -o, --output PATH              where edit, export-json, new and solve write\n"
         "  --set CONTROL=VALUE            a control of the main panel by its constant (PLL1_N,\n"
         "                                 OUT0D_M, REFFREQ, MARGIN, CH2POWER, ...); rings also\n"
         "                                 take their item text (MARGIN=High)\n"
         "  --online                       run edit against the chip through the USB adapter\n"
         "  --json                         show the whole panel state as JSON\n"
         "  -h, --help                     this text\n"
         "  --version                      the program version\n"
         "\n"
         "Exit status: 0 done, 1 file refused or not written, 2 usage or setting error,\n"
         "3 a check failed (show) or a target is out of reach (solve), 4 the chip could not\n"
         "be reached or did not take a write, 5 every target met but not all exactly (solve).\n";
}

ParsedArguments ParseArguments(std::span<const std::string_view> args) {
  if (args.empty()) return Error("no command given");
  if (args[0] == "--help" || args[0] == "-h") return Only(Command::Help);
  if (args[0] == "--version") return Only(Command::Version);
  const CommandForm* form = FindCommand(args[0]);
  if (!form) return Error("unknown command: " + std::string(args[0]));

  CliRequest request;
  request.command = form->command;
  request.online = form->command == Command::Apply;
  bool haveInput = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "-o" || arg == "--output") {
      if (!hasValue) return Error(std::string(arg) + " needs a path");
      if (!form->takesOutput) {
        return Error(std::string(form->name) + " takes no " + std::string(arg));
      }
      request.output = args[++i];
    } else if (arg == "--set") {
      if (!hasValue) return Error("--set needs CONTROL=VALUE");
      if (!form->takesSettings) return Error(std::string(form->name) + " takes no --set");
      const std::string_view setting = args[++i];
      const std::size_t equals = setting.find('=');
      if (equals == std::string_view::npos || equals == 0) {
        return Error("--set " + std::string(setting) + ": expected CONTROL=VALUE");
      }
      request.settings.push_back(
          {std::string(setting.substr(0, equals)), std::string(setting.substr(equals + 1))});
    } else if (form->command == Command::Solve && TargetOption(arg) >= 0) {
      if (!hasValue) return Error(std::string(arg) + " needs a frequency in MHz");
      const std::optional<double> hz = ParseTargetHz(args[++i]);
      if (!hz) {
        return Error(std::string(arg) + " " + std::string(args[i]) + ": expected a frequency in MHz");
      }
      request.targetsHz[TargetOption(arg)] = hz;
    } else if (form->command == Command::Solve && arg == "--map") {
      if (!hasValue || (args[i + 1] != "0" && args[i + 1] != "1")) return Error("--map takes 0 or 1");
      request.map = args[++i] == "1" ? 1 : 0;
    } else if (arg == "--json" && form->takesJson) {
      request.json = true;
    } else if (arg == "--online" && form->takesOnline) {
      request.online = true;
    } else if (arg.starts_with("-") && arg != "-") {
      return Error("unknown option for " + std::string(form->name) + ": " + std::string(arg));
    } else if (form->takesInput && !haveInput) {
      request.input = arg;
      haveInput = true;
    } else {
      return Error("unexpected argument: " + std::string(arg));
    }
  }
  if (form->takesInput && !haveInput) return Error(std::string(form->name) + " needs a setup file");
  if (form->command == Command::Solve &&
      std::ranges::none_of(request.targetsHz, [](const auto& t) { return t.has_value(); })) {
    return Error("solve needs at least one of --out0 .. --out3");
  }
  if (form->needsOutput && request.output.empty()) {
    return Error(std::string(form->name) + " needs -o PATH");
  }
  return {std::move(request), {}};
}

}  // namespace qv::cli
