// Frequencies, ranges and validation colours as the user sees them.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/registers.h"
#include "model/value_variables.h"
#include "plan/panel/frequency_engine.h"
#include "plan/panel/plan_inputs.h"
#include "plan/panel/register_decoding.h"
#include "plan/plan_colors.h"
#include "tests/plan/plan_fixture.h"

namespace qv {
namespace {

using Engine = test::PlanTest;

TEST_F(Engine, NRangeFollowsTheCrystal) {
  struct Case {
    int crystal;
    const char* range;
  };
  for (auto [crystal, range] :
       {Case{1, "86 <= N <= 102"}, Case{0, "111 <= N <= 131"}, Case{2, "80 <= N <= 94"}}) {
    ASSERT_EQ(Commit(CrystalFreq, crystal), UIE_NO_ERROR);
    EXPECT_EQ(Text(NRANGE), range) << crystal;
  }
}

TEST_F(Engine, DividedRefclkBelowThePfdRangeTurnsPfdAndRefclkRed) {
  UseRefclk("25.0", 1);
  EXPECT_DOUBLE_EQ(GetPfdFrequency(), 12.5e6);
  EXPECT_EQ(Text(NRANGE), "131 <= N <= 131");
  EXPECT_TRUE(Red(PFD_VALID));
  EXPECT_TRUE(Red(REFFREQ));
  EXPECT_TRUE(Red(NRANGE)) << "N 100 is outside 131..131";
  EXPECT_FALSE(Red(REFDIV)) << "the divider is in use with REFCLK";
}

TEST_F(Engine, DividerWithTheCrystalDoesNothingAndTurnsRed) {
  ASSERT_EQ(Commit(REFSEL, 0), UIE_NO_ERROR);
  ASSERT_EQ(Commit(REFDIV, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(REFSEL, 1), UIE_NO_ERROR);
  EXPECT_DOUBLE_EQ(GetPfdFrequency(), 25e6);
  EXPECT_TRUE(Red(REFDIV));
  EXPECT_TRUE(White(REFFREQ)) << "the PFD check colours REFFREQ whatever the reference";
}

// Users can only enter a decimal number now; the reading stays as it was for
// any text the box holds.
TEST_F(Engine, RefclkTextReadsItsLeadingDecimalNumber) {
  struct Case {
    const char* text;
    double hz;
  };
  const Case cases[] = {{"25.0", 25e6},  {"  19.44MHz", 19.44e6},
                        {"2.5e1", 25e6}, {"+26", 26e6},
                        {"-1", -1e6},    {"abc", 0.0},
                        {"", 0.0},       {"0x1A", 0.0},
                        {"inf", 0.0},    {"nan", 0.0},
                        {".5", 0.5e6},   {"25,0", 25e6}};
  ASSERT_EQ(Commit(REFSEL, 0), UIE_NO_ERROR);
  for (auto [text, hz] : cases) {
    ASSERT_EQ(SetCtrlVal(panelHandle, REFFREQ, text), UIE_NO_ERROR);
    EXPECT_DOUBLE_EQ(GetExternalRefclkFrequency(), hz) << '"' << text << '"';
  }
}

// A comma, a unit or a word is refused, not read as the number it begins with,
// and so is a REFCLK a setup file cannot hold (it writes five decimals).
TEST_F(Engine, TheRefclkBoxTakesOnlyADecimalNumber) {
  ASSERT_EQ(Commit(REFSEL, 0), UIE_NO_ERROR);
  ASSERT_EQ(CommitText(REFFREQ, "19.44"), UIE_NO_ERROR);
  for (const char* text : {"19,44", "25MHz", "abc", "", "0x1A", "inf", "nan", "-1", "20000",
                           "0.000001", "19.440001"}) {
    EXPECT_EQ(CommitText(REFFREQ, text), UIE_VALUE_NOT_ALLOWED) << '"' << text << '"';
    EXPECT_EQ(Text(REFFREQ), "19.44");
    EXPECT_EQ(Text(NRANGE), "111 <= N <= 131");
  }
  EXPECT_EQ(CheckCtrlText(panelHandle, REFFREQ, "0.000001"),
            "a decimal number of MHz with at most 5 decimals, as a setup file holds it, such as "
            "19.44");
  // What a load shows ("%f") is taken back, as undo commits it.
  for (const char* text : {" 25 ", "2.5e1", "+26", ".5", "0", "19.440000", "10000.000000"}) {
    EXPECT_EQ(CommitText(REFFREQ, text), UIE_NO_ERROR) << '"' << text << '"';
  }
}

TEST_F(Engine, NoReferenceGivesZeroEverywhereWithoutFailingOutputs) {
  UseRefclk("25.0", 0);
  SetCtrlVal(panelHandle, REFFREQ, "no number");
  RecalculateFrequencies();
  EXPECT_EQ(Text(NRANGE), "80 <= N <= 80");
  EXPECT_EQ(Text(VCO1FREQ), "   0.00000");
  EXPECT_EQ(Text(Out0Freq), "   0.00000");
  EXPECT_TRUE(Red(VCOS_VALID));
  EXPECT_TRUE(Red(PFD_VALID));
  EXPECT_TRUE(White(FOUT_LV_VALID)) << "outputs have no lower limit";
  EXPECT_TRUE(White(FOUT_CMOS_VALID));
}

TEST_F(Engine, CrystalRingTakesOnlyItsThreeCrystals) {
  EXPECT_EQ(SetCtrlVal(panelHandle, CrystalFreq, 3), UIE_VALUE_NOT_ALLOWED);
  EXPECT_DOUBLE_EQ(GetCrystalFrequency(), 25e6);
}

TEST_F(Engine, DisplaysUseTheirFixedFormat) {
  ASSERT_EQ(Commit(OUT0D, 5), UIE_NO_ERROR);
  EXPECT_EQ(Text(VCO1FREQ), "   2.50000");
  EXPECT_EQ(Text(Out0Freq), " 125.00000");
  EXPECT_EQ(Text(Out1Freq), " 125.00000");
  EXPECT_EQ(Text(Out2Freq), " 100.00000");
  EXPECT_EQ(Text(Out3Freq), "  33.33333");
  EXPECT_EQ(Text(VCO2FREQM), "   2.55000");
  EXPECT_EQ(Text(OUT2FREQM), " 212.50000");
}

TEST_F(Engine, SyncMakesTheOddOutputFollowTheEvenVcoDivider) {
  ASSERT_EQ(Commit(OUT1V, 5), UIE_NO_ERROR);
  EXPECT_EQ(Text(Out1Freq), " 100.00000");
  ASSERT_EQ(Commit(PLL1SYNC, 1), UIE_NO_ERROR);
  EXPECT_EQ(Text(Out1Freq), " 125.00000") << "OUT1 now runs on OUT0's V of 4";
  ASSERT_EQ(Commit(OUT3V, 6), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL2SYNC, 1), UIE_NO_ERROR);
  EXPECT_EQ(Text(Out3Freq), "  33.33333");
}

TEST_F(Engine, FractionalNNeedsTheModulatorAWordAndAModulus) {
  ASSERT_EQ(Commit(PLL2_MOD, 4), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL2_FRAC, 1), UIE_NO_ERROR);
  EXPECT_EQ(Text(VCO2FREQ), "   2.40000") << "modulator still powered down";
  ASSERT_EQ(Commit(BLEEDSDM, 1), UIE_NO_ERROR);
  EXPECT_EQ(Text(VCO2FREQ), "   2.40625");
  ASSERT_EQ(Commit(PLL2_FRAC, 0), UIE_NO_ERROR);
  EXPECT_EQ(Text(VCO2FREQ), "   2.40000");
}

TEST_F(Engine, FractionalWordNotBelowTheModulusIsRedWhileTheModulatorRuns) {
  ASSERT_EQ(Commit(BLEEDSDM, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL2_MOD, 100), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL2_FRAC, 100), UIE_NO_ERROR);
  EXPECT_TRUE(Red(PLL2_FRAC));
  ASSERT_EQ(Commit(PLL2_FRAC, 99), UIE_NO_ERROR);
  EXPECT_TRUE(White(PLL2_FRAC));
  ASSERT_EQ(Commit(PLL2_MOD, 0), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL2_FRAC, 0), UIE_NO_ERROR);
  EXPECT_TRUE(White(PLL2_FRAC)) << "a word of 0 is always accepted";
}

