// Tools > Plan From Targets...: from typed targets to the panel's frequencies.

#include <gtest/gtest.h>

#include <string>

#include "model/registers.h"
#include "plan/plan_colors.h"
#include "plan/plan_evaluation.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_defs.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

class PlanDialog : public test::ProgramTest {
 protected:
  void Open() {
    ASSERT_EQ(Choose(menubar::PLANFROMTARGETS), UIE_NO_ERROR);
    dialog = Store().TopPopup();
    ASSERT_NE(dialog, 0);
  }
  void Type(int output, const char* mhz) {
    ASSERT_EQ(Store().CommitText(dialog, planpnl::TARGET0 + output, mhz), UIE_NO_ERROR);
  }
  std::string Cell(int column, int output) {
    std::string text;
    GetCtrlVal(dialog, column + output, &text);
    return text;
  }
  int CellColour(int column, int output) {
    int colour = 0;
    GetCtrlAttribute(dialog, column + output, ATTR_TEXT_BGCOLOR, &colour);
    return colour;
  }
  bool ApplyDimmed() {
    int dimmed = 0;
    GetCtrlAttribute(dialog, planpnl::APPLY, ATTR_DIMMED, &dimmed);
    return dimmed != 0;
  }
  int dialog = 0;
};

TEST_F(PlanDialog, NeedsAModeAndOpensWithTheCurrentFrequencies) {
  Start();
  EXPECT_EQ(MenuDimmed(menubar::PLANFROMTARGETS), 1);
  Store().PressButton(startupPanelHandle, startuppnl::RUNOFFLINE);
  Open();
  EXPECT_EQ(Cell(planpnl::TARGET0, 0), "156.25000");
  EXPECT_EQ(Cell(planpnl::TARGET0, 3), "33.33333");
  EXPECT_TRUE(ApplyDimmed());
  EXPECT_EQ(Commit(PLL1_N, 90), UIE_NOT_AVAILABLE) << "the dialog is modal";
}

TEST_F(PlanDialog, FindAndApplyFillTheMapMarginSelects) {
  StartOffline();
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  Open();
  int map = -1;
  GetCtrlVal(dialog, planpnl::MAP, &map);
  EXPECT_EQ(map, 1);
  Type(0, "125");
  Type(1, "");
  Type(2, "161.1328125");
  Type(3, "");
  ASSERT_EQ(Store().PressButton(dialog, planpnl::FINDPLAN), UIE_NO_ERROR);
  EXPECT_EQ(Cell(planpnl::ACHIEVED0, 0), "125.000000");
  EXPECT_EQ(Cell(planpnl::ERROR0, 0), "0");
  EXPECT_EQ(Cell(planpnl::ACHIEVED0, 1), "125.000000") << "no target: kept";
  EXPECT_EQ(Cell(planpnl::ERROR0, 1), "0");
  EXPECT_EQ(Cell(planpnl::ERROR0, 2), "0");
  EXPECT_NE(Cell(planpnl::DIVIDERS0, 2).find('/'), std::string::npos) << "a fractional N";
  EXPECT_FALSE(ApplyDimmed());
  ASSERT_EQ(Store().PressButton(dialog, planpnl::APPLY), UIE_NO_ERROR);
  EXPECT_EQ(Store().TopPopup(), dialog) << "Apply leaves the dialog open";
  EXPECT_EQ(Text(OUT0FREQM), " 125.00000");
  EXPECT_EQ(Text(OUT2FREQM), " 161.13281");
  EXPECT_EQ(Text(Out0Freq), " 156.25000") << "map 0 untouched";
  EXPECT_EQ(Value(BLEEDSDM), 1) << "the modulator was switched on for the fraction";
}

TEST_F(PlanDialog, UnreachableTargetIsRedWithTheValueThePlanGives) {
  StartOffline();
  Open();
  Type(0, "700");
  ASSERT_EQ(Store().PressButton(dialog, planpnl::FINDPLAN), UIE_NO_ERROR);
  EXPECT_EQ(CellColour(planpnl::ACHIEVED0, 0), VALIDATE_BAD_COLOR);
  EXPECT_EQ(CellColour(planpnl::ERROR0, 0), VALIDATE_BAD_COLOR);
  EXPECT_EQ(CellColour(planpnl::ACHIEVED0, 1), VALIDATE_GOOD_COLOR);
  std::string summary;
  GetCtrlVal(dialog, planpnl::SUMMARY, &summary);
  // OUT1 at 125 MHz exactly holds VCO1 at 2.25, 2.375 or 2.5 GHz: 625 MHz at most for OUT0.
  EXPECT_NE(summary.find("Out of reach: OUT0 700 MHz (closest 625.000000)"), std::string::npos)
      << summary;
  EXPECT_EQ(Cell(planpnl::ACHIEVED0, 0), "625.000000");
}

