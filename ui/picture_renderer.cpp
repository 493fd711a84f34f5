#include "ui/picture_renderer.h"

namespace qv {
namespace {

PictureRenderer* g_renderer = nullptr;

}  // namespace

void InstallPictureRenderer(PictureRenderer* renderer) { g_renderer = renderer; }
PictureRenderer* InstalledPictureRenderer() { return g_renderer; }

}  // namespace qv
