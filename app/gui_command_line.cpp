#include "app/gui_command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <string_view>

#include "base/text_format.h"
#include "base/trace.h"
#include "base/version.h"

namespace qv {
namespace {

// Qt's own options that take a value: the value is Qt's too.
constexpr std::array<std::string_view, 14> kQtValueOptions{
    "-platform",    "-platformpluginpath", "-platformtheme", "-plugin",  "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle",       "-session",       "-display", "-geometry",
    "-style",       "-stylesheet",         "-name",          "-title"};

bool IsQtOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-' && arg[1] != '-' && arg != "-h";
}

std::string Footer() {
  std::string text = "Exit status:\n";
  for (const GuiExitStatus& row : kGuiExitStatuses) {
    AppendFormat(text, "  %-3d %.*s\n", row.status, static_cast<int>(row.meaning.size()),
                 row.meaning.data());
  }
  return text + std::string(kQtOptionsNote);
}

}  // namespace

std::unique_ptr<CLI::App> MakeGuiParser(GuiCommandLine* line, std::string* file) {
  auto app = std::make_unique<CLI::App>(
      "The QV3380 configuration tool: plan the clock generator's frequencies, check\n"
      "them against the chip's limits, and write them to the chip or to setup files.",
      "qv3380_gui");
  app->set_version_flag("--version", "qv3380_gui " + std::string(kToolVersion));
  app->get_formatter()->column_width(30);
  app->footer(Footer());
  app->add_option("FILE", *file, "a setup file (.stp) to open once a mode is chosen")
      ->type_name("");
  app->add_option("--write-screenshots", line->screenshotFolder,
                  "write the user guide's pictures of the windows\ninto DIR and end")
      ->type_name("DIR");
  return app;
}

std::optional<int> ParseGuiCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                       std::ostream& err, GuiCommandLine* line) {
  std::string file;
  const std::unique_ptr<CLI::App> parser = MakeGuiParser(line, &file);
  CLI::App& app = *parser;

  // Qt's options go to Qt untouched; the rest is ours to read.
  std::vector<std::string> ours;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (!IsQtOption(args[i])) {
      ours.push_back(args[i]);
      continue;
    }
    line->remaining.push_back(args[i]);
    if (std::ranges::find(kQtValueOptions, args[i]) != kQtValueOptions.end() &&
        i + 1 < args.size()) {
      line->remaining.push_back(args[++i]);
    }
  }
  std::ranges::reverse(ours);  // CLI11 takes them last first
  try {
    app.parse(ours);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() != static_cast<int>(CLI::ExitCodes::Success)) {
      Trace(TRACE_REFUSED, "command line: %s", error.what());
      err << "qv3380_gui: " << error.what() << "\nTry 'qv3380_gui --help'.\n";
      return GUI_USAGE_STATUS;
    }
    if (dynamic_cast<const CLI::CallForVersion*>(&error)) {
      out << error.what() << '\n';
    } else {
      out << app.help();
    }
    return 0;
  }
  if (!file.empty()) line->remaining.push_back(file);
  return std::nullopt;
}

}  // namespace qv
