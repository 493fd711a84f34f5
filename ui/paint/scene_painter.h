#pragma once
// Paints a picture with QPainter: on a widget, an image or a PDF page, as
// vectors wherever the device keeps them.

#include <QPainter>
#include <QRectF>
#include <QTransform>

#include "ui/scene.h"

namespace qv::paint {

// Scene coordinates to the target: scaled to fit, aspect kept, centred
// across and at the top, as a page or a window reads.
QTransform FitTransform(const Scene& scene, const QRectF& target);

void PaintScene(QPainter& painter, const Scene& scene, const QRectF& target);

}  // namespace qv::paint
