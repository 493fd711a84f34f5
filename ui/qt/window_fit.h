#pragma once
// Window sizes and places that fit the screen: pure geometry, so it can be
// checked for any screen without one.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace qv::qt {

// A frame the window manager has not told yet: a title bar and thin borders.
inline constexpr QMargins kAssumedFrame{6, 32, 6, 6};

// The largest scale at which a panel of `design` with `chrome` (menu and
// status line) and `frame` around it fits `available`.
double LargestFittingScale(QSize design, QSize chrome, QMargins frame, QRect available);
// `frame` moved (and shrunk, as a last resort) as little as it takes to lie inside `available`.
QRect KeptInside(QRect frame, QRect available);
// Where a window whose frame is `frameSize` goes beside the main window:
// right of it where the screen has room, else left of it, else against the
// screen's right edge; level with its top.
QPoint BesideMain(QSize frameSize, QRect mainFrame, QRect available);

// The zoom a step leads to, from `zoom` (1: actual size): the next of a
// ladder of steps up or down, or 1 for step 0.
double NextZoom(double zoom, int step);

}  // namespace qv::qt
