#pragma once
// One control of a panel as Qt widgets: the widget itself and its label.
// Mirror shows what the store holds; the widget's own signals reach the store
// only through the store's commit functions, never from Mirror.

#include <QLabel>
#include <QWidget>
#include <memory>

#include "ui/panel_defs.h"
#include "ui/panel_store.h"
#include "ui/qt/panel_geometry.h"

namespace qv::qt {

class ControlView {
 public:
  ControlView(const ControlDef& def, QWidget* widget, QLabel* label);
  virtual ~ControlView() = default;
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  void Mirror(const ControlState& state);
  // Puts the widget and its label where the layout says, in its font.
  void Place(const CanvasLayout& layout);
  // Commits what the user typed and has not yet committed (Enter or leaving
  // the field commits it): a button, a mnemonic or a menu must act on it.
  virtual void CommitPendingEdit() {}

  const ControlDef& def() const { return def_; }
  QWidget* widget() const { return widget_; }
  QLabel* label() const { return label_; }

 protected:
  // What only this kind shows: its value and colours.
  virtual void MirrorKind(const ControlState& state) = 0;
  // What only this kind sizes with the layout (a line width, a picture).
  virtual void PlaceKind(const CanvasLayout&) {}
  // Text the logic leaves plain black, as it reads on this background.
  QColor Ink(int rgb, const QColor& background) const;
  // The panel's background behind the control.
  QColor PanelColor() const;

 private:
  const ControlDef& def_;
  QWidget* widget_;
  QLabel* label_;
};

// Builds the widgets of one control on the panel's canvas.
std::unique_ptr<ControlView> MakeControlView(const ControlDef& def, int panel, QWidget* canvas);

}  // namespace qv::qt
