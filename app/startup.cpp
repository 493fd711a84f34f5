#include "app/startup.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/clock_tree_window.h"
#include "app/menu_commands.h"
#include "app/modes.h"
#include "app/plan_dialog.h"
#include "app/register_map.h"
#include "app/ssc_dialog.h"
#include "app/status_line.h"
#include "app/undo.h"
#include "base/last_resort.h"
#include "base/trace.h"
#include "files/panel/baseline.h"
#include "files/panel/recent_files.h"
#include "files/panel/setup_file_menu.h"
#include "model/program_state.h"
#include "model/value_variables.h"
#include "model/write_path.h"
#include "plan/panel/plan_inputs.h"
#include "plan/panel/tooltips.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// `qv3380_gui FILE.stp`: the file to open once a mode is usable.
std::string g_commandLineFile;
// A message can be shown only once the front end has started.
bool g_interfaceStarted = false;

}  // namespace

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
  StartUndo();
  ShowRecentFiles();
  ApplyChosenLook();
  const std::vector<std::string> arguments = GetProgramArguments();
  g_commandLineFile = arguments.empty() ? "" : arguments.front();
  DisplayPanel(panelHandle);
  InstallPopup(startupPanelHandle);
}

void ResetAppState() {
  StopStatusLine();
  ResetPlanDialog();
  ResetSscDialog();
  StopRegisterMap();
  StopClockTree();
  StopUndo();
  g_commandLineFile.clear();
  g_interfaceStarted = false;
  title.clear();
  ConnCheck = 0;
}

void ModeIsUsable() {
  ShowRecentFiles();
  if (g_commandLineFile.empty()) return;
  OpenSetupFileAt(std::exchange(g_commandLineFile, std::string()));
}

int ProgramMain(int argc, char* argv[]) {
  if (InitUserInterface(argc, argv) == 0) return -1;
  g_interfaceStarted = true;
  RegisterProgramCallbacks();
  StartProgram();
  RunUserInterface();
  return 0;
}

int ShowInternalError(std::string_view what) {
  Trace(TRACE_ERROR, "internal error: %.*s", static_cast<int>(what.size()), what.data());
  std::fprintf(stderr, "qv3380_gui: internal error: %.*s\n", static_cast<int>(what.size()),
               what.data());
  if (g_interfaceStarted) {
    MessagePopup("Internal Error",
                 "The program met an internal error and ends:\n" + std::string(what));
  }
  return INTERNAL_ERROR_STATUS;
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
  ModeIsUsable();
  return 0;
}

int OnStartupPanelEvent(int, int event, void*, int, int) {
  if (event == EVENT_CLOSE) QuitUserInterface(0);
  return 0;
}

}  // namespace qv
