#include "app/export_dialog.h"

#include <string>

#include "files/panel/file_dialog_start.h"
#include "files/panel/recent_files.h"
#include "files/panel/register_export_file.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// The ring's items are the formats in their order.
ExportFormat ChosenFormat(int panel) {
  int item = 0;
  GetCtrlVal(panel, exportpnl::FORMAT, &item);
  return ExportFormats()[static_cast<std::size_t>(item)].format;
}

void Describe(int panel) {
  const ExportFormatFacts& facts = FormatFacts(ChosenFormat(panel));
  SetCtrlVal(panel, exportpnl::DESCRIPTION,
             "Writes " + std::string(facts.description) +
                 ".\nThe header tells the source, date, plan and device address.");
}

void Close(int panel) {
  RemovePopup(0);
  DiscardPanel(panel);
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

int OnExportRegistersClicked(int panel, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  const ExportFormatFacts& facts = FormatFacts(ChosenFormat(panel));
  std::string path;
  const FileSuggestion start = SuggestFile(facts.defaultFile);
  const int chosen = FileSelectPopup(start.folder, start.name, facts.filter, "Export Registers",
                                     VAL_SAVE_BUTTON, 0, 0, 1, 1, &path);
  if (chosen != VAL_EXISTING_FILE_SELECTED && chosen != VAL_NEW_FILE_SELECTED) return 0;
  RememberFolderOf(path);
  std::string failure;
  if (ExportRegisters(path, facts.format, &failure) == 0) {
    MessagePopup("Register Export Error", std::string(REGISTER_EXPORT_ERROR) + "\n" + failure);
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
