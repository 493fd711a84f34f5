#pragma once
// What a front end supplies: only the things that need a real screen.
// Values and attributes live in the panel store, never here.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/toolkit.h"

namespace qv {

struct FileRequest {
  std::string defaultDirectory;
  std::string defaultFileSpec;
  std::string fileTypeList;
  std::string title;
  int buttonKind = VAL_LOAD_BUTTON;
  bool allowCancel = true;
  bool allowMakeDirectory = false;
};

// A question and its answers, as GenericMessagePopup asks it.
struct Question {
  std::string title;
  std::string message;
  std::vector<std::string> answers;  // one to three; "__" marks a mnemonic
};

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // False when the front end cannot run (no display, for example).
  virtual bool Start(int argc, char* argv[]) = 0;
  virtual void ShowPanel(int panel) = 0;
  virtual void HidePanel(int panel) = 0;
  virtual void ShowModalPopup(int panel) = 0;
  // A popup removed, or a panel hidden (HidePanel).
  virtual void HidePopup(int panel) = 0;
  virtual void PanelDiscarded(int panel) = 0;
  virtual int RunEventLoop() = 0;
  virtual void QuitEventLoop(int returnCode) = 0;
  virtual void ExitProgram(int status) = 0;
  virtual void ShowMessage(std::string_view title, std::string_view message) = 0;
  virtual int SelectFile(const FileRequest& request, std::string* path) = 0;
  // The answer's number from 1, or GENERIC_POPUP_NOT_ASKED.
  virtual int Ask(const Question& question) = 0;
  virtual std::vector<std::string> Arguments() = 0;
  virtual void Delay(double seconds) = 0;
  // A call that blocks (a chip transfer); the windows stay painted meanwhile
  // where the front end can do that.
  virtual int RunBlocking(const std::function<int()>& call) { return call(); }
  virtual void ProcessEvents() = 0;
  virtual void SetBusy(bool busy) = 0;
  virtual void RequestAttention(const AttentionRequest& request) = 0;
  // A number that names the panel's window for RequestAttention.
  virtual int NativeWindow(int panel) = 0;
  // Focus, size and look, which only a screen has.
  virtual void FocusControl(int panel, int control) = 0;
  virtual void Zoom(int panel, int zoom) = 0;
  virtual void SetClassicLook(bool on) = 0;
  // Empty when the guide is shown, else what went wrong.
  virtual std::string ShowUserGuide(std::string_view page) = 0;
  virtual std::string ToolkitVersion() = 0;
  // Empty when the picture was written, else what went wrong.
  virtual std::string SavePanelPicture(int panel, std::string_view path) = 0;
};

// The front end the toolkit operations use; not owned.
void InstallFrontEnd(FrontEnd* frontEnd);
FrontEnd* InstalledFrontEnd();

}  // namespace qv
