// Files as on any desktop: the unsaved-changes question, Save, Save As, the
// open file in the status line, recent files, drops and the command line.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/undo.h"
#include "files/panel/baseline.h"
#include "files/panel/recent_files.h"
#include "files/panel/unsaved_changes.h"
#include "files/setup_file_format.h"
#include "model/registers.h"
#include "tests/files/temp_folder.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

class FileHabits : public test::ProgramTest {
 protected:
  void SaveAs(const std::string& path) {
    ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, path});
    ASSERT_EQ(Choose(menubar::EXPORT), UIE_NO_ERROR);
  }
  void Open(const std::string& path) {
    ui.fileAnswers.push_back({VAL_EXISTING_FILE_SELECTED, path});
    ASSERT_EQ(Choose(menubar::IMPORT), UIE_NO_ERROR);
  }
  std::string Status(int attribute) const {
    std::string text;
    GetPanelAttribute(panelHandle, attribute, &text);
    return text;
  }
  int MenuVisible(int item) const {
    int visible = -1;
    GetMenuBarAttribute(GetPanelMenuBar(panelHandle), item, ATTR_VISIBLE, &visible);
    return visible;
  }
  test::TempFolder folder;
};

// Each way of leaving or replacing the plan, with each answer; and no question
// at all while nothing is unsaved.
TEST_F(FileHabits, TheQuestionComesBeforeLosingWorkAndEachAnswerDoesWhatItSays) {
  struct Action {
    const char* what;
    const char* before;  // how the question names it
    std::function<void()> act;
    std::function<bool()> done;
  };
  const std::string board = folder.Path("board.stp");
  const std::string other = folder.Path("other.stp");
  const Action actions[] = {
      {"Exit", "closing", [&] { Choose(menubar::EXIT); }, [&] { return ui.exitStatus == 1; }},
      {"close box", "closing", [&] { Store().SendPanelEvent(panelHandle, EVENT_CLOSE); },
       [&] { return ui.exitStatus == 1; }},
      {"Open Setup", "opening another setup file", [&] { Open(other); },
       [&] { return OpenSetupFile() == other; }},
      {"recent file", "opening another setup file", [&] { Choose(menubar::RECENT2); },
       [&] { return OpenSetupFile() == other; }},
      {"dropped file", "opening another setup file",
       [&] { Store().DropFiles(panelHandle, {other}); }, [&] { return OpenSetupFile() == other; }},
      {"Reset To Defaults", "resetting to the defaults", [&] { Choose(menubar::RESETDEFAULT); },
       [&] { return Value(PLL1_N) == 100; }},
      {"Reset DUT", "resetting to the defaults", [&] { Press(ResetRegisters); },
       [&] { return Value(PLL1_N) == 100; }},
      {"Reset To Last Setup File", "returning to the last setup file",
       [&] { Choose(menubar::RESETCFG); }, [&] { return CurrentRegisters() == SetupImage; }},
  };
  enum class Answer { NotAsked, Save, Discard, Cancel };
  for (const Action& action : actions) {
    for (Answer answer : {Answer::NotAsked, Answer::Save, Answer::Discard, Answer::Cancel}) {
      SCOPED_TRACE(std::string(action.what) + " answered " +
                   std::to_string(static_cast<int>(answer)));
      SetUp();
      ui.exitStatus.reset();
      ui.fileAnswers.clear();
      StartOffline();
      ASSERT_EQ(Commit(PLL2_N, 95), UIE_NO_ERROR);
      SaveAs(other);
      SaveAs(board);
      Open(board);
      ASSERT_EQ(Commit(PLL1_N, 90), UIE_NO_ERROR);
      ASSERT_EQ(Commit(PLL2_N, 91), UIE_NO_ERROR);
      if (answer == Answer::NotAsked) SaveAs(board);
      const std::string saved = test::ReadText(board);
      ui.questions.clear();
      if (answer != Answer::NotAsked) {
        ui.questionAnswers = {static_cast<int>(answer)};  // Save 1, Discard 2, Cancel 3
      }
      ui.fileAnswers = {{VAL_EXISTING_FILE_SELECTED, other}};

      action.act();
      if (answer == Answer::NotAsked) {
        EXPECT_TRUE(ui.questions.empty());
        EXPECT_TRUE(action.done());
        continue;
      }
      ASSERT_EQ(ui.questions.size(), 1u);
      EXPECT_EQ(ui.questions[0].title, "Unsaved Changes");
      EXPECT_EQ(ui.questions[0].message,
                "board.stp has changes that are not saved.\n\nSave them before " +
                    std::string(action.before) + "?");
      EXPECT_EQ(ui.questions[0].answers,
                (std::vector<std::string>{"__Save", "__Discard", "Cancel"}));
      if (answer == Answer::Cancel) {
        EXPECT_FALSE(action.done());
        EXPECT_EQ(Value(PLL1_N), 90) << "nothing changed";
        EXPECT_FALSE(ui.exitStatus.has_value());
      } else {
        EXPECT_TRUE(action.done());
      }
      EXPECT_EQ(test::ReadText(board) != saved, answer == Answer::Save)
          << "only Save writes the open file";
    }
  }
}

