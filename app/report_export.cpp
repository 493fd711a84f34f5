#include "app/report_export.h"

#include <array>
#include <ctime>

#include "base/trace.h"
#include "base/version.h"
#include "files/panel/baseline.h"
#include "files/panel/file_dialog_start.h"
#include "files/panel/file_notes.h"
#include "files/replace_file.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "plan/panel/plan_inputs.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

std::string Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::array<char, 64> text{};
  std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M:%S %z", &local);
  return text.data();
}

// The open setup file; a report of a plan changed since says so.
std::string OpenFileName() {
  const std::string& file = OpenSetupFile();
  if (file.empty() || !HasUnsavedChanges()) return file;
  return file + " (with changes not saved)";
}

const char* KindText(report::FileKind kind) {
  return report::IsReport(kind) ? "report" : "clock tree";
}

}  // namespace

std::string CurrentReportFile(report::FileKind kind, const std::string& sourceFile, int map,
                              std::string* problem) {
  const PlanEvaluation plan = EvaluatePlan(ReadPlanInputs());
  const report::ReportOrigin origin{std::string(kToolVersion), sourceFile,
                                    OpMode == OPMODE_ONLINE ? "Online Mode" : "Offline Mode",
                                    Now()};
  return report::RenderFile(kind, plan, CurrentRegisters(), origin,
                            map == MAP_IN_USE ? plan.mapInUse : map, problem);
}

int ExportReport(const std::string& path, report::FileKind kind, const std::string& sourceFile,
                 int map, std::string* failure) {
  std::string problem;
  const std::string bytes = CurrentReportFile(kind, sourceFile, map, &problem);
  if (bytes.empty()) {
    *failure = path + ": " + problem;
    Trace(TRACE_FILE, "%s not made: %s", KindText(kind), failure->c_str());
    return 0;
  }
  if (!ReplaceFileNoting(path, bytes, *failure)) return 0;
  Trace(TRACE_FILE, "exported %s %s", KindText(kind), path.c_str());
  return 1;
}

void OnFileExportReportMenuClicked(int, int, void*, int) {
  const std::optional<std::string> chosen =
      ChooseFileToSave(REPORT_DEFAULT_NAME, REPORT_FILE_TYPES, "Export Report");
  if (!chosen) return;
  const std::string& path = *chosen;
  const std::optional<report::FileKind> kind = report::FileKindOfPath(path);
  std::string failure;
  if (!kind || !report::IsReport(*kind)) {
    failure = path + ": the name does not end in .pdf, .html or .md";
  } else if (ExportReport(path, *kind, OpenFileName(), MAP_IN_USE, &failure) != 0) {
    return;
  }
  MessagePopup("Report Export Error", std::string(REPORT_EXPORT_ERROR) + "\n" + failure);
}

std::span<const CallbackBinding> ReportCallbacks() {
  static const auto kBindings = std::to_array<CallbackBinding>({
      {"OnFileExportReportMenuClicked", MenuCallbackPtr{OnFileExportReportMenuClicked}},
  });
  return kBindings;
}

}  // namespace qv
