#include "app/export_dialog.h"

#include <string>

#include "files/panel/file_dialog_start.h"
#include "files/panel/register_export_file.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

constexpr std::string_view kTitle = "Export Registers";
constexpr std::string_view kErrorTitle = "Register Export Error";

// The ring's items are the formats in their order.
ExportFormat ChosenFormat(int panel) {
  int item = 0;
  GetCtrlVal(panel, exportpnl::FORMAT, &item);
  return ExportFormats()[static_cast<std::size_t>(item)].format;
}

ExportOptions ChosenOptions(int panel) {
  ExportOptions options;
  GetCtrlVal(panel, exportpnl::BUSLABEL, &options.i2cBusLabel);
  GetCtrlVal(panel, exportpnl::BUSNUMBER, &options.ubootBus);
  int provenance = 0;
  GetCtrlVal(panel, exportpnl::PROVENANCE, &provenance);
  options.provenanceColumns = provenance != 0;
  return options;
}

std::string_view FormatNote(ExportFormat format) {
  switch (format) {
    case ExportFormat::Dts:
      return "With a bus label (such as i2c1) the chip's node and its register\n"
             "sequence go under that bus too.";
    case ExportFormat::Uboot: return "The script selects the bus of that number first.";
    case ExportFormat::Csv: return "Provenance columns name the tool, date, source and failures.";
    case ExportFormat::LinuxFirmware: return "Its layout: docs/linux-firmware.md.";
    default: return "The header tells the source, date, plan and device address.";
  }
}

void Describe(int panel) {
  const ExportFormat format = ChosenFormat(panel);
  SetCtrlVal(panel, exportpnl::DESCRIPTION,
             "Writes " + std::string(FormatFacts(format).description) + ".\n" +
                 std::string(FormatNote(format)));
  SetCtrlAttribute(panel, exportpnl::BUSLABEL, ATTR_DIMMED, format == ExportFormat::Dts ? 0 : 1);
  SetCtrlAttribute(panel, exportpnl::BUSNUMBER, ATTR_DIMMED, format == ExportFormat::Uboot ? 0 : 1);
  SetCtrlAttribute(panel, exportpnl::PROVENANCE, ATTR_DIMMED, format == ExportFormat::Csv ? 0 : 1);
}

void Close(int panel) {
  RemovePopup(0);
  DiscardPanel(panel);
}

// A plan that fails a check is written only when the user says so, knowing which.
bool MayExport() {
  const std::vector<std::string> failures = CurrentPlanFailures();
  if (failures.empty()) return true;
  const std::string question = FailedChecksText(failures) +
                               "\n\nExport it all the same? The file will say that the plan "
                               "fails these checks.";
  return GenericMessagePopup(kTitle, question, "Export __Anyway", "__Cancel") == 1;
}

}  // namespace

void OnFileExportRegistersMenuClicked(int, int, void*, int) {
  const int panel = LoadPanel(0, EXPORT_PANEL_FILE, EXPORTPNL);
  Describe(panel);
  InstallPopup(panel);
}

int OnExportFormatChosen(int panel, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) Describe(panel);
  return 0;
}

int OnExportOptionChanged(int, int, int, void*, int, int) { return 0; }

int OnExportRegistersClicked(int panel, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  const ExportFormatFacts& facts = FormatFacts(ChosenFormat(panel));
  const ExportOptions options = ChosenOptions(panel);
  if (const std::string problem = ExportOptionsProblem(facts.format, options); !problem.empty()) {
    MessagePopup(kErrorTitle, problem + ".\nNothing was written.");
    return 0;
  }
  if (!MayExport()) return 0;
  const std::optional<std::string> path = ChooseFileToSave(facts.defaultFile, facts.filter, kTitle);
  if (!path) return 0;
  std::string failure;
  if (ExportRegisters(*path, facts.format, options, &failure) == 0) {
    MessagePopup(kErrorTitle, std::string(REGISTER_EXPORT_ERROR) + "\n" + failure);
    return 0;
  }
  Close(panel);
  return 0;
}

int OnCancelExportClicked(int panel, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) Close(panel);
  return 0;
}

int ExportPanelCallback(int panel, int event, void*, int, int) {
  if (event == EVENT_CLOSE) Close(panel);
  return 0;
}

}  // namespace qv
