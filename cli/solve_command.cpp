#include "cli/solve_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/complaint.h"
#include "cli/exit_status.h"
#include "cli/map_option.h"
#include "cli/solve_report.h"
#include "plan/panel/plan_inputs.h"
#include "plan/panel/solver_apply.h"
#include "plan/solver_report.h"

namespace qv::cli {
namespace {

struct SolveOptions {
  std::array<std::optional<double>, OUTPUT_COUNT> targetsHz;
  std::optional<int> map;
  double preferIntegerWithinPpm = 0.0;
  bool json = false;
};

// A positive frequency typed in MHz, read as the plan dialog reads its targets; in Hz.
std::optional<double> TargetHz(const std::string& text) {
  std::optional<double> hz;
  if (!ParseTargetMhz(text, &hz) || !hz || !(*hz > 0.0) || !std::isfinite(*hz)) {
    return std::nullopt;
  }
  return hz;
}

int Solve(const SolveOptions& options, CommandContext& context) {
  const std::vector<MapSolution> solutions =
      SolveForMaps(options.targetsHz, MapOrMargin(options.map), options.preferIntegerWithinPpm);
  for (const MapSolution& solution : solutions) {
    if (!solution.plan.ok) {
      context.err << Complaint(context.args.input, solution.plan.problem);
      return EXIT_CHECK_FAILED;
    }
  }
  if (options.json) {
    std::vector<Json> plans;
    plans.reserve(solutions.size());
    for (const MapSolution& solution : solutions) {
      plans.push_back(SolveJson(solution.request, solution.plan, solution.map));
    }
    WriteJson(context.report(), PlannerDocument(kSolveDocument, plans));
  } else {
    for (std::size_t i = 0; i < solutions.size(); ++i) {
      if (i > 0) context.report() << '\n';
      WriteSolveReport(context.report(), solutions[i].request, solutions[i].plan, solutions[i].map);
    }
  }
  if (!context.args.output.empty()) {
    if (!ApplySolverPlans(solutions)) {
      context.err << Complaint(context.args.input, "the panel refused a value of the plan");
      return EXIT_FILE_REFUSED;
    }
    if (const int saved = SaveSetup(context); saved != EXIT_DONE) return saved;
  }
  int status = EXIT_DONE;
  for (const MapSolution& solution : solutions) {
    status = WorseStatus(status, SolveStatus(solution.plan));
  }
  return status;
}

}  // namespace

MapSolution SolveOnPanel(const std::array<std::optional<double>, OUTPUT_COUNT>& targetsHz,
                         std::optional<int> map, double preferIntegerWithinPpm) {
  return SolveMap(targetsHz, MapOrMargin(map), preferIntegerWithinPpm);
}

int SolveStatus(const SolverResult& plan) {
  if (!plan.AllReachable()) return EXIT_CHECK_FAILED;
  return plan.AllExact() ? EXIT_DONE : EXIT_INEXACT;
}

CommandRun DefineSolve(CLI::App& command) {
  auto options = std::make_shared<SolveOptions>();
  const CLI::Validator frequency(
      [](std::string& text) {
        return TargetHz(text) ? std::string()
                              : "\"" + text + "\" is not a frequency in MHz above 0";
      },
      "");
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    command
        .add_option_function<std::string>(
            "--out" + std::to_string(k),
            [options, k](const std::string& text) { options->targetsHz[k] = TargetHz(text); },
            "the frequency wanted at OUT" + std::to_string(k))
        ->type_name("MHZ")
        ->check(frequency)
        ->group("Targets (at least one)");
  }
  AddMapOption(command, options->map,
               "the frequency map to fill, or both with the same\n"
               "targets (default: the one MARGIN selects)");
  command
      .add_option_function<std::string>(
          "--prefer-integer-within",
          [options](const std::string& text) {
            ParseTolerancePpm(text, &options->preferIntegerWithinPpm);
          },
          "an integer feedback divider that meets every target\n"
          "of its PLL within PPM beats a fractional one")
      ->type_name("PPM")
      ->check(CLI::Validator(
          [](std::string& text) {
            double ppm = 0.0;
            return ParseTolerancePpm(text, &ppm) ? std::string()
                                                 : "\"" + text + "\" is not a number of ppm";
          },
          ""));
  command.add_flag("--json", options->json, "the plan as JSON");
  command.callback([options] {
    if (std::ranges::none_of(options->targetsHz, [](const auto& hz) { return hz.has_value(); })) {
      throw CLI::RequiredError("one of --out0 .. --out3");
    }
  });
  return [options](CommandContext& context) { return Solve(*options, context); };
}

}  // namespace qv::cli
