#pragma once
// View > Register Map: a window beside the panel with the 32 registers (value,
// default, changed since the baseline), the fields of the register chosen, and
// online every transfer with the chip. It follows every change while open.

#include <array>
#include <string>
#include <vector>

#include "chip/registers.h"
#include "files/register_export.h"
#include "model/write_path.h"
#include "ui/toolkit.h"

namespace qv {

// Listens to transfers, plans, commits and the baseline; again after a restart.
void StartRegisterMap();
// Listens to nothing and forgets its window and log, as at process start.
void StopRegisterMap();
// The window's panel, 0 before it was first opened.
int RegisterMapPanel();

// The tables as the window shows them.
TableContents RegisterOverview(const RegisterImage& registers,
                               const std::array<bool, REGISTER_COUNT>& changed);
TableContents RegisterFieldsTable(int reg, const RegisterImage& registers);
TableContents TransferLogTable(const std::vector<Transfer>& transfers);
// The log as a CSV file: a commented header (what, by whom and when, from
// which configuration, the device address), then one row per transfer.
std::string TransferLogCsv(const std::vector<Transfer>& transfers, const ExportProvenance& made);

inline constexpr const char* REGISTER_LOG_EXPORT_ERROR =
    "An error occurred when attempting to save the transfer log.";

void OnViewRegisterMapMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
int OnRegisterMapRowChosen(int panel, int control, int event, void* callbackData, int eventData1,
                           int eventData2);
// A field chosen in the register's list: the control that sets it takes the focus.
int OnRegisterFieldChosen(int panel, int control, int event, void* callbackData, int eventData1,
                          int eventData2);
int OnClearRegisterLogClicked(int panel, int control, int event, void* callbackData, int eventData1,
                              int eventData2);
int OnSaveRegisterLogClicked(int panel, int control, int event, void* callbackData, int eventData1,
                             int eventData2);
int OnCloseRegisterMapClicked(int panel, int control, int event, void* callbackData, int eventData1,
                              int eventData2);
int RegisterMapPanelCallback(int panel, int event, void* callbackData, int eventData1,
                             int eventData2);

}  // namespace qv
