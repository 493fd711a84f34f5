// Typing is committed before anything acts on it: a mnemonic or a menu choice
// right after typing sees the typed text, as Enter or leaving the field would.

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QSpinBox>
#include <QTest>

#include "tests/qt/qt_program_fixture.h"

namespace qv::test {
namespace {

class PendingEdits : public QtProgramTest {
 protected:
  static void Activate(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }
};

TEST_F(PendingEdits, AMnemonicRightAfterTypingActsOnTheTypedTarget) {
  StartOffline();
  ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::PLANFROMTARGETS), UIE_NO_ERROR);
  const int dialog = Store().TopPopup();
  Activate(PopupWindow(dialog));
  QLineEdit* target = Widget<QLineEdit>(planpnl::TARGET0, dialog);
  TypeInto(target, "125");
  ASSERT_TRUE(target->hasFocus());
  QTest::keyClick(target, Qt::Key_F, Qt::AltModifier);  // Find Plan
  // A mnemonic clicks at the end of a short press animation.
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !State(planpnl::ACHIEVED0, dialog).text.empty(); }, 2000));
  EXPECT_EQ(State(planpnl::TARGET0, dialog).text, "125");
  EXPECT_EQ(State(planpnl::ACHIEVED0, dialog).text, "125.000000");
}

TEST_F(PendingEdits, AMenuChoiceCommitsTheFieldBeingTypedInFirst) {
  SpyOn({REFFREQ, OUT0D});
  StartOffline();
  Activate(MainWindow());
  struct Case {
    int control;
    QString typed;
  };
  std::vector<CallbackCall> expected;
  for (const auto& [control, typed] : {Case{REFFREQ, "19.44"}, Case{OUT0D, "7"}}) {
    TypeInto(Widget<QWidget>(control), typed);
    ASSERT_EQ(Commits(), expected) << "nothing while typing";
    // Tools > Plan From Targets... opens with the map's frequencies: the new ones.
    MainWindow()->findChild<QAction*>(QStringLiteral("PLANFROMTARGETS"))->trigger();
    expected.push_back({control, EVENT_COMMIT});
    EXPECT_EQ(Commits(), expected);
    const int dialog = Store().TopPopup();
    ASSERT_NE(dialog, 0);
    Store().SendPanelEvent(dialog, EVENT_CLOSE);
    Activate(MainWindow());
  }
  EXPECT_EQ(State(REFFREQ).text, "19.44");
  EXPECT_EQ(State(OUT0D).value, 7);
}

}  // namespace
}  // namespace qv::test
