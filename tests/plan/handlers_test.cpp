// Every handler's register bytes and what goes over the wire, online and offline.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/registers.h"
#include "model/value_variables.h"
#include "plan/panel/control_handlers.h"
#include "tests/plan/plan_fixture.h"

namespace qv {
namespace {

using test::Bridge;
using test::Describe;
using test::WireEvent;
using test::WithAcquisition;
using W = WireEvent;

struct HandlerCase {
  const char* what;
  std::vector<std::pair<int, int>> commits;    // (control, value), in order
  std::vector<std::pair<int, int>> registers;  // (index, expected value) afterwards
  std::vector<std::pair<int, int>> wire;       // (address, byte) of the last commit
  bool acquires;
};

// clang-format off
const std::vector<HandlerCase> kCases{
    {"PLL1 N", {{PLL1_N, 101}}, {{IDX_AF0, 0x15}}, {{0x18, 0x15}}, true},
    {"PLL2 N", {{PLL2_N, 143}}, {{IDX_BF3, 0x3F}}, {{0x1C, 0x3F}}, true},
    {"OUT0 V", {{OUT0V, 6}}, {{IDX_ADV0, 0xC4}}, {{0x22, 0xC4}}, true},
    {"OUT0 D 32 stored as 0", {{OUT0D, 32}}, {{IDX_ADV0, 0x80}}, {{0x22, 0x80}}, true},
    {"OUT1 D 31", {{OUT1D, 31}}, {{IDX_ADV1, 0x9F}}, {{0x23, 0x9F}}, true},
    {"OUT2 V", {{OUT2V, 2}}, {{IDX_BDV0, 0x46}}, {{0x25, 0x46}}, true},
    {"OUT3 D", {{OUT3D, 1}}, {{IDX_BDV1, 0x81}}, {{0x26, 0x81}}, true},
    {"fractional word", {{PLL2_FRAC, 0xABC}}, {{IDX_BF0, 0xAB}, {IDX_BF1, 0xC0}},
     {{0x19, 0xAB}, {0x1A, 0xC0}}, true},
    {"modulus keeps the fractional nibble", {{PLL2_FRAC, 0xABC}, {PLL2_MOD, 0x123}},
     {{IDX_BF0, 0xAB}, {IDX_BF1, 0xC1}, {IDX_BF2, 0x23}}, {{0x1A, 0xC1}, {0x1B, 0x23}}, true},
    {"map 1 PLL1 N", {{PLL1N_M, 80}}, {{IDX_AM0, 0x00}}, {{0x30, 0x00}}, true},
    {"map 1 PLL2 N", {{PLL2N_M, 96}}, {{IDX_BM0, 0x10}}, {{0x33, 0x10}}, true},
    {"map 1 OUT0 D", {{OUT0D_M, 8}}, {{IDX_AM1, 0x88}}, {{0x31, 0x88}}, true},
    {"map 1 OUT1 V", {{OUT1V_M, 5}}, {{IDX_AM2, 0xA5}}, {{0x32, 0xA5}}, true},
    {"map 1 OUT2 lives in BM5", {{OUT2V_M, 3}}, {{IDX_BM5, 0x66}}, {{0x38, 0x66}}, true},
    {"map 1 OUT3 lives in BM4", {{OUT3D_M, 7}}, {{IDX_BM4, 0x87}}, {{0x37, 0x87}}, true},
    {"map 1 fractional word", {{PLL2FRACM, 0x3A4}}, {{IDX_BM1, 0x3A}, {IDX_BM2, 0x40}},
     {{0x34, 0x3A}, {0x35, 0x40}}, true},
    {"map 1 modulus", {{PLL2MODM, 0xA45}}, {{IDX_BM2, 0x0A}, {IDX_BM3, 0x45}},
     {{0x35, 0x0A}, {0x36, 0x45}}, true},
    {"reference divider", {{REFSEL, 0}, {REFDIV, 1}}, {{IDX_G0, 0x02}}, {{0x3D, 0x02}}, true},
    {"PLL1 power off", {{PLL1POWER, 0}}, {{IDX_G0, 0x08}}, {{0x3D, 0x08}}, false},
    {"PLL2 power off", {{PLL2POWER, 0}}, {{IDX_G0, 0x04}}, {{0x3D, 0x04}}, false},
    {"CH0 off", {{CH0POWER, 0}}, {{IDX_BP0, 0x01}}, {{0x11, 0x01}}, false},
    {"CH1 off", {{CH1POWER, 0}}, {{IDX_BP0, 0x02}}, {{0x11, 0x02}}, false},
    {"CH2 off keeps the format bits", {{Pll1OutputFormat, 5}, {CH2POWER, 0}},
     {{IDX_DR1, 0x45}}, {{0x3A, 0x45}}, false},
    {"CH3 off", {{CH3POWER, 0}}, {{IDX_DR1, 0x80}}, {{0x3A, 0x80}}, false},
    {"reference output off", {{REFPOWER, 0}}, {{IDX_DR2, 0x01}}, {{0x3B, 0x01}}, false},
    {"bleed and modulator on", {{BLEEDSDM, 1}}, {{IDX_BP0, 0x04}, {IDX_ABF0, 0xC0}},
     {{0x11, 0x04}, {0x1D, 0xC0}}, true},
    {"bleed and modulator off again", {{BLEEDSDM, 1}, {BLEEDSDM, 0}},
     {{IDX_BP0, 0x00}, {IDX_ABF0, 0xD0}}, {{0x11, 0x00}, {0x1D, 0xD0}}, true},
    {"PLL1 sync", {{PLL1SYNC, 1}}, {{IDX_ADV2, 0x01}}, {{0x24, 0x01}}, false},
    {"PLL2 sync", {{PLL2SYNC, 1}}, {{IDX_BDV2, 0x01}}, {{0x27, 0x01}}, false},
    {"steps and clock divider", {{CKDIV, 10}, {NUMSTEP, 5}},
     {{IDX_BS1, 0x00}, {IDX_BS2, 0x02}, {IDX_BS3, 0x8A}}, {{0x2A, 0x00}, {0x2B, 0x02}, {0x2C, 0x8A}},
     true},
    {"even steps", {{NUMSTEP, 4}}, {{IDX_BS2, 0x02}, {IDX_BS3, 0x02}},
     {{0x2A, 0x00}, {0x2B, 0x02}, {0x2C, 0x02}}, true},
    {"negative step", {{FRACSTEP, -3}}, {{IDX_BS1, -3}, {IDX_BS2, 0x00}, {IDX_BS3, 0x82}},
     {{0x2A, 0xFD}, {0x2B, 0x00}, {0x2C, 0x82}}, true},
};
// clang-format on

class Handlers : public test::ProgramTest {};

TEST_F(Handlers, EachChangeSetsItsBitsAndSendsItsRegistersOnline) {
  for (const HandlerCase& c : kCases) {
    SCOPED_TRACE(c.what);
    SetUp();
    StartOnlineConnected();
    for (auto [control, value] : c.commits) {
      ClearWire();
      ASSERT_EQ(Commit(control, value), UIE_NO_ERROR) << control;
    }
    for (auto [index, value] : c.registers) {
      EXPECT_EQ(*RegisterTable[index].variable, value) << RegisterTable[index].name;
    }
    std::vector<WireEvent> expected{W::Write(0x40, 0x02)};
    for (auto [address, byte] : c.wire) expected.push_back(W::Write(address, byte));
    if (c.acquires) expected = WithAcquisition(expected);
    EXPECT_EQ(Bridge().log, expected) << Describe(Bridge().log);
    TearDown();
  }
}

TEST_F(Handlers, OfflineTheSameChangesSendNothing) {
  for (const HandlerCase& c : kCases) {
    SCOPED_TRACE(c.what);
    SetUp();
    StartOffline();
    for (auto [control, value] : c.commits) ASSERT_EQ(Commit(control, value), UIE_NO_ERROR);
    for (auto [index, value] : c.registers) {
      EXPECT_EQ(*RegisterTable[index].variable, value) << RegisterTable[index].name;
    }
    EXPECT_TRUE(Bridge().log.empty()) << Describe(Bridge().log);
    EXPECT_EQ(C0, 0x00);
    TearDown();
  }
}

TEST_F(Handlers, ValueVariablesHoldTheCommittedValue) {
  StartOffline();
  struct Case {
    int control;
    int value;
    int* variable;
  };
  for (auto [control, value, variable] :
       {Case{OUT0D, 32, &out0_d}, Case{OUT3V_M, 6, &out3v_m}, Case{PLL2FRACM, 77, &frac_m},
        Case{REFDIV, 1, &refdiv}, Case{PLL2SYNC, 1, &sync2}, Case{FRACSTEP, -7, &fracstep},
        Case{Pll2OutputFormat, 7, &OutputFormatPll2}}) {
    ASSERT_EQ(Commit(control, value), UIE_NO_ERROR);
    EXPECT_EQ(*variable, value) << control;
  }
}

TEST_F(Handlers, BitsOutsideTheFieldSurvive) {
  StartOffline();
  AF0 = 0xC0 | 0x05;  // upper bits as a setup file may have left them
  ASSERT_EQ(Commit(PLL1_N, 100), UIE_NO_ERROR);
  EXPECT_EQ(AF0, 0xD4);
  ADV0 = 0x84;
  ASSERT_EQ(Commit(OUT0V, 3), UIE_NO_ERROR);
  EXPECT_EQ(ADV0 & 0x1F, 0x04) << "the output divider bits stay";
  ASSERT_EQ(Commit(OUT0D, 9), UIE_NO_ERROR);
  EXPECT_EQ(ADV0, 0x69);
  G0 = 0xF0;
  ASSERT_EQ(Commit(REFSEL, 0), UIE_NO_ERROR);
  ASSERT_EQ(Commit(REFDIV, 1), UIE_NO_ERROR);
  EXPECT_EQ(G0, 0xF2);
  ADV2 = 0xFE;
  ASSERT_EQ(Commit(PLL1SYNC, 1), UIE_NO_ERROR);
  EXPECT_EQ(ADV2, 0xFF);
}

TEST_F(Handlers, ReferenceOutputPowerDoesNotRecompute) {
  StartOffline();
  SetCtrlVal(panelHandle, NRANGE, "marker");
  ASSERT_EQ(Commit(REFPOWER, 0), UIE_NO_ERROR);
  EXPECT_EQ(Text(NRANGE), "marker");
  ASSERT_EQ(Commit(CH0POWER, 0), UIE_NO_ERROR);
  EXPECT_NE(Text(NRANGE), "marker");
}

TEST_F(Handlers, SpreadSpectrumValueChangedWritesNothing) {
  StartOnlineConnected();
  SetCtrlVal(panelHandle, NRANGE, "marker");
  SetAnySscgRegister(panelHandle, NUMSTEP, EVENT_VAL_CHANGED, nullptr, 0, 0);
  SetAnySscgRegister(panelHandle, FRACSTEP, EVENT_VAL_CHANGED, nullptr, 0, 0);
  EXPECT_TRUE(Bridge().log.empty());
  EXPECT_EQ(Text(NRANGE), "marker");
  EXPECT_EQ(Value(NUMSTEP), 1);
}

TEST_F(Handlers, OnlyTheCommitEventActs) {
  StartOnlineConnected();
  for (int event : {EVENT_VAL_CHANGED, EVENT_CLOSE, 0}) {
    OnRegisterFieldCommitted(panelHandle, PLL1_N, event, nullptr, 0, 0);
    OnSwitchCommitted(panelHandle, CH0POWER, event, nullptr, 0, 0);
  }
  EXPECT_TRUE(Bridge().log.empty());
}

}  // namespace
}  // namespace qv
