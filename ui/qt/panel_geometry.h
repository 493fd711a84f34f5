#pragma once
// Geometry the definitions leave to the front end: where a label goes when
// its definition gives no place, and the order a reader meets the controls.

#include <QFontMetrics>
#include <QRect>
#include <vector>

#include "ui/panel_defs.h"

namespace qv::qt {

QRect ToQRect(const Rect& rect);

// Beside (or above) the box, sized to its text, unless the definition says where.
QRect LabelGeometry(const ControlDef& control, const QFontMetrics& metrics);

// Whether the user can reach the control with Tab.
bool TakesFocus(const ControlDef& control);

// The controls that take focus, group by group (a group is the decoration
// frame around the control; groups and their contents top to bottom, then
// left to right).
std::vector<const ControlDef*> ReadingOrder(const PanelDef& panel);

}  // namespace qv::qt
