// Two configurations compared: one change of each kind of field, of each pin
// and reference setting, and of bits no field describes, each found alone,
// named, and followed to the output frequencies it moves.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chip/field_codec.h"
#include "plan/configuration_diff.h"

namespace qv {
namespace {

Configuration Defaults() { return {DefaultRegisterImage(), BoardInputs{}}; }

struct Case {
  std::string what;
  std::function<void(Configuration&)> change;
  std::vector<std::string> registers;  // RegisterChangeLine of each register that differs
  std::string line;                    // the one field or board line
};

void Field(Configuration& c, const ChipField& field, int value) {
  codec::EncodeField(field, value, c.registers);
}

std::vector<std::string> Lines(const ConfigurationDiff& diff) {
  std::vector<std::string> lines;
  for (const FieldChange& change : diff.fields) lines.push_back(FieldChangeLine(change));
  for (const BoardChange& change : diff.board) lines.push_back(BoardChangeLine(change));
  return lines;
}

TEST(ConfigurationDiff, EachKindOfChangeIsFoundAloneAndNamed) {
  const Case cases[] = {
      {"feedback divider",
       [](Configuration& c) { Field(c, FieldOf(0, MapField::Pll1N), 102); },
       {"AF0 (0x18): 0x14 -> 0x16"},
       "PLL1 feedback divider N, map 0: 100 -> 102; OUT0 156.25000 -> 159.37500 MHz, "
       "OUT1 125.00000 -> 127.50000 MHz"},
      {"VCO divider",
       [](Configuration& c) { Field(c, FieldOf(1, VcoDividerField(2)), 3); },
       {"BM5 (0x38): 0x46 -> 0x66"},
       "OUT2 VCO divider, map 1: 2 -> 3; OUT2 212.50000 -> 141.66667 MHz"},
      {"output divider 32",
       [](Configuration& c) { Field(c, FieldOf(0, OutputDividerField(3)), 32); },
       {"BDV1 (0x26): 0x92 -> 0x80"},
       "OUT3 output divider, map 0: 18 -> 32; OUT3 33.33333 -> 18.75000 MHz"},
      {"fractional word over two registers",
       [](Configuration& c) { Field(c, FieldOf(0, MapField::Frac), 0xAB); },
       {"BF0 (0x19): 0x00 -> 0x0A", "BF1 (0x1A): 0x00 -> 0xB0"},
       "PLL2 fractional word, map 0: 0 -> 171"},
      {"modulus",
       [](Configuration& c) { Field(c, FieldOf(1, MapField::Mod), 0x45); },
       {"BM3 (0x36): 0x00 -> 0x45"},
       "PLL2 modulus, map 1: 0 -> 69"},
      {"signed step",
       [](Configuration& c) { Field(c, FieldOf(SharedField::StepSize), -5); },
       {"BS1 (0x2A): 0x00 -> 0xFB"},
       "Spread-spectrum step size (FracStep): 0 -> -5"},
      {"step count",
       [](Configuration& c) { Field(c, FieldOf(SharedField::StepCount), 5); },
       {"BS2 (0x2B): 0x00 -> 0x02", "BS3 (0x2C): 0x00 -> 0x80"},
       "Spread-spectrum step count (NumSteps): 0 -> 5"},
      {"clock divider",
       [](Configuration& c) { Field(c, FieldOf(SharedField::ClockDivider), 10); },
       {"BS3 (0x2C): 0x00 -> 0x0A"},
       "Spread-spectrum clock divider (CkDiv): 0 -> 10"},
      {"format code",
       [](Configuration& c) { Field(c, FieldOf(SharedField::Pll1Format), 5); },
       {"DR1 (0x3A): 0x00 -> 0x05"},
       "OUT1/OUT0 output format: 0 (LVPECL/LVPECL) -> 5 (LVPECL/LVDS)"},
      {"power-down bit",
       [](Configuration& c) { Field(c, FieldOf(SharedField::Out3PowerDown), 1); },
       {"DR1 (0x3A): 0x00 -> 0x80"},
       "OUT3 power: on -> off"},
      {"enable bit",
       [](Configuration& c) { Field(c, FieldOf(SharedField::RefDivider), 1); },
       {"G0 (0x3D): 0x00 -> 0x02"},
       "REFCLK divide-by-2: off -> on"},
      {"bits no field describes",
       [](Configuration& c) { c.registers[IDX_X0] = 0x81; },
       {"X0 (0x1F): 0x00 -> 0x81"},
       "X0 bits no field describes: 0x00 -> 0x81"},
      {"a pin",
       [](Configuration& c) { c.board.margin = true; },
       {},
       "MARGIN pin: low -> high; OUT2 (in use) 100.00000 -> 212.50000 MHz, "
       "OUT3 (in use) 33.33333 -> 106.25000 MHz"},
      {"the crystal",
       [](Configuration& c) { c.board.crystalIndex = 2; },
       {},
       "Crystal (XO frequency): 25 MHz -> 27 MHz; OUT0 (map 0) 156.25000 -> 168.75000 MHz, "
       "OUT1 (map 0) 125.00000 -> 135.00000 MHz, OUT2 (map 0) 100.00000 -> 108.00000 MHz, "
       "OUT3 (map 0) 33.33333 -> 36.00000 MHz, OUT0 (map 1) 156.25000 -> 168.75000 MHz, "
       "OUT1 (map 1) 125.00000 -> 135.00000 MHz, OUT2 (map 1) 212.50000 -> 229.50000 MHz, "
       "OUT3 (map 1) 106.25000 -> 114.75000 MHz"},
      {"the REFCLK, unused while the crystal is",
       [](Configuration& c) { c.board.refclkHz = 19.44e6; },
       {},
       "External REFCLK: 25.00000 MHz -> 19.44000 MHz"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    const Configuration before = Defaults();
    Configuration after = before;
    test.change(after);
    const ConfigurationDiff diff = CompareConfigurations(before, after);
    std::vector<std::string> registers;
    for (const RegisterChange& change : diff.registers)
      registers.push_back(RegisterChangeLine(change));
    EXPECT_EQ(registers, test.registers);
    EXPECT_EQ(Lines(diff), std::vector<std::string>{test.line});
    EXPECT_FALSE(diff.Empty());
    // One change alone moves exactly what both plans differ in.
    const std::vector<FrequencyChange>& effect =
        diff.fields.empty() ? diff.board[0].effect : diff.fields[0].effect;
    ASSERT_EQ(diff.frequencies.size(), effect.size());
    for (std::size_t i = 0; i < effect.size(); ++i) {
      EXPECT_EQ(FrequencyChangeText(diff.frequencies[i], false),
                FrequencyChangeText(effect[i], false));
    }
    EXPECT_TRUE(CompareConfigurations(after, after).Empty());
  }
}

TEST(ConfigurationDiff, VerifyIgnoresOnlyTheLookAheadBit) {
  RegisterImage panel = DefaultRegisterImage();
  RegisterImage chip = panel;
  chip[IDX_C0] = 0x02;  // the tool's own look-ahead enable
  EXPECT_TRUE(CompareRegisters(panel, chip, LookAheadBit::Ignored).Empty());
  EXPECT_EQ(Lines(CompareRegisters(panel, chip, LookAheadBit::Compared)),
            std::vector<std::string>{"Look-ahead enable: off -> on"});

  chip[IDX_C0] = 0x03;
  chip[IDX_ADV0] = 0x85;
  const ConfigurationDiff mismatches = CompareRegisters(panel, chip, LookAheadBit::Ignored);
  std::vector<std::string> lines;
  for (const FieldChange& change : mismatches.fields) lines.push_back(MismatchLine(change));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "OUT0 output divider, map 0: expected 4, chip holds 5",
                       "C0 bits no field describes: expected 0x00, chip holds 0x01"}));
  EXPECT_EQ(mismatches.registers.size(), 2u);
  // A register variable may hold a negative step: only its byte counts.
  panel[IDX_BS1] = -5;
  chip = panel;
  chip[IDX_BS1] = 0xFB;
  EXPECT_TRUE(CompareRegisters(panel, chip, LookAheadBit::Ignored).Empty());
}

