// The status line and the tooltips that accompany the panel.

#include <gtest/gtest.h>

#include <string>

#include "bridge/hidbridge.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_defs.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using test::Bridge;

class StatusLine : public test::ProgramTest {
 protected:
  std::string Status(int field) {
    std::string text;
    GetPanelAttribute(panelHandle, field, &text);
    return text;
  }
};

TEST_F(StatusLine, OfflineShowsTheModeAndNoLink) {
  StartOffline();
  EXPECT_EQ(Status(ATTR_STATUS_MODE), "Offline Mode");
  EXPECT_EQ(Status(ATTR_STATUS_LINK), "") << "offline nothing is sent";
}

// After a check that passed, a failure is a link lost: the chip field says so
// (and when, in its tooltip) beside the check's own "working" text.
TEST_F(StatusLine, OnlineTheChipLinkNamesTheLastResult) {
  Start();
  Store().PressButton(startupPanelHandle, startuppnl::RUNONLINE);
  Bridge().forcedResult = HIDBRIDGE_NO_ADAPTER;
  ASSERT_EQ(Press(CheckConnectionButton), UIE_NO_ERROR);
  EXPECT_EQ(Status(ATTR_STATUS_LINK), "Chip read failed: adapter not found")
      << "never connected: nothing was lost";
  Bridge().forcedResult.reset();
  Bridge().chip[0x3F] = 0x5A;
  ASSERT_EQ(Press(CheckConnectionButton), UIE_NO_ERROR);
  EXPECT_EQ(Status(ATTR_STATUS_MODE), "Online Mode");
  EXPECT_EQ(Status(ATTR_STATUS_LINK), "Chip link OK");
  struct Case {
    int code;
    const char* text;
  };
  for (auto [code, text] :
       {Case{HIDBRIDGE_NO_ADAPTER, "Chip link lost: write failed (adapter not found)"},
        Case{HIDBRIDGE_NO_REPLY, "Chip link lost: write failed (no reply from adapter)"},
        Case{HIDBRIDGE_ADAPTER_ERROR,
             "Chip link lost: write failed (adapter reported an error)"}}) {
    Bridge().forcedResult = code;
    ASSERT_EQ(Commit(PLL1_N, 101), UIE_NO_ERROR);
    EXPECT_EQ(Status(ATTR_STATUS_LINK), text);
    EXPECT_NE(Status(ATTR_STATUS_LINK_TOOLTIP).find("The connection check passed, but at "),
              std::string::npos);
    EXPECT_EQ(Text(TextConnCheck), "I2C communication is working\n") << "the check's own text";
    EXPECT_EQ(Value(PLL1_N), 101) << "the panel keeps the new value";
  }
  Bridge().forcedResult.reset();
  ASSERT_EQ(Commit(CH0POWER, 0), UIE_NO_ERROR);
  EXPECT_EQ(Status(ATTR_STATUS_LINK), "Chip link OK");
  EXPECT_EQ(Status(ATTR_STATUS_LINK_TOOLTIP), "");
}

// A load that stops reaching the chip leaves it holding parts of two plans;
// only a whole set that gets through clears the note.
TEST_F(StatusLine, APartlyProgrammedChipIsSaidSo) {
  StartOnlineConnected();
  Bridge().transfersUntilUnplugged = 19;
  ASSERT_EQ(Choose(menubar::RESETDEFAULT), UIE_NO_ERROR);
  EXPECT_EQ(Status(ATTR_STATUS_MESSAGE),
            "Chip partly programmed: 19 of 41 transfers reached it (adapter not found)");
  EXPECT_EQ(Status(ATTR_STATUS_LINK), "Chip link lost: write failed (adapter not found)");
  Bridge().transfersUntilUnplugged.reset();
  ASSERT_EQ(Commit(PLL1_N, 101), UIE_NO_ERROR);
  EXPECT_NE(Status(ATTR_STATUS_MESSAGE), "") << "one register does not make the set whole";
  ASSERT_EQ(ChooseDiscarding(menubar::RESETDEFAULT), UIE_NO_ERROR);
  EXPECT_EQ(Status(ATTR_STATUS_MESSAGE), "");
}

