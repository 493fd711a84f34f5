#include "app/status_line.h"

#include "model/program_state.h"
#include "ui/toolkit.h"

namespace qv {

const char* ChipWriteStatus(int result) {
  switch (result) {
    case -1: return "Chip write failed: no reply from adapter";
    case -2: return "Chip write failed: adapter not found";
    case -3: return "Chip write failed: adapter reported an error";
    default: return "";
  }
}

void ShowChipWriteStatus(int result) {
  if (OpMode == OPMODE_OFFLINE) return;
  SetPanelAttribute(panelHandle, ATTR_STATUS_TEXT, ChipWriteStatus(result));
}

void ShowOfflineStatus() { SetPanelAttribute(panelHandle, ATTR_STATUS_TEXT, "Offline Mode"); }

}  // namespace qv