TEST_F(Engine, ZeroDividerFromARegisterImageFailsTheOutputWithoutACrash) {
  SetupImage = {};
  for (int i = 0; i < REGISTER_COUNT; ++i)
    SetupImage[i] = static_cast<int>(RegisterTable[i].defaultValue);
  SetupImage[IDX_ADV0] = 0x04;  // V = 0
  ApplyRegistersToPanel();
  EXPECT_EQ(Text(Out0Freq), "       inf");
  EXPECT_TRUE(Red(Out0Freq));
  EXPECT_TRUE(Red(FOUT_LV_VALID));
}

struct SscgCase {
  int fracstep;
  int numstep;
  int ckdiv;
  int mod;
  const char* span;
  bool spanGood;
  const char* downspread;
  int downspreadColour;
  const char* fmod;
};

TEST_F(Engine, SpreadSpectrumFiguresAndTheirColours) {
  ASSERT_EQ(Commit(PLL2_N, 100), UIE_NO_ERROR);
  const SscgCase cases[] = {
      {-5, 100, 4, 1000, "-500", true, "-0.500%", VALIDATE_GOOD_COLOR, "31.25 kHz"},
      {-50, 100, 4, 1000, "-5000", false, "-5.000%", VALIDATE_WARNING_COLOR, "31.25 kHz"},
      // -0.55 % exactly is already a warning.
      {-11, 50, 2, 1000, "-550", true, "-0.550%", VALIDATE_WARNING_COLOR, "125.00 kHz"},
  };
  EnableSpreadSpectrum(1000);
  for (const SscgCase& c : cases) {
    SCOPED_TRACE(c.span);
    ASSERT_EQ(Commit(PLL2_MOD, c.mod), UIE_NO_ERROR);
    ASSERT_EQ(Commit(NUMSTEP, c.numstep), UIE_NO_ERROR);
    ASSERT_EQ(Commit(CKDIV, c.ckdiv), UIE_NO_ERROR);
    ASSERT_EQ(Commit(FRACSTEP, c.fracstep), UIE_NO_ERROR);
    EXPECT_EQ(Text(TXT_FRACRANGE), c.span);
    EXPECT_EQ(Bg(TXT_FRACRANGE), c.spanGood ? VALIDATE_GOOD_COLOR : VALIDATE_BAD_COLOR);
    EXPECT_EQ(Text(TXT_SSCG_DOWNSPREAD), c.downspread);
    EXPECT_EQ(Bg(TXT_SSCG_DOWNSPREAD), c.downspreadColour);
    EXPECT_EQ(Text(TXT_SSCG_FMOD), c.fmod);
    EXPECT_TRUE(Visible(TXT_FRACRANGE));
  }
}

