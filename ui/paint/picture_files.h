#pragma once
// PNG and PDF files as bytes, painted with Qt's GUI module. They need a
// QGuiApplication; QtPictureRenderer makes sure there is one.

#include <string>

#include "ui/print_document.h"
#include "ui/scene.h"

namespace qv::paint {

// Twice the picture's size, so it stays sharp when zoomed or printed.
inline constexpr int PNG_SCALE = 2;

std::string PngBytes(const Scene& scene);
// A4 landscape; the text laid out by a text document, pictures as vectors.
std::string PdfBytes(const PrintDocument& document);

}  // namespace qv::paint
