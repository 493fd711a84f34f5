#pragma once
// The report's content as files: Markdown for version control (no pictures,
// nothing that changes between runs unless the settings do), a self-contained
// HTML page with the pictures inline as SVG, and the document the PDF is
// printed from.

#include <string>

#include "report/report_content.h"
#include "ui/print_document.h"

namespace qv::report {

std::string MarkdownReport(const Report& report);
std::string HtmlReport(const Report& report);
PrintDocument PrintableReport(const Report& report);

}  // namespace qv::report
