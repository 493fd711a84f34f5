#pragma once
// The JSON definition file of the program's configuration.

#include <string>

#include "files/json_definition.h"

namespace qv {

// The document of the register variables.
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