TEST_F(FileHabits, SaveGoesToTheOpenFileAndSaveAsProposesIt) {
  StartOffline();
  const std::string title = Status(ATTR_TITLE);
  EXPECT_EQ(Status(ATTR_STATUS_FILE), "Untitled");
  ASSERT_EQ(Commit(PLL1_N, 90), UIE_NO_ERROR);
  EXPECT_EQ(Status(ATTR_STATUS_FILE), "Untitled *");

  // Without a file, Save asks as Save As does, with the usual proposal.
  ASSERT_EQ(Choose(menubar::SAVE), UIE_NO_ERROR);
  ASSERT_EQ(ui.fileRequests.size(), 1u);
  EXPECT_EQ(ui.fileRequests[0].defaultDirectory, "");
  EXPECT_EQ(ui.fileRequests[0].defaultFileSpec, SETUP_FILE_DEFAULT_NAME);
  EXPECT_EQ(Status(ATTR_STATUS_FILE), "Untitled *") << "cancelled: still unsaved";

  // Saving before a reset, with no file yet, asks for one; cancelling that keeps all.
  ui.fileRequests.clear();
  ui.questionAnswers = {UNSAVED_SAVE};
  ASSERT_EQ(Choose(menubar::RESETDEFAULT), UIE_NO_ERROR);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].message,
            "The setup has changes that are not saved in any file.\n\n"
            "Save them before resetting to the defaults?");
  EXPECT_EQ(ui.questions[0].answers[0], "__Save...");
  EXPECT_EQ(ui.fileRequests.size(), 1u);
  EXPECT_EQ(Value(PLL1_N), 90);

  const std::string board = folder.Path("board.stp");
  SaveAs(board);
  EXPECT_EQ(Status(ATTR_STATUS_FILE), "board.stp");
  EXPECT_EQ(Status(ATTR_STATUS_FILE_TOOLTIP), board);
  ASSERT_EQ(Commit(PLL1_N, 91), UIE_NO_ERROR);
  EXPECT_EQ(Status(ATTR_STATUS_FILE), "board.stp *");
  ASSERT_TRUE(Undo());
  EXPECT_EQ(Status(ATTR_STATUS_FILE), "board.stp") << "undone back to what is saved";
  ASSERT_TRUE(Redo());

  ui.fileRequests.clear();
  ASSERT_EQ(Choose(menubar::SAVE), UIE_NO_ERROR);
  EXPECT_TRUE(ui.fileRequests.empty()) << "an open file is saved without asking";
  EXPECT_NE(test::ReadText(board).find("&h18,&b00001011"), std::string::npos) << "PLL1 N 91";
  EXPECT_EQ(Status(ATTR_STATUS_FILE), "board.stp");

  ASSERT_EQ(Choose(menubar::EXPORT), UIE_NO_ERROR);
  ASSERT_EQ(ui.fileRequests.size(), 1u);
  EXPECT_EQ(ui.fileRequests[0].defaultDirectory + "/", folder.Path(""));
  EXPECT_EQ(ui.fileRequests[0].defaultFileSpec, "board.stp");
  EXPECT_EQ(Status(ATTR_TITLE), title) << "the title names no file";
}

