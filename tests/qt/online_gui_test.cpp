// The real windows while a whole set goes to the chip: they repaint, the
// status line counts the steps, and what reaches the program meanwhile (a
// close, a focus change that commits typed text, a click that gets through)
// waits until the set is out; the wire carries the set as it would alone.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "files/panel/kept_settings.h"
#include "files/panel/recent_files.h"
#include "files/panel/setup_file_saving.h"
#include "plan/panel/register_decoding.h"
#include "tests/files/temp_folder.h"
#include "tests/qt/qt_program_fixture.h"
#include "tests/support/recording_bridge.h"
#include "ui/qt/panel_menu.h"

namespace qv::test {
namespace {

// The texts a label shows each time it is painted.
class PaintedTexts : public QObject {
 public:
  explicit PaintedTexts(QLabel* label) : label_(label) { label_->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) texts.push_back(label_->text().toStdString());
    return false;
  }
  std::vector<std::string> texts;

 private:
  QLabel* label_;
};

class OnlineGui : public QtProgramTest {
 protected:
  void SetUp() override {
    QtProgramTest::SetUp();
    InstallSettingsStore(&settings);
    Start();
    Click(Widget<QWidget>(startuppnl::RUNONLINE, startupPanelHandle));
    Bridge().chip[0x3F] = 0x5A;
    Click(Widget<QWidget>(CheckConnectionButton));
    ASSERT_EQ(State(TextConnCheck).text, "I2C communication is working\n");
    MainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainWindow()));
    // Unsaved changes are discarded when asked.
    ui->dialogs().SetRunner([](QDialog& dialog) {
      if (auto* discard = dialog.findChild<QPushButton*>(QStringLiteral("answer2"))) {
        discard->click();
      }
      return 0;
    });
    ASSERT_EQ(SaveSetupFile(board), 1);
    RememberSetupFile(board);
    Bridge().log.clear();
  }
  void TearDown() override {
    InstallSettingsStore(nullptr);
    QtProgramTest::TearDown();
  }
  // File > Recent Files > 1 board.stp, as the menu opens it.
  void Open() { Window(panelHandle)->Menu()->Action(menubar::RECENT1)->trigger(); }
  QLabel* Message() const {
    return static_cast<qt::MainPanelWindow*>(Window(panelHandle))->StatusField(ATTR_STATUS_MESSAGE);
  }
  TempFolder folder;
  const std::string board = folder.Path("board.stp");
  SettingsFileStore settings{folder.Path("settings.conf")};
};

TEST_F(OnlineGui, RepaintsCountsAndHoldsWhatArrivesUntilTheSetIsOut) {
  // Each arrives on the UI thread as the 17th transfer goes out; the last ends the program.
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"nothing", [] {}},
      {"text typed, then committed by leaving the field",
       [this] {
         TypeInto(Widget<QLineEdit>(REFFREQ), "19.44");
         Widget<QSpinBox>(PLL1_N)->setFocus();
       }},
      {"the window closed", [this] { MainWindow()->close(); }},
  };
  std::vector<WireEvent> alone;
  std::string refclk;
  for (const auto& [what, act] : cases) {
    SCOPED_TRACE(what);
    Bridge().log.clear();
    PaintedTexts painted(Message());
    const int observer = AddTransferObserver([this](const Transfer&) {
      if (exitStatus) ADD_FAILURE() << "closed in the middle of the set";
    });
    int transfers = 0;
    Bridge().onTransfer = [&](const WireEvent&) {
      // Not on the UI thread: what it posts arrives while the program waits.
      if (++transfers == 17) QMetaObject::invokeMethod(qApp, act, Qt::QueuedConnection);
    };
    Open();
    Bridge().onTransfer = nullptr;
    RemoveTransferObserver(observer);
    Settle();

    ASSERT_GE(Bridge().log.size(), 43u);
    const std::vector<WireEvent> set(Bridge().log.begin(), Bridge().log.begin() + 43);
    if (alone.empty()) alone = set;
    EXPECT_EQ(Describe(set), Describe(alone)) << "the set, as alone, before anything else";
    EXPECT_GE(painted.texts.size(), 10u) << "the status line was repainted as the set went out";
    EXPECT_NE(
        std::find(painted.texts.begin(), painted.texts.end(), "Programming the chip: 17 of 43"),
        painted.texts.end());
    if (!exitStatus) refclk = State(REFFREQ).text;
  }
  EXPECT_EQ(refclk, "19.44") << "committed after the load's 25.000000";
  EXPECT_EQ(exitStatus, 1) << "closed once the set was out";
}

}  // namespace
}  // namespace qv::test