TEST_F(PlanDialog, ATargetThatIsNoNumberIsNamedAndNothingIsPlanned) {
  StartOffline();
  Open();
  Type(2, "fast");
  ASSERT_EQ(Store().PressButton(dialog, planpnl::FINDPLAN), UIE_NO_ERROR);
  std::string summary;
  GetCtrlVal(dialog, planpnl::SUMMARY, &summary);
  EXPECT_EQ(summary, "OUT2: \"fast\" is not a frequency in MHz.");
  EXPECT_EQ(CellColour(planpnl::TARGET0, 2), VALIDATE_BAD_COLOR);
  EXPECT_TRUE(ApplyDimmed());
}

TEST_F(PlanDialog, EditingATargetWithdrawsTheFoundPlan) {
  StartOffline();
  Open();
  ASSERT_EQ(Store().PressButton(dialog, planpnl::FINDPLAN), UIE_NO_ERROR);
  EXPECT_FALSE(ApplyDimmed());
  Type(0, "100");
  EXPECT_TRUE(ApplyDimmed());
  EXPECT_EQ(Cell(planpnl::ACHIEVED0, 0), "");
}

// Apply applies and stays, OK applies and goes, Close goes and applies
// nothing; Find is what Enter presses.
TEST_F(PlanDialog, TheButtonsDoWhatTheirNamesSay) {
  StartOffline();
  EXPECT_EQ(FindPanelDef(PLAN_PANEL_FILE, PLANPNL)->defaultButton, planpnl::FINDPLAN);
  struct Case {
    int button;
    bool applied;
    bool open;
  };
  for (const Case& c : {Case{planpnl::APPLY, true, true}, Case{planpnl::OK, true, false},
                        Case{planpnl::CLOSE, false, false}}) {
    SCOPED_TRACE(c.button);
    ASSERT_EQ(ChooseDiscarding(menubar::RESETDEFAULT), UIE_NO_ERROR);
    Open();
    Type(0, "125");
    ASSERT_EQ(Store().PressButton(dialog, planpnl::FINDPLAN), UIE_NO_ERROR);
    ASSERT_EQ(Store().PressButton(dialog, c.button), UIE_NO_ERROR);
    EXPECT_EQ(Text(Out0Freq), c.applied ? " 125.00000" : " 156.25000");
    EXPECT_EQ(Store().TopPopup(), c.open ? dialog : 0);
    if (c.open) {
      EXPECT_NE(Cell(planpnl::SUMMARY, 0).find("Applied to the panel."), std::string::npos);
      EXPECT_EQ(Commit(PLL1_N, 90), UIE_NOT_AVAILABLE) << "still modal for the user";
      Store().PressButton(dialog, planpnl::CLOSE);
    }
  }
}

// With both maps the same targets are met on each, so MARGIN can switch on
// the board without moving an output.
TEST_F(PlanDialog, BothMapsGetTheSameTargets) {
  StartOffline();
  Open();
  ASSERT_EQ(Store().CommitValue(dialog, planpnl::MAP, BOTH_MAPS), UIE_NO_ERROR);
  const char* targets[] = {"100", "125", "161.1328125", ""};
  for (int k = 0; k < OUTPUT_COUNT; ++k) Type(k, targets[k]);
  ASSERT_EQ(Store().PressButton(dialog, planpnl::FINDPLAN), UIE_NO_ERROR);
  EXPECT_NE(Cell(planpnl::SUMMARY, 0).find("Map 1: PLL1"), std::string::npos) << "each map said";
  ASSERT_EQ(Store().PressButton(dialog, planpnl::OK), UIE_NO_ERROR);
  const int shown[2][OUTPUT_COUNT] = {{Out0Freq, Out1Freq, Out2Freq, Out3Freq},
                                      {OUT0FREQM, OUT1FREQM, OUT2FREQM, OUT3FREQM}};
  for (int k = 0; k < 3; ++k) EXPECT_EQ(Text(shown[0][k]), Text(shown[1][k])) << "OUT" << k;
  EXPECT_NE(Text(shown[0][3]), Text(shown[1][3])) << "without a target each map keeps its own";
  EXPECT_EQ(Text(Out2Freq), " 161.13281");
  EXPECT_EQ(Text(OUT0FREQM), " 100.00000");
}

