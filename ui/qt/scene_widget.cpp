#include "ui/qt/scene_widget.h"

#include <QHelpEvent>
#include <QMouseEvent>
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

const SceneGroup* SceneWidget::GroupUnder(QPointF point) const {
  if (!scene_) return nullptr;
  bool invertible = false;
  const QPointF at = paint::FitTransform(*scene_, rect()).inverted(&invertible).map(point);
  return invertible ? scene_->HoverAt({at.x(), at.y()}) : nullptr;
}

QString SceneWidget::HoverTextAt(QPointF point) const {
  const SceneGroup* group = GroupUnder(point);
  return group ? QString::fromStdString(group->hover) : QString();
}

// The blocks are the groups that tell something when the pointer rests on them.
QString SceneWidget::GroupAt(QPointF point) const {
  const SceneGroup* group = GroupUnder(point);
  return group ? QString::fromStdString(group->id) : QString();
}

void SceneWidget::SetClickable(bool clickable) {
  clickable_ = clickable;
  setMouseTracking(clickable);
}

void SceneWidget::mouseMoveEvent(QMouseEvent* event) {
  if (clickable_) {
    setCursor(GroupAt(event->position()).isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
  }
  QWidget::mouseMoveEvent(event);
}

void SceneWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QString name =
      clickable_ && event->button() == Qt::LeftButton ? GroupAt(event->position()) : QString();
  if (name.isEmpty()) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  Q_EMIT groupClicked(name);
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
