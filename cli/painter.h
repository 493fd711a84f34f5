#pragma once
// What paints qv3380's PNG and PDF files: Qt's GUI module where the program is
// built with it, nothing otherwise (those files are then refused with a reason).

#include <memory>

#include "ui/picture_renderer.h"

namespace qv::cli {

std::unique_ptr<PictureRenderer> MakePainter();

}  // namespace qv::cli
