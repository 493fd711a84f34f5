#include "app/shell.h"

#include <string>
#include <vector>

#include "base/version.h"
#include "files/panel/setup_file_menu.h"
#include "files/panel/unsaved_changes.h"
#include "model/program_state.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// A file dropped on the window opens as File > Open Setup... would open it,
// whenever that item may be chosen.
void OpenDroppedFile() {
  std::vector<std::string> files;
  GetDroppedFiles(&files);
  int openDimmed = 1;
  GetMenuBarAttribute(GetPanelMenuBar(panelHandle), menubar::IMPORT, ATTR_DIMMED, &openDimmed);
  if (!files.empty() && !openDimmed) OpenSetupFileAt(files.front());
}

}  // namespace

int OnPanelEvent(int, int event, void*, int, int) {
  if (event == EVENT_CLOSE) {
    if (MayReplaceConfiguration(Replacing::Exit)) quit();
  } else if (event == EVENT_FILES_DROPPED) {
    OpenDroppedFile();
  } else if (event == EVENT_BLOCKED_CLICK && OpMode == OPMODE_UNCHOSEN) {
    // The user clicked past the mode popup: point them at it.
    AttentionRequest flash;
    GetPanelAttribute(startupPanelHandle, ATTR_SYSTEM_WINDOW_HANDLE, &flash.window);
    RequestAttention(flash);
  }
  return 0;
}

void quit() {
  DiscardPanel(panelHandle);
  QuitUserInterface(0);
  ExitProgram(1);
}

void OnFileExitMenuClicked(int, int, void*, int) {
  if (MayReplaceConfiguration(Replacing::Exit)) quit();
}

void OnHelpAboutMenuClicked(int, int, void*, int) {
  int about = LoadPanel(0, ABOUT_PANEL_FILE, ABOUT);
  SetCtrlVal(about, aboutpnl::VERSION, AboutVersionText());
  SetCtrlVal(about, aboutpnl::LIBRARIES, AboutLibrariesText());
  SetCtrlVal(about, aboutpnl::LICENCE, "Licence: " + std::string(kToolLicence));
  InstallPopup(about);
}

std::string AboutVersionText() {
  return "Version " + std::string(kToolVersion) + ", built " + std::string(kBuildDate);
}

std::string AboutLibrariesText() {
  std::string toolkit = UserInterfaceVersion();
  if (toolkit.empty()) toolkit = "no user interface";
  return toolkit + ", hidapi " + std::string(kHidapiVersion.empty() ? "?" : kHidapiVersion);
}

int AboutPanelCallback(int panel, int event, void*, int, int) {
  if (event == EVENT_CLOSE) {
    RemovePopup(0);
    // Each opening loads a fresh copy; the closed one is of no further use.
    DiscardPanel(panel);
  }
  return 0;
}

}  // namespace qv
