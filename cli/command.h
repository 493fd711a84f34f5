#pragma once
// One qv3380 command as a row of the command table: what it reads and writes,
// whether it talks to the chip, and its own options and run. The parser declares
// the common parts (FILE, -o, --online) from the row, so a command adds only
// what is its own.

#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "cli/cli_session.h"

namespace CLI {
class App;
}

namespace qv::cli {

// The -o value that sends the file to standard output.
inline constexpr std::string_view kStandardOutput = "-";

// The arguments several commands take, declared from their rows.
struct CommonArguments {
  std::string input;   // FILE
  std::string output;  // -o PATH
  bool online = false;
  std::string adapter;  // --adapter SERIAL|PATH; empty: QV3380_ADAPTER or the first
  bool force = false;   // --force: hand on a plan whose checks fail
  bool OutputIsStandardOutput() const { return output == kStandardOutput; }
};

// What a command's run has at hand: the session started as its row asks, with
// FILE, when the command reads one, opened through File > Open Setup...
struct CommandContext {
  CliSession& session;
  const CommonArguments& args;
  std::ostream& out;
  std::ostream& err;
  // Where a command prints what it reports: standard output, unless its file goes there.
  std::ostream& report() const { return args.OutputIsStandardOutput() ? err : out; }
};

using CommandRun = std::function<int(CommandContext&)>;

// OnRequest: online with --online. ReadOnly: the chip is only read, so the
// program runs offline (nothing can be written) once the chip has answered
// the connection check's read.
enum class ChipLink { Offline, Online, OnRequest, ReadOnly };

struct CommandSpec {
  std::string_view name;
  std::string_view summary;  // its line in --help
  std::string_view input;    // what FILE is; empty: the command reads no file
  std::string_view output;   // what -o writes; empty: the command writes no file
  bool outputRequired;
  ChipLink chip;
  // Adds the command's own options to its subcommand and returns its run, which
  // reads them once the command line is parsed.
  CommandRun (*define)(CLI::App& command);
  // Set for a command that hands FILE's plan on (to firmware, to the chip):
  // while a check of either map fails it is refused with status 3 before
  // anything is written, and this says what --force does instead.
  std::string_view forceNote{};
};

// Every command, in the order --help lists them.
std::span<const CommandSpec> Commands();

// File > Save Setup As... to the -o path, or the same text on standard output.
int SaveSetup(CommandContext& context);
// File > Export JSON... likewise.
int ExportJson(CommandContext& context);

}  // namespace qv::cli
