// Every callback the panels name is bound, and the File menu asks for files
// the way the program's users expect.

#include <gtest/gtest.h>

#include "app/startup.h"
#include "tests/files/files_fixture.h"
#include "ui/callback_registry.h"
#include "ui/panel_defs.h"

namespace qv {
namespace {

TEST(CallbackBindings, EveryNameInThePanelDefinitionsIsBound) {
  ClearCallbackRegistry();
  RegisterProgramCallbacks();
  int named = 0;
  for (const PanelDef& panel : AllPanelDefs()) {
    if (!panel.callback.empty()) {
      ++named;
      EXPECT_NE(FindPanelCallback(panel.callback), nullptr) << panel.callback;
    }
    for (const ControlDef& control : panel.controls) {
      if (control.callback.empty()) continue;
      ++named;
      EXPECT_NE(FindCtrlCallback(control.callback), nullptr) << control.callback;
    }
    for (const MenuItemDef& item : panel.menu) {
      if (item.callback.empty()) continue;
      ++named;
      EXPECT_NE(FindMenuCallback(item.callback), nullptr) << item.callback;
    }
  }
  EXPECT_GT(named, 50);
}

class FileDialogs : public test::FilesTest {};

TEST_F(FileDialogs, EachMenuItemAsksForItsFile) {
  struct Case {
    int item;
    const char* defaultFileSpec;
    const char* filter;
    const char* title;
    int buttonKind;
    bool allowMakeDirectory;
  };
  const Case cases[] = {
      {menubar::EXPORT, "qv3380_setup.stp", "Setup File (*.stp)", "Save Setup File",
       VAL_SAVE_BUTTON, true},
      {menubar::IMPORT, "*.stp", "Setup File (*.stp)", "Open Setup File", VAL_LOAD_BUTTON, false},
      {menubar::EXPORTJSON, "qv3380_def.json", "JSON File (*.json)", "Export JSON File",
       VAL_SAVE_BUTTON, true},
  };
  for (const Case& c : cases) {
    ui.fileRequests.clear();
    ASSERT_EQ(Choose(c.item), UIE_NO_ERROR);
    ASSERT_EQ(ui.fileRequests.size(), 1u) << c.title;
    const FileRequest& request = ui.fileRequests[0];
    EXPECT_EQ(request.defaultDirectory, "");
    EXPECT_EQ(request.defaultFileSpec, c.defaultFileSpec);
    EXPECT_EQ(request.fileTypeList, c.filter);
    EXPECT_EQ(request.title, c.title);
    EXPECT_EQ(request.buttonKind, c.buttonKind);
    EXPECT_TRUE(request.allowCancel);
    EXPECT_EQ(request.allowMakeDirectory, c.allowMakeDirectory);
  }
  EXPECT_TRUE(ui.messages.empty()) << "cancelling is not an error";
}

}  // namespace
}  // namespace qv
