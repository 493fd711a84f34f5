#pragma once
// Geometry the definitions leave to the front end: where a label goes when
// its definition gives no place, and the order a reader meets the controls.

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QSizeF>
#include <vector>

#include "ui/panel_defs.h"

namespace qv::qt {

QRect ToQRect(const Rect& rect);

// The smallest and largest a scaled panel is drawn, relative to its design.
inline constexpr double kSmallestScale = 0.75;
inline constexpr double kLargestScale = 3.0;

// Where a panel's controls go in its window: every design pixel `scale`
// window pixels, and a stretched panel `extra` design pixels wider and
// taller (negative: narrower) than designed, shared out by each control's
// Stretch. Text is drawn in `font`, sized for the scale; a label's place is
// measured in `designFont` at the design size and mapped like its control.
struct CanvasLayout {
  double scale = 1.0;
  QSizeF extra{0.0, 0.0};
  QFont font;
  QFont designFont;

  static CanvasLayout At(double scale, QSizeF extra = QSizeF(0.0, 0.0));
  QRect Map(const Rect& rect, const Stretch& stretch) const;
  // A label keeps its place beside its control: it moves, never grows.
  QRect MapLabel(const QRect& designRect, const Stretch& stretch) const;
  QSize CanvasSize(const PanelDef& panel) const;
  int Length(int designPixels) const;
};

// Beside (or above) the box, sized to its text, unless the definition says where.
QRect LabelGeometry(const ControlDef& control, const QFontMetrics& metrics);

// Whether the user can reach the control with Tab.
bool TakesFocus(const ControlDef& control);

// The controls that take focus, group by group (a group is the decoration
// frame around the control; groups and their contents top to bottom, then
// left to right).
std::vector<const ControlDef*> ReadingOrder(const PanelDef& panel);

}  // namespace qv::qt
