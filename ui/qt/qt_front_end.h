#pragma once
// The program's real windows: a front end over Qt 6 Widgets that shows the
// panel store's panels and turns what the user does into store commits.

#include <qwindowdefs.h>

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "ui/front_end.h"
#include "ui/panel_store.h"
#include "ui/qt/application.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/look.h"

class QStyle;
class QWidget;

namespace qv::qt {

class BlockedClickFilter;
class HelpWindow;
class PanelWindow;

class QtFrontEnd : public FrontEnd, public StoreObserver {
 public:
  QtFrontEnd();
  ~QtFrontEnd() override;
  QtFrontEnd(const QtFrontEnd&) = delete;
  QtFrontEnd& operator=(const QtFrontEnd&) = delete;

  // FrontEnd
  bool Start(int argc, char* argv[]) override;
  void ShowPanel(int panel) override;
  void HidePanel(int panel) override;
  void ShowModalPopup(int panel) override;
  void HidePopup(int panel) override;
  void PanelDiscarded(int panel) override;
  int RunEventLoop() override;
  void QuitEventLoop(int returnCode) override;
  void ExitProgram(int status) override;
  void ShowMessage(std::string_view title, std::string_view message) override;
  int SelectFile(const FileRequest& request, std::string* path) override;
  int Ask(const Question& question) override;
  std::vector<std::string> Arguments() override;
  void Delay(double seconds) override;
  int RunBlocking(const std::function<int()>& call) override;
  void ProcessEvents() override;
  void SetBusy(bool busy) override;
  void RequestAttention(const AttentionRequest& request) override;
  int NativeWindow(int panel) override;
  void FocusControl(int panel, int control) override;
  void Zoom(int panel, int zoom) override;
  void SetClassicLook(bool on) override;
  std::string ShowUserGuide(std::string_view page) override;
  std::string ToolkitVersion() override;
  std::string SavePanelPicture(int panel, std::string_view path) override;

  // StoreObserver
  void ControlChanged(int panel, int control) override;
  void PanelChanged(int panel) override;
  void MenuItemChanged(int panel, int item) override;

  // Seams for tests and benchmarks: how dialogs run, how a pause passes, and
  // what ends the process (by default: exit with the status).
  Dialogs& dialogs() { return dialogs_; }
  void SetSleeper(std::function<void(double seconds)> sleeper) { sleep_ = std::move(sleeper); }
  void SetExitHandler(std::function<void(int status)> handler) { exit_ = std::move(handler); }
  // Where an exception that escapes an event handler goes, once Start has
  // made the application (not when the program brought its own).
  void SetEscapedExceptionHandler(EscapedException handler) { escaped_ = std::move(handler); }
  // Where the user guide is (by default looked for beside the program and
  // under its installation's data folder).
  void SetUserGuideFolder(QString folder) { userGuideFolder_ = std::move(folder); }
  HelpWindow* UserGuide() const { return help_.get(); }

  PanelWindow* Window(int panel) const;
  // A press the X server reported on one of our windows.
  void PointerPressed(WId nativeWindow);

 private:
  PanelWindow* EnsureWindow(int panel);
  QWidget* DialogParent() const;
  void FinishExit(int status);
  // Where the windows that remember their place are, for the next run.
  void RememberPlaces();

  std::unique_ptr<QApplication> ownApplication_;
  int argc_ = 0;
  char** argv_ = nullptr;
  QString userGuideFolder_;
  std::unique_ptr<HelpWindow> help_;
  // The panels' controls keep one compact style on every desktop: each box
  // holds its designed text, and the logic's colours paint exactly. Made
  // before the windows and gone after them.
  std::unique_ptr<QStyle> controlStyle_;
  std::optional<DesktopLook> desktop_;
  bool classic_ = false;
  std::map<int, std::unique_ptr<PanelWindow>> windows_;
  std::set<int> placed_;  // windows shown once, so placed
  std::unique_ptr<BlockedClickFilter> clickFilter_;
  Dialogs dialogs_;
  std::function<void(double)> sleep_;
  std::function<void(int)> exit_;
  EscapedException escaped_;
  bool observing_ = false;
  bool loopRunning_ = false;
  std::optional<int> quitCode_;
  std::optional<int> exitStatus_;
};

}  // namespace qv::qt
