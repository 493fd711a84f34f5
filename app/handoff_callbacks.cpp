#include "app/handoff_callbacks.h"

#include <array>

#include "app/chip_readback.h"
#include "app/compare_dialog.h"
#include "app/export_dialog.h"
#include "app/findings_dialog.h"
#include "app/import_registers.h"
#include "app/register_map.h"

namespace qv {

std::span<const CallbackBinding> HandoffCallbacks() {
  static const auto kBindings = std::to_array<CallbackBinding>({
      {"OnFileReadChipMenuClicked", MenuCallbackPtr{OnFileReadChipMenuClicked}},
      {"OnFileVerifyChipMenuClicked", MenuCallbackPtr{OnFileVerifyChipMenuClicked}},
      {"OnFileCompareMenuClicked", MenuCallbackPtr{OnFileCompareMenuClicked}},
      {"OnFileExportRegistersMenuClicked", MenuCallbackPtr{OnFileExportRegistersMenuClicked}},
      {"OnFileImportRegistersMenuClicked", MenuCallbackPtr{OnFileImportRegistersMenuClicked}},
      {"OnViewRegisterMapMenuClicked", MenuCallbackPtr{OnViewRegisterMapMenuClicked}},
      {"OnCloseFindingsClicked", CtrlCallbackPtr{OnCloseFindingsClicked}},
      {"FindingsPanelCallback", PanelCallbackPtr{FindingsPanelCallback}},
      {"OnExportFormatChosen", CtrlCallbackPtr{OnExportFormatChosen}},
      {"OnExportRegistersClicked", CtrlCallbackPtr{OnExportRegistersClicked}},
      {"OnExportOptionChanged", CtrlCallbackPtr{OnExportOptionChanged}},
      {"OnCancelExportClicked", CtrlCallbackPtr{OnCancelExportClicked}},
      {"ExportPanelCallback", PanelCallbackPtr{ExportPanelCallback}},
      {"OnRegisterMapRowChosen", CtrlCallbackPtr{OnRegisterMapRowChosen}},
      {"OnCloseRegisterMapClicked", CtrlCallbackPtr{OnCloseRegisterMapClicked}},
      {"OnRegisterFieldChosen", CtrlCallbackPtr{OnRegisterFieldChosen}},
      {"OnClearRegisterLogClicked", CtrlCallbackPtr{OnClearRegisterLogClicked}},
      {"OnSaveRegisterLogClicked", CtrlCallbackPtr{OnSaveRegisterLogClicked}},
      {"RegisterMapPanelCallback", PanelCallbackPtr{RegisterMapPanelCallback}},
  });
  return kBindings;
}

}  // namespace qv
