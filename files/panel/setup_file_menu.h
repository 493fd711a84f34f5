#pragma once
// The File menu's setup-file items: Open Setup..., Save Setup, Save Setup
// As..., Reset To Last Setup File, and a setup file opened without the dialog
// (a recent file, a file dropped on the window, the command line).

#include <string>

namespace qv {

// Saves to the open setup file, or asks for one as Save Setup As... does.
// True when the file was written.
bool SaveSetup();
// Asks for a file (proposing the open one) and saves there. True when written.
bool SaveSetupAs();
// Opens the file as Open Setup... opens the one chosen, after the same question
// about unsaved changes.
void OpenSetupFileAt(const std::string& path);

// File > Open Setup...
void OnFileImportMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
// File > Save Setup
void OnFileSaveMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
// File > Save Setup As...
void OnFileExportMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
// File > Reset To Last Setup File: the setup image back on the chip and the panel.
void OnFileResetToCfgMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
