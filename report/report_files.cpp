#include "report/report_files.h"

#include <algorithm>
#include <array>
#include <memory>

#include "report/clock_tree.h"
#include "report/drawing.h"
#include "report/report_writers.h"
#include "report/svg_writer.h"
#include "ui/picture_renderer.h"

namespace qv::report {
namespace {

struct KindName {
  std::string_view extension;
  FileKind kind;
};

constexpr std::array<KindName, 6> kExtensions{{
    {"pdf", FileKind::Pdf},
    {"html", FileKind::Html},
    {"htm", FileKind::Html},
    {"md", FileKind::Markdown},
    {"svg", FileKind::Svg},
    {"png", FileKind::Png},
}};

// What only the painter can make; empty with a problem when it cannot.
template <typename Paint>
std::string Painted(const char* what, const Paint& paint, std::string* problem) {
  PictureRenderer* renderer = InstalledPictureRenderer();
  if (!renderer) {
    *problem = NO_PICTURE_RENDERER;
    return "";
  }
  std::string bytes = paint(*renderer);
  if (bytes.empty()) *problem = std::string("the ") + what + " could not be made";
  return bytes;
}

}  // namespace

std::optional<FileKind> FileKindOfPath(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.rfind('/');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
    return std::nullopt;
  return FileKindNamed(LowerCase(path.substr(dot + 1)));
}

std::optional<FileKind> FileKindNamed(std::string_view name) {
  for (const KindName& entry : kExtensions) {
    if (entry.extension == name) return entry.kind;
  }
  return std::nullopt;
}

std::vector<std::string_view> FileKindNames() {
  std::vector<std::string_view> names;
  std::vector<FileKind> named;
  for (const KindName& entry : kExtensions) {
    if (std::find(named.begin(), named.end(), entry.kind) != named.end()) continue;
    named.push_back(entry.kind);
    names.push_back(entry.extension);
  }
  return names;
}

bool IsReport(FileKind kind) { return kind != FileKind::Svg && kind != FileKind::Png; }

std::string PngFile(const Scene& scene, std::string* problem) {
  return Painted(
      "PNG", [&](PictureRenderer& renderer) { return renderer.Png(scene); }, problem);
}

std::string PdfFile(const Report& report, std::string* problem) {
  return Painted(
      "PDF", [&](PictureRenderer& renderer) { return renderer.Pdf(PrintableReport(report)); },
      problem);
}

std::string RenderFile(FileKind kind, const PlanEvaluation& plan, const RegisterImage& registers,
                       ReportOrigin origin, int map, std::string* problem) {
  problem->clear();
  if (!IsReport(kind)) {
    const Scene scene = ClockTreeScene(plan, map);
    return kind == FileKind::Svg ? SvgFile(scene) : PngFile(scene, problem);
  }
  if (kind == FileKind::Markdown) origin.date.clear();
  const Report report = BuildReport(plan, registers, origin);
  switch (kind) {
    case FileKind::Html: return HtmlReport(report);
    case FileKind::Markdown: return MarkdownReport(report);
    default: return PdfFile(report, problem);
  }
}

}  // namespace qv::report
