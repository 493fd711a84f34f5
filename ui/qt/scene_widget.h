#pragma once
// A drawing control: paints the store's picture scaled to fit, and shows the
// hover text of the group under the pointer as a tooltip.

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

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  std::shared_ptr<const Scene> scene_;
};

}  // namespace qv::qt
