#include "app/chip_readback.h"

#include "app/findings_dialog.h"
#include "app/status_line.h"
#include "base/text_format.h"
#include "files/panel/baseline.h"
#include "model/registers.h"
#include "plan/panel/register_decoding.h"

namespace qv {
namespace {

constexpr std::string_view kReadTitle = "Read From Chip";
constexpr std::string_view kVerifyTitle = "Verify Chip";

}  // namespace

std::string ChipReadFailureText(const ChipRegisterReading& reading) {
  const RegisterFacts& facts = kRegisters[reading.failedIndex];
  return FormatText("Register %s (0x%02X) could not be read: %s.", std::string(facts.name).c_str(),
                    facts.address, TransferResultName(reading.result).c_str());
}

ConfigurationDiff VerifyChipRegisters(const RegisterImage& expected, const RegisterImage& chip) {
  return CompareRegisters(expected, chip, LookAheadBit::Ignored);
}

std::string VerificationSummary(const ConfigurationDiff& mismatches, std::string_view expected) {
  const std::string against(expected);
  if (mismatches.fields.empty()) {
    return FormatText("Chip matches %s (%d registers)", against.c_str(), REGISTER_COUNT);
  }
  const std::size_t fields = mismatches.fields.size();
  const std::size_t registers = mismatches.registers.size();
  return FormatText("The chip differs from %s in %zu field%s (%zu register%s).", against.c_str(),
                    fields, fields == 1 ? "" : "s", registers, registers == 1 ? "" : "s");
}

TableContents MismatchTable(const ConfigurationDiff& mismatches) {
  TableContents table{{"Register", "Field", "Expected", "Chip holds"}, {}, {}};
  for (const FieldChange& change : mismatches.fields) {
    table.rows.push_back({FieldChangeRegisters(change), FieldChangeName(change),
                          FieldChangeValue(change, change.before),
                          FieldChangeValue(change, change.after)});
  }
  return table;
}

void OnFileReadChipMenuClicked(int, int, void*, int) {
  const ChipRegisterReading reading = ReadChipRegisters();
  if (!reading.ok()) {
    MessagePopup(kReadTitle, ChipReadFailureText(reading) + "\nNothing was changed.");
    return;
  }
  ShowRegisterImage(reading.registers);
  SetBaselineToCurrent(BaselineOrigin::Chip);
}

void OnFileVerifyChipMenuClicked(int, int, void*, int) {
  const ChipRegisterReading reading = ReadChipRegisters();
  if (!reading.ok()) {
    MessagePopup(kVerifyTitle, ChipReadFailureText(reading));
    return;
  }
  const ConfigurationDiff mismatches = VerifyChipRegisters(CurrentRegisters(), reading.registers);
  ShowFindings(kVerifyTitle, VerificationSummary(mismatches, "the panel"),
               MismatchTable(mismatches));
}

}  // namespace qv