TEST_F(FileHabits, RecentFilesKeepTheLastEightAcrossARestart) {
  StartOffline();
  EXPECT_EQ(MenuDimmed(menubar::RECENT), 1) << "nothing yet";
  for (int i = 0; i < 10; ++i) SaveAs(folder.Path("plan" + std::to_string(i) + ".stp"));
  Open(folder.Path("plan4.stp"));

  SetUp();  // a new run; the front end keeps its settings as a desktop does
  StartOffline();
  const std::vector<std::string> recent = RecentSetupFiles();
  ASSERT_EQ(recent.size(), 8u);
  EXPECT_EQ(recent[0], folder.Path("plan4.stp"));
  EXPECT_EQ(recent[1], folder.Path("plan9.stp"));
  EXPECT_EQ(recent[7], folder.Path("plan2.stp")) << "plan4 moved to the front";
  EXPECT_EQ(LastSetupFolder() + "/", folder.Path(""));
  EXPECT_EQ(MenuDimmed(menubar::RECENT), 0);
  EXPECT_EQ(MenuText(menubar::RECENT1), "__1  " + folder.Path("plan4.stp"));
  EXPECT_EQ(MenuVisible(menubar::RECENT8), 1);

  std::remove(folder.Path("plan9.stp").c_str());
  ASSERT_EQ(Choose(menubar::RECENT3), UIE_NO_ERROR);  // plan8
  EXPECT_EQ(OpenSetupFile(), folder.Path("plan8.stp"));
  EXPECT_EQ(RecentSetupFiles()[0], folder.Path("plan8.stp"));
  EXPECT_EQ(MenuDimmed(menubar::RECENT3), 1) << "plan9 is gone";

  ui.fileRequests.clear();
  ASSERT_EQ(Choose(menubar::IMPORT), UIE_NO_ERROR);
  EXPECT_EQ(ui.fileRequests.back().defaultDirectory + "/", folder.Path("")) << "the last folder";

  ASSERT_EQ(Choose(menubar::CLEARRECENT), UIE_NO_ERROR);
  EXPECT_TRUE(RecentSetupFiles().empty());
  EXPECT_EQ(MenuVisible(menubar::RECENT1), 0);
}

TEST_F(FileHabits, AFileOnTheCommandLineOpensOnceAModeIsChosen) {
  const std::string board = folder.Path("board.stp");
  StartOffline();
  ASSERT_EQ(Commit(PLL1_N, 93), UIE_NO_ERROR);
  SaveAs(board);
  for (bool online : {false, true}) {
    SCOPED_TRACE(online ? "online" : "offline");
    SetUp();
    ui.arguments = {board};
    Start();
    EXPECT_EQ(OpenSetupFile(), "") << "not before a mode is chosen";
    if (online) {
      ASSERT_EQ(Store().PressButton(startupPanelHandle, startuppnl::RUNONLINE), UIE_NO_ERROR);
      test::Bridge().chip[0x3F] = 0x5A;
      ASSERT_EQ(Press(CheckConnectionButton), UIE_NO_ERROR);
    } else {
      ASSERT_EQ(Store().PressButton(startupPanelHandle, startuppnl::RUNOFFLINE), UIE_NO_ERROR);
    }
    EXPECT_EQ(OpenSetupFile(), board);
    EXPECT_EQ(Value(PLL1_N), 93);
    EXPECT_EQ(Status(ATTR_STATUS_FILE), "board.stp");
  }
}

}  // namespace
}  // namespace qv
