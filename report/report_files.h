#pragma once
// The files the report layer makes, by kind: the design report as PDF, HTML or
// Markdown, or the clock tree alone as SVG or PNG. The kind comes from the
// name's extension or is named.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_content.h"
#include "ui/scene.h"

namespace qv::report {

enum class FileKind { Pdf, Html, Markdown, Svg, Png };

// By extension, any case: .pdf, .html or .htm, .md, .svg, .png.
std::optional<FileKind> FileKindOfPath(std::string_view path);
// "pdf", "html", "md", "svg", "png".
std::optional<FileKind> FileKindNamed(std::string_view name);
inline constexpr const char* FILE_KIND_NAMES = "pdf, html, md, svg or png";
// The names FileKindNamed takes, one for each kind.
std::vector<std::string_view> FileKindNames();
// PDF, HTML and Markdown; the others are the clock tree alone.
bool IsReport(FileKind kind);

// Files only the installed painter makes; empty with `problem` set without one.
std::string PngFile(const Scene& scene, std::string* problem);
std::string PdfFile(const Report& report, std::string* problem);

// The bytes of the file: the report (a Markdown report leaves the date out, so
// it stays the same while the settings do), or the clock tree of `map`.
// Empty with `problem` set when it cannot be made.
std::string RenderFile(FileKind kind, const PlanEvaluation& plan, const RegisterImage& registers,
                       ReportOrigin origin, int map, std::string* problem);

}  // namespace qv::report
