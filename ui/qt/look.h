#pragma once
// How the windows look: the desktop's style, palette and font size, or the
// classic look (one style, font and light palette on every machine). The
// colours the logic sets (validation, inactive, pins) are painted as they are
// either way; only text the logic leaves in plain black is lightened where
// it would not read on a dark background. And the conversions the widgets need.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string_view>

class QApplication;
class QWidget;

namespace qv::qt {

// The panels are designed for text of this height.
inline constexpr int kFontPixelSize = 12;
// Text of a dimmed control: still readable on the logic's grey background.
inline constexpr int kDimmedTextRgb = 0x767676;
// A typed text the control does not take: the validation red.
inline constexpr int kRefusedRgb = 0xFF0000;

// What the desktop gave the application before the program changed anything.
struct DesktopLook {
  QString style;
  QPalette palette;
  QFont font;
};
DesktopLook CaptureDesktopLook(const QApplication& app);
void ApplyApplicationLook(QApplication& app, const DesktopLook& desktop, bool classic);

// The classic look's font, at the size the panels are designed for.
QFont PanelFont();
// The font a panel is drawn in at a scale: the application's family, the
// design size times the scale (rounded down, so text never outgrows its box).
QFont CanvasFont(double scale);
// How much larger than designed the desktop's font makes the panels.
double DesktopScale();

bool IsDark(const QPalette& palette);
// A panel's background: its own colour, unless the desktop is dark.
QColor PanelBackground(int designRgb, const QPalette& palette);
// The WCAG contrast ratio of two colours, 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);
// The colour as it is where it reads on the background; otherwise the same
// hue with its lightness turned over (black becomes white).
QColor Legible(const QColor& ink, const QColor& background);

QColor ToQColor(int rgb);
int ToRgb(const QColor& color);
QString ToQString(std::string_view text);
// "__X" marks X as the mnemonic: Qt's "&X"; a plain "&" must stay visible.
QString MnemonicText(std::string_view text);

// Sets a role in the colour groups a widget uses while enabled, or in every
// group when the colour must survive dimming (text backgrounds, frame lines).
enum class Groups { Enabled, All };
void SetRole(QPalette& palette, QPalette::ColorRole role, const QColor& color, Groups groups);

// Each set repolishes and repaints; the logic repeats the same colours often.
void SetPaletteIfChanged(QWidget* widget, const QPalette& palette);
void SetStyleSheetIfChanged(QWidget* widget, const QString& styleSheet);

}  // namespace qv::qt
