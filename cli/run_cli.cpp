#include "cli/run_cli.h"

#include <chrono>
#include <exception>
#include <memory>
#include <thread>

#include "app/option_words.h"
#include "base/last_resort.h"
#include "base/trace.h"
#include "bridge/adapter_choice.h"
#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "cli/complaint.h"
#include "files/register_export.h"
#include "files/setup_file_reader.h"

namespace qv::cli {
namespace {

bool Succeeded(int status) { return status == EXIT_DONE || status == EXIT_INEXACT; }

// A file the reader refuses, and a plan whose checks fail unless forced, go
// nowhere: decided from the file alone, before the program starts and
// anything (the connection check's look-ahead enable) reaches the chip.
std::optional<int> RefusedInput(const CommandSpec& command, const CommonArguments& arguments,
                                std::ostream& err) {
  if (command.input.empty()) return std::nullopt;
  const SetupFileReading reading = ReadSetupFile(arguments.input);
  if (!reading.contents) {
    err << Complaint(arguments.input, reading.message);
    return EXIT_FILE_REFUSED;
  }
  if (command.forceNote.empty() || arguments.force) return std::nullopt;
  const std::vector<std::string> failures = FailedChecks(*reading.contents);
  if (failures.empty()) return std::nullopt;
  Trace(TRACE_REFUSED, "%s %s: the plan fails %zu checks", std::string(command.name).c_str(),
        arguments.input.c_str(), failures.size());
  err << Complaint(arguments.input,
                   FailedChecksText(failures) + "\n" + std::string(command.forceNote));
  return EXIT_CHECK_FAILED;
}

int RunCommand(const CommandLine& line, std::ostream& out, std::ostream& err,
               const PauseFunction& pause) {
  const CommandSpec& command = line.Command();
  const CommonArguments& arguments = line.Arguments();

  const bridge::ScopedAdapterChoice adapter(arguments.adapter);
  if (const std::optional<int> refused = RefusedInput(command, arguments, err)) return *refused;
  CliSession session(err, pause);
  const bool online =
      command.chip == ChipLink::Online || (command.chip == ChipLink::OnRequest && arguments.online);
  const bool started =
      command.chip == ChipLink::ReadOnly ? session.StartReadingChip() : session.Start(online);
  if (!started) {
    err << session.StartFailureText();
    return EXIT_CHIP;
  }
  if (!command.input.empty() && !session.Open(arguments.input)) return EXIT_FILE_REFUSED;
  CommandContext context{session, arguments, out, err};
  const int status = line.Run(context);
  if (Succeeded(status) && session.FirstChipWriteFailure()) {
    err << session.ChipWriteFailureText();
    return EXIT_CHIP;
  }
  // Whatever was printed has to reach its reader: a full disk or a closed pipe fails the run.
  if (Succeeded(status) && !StandardOutputWritten(out, err, kProgram)) return EXIT_FILE_REFUSED;
  return status;
}

}  // namespace

void SleepSeconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

int InternalError(std::ostream& err, std::string_view what) {
  Trace(TRACE_ERROR, "internal error: %.*s", static_cast<int>(what.size()), what.data());
  err << "qv3380: internal error: " << what << '\n';
  return EXIT_INTERNAL;
}

int RunCli(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
           const PauseFunction& pause) {
  // Open until the last resort below has written its line.
  std::unique_ptr<TraceFile> trace;
  try {
    CommandLine line;
    if (const std::optional<int> answered = line.Parse(args, out, err)) return *answered;
    if (!line.TracePath().empty()) {
      trace = std::make_unique<TraceFile>(line.TracePath(), "qv3380");
      if (!trace->complaint().empty()) err << trace->complaint() << '\n';
    }
    if (TraceOn()) {
      std::string given;
      for (std::string_view arg : args) given.append(" ").append(arg);
      Trace(TRACE_PROGRAM, "command line:%s", given.c_str());
    }
    const int status = RunCommand(line, out, err, pause);
    Trace(TRACE_PROGRAM, "exit status %d", status);
    return status;
  } catch (...) {
    return InternalError(err, ExceptionText(std::current_exception()));
  }
}

}  // namespace qv::cli
