#include "cli/export_command.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

#include "app/option_words.h"
#include "cli/complaint.h"
#include "cli/exit_status.h"
#include "files/panel/register_export_file.h"
#include "files/setup_text.h"

namespace qv::cli {
namespace {

struct ExportRequest {
  ExportFormat format = ExportFormat::C;
  ExportOptions options;
};

// An option of one format given with another is a mistake worth saying.
std::string MisplacedOption(const CLI::App& command, const ExportRequest& request) {
  const struct {
    const char* option;
    ExportFormat format;
  } kOwners[] = {{"--i2c-bus-label", ExportFormat::Dts},
                 {"--i2c-bus", ExportFormat::Uboot},
                 {"--provenance", ExportFormat::Csv}};
  for (const auto& owner : kOwners) {
    if (command.count(owner.option) > 0 && request.format != owner.format) {
      return std::string(owner.option) + " goes with --format " +
             std::string(FormatFacts(owner.format).name);
    }
  }
  return ExportOptionsProblem(request.format, request.options);
}

}  // namespace

CommandRun DefineExport(CLI::App& command) {
  auto request = std::make_shared<ExportRequest>();
  std::vector<std::string> names;
  std::string help = "what to write:";
  for (const ExportFormatFacts& facts : ExportFormats()) {
    names.emplace_back(facts.name);
    help += "\n" + std::string(facts.name) + ": " + std::string(facts.description);
  }
  std::string kinds;
  for (const std::string& name : names) kinds += (kinds.empty() ? "" : "|") + name;
  command
      .add_option_function<std::string>(
          "--format",
          [request](const std::string& name) {
            for (const ExportFormatFacts& facts : ExportFormats()) {
              if (EqualsIgnoringCase(facts.name, name)) request->format = facts.format;
            }
          },
          help)
      ->required()
      ->type_name(kinds)
      ->check(OneOf("--format", names, true));
  command
      .add_option("--i2c-bus-label", request->options.i2cBusLabel,
                  "dts: put the chip's node with its register\n"
                  "sequence under the I2C bus of this label")
      ->type_name("LABEL");
  command
      .add_option("--i2c-bus", request->options.ubootBus,
                  "uboot: the bus number i2c dev selects (0)")
      ->type_name("N");
  command.add_flag("--provenance", request->options.provenanceColumns,
                   "csv: the tool, date, source and failed checks\n"
                   "as columns of every row");
  return [request, &command](CommandContext& context) {
    if (const std::string problem = MisplacedOption(command, *request); !problem.empty()) {
      context.err << "qv3380: export: " << problem << "\nTry 'qv3380 --help'.\n";
      return EXIT_USAGE;
    }
    if (context.args.OutputIsStandardOutput()) {
      context.out << RegisterExportText(request->format, request->options);
      return EXIT_DONE;
    }
    std::string failure;
    if (ExportRegisters(context.args.output, request->format, request->options, &failure) == 0) {
      context.err << Complaint(context.args.output,
                               std::string(REGISTER_EXPORT_ERROR) + "\n" + failure);
      return EXIT_FILE_REFUSED;
    }
    return EXIT_DONE;
  };
}

}  // namespace qv::cli
