#include "ui/paint/scene_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <variant>

namespace qv::paint {
namespace {

QColor ToColor(int rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb) & 0xFFFFFFu); }

QPen PenOf(int color, double width, bool dashed = false) {
  if (color == SCENE_NONE) return Qt::NoPen;
  QPen pen(ToColor(color), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  // Qt counts a dash in pen widths.
  if (dashed) pen.setDashPattern({4.0 / width, 3.0 / width});
  return pen;
}

QBrush BrushOf(int color) {
  return color == SCENE_NONE ? QBrush(Qt::NoBrush) : QBrush(ToColor(color));
}

QPolygonF Polygon(const std::vector<ScenePoint>& points) {
  QPolygonF polygon;
  for (const ScenePoint& point : points) polygon << QPointF(point.x, point.y);
  return polygon;
}

void Paint(QPainter& painter, const SceneBox& box) {
  painter.setPen(PenOf(box.stroke, box.strokeWidth));
  painter.setBrush(BrushOf(box.fill));
  painter.drawRoundedRect(QRectF(box.x, box.y, box.width, box.height), box.radius, box.radius);
}

void Paint(QPainter& painter, const ScenePath& path) {
  painter.setPen(PenOf(path.stroke, path.strokeWidth, path.dashed));
  if (path.closed) {
    painter.setBrush(BrushOf(path.fill));
    painter.drawPolygon(Polygon(path.points));
  } else {
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(Polygon(path.points));
  }
}

void Paint(QPainter& painter, const SceneText& text) {
  QFont font(QString::fromLatin1(SCENE_FONT_FAMILY));
  font.setPixelSize(text.pixelSize);
  font.setBold(text.bold);
  // No ligatures, so text in a PDF can be searched and copied as written.
  font.setStyleStrategy(QFont::PreferNoShaping);
  painter.setFont(font);
  painter.setPen(ToColor(text.color));
  const QString shown = QString::fromStdString(text.text);
  double x = text.at.x;
  if (text.anchor != TextAnchor::Start) {
    const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(shown);
    x -= text.anchor == TextAnchor::Middle ? width / 2.0 : width;
  }
  painter.drawText(QPointF(x, text.at.y), shown);
}

}  // namespace

QTransform FitTransform(const Scene& scene, const QRectF& target) {
  if (scene.width <= 0 || scene.height <= 0) return {};
  const double scale = std::min(target.width() / scene.width, target.height() / scene.height);
  const double left = target.left() + (target.width() - scene.width * scale) / 2.0;
  const double top = target.top();
  return QTransform(scale, 0, 0, scale, left, top);
}

void PaintScene(QPainter& painter, const Scene& scene, const QRectF& target) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setTransform(FitTransform(scene, target), true);
  if (scene.background != SCENE_NONE) {
    painter.fillRect(QRectF(0, 0, scene.width, scene.height), ToColor(scene.background));
  }
  for (const SceneGroup& group : scene.groups) {
    for (const SceneShape& shape : group.shapes) {
      std::visit([&painter](const auto& s) { Paint(painter, s); }, shape);
    }
  }
  painter.restore();
}

}  // namespace qv::paint
