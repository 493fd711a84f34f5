#pragma once
// File > Read From Chip and File > Verify Chip: the chip's 32 registers read
// back, decoded into the panel, or compared with what the panel holds.

#include <string>
#include <string_view>

#include "model/chip_reading.h"
#include "plan/configuration_diff.h"
#include "ui/toolkit.h"

namespace qv {

// "Register DR1 (0x3A) could not be read: no reply from adapter."
std::string ChipReadFailureText(const ChipRegisterReading& reading);

// What the chip holds against what it should: every field that differs.
// C0's look-ahead bit, which the tool sets itself online, is no mismatch.
ConfigurationDiff VerifyChipRegisters(const RegisterImage& expected, const RegisterImage& chip);
// "Chip matches the panel (32 registers)", or how many fields differ.
std::string VerificationSummary(const ConfigurationDiff& mismatches, std::string_view expected);
// Register, field, expected, chip holds: one row per mismatch.
TableContents MismatchTable(const ConfigurationDiff& mismatches);

void OnFileReadChipMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
void OnFileVerifyChipMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
