#include "ui/headless/headless_front_end.h"

#include <algorithm>

namespace qv {

bool HeadlessFrontEnd::Start(int argc, char* argv[]) {
  if (argv && argc > 1) arguments.assign(argv + 1, argv + argc);
  return true;
}

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

int HeadlessFrontEnd::Ask(const Question& question) {
  if (!interactive) return GENERIC_POPUP_NOT_ASKED;
  questions.push_back(question);
  const int count = static_cast<int>(question.answers.size());
  if (questionAnswers.empty()) return count;
  const int answer = questionAnswers.front();
  questionAnswers.pop_front();
  return answer >= 1 && answer <= count ? answer : count;
}

std::vector<std::string> HeadlessFrontEnd::Read(std::string_view name) {
  auto found = settings.find(name);
  return found == settings.end() ? std::vector<std::string>() : found->second;
}

void HeadlessFrontEnd::Write(std::string_view name, const std::vector<std::string>& values) {
  settings.insert_or_assign(std::string(name), values);
}

std::vector<std::string> HeadlessFrontEnd::Arguments() { return arguments; }

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

void HeadlessFrontEnd::FocusControl(int panel, int control) { focused.push_back({panel, control}); }

void HeadlessFrontEnd::Zoom(int, int zoom) { zooms.push_back(zoom); }

void HeadlessFrontEnd::SetClassicLook(bool on) { classicLook = on; }

// Shown as long as nobody looks: the guide is the screen's.
std::string HeadlessFrontEnd::ShowUserGuide(std::string_view page) {
  guidePages.emplace_back(page);
  return "";
}

std::string HeadlessFrontEnd::ToolkitVersion() { return ""; }

std::string HeadlessFrontEnd::SavePanelPicture(int panel, std::string_view path) {
  pictures.emplace_back(panel, std::string(path));
  return "";
}

}  // namespace qv
