#include "ui/qt/qt_front_end.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <thread>

#include "ui/qt/blocked_click_filter.h"
#include "ui/qt/help_window.h"
#include "ui/qt/look.h"
#include "ui/qt/panel_canvas.h"
#include "ui/qt/panel_menu.h"
#include "ui/qt/panel_windows.h"

namespace qv::qt {
namespace {

// QApplication gives up on the whole process when it finds no display; say
// why and let the program end the way it does when its toolkit cannot start.
bool DisplayReachable() {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
  if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    return true;
  }
  std::fprintf(stderr,
               "qv3380_gui: no display to open (neither DISPLAY nor WAYLAND_DISPLAY is set). "
               "Start it from a desktop session, or with scripts/run.sh, which uses a virtual "
               "X server.\n");
  return false;
}

// Paints, exposures and the window system's housekeeping go on; what the user
// does waits in the window system's queue until the program is ready for it.
constexpr QEventLoop::ProcessEventsFlags kWhileWaiting = QEventLoop::ExcludeUserInputEvents;

void WaitPainting(double seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  if (QCoreApplication::instance()) {
    QEventLoop loop;
    QTimer::singleShot(std::chrono::milliseconds(static_cast<long long>(seconds * 1000.0)),
                       Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(kWhileWaiting);
  }
  // A timer may round its milliseconds down: the pause is never shorter.
  std::this_thread::sleep_until(until);
}

void CenterOver(QWidget* window, const QWidget* over) {
  const QRect area =
      over && over->isVisible() ? over->frameGeometry() : window->screen()->availableGeometry();
  QRect frame = window->frameGeometry();
  frame.moveCenter(area.center());
  window->move(frame.topLeft());
}

}  // namespace

QtFrontEnd::QtFrontEnd() : sleep_(WaitPainting), exit_([](int status) { std::exit(status); }) {}

QtFrontEnd::~QtFrontEnd() {
  if (observing_) Store().RemoveObserver(this);
  clickFilter_.reset();
  help_.reset();
  windows_.clear();
  // The application may outlive this front end (tests): as the desktop gave it.
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()); app && desktop_) {
    if (classic_) ApplyApplicationLook(*app, *desktop_, false);
  }
  if (QCoreApplication::instance()) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