// The notice lists every condition; what keeps spread spectrum off, and in
// which map, is its tooltip, and the status line's once the SSCG pin asks for it.
TEST_F(StatusLine, WithTheSscgPinHighItSaysWhatKeepsSpreadSpectrumOff) {
  StartOffline();
  // Steps that pass, so only spread spectrum has something to say.
  ASSERT_EQ(Commit(NUMSTEP, 100), UIE_NO_ERROR);
  ASSERT_EQ(Commit(CKDIV, 4), UIE_NO_ERROR);
  const std::string notice = Text(LBL_SSCG_DISABLED);
  struct Step {
    int control;
    int value;
    const char* off;  // the tooltip: why it is off, or "" while it runs
    bool said;        // the status line says it too
  };
  const Step steps[] = {
      {SSCG, 0,
       "Spread spectrum is off in Map 0 (MARGIN low): the SDM is powered down; map 0's modulus is "
       "0; the SSCG pin is low",
       false},
      {SSCG, 1,
       "Spread spectrum is off in Map 0 (MARGIN low): the SDM is powered down; map 0's modulus is "
       "0",
       true},
      {BLEEDSDM, 1, "Spread spectrum is off in Map 0 (MARGIN low): map 0's modulus is 0", true},
      {PLL2_MOD, 1000, "", false},
      {MARGIN, 1, "Spread spectrum is off in Map 1 (MARGIN high): map 1's modulus is 0", true},
      {SSCG, 0,
       "Spread spectrum is off in Map 1 (MARGIN high): map 1's modulus is 0; the SSCG pin is low",
       false},
  };
  for (const Step& step : steps) {
    ASSERT_EQ(Commit(step.control, step.value), UIE_NO_ERROR);
    std::string tooltip;
    GetCtrlAttribute(panelHandle, LBL_SSCG_DISABLED, ATTR_TOOLTIP, &tooltip);
    EXPECT_EQ(tooltip, step.off);
    EXPECT_EQ(Status(ATTR_STATUS_MESSAGE), step.said ? step.off : "") << step.off;
    EXPECT_EQ(Text(LBL_SSCG_DISABLED), notice) << "the notice keeps its text";
  }
}

// The map MARGIN does not select is checked too, without touching the panel's colours.
TEST_F(StatusLine, TheMapNotInUseSaysWhatItWouldBreak) {
  StartOffline();
  EXPECT_EQ(Status(ATTR_STATUS_MESSAGE), "");
  ASSERT_EQ(Commit(PLL2N_M, 104), UIE_NO_ERROR);  // 2.6 GHz at 25 MHz
  EXPECT_EQ(Status(ATTR_STATUS_MESSAGE),
            "Map 1 (MARGIN high) would fail: VCO2 2.60000 GHz is above 2.55 GHz");
  EXPECT_EQ(Attribute(VCO2FREQM, ATTR_TEXT_BGCOLOR), 0xC8C8C8) << "map 1 stays grey";
  EXPECT_EQ(Attribute(VCOS_VALID, ATTR_TEXT_BGCOLOR), 0xFFFFFF);

  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  EXPECT_EQ(Status(ATTR_STATUS_MESSAGE), "") << "map 0 holds; map 1's failure shows red";
  EXPECT_EQ(Attribute(VCO2FREQM, ATTR_TEXT_BGCOLOR), 0xFF0000);
  ASSERT_EQ(Commit(PLL1_N, 80), UIE_NO_ERROR);
  EXPECT_EQ(Status(ATTR_STATUS_MESSAGE),
            "Map 0 (MARGIN low) would fail: VCO1 2.00000 GHz is below 2.15 GHz");
  ASSERT_EQ(Commit(OUT0V, 2), UIE_NO_ERROR);
  ASSERT_EQ(Commit(OUT0D, 1), UIE_NO_ERROR);
  EXPECT_EQ(Status(ATTR_STATUS_MESSAGE),
            "Map 0 (MARGIN low) would fail: VCO1 2.00000 GHz is below 2.15 GHz; "
            "OUT0 1000.00000 MHz is above the LVPECL limit of 637.51 MHz");
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
  EXPECT_EQ(tooltip(PLL2_MOD),
            "0 to 4095; registers 0x1A bits 3:0 and 0x1B bits 7:0 (frequency map 0)");
  EXPECT_EQ(tooltip(BLEEDSDM),
            "Off or On; register 0x11 bit 2 (set when on), 0x1D bit 4 (set when off)");
}

}  // namespace
}  // namespace qv
