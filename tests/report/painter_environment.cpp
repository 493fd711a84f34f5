#include "tests/report/painter_environment.h"

#include <gtest/gtest.h>

#include "ui/paint/qt_picture_renderer.h"

namespace qv::test {
namespace {

class PainterEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { painter.reset(); }
  std::unique_ptr<paint::QtPictureRenderer> painter = std::make_unique<paint::QtPictureRenderer>();
};

// gtest owns its environments.
PainterEnvironment* const g_environment =
    static_cast<PainterEnvironment*>(::testing::AddGlobalTestEnvironment(new PainterEnvironment));

}  // namespace

PictureRenderer* Painter() { return g_environment->painter.get(); }

}  // namespace qv::test
