// Desktop habits in the real windows: Ctrl+Z wherever the focus is, the
// unsaved-changes question, dropped files, settings kept in a settings file.

#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "files/panel/baseline.h"
#include "files/panel/kept_settings.h"
#include "files/panel/recent_files.h"
#include "files/panel/setup_file_saving.h"
#include "tests/qt/qt_program_fixture.h"
#include "ui/qt/panel_menu.h"

namespace qv::test {
namespace {

class FileHabitsGui : public QtProgramTest {
 protected:
  void SetUp() override {
    QtProgramTest::SetUp();
    InstallSettingsStore(&settings);
    StartOffline();
    MainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainWindow()));
  }
  static void Enter(QWidget* widget, const QString& text) {
    TypeInto(widget, text);
    QTest::keyClick(widget, Qt::Key_Return);
  }
  void TearDown() override {
    InstallSettingsStore(nullptr);
    QtProgramTest::TearDown();
  }
  QTemporaryDir folder;
  SettingsFileStore settings{folder.filePath(QStringLiteral("settings.conf")).toStdString()};
};

TEST_F(FileHabitsGui, UndoAndRedoKeysReachTheMenuFromAFocusedField) {
  QSpinBox* spin = Widget<QSpinBox>(OUT0D);
  Enter(spin, "12");
  ASSERT_EQ(State(OUT0D).value, 12);
  ASSERT_TRUE(spin->hasFocus());
  QTest::keyClick(spin, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(State(OUT0D).value, 4) << "the spin box's own undo did not take the key";
  EXPECT_EQ(spin->value(), 4);
  QTest::keyClick(spin, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(State(OUT0D).value, 12);
  QTest::keyClick(spin, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(State(OUT0D).value, 12) << "nothing left to redo";

  QLineEdit* refclk = Widget<QLineEdit>(REFFREQ);
  Enter(refclk, "19.44");
  ASSERT_EQ(State(REFFREQ).text, "19.44");
  QTest::keyClick(refclk, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(State(REFFREQ).text, "25.0");
  EXPECT_EQ(refclk->text().toStdString(), "25.0");
}

TEST_F(FileHabitsGui, TheQuestionOffersSaveDiscardAndCancelWithEscForCancel) {
  QStringList buttons;
  ui->dialogs().SetRunner([&](QDialog& dialog) {
    auto& box = static_cast<QMessageBox&>(dialog);
    for (QAbstractButton* button : box.buttons()) buttons << button->text();
    EXPECT_EQ(box.defaultButton()->text(), QStringLiteral("&Save..."));
    QTest::keyClick(&box, Qt::Key_Escape);
    return box.result();
  });
  Enter(Widget<QSpinBox>(PLL1_N), "90");
  MainWindow()->close();
  EXPECT_FALSE(exitStatus.has_value()) << "Esc is Cancel";
  EXPECT_EQ(State(PLL1_N).value, 90);
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{"&Discard", "&Save...", "Cancel"}));

  ui->dialogs().SetRunner([](QDialog& dialog) {
    static_cast<QMessageBox&>(dialog).findChild<QPushButton*>(QStringLiteral("answer2"))->click();
    return 0;
  });
  MainWindow()->close();
  EXPECT_EQ(exitStatus, 1) << "Discard, then the usual exit";
}

TEST_F(FileHabitsGui, ADroppedSetupFileOpensAndIsRemembered) {
  const std::string board = folder.filePath(QStringLiteral("board.stp")).toStdString();
  Enter(Widget<QSpinBox>(PLL1_N), "93");
  ASSERT_EQ(SaveSetupFile(board), 1);
  Enter(Widget<QSpinBox>(PLL1_N), "100");
  ui->dialogs().SetRunner([](QDialog& dialog) {
    static_cast<QMessageBox&>(dialog).findChild<QPushButton*>(QStringLiteral("answer2"))->click();
    return 0;
  });

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(board))});
  const QPoint where = MainWindow()->rect().center();
  QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(MainWindow(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(MainWindow(), &drop);
  EXPECT_EQ(State(PLL1_N).value, 93);
  EXPECT_EQ(OpenSetupFile(), board);

  EXPECT_EQ(RecentSetupFiles(), std::vector<std::string>{board});
  // Another run with the same settings file knows the file and its folder.
  SettingsFileStore nextRun(settings.path());
  EXPECT_EQ(nextRun.Read("recentFiles"), std::vector<std::string>{board});
  EXPECT_EQ(nextRun.Read("lastFolder"), std::vector<std::string>{folder.path().toStdString()});
}

// A file name is shown as it is: its "&" and "__" are no mnemonic, only the
// entry's number is.
TEST_F(FileHabitsGui, RecentFileNamesShowAsTheyAre) {
  const std::string name = folder.filePath(QStringLiteral("a&b__c.stp")).toStdString();
  RememberSetupFile(name);
  const QAction* entry = Window(panelHandle)->Menu()->Action(menubar::RECENT1);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text(), "&1  " + QString::fromStdString(name).replace("&", "&&"));
  EXPECT_EQ(QKeySequence::mnemonic(entry->text()), QKeySequence(Qt::ALT | Qt::Key_1));
}

}  // namespace
}  // namespace qv::test
