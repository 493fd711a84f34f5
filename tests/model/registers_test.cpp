// The register model: table, defaults, start values and the bit getters.

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "chip/field_codec.h"
#include "model/fields.h"
#include "model/registers.h"
#include "model/value_variables.h"
#include "tests/support/program_fixture.h"

namespace qv {
namespace {

TEST(RegisterTable, IndicesAddressesAndDefaults) {
  struct Row {
    unsigned address;
    unsigned defaultValue;
  };
  constexpr std::array<Row, REGISTER_COUNT> expected{{
      {0x11, 0x00}, {0x18, 0x14}, {0x19, 0x00}, {0x1A, 0x00}, {0x1B, 0x00}, {0x1C, 0x10},
      {0x1D, 0xD0}, {0x1F, 0x00}, {0x22, 0x84}, {0x23, 0x85}, {0x24, 0x00}, {0x25, 0x86},
      {0x26, 0x92}, {0x27, 0x00}, {0x29, 0x80}, {0x2A, 0x00}, {0x2B, 0x00}, {0x2C, 0x00},
      {0x30, 0x14}, {0x31, 0x84}, {0x32, 0x85}, {0x33, 0x16}, {0x34, 0x00}, {0x35, 0x00},
      {0x36, 0x00}, {0x37, 0x86}, {0x38, 0x46}, {0x39, 0x75}, {0x3A, 0x00}, {0x3B, 0x00},
      {0x3D, 0x00}, {0x40, 0x00},
  }};
  for (int i = 0; i < REGISTER_COUNT; ++i) {
    EXPECT_EQ(RegisterTable[i].address, expected[i].address) << "index " << i;
    EXPECT_EQ(RegisterTable[i].defaultValue, expected[i].defaultValue) << "index " << i;
    EXPECT_EQ(RegisterIndexOfAddress(expected[i].address), i);
  }
  EXPECT_EQ(RegisterTable[IDX_BS1].variable, &BS1);
  EXPECT_EQ(RegisterTable[IDX_C0].variable, &C0);
  for (unsigned unlisted : {0x00u, 0x12u, 0x1Eu, 0x20u, 0x28u, 0x2Du, 0x3Cu, 0x3Fu, 0x41u}) {
    EXPECT_EQ(RegisterIndexOfAddress(unlisted), -1) << unlisted;
  }
}

TEST(RegisterModel, InitVariablesSetsDefaultsWhichDecodeToTheStartValues) {
  test::ResetProgramState();
  fracstep = -3;
  numstep = 7;
  SetupImage[4] = 9;
  InitVariables();
  for (const RegisterRow& row : RegisterTable) {
    EXPECT_EQ(*row.variable, static_cast<int>(row.defaultValue)) << row.name;
  }
  EXPECT_EQ(ReadField(FieldOf(0, MapField::Pll1N)), pll1_n);
  EXPECT_EQ(ReadField(FieldOf(0, MapField::Pll2N)), pll2_n);
  EXPECT_EQ(ReadField(FieldOf(1, MapField::Pll1N)), pll1n_m);
  EXPECT_EQ(ReadField(FieldOf(1, MapField::Pll2N)), pll2n_m);
  EXPECT_EQ(ReadField(FieldOf(0, MapField::V3)), out3_v);
  EXPECT_EQ(ReadField(FieldOf(0, MapField::D3)), out3_d);
  EXPECT_EQ(ReadField(FieldOf(1, MapField::V2)), out2v_m);
  EXPECT_EQ(ReadField(FieldOf(1, MapField::D2)), out2d_m);
  EXPECT_EQ(ReadField(FieldOf(1, MapField::D3)), out3d_m);
  EXPECT_EQ(fracstep, -3) << "the spread-spectrum parameters keep their value";
  EXPECT_EQ(numstep, 7);
  EXPECT_EQ(SetupImage[4], 9) << "the setup image is not touched";
  test::ResetProgramState();
}

TEST(RegisterModel, SetupImageIsZeroBeforeAnyFile) {
  test::ResetProgramState();
  InitVariables();
  for (int entry : SetupImage) EXPECT_EQ(entry, 0);
}

TEST(FieldGetters, PowerBitsReadInverted) {
  test::ResetProgramState();
  struct Case {
    int* reg;
    int bit;
    int (*getter)();
  };
  const Case cases[] = {{&G0, 3, IsPll1Powered},
                        {&G0, 2, IsPll2Powered},
                        {&ABF0, 4, IsSdmPowered},
                        {&DR2, 0, IsRefOutPowered}};
  for (const Case& c : cases) {
    *c.reg = 0xFF & ~(1 << c.bit);
    EXPECT_EQ(c.getter(), 1) << "bit " << c.bit;
    *c.reg = 1 << c.bit;
    EXPECT_EQ(c.getter(), 0) << "bit " << c.bit;
    *c.reg = 0;
  }
}

TEST(FieldGetters, OutputPowerByChannel) {
  test::ResetProgramState();
  struct Case {
    int channel;
    int* reg;
    int bit;
  };
  for (auto [channel, reg, bit] :
       {Case{0, &BP0, 0}, Case{1, &BP0, 1}, Case{2, &DR1, 6}, Case{3, &DR1, 7}, Case{7, &DR1, 7}}) {
    BP0 = DR1 = 0;
    EXPECT_EQ(IsOutputPowered(channel), 1) << channel;
    *reg = 1 << bit;
    EXPECT_EQ(IsOutputPowered(channel), 0) << channel;
  }
  BP0 = DR1 = 0;
}

TEST(FieldGetters, BitHelpers) {
  EXPECT_EQ(IsBitSet(0x80, 7), 1);
  EXPECT_EQ(IsBitSet(0x80, 6), 0);
  EXPECT_EQ(SetBitValue(0x0F, 7, 1), 0x8F);
  EXPECT_EQ(SetBitValue(0x0F, 0, 0), 0x0E);
  EXPECT_EQ(SetBitValue(0x0F, 2, 5), 0x0F);
}

// Each encoding as the chip defines it: the value lands in its bits, every
// other bit of the register stays, and decoding gives the value back.
TEST(FieldCodec, EncodingsKeepNeighbouringBitsAndInvert) {
  struct Case {
    const ChipField& field;
    std::vector<std::pair<int, int>> before;  // register index, value
    int value;
    std::vector<std::pair<int, int>> after;
  };
  const Case cases[] = {
      {FieldOf(0, MapField::Pll1N), {{IDX_AF0, 0x00}}, 80, {{IDX_AF0, 0x00}}},
      {FieldOf(0, MapField::Pll1N), {{IDX_AF0, 0xC0}}, 143, {{IDX_AF0, 0xFF}}},
      {FieldOf(1, MapField::Pll1N), {{IDX_AM0, 0x80}}, 100, {{IDX_AM0, 0x94}}},
      {FieldOf(0, MapField::D0), {{IDX_ADV0, 0x80}}, 32, {{IDX_ADV0, 0x80}}},
      {FieldOf(0, MapField::D0), {{IDX_ADV0, 0xE0}}, 31, {{IDX_ADV0, 0xFF}}},
      {FieldOf(0, MapField::V0), {{IDX_ADV0, 0x05}}, 6, {{IDX_ADV0, 0xC5}}},
      // Map 1 keeps OUT2 in BM5 and OUT3 in BM4.
      {FieldOf(1, MapField::V2), {{IDX_BM5, 0x00}}, 3, {{IDX_BM5, 0x60}}},
      {FieldOf(1, MapField::D3), {{IDX_BM4, 0x00}}, 7, {{IDX_BM4, 0x07}}},
      // Frac 0xABC and modulus 0x123 share BF1 without touching each other's nibble.
      {FieldOf(0, MapField::Frac),
       {{IDX_BF0, 0x00}, {IDX_BF1, 0x01}},
       0xABC,
       {{IDX_BF0, 0xAB}, {IDX_BF1, 0xC1}}},
      {FieldOf(0, MapField::Mod),
       {{IDX_BF1, 0xC0}, {IDX_BF2, 0x00}},
       0x123,
       {{IDX_BF1, 0xC1}, {IDX_BF2, 0x23}}},
      {FieldOf(1, MapField::Mod),
       {{IDX_BM2, 0x30}, {IDX_BM3, 0x00}},
       0xA45,
       {{IDX_BM2, 0x3A}, {IDX_BM3, 0x45}}},
      {FieldOf(SharedField::StepCount),
       {{IDX_BS2, 0}, {IDX_BS3, 0x0A}},
       5,
       {{IDX_BS2, 2}, {IDX_BS3, 0x8A}}},
      {FieldOf(SharedField::StepCount),
       {{IDX_BS2, 0}, {IDX_BS3, 0x8A}},
       4,
       {{IDX_BS2, 2}, {IDX_BS3, 0x0A}}},
      {FieldOf(SharedField::ClockDivider), {{IDX_BS3, 0x80}}, 10, {{IDX_BS3, 0x8A}}},
      {FieldOf(SharedField::StepSize), {{IDX_BS1, 0}}, -5, {{IDX_BS1, 0xFB}}},
      {FieldOf(SharedField::Pll2Format), {{IDX_DR1, 0x85}}, 3, {{IDX_DR1, 0x9D}}},
      {FieldOf(SharedField::Pll1PowerDown), {{IDX_G0, 0x02}}, 1, {{IDX_G0, 0x0A}}},
      // A value beyond its field is cut to the field, never spilled.
      {FieldOf(0, MapField::V0), {{IDX_ADV0, 0x1F}}, 9, {{IDX_ADV0, 0x3F}}},
      {FieldOf(0, MapField::Pll1N), {{IDX_AF0, 0xC0}}, 80 + 64, {{IDX_AF0, 0xC0}}},
  };
  for (const Case& c : cases) {
    RegisterImage image{};
    for (auto [reg, value] : c.before) image[reg] = value;
    codec::EncodeField(c.field, c.value, image);
    for (auto [reg, value] : c.after) {
      EXPECT_EQ(image[reg], value) << FieldName(c.field) << " = " << c.value;
    }
    const int fieldMax = FieldRange(c.field.kind).max;
    if (c.value <= fieldMax) {
      EXPECT_EQ(codec::DecodeField(c.field, image), c.value) << FieldName(c.field);
    }
  }
  RegisterImage image{};
  image[IDX_ADV0] = 0x80;
  EXPECT_EQ(codec::DecodeField(FieldOf(0, MapField::D0), image), 32) << "D 0 reads as 32";
  image[IDX_BS1] = -1;
  EXPECT_EQ(codec::DecodeField(FieldOf(SharedField::StepSize), image), -1);
}

// Every bit the chip's register table describes has exactly one field, and
// every field has a person's name.
TEST(FieldCatalogue, FieldsCoverTheTableOnceWithNames) {
  for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
    int covered = 0;
    for (const ChipField* field : FieldsInRegister(reg)) {
      for (const BitSpan& span : field->Spans()) {
        if (span.reg != reg) continue;
        EXPECT_EQ(covered & span.Mask(), 0) << "overlap in " << kRegisters[reg].name;
        covered |= span.Mask();
      }
    }
    EXPECT_EQ(covered | UnassignedBits(reg), 0xFF) << kRegisters[reg].name;
  }
  EXPECT_EQ(UnassignedBits(IDX_DR0), 0xFF);
  EXPECT_EQ(UnassignedBits(IDX_C0), 0xFD);
  EXPECT_EQ(UnassignedBits(IDX_BF1), 0x00);
  EXPECT_EQ(FieldName(FieldOf(1, MapField::D3)), "OUT3 output divider, map 1");
  EXPECT_EQ(FieldName(FieldOf(0, MapField::Pll1N)), "PLL1 feedback divider N, map 0");
  EXPECT_EQ(FieldName(FieldOf(SharedField::Out2PowerDown)), "OUT2 power");
  EXPECT_EQ(FieldValueText(FieldOf(SharedField::Out2PowerDown), 1), "off");
  EXPECT_EQ(FieldValueText(FieldOf(SharedField::Pll1Format), 5), "5 (LVPECL/LVDS)");
}

}  // namespace
}  // namespace qv
