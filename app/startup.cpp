#include "app/startup.h"

#include "app/clock_tree_window.h"
#include "app/modes.h"
#include "app/plan_dialog.h"
#include "app/ssc_dialog.h"
#include "app/register_map.h"
#include "app/status_line.h"
#include "files/baseline.h"
#include "model/write_path.h"
#include "plan/refclk_text.h"
#include "plan/tooltips.h"
#include "model/program_state.h"
#include "model/value_variables.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {

void StartProgram() {
  OpMode = OPMODE_UNCHOSEN;
  panelHandle = LoadPanel(0, MAIN_PANEL_FILE, PANEL);
  startupPanelHandle = LoadPanel(0, STARTUP_PANEL_FILE, STARTUPPNL);
  InitVariables();
  ApplyControlTooltips();
  InstallRefclkTextRule();
  StartStatusLine();
  ResetPlanDialog();
  ResetSscDialog();
  StartBaseline();
  StartRegisterMap();
  StartClockTree();
  DisplayPanel(panelHandle);
  InstallPopup(startupPanelHandle);
}

int ProgramMain(int argc, char* argv[]) {
  if (InitUserInterface(argc, argv) == 0) return -1;
  RegisterProgramCallbacks();
  StartProgram();
  RunUserInterface();
  return 0;
}

int OnRunOnlineButtonClicked(int, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  SetOnline();
  RemovePopup(0);
  return 0;
}

int OnRunOfflineButtonClicked(int, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  SetOffline();
  RemovePopup(0);
  return 0;
}

int OnStartupPanelEvent(int, int event, void*, int, int) {
  if (event == EVENT_CLOSE) QuitUserInterface(0);
  return 0;
}

}  // namespace qv
