#include "ui/headless/headless_front_end.h"

#include <algorithm>

namespace qv {

bool HeadlessFrontEnd::Start(int /*argc*/, char* /*argv*/[]) { return true; }

void HeadlessFrontEnd::ShowPanel(int panel) {
  if (std::ranges::find(shownPanels, panel) == shownPanels.end()) shownPanels.push_back(panel);
}

void HeadlessFrontEnd::HidePanel(int panel) { std::erase(shownPanels, panel); }

void HeadlessFrontEnd::ShowModalPopup(int panel) { popupsShown.push_back(panel); }

void HeadlessFrontEnd::HidePopup(int panel) {
  std::erase(popupsShown, panel);
  std::erase(shownPanels, panel);
}

void HeadlessFrontEnd::PanelDiscarded(int panel) {
  std::erase(shownPanels, panel);
  std::erase(popupsShown, panel);
}

int HeadlessFrontEnd::RunEventLoop() {
  running_ = true;
  quitRequested_ = false;
  while (!quitRequested_ && !script.empty()) {
    auto step = std::move(script.front());
    script.pop_front();
    step();
  }
  running_ = false;
  return quitCode.value_or(0);
}

void HeadlessFrontEnd::QuitEventLoop(int returnCode) {
  quitCode = returnCode;
  quitRequested_ = true;
}

void HeadlessFrontEnd::ExitProgram(int status) {
  // A test process must survive the program's exit path: record it and stop the loop.
  exitStatus = status;
  quitRequested_ = true;
}

void HeadlessFrontEnd::ShowMessage(std::string_view title, std::string_view message) {
  messages.push_back({std::string(title), std::string(message)});
  if (onMessage) onMessage(messages.back());
}

int HeadlessFrontEnd::SelectFile(const FileRequest& request, std::string* path) {
  fileRequests.push_back(request);
  if (fileAnswers.empty()) return VAL_NO_FILE_SELECTED;
  FileAnswer answer = std::move(fileAnswers.front());
  fileAnswers.pop_front();
  *path = answer.path;
  return answer.result;
}

void HeadlessFrontEnd::Delay(double seconds) {
  delays.push_back(seconds);
  virtualSeconds += seconds;
  if (onDelay) onDelay(seconds);
}

void HeadlessFrontEnd::ProcessEvents() {}

void HeadlessFrontEnd::SetBusy(bool on) {
  busy = on;
  ++busyChanges;
}

void HeadlessFrontEnd::RequestAttention(const AttentionRequest& request) {
  attentionRequests.push_back(request);
}

int HeadlessFrontEnd::NativeWindow(int panel) { return 1000 + panel; }

}  // namespace qv
