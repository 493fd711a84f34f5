#pragma once
// What Python does with a configuration, each call on the code of the qv3380
// command that does the same: the same texts, documents and refusals. Each
// call takes the program for itself (python/workspace.h) and gives the
// configuration back as a new value; none changes the one it was given.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "chip/fields.h"
#include "cli/control_edit.h"
#include "files/register_export.h"
#include "python/workspace.h"

namespace qv::python {

// qv3380 new; a setup file as File > Open Setup... loads it; one in memory.
SetupState NewSetup();
SetupState LoadSetup(const std::string& path);
SetupState SetupFromText(const std::string& text);

// qv3380 edit --set, in the order given, in one program as one edit does.
SetupState ApplySettings(const SetupState& setup, const std::vector<cli::ControlSetting>& settings);
// What a control of the main panel holds: a number, or the text of a text box.
std::variant<int, std::string> ControlValue(const SetupState& setup, const std::string& control);

// The setup file (qv3380 edit -o -), and saving it: the program's careful save.
std::string SetupText(const SetupState& setup);
SetupState SaveSetup(const SetupState& setup, const std::string& path);
// qv3380 export-json -o -
std::string JsonDefinition(const SetupState& setup);

// qv3380 show --json, show, and check's list of failed checks.
std::string PlanDocumentText(const SetupState& setup);
std::string PlanReportText(const SetupState& setup);
std::string FailuresText(const SetupState& setup);

// What a planner offers: its document (--json), its report, the status
// qv3380 exits with, and the configuration with it applied (-o), which is
// empty when a control refused one of its values.
struct PlannerOutcome {
  std::string document;
  std::string report;
  int status = 0;
  std::optional<SetupState> applied;
};
// qv3380 solve; targets in Hz, map nullopt: the one MARGIN selects.
PlannerOutcome Solve(const SetupState& setup,
                     const std::array<std::optional<double>, OUTPUT_COUNT>& targetsHz,
                     std::optional<int> map, double preferIntegerWithinPpm);
// qv3380 ssc; without a downspread and modulation frequency, --pcie.
PlannerOutcome SpreadSpectrum(const SetupState& setup,
                              std::optional<std::pair<double, double>> downspreadAndFmodHz,
                              std::optional<int> map);

// qv3380 diff --json and diff, the two sides named, and the line diff
// prints for each field.
struct DiffOutcome {
  std::string document;
  std::string text;
  std::vector<std::string> fieldLines;
};
DiffOutcome Diff(const SetupState& before, const SetupState& after, const std::string& beforeName,
                 const std::string& afterName);

// qv3380 export --format NAME -o -
// A plan whose checks fail is refused as `qv3380 export` refuses it, unless forced.
std::string ExportText(const SetupState& setup, const std::string& format, bool force,
                       const ExportOptions& options);
// PlanError naming the failed checks of either map, unless forced; `what` is
// the call that would go on ("export", "apply").
void RefuseFailingPlan(const SetupState& setup, bool force, const char* what);

// qv3380 report: the kind from `format` ("pdf", ...) or else from the path's
// extension; the clock tree of `map` (nullopt: the map in use). Written to
// `path` unless it is empty; the bytes otherwise. `source` names the setup.
std::string Report(const SetupState& setup, const std::string& path, const std::string& format,
                   std::optional<int> map, const std::string& source);

}  // namespace qv::python
