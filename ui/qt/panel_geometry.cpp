#include "ui/qt/panel_geometry.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "ui/qt/look.h"

namespace qv::qt {
namespace {

constexpr int kLabelGap = 6;

const ControlDef* EnclosingFrame(const PanelDef& panel, const ControlDef& control) {
  const QRect box = ToQRect(control.rect);
  const ControlDef* innermost = nullptr;
  for (const ControlDef& frame : panel.controls) {
    if (frame.kind != ControlKind::Decoration || !ToQRect(frame.rect).contains(box)) continue;
    if (!innermost || ToQRect(innermost->rect).contains(ToQRect(frame.rect))) innermost = &frame;
  }
  return innermost;
}

}  // namespace

QRect ToQRect(const Rect& rect) { return {rect.left, rect.top, rect.width, rect.height}; }

CanvasLayout CanvasLayout::At(double scale, QSizeF extra) {
  return {scale, extra, CanvasFont(scale), CanvasFont(1.0)};
}

namespace {

// Both edges rounded, so neighbours stay neighbours at any scale.
QRect Edges(double left, double top, double right, double bottom) {
  const int x0 = static_cast<int>(std::lround(left));
  const int y0 = static_cast<int>(std::lround(top));
  return {x0, y0, std::max(0, static_cast<int>(std::lround(right)) - x0),
          std::max(0, static_cast<int>(std::lround(bottom)) - y0)};
}

}  // namespace

QRect CanvasLayout::Map(const Rect& rect, const Stretch& stretch) const {
  const double left = rect.left + stretch.left * extra.width();
  const double top = rect.top + stretch.top * extra.height();
  const double width = rect.width + stretch.width * extra.width();
  const double height = rect.height + stretch.height * extra.height();
  return Edges(left * scale, top * scale, (left + width) * scale, (top + height) * scale);
}

QRect CanvasLayout::MapLabel(const QRect& designRect, const Stretch& stretch) const {
  return Map({designRect.left(), designRect.top(), designRect.width(), designRect.height()},
             {stretch.left, stretch.top, 0.0, 0.0});
}

QSize CanvasLayout::CanvasSize(const PanelDef& panel) const {
  return {static_cast<int>(std::lround((panel.width + extra.width()) * scale)),
          static_cast<int>(std::lround((panel.height + extra.height()) * scale))};
}

int CanvasLayout::Length(int designPixels) const {
  return std::max(1, static_cast<int>(std::lround(designPixels * scale)));
}

QRect LabelGeometry(const ControlDef& control, const QFontMetrics& metrics) {
  if (control.labelRect.width > 0) return ToQRect(control.labelRect);
  const QRect box = ToQRect(control.rect);
  // The mnemonic marker takes no room; a little slack keeps glyphs off the edge.
  const int textWidth = metrics.horizontalAdvance(MnemonicText(control.label).remove('&')) + 2;
  switch (control.labelSide) {
    case LabelSide::Above: {
      const int width = std::max(textWidth, box.width());
      const int height = metrics.height() + 2;
      return {box.center().x() - (width - 1) / 2, box.top() - 2 - height, width, height};
    }
    case LabelSide::Right: return {box.right() + 1 + kLabelGap, box.top(), textWidth, box.height()};
    case LabelSide::Left:
    default: return {box.left() - kLabelGap - textWidth, box.top(), textWidth, box.height()};
  }
}

bool TakesFocus(const ControlDef& control) {
  switch (control.kind) {
    case ControlKind::CommandButton:
    case ControlKind::Ring:
    case ControlKind::Numeric:
    case ControlKind::OnOffSwitch:
    case ControlKind::ToggleButton:
    case ControlKind::Table: return true;
    case ControlKind::StringBox: return !control.callback.empty();
    default: return false;
  }
}

std::vector<const ControlDef*> ReadingOrder(const PanelDef& panel) {
  struct Entry {
    std::tuple<int, int, int, int> key;
    const ControlDef* control;
  };
  std::vector<Entry> entries;
  for (const ControlDef& control : panel.controls) {
    if (!TakesFocus(control)) continue;
    const ControlDef* frame = EnclosingFrame(panel, control);
    const Rect& group = frame ? frame->rect : control.rect;
    entries.push_back({{group.top, group.left, control.rect.top, control.rect.left}, &control});
  }
  std::ranges::stable_sort(entries, {}, &Entry::key);
  std::vector<const ControlDef*> order;
  order.reserve(entries.size());
  for (const Entry& entry : entries) order.push_back(entry.control);
  return order;
}

}  // namespace qv::qt
