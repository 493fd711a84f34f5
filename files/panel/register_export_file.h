#pragma once
// The program's configuration exported for firmware.

#include <string>
#include <vector>

#include "files/register_export.h"

namespace qv {

// The program's configuration now, from where it came, dated now.
std::string RegisterExportText(ExportFormat format, const ExportOptions& options = {});

// The checks of either map the program's plan fails now, one line each: what
// an export must name before it writes such a plan.
std::vector<std::string> CurrentPlanFailures();

inline constexpr const char* REGISTER_EXPORT_ERROR =
    "An error occurred when attempting to export the registers.";

// Writes RegisterExportText to path, failed checks or not (the caller has
// asked or refused first); the setup image, the baseline and the menus stay
// as they are. 1 on success, 0 on failure (the previous file is kept), with
// "PATH: reason" in `failure` when one is given.
int ExportRegisters(const std::string& path, ExportFormat format, const ExportOptions& options,
                    std::string* failure = nullptr);

}  // namespace qv
