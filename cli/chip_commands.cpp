#include "cli/chip_commands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>

#include "app/chip_readback.h"
#include "cli/complaint.h"
#include "cli/exit_status.h"
#include "files/panel/current_setup.h"
#include "files/setup_file_reader.h"
#include "plan/panel/register_decoding.h"

namespace qv::cli {
namespace {

// Read and checked only: nothing of the file reaches the program or the chip.
std::optional<SetupContents> ReadChecked(const std::string& path, CommandContext& context) {
  SetupFileReading reading = ReadSetupFile(path);
  if (!reading.contents) context.err << Complaint(path, reading.message);
  return reading.contents;
}

std::optional<RegisterImage> ReadChip(CommandContext& context) {
  const ChipRegisterReading reading = ReadChipRegisters();
  if (reading.ok()) return reading.registers;
  context.err << context.session.ChipFailureText(*context.session.LastTransfer());
  return std::nullopt;
}

}  // namespace

CommandRun DefineRead(CLI::App& command) {
  auto like = std::make_shared<std::string>();
  command.add_option("--like", *like, "take the pins and reference settings from this setup file")
      ->type_name("FILE");
  return [like](CommandContext& context) {
    if (!like->empty()) {
      const std::optional<SetupContents> model = ReadChecked(*like, context);
      if (!model) return EXIT_FILE_REFUSED;
      ApplyBoardSettings(*model);
    }
    const std::optional<RegisterImage> chip = ReadChip(context);
    if (!chip) return EXIT_CHIP;
    ShowRegisterImage(*chip);
    return SaveSetup(context);
  };
}

CommandRun DefineVerify(CLI::App& command) {
  auto path = std::make_shared<std::string>();
  command.add_option("FILE", *path, "the setup file (.stp) the chip should hold")
      ->required()
      ->type_name("");
  return [path](CommandContext& context) {
    const std::optional<SetupContents> expected = ReadChecked(*path, context);
    if (!expected) return EXIT_FILE_REFUSED;
    const std::optional<RegisterImage> chip = ReadChip(context);
    if (!chip) return EXIT_CHIP;
    const ConfigurationDiff mismatches = VerifyChipRegisters(expected->registers, *chip);
    if (mismatches.fields.empty()) {
      context.out << VerificationSummary(mismatches, *path) << '\n';
      return EXIT_DONE;
    }
    for (const FieldChange& change : mismatches.fields) context.out << MismatchLine(change) << '\n';
    context.err << VerificationSummary(mismatches, *path) << '\n';
    return EXIT_DIFFERS;
  };
}

}  // namespace qv::cli
