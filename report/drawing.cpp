#include "report/drawing.h"

#include <cmath>
#include <utility>

#include "plan/plan_colors.h"

namespace qv::report {
namespace {

constexpr int kActiveStroke = 0x404040;
constexpr double kArrowLength = 8.0;
constexpr double kArrowHalfWidth = 4.0;

ScenePath ArrowHead(ScenePoint tail, ScenePoint tip, int color) {
  const double dx = tip.x - tail.x, dy = tip.y - tail.y;
  const double length = std::hypot(dx, dy);
  ScenePath head;
  head.stroke = color;
  head.fill = color;
  head.closed = true;
  if (length == 0.0) return head;
  const double ux = dx / length, uy = dy / length;
  const ScenePoint base{tip.x - ux * kArrowLength, tip.y - uy * kArrowLength};
  head.points = {tip,
                 {base.x - uy * kArrowHalfWidth, base.y + ux * kArrowHalfWidth},
                 {base.x + uy * kArrowHalfWidth, base.y - ux * kArrowHalfWidth}};
  return head;
}

}  // namespace

LookColors ColorsOf(Look look) {
  switch (look) {
    case Look::Inactive: return {DISABLED_COLOR, INACTIVE_LABEL_COLOR, INACTIVE_TEXT_COLOR};
    case Look::Warning: return {VALIDATE_WARNING_COLOR, kActiveStroke, 0x000000};
    case Look::Fail: return {VALIDATE_BAD_COLOR, 0x800000, 0x000000};
    case Look::Active:
    default: return {VALIDATE_GOOD_COLOR, kActiveStroke, 0x000000};
  }
}

const char* LookName(Look look) {
  switch (look) {
    case Look::Inactive: return "inactive";
    case Look::Warning: return "warning";
    case Look::Fail: return "fail";
    case Look::Active:
    default: return "active";
  }
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  return lower;
}

SceneText Label(ScenePoint at, std::string text, int color, int size, TextAnchor anchor,
                bool bold) {
  SceneText label;
  label.at = at;
  label.text = std::move(text);
  label.color = color;
  label.pixelSize = size;
  label.anchor = anchor;
  label.bold = bold;
  return label;
}

SceneGroup BlockGroup(std::string id, const Area& area, Look look, std::string hover,
                      const std::vector<std::string>& lines, int fill) {
  const LookColors colors = ColorsOf(look);
  SceneGroup group;
  group.id = std::move(id);
  group.classes = std::string("block ") + LookName(look);
  group.hover = std::move(hover);
  SceneBox box{area.x, area.y, area.width, area.height};
  box.fill = look == Look::Active && fill != SCENE_NONE ? fill : colors.fill;
  box.stroke = colors.stroke;
  box.strokeWidth = look == Look::Fail ? 2.0 : 1.0;
  box.radius = 4.0;
  group.shapes.emplace_back(box);
  // Baselines spaced evenly about the middle; a cap height is about 0.7 of the size.
  const double first = area.CenterY() -
                       (static_cast<double>(lines.size()) - 1.0) * kLineHeight / 2.0 +
                       0.35 * kTextSize;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    group.shapes.emplace_back(Label({area.CenterX(), first + static_cast<double>(i) * kLineHeight},
                                    lines[i], colors.text, i == 0 ? kTextSize : kSmallTextSize,
                                    TextAnchor::Middle, i == 0));
  }
  return group;
}

SceneGroup LinkGroup(std::string id, std::vector<ScenePoint> points, bool active) {
  const int color = active ? kLinkColor : kIdleLinkColor;
  SceneGroup group;
  group.id = std::move(id);
  group.classes = active ? "link active" : "link inactive";
  ScenePath line;
  line.points = std::move(points);
  line.stroke = color;
  line.strokeWidth = active ? 1.5 : 1.0;
  if (line.points.size() >= 2) {
    const ScenePoint tip = line.points.back();
    const ScenePoint tail = line.points[line.points.size() - 2];
    // The line stops at the arrow's base, so its end does not poke through the tip.
    const double length = std::hypot(tip.x - tail.x, tip.y - tail.y);
    if (length > kArrowLength) {
      line.points.back() = {tip.x - (tip.x - tail.x) / length * kArrowLength * 0.5,
                            tip.y - (tip.y - tail.y) / length * kArrowLength * 0.5};
    }
    group.shapes.emplace_back(std::move(line));
    group.shapes.emplace_back(ArrowHead(tail, tip, color));
  }
  return group;
}

SceneGroup Dimension(std::string id, ScenePoint from, ScenePoint to, int color) {
  SceneGroup group;
  group.id = std::move(id);
  group.classes = "dimension";
  ScenePath line;
  line.points = {from, to};
  line.stroke = color;
  group.shapes.emplace_back(std::move(line));
  group.shapes.emplace_back(ArrowHead(from, to, color));
  group.shapes.emplace_back(ArrowHead(to, from, color));
  return group;
}

std::vector<ScenePoint> Elbow(ScenePoint from, ScenePoint to) {
  if (from.y == to.y) return {from, to};
  const double middle = (from.x + to.x) / 2.0;
  return {from, {middle, from.y}, {middle, to.y}, to};
}

}  // namespace qv::report
