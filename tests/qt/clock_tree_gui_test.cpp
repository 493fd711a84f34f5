// The Clock Tree window as its own top-level window beside the panel: it
// paints the store's picture, shows a block's checks on hover, and closing
// it only hides it while the panel goes on.

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "app/clock_tree_window.h"
#include "tests/qt/qt_program_fixture.h"
#include "ui/paint/scene_painter.h"
#include "ui/qt/scene_widget.h"

namespace qv::test {
namespace {

class ClockTreeGui : public QtProgramTest {
 protected:
  void SetUp() override {
    QtProgramTest::SetUp();
    StartOffline();
    ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::CLOCKTREE), UIE_NO_ERROR);
    Settle();
  }
  QWidget* TreeWindow() const { return PopupWindow(ClockTreePanel()); }
  qt::SceneWidget* Diagram() const {
    return Widget<qt::SceneWidget>(clockpnl::DIAGRAM, ClockTreePanel());
  }
  // Where a block of the diagram shows in the widget.
  QPoint CentreOf(const std::string& id) const {
    const Scene& scene = *Diagram()->scene();
    const auto& box = std::get<SceneBox>(scene.Find(id)->shapes.front());
    const QPointF centre(box.x + box.width / 2, box.y + box.height / 2);
    return paint::FitTransform(scene, Diagram()->rect()).map(centre).toPoint();
  }
};

TEST_F(ClockTreeGui, ASecondWindowThatFollowsThePanelAndShowsWhyOnHover) {
  ASSERT_NE(TreeWindow(), nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(TreeWindow()));
  EXPECT_TRUE(TreeWindow()->isWindow());
  EXPECT_NE(TreeWindow(), MainWindow());
  EXPECT_EQ(TreeWindow()->windowModality(), Qt::NonModal);
  EXPECT_EQ(Diagram()->scene(), State(clockpnl::DIAGRAM, ClockTreePanel()).scene.get())
      << "the widget paints the store's picture";

  ASSERT_EQ(Store().CommitValue(panelHandle, PLL1_N, 120), UIE_NO_ERROR);
  Settle();
  EXPECT_EQ(Diagram()->HoverTextAt(CentreOf("vco1")).toStdString(),
            "VCO1 3.00000 GHz is above 2.55 GHz");
  // Painted in the validation red where the block is.
  const QImage painted = Diagram()->grab().toImage();
  EXPECT_EQ(painted.pixelColor(CentreOf("vco1") + QPoint(0, -16)), QColor(0xFF, 0, 0));

  TreeWindow()->close();
  Settle();
  EXPECT_FALSE(TreeWindow()->isVisible()) << "closing hides it";
  EXPECT_TRUE(MainWindow()->isVisible());
  ASSERT_EQ(Store().CommitValue(panelHandle, PLL1_N, 100), UIE_NO_ERROR) << "the panel goes on";
  ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::CLOCKTREE), UIE_NO_ERROR);
  Settle();
  EXPECT_TRUE(TreeWindow()->isVisible());
  EXPECT_EQ(Diagram()->HoverTextAt(CentreOf("vco1")).toStdString(),
            "VCO1 2.50000 GHz is within 2.15 to 2.55 GHz");
}

}  // namespace
}  // namespace qv::test
