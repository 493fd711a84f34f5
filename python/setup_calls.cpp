#include "python/setup_calls.h"

#include <array>
#include <sstream>
#include <stdexcept>

#include "app/report_export.h"
#include "base/text_format.h"
#include "cli/diff_command.h"
#include "cli/json_output.h"
#include "cli/panel_report.h"
#include "cli/plan_document.h"
#include "cli/solve_command.h"
#include "cli/solve_report.h"
#include "cli/ssc_command.h"
#include "files/panel/register_export_file.h"
#include "files/panel/setup_file_loading.h"
#include "files/setup_file_reader.h"
#include "files/setup_text.h"
#include "model/program_state.h"
#include "plan/panel/plan_inputs.h"
#include "plan/panel/solver_apply.h"
#include "plan/panel/ssc_apply.h"
#include "ui/toolkit.h"

namespace qv::python {
namespace {

std::string JsonText(const cli::Json& document) {
  std::ostringstream out;
  cli::WriteJson(out, document);
  return out.str();
}

// A program holding the configuration, offline.
struct Holding {
  explicit Holding(const SetupState& setup) { workspace.Hold(setup); }
  Workspace workspace;
};

PlanEvaluation HeldPlan() { return EvaluatePlan(ReadPlanInputs()); }

}  // namespace

SetupState NewSetup() { return Workspace().Held(); }

SetupState LoadSetup(const std::string& path) {
  Workspace workspace;
  if (!workspace.Session().Open(path)) throw Refused(Refusal::File, workspace.Messages());
  return workspace.Held();
}

SetupState SetupFromText(const std::string& text) {
  const SetupFileReading reading = CheckSetupText(text);
  if (!reading.contents) {
    // As long as the message a load shows.
    std::array<char, SETUP_MESSAGE_CAPACITY> message{};
    FormatInto(message, "%s", reading.message.c_str());
    throw Refused(Refusal::File, message.data());
  }
  Workspace workspace;
  ApplySetupContents(*reading.contents);
  return workspace.Held();
}

SetupState ApplySettings(const SetupState& setup,
                         const std::vector<cli::ControlSetting>& settings) {
  Holding held(setup);
  for (const cli::ControlSetting& setting : settings) {
    if (std::string refusal = cli::CommitSetting(setting); !refusal.empty()) {
      throw Refused(Refusal::Setting, refusal);
    }
  }
  return held.workspace.Held();
}

std::variant<int, std::string> ControlValue(const SetupState& setup, const std::string& control) {
  const Holding held(setup);
  const ControlDef* def = cli::FindMainPanelControl(control);
  if (!def) throw Refused(Refusal::Setting, "unknown control: " + control);
  if (def->holdsNumber()) {
    int value = 0;
    GetCtrlVal(panelHandle, def->id, &value);
    return value;
  }
  if (!def->holdsText()) throw Refused(Refusal::Setting, control + " holds no value");
  std::string text;
  GetCtrlVal(panelHandle, def->id, &text);
  return text;
}

std::string SetupText(const SetupState& setup) {
  Holding held(setup);
  return held.workspace.Session().SetupFileText();
}

SetupState SaveSetup(const SetupState& setup, const std::string& path) {
  Holding held(setup);
  if (!held.workspace.Session().SaveAs(path)) {
    throw Refused(Refusal::File, held.workspace.Messages());
  }
  return held.workspace.Held();
}

std::string JsonDefinition(const SetupState& setup) {
  Holding held(setup);
  return held.workspace.Session().JsonDefinitionText();
}

std::string PlanDocumentText(const SetupState& setup) {
  const Holding held(setup);
  return JsonText(cli::PlanDocument(HeldPlan(), cli::PanelJson()));
}

std::string PlanReportText(const SetupState& setup) {
  const Holding held(setup);
  std::ostringstream out;
  cli::WritePlanReport(out, HeldPlan());
  return out.str();
}

std::string FailuresText(const SetupState& setup) {
  const Holding held(setup);
  std::ostringstream out;
  cli::WriteFailures(out, HeldPlan());
  return out.str();
}

PlannerOutcome Solve(const SetupState& setup,
                     const std::array<std::optional<double>, OUTPUT_COUNT>& targetsHz,
                     std::optional<int> map, double preferIntegerWithinPpm) {
  const Holding held(setup);
  const MapSolution solve = cli::SolveOnPanel(targetsHz, map, preferIntegerWithinPpm);
  if (!solve.plan.ok) throw Refused(Refusal::Plan, solve.plan.problem);
  PlannerOutcome outcome;
  outcome.document = JsonText(cli::PlannerDocument(
      cli::kSolveDocument, {cli::SolveJson(solve.request, solve.plan, solve.map)}));
  std::ostringstream report;
  cli::WriteSolveReport(report, solve.request, solve.plan, solve.map);
  outcome.report = report.str();
  outcome.status = cli::SolveStatus(solve.plan);
  if (ApplySolverPlan(solve.plan, solve.map)) outcome.applied = held.workspace.Held();
  return outcome;
}

PlannerOutcome SpreadSpectrum(const SetupState& setup,
                              std::optional<std::pair<double, double>> downspreadAndFmodHz,
                              std::optional<int> map) {
  const Holding held(setup);
  const SscRequest request =
      downspreadAndFmodHz ? MakeSscRequest(downspreadAndFmodHz->first, downspreadAndFmodHz->second)
                          : PCI_EXPRESS_SSC;
  const SscPlan plan = cli::PlanSscOnPanel(request, map);
  if (!plan.ok) throw Refused(Refusal::Plan, plan.problem);
  PlannerOutcome outcome;
  outcome.document = JsonText(cli::PlannerDocument(cli::kSscDocument, {cli::SscJson(plan)}));
  std::ostringstream report;
  cli::WriteSscReport(report, {plan});
  outcome.report = report.str();
  outcome.status = cli::SscStatus(plan);
  if (ApplySscPlan(plan)) outcome.applied = held.workspace.Held();
  return outcome;
}

DiffOutcome Diff(const SetupState& before, const SetupState& after, const std::string& beforeName,
                 const std::string& afterName) {
  const ConfigurationDiff diff =
      CompareConfigurations(ConfigurationOf(before.contents), ConfigurationOf(after.contents));
  DiffOutcome outcome;
  outcome.document = JsonText(cli::DiffJson(diff, beforeName, afterName));
  std::ostringstream text;
  cli::WriteDiff(text, diff, beforeName, afterName);
  outcome.text = text.str();
  for (const FieldChange& change : diff.fields)
    outcome.fieldLines.push_back(FieldChangeLine(change));
  return outcome;
}

void RefuseFailingPlan(const SetupState& setup, bool force, const char* what) {
  if (force) return;
  const std::vector<std::string> failures = FailedChecks(setup.contents);
  if (failures.empty()) return;
  throw Refused(Refusal::Plan, FailedChecksText(failures) + "\n" + what +
                                   "(..., force=True) goes on all the same.");
}

std::string ExportText(const SetupState& setup, const std::string& format, bool force,
                       const ExportOptions& options) {
  std::string names;
  for (const ExportFormatFacts& facts : ExportFormats()) {
    if (EqualsIgnoringCase(facts.name, format)) {
      if (const std::string problem = ExportOptionsProblem(facts.format, options);
          !problem.empty()) {
        throw std::invalid_argument(problem);
      }
      RefuseFailingPlan(setup, force, "export");
      const Holding held(setup);
      return RegisterExportText(facts.format, options);
    }
    names += (names.empty() ? "" : ", ") + std::string(facts.name);
  }
  throw std::invalid_argument("format: \"" + format + "\" is not one of " + names);
}

std::string Report(const SetupState& setup, const std::string& path, const std::string& format,
                   std::optional<int> map, const std::string& source) {
  const std::optional<report::FileKind> kind =
      format.empty() ? report::FileKindOfPath(path) : report::FileKindNamed(format);
  if (!kind && !format.empty()) {
    throw std::invalid_argument("format: \"" + format + "\" is not one of " +
                                report::FILE_KIND_NAMES);
  }
  if (!kind) {
    throw std::invalid_argument(
        "the kind of file is unknown: give a path ending in .pdf, .html, .md, .svg or .png, "
        "or name it with format");
  }
  if (map && report::IsReport(*kind)) {
    throw std::invalid_argument("map: a report draws the map in use");
  }
  const Holding held(setup);
  std::string problem;
  if (path.empty()) {
    std::string bytes = CurrentReportFile(*kind, source, map.value_or(MAP_IN_USE), &problem);
    if (bytes.empty()) throw Refused(Refusal::File, problem);
    return bytes;
  }
  if (ExportReport(path, *kind, source, map.value_or(MAP_IN_USE), &problem) == 0) {
    throw Refused(Refusal::File, std::string(REPORT_EXPORT_ERROR) + "\n" + problem);
  }
  return "";
}

}  // namespace qv::python
