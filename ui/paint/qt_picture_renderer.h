#pragma once
// The painter behind PNG and PDF files. The GUI already runs Qt; anywhere else
// (the command line) a GUI application is made on first use, on Qt's offscreen
// platform unless QT_QPA_PLATFORM names another: painting files needs no
// screen, and a display that cannot be opened would end the program.

#include <QGuiApplication>
#include <array>
#include <memory>

#include "ui/picture_renderer.h"

namespace qv::paint {

class QtPictureRenderer final : public PictureRenderer {
 public:
  QtPictureRenderer();
  ~QtPictureRenderer() override;
  QtPictureRenderer(const QtPictureRenderer&) = delete;
  QtPictureRenderer& operator=(const QtPictureRenderer&) = delete;

  std::string Png(const Scene& scene) override;
  std::string Pdf(const PrintDocument& document) override;

 private:
  bool EnsureApplication();

  int argc_ = 0;
  std::array<char*, 4> argv_{};
  std::unique_ptr<QGuiApplication> application_;
};

}  // namespace qv::paint
