#pragma once
// Saving the program's configuration as a setup file.

#include <string>

namespace qv {

// The whole file text from SetupImage and the panel's pin and reference controls.
std::string FormatSetupFile();

inline constexpr const char* SETUP_SAVE_ERROR =
    "An error occurred when attempting to save the setup file.";

// Refreshes SetupImage from the register variables, then writes the file.
// 1 when the file was written, 0 on any failure (the previous file is kept),
// with "PATH: reason" in `failure` when one is given.
int SaveSetupFile(const std::string& path, std::string* failure = nullptr);

}  // namespace qv
