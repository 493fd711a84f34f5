#include "app/user_guide_pictures.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "app/clock_tree_window.h"
#include "app/register_map.h"
#include "app/startup.h"
#include "model/program_state.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

constexpr std::string_view kMainWindow = "main-window.png";
constexpr std::string_view kPlanDialog = "plan-from-targets.png";
constexpr std::string_view kSscDialog = "spread-spectrum.png";
constexpr std::string_view kClockTree = "clock-tree.png";
constexpr std::string_view kRegisterMap = "register-map.png";

bool Picture(int panel, const std::string& folder, std::string_view name) {
  const std::string path = (std::filesystem::path(folder) / name).string();
  std::string problem;
  if (SavePanelPicture(panel, path, &problem)) return true;
  std::fprintf(stderr, "qv3380_gui: %s: %s\n", path.c_str(), problem.c_str());
  return false;
}

// A dialog opened from the menu, found, pictured after `find`, and closed.
bool DialogPicture(int item, int find, int close, const std::string& folder,
                   std::string_view name) {
  ChooseMenuItem(GetPanelMenuBar(panelHandle), item);
  const int dialog = GetActivePopup();
  if (dialog == 0) return false;
  PressCtrlButton(dialog, find);
  const bool made = Picture(dialog, folder, name);
  PressCtrlButton(dialog, close);
  return made;
}

}  // namespace

std::vector<std::string> UserGuidePictureNames() {
  return {std::string(kMainWindow), std::string(kPlanDialog), std::string(kSscDialog),
          std::string(kClockTree), std::string(kRegisterMap)};
}

int WriteUserGuidePictures(int argc, char* argv[], const std::string& folder) {
  if (InitUserInterface(argc, argv) == 0) return -1;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  RegisterProgramCallbacks();
  StartProgram();
  PressCtrlButton(startupPanelHandle, startuppnl::RUNOFFLINE);
  const int menuBar = GetPanelMenuBar(panelHandle);
  bool made = Picture(panelHandle, folder, kMainWindow);
  made = DialogPicture(menubar::PLANFROMTARGETS, planpnl::FINDPLAN, planpnl::CLOSE, folder,
                       kPlanDialog) &&
         made;
  made =
      DialogPicture(menubar::SSCPLANNER, sscpnl::FIND, sscpnl::CLOSE, folder, kSscDialog) && made;
  ChooseMenuItem(menuBar, menubar::CLOCKTREE);
  made = Picture(ClockTreePanel(), folder, kClockTree) && made;
  ChooseMenuItem(menuBar, menubar::REGISTERMAP);
  made = Picture(RegisterMapPanel(), folder, kRegisterMap) && made;
  return made ? 0 : 1;
}

}  // namespace qv
