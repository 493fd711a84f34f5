#include "ui/qt/panel_windows.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "ui/qt/look.h"
#include "ui/qt/panel_canvas.h"
#include "ui/qt/panel_geometry.h"
#include "ui/qt/panel_menu.h"
#include "ui/qt/window_fit.h"

namespace qv::qt {
namespace {

QSize DesignSize(const PanelDef& def) { return {def.width, def.height}; }

QSize Scaled(QSize size, double scale) {
  return {static_cast<int>(std::lround(size.width() * scale)),
          static_cast<int>(std::lround(size.height() * scale))};
}

QRect AvailableFor(const QWidget* window) {
  const QScreen* screen = window->screen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
}

// The window manager tells the frame once the window is shown.
QMargins FrameOf(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  const QMargins margins = handle && window->isVisible() ? handle->frameMargins() : QMargins();
  return margins.isNull() && QGuiApplication::platformName() != QLatin1String("offscreen")
             ? kAssumedFrame
             : margins;
}

QSize WithFrame(QSize size, QMargins frame) {
  return {size.width() + frame.left() + frame.right(),
          size.height() + frame.top() + frame.bottom()};
}

// Where a window of `framed` size first goes: the middle of the screen.
QPoint Centred(QSize framed, QRect available) {
  QRect placed({0, 0}, framed);
  placed.moveCenter(available.center());
  return KeptInside(placed, available).topLeft();
}

// The smallest a stretched popup may be made at `scale`.
QSize StretchedMinimum(const PanelDef& def, double scale) {
  return Scaled({static_cast<int>(def.width * kSmallestStretchedWidth),
                 static_cast<int>(def.height * kSmallestStretchedHeight)},
                scale);
}

std::string PlaceSetting(const QWidget* window) {
  return "window/" + window->objectName().toStdString();
}

}  // namespace

void PanelWindow::RememberPlace() {
  QWidget* window = Window();
  SetPersistentSetting(PlaceSetting(window), window->saveGeometry().toBase64().toStdString());
}

bool PanelWindow::RestorePlace() {
  QWidget* window = Window();
  const std::string saved = GetPersistentSetting(PlaceSetting(window));
  if (saved.empty()) return false;
  if (!window->restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(saved)))) {
    return false;
  }
  // The screen may be another, or smaller, than when it was left.
  const QMargins frame = FrameOf(window);
  const QRect framed(window->pos(), WithFrame(window->size(), frame));
  const QRect kept = KeptInside(framed, AvailableFor(window));
  if (kept == framed) return true;
  window->resize(kept.width() - frame.left() - frame.right(),
                 kept.height() - frame.top() - frame.bottom());
  window->move(kept.topLeft());
  return true;
}

std::unique_ptr<PanelWindow> MakePanelWindow(const PanelState& panel, QStyle* controlStyle) {
  if (!panel.def->menu.empty()) return std::make_unique<MainPanelWindow>(panel, controlStyle);
  return std::make_unique<PopupWindow>(panel, controlStyle);
}

