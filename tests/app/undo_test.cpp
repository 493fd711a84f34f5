// Edit > Undo and Redo: every kind of step taken back and done again, online,
// so the chip must follow; the setup image never moves.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/panel_configuration.h"
#include "app/undo.h"
#include "files/panel/baseline.h"
#include "files/panel/setup_file_saving.h"
#include "model/registers.h"
#include "tests/files/temp_folder.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using test::Bridge;

class UndoTest : public test::ProgramTest {
 protected:
  // Online, with a file loaded and MARGIN high: every reset has something to undo.
  void StartWithAFile() {
    StartOnlineConnected();
    ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
    ASSERT_EQ(Commit(OUT3D, 7), UIE_NO_ERROR);
    ASSERT_EQ(SaveSetupFile(folder.Path("board.stp")), 1);
    OpenFile("board.stp");
    ASSERT_EQ(Commit(OUT1D, 9), UIE_NO_ERROR);
    ClearWire();
  }
  void OpenFile(const std::string& name) {
    ui.fileAnswers.push_back({VAL_EXISTING_FILE_SELECTED, folder.Path(name)});
    ASSERT_EQ(ChooseDiscarding(menubar::IMPORT), UIE_NO_ERROR);
  }
  // Every register as the chip holds it (the look-ahead bit is the tool's own).
  static void ExpectChipHolds(const RegisterImage& registers) {
    for (int i = 0; i < REGISTER_COUNT; ++i) {
      const int held = Bridge().chip[kRegisters[i].address];
      const int expected = registers[i] & 0xFF;
      if (i == IDX_C0) {
        EXPECT_EQ(held & ~2, expected & ~2);
      } else {
        EXPECT_EQ(held, expected) << kRegisters[i].name;
      }
    }
  }
  test::TempFolder folder;
};

TEST_F(UndoTest, EveryKindOfStepIsUndoneAndRedoneOnPanelAndChip) {
  struct Case {
    const char* label;
    std::function<void()> act;
    std::function<void()> prepare = nullptr;
  };
  const Case cases[] = {
      {"PLL1 feedback divider N, map 1: 100 -> 102",
       [this] { ASSERT_EQ(Commit(PLL1N_M, 102), UIE_NO_ERROR); }},
      {"REFCLK Frequency (MHz): 25.000000 -> 19.44",
       [this] { ASSERT_EQ(CommitText(REFFREQ, "19.44"), UIE_NO_ERROR); }},
      {"REFSEL: High -> Low", [this] { ASSERT_EQ(Commit(REFSEL, 0), UIE_NO_ERROR); }},
      {"Open Setup other.stp", [this] { OpenFile("other.stp"); },
       [this] {
         ASSERT_EQ(Commit(PLL2_N, 90), UIE_NO_ERROR);
         ASSERT_EQ(SaveSetupFile(folder.Path("other.stp")), 1);
         ASSERT_TRUE(Undo());
       }},
      {"Read From Chip",
       [this] {
         Bridge().chip[kRegisters[IDX_AF0].address] = 0x16;
         ASSERT_EQ(Choose(menubar::READCHIP), UIE_NO_ERROR);
       }},
      {"Reset To Defaults",
       [this] { ASSERT_EQ(ChooseDiscarding(menubar::RESETDEFAULT), UIE_NO_ERROR); }},
      {"Reset DUT", [this] { ASSERT_EQ(PressDiscarding(ResetRegisters), UIE_NO_ERROR); }},
      {"Reset To Last Setup File",
       [this] { ASSERT_EQ(ChooseDiscarding(menubar::RESETCFG), UIE_NO_ERROR); }},
      {"Apply Spread Spectrum",
       [this] {
         ASSERT_EQ(Choose(menubar::SSCPLANNER), UIE_NO_ERROR);
         const int dialog = Store().TopPopup();
         ASSERT_EQ(Store().PressButton(dialog, sscpnl::FIND), UIE_NO_ERROR);
         ASSERT_EQ(Store().PressButton(dialog, sscpnl::APPLY), UIE_NO_ERROR);
       },
       [this] { ASSERT_EQ(Commit(SSCG, 1), UIE_NO_ERROR); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    SetUp();
    StartWithAFile();
    if (HasFailure()) return;
    if (c.prepare) c.prepare();
    const PanelConfiguration before = CapturePanelConfiguration();
    c.act();
    const PanelConfiguration after = CapturePanelConfiguration();
    ASSERT_FALSE(SameConfiguration(before, after)) << "the step changed something";
    EXPECT_EQ(UndoText(), std::string("Undo ") + c.label);
    EXPECT_EQ(MenuText(menubar::UNDO), std::string("__Undo ") + c.label);
    const RegisterImage setupImage = SetupImage;

    ClearWire();
    ASSERT_TRUE(Undo());
    EXPECT_TRUE(SameConfiguration(CapturePanelConfiguration(), before));
    if (before.registers != after.registers) {
      EXPECT_FALSE(Bridge().Writes().empty()) << "online, the chip follows";
    }
    ExpectChipHolds(CurrentRegisters());
    EXPECT_EQ(SetupImage, setupImage);
    EXPECT_EQ(RedoText(), std::string("Redo ") + c.label);

    ASSERT_TRUE(Redo());
    EXPECT_TRUE(SameConfiguration(CapturePanelConfiguration(), after));
    ExpectChipHolds(CurrentRegisters());
    EXPECT_EQ(SetupImage, setupImage);
  }
}

TEST_F(UndoTest, KeepsTwoHundredStepsAndANewStepEndsRedo) {
  StartOffline();
  EXPECT_EQ(MenuDimmed(menubar::UNDO), 1);
  EXPECT_EQ(MenuText(menubar::UNDO), "__Undo");
  for (int i = 0; i < 250; ++i) ASSERT_EQ(Commit(OUT0D, 1 + i % 32), UIE_NO_ERROR);
  for (int i = 249; i >= 50; --i) {
    EXPECT_EQ(Value(OUT0D), 1 + i % 32);
    ASSERT_TRUE(Undo()) << i;
  }
  EXPECT_EQ(Value(OUT0D), 1 + 49 % 32);
  EXPECT_EQ(MenuDimmed(menubar::REDO), 0);
  ASSERT_EQ(Commit(PLL1_N, 90), UIE_NO_ERROR);
  EXPECT_FALSE(Redo()) << "a new step forgets what was undone";
  EXPECT_EQ(MenuDimmed(menubar::REDO), 1);
  ASSERT_TRUE(Undo());
  EXPECT_EQ(Value(PLL1_N), 100);
  // The menu items are the same steps.
  ASSERT_EQ(Choose(menubar::REDO), UIE_NO_ERROR);
  EXPECT_EQ(Value(PLL1_N), 90);
  ASSERT_EQ(Choose(menubar::UNDO), UIE_NO_ERROR);
  EXPECT_EQ(Value(PLL1_N), 100);
  // A commit that changes nothing is no step.
  const std::string next = UndoText();
  ASSERT_EQ(Commit(PLL1_N, 100), UIE_NO_ERROR);
  EXPECT_EQ(UndoText(), next);
}

}  // namespace
}  // namespace qv