// The status line asks on every recalculation whether anything differs; its
// quick answer must be the one the full comparison gives.
TEST(ConfigurationDiff, QuickComparisonsAgreeWithTheFullOnes) {
  const std::pair<const char*, std::function<void(Configuration&)>> changes[] = {
      {"nothing", [](Configuration&) {}},
      {"the look-ahead bit", [](Configuration& c) { c.registers[IDX_C0] |= 0x02; }},
      {"another bit of C0", [](Configuration& c) { c.registers[IDX_C0] |= 0x01; }},
      {"a bit above the byte", [](Configuration& c) { c.registers[IDX_AF0] |= 0x100; }},
      {"a step held negative", [](Configuration& c) { c.registers[IDX_BS1] = -1; }},
      {"a divider", [](Configuration& c) { Field(c, FieldOf(0, MapField::Pll1N), 102); }},
      {"a pin", [](Configuration& c) { c.board.maxbw = true; }},
      {"the crystal", [](Configuration& c) { c.board.crystalIndex = 0; }},
      {"REFCLK within the file's decimals", [](Configuration& c) { c.board.refclkHz += 1.0; }},
      {"REFCLK by one step of them", [](Configuration& c) { c.board.refclkHz += 10.0; }},
      {"REFCLK by a fraction of a hertz", [](Configuration& c) { c.board.refclkHz = 19.44e6; }},
  };
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    Configuration before = Defaults();
    before.registers[IDX_BS1] = 0xFF;
    before.board.refclkHz = 19440000.4;
    Configuration after = before;
    change(after);
    for (LookAheadBit lookAhead : {LookAheadBit::Compared, LookAheadBit::Ignored}) {
      EXPECT_EQ(SameRegisters(before.registers, after.registers, lookAhead),
                CompareRegisters(before.registers, after.registers, lookAhead).Empty());
    }
    EXPECT_EQ(SameBoard(before.board, after.board),
              CompareConfigurations(before, after).board.empty());
  }
}

}  // namespace
}  // namespace qv
