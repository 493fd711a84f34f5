#include "cli/import_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/complaint.h"
#include "cli/exit_status.h"
#include "files/panel/current_setup.h"
#include "files/panel/register_export_file.h"
#include "files/panel/register_import_file.h"
#include "files/setup_file_reader.h"

namespace qv::cli {
namespace {

struct ImportRequest {
  std::string dump;
  std::string like;
};

}  // namespace

CommandRun DefineImport(CLI::App& command) {
  auto request = std::make_shared<ImportRequest>();
  command
      .add_option("FILE", request->dump,
                  "the register dump: an i2cdump, a C array, a CSV, hex pairs,\n"
                  "an i2c-tools or U-Boot script, a device tree, a firmware file")
      ->required()
      ->type_name("");
  command
      .add_option("--like", request->like,
                  "take the pins and reference settings from this setup file")
      ->type_name("FILE");
  return [request](CommandContext& context) {
    if (!request->like.empty()) {
      const SetupFileReading model = ReadSetupFile(request->like);
      if (!model.contents) {
        context.err << Complaint(request->like, model.message);
        return EXIT_FILE_REFUSED;
      }
      ApplyBoardSettings(*model.contents);
    }
    const RegisterImport import = ReadRegisterDumpFile(request->dump);
    if (!import.format) {
      context.err << Complaint(request->dump, import.refusal);
      return EXIT_FILE_REFUSED;
    }
    ApplyRegisterImport(import, request->dump);
    std::ostream& report = context.report();
    report << ImportSummary(import, std::filesystem::path(request->dump).filename().string())
           << '\n';
    if (!import.notes.empty()) report << "Not placed:\n";
    for (const std::string& note : import.notes) report << "  " << note << '\n';
    if (const std::vector<std::string> failures = CurrentPlanFailures(); !failures.empty()) {
      report << FailedChecksText(failures) << '\n';
    }
    return SaveSetup(context);
  };
}

}  // namespace qv::cli
