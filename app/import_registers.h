#pragma once
// File > Import Registers...: a register dump from anywhere opened as a plan
// no setup file holds yet, in one undo step.

#include <string_view>

#include "files/register_import.h"
#include "ui/toolkit.h"

namespace qv {

// The file dialog's filter: the kinds of dump the import reads.
inline constexpr std::string_view REGISTER_DUMP_FILTER =
    "Register Dumps (*.txt *.h *.c *.csv *.hex *.sh *.cmd *.scr *.dts *.dtso *.bin)";

// What could not be placed, one row each.
TableContents ImportNotesTable(const RegisterImport& import);

void OnFileImportRegistersMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
