// Register dumps read back into the 32 registers: every export of this tool
// gives its setup back, foreign dumps are placed as their writers meant, and
// what cannot be read is refused with a reason.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "files/register_export.h"
#include "files/register_import.h"
#include "files/setup_file_reader.h"
#include "tests/files/expected_files.h"

namespace qv {
namespace {

const std::string kFixtures = QV_EXPORT_FIXTURES;

SetupContents Board() {
  const SetupFileReading reading = ReadSetupFile(kFixtures + "/board.stp");
  EXPECT_TRUE(reading.contents) << reading.message;
  return reading.contents.value_or(SetupContents{});
}

// The board with C0's look-ahead bit, as a file saved online holds it, a
// negative spread-spectrum step and a bit no field describes.
SetupContents SavedOnline() {
  SetupContents setup = Board();
  setup.registers[IDX_C0] = 0x02;
  setup.registers[IDX_BS1] = 0xFB;
  setup.registers[IDX_X0] = 0x01;
  return setup;
}

DumpFormat ReadAs(ExportFormat format) {
  switch (format) {
    case ExportFormat::C: return DumpFormat::CArray;
    case ExportFormat::Csv: return DumpFormat::Csv;
    case ExportFormat::Hex: return DumpFormat::HexPairs;
    case ExportFormat::I2c: return DumpFormat::I2cScript;
    case ExportFormat::Dts: return DumpFormat::DeviceTree;
    case ExportFormat::Uboot: return DumpFormat::UbootScript;
    case ExportFormat::LinuxFirmware: return DumpFormat::LinuxFirmware;
  }
  return DumpFormat::HexPairs;
}

TEST(RegisterImport, EveryExportGivesItsSetupBack) {
  const ExportProvenance provenance{"qv3380 TEST", "board.stp", "2024-05-01 12:00:00 UTC"};
  for (const SetupContents& setup : {Board(), SavedOnline()}) {
    for (const ExportFormatFacts& facts : ExportFormats()) {
      SCOPED_TRACE(std::string(facts.name) + (setup == Board() ? "" : ", saved online"));
      for (const bool provenanceColumns : {false, true}) {
        if (provenanceColumns && facts.format != ExportFormat::Csv) continue;
        const RegisterImport import = ParseRegisterDump(
            RenderRegisterExport(facts.format, setup, provenance, {"i2c1", 0, provenanceColumns}));
        ASSERT_EQ(import.format, ReadAs(facts.format)) << import.refusal;
        EXPECT_EQ(import.registers, setup.registers);
        EXPECT_EQ(import.FoundCount(), REGISTER_COUNT);
        EXPECT_EQ(import.notes, std::vector<std::string>{});
        const bool sequence = facts.format != ExportFormat::Csv;
        EXPECT_EQ(import.lookAheadWrites, sequence ? 1 : 0);
        EXPECT_EQ(import.acquisitionWrites, sequence ? 8 : 0);
        EXPECT_EQ(ImportedSetup(import, setup), setup) << "the same setup file with --like";
      }
    }
  }
}

struct Foreign {
  const char* what;
  std::string text;
  DumpFormat format;
  std::map<int, int> placed;       // register index: value
  int found;                       // registers found in all
  std::vector<std::string> notes;  // before the registers the input does not give
  int lookAheads = 0;
  int acquisitionWrites = 0;
};

// The notes in front of the "is not in the input" ones.
std::vector<std::string> LeadingNotes(const RegisterImport& import) {
  std::vector<std::string> notes;
  for (const std::string& note : import.notes) {
    if (note.find("is not in the input") == std::string::npos) notes.push_back(note);
  }
  return notes;
}

TEST(RegisterImport, ForeignDumpsArePlacedAsTheirWritersMeant) {
  const Foreign cases[] = {
      {"i2cdump, byte mode, with a register it could not read",
       "No size specified (using byte-data access)\n"
       "     0  1  2  3  4  5  6  7  8  9  a  b  c  d  e  f    0123456789abcdef\n"
       "10: 00 00 00 00 00 00 00 00 16 00 00 00 10 d0 00 00    ................\n"
       "20: 00 00 84 85 XX 86 92 00 00 80 fb 00 00 00 00 00    ................\n"
       "30: 14 84 85 16 00 00 00 88 46 75 45 00 00 00 00 38    ........FuE....8\n"
       "40: 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00    ?...............\n",
       DumpFormat::I2cdumpBytes,
       {{IDX_AF0, 0x16}, {IDX_BS1, 0xFB}, {IDX_BM4, 0x88}, {IDX_DR1, 0x45}, {IDX_C0, 0x02}},
       31,
       {"addresses outside the register table, left out: 0x10, 0x12-0x17, 0x1E, 0x20-0x21, "
        "0x28, 0x2D-0x2F, 0x3C, 0x3E-0x3F, 0x41-0x4F",
        "ADV2 (0x24) could not be read in the dump: its default 0x00 is used"}},
      {"i2cdump, word mode: each word starts with its address's byte",
       "     0,8  1,9  2,a  3,b  4,c  5,d  6,e  7,f\n"
       "18: 0016 0000 0000 1000 d010 00d0 0100 0001 \n",
       DumpFormat::I2cdumpWords,
       {{IDX_AF0, 0x16}, {IDX_BF3, 0x10}, {IDX_ABF0, 0xD0}, {IDX_X0, 0x01}},
       7,
       {"addresses outside the register table, left out: 0x1E"}},
      {"a hand-written C array",
       "/* bring-up, from a colleague */\n"
       "struct reg_val { u8 reg; u8 val; };\n"
       "static const struct reg_val qv_init[] = {\n"
       "\t{ 0x18, 0x16 },   // PLL1 N 102\n"
       "\t{0X26,146},\n"
       "\t{.reg = 0x3a, .val = 0x45u},\n"
       "\t{ 0x2a, 0xFB }, { 0x40, 0x02 },\n"
       "\t{ REG_MAGIC, 1 },\n"
       "\t{ 0x50, 0x01 },\n"
       "\t{ 0x37, 0x188 }, {1, 2, 3},\n"
       "};\n",
       DumpFormat::CArray,
       {{IDX_AF0, 0x16}, {IDX_BDV1, 0x92}, {IDX_DR1, 0x45}, {IDX_BS1, 0xFB}, {IDX_C0, 0x02}},
       5,
       {"line 8: {REG_MAGIC, 1} is not a pair of numbers",
        "line 10: a list of 3 values, not a {register, value} pair",
        "line 9: 0x50 is not an address of the register table",
        "line 10: 0x188 does not fit register BM4 (0x37)"}},
      {"a spreadsheet's CSV: UTF-8 BOM, CRLF, semicolons, quotes, hex addresses",
       "\xEF\xBB\xBF\"Name\";\"Address\";\"Value\"\r\n"
       "\"AF0\";\"18\";\"0x16\"\r\n"
       "\"BF1\";\"1A\";\"0\"\r\n"
       ";;\r\n"
       "\"BDV1\";\"26\";\"146\"\r\n"
       "\"DR1\";\"3A\";\"69\"\r\n"
       "\"note\";\"\";\"x\"\r\n",
       DumpFormat::Csv,
       {{IDX_AF0, 0x16}, {IDX_BF1, 0x00}, {IDX_BDV1, 0x92}, {IDX_DR1, 0x45}},
       4,
       {"line 7: no register address and value in this row"}},
      {"a CSV by register name, the bits quoted",
       "name,value_bin\nAF0,\"00010110\"\ndr1,\"01000101\"\n",
       DumpFormat::Csv,
       {{IDX_AF0, 0x16}, {IDX_DR1, 0x45}},
       2,
       {}},
      {"hex pairs captured on the bus: two changes, each with its look-ahead and acquisition",
       "# captured\n0x40 0x02\n0x18 0x16\n0x07 0x42\n0x07 0xC2\n0x03 0x07\n0x03 0x03\n"
       "; a later change\n40 02\n3A 45\n0F 42\n0F C2\n0B 07\n0B 03\nthe end\n",
       DumpFormat::HexPairs,
       {{IDX_AF0, 0x16}, {IDX_DR1, 0x45}},
       2,
       {"line 15: \"the end\" is not an address and a value"},
       2,
       8},
      {"an i2c-tools script with other chips, a mask and a pause",
       "#!/bin/sh\n"
       "i2cset -f -y 1 0x40 0x18 0x16\n"
       "i2cset -y 1 0x50 0x00 0x12   # an EEPROM\n"
       "i2cset -y 1 0x40 0x26 146 b\n"
       "i2cset -y -m 0x0f 1 0x40 0x3a 0x45\n"
       "sleep 0.25; i2cset -y 1 0x40 0x3B 0x01\n",
       DumpFormat::I2cScript,
       {{IDX_AF0, 0x16}, {IDX_BDV1, 0x92}, {IDX_DR2, 0x01}},
       3,
       {"line 3: a write to chip 0x50, not the QV3380 at 0x40",
        "line 5: only byte writes without a mask are taken, not \"i2cset -y -m 0x0f 1 0x40 0x3a "
        "0x45\""}},
      {"a U-Boot script: hexadecimal without 0x, a fill with a count",
       "i2c dev 2\n"
       "i2c mw 40 18 16\n"
       "i2c mw 0x40 0x34 0 3      # BM1 to BM3\n"
       "i2c md 40 0 10\n"
       "i2c mw 50 0 0\n"
       "i2c mw 40 100000018 5\n",
       DumpFormat::UbootScript,
       {{IDX_AF0, 0x16}, {IDX_BM1, 0}, {IDX_BM2, 0}, {IDX_BM3, 0}},
       4,
       {"line 4: i2c md writes no register this import takes",
        "line 5: a write to chip 0x50, not the QV3380 at 0x40",
        "line 6: 0x100000018 is not an address of the register table"}},
  };
  for (const Foreign& c : cases) {
    SCOPED_TRACE(c.what);
    const RegisterImport import = ParseRegisterDump(c.text);
    ASSERT_EQ(import.format, c.format) << import.refusal;
    for (const auto& [index, value] : c.placed) {
      EXPECT_TRUE(import.found[index]) << kRegisters[index].name;
      EXPECT_EQ(import.registers[index], value) << kRegisters[index].name;
    }
    EXPECT_EQ(import.FoundCount(), c.found);
    EXPECT_EQ(LeadingNotes(import), c.notes);
    EXPECT_EQ(import.lookAheadWrites, c.lookAheads);
    EXPECT_EQ(import.acquisitionWrites, c.acquisitionWrites);
    const bool cut = !import.notes.empty() && import.notes.back().starts_with("... and ");
    for (int index = 0; index < REGISTER_COUNT; ++index) {
      if (import.found[index]) continue;
      const std::string name = std::string(kRegisters[index].name) + " (0x";
      EXPECT_TRUE(cut || std::any_of(import.notes.begin(), import.notes.end(),
                                     [&name](const std::string& note) {
                                       return note.starts_with(name) && note.ends_with("is used");
                                     }))
          << name << ": its default is used and said";
      EXPECT_EQ(import.registers[index], static_cast<int>(kRegisters[index].defaultValue));
    }
  }
}

std::string Firmware() {
  return RenderRegisterExport(ExportFormat::LinuxFirmware, Board(), {"t", "s", "d"});
}

TEST(RegisterImport, WhatCannotBeReadIsRefusedWithItsReason) {
  std::string badCrc = Firmware();
  badCrc[20] = static_cast<char>(badCrc[20] ^ 1);
  std::string version2 = Firmware();
  version2[4] = 2;
  std::string kernelImage(72, '\0');
  kernelImage.replace(0, 4, "\x27\x05\x19\x56");
  kernelImage[30] = 2;
  const struct {
    const char* what;
    std::string bytes;
    std::string refusal;  // its start
  } cases[] = {
      {"nothing", "", "The file is empty."},
      {"binary", std::string("\x01\x02\x00\x03", 4), "The file is neither text nor"},
      {"a setup file", test::DefaultSetupFile(), "This is a setup file: open it with"},
      {"a device tree of the clocks alone", "/dts-v1/;\n/plugin/;\n&{/} {\n};\n",
       "The device tree holds no qv3380,register-init"},
      {"a firmware file one bit off", badCrc, "The firmware file is damaged: its records' CRC-32"},
      {"a firmware file cut short", Firmware().substr(0, 40),
       "The firmware file's header counts 43 records, but 24 bytes follow."},
      {"a firmware file of a later version", version2,
       "The firmware file is of version 2; this tool reads version 1."},
      {"a U-Boot image that is no script", kernelImage, "The U-Boot image is not an uncompressed"},
      {"prose", "hello, world\n", "No registers found: the file is not an i2cdump"},
      {"a CSV of another chip", "address,value\n0x50,1\n",
       "No register of the QV3380 found in this CSV table."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const RegisterImport import = ParseRegisterDump(c.bytes);
    EXPECT_FALSE(import.format);
    EXPECT_TRUE(import.refusal.starts_with(c.refusal)) << import.refusal;
    EXPECT_EQ(ImportSummary(import, "x"), import.refusal);
  }
}

}  // namespace
}  // namespace qv
