#pragma once
// A short, visible flash over a window: draws a highlight on and off a few
// times above everything else, without taking any input.

#include <QTimer>
#include <QWidget>

namespace qv::qt {

class FlashOverlay : public QWidget {
 public:
  explicit FlashOverlay(QWidget* parent);

  void Start(int count, int intervalMs);
  bool Lit() const { return lit_; }
  bool Flashing() const { return timer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Step();

  QTimer timer_;
  int stepsLeft_ = 0;
  bool lit_ = false;
};

}  // namespace qv::qt