// The error column keeps its sign: above and below the target read apart.
TEST_F(PlanDialog, ErrorsAreSigned) {
  StartOffline();
  Open();
  for (int k : {1, 2, 3}) Type(k, "");
  for (const char* target : {"156.26", "156.24"}) {
    Type(0, target);
    ASSERT_EQ(Store().PressButton(dialog, planpnl::FINDPLAN), UIE_NO_ERROR);
    const std::string error = Cell(planpnl::ERROR0, 0);
    ASSERT_FALSE(error.empty());
    const double ppm = std::stod(error);
    const double achieved = std::stod(Cell(planpnl::ACHIEVED0, 0));
    EXPECT_EQ(ppm < 0, achieved < std::stod(target)) << target << ": " << error;
    EXPECT_TRUE(error[0] == '+' || error[0] == '-') << error;
  }
}

TEST_F(PlanDialog, CloseChangesNothing) {
  StartOffline();
  for (bool closeBox : {false, true}) {
    Open();
    Type(0, "100");
    ASSERT_EQ(Store().PressButton(dialog, planpnl::FINDPLAN), UIE_NO_ERROR);
    if (closeBox) {
      Store().SendPanelEvent(dialog, EVENT_CLOSE);
    } else {
      Store().PressButton(dialog, planpnl::CLOSE);
    }
    EXPECT_EQ(Store().TopPopup(), 0);
    EXPECT_EQ(Store().Find(dialog), nullptr);
    EXPECT_EQ(Text(Out0Freq), " 156.25000");
  }
}

TEST_F(PlanDialog, RemembersItsTargetsForTheRun) {
  StartOffline();
  Open();
  Type(0, "125");
  Type(1, "");
  ASSERT_EQ(Store().CommitText(dialog, planpnl::TOLERANCE, "20"), UIE_NO_ERROR);
  ASSERT_EQ(Store().PressButton(dialog, planpnl::CLOSE), UIE_NO_ERROR);
  ASSERT_EQ(Commit(OUT0D, 5), UIE_NO_ERROR);
  Open();
  EXPECT_EQ(Cell(planpnl::TARGET0, 0), "125") << "what was typed, not the panel's 125 MHz";
  EXPECT_EQ(Cell(planpnl::TARGET0, 1), "");
  EXPECT_EQ(Cell(planpnl::TARGET0, 2), "100.00000");
  EXPECT_EQ(Cell(planpnl::TOLERANCE, 0), "20");

  ASSERT_EQ(Store().CommitText(dialog, planpnl::TOLERANCE, "lots"), UIE_NO_ERROR);
  ASSERT_EQ(Store().PressButton(dialog, planpnl::FINDPLAN), UIE_NO_ERROR);
  std::string summary;
  GetCtrlVal(dialog, planpnl::SUMMARY, &summary);
  EXPECT_EQ(summary, "\"lots\" is not a number of ppm.");
  EXPECT_TRUE(ApplyDimmed());
}

TEST_F(PlanDialog, AnOutputWithoutATargetKeepsItsFrequencyOrSaysItMoved) {
  StartOffline();
  Open();
  for (int k : {0, 1, 2}) Type(k, "");
  Type(3, "161.1328125");
  ASSERT_EQ(Store().PressButton(dialog, planpnl::FINDPLAN), UIE_NO_ERROR);
  EXPECT_EQ(Cell(planpnl::ACHIEVED0, 0), "-") << "PLL1 has no target: left alone";
  EXPECT_NE(Cell(planpnl::ERROR0, 2), "0") << "OUT2 cannot stay at 100 MHz";
  std::string summary;
  GetCtrlVal(dialog, planpnl::SUMMARY, &summary);
  EXPECT_NE(summary.find("Moved: OUT2 100.000000 -> " + Cell(planpnl::ACHIEVED0, 2) + " MHz"),
            std::string::npos)
      << summary;
}

TEST_F(PlanDialog, OnlineAppliedPlanReachesTheChip) {
  StartOnlineConnected();
  Open();
  Type(0, "125");
  Type(1, "125");
  ASSERT_EQ(Store().PressButton(dialog, planpnl::FINDPLAN), UIE_NO_ERROR);
  ClearWire();
  ASSERT_EQ(Store().PressButton(dialog, planpnl::APPLY), UIE_NO_ERROR);
  EXPECT_EQ(Text(Out0Freq), " 125.00000");
  EXPECT_FALSE(test::Bridge().Writes().empty());
  EXPECT_EQ(test::Bridge().chip[0x22], ADV0) << "the chip holds what the register model holds";
}

}  // namespace
}  // namespace qv
