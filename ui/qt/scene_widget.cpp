#include "ui/qt/scene_widget.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "ui/paint/scene_painter.h"

namespace qv::qt {

SceneWidget::SceneWidget(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SceneWidget::SetScene(std::shared_ptr<const Scene> scene) {
  if (scene == scene_) return;
  scene_ = std::move(scene);
  update();
}

QString SceneWidget::HoverTextAt(QPointF point) const {
  if (!scene_) return {};
  bool invertible = false;
  const QPointF at = paint::FitTransform(*scene_, rect()).inverted(&invertible).map(point);
  const SceneGroup* group = invertible ? scene_->HoverAt({at.x(), at.y()}) : nullptr;
  return group ? QString::fromStdString(group->hover) : QString();
}

void SceneWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (scene_) paint::PaintScene(painter, *scene_, rect());
}

bool SceneWidget::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QString text = HoverTextAt(help->pos());
  if (text.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(), text, this);
  }
  return true;
}

}  // namespace qv::qt
