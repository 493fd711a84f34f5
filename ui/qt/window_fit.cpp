#include "ui/qt/window_fit.h"

#include <algorithm>
#include <array>

namespace qv::qt {
namespace {

constexpr std::array kZoomSteps{0.75, 0.875, 1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};
constexpr double kSameZoom = 1e-3;

}  // namespace

double LargestFittingScale(QSize design, QSize chrome, QMargins frame, QRect available) {
  const double width = available.width() - frame.left() - frame.right() - chrome.width();
  const double height = available.height() - frame.top() - frame.bottom() - chrome.height();
  return std::min(width / design.width(), height / design.height());
}

QRect KeptInside(QRect frame, QRect available) {
  frame.setWidth(std::min(frame.width(), available.width()));
  frame.setHeight(std::min(frame.height(), available.height()));
  frame.moveLeft(std::clamp(frame.left(), available.left(), available.right() - frame.width() + 1));
  frame.moveTop(std::clamp(frame.top(), available.top(), available.bottom() - frame.height() + 1));
  return frame;
}

QPoint BesideMain(QSize frameSize, QRect mainFrame, QRect available) {
  const int top = mainFrame.top();
  if (mainFrame.right() + 1 + frameSize.width() <= available.right() + 1) {
    return KeptInside({{mainFrame.right() + 1, top}, frameSize}, available).topLeft();
  }
  if (mainFrame.left() - frameSize.width() >= available.left()) {
    return KeptInside({{mainFrame.left() - frameSize.width(), top}, frameSize}, available)
        .topLeft();
  }
  return KeptInside({{available.right() + 1 - frameSize.width(), top}, frameSize}, available)
      .topLeft();
}

double NextZoom(double zoom, int step) {
  if (step == 0) return 1.0;
  if (step > 0) {
    for (double next : kZoomSteps) {
      if (next > zoom + kSameZoom) return next;
    }
    return kZoomSteps.back();
  }
  for (auto next = kZoomSteps.rbegin(); next != kZoomSteps.rend(); ++next) {
    if (*next < zoom - kSameZoom) return *next;
  }
  return kZoomSteps.front();
}

}  // namespace qv::qt
