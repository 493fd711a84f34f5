#include "app/status_line.h"

#include <array>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "base/text_format.h"
#include "bridge/hidbridge.h"
#include "files/panel/baseline.h"
#include "files/panel/file_notes.h"
#include "model/program_state.h"
#include "plan/panel/frequency_engine.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// A note about a file is said until the user's next action on the main panel
// begins (choosing the mode is none: a note from the start stays to be read).
class FileNoteEnd final : public UserActionObserver {
 public:
  void ActionBegins(const UserAction& action) override {
    if (depth_++ == 0 && action.panel == panelHandle) SetStatusNote(StatusNote::File, "");
  }
  void ValueCommitted(const CommittedValue&) override {}
  void ActionEnds(const UserAction&) override { --depth_; }

 private:
  int depth_ = 0;
};

struct StatusLineState {
  int transferObserver = 0;
  int planListener = 0;
  int wholeSetListener = 0;
  int commitListener = 0;
  int baselineListener = 0;
  int fileNoteListener = 0;
  int progressListener = 0;
  FileNoteEnd fileNoteEnd;
  std::array<std::string, 4> notes;  // by StatusNote
  bool linkVerified = false;         // the connection check passed
};
StatusLineState g_status;

void ShowChipLink(const Transfer& transfer) {
  const std::string failure = TransferFailureText(transfer);
  if (failure.empty()) {
    SetPanelAttribute(panelHandle, ATTR_STATUS_LINK, "Chip link OK");
    SetPanelAttribute(panelHandle, ATTR_STATUS_LINK_TOOLTIP, "");
    return;
  }
  // The connection check's text above the buttons still says how the check went.
  const bool lost = g_status.linkVerified;
  SetPanelAttribute(panelHandle, ATTR_STATUS_LINK, lost ? LinkLostText(transfer) : failure);
  SetPanelAttribute(panelHandle, ATTR_STATUS_LINK_TOOLTIP,
                    lost ? LinkLostTooltip(transfer) : std::string());
}

void ShowMessage() {
  for (const std::string& note : g_status.notes) {
    if (!note.empty()) {
      SetPanelAttribute(panelHandle, ATTR_STATUS_MESSAGE, note);
      return;
    }
  }
  SetPanelAttribute(panelHandle, ATTR_STATUS_MESSAGE, "");
}

// MARGIN can switch on the board at any time: the other map must hold too.
// With the SSCG pin high the board asks for spread spectrum: say what keeps it
// off (with the pin low nobody asked, so nothing is said).
void NotePlan(const PlanEvaluation& plan) {
  SetStatusNote(StatusNote::Plan, InactiveMapNote(plan.maps[1 - plan.mapInUse]));
  SetStatusNote(StatusNote::Hint, plan.inputs.board.sscg ? SscOffNote(plan.InUse()) : "");
}

void ShowOpenFile() {
  const FileStatus status = OpenFileStatus();
  SetPanelAttribute(panelHandle, ATTR_STATUS_FILE, status.text);
  SetPanelAttribute(panelHandle, ATTR_STATUS_FILE_TOOLTIP, status.tooltip);
}

}  // namespace

FileStatus OpenFileStatus() {
  const std::string& file = OpenSetupFile();
  const bool unsaved = HasUnsavedChanges();
  if (file.empty()) {
    return {unsaved ? "Untitled *" : "Untitled",
            unsaved ? "Not saved in a setup file yet" : "No setup file is open"};
  }
  const std::string name = std::filesystem::path(file).filename().string();
  return {unsaved ? name + " *" : name, unsaved ? file + " (changes not saved)" : file};
}

void StopStatusLine() {
  RemoveTransferObserver(g_status.transferObserver);
  RemovePlanListener(g_status.planListener);
  RemoveWholeSetListener(g_status.wholeSetListener);
  RemoveCommitListener(g_status.commitListener);
  RemoveBaselineListener(g_status.baselineListener);
  RemoveFileNoteListener(g_status.fileNoteListener);
  RemoveWholeSetProgressListener(g_status.progressListener);
  RemoveUserActionObserver(&g_status.fileNoteEnd);
  g_status = {};
}

void StartStatusLine() {
  StopStatusLine();
  g_status.transferObserver = AddTransferObserver(ShowChipLink);
  // Every change (a switch that recomputes nothing among them) and every new
  // baseline may make the open file unsaved or saved.
  g_status.planListener = AddPlanListener([](const PlanEvaluation& plan) {
    NotePlan(plan);
    ShowOpenFile();
  });
  g_status.commitListener = AddCommitListener([](int, int) { ShowOpenFile(); });
  g_status.baselineListener = AddBaselineListener(ShowOpenFile);
  g_status.fileNoteListener =
      AddFileNoteListener([](const FileNote& note) { SetStatusNote(StatusNote::File, note.text); });
  AddUserActionObserver(&g_status.fileNoteEnd);
  // Until a whole set reaches the chip, the chip holds a mixture of two plans.
  g_status.wholeSetListener = AddWholeSetListener([](const WholeSetChange& write) {
    SetStatusNote(StatusNote::Chip, WholeSetWriteText(write));
  });
  // Two seconds and more of transfers: the window says how far they are.
  g_status.progressListener = AddWholeSetProgressListener([](int done, int steps) {
    SetStatusNote(StatusNote::Chip, WholeSetProgressText(done, steps));
  });
}

void ShowModeStatus(std::string_view mode) {
  SetPanelAttribute(panelHandle, ATTR_STATUS_MODE, mode);
}

std::string TransferFailureText(const Transfer& transfer) {
  if (!transfer.Failed()) return "";
  const bool write = transfer.kind == Transfer::Kind::Write;
  return std::string(write ? "Chip write failed: " : "Chip read failed: ") +
         TransferResultName(transfer.result);
}

std::string LinkLostText(const Transfer& transfer) {
  const bool write = transfer.kind == Transfer::Kind::Write;
  return std::string("Chip link lost: ") + (write ? "write" : "read") + " failed (" +
         TransferResultName(transfer.result) + ")";
}

std::string LinkLostTooltip(const Transfer& transfer) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(transfer.time);
  std::tm local{};
  localtime_r(&seconds, &local);
  const bool write = transfer.kind == Transfer::Kind::Write;
  return FormatText(
      "The connection check passed, but at %02d:%02d:%02d the %s of register 0x%02X failed: %s. "
      "Every change is still sent; this says \"Chip link OK\" once one reaches the chip.",
      local.tm_hour, local.tm_min, local.tm_sec, write ? "write" : "read", transfer.address,
      TransferResultName(transfer.result).c_str());
}

void NoteLinkVerified() { g_status.linkVerified = true; }

std::string TransferResultName(int result) {
  switch (result) {
    case HIDBRIDGE_NO_REPLY: return "no reply from adapter";
    case HIDBRIDGE_NO_ADAPTER: return "adapter not found";
    case HIDBRIDGE_ADAPTER_ERROR: return "adapter reported an error";
    default: return result >= 0 ? "OK" : "error";
  }
}

std::string WholeSetProgressText(int done, int steps) {
  return FormatText("Programming the chip: %d of %d", done, steps);
}

std::string WholeSetWriteText(const WholeSetChange& write) {
  if (!write.PartlyProgrammed()) return "";
  return FormatText("Chip partly programmed: %d of %d transfers reached it (%s)", write.reached,
                    write.transfers, TransferResultName(write.firstFailure->result).c_str());
}

void SetStatusNote(StatusNote note, std::string text) {
  g_status.notes[static_cast<int>(note)] = std::move(text);
  ShowMessage();
}

}  // namespace qv
