#pragma once
// A register dump from anywhere read back into the 32 registers: an i2cdump
// (byte or word mode), a C array of {register, value} pairs, a CSV with
// address and value columns, hex pairs, an i2c-tools or U-Boot script (also as
// a mkimage script image), a device tree with this tool's register-init, and
// the firmware blob. In a sequence the last write to each register wins; the
// look-ahead enable, the acquisition and the pauses the tool adds are
// recognised and left out. Pure: bytes in, registers and notes out.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chip/registers.h"
#include "files/setup_contents.h"

namespace qv {

enum class DumpFormat {
  I2cdumpBytes,
  I2cdumpWords,
  CArray,
  Csv,
  HexPairs,
  I2cScript,
  UbootScript,
  DeviceTree,
  LinuxFirmware,
};

// "i2cdump, byte mode", "C array", ...
std::string_view DumpFormatName(DumpFormat format);

// A dump is a few kilobytes; anything this large is not one.
inline constexpr std::size_t DUMP_MAX_BYTES = 4 * 1024 * 1024;
// How many notes are listed; the rest are counted.
inline constexpr std::size_t IMPORT_NOTES_LISTED = 40;

struct RegisterImport {
  // What the input was read as; nothing when no register could be taken.
  std::optional<DumpFormat> format;
  // Why nothing was taken, when format is empty.
  std::string refusal;
  // In register-table order; the table's default where `found` is false.
  RegisterImage registers{};
  std::array<bool, REGISTER_COUNT> found{};
  // What could not be read, then what could not be placed, each in the input's
  // order, then each register the input does not give ("AF0 (0x18) is not in
  // the input: its default 0x14 is used"); a long list ends "... and N more".
  std::vector<std::string> notes;
  // The tool's own writes recognised and left out.
  int lookAheadWrites = 0;
  int acquisitionWrites = 0;
  int pauses = 0;

  int FoundCount() const;
};

RegisterImport ParseRegisterDump(std::string_view bytes);

// The imported registers with the pins and reference settings of `board`.
SetupContents ImportedSetup(const RegisterImport& import, const SetupContents& board);

// "Imported 32 registers from dump.txt (i2cdump, byte mode)." or, for a
// sequence, "...; left out the look-ahead enable and 8 acquisition writes."
std::string ImportSummary(const RegisterImport& import, std::string_view source);

}  // namespace qv
