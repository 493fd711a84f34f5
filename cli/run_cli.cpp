#include "cli/run_cli.h"

#include <chrono>
#include <thread>

#include "app/status_line.h"
#include "cli/cli_session.h"
#include "cli/command_line.h"

namespace qv::cli {
namespace {

bool Succeeded(int status) { return status == EXIT_DONE || status == EXIT_INEXACT; }

}  // namespace

void SleepSeconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

int RunCli(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
           const PauseFunction& pause) {
  CommandLine line;
  if (const std::optional<int> answered = line.Parse(args, out, err)) return *answered;
  const CommandSpec& command = line.Command();
  const CommonArguments& arguments = line.Arguments();

  CliSession session(err, pause);
  const bool online =
      command.chip == ChipLink::Online || (command.chip == ChipLink::OnRequest && arguments.online);
  const bool started =
      command.chip == ChipLink::ReadOnly ? session.StartReadingChip() : session.Start(online);
  if (!started) {
    err << "I2C communication failure\n";
    return EXIT_CHIP;
  }
  if (!command.input.empty() && !session.Open(arguments.input)) return EXIT_FILE_REFUSED;
  CommandContext context{session, arguments, out, err};
  const int status = line.Run(context);
  if (Succeeded(status) && session.FirstChipWriteFailure()) {
    if (session.PartialWholeSetWrite())
      err << WholeSetWriteText(*session.PartialWholeSetWrite()) << '\n';
    err << TransferFailureText(*session.FirstChipWriteFailure()) << '\n';
    return EXIT_CHIP;
  }
  if (Succeeded(status) && !out.flush()) {
    err << "qv3380: standard output could not be written\n";
    return EXIT_FILE_REFUSED;
  }
  return status;
}

}  // namespace qv::cli
