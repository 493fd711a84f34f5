#pragma once
// A picture as plain data: boxes, lines and texts in groups, each group with
// a name, classes and the text shown when the pointer rests on it. Whoever
// draws a picture builds one; a front end paints it, a writer turns it into a
// file. Nothing here knows what the picture shows.

#include <string>
#include <variant>
#include <vector>

namespace qv {

// Colours are 0xRRGGBB; this one means "not painted".
inline constexpr int SCENE_NONE = -1;

struct ScenePoint {
  double x = 0.0;
  double y = 0.0;
};

struct SceneBox {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;
  double height = 0.0;
  int fill = 0xFFFFFF;
  int stroke = 0x000000;
  double strokeWidth = 1.0;
  double radius = 0.0;  // rounded corners
};

// Open, or closed and filled (a polygon such as an arrow head).
struct ScenePath {
  std::vector<ScenePoint> points;
  int stroke = 0x000000;
  double strokeWidth = 1.0;
  bool dashed = false;
  bool closed = false;
  int fill = SCENE_NONE;
};

enum class TextAnchor { Start, Middle, End };

// One line of text; `at` is the left, middle or right end of its baseline.
struct SceneText {
  ScenePoint at;
  std::string text;
  int color = 0x000000;
  int pixelSize = 12;
  TextAnchor anchor = TextAnchor::Start;
  bool bold = false;
};

using SceneShape = std::variant<SceneBox, ScenePath, SceneText>;

struct SceneGroup {
  std::string id;                  // names the group to readers of a written picture; may be empty
  std::string classes;             // space-separated, as in SVG and HTML
  std::string hover;               // may be empty
  std::vector<SceneShape> shapes;  // painted in order
};

struct Scene {
  double width = 0.0;
  double height = 0.0;
  int background = 0xFFFFFF;
  std::string title;
  std::vector<SceneGroup> groups;  // painted in order

  // The topmost group with a hover text whose boxes hold the point, or null.
  const SceneGroup* HoverAt(ScenePoint point) const;
  const SceneGroup* Find(const std::string& id) const;
};

// The family every picture is drawn in, so text fits the same way everywhere.
inline constexpr const char* SCENE_FONT_FAMILY = "DejaVu Sans";

}  // namespace qv
