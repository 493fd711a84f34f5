// A second window beside the main one: View > Register Map as the user sees
// it, its tables, a row chosen with the mouse, and its close box.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "chip/registers.h"
#include "tests/qt/qt_program_fixture.h"
#include "ui/qt/look.h"
#include "ui/qt/panel_menu.h"

namespace qv::test {
namespace {

class RegisterMapGui : public QtProgramTest {
 protected:
  int Open() {
    Window(panelHandle)->Menu()->Action(menubar::REGISTERMAP)->trigger();
    Settle();
    const int map = Store().Handles().back();  // loaded on first use, then kept
    EXPECT_TRUE(QTest::qWaitForWindowExposed(PopupWindow(map)));
    return map;
  }
  static QString Cell(QTableWidget* table, int row, int column) {
    return table->item(row, column) ? table->item(row, column)->text() : QString();
  }
};

TEST_F(RegisterMapGui, ASecondWindowThatFollowsThePanelAndClosesToHidden) {
  StartOffline();
  const int map = Open();
  QWidget* window = PopupWindow(map);
  EXPECT_FALSE(window->isModal());
  EXPECT_EQ(window->windowTitle(), "Register Map");
  auto* registers = Widget<QTableWidget>(regmappnl::REGISTERS, map);
  ASSERT_EQ(registers->rowCount(), 32);
  EXPECT_EQ(registers->horizontalHeaderItem(6)->text(), "Changed");
  EXPECT_EQ(Cell(registers, 1, 2), "AF0");
  EXPECT_EQ(Cell(registers, 1, 3), "0x14");

  // The main window still takes the user's edits, and the table follows.
  auto* feedback = Widget<QSpinBox>(PLL1_N);
  feedback->setValue(102);  // as an arrow step does
  Settle();
  EXPECT_EQ(Cell(registers, 1, 3), "0x16");
  EXPECT_EQ(Cell(registers, 1, 6), "changed");
  EXPECT_EQ(registers->item(1, 0)->background().color(),
            qt::ToQColor(State(regmappnl::REGISTERS, map).table.rowColors[1]));
  EXPECT_EQ(registers->item(0, 0)->data(Qt::BackgroundRole), QVariant());

  // A row chosen with the mouse shows its fields.
  registers->scrollToItem(registers->item(IDX_DR1, 2));
  QTest::mouseClick(registers->viewport(), Qt::LeftButton, Qt::NoModifier,
                    registers->visualItemRect(registers->item(IDX_DR1, 2)).center());
  Settle();
  EXPECT_EQ(State(regmappnl::REGISTERS, map).value, IDX_DR1);
  auto* fields = Widget<QTableWidget>(regmappnl::FIELDS, map);
  EXPECT_EQ(fields->rowCount(), 4);
  EXPECT_EQ(Cell(fields, 2, 1), "OUT2 power");

  // The close box hides the window; the main window works on.
  window->close();
  Settle();
  EXPECT_FALSE(window->isVisible());
  ASSERT_NE(Store().Find(map), nullptr);
  feedback->setValue(103);
  Settle();
  EXPECT_EQ(State(PLL1_N).value, 103);
  EXPECT_EQ(Open(), map);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Cell(registers, 1, 3), "0x17");
}

}  // namespace
}  // namespace qv::test
