// A whole register set sent online (Reset DUT, Open, the undo of a load):
// the status line counts its steps, and whatever the user does meanwhile waits
// until the set has gone out, so the wire carries the set exactly as without it.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/status_line.h"
#include "files/panel/setup_file_saving.h"
#include "plan/panel/register_decoding.h"
#include "tests/files/temp_folder.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using test::Bridge;
using test::WireEvent;

class OnlineSequence : public test::ProgramTest {
 protected:
  void Restart() {
    SetUp();
    StartOnlineConnected();
    ASSERT_EQ(Commit(PLL1_N, 90), UIE_NO_ERROR);
    ASSERT_EQ(SaveSetupFile(board), 1);
    ASSERT_EQ(Commit(PLL1_N, 100), UIE_NO_ERROR);
    ClearWire();
  }
  std::string Message() const {
    std::string text;
    GetPanelAttribute(panelHandle, ATTR_STATUS_MESSAGE, &text);
    return text;
  }
  void Open() {
    ui.fileAnswers.push_back({VAL_EXISTING_FILE_SELECTED, board});
    ASSERT_EQ(ChooseDiscarding(menubar::IMPORT), UIE_NO_ERROR);
  }

  test::TempFolder folder;
  const std::string board = folder.Path("board.stp");
};

struct Operation {
  const char* what;
  int steps;  // transfers and the pause
  std::function<void()> before;
  std::function<void()> run;
};

struct Meanwhile {
  const char* what;
  std::function<int()> act;
};

TEST_F(OnlineSequence, CountsItsStepsAndHoldsTheUsersActionsTillTheEnd) {
  const Operation operations[] = {
      {"Reset DUT", 42, [] {}, [this] { PressDiscarding(ResetRegisters); }},
      {"Open", 43, [] {}, [this] { Open(); }},
      {"undo of a load", 43,
       [this] {
         Open();
         ClearWire();
       },
       [this] { ASSERT_EQ(Choose(menubar::UNDO), UIE_NO_ERROR); }},
  };
  const Meanwhile meanwhile[] = {
      {"a divider typed", [this] { return Commit(OUT0D, 9); }},
      {"Acquire pressed", [this] { return Press(InitiateAcquisition); }},
      {"a reset chosen", [this] { return Choose(menubar::RESETDEFAULT); }},
  };
  for (const Operation& operation : operations) {
    for (const Meanwhile& during : meanwhile) {
      SCOPED_TRACE(std::string(operation.what) + ", meanwhile " + during.what);
      // The set alone, then the action alone: what the wire must carry.
      Restart();
      operation.before();
      operation.run();
      std::vector<WireEvent> expected = Bridge().log;
      EXPECT_EQ(static_cast<int>(expected.size()), operation.steps);
      ClearWire();
      ui.questionAnswers.assign(1, 2);  // Discard, should a reset ask
      ASSERT_EQ(during.act(), UIE_NO_ERROR);
      expected.insert(expected.end(), Bridge().log.begin(), Bridge().log.end());
      const int outcome = Value(OUT0D);

      // The action taken in the middle of the set.
      Restart();
      operation.before();
      std::vector<std::string> shown;
      const int listener =
          AddWholeSetProgressListener([&](int, int) { shown.push_back(Message()); });
      int transfers = 0;
      int acted = UIE_BAD_PANEL;
      Bridge().onTransfer = [&](const WireEvent&) {
        if (++transfers != 17) return;
        ui.questionAnswers.assign(1, 2);
        acted = during.act();
      };
      operation.run();
      Bridge().onTransfer = nullptr;
      RemoveWholeSetProgressListener(listener);

      EXPECT_EQ(acted, UIE_NO_ERROR) << "taken, to be done once the set is out";
      EXPECT_EQ(test::Describe(Bridge().log), test::Describe(expected));
      EXPECT_EQ(Value(OUT0D), outcome);
      std::vector<std::string> counted;
      for (int done = 0; done <= operation.steps; ++done) {
        counted.push_back(WholeSetProgressText(done, operation.steps));
      }
      // A held reset counts its own steps after the set's.
      shown.resize(std::min(shown.size(), counted.size()));
      EXPECT_EQ(shown, counted);
      EXPECT_EQ(Message().find("Programming"), std::string::npos) << "said while it lasts";
    }
  }
}

}  // namespace
}  // namespace qv