bool QtFrontEnd::Start(int argc, char* argv[]) {
  if (!QApplication::instance()) {
    if (!DisplayReachable()) return false;
    argc_ = argc;
    argv_ = argv;
    // Takes the arguments meant for Qt out of argc_ and argv.
    ownApplication_ = std::make_unique<Application>(argc_, argv, escaped_);
  }
  auto* app = static_cast<QApplication*>(QCoreApplication::instance());
  if (!desktop_) desktop_ = CaptureDesktopLook(*app);
  ApplyApplicationLook(*app, *desktop_, classic_);
  if (!controlStyle_) controlStyle_.reset(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/qv3380/icon.png")));
  QGuiApplication::setDesktopFileName(QStringLiteral("qv3380"));
  clickFilter_ =
      InstallBlockedClickFilter([this](std::uint32_t window) { PointerPressed(window); });
  if (!observing_) {
    Store().AddObserver(this);
    observing_ = true;
  }
  return true;
}

PanelWindow* QtFrontEnd::Window(int panel) const {
  auto found = windows_.find(panel);
  return found == windows_.end() ? nullptr : found->second.get();
}

PanelWindow* QtFrontEnd::EnsureWindow(int panel) {
  if (PanelWindow* window = Window(panel)) return window;
  const PanelState* state = Store().Find(panel);
  if (!state) return nullptr;
  return (windows_[panel] = MakePanelWindow(*state, controlStyle_.get())).get();
}

void QtFrontEnd::ShowPanel(int panel) {
  PanelWindow* window = EnsureWindow(panel);
  if (!window) return;
  QWidget* widget = window->Window();
  if (!widget->isVisible()) {
    if (placed_.insert(panel).second) {
      const QWidget* main = nullptr;
      for (const auto& [handle, other] : windows_) {
        if (other.get() != window && other->Menu()) main = other->Window();
      }
      window->PlaceForFirstShow(main);
    }
    widget->show();
    return;
  }
  // Chosen again while open (a second window from a menu): to the front.
  widget->raise();
  widget->activateWindow();
}

void QtFrontEnd::HidePanel(int panel) {
  PanelWindow* window = Window(panel);
  if (!window) return;
  if (placed_.contains(panel)) window->RememberPlace();
  window->Window()->hide();
}

void QtFrontEnd::RememberPlaces() {
  for (const auto& [handle, window] : windows_) {
    if (placed_.contains(handle) && window->Window()->isVisible()) window->RememberPlace();
  }
}

void QtFrontEnd::ShowModalPopup(int panel) {
  PanelWindow* popup = EnsureWindow(panel);
  if (!popup) return;
  QWidget* window = popup->Window();
  window->setWindowModality(Qt::ApplicationModal);
  const QWidget* over = nullptr;
  for (const auto& [handle, other] : windows_) {
    if (other.get() != popup && other->Window()->isVisible()) over = other->Window();
  }
  CenterOver(window, over);
  window->show();
  window->raise();
  window->activateWindow();
}

void QtFrontEnd::HidePopup(int panel) {
  if (PanelWindow* window = Window(panel)) window->Window()->hide();
}

void QtFrontEnd::PanelDiscarded(int panel) {
  auto found = windows_.find(panel);
  if (found == windows_.end()) return;
  if (placed_.erase(panel) > 0 && found->second->Window()->isVisible()) {
    found->second->RememberPlace();
  }
  // The window may be handling the event that discarded it.
  QWidget* window = found->second.release()->Window();
  windows_.erase(found);
  window->hide();
  window->deleteLater();
}

int QtFrontEnd::RunEventLoop() {
  int code = 0;
  if (quitCode_) {
    code = *quitCode_;
  } else {
    loopRunning_ = true;
    code = QApplication::exec();
    loopRunning_ = false;
  }
  quitCode_.reset();
  if (exitStatus_) FinishExit(*exitStatus_);
  return code;
}

void QtFrontEnd::QuitEventLoop(int returnCode) {
  RememberPlaces();
  quitCode_ = returnCode;
  if (loopRunning_) QCoreApplication::exit(returnCode);
}

void QtFrontEnd::ExitProgram(int status) {
  // Inside the loop the callback that asked is still running: leave the loop
  // first and end there.
  exitStatus_ = status;
  if (loopRunning_) {
    QCoreApplication::exit(status);
  } else {
    FinishExit(status);
  }
}

void QtFrontEnd::FinishExit(int status) {
  exitStatus_.reset();
  RememberPlaces();
  clickFilter_.reset();
  help_.reset();
  windows_.clear();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ownApplication_.reset();
  exit_(status);
}

QWidget* QtFrontEnd::DialogParent() const {
  if (PanelWindow* top = Window(Store().TopPopup())) return top->Window();
  // A dialog belongs to the window the user is working in.
  for (const auto& [handle, window] : windows_) {
    if (window->Window()->isActiveWindow()) return window->Window();
  }
  for (const auto& [handle, window] : windows_) {
    if (window->Window()->isVisible()) return window->Window();
  }
  return nullptr;
}

void QtFrontEnd::ShowMessage(std::string_view title, std::string_view message) {
  dialogs_.ShowMessage(DialogParent(), title, message);
}

int QtFrontEnd::SelectFile(const FileRequest& request, std::string* path) {
  return dialogs_.SelectFile(DialogParent(), request, path);
}

int QtFrontEnd::Ask(const Question& question) { return dialogs_.Ask(DialogParent(), question); }

std::vector<std::string> QtFrontEnd::Arguments() {
  std::vector<std::string> arguments;
  for (int i = 1; argv_ && i < argc_; ++i) arguments.emplace_back(argv_[i]);
  return arguments;
}

void QtFrontEnd::Delay(double seconds) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QCoreApplication::processEvents(kWhileWaiting);
  sleep_(seconds);
  QApplication::restoreOverrideCursor();
}

