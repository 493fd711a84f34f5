// The status line and the tooltips that accompany the panel.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/program_fixture.h"
#include "ui/panel_defs.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using test::Bridge;

class StatusLine : public test::ProgramTest {
 protected:
  std::string Status() {
    std::string text;
    GetPanelAttribute(panelHandle, ATTR_STATUS_TEXT, &text);
    return text;
  }
};

TEST_F(StatusLine, OfflineSaysSo) {
  StartOffline();
  EXPECT_EQ(Status(), "Offline Mode");
}

TEST_F(StatusLine, FailedWritesShowUntilOneSucceeds) {
  StartOnlineConnected();
  EXPECT_EQ(Status(), "");
  struct Case {
    int code;
    const char* text;
  };
  for (auto [code, text] : {Case{-2, "Chip write failed: adapter not found"},
                            Case{-1, "Chip write failed: no reply from adapter"},
                            Case{-3, "Chip write failed: adapter reported an error"}}) {
    Bridge().forcedResult = code;
    ASSERT_EQ(Commit(PLL1_N, 101), UIE_NO_ERROR);
    EXPECT_EQ(Status(), text);
    EXPECT_EQ(Value(PLL1_N), 101) << "the panel keeps the new value";
  }
  Bridge().forcedResult.reset();
  ASSERT_EQ(Commit(CH0POWER, 0), UIE_NO_ERROR);
  EXPECT_EQ(Status(), "");
}

TEST_F(StatusLine, EveryEditableControlExplainsItself) {
  Start();
  for (const ControlDef& def : FindPanelDef(MAIN_PANEL_FILE, PANEL)->controls) {
    const bool editable = !def.callback.empty() && def.kind != ControlKind::CommandButton;
    std::string tooltip;
    GetCtrlAttribute(panelHandle, def.id, ATTR_TOOLTIP, &tooltip);
    EXPECT_EQ(!tooltip.empty(), editable) << def.constant;
  }
  auto tooltip = [&](int control) {
    std::string text;
    GetCtrlAttribute(panelHandle, control, ATTR_TOOLTIP, &text);
    return text;
  };
  EXPECT_EQ(tooltip(PLL1_N), "80 to 143; register 0x18 bits 5:0 (frequency map 0)");
  EXPECT_EQ(tooltip(OUT2D_M), "1 to 32; register 0x38 bits 4:0 (32 stored as 0) (frequency map 1)");
  EXPECT_EQ(tooltip(PLL2_MOD), "0 to 4095; registers 0x1A bits 3:0 and 0x1B bits 7:0 (frequency map 0)");
  EXPECT_EQ(tooltip(BLEEDSDM), "Off or On; register 0x11 bit 2 (set when on), 0x1D bit 4 (set when off)");
}

}  // namespace
}  // namespace qv
