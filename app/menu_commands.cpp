#include "app/menu_commands.h"

#include <array>
#include <string>

#include "base/text_format.h"
#include "model/program_state.h"
#include "plan/panel/map_copy.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

constexpr std::string_view kClassicLookSetting = "classicLook";

void ShowLook(bool classic) {
  SetClassicLook(classic ? 1 : 0);
  SetMenuBarAttribute(GetPanelMenuBar(panelHandle), menubar::CLASSICLOOK, ATTR_CHECKED,
                      classic ? 1 : 0);
}

}  // namespace

void ApplyChosenLook() { ShowLook(GetPersistentSetting(kClassicLookSetting) == "1"); }

void OnEditCopyMapMenuClicked(int, int menuItem, void*, int) {
  const int from = menuItem == menubar::COPYMAP01 ? 0 : 1;
  const std::string refused = CopyFrequencyMap(from, 1 - from);
  if (refused.empty()) return;
  MessagePopup("Copy Map",
               FormatText("Map %d was not copied to map %d: %s.", from, 1 - from, refused.c_str()));
}

void OnViewZoomMenuClicked(int, int menuItem, void*, int) {
  const int zoom = menuItem == menubar::ZOOMIN    ? ZOOM_IN
                   : menuItem == menubar::ZOOMOUT ? ZOOM_OUT
                                                  : ZOOM_ACTUAL;
  ZoomPanel(panelHandle, zoom);
}

void OnViewClassicLookMenuClicked(int menuBar, int menuItem, void*, int) {
  int checked = 0;
  GetMenuBarAttribute(menuBar, menuItem, ATTR_CHECKED, &checked);
  const bool classic = checked == 0;
  SetPersistentSetting(kClassicLookSetting, classic ? "1" : "0");
  ShowLook(classic);
}

void OnHelpUserGuideMenuClicked(int, int, void*, int) {
  std::string problem;
  if (!ShowUserGuide("", &problem)) {
    MessagePopup("User Guide", "The user guide cannot be shown: " + problem);
  }
}

std::span<const CallbackBinding> MenuCommandCallbacks() {
  static const auto kBindings = std::to_array<CallbackBinding>({
      {"OnEditCopyMapMenuClicked", MenuCallbackPtr{OnEditCopyMapMenuClicked}},
      {"OnViewZoomMenuClicked", MenuCallbackPtr{OnViewZoomMenuClicked}},
      {"OnViewClassicLookMenuClicked", MenuCallbackPtr{OnViewClassicLookMenuClicked}},
      {"OnHelpUserGuideMenuClicked", MenuCallbackPtr{OnHelpUserGuideMenuClicked}},
  });
  return kBindings;
}

}  // namespace qv
