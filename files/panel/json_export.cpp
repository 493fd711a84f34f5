#include "files/panel/json_export.h"

#include "base/trace.h"
#include "files/json_definition.h"
#include "files/panel/baseline.h"
#include "files/panel/file_dialog_start.h"
#include "files/panel/file_notes.h"
#include "files/panel/setup_image.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {

std::string FormatJsonDefinition() { return FormatJsonDefinition(CurrentRegisters()); }

int ExportJsonDefinition(const std::string& path, std::string* failure) {
  CaptureSetupImage();
  std::string reason;
  const bool written = ReplaceFileNoting(path, FormatJsonDefinition(), reason);
  if (failure) *failure = reason;
  if (!written) return 0;
  SetBaselineToCurrent(BaselineOrigin::JsonExport, path);
  Trace(TRACE_FILE, "exported JSON definition %s", path.c_str());
  SetMenuBarAttribute(GetPanelMenuBar(panelHandle), menubar::RESETCFG, ATTR_DIMMED, 0);
  return 1;
}

void OnFileExportJsonMenuClicked(int, int, void*, int) {
  const std::optional<std::string> path =
      ChooseFileToSave(JSON_DEFAULT_NAME, "JSON File (*.json)", "Export JSON File");
  if (!path) return;
  std::string failure;
  if (ExportJsonDefinition(*path, &failure) == 0) {
    MessagePopup("JSON Export Error", std::string(JSON_EXPORT_ERROR) + "\n" + failure);
  }
}

}  // namespace qv
