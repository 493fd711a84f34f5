// The register model: table, defaults, start values and the bit getters.

#include <gtest/gtest.h>

#include <array>

#include "model/field_codec.h"
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
  EXPECT_EQ(codec::DecodeN(AF0), pll1_n);
  EXPECT_EQ(codec::DecodeN(BF3), pll2_n);
  EXPECT_EQ(codec::DecodeN(AM0), pll1n_m);
  EXPECT_EQ(codec::DecodeN(BM0), pll2n_m);
  EXPECT_EQ(codec::DecodeV(BDV1), out3_v);
  EXPECT_EQ(codec::DecodeD(BDV1), out3_d);
  EXPECT_EQ(codec::DecodeV(BM5), out2v_m);
  EXPECT_EQ(codec::DecodeD(BM5), out2d_m);
  EXPECT_EQ(codec::DecodeD(BM4), out3d_m);
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
  for (auto [channel, reg, bit] : {Case{0, &BP0, 0}, Case{1, &BP0, 1}, Case{2, &DR1, 6},
                                   Case{3, &DR1, 7}, Case{7, &DR1, 7}}) {
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

TEST(FieldCodec, EncodingsKeepNeighbouringBitsAndInvert) {
  EXPECT_EQ(codec::EncodeN(0x00, 80), 0x00);
  EXPECT_EQ(codec::EncodeN(0xC0, 143), 0xFF);
  EXPECT_EQ(codec::EncodeN(0x80, 100), 0x94);
  EXPECT_EQ(codec::EncodeD(0x80, 32), 0x80);
  EXPECT_EQ(codec::DecodeD(0x80), 32);
  EXPECT_EQ(codec::EncodeD(0xE0, 31), 0xFF);
  EXPECT_EQ(codec::EncodeV(0x05, 6), 0xC5);
  // Frac 0xABC and modulus 0x123 share BF1 without touching each other's nibble.
  EXPECT_EQ(codec::EncodeFracHigh(0xABC), 0xAB);
  EXPECT_EQ(codec::EncodeFracLow(0x01, 0xABC), 0xC1);
  EXPECT_EQ(codec::EncodeModHigh(0xC0, 0x123), 0xC1);
  EXPECT_EQ(codec::EncodeModLow(0x123), 0x23);
  EXPECT_EQ(codec::DecodeFrac(0xAB, 0xC1), 0xABC);
  EXPECT_EQ(codec::DecodeMod(0xC1, 0x23), 0x123);
  EXPECT_EQ(codec::EncodeNumStepHigh(5), 2);
  EXPECT_EQ(codec::EncodeNumStepLowAndCkDiv(5, 10), 0x8A);
  EXPECT_EQ(codec::EncodeNumStepLowAndCkDiv(4, 10), 0x0A);
  EXPECT_EQ(codec::DecodeNumStep(2, 0x8A), 5);
  EXPECT_EQ(codec::DecodeCkDiv(0x8A), 10);
  EXPECT_EQ(codec::DecodeSignedByte(0xFB), -5);
  EXPECT_EQ(codec::DecodeSignedByte(-1), -1);
  // A value beyond its field is cut to the field, never spilled.
  EXPECT_EQ(codec::EncodeV(0x1F, 9), 0x3F);
  EXPECT_EQ(codec::EncodeN(0xC0, 80 + 64), 0xC0);
}

}  // namespace
}  // namespace qv
