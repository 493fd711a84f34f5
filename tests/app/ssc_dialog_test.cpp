// Tools > Spread Spectrum...: from a downspread and a modulation frequency to
// the panel's spread-spectrum settings.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/registers.h"
#include "plan/plan_colors.h"
#include "plan/plan_evaluation.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_defs.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

class SscDialog : public test::ProgramTest {
 protected:
  void Open() {
    ASSERT_EQ(Choose(menubar::SSCPLANNER), UIE_NO_ERROR);
    dialog = Store().TopPopup();
    ASSERT_NE(dialog, 0);
  }
  void Type(int control, const char* text) {
    ASSERT_EQ(Store().CommitText(dialog, control, text), UIE_NO_ERROR);
  }
  void PressInDialog(int control) { ASSERT_EQ(Store().PressButton(dialog, control), UIE_NO_ERROR); }
  std::string Cell(int control) {
    std::string text;
    GetCtrlVal(dialog, control, &text);
    return text;
  }
  bool ApplyDimmed() {
    int dimmed = 0;
    GetCtrlAttribute(dialog, sscpnl::APPLY, ATTR_DIMMED, &dimmed);
    return dimmed != 0;
  }
  int dialog = 0;
};

TEST_F(SscDialog, OffersPciExpressFirstAndRemembersWhatWasTyped) {
  Start();
  EXPECT_EQ(MenuDimmed(menubar::SSCPLANNER), 1);
  Store().PressButton(startupPanelHandle, startuppnl::RUNOFFLINE);
  EXPECT_EQ(MenuDimmed(menubar::SSCPLANNER), 0);
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  Open();
  EXPECT_EQ(Cell(sscpnl::DOWNSPREAD), "-0.5");
  EXPECT_EQ(Cell(sscpnl::FMOD), "31.5");
  int map = 0;
  GetCtrlVal(dialog, sscpnl::MAP, &map);
  EXPECT_EQ(map, 1) << "the map MARGIN selects";
  EXPECT_TRUE(ApplyDimmed());
  Type(sscpnl::DOWNSPREAD, "-0.3");
  Type(sscpnl::FMOD, "33");
  PressInDialog(sscpnl::CLOSE);
  Open();
  EXPECT_EQ(Cell(sscpnl::DOWNSPREAD), "-0.3");
  EXPECT_EQ(Cell(sscpnl::FMOD), "33");
  PressInDialog(sscpnl::PCIE);
  EXPECT_EQ(Cell(sscpnl::DOWNSPREAD), "-0.5");
  EXPECT_EQ(Cell(sscpnl::FMOD), "31.5");
}

TEST_F(SscDialog, ApplyCommitsTheSettingsInTheOrderTheChipNeeds) {
  StartOnlineConnected();
  ASSERT_EQ(Commit(SSCG, 1), UIE_NO_ERROR);
  Open();
  PressInDialog(sscpnl::FIND);
  EXPECT_EQ(Cell(sscpnl::DEPTH_ACHIEVED), "-0.5000 %");
  EXPECT_EQ(Cell(sscpnl::DEPTH_ERROR), "0");
  EXPECT_EQ(Cell(sscpnl::FMOD_ACHIEVED), "31.5657 kHz");
  EXPECT_EQ(Cell(sscpnl::FMOD_ERROR), "+65.7 Hz (+0.208 %)");
  EXPECT_EQ(Cell(sscpnl::WINDOW), "Window: -0.500 to 0.000 %, 30.000 to 33.000 kHz");
  EXPECT_EQ(Cell(sscpnl::SETTINGS),
            "FracStep -2, NumSteps 198, CkDiv 2\n"
            "Map 0 PLL2: N 96, word 0, modulus 825 (was N 96, word 0, modulus 0)\n"
            "VCO2 stays at 2.400000 GHz");
  EXPECT_EQ(Cell(sscpnl::SUMMARY), "Met within the window.");
  EXPECT_FALSE(ApplyDimmed());

  ClearWire();
  PressInDialog(sscpnl::OK);
  EXPECT_EQ(Store().TopPopup(), 0) << "OK closes the dialog";
  EXPECT_EQ(Text(TXT_SSCG_DOWNSPREAD), "-0.500%");
  EXPECT_EQ(Text(TXT_SSCG_FMOD), "31.57 kHz");
  EXPECT_EQ(Text(VCO2FREQ), "   2.40000");
  EXPECT_EQ(Attribute(LBL_SSCG_DISABLED, ATTR_VISIBLE), 0);
  // The modulator (ABF0), then the modulus (BF2), then the steps (BS1 to BS3).
  std::vector<int> order;
  for (const auto& write : test::Bridge().Writes()) order.push_back(write.reg);
  auto first = [&](int reg) { return std::ranges::find(order, reg) - order.begin(); };
  EXPECT_LT(first(0x1D), first(0x1B));
  EXPECT_LT(first(0x1B), first(0x2A));
  EXPECT_EQ(test::Bridge().chip[0x2A], BS1 & 0xFF)
      << "the chip holds what the register model holds";
  EXPECT_EQ(test::Bridge().chip[0x2C], BS3);
}

