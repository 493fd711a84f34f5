// Start-up, the mode popup, the two modes, the connection check and the exit paths.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/startup.h"
#include "bridge/hidbridge.h"
#include "model/registers.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_defs.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using test::Bridge;
using test::Describe;
using test::WireEvent;

// clang-format off
const std::vector<int> kModeControls{
    REFSEL,    SSCG,      MAXBW,    MARGIN,    STRINGREFSELHIGH, CrystalFreq, STRINGREFSELLOW,
    REFFREQ,   REFDIV,    STRINGMARGINLOW,     PLL1_N,    VCO1FREQ,  OUT0V,   OUT0D,
    Out0Freq,  OUT1V,     OUT1D,    Out1Freq,  PLL2_N,    VCO2FREQ,  OUT2V,   OUT2D,
    Out2Freq,  OUT3V,     OUT3D,    Out3Freq,  PLL2_FRAC, PLL2_MOD,  STRINGMARGINHIGH,
    PLL1N_M,   VCO1FREQM, OUT0V_M,  OUT0D_M,   OUT0FREQM, OUT1V_M,   OUT1D_M, OUT1FREQM,
    PLL2N_M,   VCO2FREQM, OUT2V_M,  OUT2D_M,   OUT2FREQM, OUT3V_M,   OUT3D_M, OUT3FREQM,
    PLL2FRACM, PLL2MODM,  STRINGSSCGHIGH,      FRACSTEP,  NUMSTEP,   CKDIV,   PLL1SYNC,
    PLL2SYNC,  Pll1OutputFormat,    Pll2OutputFormat,     OUT10,     OUT32,   PLL1POWER,
    PLL2POWER, CH0POWER,  CH1POWER, CH2POWER,  CH3POWER,  REFPOWER,  BLEEDSDM,
    ResetRegisters, PFD_VALID, NRANGE, VCOS_VALID, FOUT_CMOS_VALID, FOUT_LV_VALID,
};
// clang-format on

class StartupTest : public test::ProgramTest {
 protected:
  std::string Title() {
    std::string text;
    GetPanelAttribute(panelHandle, ATTR_TITLE, &text);
    return text;
  }
  void ExpectModeControlsDimmed(int dimmed) {
    for (int control : kModeControls) {
      // The pin captions are enabled from the start.
      if (dimmed && (control == STRINGREFSELHIGH || control == STRINGREFSELLOW ||
                     control == STRINGMARGINLOW || control == STRINGMARGINHIGH ||
                     control == STRINGSSCGHIGH)) {
        continue;
      }
      EXPECT_EQ(Attribute(control, ATTR_DIMMED), dimmed) << "control " << control;
    }
  }
  void ChooseOnline() {
    ASSERT_EQ(Store().PressButton(startupPanelHandle, startuppnl::RUNONLINE), UIE_NO_ERROR);
  }
};

TEST_F(StartupTest, MainPanelShownWithModePopupOverItAndDefaultsLoaded) {
  Start();
  EXPECT_EQ(panelHandle, 1);
  EXPECT_EQ(OpMode, -1);
  EXPECT_EQ(ui.shownPanels, std::vector<int>{panelHandle});
  EXPECT_EQ(ui.popupsShown, std::vector<int>{startupPanelHandle});
  EXPECT_EQ(Title(), "QV3380 Customer User Interface");
  EXPECT_EQ(AF0, 0x14);
  EXPECT_EQ(ABF0, 0xD0);
  ExpectModeControlsDimmed(1);
  EXPECT_EQ(Attribute(CheckConnectionButton, ATTR_DIMMED), 1);
  EXPECT_EQ(Attribute(InitiateAcquisition, ATTR_DIMMED), 1);
  for (int item : {menubar::RESETDEFAULT, menubar::IMPORT, menubar::EXPORT, menubar::RESETCFG}) {
    EXPECT_EQ(MenuDimmed(item), 1) << item;
  }
  for (int item : {menubar::EXPORTJSON, menubar::EXIT, menubar::ABOUT}) {
    EXPECT_EQ(MenuDimmed(item), 0) << item;
  }
  EXPECT_TRUE(Bridge().log.empty()) << "nothing is written at start-up";
}

TEST_F(StartupTest, OfflineEnablesEverythingAtOnceAndSendsNothing) {
  StartOffline();
  EXPECT_EQ(OpMode, 0);
  EXPECT_EQ(Title(), "QV3380 Customer GUI - Offline Mode");
  EXPECT_EQ(title, "QV3380 Customer GUI - Offline Mode");
  EXPECT_TRUE(ui.popupsShown.empty());
  ExpectModeControlsDimmed(0);
  EXPECT_EQ(Attribute(InitiateAcquisition, ATTR_DIMMED), 1);
  EXPECT_EQ(Attribute(CheckConnectionButton, ATTR_VISIBLE), 0);
  EXPECT_EQ(Attribute(TextConnCheck, ATTR_VISIBLE), 0);
  for (int item : {menubar::RESETDEFAULT, menubar::IMPORT, menubar::EXPORT}) {
    EXPECT_EQ(MenuDimmed(item), 0) << item;
  }
  EXPECT_EQ(MenuDimmed(menubar::RESETCFG), 1);
  EXPECT_TRUE(Bridge().log.empty()) << Describe(Bridge().log);
}

TEST_F(StartupTest, OnlineEnablesOnlyTheConnectionCheck) {
  Start();
  ChooseOnline();
  EXPECT_EQ(OpMode, 1);
  EXPECT_EQ(Title(), "QV3380 Customer GUI - Online Mode");
  EXPECT_EQ(Attribute(CheckConnectionButton, ATTR_DIMMED), 0);
  ExpectModeControlsDimmed(1);
  EXPECT_EQ(MenuDimmed(menubar::IMPORT), 1);
  EXPECT_TRUE(Bridge().log.empty());
}

