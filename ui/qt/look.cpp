#include "ui/qt/look.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace qv::qt {

void ApplyApplicationLook(QApplication& app) {
  app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  app.setFont(PanelFont());
  app.setPalette(app.style()->standardPalette());
}

QFont PanelFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(kFontPixelSize);
  font.setStyleHint(QFont::SansSerif);
  return font;
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