// Apply stays open, Find is what Enter presses; with both maps the steps are
// shared and each map reaches the depth with a modulus of its own.
TEST_F(SscDialog, ApplyStaysAndBothMapsMeetTheRequest) {
  StartOffline();
  EXPECT_EQ(FindPanelDef(SSC_PANEL_FILE, SSCPNL)->defaultButton, sscpnl::FIND);
  ASSERT_EQ(Commit(SSCG, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL2N_M, 100), UIE_NO_ERROR);  // another ratio than map 0's
  Open();
  ASSERT_EQ(Store().CommitValue(dialog, sscpnl::MAP, BOTH_MAPS), UIE_NO_ERROR);
  PressInDialog(sscpnl::FIND);
  EXPECT_NE(Cell(sscpnl::DEPTH_ACHIEVED).find(" | "), std::string::npos)
      << "each map's depth: " << Cell(sscpnl::DEPTH_ACHIEVED);
  EXPECT_NE(Cell(sscpnl::SETTINGS).find("Map 1 PLL2"), std::string::npos);
  PressInDialog(sscpnl::APPLY);
  EXPECT_EQ(Store().TopPopup(), dialog) << "Apply leaves the dialog open";
  EXPECT_NE(Cell(sscpnl::SUMMARY).find("Applied to the panel."), std::string::npos);
  for (int margin : {0, 1}) {
    ASSERT_EQ(Store().PressButton(dialog, sscpnl::CLOSE), UIE_NO_ERROR);
    ASSERT_EQ(Commit(MARGIN, margin), UIE_NO_ERROR);
    EXPECT_EQ(Attribute(LBL_SSCG_DISABLED, ATTR_VISIBLE), 0) << "map " << margin;
    const double depth = std::stod(Text(TXT_SSCG_DOWNSPREAD));
    EXPECT_TRUE(depth <= 0.0 && depth >= -0.5) << "map " << margin << ": " << depth;
    Open();
  }
}

TEST_F(SscDialog, ARequestThatIsNoNumberIsNamedAndEditingWithdrawsTheSettings) {
  StartOffline();
  Open();
  PressInDialog(sscpnl::FIND);
  EXPECT_FALSE(ApplyDimmed());
  Type(sscpnl::FMOD, "fast");
  EXPECT_TRUE(ApplyDimmed()) << "settings for another request";
  EXPECT_EQ(Cell(sscpnl::DEPTH_ACHIEVED), "");
  PressInDialog(sscpnl::FIND);
  EXPECT_EQ(Cell(sscpnl::SUMMARY), "Fmod: \"fast\" is not a frequency in kHz above 0.");
  EXPECT_TRUE(ApplyDimmed());
  Type(sscpnl::FMOD, "31.5");
  Type(sscpnl::DOWNSPREAD, "-10");
  PressInDialog(sscpnl::FIND);
  EXPECT_EQ(Attribute(FRACSTEP, ATTR_TEXT_BGCOLOR), DISABLED_COLOR);
  int colour = 0;
  GetCtrlAttribute(dialog, sscpnl::DEPTH_ACHIEVED, ATTR_TEXT_BGCOLOR, &colour);
  EXPECT_EQ(colour, VALIDATE_BAD_COLOR);
  EXPECT_EQ(Cell(sscpnl::SUMMARY).substr(0, 27), "Not reachable within the wi");
  EXPECT_NE(Cell(sscpnl::SUMMARY)
                .find("Spread spectrum stays off until the board changes: the SSCG pin is low."),
            std::string::npos);
}

}  // namespace
}  // namespace qv
