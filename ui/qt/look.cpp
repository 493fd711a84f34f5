#include "ui/qt/look.h"

#include <QApplication>
#include <QFontInfo>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace qv::qt {
namespace {

// Text that reads: large enough a contrast for labels of this size.
constexpr double kLegibleContrast = 3.0;
// The desktop may make the panels this much smaller or larger.
constexpr double kSmallestDesktopScale = 0.75;
constexpr double kLargestDesktopScale = 2.0;

double Luminance(const QColor& color) {
  const auto channel = [](double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
         0.0722 * channel(color.blueF());
}

}  // namespace

DesktopLook CaptureDesktopLook(const QApplication& app) {
  return {app.style()->name(), QApplication::palette(), QApplication::font()};
}

void ApplyApplicationLook(QApplication& app, const DesktopLook& desktop, bool classic) {
  if (classic) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(PanelFont());
    app.setPalette(app.style()->standardPalette());
    return;
  }
  if (QStyle* style = QStyleFactory::create(desktop.style)) app.setStyle(style);
  app.setFont(desktop.font);
  app.setPalette(desktop.palette);
}

QFont PanelFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(kFontPixelSize);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont CanvasFont(double scale) {
  QFont font = QApplication::font();
  font.setPixelSize(std::max(1, static_cast<int>(std::floor(kFontPixelSize * scale + 1e-6))));
  return font;
}

double DesktopScale() {
  const double pixels = QFontInfo(QApplication::font()).pixelSize();
  return std::clamp(pixels / kFontPixelSize, kSmallestDesktopScale, kLargestDesktopScale);
}

bool IsDark(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

QColor PanelBackground(int designRgb, const QPalette& palette) {
  return IsDark(palette) ? palette.color(QPalette::Window) : ToQColor(designRgb);
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Legible(const QColor& ink, const QColor& background) {
  if (ContrastRatio(ink, background) >= kLegibleContrast) return ink;
  float hue = 0, saturation = 0, lightness = 0;
  ink.getHslF(&hue, &saturation, &lightness);
  return QColor::fromHslF(hue, saturation, 1.0F - lightness);
}

QColor ToQColor(int rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFF)); }

int ToRgb(const QColor& color) { return static_cast<int>(color.rgb() & 0xFFFFFF); }

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString MnemonicText(std::string_view text) {
  QString result = ToQString(text);
  result.replace(QLatin1Char('&'), QStringLiteral("&&"));
  // One mnemonic: a later "__" (in a file name the text shows) stays as it is.
  if (const qsizetype marker = result.indexOf(QStringLiteral("__")); marker >= 0) {
    result.replace(marker, 2, QStringLiteral("&"));
  }
  return result;
}

void SetRole(QPalette& palette, QPalette::ColorRole role, const QColor& color, Groups groups) {
  palette.setColor(QPalette::Active, role, color);
  palette.setColor(QPalette::Inactive, role, color);
  if (groups == Groups::All) palette.setColor(QPalette::Disabled, role, color);
}

void SetPaletteIfChanged(QWidget* widget, const QPalette& palette) {
  if (!widget->testAttribute(Qt::WA_SetPalette) || widget->palette() != palette) {
    widget->setPalette(palette);
  }
}

void SetStyleSheetIfChanged(QWidget* widget, const QString& styleSheet) {
  if (widget->styleSheet() != styleSheet) widget->setStyleSheet(styleSheet);
}

}  // namespace qv::qt
