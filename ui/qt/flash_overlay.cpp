#include "ui/qt/flash_overlay.h"

#include <QPainter>

namespace qv::qt {

FlashOverlay::FlashOverlay(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  hide();
  QObject::connect(&timer_, &QTimer::timeout, [this] { Step(); });
}

void FlashOverlay::Start(int count, int intervalMs) {
  stepsLeft_ = 2 * std::max(count, 1);
  timer_.start(std::max(intervalMs, 10));
  setGeometry(parentWidget()->rect());
  raise();
  Step();
}

void FlashOverlay::Step() {
  if (stepsLeft_ <= 0) {
    timer_.stop();
    lit_ = false;
    hide();
    return;
  }
  --stepsLeft_;
  lit_ = !lit_;
  setVisible(lit_);
}

void FlashOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QColor highlight = palette().color(QPalette::Highlight);
  painter.setPen(QPen(highlight, 6));
  painter.drawRect(rect().adjusted(3, 3, -3, -3));
  highlight.setAlpha(60);
  painter.fillRect(rect().adjusted(6, 6, -6, -6), highlight);
}

}  // namespace qv::qt
