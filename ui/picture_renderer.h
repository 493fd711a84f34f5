#pragma once
// What only a painting toolkit can make: a PNG of a picture and a PDF of a
// document. The program asks the installed renderer; a program built without
// one says so instead.

#include <string>

#include "ui/print_document.h"
#include "ui/scene.h"

namespace qv {

class PictureRenderer {
 public:
  virtual ~PictureRenderer() = default;
  // The bytes of the file; empty when it could not be made.
  virtual std::string Png(const Scene& scene) = 0;
  virtual std::string Pdf(const PrintDocument& document) = 0;
};

// The renderer PNG and PDF files are made with; not owned, may be null.
void InstallPictureRenderer(PictureRenderer* renderer);
PictureRenderer* InstalledPictureRenderer();

inline constexpr const char* NO_PICTURE_RENDERER =
    "PNG and PDF files cannot be made: this program was built without its painter.";

}  // namespace qv
