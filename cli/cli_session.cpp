#include "cli/cli_session.h"

#include <filesystem>
#include <utility>

#include "app/modes.h"
#include "app/startup.h"
#include "base/text_format.h"
#include "base/trace.h"
#include "cli/chip_failure.h"
#include "cli/complaint.h"
#include "files/panel/file_notes.h"
#include "files/panel/json_export.h"
#include "files/panel/setup_file_saving.h"
#include "files/panel/setup_image.h"
#include "model/program_state.h"
#include "model/write_path.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv::cli {
namespace {

// How the user of each voice lists the adapters present.
std::string_view Lister(CliSession::Voice voice) {
  return voice == CliSession::Voice::CommandLine ? "qv3380 adapters" : "qv3380.adapters()";
}

}  // namespace

CliSession::CliSession(std::ostream& messages, std::function<void(double)> pause, Voice voice)
    : voice_(voice) {
  ui_.onDelay = std::move(pause);
  // A script has nobody to answer a question: nothing is asked.
  ui_.interactive = false;
  ui_.onMessage = [this, &messages](const HeadlessFrontEnd::Message& message) {
    if (voice_ == Voice::Python) {
      messages << message.text << '\n';
    } else {
      messages << Complaint(subject_, message.text);
    }
  };
  InstallFrontEnd(&ui_);
  // What the GUI's status line would say about a file, a script reads here.
  fileNoteListener_ = AddFileNoteListener([this, &messages](const FileNote& note) {
    if (voice_ == Voice::Python) {
      messages << note.text << '\n';
    } else {
      messages << Complaint(note.path, note.fact);
    }
  });
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
  lastTransfer_.reset();
  RemoveTransferObserver(observer_);
  observer_ = AddTransferObserver([this](const Transfer& transfer) {
    if (transfer.kind == Transfer::Kind::Write && transfer.Failed() && !firstWriteFailure_) {
      firstWriteFailure_ = transfer;
    }
    lastTransfer_ = transfer;
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
  const ChipComplaint failure = Described(*firstWriteFailure_);
  std::string text = Said(failure.subject, failure.text);
  if (partialWrite_) {
    text += Said(failure.subject,
                 FormatText("the chip is partly programmed: %d of %d transfers reached it",
                            partialWrite_->reached, partialWrite_->transfers));
  }
  return text;
}

std::string CliSession::ChipFailureText(const Transfer& failed) const {
  const ChipComplaint failure = Described(failed);
  return Said(failure.subject, failure.text);
}

ChipComplaint CliSession::Described(const Transfer& failed) const {
  ChipComplaint failure = DescribeChipFailure(failed, Lister(voice_));
  Trace(TRACE_TRANSFER, "%s: %s", failure.subject.c_str(), failure.text.c_str());
  return failure;
}

std::string CliSession::StartFailureText() const {
  if (!lastTransfer_) return Said("", "the program did not start");
  return ChipFailureText(*lastTransfer_);
}

std::string CliSession::Said(const std::string& subject, const std::string& text) const {
  if (voice_ == Voice::CommandLine) return Complaint(subject, text);
  return (subject.empty() ? text : subject + ": " + text) + "\n";
}

bool CliSession::ChooseWithFile(int menuItem, const std::string& path) {
  subject_ = path;
  const std::size_t shown = ui_.messages.size();
  std::error_code error;
  const bool exists = std::filesystem::exists(path, error);
  ui_.fileAnswers.push_back({exists ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED, path});
  const int chosen = ChooseMenuItem(GetPanelMenuBar(panelHandle), menuItem);
  ui_.fileAnswers.clear();
  subject_.clear();
  return chosen == UIE_NO_ERROR && ui_.messages.size() == shown;
}

}  // namespace qv::cli
