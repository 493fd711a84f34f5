#include "ui/qt/panel_windows.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>
#include <array>
#include <string>
#include <vector>

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
  // The message takes what room is left and never widens the fixed window;
  // the other fields sit at the right, each as wide as its text.
  static constexpr std::array<const char*, STATUS_FIELD_COUNT> kNames{"statusMessage", "statusFile",
                                                                      "statusLink", "statusMode"};
  for (int field = 0; field < STATUS_FIELD_COUNT; ++field) {
    auto* label = new QLabel(statusBar());
    label->setObjectName(QString::fromLatin1(kNames[field]));
    label->setContentsMargins(6, 0, 6, 0);
    if (field == 0) {
      label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
      statusBar()->addWidget(label, 1);
    } else {
      statusBar()->addPermanentWidget(label);
    }
    status_[field] = label;
  }
  statusBar()->setSizeGripEnabled(false);
  setAcceptDrops(true);
  MirrorPanel(panel);
  setFixedSize(panel.def->width, panel.def->height + menuBar()->sizeHint().height() +
                                     statusBar()->sizeHint().height());
}

MainPanelWindow::~MainPanelWindow() = default;

void MainPanelWindow::MirrorPanel(const PanelState& panel) {
  setWindowTitle(ToQString(panel.title));
  for (int field = 0; field < STATUS_FIELD_COUNT; ++field) {
    const QString text = ToQString(panel.status[field]);
    const QString tooltip = ToQString(panel.statusTooltips[field]);
    status_[field]->setText(text);
    status_[field]->setToolTip(tooltip.isEmpty() ? text : tooltip);
    status_[field]->setVisible(!text.isEmpty());
  }
}

void MainPanelWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Store().SendPanelEvent(handle_, EVENT_CLOSE);
}

namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
  }
  return files;
}

}  // namespace

void MainPanelWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).empty() && Store().AcceptsUserInput(handle_)) {
    event->acceptProposedAction();
  }
}

void MainPanelWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> files = LocalFiles(event->mimeData());
  if (files.empty()) return;
  event->acceptProposedAction();
  Store().DropFiles(handle_, std::move(files));
}

PopupWindow::PopupWindow(const PanelState& panel)
    : handle_(panel.handle), canvas_(new PanelCanvas(panel, this)) {
  setObjectName(ToQString(panel.def->constant));
  setFixedSize(canvas_->size());
  MirrorPanel(panel);
}

void PopupWindow::MirrorPanel(const PanelState& panel) { setWindowTitle(ToQString(panel.title)); }

// The logic decides: it removes the popup or ends the program.
void PopupWindow::reject() { Store().SendPanelEvent(handle_, EVENT_CLOSE); }

}  // namespace qv::qt
