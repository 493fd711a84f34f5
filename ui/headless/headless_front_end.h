#pragma once
// A front end without a screen, for tests and the command line: the user's
// side is a script, dialogs are answered from a queue, messages and pauses are
// recorded, and time is virtual.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/front_end.h"

namespace qv {

class HeadlessFrontEnd : public FrontEnd, public SettingsStore {
 public:
  struct Message {
    std::string title;
    std::string text;
  };
  struct FileAnswer {
    int result = VAL_NO_FILE_SELECTED;
    std::string path;
  };

  // What the user does once the event loop runs, one step at a time.
  std::deque<std::function<void()>> script;
  // Answers for FileSelectPopup, oldest first; none left means "Cancel".
  std::deque<FileAnswer> fileAnswers;
  // Answers for GenericMessagePopup (numbers from 1), oldest first; none left
  // means Esc: the last answer.
  std::deque<int> questionAnswers;
  // False where nobody is there to answer (the command line): questions are
  // not asked at all.
  bool interactive = true;
  // Kept "across runs": as long as this front end lives, once installed as
  // the settings store too (tests; the command line keeps nothing).
  std::map<std::string, std::vector<std::string>, std::less<>> settings;
  // The program's arguments; Start takes them from its argument vector.
  std::vector<std::string> arguments;

  std::vector<Message> messages;
  std::vector<FileRequest> fileRequests;
  std::vector<Question> questions;
  std::vector<AttentionRequest> attentionRequests;
  std::vector<int> shownPanels;
  std::vector<int> popupsShown;
  std::vector<double> delays;
  // SetActiveCtrl, ZoomPanel, SetClassicLook and ShowUserGuide, as asked.
  struct Focus {
    int panel;
    int control;
    bool operator==(const Focus&) const = default;
  };
  std::vector<Focus> focused;
  std::vector<int> zooms;
  std::optional<bool> classicLook;
  std::vector<std::string> guidePages;
  std::vector<std::pair<int, std::string>> pictures;
  double virtualSeconds = 0.0;
  std::optional<int> exitStatus;
  std::optional<int> quitCode;
  int busyChanges = 0;
  bool busy = false;
  // Called on each Delay, so a test can interleave pauses with other records.
  std::function<void(double)> onDelay;
  // Called on each message, e.g. to print it on the command line.
  std::function<void(const Message&)> onMessage;

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
  void ProcessEvents() override;
  void SetBusy(bool on) override;
  void RequestAttention(const AttentionRequest& request) override;
  int NativeWindow(int panel) override;
  void FocusControl(int panel, int control) override;
  void Zoom(int panel, int zoom) override;
  void SetClassicLook(bool on) override;
  std::string ShowUserGuide(std::string_view page) override;
  std::string ToolkitVersion() override;
  std::string SavePanelPicture(int panel, std::string_view path) override;

  // SettingsStore
  std::vector<std::string> Read(std::string_view name) override;
  void Write(std::string_view name, const std::vector<std::string>& values) override;

  bool Running() const { return running_; }

 private:
  bool running_ = false;
  bool quitRequested_ = false;
};

}  // namespace qv
