#include "cli/cli_args.h"

#include <array>

namespace qv::cli {
namespace {

// What each command takes.
struct CommandForm {
  std::string_view name;
  Command command;
  bool takesInput;
  bool needsOutput;
  bool takesSettings;
  bool takesJson;
  bool takesOnline;
};

constexpr std::array<CommandForm, 6> kCommands{{
    {"check", Command::Check, true, false, false, false, false},
    {"show", Command::Show, true, false, false, true, false},
    {"edit", Command::Edit, true, true, true, false, true},
    {"export-json", Command::ExportJson, true, true, false, false, false},
    {"new", Command::New, false, true, false, false, false},
    {"apply", Command::Apply, true, false, false, false, false},
}};

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
         "\n"
         "Options:\n"
         "  -o, --output PATH              where edit, export-json and new write\n"
         "  --set CONTROL=VALUE            a control of the main panel by its constant (PLL1_N,\n"
         "                                 OUT0D_M, REFFREQ, MARGIN, CH2POWER, ...); rings also\n"
         "                                 take their item text (MARGIN=High)\n"
         "  --online                       run edit against the chip through the USB adapter\n"
         "  --json                         show the whole panel state as JSON\n"
         "  -h, --help                     this text\n"
         "  --version                      the program version\n"
         "\n"
         "Exit status: 0 done, 1 file refused or not written, 2 usage or setting error,\n"
         "3 a check failed (show), 4 the chip could not be reached or did not take a write.\n";
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
      if (!form->needsOutput) {
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
  if (form->needsOutput && request.output.empty()) {
    return Error(std::string(form->name) + " needs -o PATH");
  }
  return {std::move(request), {}};
}

}  // namespace qv::cli
