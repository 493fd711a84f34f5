// The real windows as a desktop user expects them: drawn to any size with
// every control inside, fitting any screen, zooming; one mnemonic per letter
// in each menu; Enter pressing a planner's Find; the logic's colours on a
// light and a dark desktop with text that reads; a click on a block going to
// its control; the user guide; places kept for the next run.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QTest>
#include <QTextBrowser>
#include <cmath>
#include <fstream>
#include <map>
#include <set>

#include "app/clock_tree_window.h"
#include "app/register_map.h"
#include "tests/qt/qt_program_fixture.h"
#include "ui/paint/scene_painter.h"
#include "ui/qt/help_window.h"
#include "ui/qt/look.h"
#include "ui/qt/panel_geometry.h"
#include "ui/qt/panel_menu.h"
#include "ui/qt/scene_widget.h"
#include "ui/qt/window_fit.h"

namespace qv::test {
namespace {

using qt::ToRgb;

class DesktopGui : public QtProgramTest {
 protected:
  qt::MainPanelWindow* Main() const {
    return static_cast<qt::MainPanelWindow*>(Window(panelHandle));
  }
  // Every control and label of a panel that is shown lies inside `area`.
  static void ExpectInside(const qt::PanelWindow& window, const QRect& area, const char* where) {
    const qt::PanelCanvas& canvas = *window.Canvas();
    for (const ControlDef& def : canvas.Definition().controls) {
      const qt::ControlView* view = canvas.View(def.id);
      for (const QWidget* widget : {view->widget(), static_cast<QWidget*>(view->label())}) {
        if (!widget) continue;
        const QRect at(widget->mapTo(window.Canvas()->window(), QPoint(0, 0)), widget->size());
        EXPECT_TRUE(area.contains(at)) << where << ": " << def.constant << " at " << at.x() << ","
                                       << at.y() << " " << at.width() << "x" << at.height();
        EXPECT_FALSE(at.isEmpty()) << where << ": " << def.constant;
      }
    }
  }
};

// Scales 1, 1.5, 2 and the smallest: every control inside the window, text
// in a font of the scale; stretched windows from their smallest size to twice
// their panel's, every control inside.
TEST_F(DesktopGui, EveryControlLiesInsideTheWindowAtEveryScale) {
  StartOffline();
  qt::MainPanelWindow* main = Main();
  for (double scale : {1.0, 1.5, 2.0, qt::kSmallestScale}) {
    SCOPED_TRACE(scale);
    main->resize(main->SizeFor(scale));
    Settle();
    EXPECT_NEAR(main->Scale(), scale, 0.01);
    const QRect host(main->centralWidget()->mapTo(main, QPoint(0, 0)),
                     main->centralWidget()->size());
    ExpectInside(*main, host, "main");
    EXPECT_EQ(Widget<QSpinBox>(PLL1_N)->font().pixelSize(),
              static_cast<int>(std::floor(qt::kFontPixelSize * scale + 1e-6)));
  }
  // A window of another shape: the panel keeps its shape, in the middle.
  main->resize(main->SizeFor(1.0) + QSize(400, 0));
  Settle();
  EXPECT_NEAR(main->Scale(), 1.0, 0.01);
  EXPECT_EQ(Window(panelHandle)->Canvas()->x(), 200);

  for (int item : {menubar::REGISTERMAP, menubar::CLOCKTREE}) {
    ASSERT_EQ(Store().ChooseMenuItem(panelHandle, item), UIE_NO_ERROR);
  }
  for (int panel : {RegisterMapPanel(), ClockTreePanel()}) {
    qt::PanelWindow* window = Window(panel);
    QWidget* top = window->Window();
    const PanelDef& def = window->Canvas()->Definition();
    for (QSize size : {top->minimumSize(), QSize(def.width, def.height) * 2}) {
      top->resize(size);
      Settle();
      ExpectInside(*window, top->rect(), def.constant.data());
    }
    EXPECT_LE(top->minimumHeight(), 600) << "room enough on a laptop";
  }
}

// At 1x on a laptop and at 2x on a large screen, the window with its frame
// fits the screen's available area.
TEST_F(DesktopGui, TheOpeningSizeFitsTheScreen) {
  StartOffline();
  const QSize chrome = Main()->SizeFor(1.0) - QSize(1012, 711);
  struct Screen {
    const char* name;
    QRect available;  // in the screen's logical pixels
  };
  for (const Screen& screen :
       {Screen{"1366x768, a panel of 32", {0, 0, 1366, 736}},
        Screen{"2560x1440 at 2x", {0, 0, 1280, 720}}, Screen{"1920x1200", {0, 0, 1920, 1200}}}) {
    const double scale = std::min(
        1.0, qt::LargestFittingScale({1012, 711}, chrome, qt::kAssumedFrame, screen.available));
    const QSize framed =
        Main()->SizeFor(scale) + QSize(qt::kAssumedFrame.left() + qt::kAssumedFrame.right(),
                                       qt::kAssumedFrame.top() + qt::kAssumedFrame.bottom());
    EXPECT_LE(framed.width(), screen.available.width()) << screen.name;
    EXPECT_LE(framed.height(), screen.available.height()) << screen.name;
    EXPECT_GE(scale, qt::kSmallestScale) << screen.name;
  }
  // Beside the main window where there is room, else against the right edge.
  const QRect screen(0, 0, 2560, 1440);
  EXPECT_EQ(qt::BesideMain({1000, 760}, {100, 50, 1020, 790}, screen), QPoint(1120, 50));
  EXPECT_EQ(qt::BesideMain({1000, 760}, {1500, 50, 1020, 790}, screen), QPoint(500, 50));
  EXPECT_EQ(qt::BesideMain({1000, 760}, {300, 50, 1020, 790}, {0, 0, 1366, 736}), QPoint(366, 0));
}

TEST_F(DesktopGui, ZoomStepsAndActualSize) {
  StartOffline();
  qt::MainPanelWindow* main = Main();
  struct Step {
    int item;
    double scale;
  };
  for (const Step& step :
       {Step{menubar::ZOOMOUT, 0.875}, Step{menubar::ZOOMOUT, 0.75}, Step{menubar::ZOOMOUT, 0.75},
        Step{menubar::ACTUALSIZE, 1.0}, Step{menubar::ZOOMIN, 1.25}, Step{menubar::ZOOMIN, 1.5}}) {
    ASSERT_EQ(Store().ChooseMenuItem(panelHandle, step.item), UIE_NO_ERROR);
    Settle();
    EXPECT_NEAR(main->Scale(), step.scale, 0.01);
    EXPECT_NEAR(main->width(), main->SizeFor(step.scale).width(), 1);
    EXPECT_NEAR(main->height(), main->SizeFor(step.scale).height(), 1);
  }
  // 1.75 would not fit the 1920 x 1200 screen: as large as it allows.
  ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::ZOOMIN), UIE_NO_ERROR);
  Settle();
  EXPECT_GT(main->Scale(), 1.5);
  EXPECT_LT(main->Scale(), 1.75);
  EXPECT_TRUE(main->screen()->availableGeometry().contains(main->frameGeometry()));
  EXPECT_EQ(qt::NextZoom(1.0, 1), 1.25);
  EXPECT_EQ(qt::NextZoom(1.3, -1), 1.25);
  EXPECT_EQ(qt::NextZoom(3.0, 1), 3.0);
  const QList<QKeySequence> keys = Main()->Menu()->Action(menubar::ZOOMIN)->shortcuts();
  EXPECT_TRUE(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_Plus)));
  EXPECT_EQ(Main()->Menu()->Action(menubar::ACTUALSIZE)->shortcut(),
            QKeySequence(Qt::CTRL | Qt::Key_0));
  EXPECT_EQ(Main()->Menu()->Action(menubar::USERGUIDE)->shortcut(), QKeySequence(Qt::Key_F1));
}

