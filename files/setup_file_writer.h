#pragma once
// Writing the setup file: the register image, the pin states and the
// reference settings as the panel holds them.

#include <string>

namespace qv {

// The whole file text from SetupImage and the panel's pin and reference controls.
std::string FormatSetupFile();

// Refreshes SetupImage from the register variables, then writes the file.
// 1 when the file was written, 0 on any failure (the previous file is kept).
int SaveSetupFile(const std::string& path);

// File > Save Setup As...
void OnFileExportMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
