#pragma once
// The JSON definition file: the chip configuration decoded from the register
// variables, for both frequency maps.

#include <string>

namespace qv {

inline constexpr const char* JSON_DEFAULT_NAME = "qv3380_def.json";

std::string FormatJsonDefinition();

inline constexpr const char* JSON_EXPORT_ERROR =
    "An error occurred when attempting to export the JSON file.";

// Refreshes SetupImage, writes the document and enables "Reset To Last Setup
// File". 1 on success, 0 on any failure (the previous file is kept), with
// "PATH: reason" in `failure` when one is given.
int ExportJsonDefinition(const std::string& path, std::string* failure = nullptr);

// File > Export JSON...
void OnFileExportJsonMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
