// Output format codes: packing into DR1, the family of each output, the rings.

#include <gtest/gtest.h>

#include <array>

#include "model/registers.h"
#include "model/value_variables.h"
#include "plan/panel/output_format.h"
#include "tests/plan/plan_fixture.h"

namespace qv {
namespace {

using test::Bridge;
using test::Describe;
using test::WireEvent;

using Formats = test::PlanTest;

TEST_F(Formats, EveryCodeGivesEachOutputItsFamily) {
  // Per code: OUT0, OUT1 (and the same for OUT2, OUT3 from the PLL2 code).
  // clang-format off
  constexpr std::array<std::array<int, 2>, 8> expected{{
      {FAMILY_LVPECL, FAMILY_LVPECL}, {FAMILY_LVDS, FAMILY_LVDS},
      {FAMILY_LVPECL, FAMILY_CMOS},   {FAMILY_CMOS, FAMILY_CMOS},
      {FAMILY_LVDS, FAMILY_CMOS},     {FAMILY_LVDS, FAMILY_LVPECL},
      {FAMILY_CMOS, FAMILY_LVPECL},   {FAMILY_CMOS_IN_PHASE, FAMILY_CMOS_IN_PHASE},
  }};
  // clang-format on
  for (int code = 0; code < 8; ++code) {
    ASSERT_EQ(Commit(Pll1OutputFormat, code), UIE_NO_ERROR);
    ASSERT_EQ(Commit(Pll2OutputFormat, 7 - code), UIE_NO_ERROR);
    EXPECT_EQ(GetOutputFormatForChannel(0), expected[code][0]) << code;
    EXPECT_EQ(GetOutputFormatForChannel(1), expected[code][1]) << code;
    EXPECT_EQ(GetOutputFormatForChannel(2), expected[7 - code][0]) << code;
    EXPECT_EQ(GetOutputFormatForChannel(3), expected[7 - code][1]) << code;
  }
}

TEST_F(Formats, CodesPackIntoDr1AndKeepThePowerBits) {
  ASSERT_EQ(Commit(Pll1OutputFormat, 5), UIE_NO_ERROR);
  ASSERT_EQ(Commit(Pll2OutputFormat, 3), UIE_NO_ERROR);
  EXPECT_EQ(DR1, 0x1D);
  ASSERT_EQ(Commit(CH3POWER, 0), UIE_NO_ERROR);
  EXPECT_EQ(DR1, 0x9D);
  ASSERT_EQ(Commit(Pll2OutputFormat, 6), UIE_NO_ERROR);
  EXPECT_EQ(DR1, 0xB5) << "only the PLL2 bits move";
}

TEST_F(Formats, OnlineTheRingWritesDr1DirectlyBetweenLookAheadAndAcquisition) {
  SetUp();
  StartOnlineConnected();
  ASSERT_EQ(Commit(Pll2OutputFormat, 4), UIE_NO_ERROR);
  const auto& log = Bridge().log;
  ASSERT_GE(log.size(), 3u) << Describe(log);
  EXPECT_EQ(log[0], WireEvent::Write(0x40, 0x02));
  EXPECT_EQ(log[1], WireEvent::Write(0x3A, 0x20));
  EXPECT_EQ(log[2], WireEvent::Write(0x07, 0x42)) << "acquisition follows";
  EXPECT_EQ(log.back(), WireEvent::Pause(0.25));
  EXPECT_EQ(log.size(), 11u);
}

TEST_F(Formats, DefaultFormatResetsTheRingsOnly) {
  ASSERT_EQ(Commit(Pll1OutputFormat, 3), UIE_NO_ERROR);
  SetDefaultOutputFormat();
  EXPECT_EQ(Value(Pll1OutputFormat), 0);
  EXPECT_EQ(OutputFormatPll1, 3);
  EXPECT_EQ(DR1, 0x03);
}

TEST_F(Formats, RebuildingFromTheVariablesShowsThemAndAgreesWithTheFamilies) {
  OutputFormatPll1 = 2;
  OutputFormatPll2 = 6;
  DR1 = 0xFF;
  SetCurrOutputFormat();
  EXPECT_EQ(DR1, 0xC0 | 2 | (6 << 3));
  EXPECT_EQ(Value(Pll1OutputFormat), 2);
  EXPECT_EQ(Value(Pll2OutputFormat), 6);
  EXPECT_EQ(GetOutputFormatForChannel(1), FAMILY_CMOS);
  EXPECT_EQ(GetOutputFormatForChannel(2), FAMILY_CMOS);
  EXPECT_TRUE(Bridge().log.empty()) << "offline nothing is sent";
}

}  // namespace
}  // namespace qv
