#pragma once
// A drawing control: paints the store's picture scaled to fit, shows the
// hover text of the group under the pointer as a tooltip, and, clickable,
// says which group a click landed on.

#include <QWidget>
#include <memory>

#include "ui/scene.h"

namespace qv::qt {

class SceneWidget final : public QWidget {
  Q_OBJECT

 public:
  explicit SceneWidget(QWidget* parent);

  void SetScene(std::shared_ptr<const Scene> scene);
  const Scene* scene() const { return scene_.get(); }
  // The hover text at a point of the widget; empty where there is none.
  QString HoverTextAt(QPointF point) const;
  // The named group a click at a point lands on; empty where there is none.
  QString GroupAt(QPointF point) const;
  void SetClickable(bool clickable);

 Q_SIGNALS:
  void groupClicked(const QString& name);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const SceneGroup* GroupUnder(QPointF point) const;

  std::shared_ptr<const Scene> scene_;
  bool clickable_ = false;
};

}  // namespace qv::qt
