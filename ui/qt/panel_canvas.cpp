#include "ui/qt/panel_canvas.h"

#include <QApplication>

#include "ui/qt/flash_overlay.h"
#include "ui/qt/look.h"
#include "ui/qt/panel_geometry.h"

namespace qv::qt {

PanelCanvas::PanelCanvas(const PanelState& panel, QWidget* parent, QStyle* controlStyle)
    : QWidget(parent), def_(*panel.def) {
  const PanelDef& def = def_;
  resize(def.width, def.height);
  setAutoFillBackground(true);
  ShowBackground();

  // Frames first, so every control lies above the frame around it.
  for (bool frames : {true, false}) {
    for (const ControlDef& control : def.controls) {
      if ((control.kind == ControlKind::Decoration) != frames) continue;
      std::unique_ptr<ControlView> view = MakeControlView(control, panel.handle, this);
      if (controlStyle) {
        view->widget()->setStyle(controlStyle);
        if (view->label()) view->label()->setStyle(controlStyle);
      }
      views_[control.id] = std::move(view);
    }
  }
  QWidget* previous = nullptr;
  for (const ControlDef* control : ReadingOrder(def)) {
    QWidget* next = views_.at(control->id)->widget();
    if (previous) setTabOrder(previous, next);
    previous = next;
  }
  overlay_ = new FlashOverlay(this);
  MirrorAll(panel);
}

void PanelCanvas::ShowBackground() {
  QPalette background = palette();
  SetRole(background, QPalette::Window,
          PanelBackground(def_.backgroundColor, QApplication::palette()), Groups::All);
  setPalette(background);
}

void PanelCanvas::Arrange(const CanvasLayout& layout) {
  layout_ = layout;
  const QSize size = layout.CanvasSize(def_);
  if (this->size() != size) resize(size);
  for (const auto& [id, view] : views_) view->Place(layout);
  overlay_->setGeometry(rect());
}

PanelCanvas::~PanelCanvas() = default;

void PanelCanvas::MirrorControl(const ControlState& state) {
  if (ControlView* view = View(state.def->id)) view->Mirror(state);
}

void PanelCanvas::MirrorAll(const PanelState& panel) {
  for (const ControlState& state : panel.controls) MirrorControl(state);
}

void PanelCanvas::Flash(int count, int intervalMs) { overlay_->Start(count, intervalMs); }

ControlView* PanelCanvas::View(int control) const {
  auto found = views_.find(control);
  return found == views_.end() ? nullptr : found->second.get();
}

ControlView* PanelCanvas::ViewOf(const QWidget* widget) const {
  for (const auto& [id, view] : views_) {
    if (view->widget() == widget) return view.get();
  }
  return nullptr;
}

}  // namespace qv::qt
