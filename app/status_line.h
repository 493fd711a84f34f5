#pragma once
// The line under the main panel: the mode offline, and online whether the
// chip took the last change.

namespace qv {

// Text for a write result: empty when it worked.
const char* ChipWriteStatus(int result);
void ShowChipWriteStatus(int result);
void ShowOfflineStatus();

}  // namespace qv