TEST_F(StartupTest, FailedChecksShowTheFailureOnceAndKeepTheButton) {
  for (int failure :
       {0, int{HIDBRIDGE_NO_REPLY}, int{HIDBRIDGE_NO_ADAPTER}, int{HIDBRIDGE_ADAPTER_ERROR}}) {
    SCOPED_TRACE(failure);
    SetUp();
    Start();
    ChooseOnline();
    Bridge().forcedResult = failure;
    ASSERT_EQ(Press(CheckConnectionButton), UIE_NO_ERROR);
    EXPECT_EQ(Text(TextConnCheck), "I2C communication failure\n");
    EXPECT_EQ(ConnCheck, 1);
    EXPECT_EQ(Attribute(CheckConnectionButton, ATTR_DIMMED), 0);
    ExpectModeControlsDimmed(1);
    SetCtrlVal(panelHandle, TextConnCheck, "marker");
    ASSERT_EQ(Press(CheckConnectionButton), UIE_NO_ERROR);
    EXPECT_EQ(Text(TextConnCheck), "marker") << "a second failure changes nothing";
    TearDown();
  }
}

TEST_F(StartupTest, SuccessfulCheckEnablesAllAndWritesOnlyTheLookAhead) {
  Start();
  ChooseOnline();
  Bridge().forcedResult = HIDBRIDGE_NO_REPLY;
  Press(CheckConnectionButton);
  Bridge().forcedResult.reset();
  Bridge().chip[0x3F] = 0x33;
  ClearWire();
  ASSERT_EQ(Press(CheckConnectionButton), UIE_NO_ERROR);
  EXPECT_EQ(Text(TextConnCheck), "I2C communication is working\n");
  EXPECT_EQ(Attribute(CheckConnectionButton, ATTR_DIMMED), 1);
  ExpectModeControlsDimmed(0);
  EXPECT_EQ(Attribute(InitiateAcquisition, ATTR_DIMMED), 0);
  const std::vector<WireEvent> expected{
      WireEvent::Pause(0.5),
      {WireEvent::Kind::Read, 0x80, 0x3F, 0x33, 0.0},
      WireEvent::Write(0x40, 0x02),
  };
  EXPECT_EQ(Bridge().log, expected) << Describe(Bridge().log);
  EXPECT_EQ(C0, 0x02);
}

TEST_F(StartupTest, ClosingThePopupEndsTheLoopWithStatusZero) {
  Start();
  ui.script.push_back([] { Store().SendPanelEvent(startupPanelHandle, EVENT_CLOSE); });
  EXPECT_EQ(RunUserInterface(), 0);
  EXPECT_EQ(ui.quitCode, 0);
  EXPECT_FALSE(ui.exitStatus.has_value());
  EXPECT_EQ(OpMode, -1);
  EXPECT_TRUE(Bridge().log.empty());
}

TEST_F(StartupTest, WholeProgramRunsFromMainAndReturnsZero) {
  ui.script.push_back([] { Store().SendPanelEvent(startupPanelHandle, EVENT_CLOSE); });
  char name[] = "qv3380_gui";
  char* argv[] = {name, nullptr};
  EXPECT_EQ(ProgramMain(1, argv), 0);
}

TEST_F(StartupTest, ClickOnTheBlockedMainPanelFlashesThePopupOnlyBeforeAMode) {
  Start();
  Store().SendPanelEvent(panelHandle, EVENT_BLOCKED_CLICK);
  ASSERT_EQ(ui.attentionRequests.size(), 1u);
  EXPECT_EQ(ui.attentionRequests[0].window, ui.NativeWindow(startupPanelHandle));
  EXPECT_EQ(ui.attentionRequests[0].count, 6);
  EXPECT_EQ(ui.attentionRequests[0].intervalMs, 50);
  Store().PressButton(startupPanelHandle, startuppnl::RUNOFFLINE);
  Store().SendPanelEvent(panelHandle, EVENT_BLOCKED_CLICK);
  Store().SendPanelEvent(panelHandle, 8);
  EXPECT_EQ(ui.attentionRequests.size(), 1u);
}

TEST_F(StartupTest, ExitMenuAndCloseBoxEndWithStatusOne) {
  StartOffline();
  ASSERT_EQ(Choose(menubar::EXIT), UIE_NO_ERROR);
  EXPECT_EQ(ui.exitStatus, 1);
  EXPECT_EQ(Store().Find(panelHandle), nullptr) << "the main panel is discarded";

  SetUp();
  StartOffline();
  Store().SendPanelEvent(panelHandle, EVENT_CLOSE);
  EXPECT_EQ(ui.exitStatus, 1);
}

TEST_F(StartupTest, AboutOpensModallyAndClosesWithItsCloseBox) {
  StartOffline();
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(Choose(menubar::ABOUT), UIE_NO_ERROR);
    int about = Store().TopPopup();
    ASSERT_NE(about, 0);
    std::string text;
    GetCtrlVal(about, aboutpnl::TEXTMSG_3, &text);
    EXPECT_EQ(text, "QV3380 Customer Graphical User Interface");
    EXPECT_EQ(Commit(PLL1_N, 90), UIE_NOT_AVAILABLE) << "About is modal";
    Store().SendPanelEvent(about, EVENT_CLOSE);
    EXPECT_EQ(Store().TopPopup(), 0);
  }
}

}  // namespace
}  // namespace qv