// Alt and a letter reaches one item only: in every menu each item has a
// mnemonic of its own, and so has each menu on the bar.
TEST_F(DesktopGui, EveryMenuHasUniqueMnemonics) {
  StartOffline();
  std::vector<const QWidget*> menus{MainWindow()->menuBar()};
  while (!menus.empty()) {
    const QWidget* menu = menus.back();
    menus.pop_back();
    std::map<QChar, QString> taken;
    for (const QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      if (action->menu()) menus.push_back(action->menu());
      const QString text = action->text();
      const qsizetype mark = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
      if (!action->isVisible() && text.isEmpty()) continue;  // a recent file not there yet
      ASSERT_GE(mark, 0) << "no mnemonic: " << text.toStdString();
      const QChar letter = text[mark + 1].toLower();
      EXPECT_FALSE(taken.contains(letter))
          << menu->objectName().toStdString() << ": " << text.toStdString() << " and "
          << taken[letter].toStdString() << " share " << QString(letter).toStdString();
      taken[letter] = text;
    }
  }
}

// Enter in a target presses Find: the typed target counts, the plan shows.
TEST_F(DesktopGui, EnterInATargetPressesFind) {
  StartOffline();
  ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::PLANFROMTARGETS), UIE_NO_ERROR);
  const int dialog = Store().TopPopup();
  QWidget* window = PopupWindow(dialog);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  auto* find = Widget<QPushButton>(planpnl::FINDPLAN, dialog);
  EXPECT_TRUE(find->isDefault());
  auto* target = Widget<QLineEdit>(planpnl::TARGET0, dialog);
  window->activateWindow();
  TypeInto(target, QStringLiteral("125"));
  QTest::keyClick(target, Qt::Key_Return);
  Settle();
  EXPECT_EQ(State(planpnl::TARGET0, dialog).text, "125");
  EXPECT_EQ(State(planpnl::ACHIEVED0, dialog).text, "125.000000");
  EXPECT_TRUE(Widget<QPushButton>(planpnl::APPLY, dialog)->isEnabled());
}

