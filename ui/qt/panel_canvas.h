#pragma once
// The face of one panel: its background and every control's widgets at the
// places the definitions give, in reading order for Tab; drawn at any scale
// (and, for a stretched panel, any size) the window asks for.

#include <QWidget>
#include <map>
#include <memory>

#include "ui/panel_store.h"
#include "ui/qt/control_view.h"

class QStyle;

namespace qv::qt {

class FlashOverlay;

class PanelCanvas : public QWidget {
 public:
  // The controls are drawn in `controlStyle` where one is given (not owned;
  // it outlives the canvas).
  PanelCanvas(const PanelState& panel, QWidget* parent, QStyle* controlStyle = nullptr);
  ~PanelCanvas() override;

  void MirrorControl(const ControlState& state);
  void MirrorAll(const PanelState& panel);
  void Flash(int count, int intervalMs);
  // Every control where the layout puts it, the canvas as large as it says.
  void Arrange(const CanvasLayout& layout);
  const CanvasLayout& Layout() const { return layout_; }
  // The panel's background, as the look has it (after a change of look).
  void ShowBackground();
  const PanelDef& Definition() const { return def_; }

  ControlView* View(int control) const;
  // The control whose widget this is; nullptr for any other.
  ControlView* ViewOf(const QWidget* widget) const;
  const FlashOverlay* Overlay() const { return overlay_; }

 private:
  const PanelDef& def_;
  std::map<int, std::unique_ptr<ControlView>> views_;
  FlashOverlay* overlay_;
  CanvasLayout layout_;
};

}  // namespace qv::qt