TEST_F(Engine, NoStepsMeansNoModulation) {
  EXPECT_EQ(numstep, 0);
  EXPECT_EQ(Text(TXT_SSCG_FMOD), "0.00 kHz");
  EXPECT_EQ(Text(TXT_SSCG_DOWNSPREAD), "0.000%") << "no modulus: no downspread";
}

struct OutputLimitCase {
  int format;
  const char* refclkMhz;
  int n, v, d;  // OUT0 = refclk * n / v / d, exact in double for these values
  bool pass;
  int failingSummary;
};

TEST_F(Engine, OutputLimitsDependOnTheLogicFamily) {
  const OutputLimitCase cases[] = {
      // 21.24 MHz * 113 / 12 = 200.01 MHz exactly: the CMOS limit passes.
      {3, "21.24", 113, 2, 6, true, FOUT_CMOS_VALID},
      {3, "21.24001", 113, 2, 6, false, FOUT_CMOS_VALID},
      {7, "21.24001", 113, 2, 6, false, FOUT_CMOS_VALID},
      {6, "21.24001", 113, 2, 6, false, FOUT_CMOS_VALID},  // OUT0 is the CMOS one
      {2, "21.24001", 113, 2, 6, true, FOUT_CMOS_VALID},   // OUT0 stays LVPECL
      // 25.5004 MHz * 100 / 4 = 637.51 MHz exactly: the differential limit passes.
      {0, "25.5004", 100, 2, 2, true, FOUT_LV_VALID},
      {0, "25.50041", 100, 2, 2, false, FOUT_LV_VALID},
      {1, "25.50041", 100, 2, 2, false, FOUT_LV_VALID},
  };
  ASSERT_EQ(Commit(OUT1D, 32), UIE_NO_ERROR);  // keeps OUT1 low in every format
  ASSERT_EQ(Commit(REFSEL, 0), UIE_NO_ERROR);
  for (const OutputLimitCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "format " << c.format << " at " << c.refclkMhz);
    ASSERT_EQ(CommitText(REFFREQ, c.refclkMhz), UIE_NO_ERROR);
    ASSERT_EQ(Commit(PLL1_N, c.n), UIE_NO_ERROR);
    ASSERT_EQ(Commit(OUT0V, c.v), UIE_NO_ERROR);
    ASSERT_EQ(Commit(OUT0D, c.d), UIE_NO_ERROR);
    ASSERT_EQ(Commit(Pll1OutputFormat, c.format), UIE_NO_ERROR);
    EXPECT_EQ(Red(Out0Freq), !c.pass);
    EXPECT_EQ(Red(c.failingSummary), !c.pass);
    const int other = c.failingSummary == FOUT_CMOS_VALID ? FOUT_LV_VALID : FOUT_CMOS_VALID;
    EXPECT_FALSE(Red(other)) << "the other family's summary stays as its outputs decide";
  }
}

