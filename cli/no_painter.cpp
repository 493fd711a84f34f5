#include "cli/painter.h"

namespace qv::cli {

std::unique_ptr<PictureRenderer> MakePainter() { return nullptr; }

}  // namespace qv::cli
