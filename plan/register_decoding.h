#pragma once
// A whole register set at once: written to the chip, decoded into the value
// variables and shown on the panel.

namespace qv {

// The register table's defaults everywhere.
void LoadDefaultRegisters();
// The setup image everywhere.
void ApplyRegistersToPanel();

// Button "Reset DUT".
int ResetRegs(int panel, int control, int event, void* callbackData, int eventData1,
              int eventData2);
void OnFileResetToDefaultsMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
