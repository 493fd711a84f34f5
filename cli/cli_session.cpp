#include "cli/cli_session.h"

#include <filesystem>
#include <utility>

#include "app/modes.h"
#include "app/startup.h"
#include "app/status_line.h"
#include "files/panel/file_notes.h"
#include "files/panel/json_export.h"
#include "files/panel/setup_file_saving.h"
#include "files/panel/setup_image.h"
#include "model/program_state.h"
#include "model/write_path.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv::cli {

CliSession::CliSession(std::ostream& messages, std::function<void(double)> pause) {
  ui_.onDelay = std::move(pause);
  // A script has nobody to answer a question: nothing is asked.
  ui_.interactive = false;
  ui_.onMessage = [&messages](const HeadlessFrontEnd::Message& message) {
    messages << message.text << '\n';
  };
  InstallFrontEnd(&ui_);
  // What the GUI's status line would say about a file, a script reads here.
  fileNoteListener_ =
      AddFileNoteListener([&messages](const std::string& note) { messages << note << '\n'; });
}

CliSession::~CliSession() {
  RemoveFileNoteListener(fileNoteListener_);
  RemoveTransferObserver(observer_);
  RemoveWholeSetListener(wholeSetListener_);
  InstallFrontEnd(nullptr);
}

bool CliSession::Start(bool online) {
  if (InitUserInterface(0, nullptr) == 0) return false;
  RegisterProgramCallbacks();
  DiscardAllPanels();
  StartProgram();
  // The status line only keeps the last transfer; a script needs to hear
  // about any write that failed.
  firstWriteFailure_.reset();
  partialWrite_.reset();
  RemoveWholeSetListener(wholeSetListener_);
  wholeSetListener_ = AddWholeSetListener([this](const WholeSetChange& write) {
    if (write.PartlyProgrammed() && !partialWrite_) partialWrite_ = write;
  });
  RemoveTransferObserver(observer_);
  observer_ = AddTransferObserver([this](const Transfer& transfer) {
    if (transfer.kind == Transfer::Kind::Write && transfer.Failed() && !firstWriteFailure_) {
      firstWriteFailure_ = transfer;
    }
  });
  if (!online) {
    PressCtrlButton(startupPanelHandle, startuppnl::RUNOFFLINE);
    return true;
  }
  PressCtrlButton(startupPanelHandle, startuppnl::RUNONLINE);
  PressCtrlButton(panelHandle, CheckConnectionButton);
  // A successful check enables the panel and its File menu.
  int dimmed = 1;
  GetMenuBarAttribute(GetPanelMenuBar(panelHandle), menubar::IMPORT, ATTR_DIMMED, &dimmed);
  return dimmed == 0;
}

bool CliSession::StartReadingChip() { return Start(false) && ChipAnswersProbe(); }

bool CliSession::Open(const std::string& path) { return ChooseWithFile(menubar::IMPORT, path); }

bool CliSession::SaveAs(const std::string& path) { return ChooseWithFile(menubar::EXPORT, path); }

bool CliSession::ExportJson(const std::string& path) {
  return ChooseWithFile(menubar::EXPORTJSON, path);
}

std::string CliSession::SetupFileText() {
  CaptureSetupImage();
  return FormatSetupFile();
}

std::string CliSession::JsonDefinitionText() {
  CaptureSetupImage();
  return FormatJsonDefinition();
}

std::optional<Transfer> CliSession::FirstChipWriteFailure() const { return firstWriteFailure_; }

std::string CliSession::ChipWriteFailureText() const {
  if (!firstWriteFailure_) return "";
  std::string text;
  if (partialWrite_) text += WholeSetWriteText(*partialWrite_) + "\n";
  return text + TransferFailureText(*firstWriteFailure_) + "\n";
}

bool CliSession::ChooseWithFile(int menuItem, const std::string& path) {
  const std::size_t shown = ui_.messages.size();
  std::error_code error;
  const bool exists = std::filesystem::exists(path, error);
  ui_.fileAnswers.push_back({exists ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED, path});
  const int chosen = ChooseMenuItem(GetPanelMenuBar(panelHandle), menuItem);
  ui_.fileAnswers.clear();
  return chosen == UIE_NO_ERROR && ui_.messages.size() == shown;
}

}  // namespace qv::cli
