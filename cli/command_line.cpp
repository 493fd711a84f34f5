#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <string>

#include "app/option_words.h"
#include "base/trace.h"
#include "base/version_notice.h"
#include "cli/complaint.h"
#include "cli/exit_status.h"

namespace qv::cli {
namespace {

bool IsCommand(std::string_view name) {
  return std::ranges::any_of(Commands(), [name](const CommandSpec& c) { return c.name == name; });
}

int UsageError(std::ostream& err, const std::string& problem) {
  Trace(TRACE_REFUSED, "command line: %s", problem.c_str());
  err << "qv3380: " << problem << "\nTry 'qv3380 --help'.\n";
  return EXIT_USAGE;
}

// FILE, -o and --online, as the row asks for them.
void AddCommonParts(CLI::App& command, const CommandSpec& entry, CommonArguments& arguments) {
  if (!entry.input.empty()) {
    command.add_option("FILE", arguments.input, std::string(entry.input))
        ->required()
        ->type_name("");
  }
  if (!entry.output.empty()) {
    command
        .add_option("-o,--output", arguments.output,
                    std::string(entry.output) + "; - for standard output")
        ->type_name("PATH")
        ->required(entry.outputRequired);
  }
  CLI::Option* online = nullptr;
  if (entry.chip == ChipLink::OnRequest) {
    online =
        command.add_flag("--online", arguments.online, "work on the chip through the USB adapter");
  }
  if (entry.chip != ChipLink::Offline) {
    CLI::Option* adapter = command.add_option("--adapter", arguments.adapter, kAdapterOptionHelp)
                               ->type_name(kAdapterOptionType);
    if (online) adapter->needs(online);
  }
  if (!entry.forceNote.empty()) {
    command.add_flag("--force", arguments.force,
                     "hand the plan on although a check of either map fails");
  }
}

}  // namespace

CommandLine::CommandLine()
    : app_(std::make_unique<CLI::App>(
          "Check, show, edit and export QV3380 setup files and apply them to the chip,\n"
          "with the same code as the GUI's menus.",
          "qv3380")) {
  app_->set_help_flag("-h,--help", "print this help and exit");
  app_->set_version_flag("-V,--version", VersionNotice("qv3380"),
                         "print the version, copyright and licence, and exit");
  app_->require_subcommand(1);
  app_->add_option("--trace", tracePath_, kTraceOptionHelp)->type_name("FILE");
  app_->get_formatter()->label("SUBCOMMAND", "COMMAND");
  app_->get_formatter()->column_width(30);
  // Set before the commands are added, so each command's help carries them too.
  app_->footer(ExitStatusHelp() + "\n" + BugReportLine());
  for (const CommandSpec& entry : Commands()) {
    CLI::App* command = app_->add_subcommand(std::string(entry.name), std::string(entry.summary));
    command->group("Commands");
    // Left over, so they can be named in the order given (CLI11 lists them last first).
    command->allow_extras();
    AddCommonParts(*command, entry, arguments_);
    runs_.push_back(entry.define(*command));
    subcommands_.push_back(command);
  }
}

CommandLine::~CommandLine() = default;

std::optional<int> CommandLine::Parse(std::span<const std::string_view> args, std::ostream& out,
                                      std::ostream& err) {
  // Before a command only the program's own options are known; CLI11 would
  // only say that a command is missing.
  std::size_t at = 0;
  while (at < args.size() && (args[at] == "--trace" || args[at].starts_with("--trace="))) {
    at += args[at] == "--trace" ? 2 : 1;
  }
  if (at >= args.size()) return UsageError(err, "no command given");
  const std::string first(args[at]);
  if (!IsCommand(first) && !app_->get_option_no_throw(first)) {
    const char* what = first.starts_with('-') ? "unknown option: " : "unknown command: ";
    return UsageError(err, what + first);
  }
  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app_->parse(reversed);
  } catch (const CLI::ParseError& error) {
    const std::vector<CLI::App*> chosen = app_->get_subcommands();
    if (error.get_exit_code() != static_cast<int>(CLI::ExitCodes::Success)) {
      const std::string where = chosen.empty() ? "" : chosen[0]->get_name() + ": ";
      return UsageError(err,
                        where + ParseErrorInOurWords(error, chosen.empty() ? nullptr : chosen[0]));
    }
    if (dynamic_cast<const CLI::CallForVersion*>(&error)) {
      out << error.what() << '\n';
    } else {
      // Without a command, every command's options in one page.
      out << app_->help("", chosen.empty() ? CLI::AppFormatMode::All : CLI::AppFormatMode::Normal);
    }
    return StandardOutputWritten(out, err, kProgram) ? EXIT_DONE : EXIT_FILE_REFUSED;
  }
  chosen_ = static_cast<std::size_t>(
      std::ranges::find_if(subcommands_, [this](CLI::App* c) { return app_->got_subcommand(c); }) -
      subcommands_.begin());
  const std::string name(Command().name);
  if (subcommands_[chosen_]->remaining_size() > 0) {
    std::vector<std::string> extra = subcommands_[chosen_]->remaining();
    // The "--" that ended the options is kept among them.
    if (const auto mark = std::ranges::find(extra, "--"); mark != extra.end()) extra.erase(mark);
    std::string listed;
    for (const std::string& arg : extra) listed += " " + arg;
    return UsageError(err,
                      name + ": unexpected argument" + (extra.size() > 1 ? "s:" : ":") + listed);
  }
  const CLI::Option* json = subcommands_[chosen_]->get_option_no_throw("--json");
  if (arguments_.OutputIsStandardOutput() && json && json->count() > 0) {
    return UsageError(err, name + ": --json and -o - cannot both write to standard output");
  }
  return std::nullopt;
}

}  // namespace qv::cli
