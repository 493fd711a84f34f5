#pragma once
// File > Export Report...: the design report of the settings the program
// holds, as PDF, HTML or Markdown by the name's extension. `qv3380 report`
// runs the same code, and also writes the clock tree alone as SVG or PNG.

#include <span>
#include <string>

#include "report/report_files.h"
#include "ui/callback_registry.h"

namespace qv {

inline constexpr const char* REPORT_DEFAULT_NAME = "qv3380_report.pdf";
inline constexpr const char* REPORT_FILE_TYPES =
    "PDF Document (*.pdf);;HTML Page (*.html);;Markdown Text (*.md)";
inline constexpr const char* REPORT_EXPORT_ERROR =
    "An error occurred when attempting to export the report.";
// The clock tree of the map MARGIN selects.
inline constexpr int MAP_IN_USE = -1;

// The file's bytes for the settings the program holds, named as coming from
// `sourceFile`; empty with `problem` set when it cannot be made.
std::string CurrentReportFile(report::FileKind kind, const std::string& sourceFile, int map,
                              std::string* problem);

// Writes that file to `path`, never losing the file that was there. 1 on
// success; 0 on failure with "PATH: reason" in `failure`.
int ExportReport(const std::string& path, report::FileKind kind, const std::string& sourceFile,
                 int map, std::string* failure);

void OnFileExportReportMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

std::span<const CallbackBinding> ReportCallbacks();

}  // namespace qv
