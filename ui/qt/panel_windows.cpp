#include "ui/qt/panel_windows.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "ui/qt/look.h"
#include "ui/qt/panel_canvas.h"
#include "ui/qt/panel_menu.h"

namespace qv::qt {

std::unique_ptr<PanelWindow> MakePanelWindow(const PanelState& panel) {
  if (!panel.def->menu.empty()) return std::make_unique<MainPanelWindow>(panel);
  return std::make_unique<PopupWindow>(panel);
}

MainPanelWindow::MainPanelWindow(const PanelState& panel)
    : handle_(panel.handle), canvas_(new PanelCanvas(panel, this)) {
  setObjectName(ToQString(panel.def->constant));
  setCentralWidget(canvas_);
  menu_ = std::make_unique<PanelMenu>(menuBar(), panel);
  status_ = new QLabel(statusBar());
  status_->setObjectName(QStringLiteral("statusLine"));
  status_->setContentsMargins(6, 0, 6, 0);
  statusBar()->addWidget(status_, 1);
  statusBar()->setSizeGripEnabled(false);
  MirrorPanel(panel);
  setFixedSize(panel.def->width, panel.def->height + menuBar()->sizeHint().height() +
                                     statusBar()->sizeHint().height());
}

MainPanelWindow::~MainPanelWindow() = default;

void MainPanelWindow::MirrorPanel(const PanelState& panel) {
  setWindowTitle(ToQString(panel.title));
  status_->setText(ToQString(panel.statusText));
}

void MainPanelWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Store().SendPanelEvent(handle_, EVENT_CLOSE);
}

PopupWindow::PopupWindow(const PanelState& panel)
    : handle_(panel.handle), canvas_(new PanelCanvas(panel, this)) {
  setObjectName(ToQString(panel.def->constant));
  setFixedSize(canvas_->size());
  MirrorPanel(panel);
}

void PopupWindow::MirrorPanel(const PanelState& panel) {
  setWindowTitle(ToQString(panel.title));
}

// The logic decides: it removes the popup or ends the program.
void PopupWindow::reject() { Store().SendPanelEvent(handle_, EVENT_CLOSE); }

}  // namespace qv::qt
