#pragma once
// The windows panels live in: the panel with a menu bar is the program's main
// window (menu, panel, status line); the others are dialogs used as popups.
// Closing either is a request the logic answers, never a close by itself.

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
};

std::unique_ptr<PanelWindow> MakePanelWindow(const PanelState& panel);

class MainPanelWindow final : public QMainWindow, public PanelWindow {
 public:
  explicit MainPanelWindow(const PanelState& panel);
  ~MainPanelWindow() override;

  QWidget* Window() override { return this; }
  PanelCanvas* Canvas() const override { return canvas_; }
  PanelMenu* Menu() const override { return menu_.get(); }
  void MirrorPanel(const PanelState& panel) override;
  // One label per status field (ATTR_STATUS_MESSAGE ... ATTR_STATUS_MODE).
  QLabel* StatusField(int attribute) const { return status_[StatusFieldOf(attribute)]; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Local files dropped on the window go to the panel's logic.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  int handle_;
  PanelCanvas* canvas_;
  std::unique_ptr<PanelMenu> menu_;
  std::array<QLabel*, STATUS_FIELD_COUNT> status_{};
};

class PopupWindow final : public QDialog, public PanelWindow {
 public:
  explicit PopupWindow(const PanelState& panel);

  QWidget* Window() override { return this; }
  PanelCanvas* Canvas() const override { return canvas_; }
  void MirrorPanel(const PanelState& panel) override;

  // The close box and Esc.
  void reject() override;

 private:
  int handle_;
  PanelCanvas* canvas_;
};

}  // namespace qv::qt