// Draws the panel as large as the room it has allows, keeping every
// position; what the window has more in one direction is a margin.
class MainPanelWindow::ScaledHost final : public QWidget {
 public:
  explicit ScaledHost(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

  void SetCanvas(PanelCanvas* canvas) {
    canvas_ = canvas;
    ShowBackground();
    Fit();
  }
  void ShowBackground() {
    QPalette background = palette();
    background.setColor(QPalette::Window, canvas_->palette().color(QPalette::Window));
    setPalette(background);
  }
  void Fit() {
    const PanelDef& def = canvas_->Definition();
    const double scale = std::clamp(std::min(static_cast<double>(width()) / def.width,
                                             static_cast<double>(height()) / def.height),
                                    kSmallestScale, kLargestScale);
    if (canvas_->Layout().scale != scale || canvas_->Layout().font != CanvasFont(scale)) {
      canvas_->Arrange(CanvasLayout::At(scale));
    }
    canvas_->move(std::max(0, (width() - canvas_->width()) / 2),
                  std::max(0, (height() - canvas_->height()) / 2));
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    Fit();
  }

 private:
  PanelCanvas* canvas_ = nullptr;
};

MainPanelWindow::MainPanelWindow(const PanelState& panel, QStyle* controlStyle)
    : handle_(panel.handle),
      host_(new ScaledHost(this)),
      canvas_(new PanelCanvas(panel, host_, controlStyle)) {
  setObjectName(ToQString(panel.def->constant));
  setCentralWidget(host_);
  host_->SetCanvas(canvas_);
  menu_ = std::make_unique<PanelMenu>(menuBar(), panel);
  // The message takes what room is left and never widens the window; the
  // other fields sit at the right, each as wide as its text.
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
  setAcceptDrops(true);
  MirrorPanel(panel);
  setMinimumSize(SizeFor(kSmallestScale));
  resize(SizeFor(DesktopScale()));
}

MainPanelWindow::~MainPanelWindow() = default;

QSize MainPanelWindow::Chrome() const {
  return {0, menuBar()->sizeHint().height() + statusBar()->sizeHint().height()};
}

QRect MainPanelWindow::Available() const { return AvailableFor(this); }

QSize MainPanelWindow::SizeFor(double scale) const {
  return Scaled(DesignSize(canvas_->Definition()), scale) + Chrome();
}

double MainPanelWindow::Scale() const { return canvas_->Layout().scale; }

void MainPanelWindow::PlaceForFirstShow(const QWidget*) {
  if (RestorePlace()) return;
  resize(SizeFor(FittingScale(DesktopScale())));
  move(Centred(WithFrame(size(), FrameOf(this)), Available()));
}

double MainPanelWindow::FittingScale(double wanted) const {
  const double fitting =
      LargestFittingScale(DesignSize(canvas_->Definition()), Chrome(), FrameOf(this), Available());
  return std::clamp(std::min(wanted, fitting), kSmallestScale, kLargestScale);
}

void MainPanelWindow::Zoom(int zoom) {
  const double base = DesktopScale();
  const double scale = FittingScale(base * NextZoom(Scale() / base, zoom));
  if (isMaximized() || isFullScreen()) showNormal();
  resize(SizeFor(scale));
  move(KeptInside({pos(), WithFrame(size(), FrameOf(this))}, Available()).topLeft());
}

void MainPanelWindow::LookChanged() {
  canvas_->ShowBackground();
  host_->ShowBackground();
  setMinimumSize(SizeFor(kSmallestScale));
  host_->Fit();
}

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

PopupWindow::PopupWindow(const PanelState& panel, QStyle* controlStyle)
    : handle_(panel.handle),
      canvas_(new PanelCanvas(panel, this, controlStyle)),
      scale_(DesktopScale()) {
  const PanelDef& def = *panel.def;
  setObjectName(ToQString(def.constant));
  if (def.sizing == PanelSizing::Stretched) {
    setMinimumSize(StretchedMinimum(def, scale_));
    resize(Scaled(DesignSize(def), scale_));
    setSizeGripEnabled(true);
  }
  Fit();
  if (def.defaultButton != 0) {
    if (ControlView* view = canvas_->View(def.defaultButton)) {
      if (auto* button = qobject_cast<QPushButton*>(view->widget())) button->setDefault(true);
    }
  }
  MirrorPanel(panel);
}

void PopupWindow::Fit() {
  const PanelDef& def = canvas_->Definition();
  if (def.sizing != PanelSizing::Stretched) {
    canvas_->Arrange(CanvasLayout::At(scale_));
    setFixedSize(canvas_->size());
    return;
  }
  const QSizeF extra(width() / scale_ - def.width, height() / scale_ - def.height);
  canvas_->Arrange(CanvasLayout::At(scale_, extra));
  canvas_->move(0, 0);
}

void PopupWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (canvas_->Definition().sizing == PanelSizing::Stretched) Fit();
}

void PopupWindow::PlaceForFirstShow(const QWidget* main) {
  const PanelDef& def = canvas_->Definition();
  if (def.sizing != PanelSizing::Stretched || RestorePlace()) return;
  const QMargins frame = FrameOf(this);
  const QRect available = AvailableFor(this);
  const QSize room(available.width() - frame.left() - frame.right(),
                   available.height() - frame.top() - frame.bottom());
  resize(size().boundedTo(room).expandedTo(minimumSize()));
  const QSize framed = WithFrame(size(), frame);
  if (main && main->isVisible()) {
    move(BesideMain(framed, main->frameGeometry(), available));
  } else {
    move(Centred(framed, available));
  }
}

void PopupWindow::LookChanged() {
  canvas_->ShowBackground();
  const PanelDef& def = canvas_->Definition();
  const double before = scale_;
  scale_ = DesktopScale();
  if (def.sizing == PanelSizing::Stretched && before != scale_) {
    setMinimumSize(StretchedMinimum(def, scale_));
    resize(Scaled(size(), scale_ / before));
  }
  Fit();
}

void PopupWindow::MirrorPanel(const PanelState& panel) { setWindowTitle(ToQString(panel.title)); }

// The logic decides: it removes the popup or ends the program.
void PopupWindow::reject() { Store().SendPanelEvent(handle_, EVENT_CLOSE); }

}  // namespace qv::qt
