#include "ui/qt/on_off_switch.h"

#include <QPainter>
#include <QPainterPath>

namespace qv::qt {
namespace {

const QColor kOnTrack(0x2E, 0x7D, 0x32);
const QColor kOffTrack(0xD4, 0xD4, 0xD4);
const QColor kBorder(0x7A, 0x7A, 0x7A);
const QColor kFocus(0x30, 0x8C, 0xC6);

}  // namespace

OnOffSwitch::OnOffSwitch(QWidget* parent) : QAbstractButton(parent) {
  setCheckable(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

QSize OnOffSwitch::sizeHint() const {
  const QFontMetrics metrics(font());
  const int textWidth = std::max(metrics.horizontalAdvance(QStringLiteral("Off")),
                                 metrics.horizontalAdvance(QStringLiteral("On")));
  return {2 * textWidth + 24, metrics.height() + 8};
}

void OnOffSwitch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const bool on = isChecked();
  const bool enabled = isEnabled();
  const QRectF track = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const qreal radius = track.height() / 2;

  QColor fill = on ? kOnTrack : kOffTrack;
  if (!enabled) fill = on ? QColor(0x9D, 0xB9, 0x9E) : QColor(0xE4, 0xE4, 0xE4);
  painter.setPen(QPen(hasFocus() ? kFocus : kBorder, hasFocus() ? 2.0 : 1.0));
  painter.setBrush(fill);
  painter.drawRoundedRect(track, radius, radius);

  // The knob covers the half that does not apply; the other half names the state.
  const qreal knobWidth = track.width() / 2;
  const QRectF knob(on ? track.right() - knobWidth : track.left(), track.top(), knobWidth,
                    track.height());
  const QRectF label(on ? track.left() : track.right() - knobWidth, track.top(), knobWidth,
                     track.height());
  painter.setPen(QPen(kBorder, 1.0));
  painter.setBrush(enabled ? QColor(Qt::white) : QColor(0xF4, 0xF4, 0xF4));
  painter.drawRoundedRect(knob.adjusted(1, 1, -1, -1), radius - 1, radius - 1);

  QColor text = on ? QColor(Qt::white) : palette().color(QPalette::ButtonText);
  if (!enabled) text = palette().color(QPalette::Disabled, QPalette::ButtonText);
  painter.setPen(text);
  painter.drawText(label, Qt::AlignCenter, on ? QStringLiteral("On") : QStringLiteral("Off"));
}

}  // namespace qv::qt
