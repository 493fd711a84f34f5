#pragma once
// The face of one panel: its background and every control's widgets at the
// places the definitions give, in reading order for Tab.

#include <QWidget>
#include <map>
#include <memory>

#include "ui/panel_store.h"
#include "ui/qt/control_view.h"

namespace qv::qt {

class FlashOverlay;

class PanelCanvas : public QWidget {
 public:
  PanelCanvas(const PanelState& panel, QWidget* parent);
  ~PanelCanvas() override;

  void MirrorControl(const ControlState& state);
  void MirrorAll(const PanelState& panel);
  void Flash(int count, int intervalMs);

  ControlView* View(int control) const;
  // The control whose widget this is; nullptr for any other.
  ControlView* ViewOf(const QWidget* widget) const;
  const FlashOverlay* Overlay() const { return overlay_; }

 private:
  std::map<int, std::unique_ptr<ControlView>> views_;
  FlashOverlay* overlay_;
};

}  // namespace qv::qt
