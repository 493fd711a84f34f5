#include "cli/run_cli.h"

#include <chrono>
#include <thread>

#include "app/status_line.h"
#include "cli/cli_args.h"
#include "cli/cli_session.h"
#include "cli/cli_version.h"
#include "cli/control_edit.h"
#include "cli/panel_report.h"
#include "cli/solve_report.h"
#include "plan/frequency_engine.h"
#include "plan/solver.h"
#include "plan/solver_apply.h"

namespace qv::cli {
namespace {

int Solve(const CliRequest& request, CliSession& session, std::ostream& out, std::ostream& err) {
  const int map = request.map.value_or(GetMarginPin() != 0 ? 1 : 0);
  const SolverRequest solverRequest = RequestFromPanel(request.targetsHz);
  const SolverResult plan = SolvePlan(solverRequest);
  if (!plan.ok) {
    err << "qv3380: " << plan.problem << '\n';
    return EXIT_CHECK_FAILED;
  }
  if (request.json) {
    WriteSolveJson(out, solverRequest, plan, map);
  } else {
    WriteSolveReport(out, solverRequest, plan, map);
  }
  if (!request.output.empty()) {
    if (!ApplySolverPlan(plan, map)) {
      err << "qv3380: the panel refused a value of the plan\n";
      return EXIT_FILE_REFUSED;
    }
    if (!session.SaveAs(request.output)) return EXIT_FILE_REFUSED;
  }
  if (!plan.AllReachable()) return EXIT_CHECK_FAILED;
  return plan.AllExact() ? EXIT_DONE : EXIT_INEXACT;
}

int Run(const CliRequest& request, CliSession& session, std::ostream& out, std::ostream& err) {
  if (request.command == Command::New) {
    return session.SaveAs(request.output) ? EXIT_DONE : EXIT_FILE_REFUSED;
  }
  if (!session.Open(request.input)) return EXIT_FILE_REFUSED;
  switch (request.command) {
    case Command::Show:
      if (request.json) {
        WritePanelJson(out);
      } else {
        WritePlanReport(out);
      }
      return AnyActiveCheckFailed() ? EXIT_CHECK_FAILED : EXIT_DONE;
    case Command::Edit:
      for (const ControlSetting& setting : request.settings) {
        const std::string refusal = CommitSetting(setting);
        if (!refusal.empty()) {
          err << "qv3380: " << refusal << '\n';
          return EXIT_USAGE;
        }
      }
      return session.SaveAs(request.output) ? EXIT_DONE : EXIT_FILE_REFUSED;
    case Command::ExportJson:
      return session.ExportJson(request.output) ? EXIT_DONE : EXIT_FILE_REFUSED;
    case Command::Solve:
      return Solve(request, session, out, err);
    default:  // check and apply: the load was all
      return EXIT_DONE;
  }
}

}  // namespace

void SleepSeconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

int RunCli(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
           const PauseFunction& pause) {
  const ParsedArguments parsed = ParseArguments(args);
  if (!parsed.request) {
    err << "qv3380: " << parsed.error << "\nTry 'qv3380 --help'.\n";
    return EXIT_USAGE;
  }
  const CliRequest& request = *parsed.request;
  if (request.command == Command::Help) {
    out << UsageText();
    return EXIT_DONE;
  }
  if (request.command == Command::Version) {
    out << "qv3380 " << kVersion << '\n';
    return EXIT_DONE;
  }

  CliSession session(err, pause);
  if (!session.Start(request.online)) {
    err << "I2C communication failure\n";
    return EXIT_CHIP;
  }
  const int status = Run(request, session, out, err);
  if (status == EXIT_DONE && session.FirstChipWriteFailure()) {
    err << TransferFailureText(*session.FirstChipWriteFailure()) << '\n';
    return EXIT_CHIP;
  }
  return status;
}

}  // namespace qv::cli
