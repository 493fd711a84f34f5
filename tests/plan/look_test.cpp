// Which controls look active: pins in their colours, unused paths grey.

#include <gtest/gtest.h>

#include <vector>

#include "plan/panel/panel_look.h"
#include "tests/plan/plan_fixture.h"

namespace qv {
namespace {

using Look = test::PlanTest;

const std::vector<int> kMap0{OUT0V,  OUT0D,    Out0Freq, OUT1V,   OUT1D, Out1Freq,
                             OUT2V,  OUT2D,    Out2Freq, OUT3V,   OUT3D, Out3Freq,
                             PLL1_N, VCO1FREQ, PLL2_N,   VCO2FREQ};
const std::vector<int> kMap1{OUT0V_M, OUT0D_M,   OUT0FREQM, OUT1V_M,  OUT1D_M, OUT1FREQM,
                             OUT2V_M, OUT2D_M,   OUT2FREQM, OUT3V_M,  OUT3D_M, OUT3FREQM,
                             PLL1N_M, VCO1FREQM, PLL2N_M,   VCO2FREQM};

TEST(FadeColor, BlendsOneToFourWithTheFadeGrey) {
  EXPECT_EQ(FadeColor(MARGIN_COLOR), 0xA88AB3);
  EXPECT_EQ(FadeColor(REFSEL_COLOR), 0x94B3A8);
  EXPECT_EQ(FadeColor(SSCG_COLOR), 0xB3B394);
  EXPECT_EQ(FadeColor(0x000000), 0x808080);
}

TEST_F(Look, PinGroupsShowTheirColourFullWhenSelected) {
  struct Case {
    int margin, refsel, sscg;
  };
  for (auto [margin, refsel, sscg] : {Case{0, 1, 0}, Case{1, 0, 1}}) {
    ASSERT_EQ(Commit(MARGIN, margin), UIE_NO_ERROR);
    ASSERT_EQ(Commit(REFSEL, refsel), UIE_NO_ERROR);
    ASSERT_EQ(Commit(SSCG, sscg), UIE_NO_ERROR);
    auto pick = [](bool full, int colour) { return full ? colour : FadeColor(colour); };
    EXPECT_EQ(Attribute(BOXMARGINLOW, ATTR_FRAME_COLOR), pick(!margin, MARGIN_COLOR));
    EXPECT_EQ(Bg(STRINGMARGINLOW), pick(!margin, MARGIN_COLOR));
    EXPECT_EQ(Attribute(BOXMARGINHIGH, ATTR_FRAME_COLOR), pick(margin, MARGIN_COLOR));
    EXPECT_EQ(Bg(STRINGMARGINHIGH), pick(margin, MARGIN_COLOR));
    EXPECT_EQ(Attribute(BOXREFSELLOW, ATTR_FRAME_COLOR), pick(!refsel, REFSEL_COLOR));
    EXPECT_EQ(Bg(STRINGREFSELHIGH), pick(refsel, REFSEL_COLOR));
    EXPECT_EQ(Attribute(BOXSSCGHIGH, ATTR_FRAME_COLOR), pick(sscg, SSCG_COLOR));
    EXPECT_EQ(Bg(STRINGSSCGHIGH), pick(sscg, SSCG_COLOR));
  }
}

TEST_F(Look, MarginSelectsWhichMapLooksActive) {
  for (int control : kMap0) EXPECT_FALSE(Grey(control)) << control;
  for (int control : kMap1) EXPECT_TRUE(Grey(control)) << control;
  EXPECT_EQ(Attribute(OUT0V_M, ATTR_TEXT_COLOR), 0x686868);
  EXPECT_EQ(Attribute(PLL1N_M, ATTR_LABEL_COLOR), 0x808080);
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  for (int control : kMap0) EXPECT_TRUE(Grey(control)) << control;
  for (int control : kMap1) EXPECT_FALSE(Grey(control)) << control;
  EXPECT_EQ(Attribute(PLL1N_M, ATTR_LABEL_COLOR), 0x000000);
}

TEST_F(Look, ReferenceSelectGreysTheUnusedSource) {
  EXPECT_FALSE(Grey(CrystalFreq));
  EXPECT_TRUE(Grey(REFDIV));
  ASSERT_EQ(Commit(REFSEL, 0), UIE_NO_ERROR);
  EXPECT_TRUE(Grey(CrystalFreq));
  EXPECT_FALSE(Grey(REFDIV));
  EXPECT_FALSE(Grey(REFFREQ));
}

// What each power switch, turned off alone, greys in map 0.
struct PowerCase {
  int power;
  std::vector<int> greyed;
  std::vector<int> stayActive;
};

TEST_F(Look, EachPowerDownGreysItsPath) {
  const PowerCase cases[] = {
      {PLL1POWER,
       {OUT0V, OUT0D, Out0Freq, OUT1D, Out1Freq, OUT1V, PLL1_N, VCO1FREQ, Pll1OutputFormat, OUT10},
       {PLL2_N, Out2Freq, Pll2OutputFormat}},
      {PLL2POWER,
       {OUT2V, OUT2D, Out2Freq, OUT3D, Out3Freq, OUT3V, PLL2_N, VCO2FREQ, Pll2OutputFormat, OUT32},
       {PLL1_N, Out0Freq}},
      {CH0POWER, {OUT0V, OUT0D, Out0Freq}, {OUT1V, Out1Freq, Pll1OutputFormat}},
      {CH1POWER, {OUT1V, OUT1D, Out1Freq}, {OUT0V, Out0Freq, Pll1OutputFormat}},
      {CH2POWER, {OUT2V, OUT2D, Out2Freq}, {OUT3V, Pll2OutputFormat}},
      {CH3POWER, {OUT3V, OUT3D, Out3Freq}, {OUT2V, Pll2OutputFormat}},
  };
  for (const PowerCase& c : cases) {
    SCOPED_TRACE(c.power);
    ASSERT_EQ(Commit(c.power, 0), UIE_NO_ERROR);
    for (int control : c.greyed) EXPECT_TRUE(Grey(control)) << control;
    for (int control : c.stayActive) EXPECT_FALSE(Grey(control)) << control;
    ASSERT_EQ(Commit(c.power, 1), UIE_NO_ERROR);
  }
}

TEST_F(Look, BothChannelsOfAPairOffGreyTheFormatRing) {
  ASSERT_EQ(Commit(CH0POWER, 0), UIE_NO_ERROR);
  ASSERT_EQ(Commit(CH1POWER, 0), UIE_NO_ERROR);
  EXPECT_TRUE(Grey(Pll1OutputFormat));
  EXPECT_TRUE(Grey(OUT10));
  EXPECT_FALSE(Grey(Pll2OutputFormat));
}

TEST_F(Look, SyncSwitchIsActiveOnlyWithItsPllAndBothChannels) {
  auto active = [&](int control) {
    return Attribute(control, ATTR_ON_COLOR) == 0xFFFFFF &&
           Attribute(control, ATTR_OFF_COLOR) == 0xFFFFFF &&
           Attribute(control, ATTR_TEXT_COLOR) == 0x000000;
  };
  auto inactive = [&](int control) {
    return Attribute(control, ATTR_ON_COLOR) == DISABLED_COLOR &&
           Attribute(control, ATTR_OFF_COLOR) == DISABLED_COLOR &&
           Attribute(control, ATTR_TEXT_COLOR) == 0x686868;
  };
  EXPECT_TRUE(active(PLL1SYNC));
  ASSERT_EQ(Commit(CH1POWER, 0), UIE_NO_ERROR);
  EXPECT_TRUE(inactive(PLL1SYNC));
  EXPECT_FALSE(Grey(Pll1OutputFormat)) << "channel 0 still uses the format";
  EXPECT_TRUE(active(PLL2SYNC));
  ASSERT_EQ(Commit(PLL2POWER, 0), UIE_NO_ERROR);
  EXPECT_TRUE(inactive(PLL2SYNC));
}

TEST_F(Look, SyncGreysOnlyTheReplacedVcoDivider) {
  ASSERT_EQ(Commit(PLL1SYNC, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  EXPECT_TRUE(Grey(OUT1V_M));
  EXPECT_FALSE(Grey(OUT1D_M));
  EXPECT_FALSE(Grey(OUT1FREQM));
  EXPECT_FALSE(Grey(OUT0V_M));
  ASSERT_EQ(Commit(MARGIN, 0), UIE_NO_ERROR);
  EXPECT_TRUE(Grey(OUT1V));
  EXPECT_FALSE(Grey(OUT3V));
}

TEST_F(Look, SpreadSpectrumNeedsPinPllModulatorAndModulus) {
  auto sscgShown = [&] {
    bool texts = Visible(TXT_FRACRANGE) && Visible(TXT_SSCG_FMOD) && Visible(TXT_SSCG_DOWNSPREAD);
    bool none = !Visible(TXT_FRACRANGE) && !Visible(TXT_SSCG_FMOD) && !Visible(TXT_SSCG_DOWNSPREAD);
    EXPECT_TRUE(texts || none);
    EXPECT_NE(texts, Visible(LBL_SSCG_DISABLED)) << "notice and texts share one place";
    EXPECT_EQ(texts, !Grey(FRACSTEP) && !Grey(NUMSTEP) && !Grey(CKDIV));
    return texts;
  };
  EXPECT_FALSE(sscgShown());
  ASSERT_EQ(Commit(SSCG, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(BLEEDSDM, 1), UIE_NO_ERROR);
  EXPECT_FALSE(sscgShown()) << "modulus 0";
  ASSERT_EQ(Commit(PLL2MODM, 50), UIE_NO_ERROR);
  EXPECT_FALSE(sscgShown()) << "map 1's modulus does not count with MARGIN low";
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  EXPECT_TRUE(sscgShown());
  ASSERT_EQ(Commit(PLL2POWER, 0), UIE_NO_ERROR);
  EXPECT_FALSE(sscgShown());
  ASSERT_EQ(Commit(PLL2POWER, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(BLEEDSDM, 0), UIE_NO_ERROR);
  EXPECT_FALSE(sscgShown());
  ASSERT_EQ(Commit(BLEEDSDM, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(SSCG, 0), UIE_NO_ERROR);
  EXPECT_FALSE(sscgShown());
}

TEST_F(Look, ActiveSpreadSpectrumChecksStepsAndClockDivider) {
  EnableSpreadSpectrum(100);
  // The controls cannot go below 1 and 2, but the variables start at 0.
  EXPECT_TRUE(Red(NUMSTEP));
  EXPECT_TRUE(Red(CKDIV));
  ASSERT_EQ(Commit(NUMSTEP, 1), UIE_NO_ERROR);
  EXPECT_TRUE(White(NUMSTEP));
  EXPECT_TRUE(White(CKDIV)) << "the commit read all three controls: CkDiv is 2";
  EXPECT_TRUE(White(FRACSTEP));
}

TEST_F(Look, MaxBwPinChangesNothing) {
  ASSERT_EQ(Commit(MAXBW, 1), UIE_NO_ERROR);
  for (int control : kMap0) EXPECT_FALSE(Grey(control)) << control;
  EXPECT_EQ(Bg(STRINGMARGINLOW), MARGIN_COLOR);
}

}  // namespace
}  // namespace qv