TEST_F(Engine, OnlyTheMapMarginSelectsIsChecked) {
  ASSERT_EQ(Commit(PLL1N_M, 143), UIE_NO_ERROR);
  EXPECT_FALSE(Red(PLL1N_M));
  EXPECT_TRUE(Grey(PLL1N_M));
  EXPECT_TRUE(White(NRANGE));
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  EXPECT_TRUE(Red(PLL1N_M));
  EXPECT_TRUE(Red(NRANGE));
  EXPECT_TRUE(Grey(PLL1_N)) << "map 0 keeps its grey";
}

TEST_F(Engine, EqualFeedbackDividersWarnOfInjectionLockInTheSelectedMapOnly) {
  ASSERT_EQ(Commit(PLL2_N, 100), UIE_NO_ERROR);
  EXPECT_TRUE(Visible(LBL_INJLOCK));
  ASSERT_EQ(Commit(PLL2POWER, 0), UIE_NO_ERROR);
  EXPECT_FALSE(Visible(LBL_INJLOCK));
  ASSERT_EQ(Commit(PLL2POWER, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL2N_M, 100), UIE_NO_ERROR);
  EXPECT_FALSE(Visible(LBL_INJLOCK_M)) << "map 1 is not in use";
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  EXPECT_TRUE(Visible(LBL_INJLOCK_M));
  EXPECT_TRUE(Visible(LBL_INJLOCK)) << "the other map's label keeps its state";
}

TEST_F(Engine, GreyControlsNeverTurnASummaryRed) {
  ASSERT_EQ(Commit(PLL1_N, 143), UIE_NO_ERROR);
  ASSERT_EQ(Commit(OUT0V, 2), UIE_NO_ERROR);
  ASSERT_EQ(Commit(OUT0D, 1), UIE_NO_ERROR);
  EXPECT_TRUE(Red(VCOS_VALID));
  EXPECT_TRUE(Red(FOUT_LV_VALID));
  ASSERT_EQ(Commit(PLL1POWER, 0), UIE_NO_ERROR);
  EXPECT_TRUE(Grey(PLL1_N));
  EXPECT_TRUE(Grey(VCO1FREQ));
  EXPECT_TRUE(Grey(Out0Freq));
  EXPECT_TRUE(White(VCOS_VALID));
  EXPECT_TRUE(White(NRANGE));
  EXPECT_TRUE(White(FOUT_LV_VALID));
}

TEST_F(Engine, NRangeHandlesAbsurdReferences) {
  EXPECT_EQ(ComputeNRange(0.0).min, 80);
  EXPECT_EQ(ComputeNRange(-25e6).max, 80);
  EXPECT_EQ(ComputeNRange(1e-3).min, 131);
  EXPECT_EQ(ComputeNRange(std::nan("")).max, 80);
  EXPECT_EQ(ComputeNRange(1e12).min, 80);
}

}  // namespace
}  // namespace qv
