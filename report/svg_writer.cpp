#include "report/svg_writer.h"

#include <variant>

#include "base/text_format.h"

namespace qv::report {
namespace {

// Two decimals at most, without trailing zeros: "12", "12.5", "12.25".
std::string Number(double value) {
  std::string text = FormatText("%.2f", value);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

std::string Color(int rgb) {
  return rgb == SCENE_NONE ? "none" : FormatText("#%06X", static_cast<unsigned>(rgb) & 0xFFFFFFu);
}

std::string Points(const std::vector<ScenePoint>& points) {
  std::string text;
  for (const ScenePoint& point : points) {
    if (!text.empty()) text += ' ';
    text += Number(point.x) + "," + Number(point.y);
  }
  return text;
}

void WriteShape(std::string& out, const SceneBox& box) {
  out += "<rect x=\"" + Number(box.x) + "\" y=\"" + Number(box.y) + "\" width=\"" +
         Number(box.width) + "\" height=\"" + Number(box.height) + "\"";
  if (box.radius > 0) out += " rx=\"" + Number(box.radius) + "\"";
  out += " fill=\"" + Color(box.fill) + "\" stroke=\"" + Color(box.stroke) + "\"";
  if (box.stroke != SCENE_NONE) out += " stroke-width=\"" + Number(box.strokeWidth) + "\"";
  out += "/>";
}

void WriteShape(std::string& out, const ScenePath& path) {
  out += path.closed ? "<polygon" : "<polyline";
  out += " points=\"" + Points(path.points) + "\" fill=\"" +
         Color(path.closed ? path.fill : SCENE_NONE) + "\" stroke=\"" + Color(path.stroke) +
         "\" stroke-width=\"" + Number(path.strokeWidth) + "\"";
  if (path.dashed) out += " stroke-dasharray=\"4 3\"";
  out += "/>";
}

void WriteShape(std::string& out, const SceneText& text) {
  static constexpr const char* kAnchors[] = {"start", "middle", "end"};
  out += "<text x=\"" + Number(text.at.x) + "\" y=\"" + Number(text.at.y) + "\" font-size=\"" +
         std::to_string(text.pixelSize) + "\" fill=\"" + Color(text.color) + "\"";
  if (text.anchor != TextAnchor::Start) {
    out += std::string(" text-anchor=\"") + kAnchors[static_cast<int>(text.anchor)] + "\"";
  }
  if (text.bold) out += " font-weight=\"bold\"";
  out += ">" + EscapeXml(text.text) + "</text>";
}

}  // namespace

std::string EscapeXml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string SvgElement(const Scene& scene) {
  const std::string width = Number(scene.width), height = Number(scene.height);
  std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + "\" height=\"" +
                    height + "\" viewBox=\"0 0 " + width + " " + height + "\" font-family=\"" +
                    SCENE_FONT_FAMILY + ", Verdana, sans-serif\">\n";
  if (!scene.title.empty()) out += "<title>" + EscapeXml(scene.title) + "</title>\n";
  out += "<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"" +
         Color(scene.background) + "\"/>\n";
  for (const SceneGroup& group : scene.groups) {
    out += "<g";
    if (!group.id.empty()) out += " id=\"" + EscapeXml(group.id) + "\"";
    if (!group.classes.empty()) out += " class=\"" + EscapeXml(group.classes) + "\"";
    out += ">";
    if (!group.hover.empty()) out += "<title>" + EscapeXml(group.hover) + "</title>";
    for (const SceneShape& shape : group.shapes) {
      std::visit([&out](const auto& s) { WriteShape(out, s); }, shape);
    }
    out += "</g>\n";
  }
  out += "</svg>\n";
  return out;
}

std::string SvgFile(const Scene& scene) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + SvgElement(scene);
}

}  // namespace qv::report
