#pragma once
// The painter of PNG and PDF files for the tests that need one: made once per
// test binary and ended before the process, as Qt wants.

#include <memory>

#include "ui/picture_renderer.h"

namespace qv::test {

// The painter, or null where the build has none.
PictureRenderer* Painter();

// Installs the painter for the scope of a test.
class WithPainter {
 public:
  WithPainter() { InstallPictureRenderer(Painter()); }
  ~WithPainter() { InstallPictureRenderer(nullptr); }
  WithPainter(const WithPainter&) = delete;
  WithPainter& operator=(const WithPainter&) = delete;
};

}  // namespace qv::test
