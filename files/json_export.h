#pragma once
// The JSON definition file: the chip configuration decoded from the register
// variables, for both frequency maps.

#include <string>

namespace qv {

inline constexpr const char* JSON_DEFAULT_NAME = "qv3380_def.json";

std::string FormatJsonDefinition();

// Refreshes SetupImage, writes the document and enables "Reset To Last Setup
// File". 1 on success, 0 on any failure (the previous file is kept).
int ExportJsonDefinition(const std::string& path);

// File > Export JSON...
void OnFileExportJsonMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
