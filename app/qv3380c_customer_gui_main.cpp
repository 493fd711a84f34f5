// qv3380_gui: the configuration tool with its Qt windows.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>

#include "app/startup.h"
#include "base/last_resort.h"
#include "base/trace.h"
#include "files/panel/kept_settings.h"
#include "files/settings_file.h"
#include "ui/front_end.h"
#include "ui/paint/qt_picture_renderer.h"
#include "ui/qt/qt_front_end.h"

int main(int argc, char* argv[]) {
  qv::InstallTerminateHandler("qv3380_gui");
  std::optional<qv::TraceFile> trace;
  if (const char* path = std::getenv(qv::TRACE_VARIABLE); path && *path) {
    trace.emplace(path, "qv3380_gui");
    if (!trace->complaint().empty()) std::fprintf(stderr, "%s\n", trace->complaint().c_str());
  }
  qv::qt::QtFrontEnd frontEnd;
  frontEnd.SetEscapedExceptionHandler(
      [](std::string_view what) { qv::ExitProgram(qv::ShowInternalError(what)); });
  qv::InstallFrontEnd(&frontEnd);
  qv::SettingsFileStore settings(qv::DefaultSettingsPath());
  qv::InstallSettingsStore(&settings);
  qv::paint::QtPictureRenderer painter;
  qv::InstallPictureRenderer(&painter);
  try {
    return qv::ProgramMain(argc, argv);
  } catch (...) {
    return qv::ShowInternalError(qv::ExceptionText(std::current_exception()));
  }
}
