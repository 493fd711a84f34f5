#include "cli/ssc_command.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/complaint.h"
#include "cli/exit_status.h"
#include "cli/json_output.h"
#include "cli/map_option.h"
#include "plan/panel/plan_inputs.h"
#include "plan/panel/ssc_apply.h"
#include "plan/ssc_planner.h"
#include "plan/ssc_report.h"

namespace qv::cli {
namespace {

struct SscOptions {
  std::string downspread;
  std::string fmodKhz;
  bool pciExpress = false;
  std::optional<int> map;
  bool json = false;
};

// The map and what it reaches.
std::string FiguresText(const SscPlan& plan) {
  std::string text = MapTitle(plan.map) + "\n";
  text += "Downspread " + FormatDepth(plan.Figures().downspreadPercent) + "  asked " +
          FormatDepth(plan.request.downspreadPercent) + "  error " + FormatDepthError(plan) + "\n";
  text += "Fmod       " + FormatFmod(plan.Figures().modulationHz) + "  asked " +
          FormatFmod(plan.request.fmodHz) + "  error " + FormatFmodError(plan) + "\n";
  return text;
}

}  // namespace

void WriteSscReport(std::ostream& out, const std::vector<SscPlan>& plans) {
  std::string text;
  for (const SscPlan& plan : plans) text += FiguresText(plan);
  text += FormatSscWindow(plans.front().request.window) + "\n";
  text += FormatSscSettings(plans) + "\n";
  text += FormatSscVerdict(plans) + "\n";
  for (const std::string& note : SscNotes(plans)) text += note + "\n";
  out << text;
}

Json SscJson(const SscPlan& plan) {
  const SscFigures& figures = plan.Figures();
  const SscWindow& window = plan.request.window;
  Json document;
  document["map"] = plan.map;
  document["pfd_hz"] = plan.after.pfdHz;
  document["asked"] = {{"downspread_percent", plan.request.downspreadPercent},
                       {"fmod_hz", plan.request.fmodHz}};
  document["window"] = {{"deepest_percent", window.deepestPercent},
                        {"shallowest_percent", window.shallowestPercent},
                        {"fmod_low_hz", window.fmodLowHz},
                        {"fmod_high_hz", window.fmodHighHz}};
  document["settings"] = {{"fracstep", plan.settings.fracstep},
                          {"numstep", plan.settings.numstep},
                          {"ckdiv", plan.settings.ckdiv}};
  document["pll2"] = {{"n", plan.settings.pll2N},
                      {"frac", plan.settings.frac},
                      {"mod", plan.settings.mod},
                      {"changed", plan.feedbackChanged},
                      {"vco_hz", plan.after.maps[plan.map].vco[FractionalPll()]}};
  document["achieved"] = {{"downspread_percent", figures.downspreadPercent},
                          {"fmod_hz", figures.modulationHz},
                          {"span", figures.span},
                          {"minimum_span", figures.minimumSpan}};
  document["error"] = {{"downspread_percent", plan.depthErrorPercent},
                       {"fmod_hz", plan.fmodErrorHz}};
  document["within_window"] = plan.withinWindow;
  document["exact"] = plan.exact;
  const std::string off = plan.after.maps[plan.map].SscOffReason();
  if (!off.empty()) document["off_because"] = off;
  Json notes = Json::array();
  for (const std::string& note : SscNotes(plan)) notes.push_back(note);
  document["notes"] = notes;
  return document;
}

SscPlan PlanSscOnPanel(const SscRequest& request, std::optional<int> map) {
  return PlanSpreadSpectrum(ReadPlanInputs(), MapOrMargin(map), request);
}

int SscStatus(const SscPlan& plan) {
  if (plan.exact) return EXIT_DONE;
  return plan.withinWindow ? EXIT_INEXACT : EXIT_CHECK_FAILED;
}

namespace {

int PlanSsc(const SscOptions& options, CommandContext& context) {
  SscRequest request = PCI_EXPRESS_SSC;
  std::string problem;
  if (!options.pciExpress &&
      !ParseSscRequest(options.downspread, options.fmodKhz, &request, &problem)) {
    context.err << "qv3380: " << problem << '\n';
    return EXIT_USAGE;
  }
  const std::vector<SscPlan> plans =
      PlanSpreadSpectrumMaps(ReadPlanInputs(), MapOrMargin(options.map), request);
  if (!plans.front().ok) {
    context.err << Complaint(context.args.input, plans.front().problem);
    return EXIT_CHECK_FAILED;
  }
  if (options.json) {
    std::vector<Json> documents;
    documents.reserve(plans.size());
    for (const SscPlan& plan : plans) documents.push_back(SscJson(plan));
    WriteJson(context.report(), PlannerDocument(kSscDocument, documents));
  } else {
    WriteSscReport(context.report(), plans);
  }
  if (!context.args.output.empty()) {
    if (!ApplySscPlans(plans)) {
      context.err << Complaint(context.args.input, "the panel refused a value of the plan");
      return EXIT_FILE_REFUSED;
    }
    if (const int saved = SaveSetup(context); saved != EXIT_DONE) return saved;
  }
  int status = EXIT_DONE;
  for (const SscPlan& plan : plans) status = WorseStatus(status, SscStatus(plan));
  return status;
}

}  // namespace

CommandRun DefineSsc(CLI::App& command) {
  auto options = std::make_shared<SscOptions>();
  // Refused while the command line is read, in the words the dialog uses.
  auto* downspread =
      command
          .add_option("--downspread", options->downspread, "the downspread wanted, below 0: -0.5")
          ->type_name("PERCENT")
          ->check(CLI::Validator(DownspreadProblem, ""));
  auto* fmod = command.add_option("--fmod", options->fmodKhz, "the modulation frequency wanted")
                   ->type_name("KHZ")
                   ->check(CLI::Validator(FmodProblem, ""));
  command
      .add_flag("--pcie", options->pciExpress,
                "PCI Express: -0.5 % at 31.5 kHz, window 0 to -0.5 %\nand 30 to 33 kHz")
      ->excludes(downspread)
      ->excludes(fmod);
  AddMapOption(command, options->map,
               "the frequency map to plan for, or both with the\n"
               "same steps (default: the one MARGIN selects)");
  command.add_flag("--json", options->json, "the plan as JSON");
  command.callback([options, downspread, fmod] {
    if (!options->pciExpress && (downspread->count() == 0 || fmod->count() == 0)) {
      throw CLI::RequiredError("--downspread and --fmod, or --pcie,");
    }
  });
  return [options](CommandContext& context) { return PlanSsc(*options, context); };
}

}  // namespace qv::cli
