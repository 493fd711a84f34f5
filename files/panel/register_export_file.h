#pragma once
// The program's configuration exported for firmware.

#include <string>

#include "files/register_export.h"

namespace qv {

// The program's configuration now, from where it came, dated now.
std::string RegisterExportText(ExportFormat format);

inline constexpr const char* REGISTER_EXPORT_ERROR =
    "An error occurred when attempting to export the registers.";

// Writes RegisterExportText to path; the setup image, the baseline and the
// menus stay as they are. 1 on success, 0 on failure (the previous file is
// kept), with "PATH: reason" in `failure` when one is given.
int ExportRegisters(const std::string& path, ExportFormat format, std::string* failure = nullptr);

}  // namespace qv
