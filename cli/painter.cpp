#include "cli/painter.h"

#include "ui/paint/qt_picture_renderer.h"

namespace qv::cli {

std::unique_ptr<PictureRenderer> MakePainter() {
  return std::make_unique<paint::QtPictureRenderer>();
}

}  // namespace qv::cli
