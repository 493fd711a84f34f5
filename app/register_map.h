#pragma once
// View > Register Map: a window beside the panel with the 32 registers (value,
// default, changed since the baseline), the fields of the register chosen, and
// online every transfer with the chip. It follows every change while open.

#include <array>
#include <vector>

#include "chip/registers.h"
#include "model/write_path.h"
#include "ui/toolkit.h"

namespace qv {

// Listens to transfers, plans, commits and the baseline; again after a restart.
void StartRegisterMap();
// Listens to nothing and forgets its window and log, as at process start.
void StopRegisterMap();

// The tables as the window shows them.
TableContents RegisterOverview(const RegisterImage& registers,
                               const std::array<bool, REGISTER_COUNT>& changed);
TableContents RegisterFieldsTable(int reg, const RegisterImage& registers);
TableContents TransferLogTable(const std::vector<Transfer>& transfers);

void OnViewRegisterMapMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
int OnRegisterMapRowChosen(int panel, int control, int event, void* callbackData, int eventData1,
                           int eventData2);
int OnCloseRegisterMapClicked(int panel, int control, int event, void* callbackData, int eventData1,
                              int eventData2);
int RegisterMapPanelCallback(int panel, int event, void* callbackData, int eventData1,
                             int eventData2);

}  // namespace qv
