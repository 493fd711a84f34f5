#pragma once
// A whole register set at once: written to the chip, decoded into the value
// variables and shown on the panel.

#include <functional>
#include <optional>

#include "model/write_path.h"

namespace qv {

// How a whole-set write went online: every transfer of it counted, so a chip
// left partly programmed can be told apart from one that missed nothing.
struct WholeSetWrite {
  int transfers = 0;
  int reached = 0;
  std::optional<Transfer> firstFailure;
  bool Complete() const { return !firstFailure; }
};
using WholeSetListener = std::function<void(const WholeSetWrite&)>;
// Told after each whole-set write online; returns an id for RemoveWholeSetListener.
int AddWholeSetListener(WholeSetListener listener);
void RemoveWholeSetListener(int id);

// The register table's defaults everywhere.
void LoadDefaultRegisters();
// The setup image everywhere.
void ApplyRegistersToPanel();

// Button "Reset DUT".
int ResetRegs(int panel, int control, int event, void* callbackData, int eventData1,
              int eventData2);
void OnFileResetToDefaultsMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
