// What the user does with each kind of widget reaches the program's callback
// exactly once, and what the program writes reaches the widget without
// calling back.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "tests/qt/qt_program_fixture.h"
#include "ui/qt/look.h"
#include "ui/qt/on_off_switch.h"

namespace qv::test {
namespace {

class UserCommits : public QtProgramTest {
 protected:
  void SetUp() override {
    QtProgramTest::SetUp();
    SpyOn({OUT0D, PLL1N_M, MARGIN, CH1POWER, PLL1SYNC, REFFREQ, ResetRegisters});
    StartOffline();
    MainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainWindow()));
  }
  std::vector<CallbackCall> Once(int control) { return {{control, EVENT_COMMIT}}; }
};

TEST_F(UserCommits, TypingIntoASpinBoxCommitsOnEnterOnly) {
  QSpinBox* spin = Widget<QSpinBox>(OUT0D);
  TypeInto(spin, "12");
  EXPECT_TRUE(Commits().empty()) << "nothing while typing";
  QTest::keyClick(spin, Qt::Key_Return);
  EXPECT_EQ(Commits(), Once(OUT0D));
  EXPECT_EQ(State(OUT0D).value, 12);
  Widget<QSpinBox>(OUT0V)->setFocus();  // leaving after Enter is no second commit
  EXPECT_EQ(Commits(), Once(OUT0D));
}

TEST_F(UserCommits, ADividerTypedInShowsTheNewPlanInTheWidgets) {
  QSpinBox* divider = Widget<QSpinBox>(OUT0D);
  QLineEdit* out0 = Widget<QLineEdit>(Out0Freq);
  EXPECT_EQ(out0->text().toStdString(), " 156.25000");
  TypeInto(divider, "2");
  QTest::keyClick(divider, Qt::Key_Return);
  EXPECT_EQ(Commits(), Once(OUT0D));
  EXPECT_EQ(out0->text().toStdString(), " 312.50000");
  EXPECT_EQ(out0->text().toStdString(), State(Out0Freq).text);

  // A feedback divider past the VCO's range turns the VCO display red.
  QSpinBox* feedback = Widget<QSpinBox>(PLL1_N);
  TypeInto(feedback, "143");
  QTest::keyClick(feedback, Qt::Key_Return);
  QLineEdit* vco = Widget<QLineEdit>(VCO1FREQ);
  EXPECT_EQ(vco->text().toStdString(), "   3.57500");
  EXPECT_NE(State(VCO1FREQ).textBgColor, 0xFFFFFF);
  EXPECT_EQ(qt::ToRgb(vco->palette().color(QPalette::Base)), State(VCO1FREQ).textBgColor);
  EXPECT_EQ(qt::ToRgb(vco->palette().color(QPalette::Text)), State(VCO1FREQ).textColor);
}

TEST_F(UserCommits, EachArrowStepIsACommit) {
  QSpinBox* spin = Widget<QSpinBox>(PLL1N_M);
  spin->setFocus();
  QTest::keyClick(spin, Qt::Key_Up);
  QTest::keyClick(spin, Qt::Key_Up);
  EXPECT_EQ(Commits(),
            (std::vector<CallbackCall>{{PLL1N_M, EVENT_COMMIT}, {PLL1N_M, EVENT_COMMIT}}));
  EXPECT_EQ(State(PLL1N_M).value, 102);
}

TEST_F(UserCommits, ProgramWritesReachTheWidgetsWithoutCallingBack) {
  SetCtrlVal(panelHandle, OUT0D, 7);
  SetCtrlVal(panelHandle, MARGIN, 1);
  SetCtrlVal(panelHandle, CH1POWER, 0);
  SetCtrlVal(panelHandle, PLL1SYNC, 1);
  SetCtrlVal(panelHandle, REFFREQ, "27.0");
  SetCtrlAttribute(panelHandle, PLL1N_M, ATTR_MIN_VALUE, 120);  // clamps 100 to 120
  Settle();
  Widget<QLineEdit>(REFFREQ)->setFocus();
  Widget<QSpinBox>(OUT0D)->setFocus();  // a focus change after the write
  EXPECT_TRUE(Commits().empty());
  EXPECT_EQ(Widget<QSpinBox>(OUT0D)->value(), 7);
  EXPECT_EQ(Widget<QComboBox>(MARGIN)->currentText(), "High");
  EXPECT_FALSE(Widget<qt::OnOffSwitch>(CH1POWER)->isChecked());
  EXPECT_TRUE(Widget<QPushButton>(PLL1SYNC)->isChecked());
  EXPECT_EQ(Widget<QLineEdit>(REFFREQ)->text(), "27.0");
  EXPECT_EQ(Widget<QSpinBox>(PLL1N_M)->value(), 120);
  EXPECT_EQ(Widget<QSpinBox>(PLL1N_M)->minimum(), 120);
}

