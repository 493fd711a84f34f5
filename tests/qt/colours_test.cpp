// The colours the logic sets are the colours on screen: read back from each
// widget's palette, and from the pixels it draws.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "tests/qt/qt_program_fixture.h"
#include "ui/qt/look.h"

namespace qv::test {
namespace {

using qt::ToRgb;

class Colours : public QtProgramTest {
 protected:
  void SetUp() override {
    QtProgramTest::SetUp();
    StartOffline();
  }
  static int Pixel(QWidget* widget, QPoint at) { return ToRgb(widget->grab().toImage().pixel(at)); }
};

constexpr int kYellow = 0xFFFF00;
constexpr int kRed = 0xFF0000;
constexpr int kGrey = 0xC8C8C8;
constexpr int kMargin = 0xCC33FF;

TEST_F(Colours, TextBackgroundsAndTextsMatchTheStore) {
  struct Case {
    int control;
    int background;
    int text;
  };
  for (auto [control, background, text] :
       {Case{OUT0D, kYellow, 0x000000}, Case{Out0Freq, kRed, 0xFFFFFF},
        Case{PLL2_MOD, kGrey, 0x686868}, Case{REFFREQ, kYellow, 0x000000},
        Case{MARGIN, kGrey, 0x686868}, Case{Pll2OutputFormat, kRed, 0x000000}}) {
    SCOPED_TRACE(control);
    SetCtrlAttribute(panelHandle, control, ATTR_TEXT_BGCOLOR, background);
    SetCtrlAttribute(panelHandle, control, ATTR_TEXT_COLOR, text);
    QWidget* widget = Window(panelHandle)->Canvas()->View(control)->widget();
    const bool combo = qobject_cast<QComboBox*>(widget) != nullptr;
    const QPalette::ColorRole base = combo ? QPalette::Button : QPalette::Base;
    const QPalette::ColorRole ink = combo ? QPalette::ButtonText : QPalette::Text;
    EXPECT_EQ(ToRgb(widget->palette().color(base)), State(control).textBgColor);
    EXPECT_EQ(ToRgb(widget->palette().color(ink)), State(control).textColor);
    // Away from the text and the frame, the box shows its background.
    EXPECT_EQ(Pixel(widget, {widget->width() / 2, 3}), background);
  }
}

TEST_F(Colours, ABackgroundSurvivesDimming) {
  SetCtrlAttribute(panelHandle, PLL1_N, ATTR_TEXT_BGCOLOR, kRed);
  SetCtrlAttribute(panelHandle, PLL1_N, ATTR_DIMMED, 1);
  QSpinBox* spin = Widget<QSpinBox>(PLL1_N);
  EXPECT_EQ(ToRgb(spin->palette().color(QPalette::Disabled, QPalette::Base)), kRed);
  EXPECT_EQ(Pixel(spin, {spin->width() / 2, 3}), kRed);
}

TEST_F(Colours, LabelsFramesAndCaptionsMatchTheStore) {
  SetCtrlAttribute(panelHandle, PLL1N_M, ATTR_LABEL_COLOR, 0x808080);
  EXPECT_EQ(ToRgb(Label(PLL1N_M)->palette().color(QPalette::WindowText)), 0x808080);

  SetCtrlAttribute(panelHandle, BOXMARGINLOW, ATTR_FRAME_COLOR, kMargin);
  auto* frame = Widget<QFrame>(BOXMARGINLOW);
  EXPECT_EQ(ToRgb(frame->palette().color(QPalette::WindowText)), kMargin);
  EXPECT_EQ(Pixel(frame, {frame->width() / 2, 0}), kMargin);
  EXPECT_EQ(Pixel(frame, {frame->width() / 2, 1}), kMargin) << "a 2-pixel line";

  SetCtrlAttribute(panelHandle, STRINGMARGINLOW, ATTR_TEXT_BGCOLOR, kMargin);
  auto* caption = Widget<QLineEdit>(STRINGMARGINLOW);
  EXPECT_EQ(Pixel(caption, {6, caption->height() / 2}), kMargin);
}

TEST_F(Colours, ASyncToggleShowsItsOnOrOffColour) {
  SetCtrlAttribute(panelHandle, PLL1SYNC, ATTR_ON_COLOR, kYellow);
  SetCtrlAttribute(panelHandle, PLL1SYNC, ATTR_OFF_COLOR, kGrey);
  auto* toggle = Widget<QPushButton>(PLL1SYNC);
  EXPECT_EQ(ToRgb(toggle->palette().color(QPalette::Button)), kGrey);
  EXPECT_EQ(Pixel(toggle, {toggle->width() / 2, 3}), kGrey);
  SetCtrlVal(panelHandle, PLL1SYNC, 1);
  EXPECT_EQ(ToRgb(toggle->palette().color(QPalette::Button)), kYellow);
  EXPECT_EQ(Pixel(toggle, {toggle->width() / 2, 4}), kYellow);
}

TEST_F(Colours, ThePanelHasItsBackground) {
  QWidget* canvas = MainWindow()->centralWidget();
  EXPECT_EQ(ToRgb(canvas->palette().color(QPalette::Window)), 0xECE9D8);
  EXPECT_EQ(Pixel(canvas, {1004, 700}), 0xECE9D8);
}

TEST_F(Colours, TooltipsComeFromTheStore) {
  SetCtrlAttribute(panelHandle, OUT0D, ATTR_TOOLTIP, "1 to 32; register 0x22 bits 4:0");
  EXPECT_EQ(Widget<QSpinBox>(OUT0D)->toolTip(), "1 to 32; register 0x22 bits 4:0");
}

}  // namespace
}  // namespace qv::test
