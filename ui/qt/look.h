#pragma once
// The fixed look of every window: one style, one font, one palette, so the
// panel reads the same on every machine; and the conversions the widgets need.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string_view>

class QApplication;
class QWidget;

namespace qv::qt {

inline constexpr int kFontPixelSize = 12;
// Text of a dimmed control: still readable on the logic's grey background.
inline constexpr int kDimmedTextRgb = 0x767676;
// A typed text the control does not take: the validation red.
inline constexpr int kRefusedRgb = 0xFF0000;

void ApplyApplicationLook(QApplication& app);
QFont PanelFont();

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
