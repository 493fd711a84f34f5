#include <array>

#include "app/clock_tree_window.h"
#include "app/handoff_callbacks.h"
#include "app/menu_commands.h"
#include "app/modes.h"
#include "app/plan_dialog.h"
#include "app/report_export.h"
#include "app/reset_commands.h"
#include "app/shell.h"
#include "app/ssc_dialog.h"
#include "app/startup.h"
#include "app/undo.h"
#include "files/panel/file_callbacks.h"
#include "model/write_path.h"
#include "plan/panel/control_handlers.h"
#include "ui/callback_registry.h"

namespace qv {

void RegisterProgramCallbacks() {
  static const auto kBindings = std::to_array<CallbackBinding>({
      {"OnRunOnlineButtonClicked", CtrlCallbackPtr{OnRunOnlineButtonClicked}},
      {"OnRunOfflineButtonClicked", CtrlCallbackPtr{OnRunOfflineButtonClicked}},
      {"OnStartupPanelEvent", PanelCallbackPtr{OnStartupPanelEvent}},
      {"OnPanelEvent", PanelCallbackPtr{OnPanelEvent}},
      {"CheckConnection", CtrlCallbackPtr{CheckConnection}},
      {"InitAcq", CtrlCallbackPtr{InitAcq}},
      {"OnFileExitMenuClicked", MenuCallbackPtr{OnFileExitMenuClicked}},
      {"OnHelpAboutMenuClicked", MenuCallbackPtr{OnHelpAboutMenuClicked}},
      {"AboutPanelCallback", PanelCallbackPtr{AboutPanelCallback}},
      {"ResetRegs", CtrlCallbackPtr{ResetRegs}},
      {"OnFileResetToDefaultsMenuClicked", MenuCallbackPtr{OnFileResetToDefaultsMenuClicked}},
      {"OnEditUndoMenuClicked", MenuCallbackPtr{OnEditUndoMenuClicked}},
      {"OnEditRedoMenuClicked", MenuCallbackPtr{OnEditRedoMenuClicked}},
  });
  RegisterCallbacks(kBindings);
  RegisterCallbacks(PlanCallbacks());
  RegisterCallbacks(FilesCallbacks());
  RegisterCallbacks(PlanDialogCallbacks());
  RegisterCallbacks(SscDialogCallbacks());
  RegisterCallbacks(HandoffCallbacks());
  RegisterCallbacks(ClockTreeCallbacks());
  RegisterCallbacks(ReportCallbacks());
  RegisterCallbacks(MenuCommandCallbacks());
}

}  // namespace qv
