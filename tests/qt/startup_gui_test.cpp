// The windows of start-up, the two ways out, About, and the flash of the
// popup when the user clicks past it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/startup.h"
#include "tests/qt/qt_program_fixture.h"
#include "tests/support/program_fixture.h"
#include "tests/support/recording_bridge.h"
#include "ui/panel_defs.h"
#include "ui/qt/flash_overlay.h"
#include "ui/qt/panel_menu.h"

namespace qv::test {
namespace {

class StartupGui : public QtProgramTest {};

TEST_F(StartupGui, ThePopupWaitsModallyOverTheMainPanel) {
  Start();
  QMainWindow* main = MainWindow();
  QWidget* popup = PopupWindow(startupPanelHandle);
  ASSERT_TRUE(main && popup);
  EXPECT_EQ(main->windowTitle(), "QV3380 Customer User Interface");
  EXPECT_EQ(popup->windowTitle(), "QV3380 User Interface -- Select Operation Mode");
  EXPECT_TRUE(popup->isModal());
  EXPECT_EQ(popup->windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(popup->size(), QSize(352, 166));
  EXPECT_TRUE(main->geometry().contains(popup->geometry().center())) << "centred over it";
  EXPECT_EQ(main->centralWidget()->size(), QSize(1012, 711));
  EXPECT_EQ(main->height(), 711 + main->menuBar()->height() + main->statusBar()->height());
  EXPECT_EQ(Widget<QPushButton>(startuppnl::RUNOFFLINE, startupPanelHandle)->text(),
            "Run In O&ffline Mode (to generate setup file only)");
  EXPECT_FALSE(Widget<QSpinBox>(PLL1_N)->isEnabled());

  // A click on the main panel does not get through.
  Click(Widget<QPushButton>(ResetRegisters));
  EXPECT_EQ(OpMode, OPMODE_UNCHOSEN);
}

TEST_F(StartupGui, OfflineEnablesTheControlsAndNamesTheMode) {
  Start();
  Click(Widget<QPushButton>(startuppnl::RUNOFFLINE, startupPanelHandle));
  EXPECT_EQ(OpMode, OPMODE_OFFLINE);
  EXPECT_FALSE(PopupWindow(startupPanelHandle)->isVisible());
  EXPECT_EQ(MainWindow()->windowTitle(), "QV3380 Customer GUI - Offline Mode");
  for (int control : {PLL1_N, OUT3D_M, REFSEL, BLEEDSDM, PLL2SYNC, ResetRegisters}) {
    EXPECT_TRUE(Window(panelHandle)->Canvas()->View(control)->widget()->isEnabled()) << control;
  }
  EXPECT_FALSE(Widget<QPushButton>(InitiateAcquisition)->isEnabled());
  EXPECT_TRUE(Widget<QPushButton>(CheckConnectionButton)->isHidden());
  qt::PanelMenu* menu = Window(panelHandle)->Menu();
  EXPECT_TRUE(menu->Action(menubar::IMPORT)->isEnabled());
  EXPECT_FALSE(menu->Action(menubar::RESETCFG)->isEnabled());
}

TEST_F(StartupGui, TheStatusLineShowsEachField) {
  StartOffline();
  auto* main = static_cast<qt::MainPanelWindow*>(Window(panelHandle));
  EXPECT_EQ(main->StatusField(ATTR_STATUS_MODE)->text(), "Offline Mode");
  EXPECT_TRUE(main->StatusField(ATTR_STATUS_LINK)->isHidden()) << "an empty field takes no room";
  const QString note = "Map 1 (MARGIN high) would fail: VCO2 2.60000 GHz is above 2.55 GHz";
  SetPanelAttribute(panelHandle, ATTR_STATUS_MESSAGE, note.toStdString());
  EXPECT_EQ(main->StatusField(ATTR_STATUS_MESSAGE)->text(), note);
  EXPECT_TRUE(main->StatusField(ATTR_STATUS_MESSAGE)->isVisible());
  EXPECT_EQ(main->width(), 1012) << "a long message does not widen the window";
}

TEST_F(StartupGui, TheConnectionCheckPausesUnderABusyCursor) {
  std::vector<Qt::CursorShape> cursors;
  ui->SetSleeper([&](double seconds) {
    pauses.push_back(seconds);
    const QCursor* cursor = QApplication::overrideCursor();
    cursors.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
  });
  Start();
  Click(Widget<QPushButton>(startuppnl::RUNONLINE, startupPanelHandle));
  EXPECT_EQ(MainWindow()->windowTitle(), "QV3380 Customer GUI - Online Mode");
  Click(Widget<QPushButton>(CheckConnectionButton));
  EXPECT_EQ(pauses, std::vector<double>{0.5});
  EXPECT_EQ(cursors, std::vector<Qt::CursorShape>{Qt::WaitCursor});
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the cursor is back";
  EXPECT_EQ(Widget<QLabel>(TextConnCheck)->text(), "I2C communication failure\n");
}

TEST_F(StartupGui, ClickingTheBlockedMainWindowFlashesThePopup) {
  Start();
  const qt::FlashOverlay* flash = Window(startupPanelHandle)->Canvas()->Overlay();
  EXPECT_FALSE(flash->Lit());
  ui->PointerPressed(MainWindow()->internalWinId());
  Settle();
  EXPECT_TRUE(flash->Lit());
  EXPECT_TRUE(flash->Flashing());
  QTRY_VERIFY_WITH_TIMEOUT(!flash->Flashing(), 2000);
  EXPECT_FALSE(flash->Lit());

  // Clicks on the popup itself, and any click once a mode is chosen, are ordinary.
  ui->PointerPressed(PopupWindow(startupPanelHandle)->internalWinId());
  Settle();
  EXPECT_FALSE(flash->Flashing());
  Click(Widget<QPushButton>(startuppnl::RUNOFFLINE, startupPanelHandle));
  ui->PointerPressed(MainWindow()->internalWinId());
  Settle();
  EXPECT_FALSE(flash->Flashing());
}

TEST_F(StartupGui, ClosingThePopupEndsTheLoopWithZero) {
  Start();
  QTimer::singleShot(0, [this] { PopupWindow(startupPanelHandle)->close(); });
  EXPECT_EQ(RunUserInterface(), 0);
  EXPECT_EQ(OpMode, OPMODE_UNCHOSEN);
  EXPECT_FALSE(exitStatus.has_value());
  EXPECT_TRUE(Bridge().log.empty());
}

TEST_F(StartupGui, EscapeOnThePopupIsItsCloseBox) {
  Start();
  QTimer::singleShot(0, [this] {
    QTest::keyClick(PopupWindow(startupPanelHandle)->windowHandle(), Qt::Key_Escape);
  });
  EXPECT_EQ(RunUserInterface(), 0);
  EXPECT_EQ(OpMode, OPMODE_UNCHOSEN);
}

TEST_F(StartupGui, AboutOpensModallyWithItsTextsAndPicturesAndCloses) {
  StartOffline();
  for (int round = 0; round < 2; ++round) {
    Window(panelHandle)->Menu()->Action(menubar::ABOUT)->trigger();
    const int about = Store().TopPopup();
    ASSERT_NE(about, 0);
    QWidget* window = PopupWindow(about);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), "About QV3380 Customer GUI");
    EXPECT_EQ(window->size(), QSize(395, 188));
    EXPECT_EQ(Widget<QLabel>(aboutpnl::TEXTMSG_3, about)->text(),
              "QV3380 Customer Graphical User Interface");
    for (int picture : {aboutpnl::PICTURE, aboutpnl::PICTURE_2}) {
      EXPECT_FALSE(Widget<QLabel>(picture, about)->pixmap().isNull()) << picture;
    }
    QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(Store().TopPopup(), 0);
    EXPECT_EQ(Window(about), nullptr) << "each opening has its own copy";
  }
}

TEST_F(StartupGui, TheWindowIconIsTheToolsIcon) {
  Start();
  EXPECT_FALSE(QApplication::windowIcon().isNull());
  EXPECT_FALSE(MainWindow()->windowIcon().isNull());
}

// The exit paths end the process itself, so each runs the whole program, as
// main does, in a process of its own.
class ExitPaths : public QtProgramTest {
 protected:
  enum class Mode { Unchosen, Offline };
  [[noreturn]] void RunProgram(Mode mode, std::function<void(QWidget* main)> userSteps) {
    TearDown();
    ResetProgramState();
    qt::QtFrontEnd frontEnd;
    InstallFrontEnd(&frontEnd);
    QTimer::singleShot(0, [mode, userSteps] {
      if (mode == Mode::Offline) Store().PressButton(startupPanelHandle, startuppnl::RUNOFFLINE);
      userSteps(TopLevel<QMainWindow>());
    });
    char name[] = "qv3380_gui";
    char* argv[] = {name, nullptr};
    std::exit(ProgramMain(1, argv));
  }
  template <typename W>
  static W* TopLevel() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* found = qobject_cast<W*>(window); found && found->isVisible()) return found;
    }
    return nullptr;
  }
};

TEST_F(ExitPaths, CtrlQEndsWithStatusOne) {
  EXPECT_EXIT(RunProgram(Mode::Offline,
                         [](QWidget* main) {
                           main->activateWindow();
                           QTest::keyClick(main->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
                         }),
              ::testing::ExitedWithCode(1), "");
}

TEST_F(ExitPaths, TheMainWindowsCloseBoxEndsWithStatusOne) {
  EXPECT_EXIT(RunProgram(Mode::Offline, [](QWidget* main) { main->close(); }),
              ::testing::ExitedWithCode(1), "");
}

TEST_F(ExitPaths, TheModePopupsCloseBoxEndsWithStatusZero) {
  EXPECT_EXIT(RunProgram(Mode::Unchosen, [](QWidget*) { TopLevel<QDialog>()->close(); }),
              ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace qv::test