TEST_F(UserCommits, PickingARingItemCommitsItsValueEvenWhenUnchanged) {
  QComboBox* margin = Widget<QComboBox>(MARGIN);
  margin->setFocus();
  QTest::keyClick(margin, Qt::Key_Down);  // Low -> High
  EXPECT_EQ(Commits(), Once(MARGIN));
  EXPECT_EQ(State(MARGIN).value, 1);
  Q_EMIT margin->activated(margin->currentIndex());  // the same item again
  EXPECT_EQ(Commits().size(), 2u);
}

TEST_F(UserCommits, ClickingASwitchOrAToggleCommitsTheNewState) {
  Click(Widget<qt::OnOffSwitch>(CH1POWER));
  EXPECT_EQ(Commits(), Once(CH1POWER));
  EXPECT_EQ(State(CH1POWER).value, 0);
  EXPECT_FALSE(Widget<qt::OnOffSwitch>(CH1POWER)->isChecked());

  Click(Widget<QPushButton>(PLL1SYNC));
  EXPECT_EQ(Commits(),
            (std::vector<CallbackCall>{{CH1POWER, EVENT_COMMIT}, {PLL1SYNC, EVENT_COMMIT}}));
  EXPECT_EQ(State(PLL1SYNC).value, 1);
}

TEST_F(UserCommits, TheReferenceFrequencyCommitsOnceWhenEdited) {
  QLineEdit* edit = Widget<QLineEdit>(REFFREQ);
  TypeInto(edit, "26.5");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(Commits(), Once(REFFREQ));
  EXPECT_EQ(State(REFFREQ).text, "26.5");
  Widget<QSpinBox>(OUT0V)->setFocus();  // the focus loss after Enter
  EXPECT_EQ(Commits(), Once(REFFREQ));

  // Leaving without typing commits nothing.
  edit->setFocus();
  Widget<QSpinBox>(OUT0V)->setFocus();
  EXPECT_EQ(Commits(), Once(REFFREQ));
}

// A comma is refused where the user sees it, not cut to the number before it.
TEST_F(UserCommits, ARefusedReferenceTextStaysVisibleInRed) {
  QLineEdit* edit = Widget<QLineEdit>(REFFREQ);
  TypeInto(edit, "19,44");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(Commits(), (std::vector<CallbackCall>{}));
  EXPECT_EQ(State(REFFREQ).text, "25.0") << "the panel keeps the last text taken";
  EXPECT_EQ(edit->text(), "19,44");
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(0xFF0000));
  EXPECT_TRUE(edit->toolTip().contains("takes a decimal number of MHz"))
      << edit->toolTip().toStdString();
  TypeInto(edit, "19.44");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(Commits(), Once(REFFREQ));
  EXPECT_NE(edit->palette().color(QPalette::Base), QColor(0xFF0000));
}

TEST_F(UserCommits, DimmedAndHiddenControlsFollowTheStore) {
  SetCtrlAttribute(panelHandle, OUT0D, ATTR_DIMMED, 1);
  SetCtrlAttribute(panelHandle, Out0Freq, ATTR_VISIBLE, 0);
  EXPECT_FALSE(Widget<QSpinBox>(OUT0D)->isEnabled());
  EXPECT_TRUE(Widget<QLineEdit>(Out0Freq)->isHidden());
  EXPECT_TRUE(Label(Out0Freq)->isHidden());
  Click(Widget<QSpinBox>(OUT0D));
  QTest::keyClick(Widget<QSpinBox>(OUT0D), Qt::Key_Up);
  EXPECT_TRUE(Commits().empty());
  SetCtrlAttribute(panelHandle, Out0Freq, ATTR_VISIBLE, 1);
  EXPECT_TRUE(Widget<QLineEdit>(Out0Freq)->isVisible());
}

TEST_F(UserCommits, APressedButtonCommitsOnce) {
  Click(Widget<QPushButton>(ResetRegisters));
  EXPECT_EQ(Commits(), Once(ResetRegisters));
}

}  // namespace
}  // namespace qv::test
