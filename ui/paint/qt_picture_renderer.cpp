#include "ui/paint/qt_picture_renderer.h"

#include <clocale>
#include <string>

#include "ui/paint/picture_files.h"

namespace qv::paint {
namespace {

char kProgramName[] = "qv3380";
char kPlatformOption[] = "-platform";
char kOffscreen[] = "offscreen";

QtMessageHandler g_previousHandler = nullptr;

// A command-line run has no session: Qt's note that it found no runtime
// folder is no news to its user.
void QuietStartHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("QStandardPaths:"))) return;
  if (g_previousHandler) g_previousHandler(type, context, message);
}

}  // namespace

QtPictureRenderer::QtPictureRenderer() = default;
QtPictureRenderer::~QtPictureRenderer() = default;

bool QtPictureRenderer::EnsureApplication() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return true;
  if (QCoreApplication::instance()) return false;
  argc_ = 0;
  argv_[argc_++] = kProgramName;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    argv_[argc_++] = kPlatformOption;
    argv_[argc_++] = kOffscreen;
  }
  argv_[argc_] = nullptr;
  // Qt adopts the user's locale; numbers in files keep their decimal point.
  const std::string numeric = std::setlocale(LC_NUMERIC, nullptr);
  g_previousHandler = qInstallMessageHandler(QuietStartHandler);
  application_ = std::make_unique<QGuiApplication>(argc_, argv_.data());
  qInstallMessageHandler(g_previousHandler);
  std::setlocale(LC_NUMERIC, numeric.c_str());
  return true;
}

std::string QtPictureRenderer::Png(const Scene& scene) {
  return EnsureApplication() ? PngBytes(scene) : "";
}

std::string QtPictureRenderer::Pdf(const PrintDocument& document) {
  return EnsureApplication() ? PdfBytes(document) : "";
}

}  // namespace qv::paint
