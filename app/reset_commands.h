#pragma once
// File > Reset To Defaults and the Reset DUT button: the register table's
// defaults everywhere, once the user could save what would be replaced.

namespace qv {

int ResetRegs(int panel, int control, int event, void* callbackData, int eventData1,
              int eventData2);
void OnFileResetToDefaultsMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