// A click on a block of the clock tree goes to the control it shows.
TEST_F(DesktopGui, ClickingABlockFocusesItsControl) {
  StartOffline();
  ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::CLOCKTREE), UIE_NO_ERROR);
  auto* diagram = Widget<qt::SceneWidget>(clockpnl::DIAGRAM, ClockTreePanel());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(diagram->window()));
  const Scene& scene = *diagram->scene();
  const auto& box = std::get<SceneBox>(scene.Find("out2-v")->shapes.front());
  const QPoint centre = paint::FitTransform(scene, diagram->rect())
                            .map(QPointF(box.x + box.width / 2, box.y + box.height / 2))
                            .toPoint();
  EXPECT_EQ(diagram->GroupAt(centre), "out2-v");
  QTest::mouseClick(diagram->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                    diagram->mapTo(diagram->window(), centre));
  Settle();
  EXPECT_EQ(QApplication::focusWidget(), Widget<QSpinBox>(OUT2V));
  EXPECT_EQ(State(clockpnl::DIAGRAM, ClockTreePanel()).text, "out2-v");
}

// Light and dark desktops: the logic's colours are painted as they are, the
// panel takes the desktop's background when it is dark, and every text drawn
// on the panel or on a button reads.
class DesktopPalette : public DesktopGui, public testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    saved_ = QApplication::palette();
    if (GetParam()) QApplication::setPalette(Dark());
    DesktopGui::SetUp();
  }
  void TearDown() override {
    DesktopGui::TearDown();
    QApplication::setPalette(saved_);
  }
  static QPalette Dark() {
    QPalette dark;
    for (auto [role, rgb] : {std::pair{QPalette::Window, 0x2d2d2d},
                             {QPalette::WindowText, 0xe0e0e0},
                             {QPalette::Base, 0x1e1e1e},
                             {QPalette::Text, 0xe0e0e0},
                             {QPalette::Button, 0x3a3a3a},
                             {QPalette::ButtonText, 0xe0e0e0}}) {
      dark.setColor(role, qt::ToQColor(rgb));
    }
    return dark;
  }
  QPalette saved_;
};