int QtFrontEnd::RunBlocking(const std::function<int()>& call) {
  if (!QCoreApplication::instance()) return call();
  // The call blocks a thread of its own; this one paints until it is done.
  // It is the only call running: the program waits for its result.
  int result = 0;
  std::exception_ptr failure;
  QEventLoop loop;
  {
    const std::jthread worker([&] {
      try {
        result = call();
      } catch (...) {
        failure = std::current_exception();
      }
      QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(kWhileWaiting);
  }
  if (failure) std::rethrow_exception(failure);
  return result;
}

void QtFrontEnd::ProcessEvents() { QCoreApplication::processEvents(); }

void QtFrontEnd::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void QtFrontEnd::RequestAttention(const AttentionRequest& request) {
  PanelWindow* target = Window(request.window);
  if (!target) return;
  QWidget* window = target->Window();
  QApplication::alert(window);
  window->raise();
  window->activateWindow();
  QApplication::beep();
  target->Canvas()->Flash(request.count, request.intervalMs);
}

int QtFrontEnd::NativeWindow(int panel) { return panel; }

void QtFrontEnd::FocusControl(int panel, int control) {
  PanelWindow* window = Window(panel);
  ControlView* view = window ? window->Canvas()->View(control) : nullptr;
  if (!view) return;
  QWidget* top = window->Window();
  if (top->isMinimized()) top->showNormal();
  top->raise();
  top->activateWindow();
  QWidget* widget = view->widget();
  widget->setFocus(Qt::OtherFocusReason);
  // Ready to type over, as Tab leaves a field.
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) spin->selectAll();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
}

void QtFrontEnd::Zoom(int panel, int zoom) {
  if (auto* main = dynamic_cast<MainPanelWindow*>(Window(panel))) main->Zoom(zoom);
}

void QtFrontEnd::SetClassicLook(bool on) {
  const bool changed = on != classic_;
  classic_ = on;
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app || !desktop_ || !changed) return;
  ApplyApplicationLook(*app, *desktop_, classic_);
  for (const auto& [handle, window] : windows_) {
    window->LookChanged();
    if (const PanelState* state = Store().Find(handle)) window->Canvas()->MirrorAll(*state);
  }
}

std::string QtFrontEnd::ShowUserGuide(std::string_view page) {
  const QString file = page.empty() ? QStringLiteral("index.html") : ToQString(page);
  const QStringList folders =
      userGuideFolder_.isEmpty() ? UserGuideFolders() : QStringList{userGuideFolder_};
  for (const QString& folder : folders) {
    if (!QFileInfo(QDir(folder).filePath(file)).isFile()) continue;
    if (!help_) help_ = std::make_unique<HelpWindow>();
    help_->Open(folder, file);
    help_->show();
    help_->raise();
    help_->activateWindow();
    return "";
  }
  return "no " + file.toStdString() + " in " +
         QDir::toNativeSeparators(folders.join(QStringLiteral(" or "))).toStdString();
}

std::string QtFrontEnd::ToolkitVersion() { return "Qt " + std::string(qVersion()); }

std::string QtFrontEnd::SavePanelPicture(int panel, std::string_view path) {
  PanelWindow* window = Window(panel);
  if (!window || !window->Window()->isVisible()) return "the panel is not shown";
  QCoreApplication::processEvents();
  const QString file = ToQString(path);
  if (!window->Window()->grab().save(file, "PNG")) {
    return QDir::toNativeSeparators(file).toStdString() + ": cannot be written";
  }
  return "";
}

void QtFrontEnd::PointerPressed(WId nativeWindow) {
  for (const auto& [handle, window] : windows_) {
    if (window->Window()->internalWinId() != nativeWindow) continue;
    if (Store().AcceptsUserInput(handle)) return;
    // Told after the filter returns, so the logic runs outside X event dispatch.
    QTimer::singleShot(0, [panel = handle] { Store().SendPanelEvent(panel, EVENT_BLOCKED_CLICK); });
    return;
  }
}

void QtFrontEnd::ControlChanged(int panel, int control) {
  PanelWindow* window = Window(panel);
  const PanelState* state = Store().Find(panel);
  if (!window || !state) return;
  if (const ControlState* ctrl = state->control(control)) window->Canvas()->MirrorControl(*ctrl);
}

void QtFrontEnd::PanelChanged(int panel) {
  PanelWindow* window = Window(panel);
  if (const PanelState* state = Store().Find(panel); window && state) window->MirrorPanel(*state);
}

void QtFrontEnd::MenuItemChanged(int panel, int item) {
  PanelWindow* window = Window(panel);
  const PanelState* state = Store().Find(panel);
  if (!window || !state || !window->Menu()) return;
  if (const MenuItemState* entry = state->menuItem(item)) window->Menu()->Mirror(*entry);
}

}  // namespace qv::qt
