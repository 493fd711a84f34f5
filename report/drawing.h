#pragma once
// The few shapes the report's pictures are made of: blocks (a box with lines
// of text), links with arrow heads, and the looks that say whether a block is
// in use, warns or fails, in the colours the panel uses for the same.

#include <string>
#include <vector>

#include "ui/scene.h"

namespace qv::report {

struct Area {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;
  double height = 0.0;

  double Right() const { return x + width; }
  double Bottom() const { return y + height; }
  double CenterX() const { return x + width / 2.0; }
  double CenterY() const { return y + height / 2.0; }
  ScenePoint LeftMiddle() const { return {x, CenterY()}; }
  ScenePoint RightMiddle() const { return {Right(), CenterY()}; }
  ScenePoint TopMiddle() const { return {CenterX(), y}; }
  ScenePoint BottomMiddle() const { return {CenterX(), Bottom()}; }
};

enum class Look { Active, Inactive, Warning, Fail };

struct LookColors {
  int fill;
  int stroke;
  int text;
};

LookColors ColorsOf(Look look);
// "active", "inactive", "warning", "fail": the block's class in a written picture.
const char* LookName(Look look);

inline constexpr int kLinkColor = 0x303030;
inline constexpr int kIdleLinkColor = 0xA0A0A0;
inline constexpr int kTextSize = 12;
inline constexpr int kSmallTextSize = 11;
inline constexpr double kLineHeight = 15.0;

// "OUT0" -> "out0": names as a written picture's ids spell them.
std::string LowerCase(std::string_view text);

SceneText Label(ScenePoint at, std::string text, int color = 0x000000, int size = kTextSize,
                TextAnchor anchor = TextAnchor::Start, bool bold = false);

// A box in its look with the lines centred in it, the first in bold; `fill`
// replaces white for an active block where given.
SceneGroup BlockGroup(std::string id, const Area& area, Look look, std::string hover,
                      const std::vector<std::string>& lines, int fill = SCENE_NONE);

// A path from the first point to the last, with an arrow head at the last.
SceneGroup LinkGroup(std::string id, std::vector<ScenePoint> points, bool active);

// A measure between two points: a line with an arrow head at each end.
SceneGroup Dimension(std::string id, ScenePoint from, ScenePoint to, int color);

// The corner points of a link that leaves `from` to the right and enters `to`
// from the left, turning once halfway.
std::vector<ScenePoint> Elbow(ScenePoint from, ScenePoint to);

}  // namespace qv::report
