#include "app/gui_command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <string_view>

#include "app/option_words.h"
#include "base/text_format.h"
#include "base/trace.h"
#include "base/version_notice.h"

namespace qv {
namespace {

// Qt's own options that take a value: the value is Qt's too.
constexpr std::array<std::string_view, 14> kQtValueOptions{
    "-platform",    "-platformpluginpath", "-platformtheme", "-plugin",  "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle",       "-session",       "-display", "-geometry",
    "-style",       "-stylesheet",         "-name",          "-title"};

bool IsQtOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-' && arg[1] != '-' && arg != "-h" && arg != "-V";
}

std::string Footer() {
  std::string text = "Exit status:\n";
  for (const GuiExitStatus& row : kGuiExitStatuses) {
    AppendFormat(text, "  %-3d %.*s\n", row.status, static_cast<int>(row.meaning.size()),
                 row.meaning.data());
  }
  return text + std::string(kQtOptionsNote) + "\n\n" + BugReportLine();
}

}  // namespace

std::unique_ptr<CLI::App> MakeGuiParser(GuiCommandLine* line, std::string* file) {
  auto app = std::make_unique<CLI::App>(
      "The QV3380 configuration tool: plan the clock generator's frequencies, check\n"
      "them against the chip's limits, and write them to the chip or to setup files.",
      "qv3380_gui");
  app->set_help_flag("-h,--help", "print this help and exit");
  app->set_version_flag("-V,--version", VersionNotice("qv3380_gui"),
                        "print the version, copyright and licence, and exit");
  app->get_formatter()->column_width(30);
  app->footer(Footer());
  app->add_option("FILE", *file, "a setup file (.stp) to open once a mode is chosen")
      ->type_name("");
  app->add_option("--write-screenshots", line->screenshotFolder,
                  "write the user guide's pictures of the windows\ninto DIR and end")
      ->type_name("DIR");
  app->add_option("--adapter", line->adapter, kAdapterOptionHelp)->type_name(kAdapterOptionType);
  app->add_option("--trace", line->tracePath, kTraceOptionHelp)->type_name("FILE");
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
      const std::string problem = ParseErrorInOurWords(error, &app);
      Trace(TRACE_REFUSED, "command line: %s", problem.c_str());
      err << "qv3380_gui: " << problem << "\nTry 'qv3380_gui --help'.\n";
      return GUI_USAGE_STATUS;
    }
    if (dynamic_cast<const CLI::CallForVersion*>(&error)) {
      out << error.what() << '\n';
    } else {
      out << app.help();
    }
    // Not written is no answer: a full disk or a closed pipe fails.
    return StandardOutputWritten(out, err, "qv3380_gui") ? 0 : 1;
  }
  if (!file.empty()) line->remaining.push_back(file);
  return std::nullopt;
}

}  // namespace qv
