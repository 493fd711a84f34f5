#include "ui/qt/control_view.h"

#include "ui/qt/look.h"
#include "ui/qt/panel_geometry.h"

namespace qv::qt {
ControlView::ControlView(const ControlDef& def, QWidget* widget, QLabel* label)
    : def_(def), widget_(widget), label_(label) {
  widget_->setObjectName(ToQString(def.constant));
  widget_->setGeometry(ToQRect(def.rect));
  if (label_) {
    label_->setObjectName(ToQString(def.constant) + QStringLiteral("_label"));
    label_->setGeometry(LabelGeometry(def, label_->fontMetrics()));
    label_->setBuddy(widget_);
    const bool placed = def.labelRect.width > 0;
    switch (def.labelSide) {
      case LabelSide::Above: label_->setAlignment(Qt::AlignHCenter | Qt::AlignBottom); break;
      case LabelSide::Right: label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter); break;
      case LabelSide::Left:
        label_->setAlignment((placed ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        break;
    }
  }
}

void ControlView::Mirror(const ControlState& state) {
  const bool hidden = !state.visible;
  if (widget_->isHidden() != hidden) widget_->setHidden(hidden);
  if (widget_->isEnabled() == state.dimmed) widget_->setEnabled(!state.dimmed);
  const QString tooltip = ToQString(state.tooltip);
  if (widget_->toolTip() != tooltip) widget_->setToolTip(tooltip);
  if (label_) {
    if (label_->isHidden() != hidden) label_->setHidden(hidden);
    if (label_->isEnabled() == state.dimmed) label_->setEnabled(!state.dimmed);
    if (label_->toolTip() != tooltip) label_->setToolTip(tooltip);
    QPalette palette = label_->palette();
    SetRole(palette, QPalette::WindowText, Ink(state.labelColor, PanelColor()), Groups::Enabled);
    SetPaletteIfChanged(label_, palette);
  }
  MirrorKind(state);
}

void ControlView::Place(const CanvasLayout& layout) {
  const QRect where = layout.Map(def_.rect, def_.stretch);
  if (widget_->geometry() != where) widget_->setGeometry(where);
  if (widget_->font() != layout.font) widget_->setFont(layout.font);
  if (label_) {
    if (label_->font() != layout.font) label_->setFont(layout.font);
    const QRect design = LabelGeometry(def_, QFontMetrics(layout.designFont));
    const QRect labelWhere = layout.MapLabel(design, def_.stretch);
    if (label_->geometry() != labelWhere) label_->setGeometry(labelWhere);
  }
  PlaceKind(layout);
}

QColor ControlView::Ink(int rgb, const QColor& background) const {
  return Legible(ToQColor(rgb), background);
}

QColor ControlView::PanelColor() const {
  const QWidget* canvas = widget_->parentWidget();
  return canvas ? canvas->palette().color(QPalette::Window) : QColor(Qt::white);
}

}  // namespace qv::qt
