#include "cli/export_command.h"

#include <CLI/CLI.hpp>
#include <map>
#include <memory>
#include <string>

#include "cli/exit_status.h"
#include "files/panel/register_export_file.h"

namespace qv::cli {

CommandRun DefineExport(CLI::App& command) {
  auto format = std::make_shared<ExportFormat>(ExportFormat::C);
  std::map<std::string, ExportFormat> names;
  std::string help = "what to write:";
  for (const ExportFormatFacts& facts : ExportFormats()) {
    names.emplace(std::string(facts.name), facts.format);
    help += "\n" + std::string(facts.name) + ": " + std::string(facts.description);
  }
  command.add_option("--format", *format, help)
      ->required()
      ->type_name("c|csv|hex|i2c")
      ->transform(CLI::CheckedTransformer(names, CLI::ignore_case).description(""));
  return [format](CommandContext& context) {
    if (context.args.OutputIsStandardOutput()) {
      context.out << RegisterExportText(*format);
      return EXIT_DONE;
    }
    std::string failure;
    if (ExportRegisters(context.args.output, *format, &failure) == 0) {
      context.err << REGISTER_EXPORT_ERROR << '\n' << failure << '\n';
      return EXIT_FILE_REFUSED;
    }
    return EXIT_DONE;
  };
}

}  // namespace qv::cli
