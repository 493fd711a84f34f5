#include "app/status_line.h"

#include <array>

#include "bridge/hidbridge.h"
#include "model/program_state.h"
#include "plan/frequency_engine.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

int g_transferObserver = 0;
int g_planListener = 0;
std::array<std::string, 3> g_notes;

void ShowChipLink(const Transfer& transfer) {
  const std::string failure = TransferFailureText(transfer);
  SetPanelAttribute(panelHandle, ATTR_STATUS_LINK, failure.empty() ? "Chip link OK" : failure);
}

void ShowMessage() {
  for (const std::string& note : g_notes) {
    if (!note.empty()) {
      SetPanelAttribute(panelHandle, ATTR_STATUS_MESSAGE, note);
      return;
    }
  }
  SetPanelAttribute(panelHandle, ATTR_STATUS_MESSAGE, "");
}

// MARGIN can switch on the board at any time: the other map must hold too.
void NoteMapNotInUse(const PlanEvaluation& plan) {
  SetStatusNote(StatusNote::Plan, InactiveMapNote(plan.maps[1 - plan.mapInUse]));
}

}  // namespace

void StartStatusLine() {
  RemoveTransferObserver(g_transferObserver);
  RemovePlanListener(g_planListener);
  g_notes = {};
  g_transferObserver = AddTransferObserver(ShowChipLink);
  g_planListener = AddPlanListener(NoteMapNotInUse);
}

void ShowModeStatus(std::string_view mode) { SetPanelAttribute(panelHandle, ATTR_STATUS_MODE, mode); }

std::string TransferFailureText(const Transfer& transfer) {
  if (!transfer.Failed()) return "";
  const bool write = transfer.kind == Transfer::Kind::Write;
  return std::string(write ? "Chip write failed: " : "Chip read failed: ") +
         TransferResultName(transfer.result);
}

std::string TransferResultName(int result) {
  switch (result) {
    case HIDBRIDGE_NO_REPLY: return "no reply from adapter";
    case HIDBRIDGE_NO_ADAPTER: return "adapter not found";
    case HIDBRIDGE_ADAPTER_ERROR: return "adapter reported an error";
    default: return result >= 0 ? "OK" : "error";
  }
}

void SetStatusNote(StatusNote note, std::string text) {
  g_notes[static_cast<int>(note)] = std::move(text);
  ShowMessage();
}

}  // namespace qv