TEST_P(DesktopPalette, TheLogicsColoursStayAndTextReads) {
  StartOffline();
  const bool dark = GetParam();
  const qt::PanelCanvas* canvas = Window(panelHandle)->Canvas();
  const QColor background = canvas->palette().color(QPalette::Window);
  EXPECT_EQ(ToRgb(background), dark ? 0x2d2d2d : 0xECE9D8);
  for (const ControlDef& def : canvas->Definition().controls) {
    SCOPED_TRACE(std::string(def.constant));
    const ControlState& state = State(def.id);
    const qt::ControlView* view = canvas->View(def.id);
    QWidget* widget = view->widget();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
      EXPECT_EQ(ToRgb(spin->palette().color(QPalette::Base)), state.textBgColor);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      EXPECT_EQ(ToRgb(edit->palette().color(QPalette::Base)), state.textBgColor);
    } else if (def.kind == ControlKind::Decoration) {
      EXPECT_EQ(ToRgb(widget->palette().color(QPalette::WindowText)), state.frameColor);
    } else if (def.kind == ControlKind::TextMessage && widget->isVisible()) {
      EXPECT_GE(qt::ContrastRatio(widget->palette().color(QPalette::WindowText), background), 3.0);
    } else if (def.kind == ControlKind::CommandButton && widget->isVisible() &&
               widget->isEnabled()) {
      const QPalette& palette = widget->palette();
      EXPECT_GE(
          qt::ContrastRatio(palette.color(QPalette::ButtonText), palette.color(QPalette::Button)),
          3.0);
    }
    if (const QLabel* label = view->label(); label && label->isVisible()) {
      EXPECT_GE(qt::ContrastRatio(label->palette().color(QPalette::WindowText), background), 3.0);
    }
  }
  // On screen too: a white box stays white, a red one red.
  SetCtrlAttribute(panelHandle, OUT0D, ATTR_TEXT_BGCOLOR, 0xFF0000);
  auto* spin = Widget<QSpinBox>(OUT0D);
  EXPECT_EQ(ToRgb(spin->grab().toImage().pixel(spin->width() / 2, 3)), 0xFF0000);
  EXPECT_EQ(ToRgb(Widget<QLineEdit>(Out0Freq)->grab().toImage().pixel(6, 3)), 0xFFFFFF);
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, DesktopPalette, testing::Bool(),
                         [](const auto& info) { return info.param ? "Dark" : "Light"; });

// Classic Look: one style, font and light palette; the desktop's again after.
TEST_F(DesktopGui, ClassicLookAndBack) {
  StartOffline();
  const QString desktopStyle = QApplication::style()->name();
  ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::CLASSICLOOK), UIE_NO_ERROR);
  EXPECT_TRUE(Main()->Menu()->Action(menubar::CLASSICLOOK)->isChecked());
  EXPECT_EQ(QApplication::style()->name(), QStringLiteral("fusion"));
  EXPECT_EQ(QApplication::font().family(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(ToRgb(Window(panelHandle)->Canvas()->palette().color(QPalette::Window)), 0xECE9D8);
  ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::CLASSICLOOK), UIE_NO_ERROR);
  EXPECT_FALSE(Main()->Menu()->Action(menubar::CLASSICLOOK)->isChecked());
  EXPECT_EQ(QApplication::style()->name(), desktopStyle);
}

// F1 opens the guide at its contents; without one the user is told where it was looked for.
TEST_F(DesktopGui, TheUserGuideOpensAtItsContents) {
  QTemporaryDir guide;
  std::ofstream(guide.filePath(QStringLiteral("index.html")).toStdString())
      << "<html><body><h1>Guide</h1></body></html>";
  ui->SetUserGuideFolder(guide.path());
  StartOffline();
  ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::USERGUIDE), UIE_NO_ERROR);
  ASSERT_NE(ui->UserGuide(), nullptr);
  EXPECT_TRUE(ui->UserGuide()->isVisible());
  EXPECT_EQ(ui->UserGuide()->Browser()->source().fileName(), QStringLiteral("index.html"));

  QString said;
  ui->dialogs().SetRunner([&](QDialog& dialog) {
    said = static_cast<QMessageBox&>(dialog).text();
    return int(QDialog::Accepted);
  });
  ui->SetUserGuideFolder(guide.filePath(QStringLiteral("gone")));
  ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::USERGUIDE), UIE_NO_ERROR);
  EXPECT_TRUE(said.startsWith(QStringLiteral("The user guide cannot be shown: no index.html in ")))
      << said.toStdString();
}

// A window beside the panel opens next run where and as large as it was left.
TEST_F(DesktopGui, WindowsKeepTheirPlaceForTheNextRun) {
  StartOffline();
  ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::REGISTERMAP), UIE_NO_ERROR);
  QWidget* map = PopupWindow(RegisterMapPanel());
  map->setGeometry(QRect(QPoint(120, 80), map->minimumSize() + QSize(50, 40)));
  Settle();
  const QRect left = map->geometry();
  ASSERT_EQ(Store().PressButton(RegisterMapPanel(), regmappnl::CLOSE), UIE_NO_ERROR);

  TearDown();
  SetUp();
  StartOffline();
  ASSERT_EQ(Store().ChooseMenuItem(panelHandle, menubar::REGISTERMAP), UIE_NO_ERROR);
  Settle();
  EXPECT_EQ(PopupWindow(RegisterMapPanel())->geometry(), left);
}

}  // namespace
}  // namespace qv::test
