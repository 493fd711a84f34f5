// qv3380_gui: the configuration tool with its Qt windows.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/gui_command_line.h"
#include "app/startup.h"
#include "app/user_guide_pictures.h"
#include "base/last_resort.h"
#include "base/trace.h"
#include "bridge/adapter_choice.h"
#include "files/panel/kept_settings.h"
#include "files/settings_file.h"
#include "ui/front_end.h"
#include "ui/paint/qt_picture_renderer.h"
#include "ui/qt/qt_front_end.h"

int main(int argc, char* argv[]) {
  qv::InstallTerminateHandler("qv3380_gui");
  qv::GuiCommandLine line;
  if (const std::optional<int> answered = qv::ParseGuiCommandLine(
          std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, &line)) {
    return *answered;
  }
  // What Qt and the program read: our own options taken out. Qt keeps a
  // reference to both for as long as the application lives.
  std::vector<char*> arguments{argv[0]};
  for (std::string& argument : line.remaining) arguments.push_back(argument.data());
  arguments.push_back(nullptr);
  int count = static_cast<int>(arguments.size()) - 1;

  std::optional<qv::TraceFile> trace;
  const char* tracePath = std::getenv(qv::TRACE_VARIABLE);
  if (!line.tracePath.empty()) tracePath = line.tracePath.c_str();
  if (tracePath && *tracePath) {
    trace.emplace(tracePath, "qv3380_gui");
    if (!trace->complaint().empty()) std::fprintf(stderr, "%s\n", trace->complaint().c_str());
  }
  // Every transfer of the session, the worker thread's too, asks the bridge for this one.
  const qv::bridge::ScopedAdapterChoice adapter(line.adapter);
  // The pictures need no display.
  if (!line.screenshotFolder.empty() && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
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
    if (!line.screenshotFolder.empty()) {
      return qv::WriteUserGuidePictures(count, arguments.data(), line.screenshotFolder);
    }
    return qv::ProgramMain(count, arguments.data());
  } catch (...) {
    return qv::ShowInternalError(qv::ExceptionText(std::current_exception()));
  }
}
