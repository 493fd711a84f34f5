#include "cli/report_command.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>

#include "app/option_words.h"
#include "app/report_export.h"
#include "cli/complaint.h"
#include "cli/exit_status.h"

namespace qv::cli {
namespace {

struct ReportOptions {
  std::string format;
  std::optional<int> map;
  report::FileKind kind = report::FileKind::Pdf;
};

// Said while the command line is read, before the setup file is loaded.
[[noreturn]] void Refuse(const std::string& problem) {
  throw CLI::ValidationError(problem, CLI::ExitCodes::ValidationError);
}

}  // namespace

CommandRun DefineReport(CLI::App& command) {
  auto options = std::make_shared<ReportOptions>();
  command
      .add_option("--format", options->format,
                  "pdf, html or md: the report; svg or png: the clock tree\n"
                  "(default: from the extension of -o)")
      ->type_name("KIND");
  command
      .add_option("--map", options->map,
                  "the frequency map the clock tree shows\n(default: the one MARGIN selects)")
      ->type_name("0|1")
      ->check(OneOf("--map", {"0", "1"}));
  command.callback([options, &command] {
    const std::string output = command.get_option("--output")->as<std::string>();
    const std::optional<report::FileKind> kind = options->format.empty()
                                                     ? report::FileKindOfPath(output)
                                                     : report::FileKindNamed(options->format);
    if (!kind && !options->format.empty()) {
      Refuse("--format must be one of " + std::string(report::FILE_KIND_NAMES));
    }
    if (!kind) {
      Refuse(
          "the kind of file is unknown: give -o a name ending in .pdf, .html, .md, .svg or .png, "
          "or name it with --format");
    }
    if (options->map && report::IsReport(*kind)) Refuse("--map: a report draws the map in use");
    options->kind = *kind;
  });
  return [options](CommandContext& context) {
    const int map = options->map.value_or(MAP_IN_USE);
    const std::string& source = context.args.input;
    if (context.args.OutputIsStandardOutput()) {
      std::string problem;
      const std::string bytes = CurrentReportFile(options->kind, source, map, &problem);
      if (bytes.empty()) {
        context.err << Complaint("standard output", problem);
        return EXIT_FILE_REFUSED;
      }
      context.out << bytes;
      return EXIT_DONE;
    }
    std::string failure;
    if (ExportReport(context.args.output, options->kind, source, map, &failure) == 0) {
      context.err << Complaint(context.args.output,
                               std::string(REPORT_EXPORT_ERROR) + "\n" + failure);
      return EXIT_FILE_REFUSED;
    }
    return EXIT_DONE;
  };
}

}  // namespace qv::cli
