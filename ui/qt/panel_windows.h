#pragma once
// The windows panels live in: the panel with a menu bar is the program's main
// window (menu, panel drawn to the window's size, status line); the others
// are dialogs used as popups or as windows beside it, of the panel's size or
// stretched to the window's. Closing either is a request the logic answers,
// never a close by itself.

#include <QDialog>
#include <QMainWindow>
#include <array>
#include <memory>

#include "ui/panel_store.h"

class QLabel;

namespace qv::qt {

class PanelCanvas;
class PanelMenu;

class PanelWindow {
 public:
  virtual ~PanelWindow() = default;
  virtual QWidget* Window() = 0;
  virtual PanelCanvas* Canvas() const = 0;
  virtual PanelMenu* Menu() const { return nullptr; }
  // Title and status line.
  virtual void MirrorPanel(const PanelState& panel) = 0;
  // The size it opens at, and where, before it is first shown: as left last
  // time, else fitting the screen (a window beside the main one beside it).
  virtual void PlaceForFirstShow(const QWidget* main) = 0;
  // Font, background and sizes again, after the look changed.
  virtual void LookChanged() = 0;
  // Kept between runs: where it was and how large.
  void RememberPlace();
  bool RestorePlace();
};

// The panel's controls are drawn in `controlStyle` (not owned), whatever
// style the windows around them have.
std::unique_ptr<PanelWindow> MakePanelWindow(const PanelState& panel, QStyle* controlStyle);

class MainPanelWindow final : public QMainWindow, public PanelWindow {
 public:
  MainPanelWindow(const PanelState& panel, QStyle* controlStyle);
  ~MainPanelWindow() override;

  QWidget* Window() override { return this; }
  PanelCanvas* Canvas() const override { return canvas_; }
  PanelMenu* Menu() const override { return menu_.get(); }
  void MirrorPanel(const PanelState& panel) override;
  void PlaceForFirstShow(const QWidget* main) override;
  void LookChanged() override;
  // One label per status field (ATTR_STATUS_MESSAGE ... ATTR_STATUS_MODE).
  QLabel* StatusField(int attribute) const { return status_[StatusFieldOf(attribute)]; }

  // ZOOM_IN, ZOOM_OUT, ZOOM_ACTUAL: the window grows or shrinks to draw the
  // panel a step larger or smaller, as far as the screen allows.
  void Zoom(int zoom);
  // Window pixels per design pixel, as the panel is drawn now.
  double Scale() const;
  // The window's size (without frame) that draws the panel at `scale`.
  QSize SizeFor(double scale) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Local files dropped on the window go to the panel's logic.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  class ScaledHost;
  QSize Chrome() const;
  QRect Available() const;
  // `wanted` as far as the screen lets the panel be drawn, within the zoom's bounds.
  double FittingScale(double wanted) const;

  int handle_;
  ScaledHost* host_;
  PanelCanvas* canvas_;
  std::unique_ptr<PanelMenu> menu_;
  std::array<QLabel*, STATUS_FIELD_COUNT> status_{};
};

class PopupWindow final : public QDialog, public PanelWindow {
 public:
  PopupWindow(const PanelState& panel, QStyle* controlStyle);

  QWidget* Window() override { return this; }
  PanelCanvas* Canvas() const override { return canvas_; }
  void MirrorPanel(const PanelState& panel) override;
  void PlaceForFirstShow(const QWidget* main) override;
  void LookChanged() override;

  // The close box and Esc.
  void reject() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Fit();

  int handle_;
  PanelCanvas* canvas_;
  double scale_ = 1.0;
};

}  // namespace qv::qt
