// The plan as a value: each check fails alone, in the map whose settings break
// it, with a reason a person can read; the panel's own inputs give the same plan.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/registers.h"
#include "plan/panel/plan_inputs.h"
#include "plan/plan_evaluation.h"
#include "tests/plan/plan_fixture.h"

namespace qv {
namespace {

// The power-on defaults with the 25 MHz crystal: every check of both maps passes.
PlanInputs Defaults() { return PlanInputsFromRegisters(DefaultRegisterImage(), BoardInputs{}); }

struct Failure {
  CheckKind kind;
  int index;
  std::string reason;
};

std::vector<Failure> FailuresOf(const MapEvaluation& map) {
  std::vector<Failure> failures;
  for (const Check* check : map.Failures())
    failures.push_back({check->kind, check->index, check->Reason()});
  return failures;
}

bool operator==(const Failure& a, const Failure& b) {
  return a.kind == b.kind && a.index == b.index && a.reason == b.reason;
}

void PrintTo(const Failure& f, std::ostream* out) { *out << f.reason; }

void SpreadSpectrumOn(PlanInputs& in, int map) {
  in.board.sscg = true;
  in.sdmPowered = true;
  in.maps[map].mod = 1000;
  in.fracstep = -5;
  in.numstep = 100;
  in.ckdiv = 4;
}

TEST(Evaluation, TheDefaultsPassInBothMaps) {
  const PlanEvaluation plan = EvaluatePlan(Defaults());
  EXPECT_EQ(plan.pfdHz, 25e6);
  EXPECT_FALSE(plan.AnyFailure());
  EXPECT_EQ(plan.maps[1].vco[1], 2.55e9);
  EXPECT_EQ(plan.maps[1].out[2], 212.5e6);
  EXPECT_EQ(plan.maps[0].checks.size(), plan.maps[1].checks.size());
}

// A map's own settings break only that map; shared settings break both.
TEST(Evaluation, EachCheckFailsAloneWithItsReason) {
  using Change = std::function<void(PlanInputs&, int map)>;
  struct Case {
    const char* name;
    Change change;
    bool shared;
    std::vector<Failure> failures;
  };
  const std::vector<Case> cases = {
      {"PFD above its range",
       [](PlanInputs& in, int) {
         in.board.refsel = false;
         in.board.refclkHz = 28e6;
         for (MapSettings& map : in.maps) map.pll1N = 85, map.pll2N = 86;
       },
       true,
       {{CheckKind::Pfd, 0, "PFD 28.00000 MHz is above 27 MHz"}}},
      {"a fractional VCO2 above its range, N within",
       [](PlanInputs& in, int m) {
         in.sdmPowered = true;
         in.maps[m].pll2N = 102, in.maps[m].frac = 1, in.maps[m].mod = 2;
       },
       false,
       {{CheckKind::Vco, 1, "VCO2 2.56250 GHz is above 2.55 GHz"}}},
      {"VCO1 below its range takes N with it",
       [](PlanInputs& in, int m) { in.maps[m].pll1N = 85; },
       false,
       {{CheckKind::Vco, 0, "VCO1 2.12500 GHz is below 2.15 GHz"},
        {CheckKind::FeedbackDivider, 0, "PLL1 N 85 is below the range 86 <= N <= 102"}}},
      {"a differential output above 637.51 MHz",
       [](PlanInputs& in, int m) { in.maps[m].v[0] = 2, in.maps[m].d[0] = 1; },
       false,
       {{CheckKind::Output, 0, "OUT0 1250.00000 MHz is above the LVPECL limit of 637.51 MHz"}}},
      {"a CMOS output above 200.01 MHz",
       [](PlanInputs& in, int m) {
         in.formatCodes[1] = 2;  // "2xCMOS/LVPECL": OUT3 CMOS, OUT2 LVPECL
         in.maps[m].pll2N = 96;
         in.maps[m].v[3] = 4, in.maps[m].d[3] = 2;
       },
       false,
       {{CheckKind::Output, 3, "OUT3 300.00000 MHz is above the CMOS limit of 200.01 MHz"}}},
      {"a fractional word not below its modulus",
       [](PlanInputs& in, int m) {
         in.sdmPowered = true;
         in.maps[m].pll2N = 92, in.maps[m].frac = 5, in.maps[m].mod = 5;
       },
       false,
       {{CheckKind::FractionalWord, 1, "Fractional word 5 is not below the modulus 5"}}},
      {"the REFCLK divider with the crystal selected",
       [](PlanInputs& in, int) { in.refdiv = true; },
       true,
       {{CheckKind::RefclkDivider, 0,
         "REFCLK divider is 2 while the crystal is selected: it divides REFCLK only"}}},
      {"a sweep below the word's floor",
       [](PlanInputs& in, int m) { SpreadSpectrumOn(in, m), in.fracstep = -50; },
       false,
       {{CheckKind::SscSpan, 0, "FracRange -5000 is below the minimum -4000"}}},
      {"spread spectrum with no steps",
       [](PlanInputs& in, int m) { SpreadSpectrumOn(in, m), in.numstep = 0; },
       false,
       {{CheckKind::SscSteps, 0, "NumSteps 0 is below 1"}}},
      {"spread spectrum with a clock divider of 1",
       [](PlanInputs& in, int m) { SpreadSpectrumOn(in, m), in.ckdiv = 1; },
       false,
       {{CheckKind::SscClockDivider, 0, "CkDiv 1 is below 2"}}},
  };
  for (const Case& c : cases) {
    for (int m = 0; m < MAP_COUNT; ++m) {
      SCOPED_TRACE(std::string(c.name) + ", map " + std::to_string(m));
      PlanInputs in = Defaults();
      c.change(in, m);
      const PlanEvaluation plan = EvaluatePlan(in);
      EXPECT_EQ(FailuresOf(plan.maps[m]), c.failures);
      EXPECT_EQ(plan.maps[1 - m].Fails(), c.shared);
    }
  }
}

TEST(Evaluation, WarningsAndInactivePathsDoNotFail) {
  PlanInputs in = Defaults();
  SpreadSpectrumOn(in, 1);
  in.fracstep = -6;
  in.maps[1].pll2N = 100;  // equal to PLL1's N
  in.pllPowered[0] = true;
  PlanEvaluation plan = EvaluatePlan(in);
  EXPECT_FALSE(plan.AnyFailure());
  EXPECT_EQ(plan.maps[1].Find(CheckKind::SscDepth)->verdict(), Verdict::Warning);
  EXPECT_EQ(plan.maps[1].Find(CheckKind::SscDepth)->Reason(),
            "Downspread -0.600% is at or beyond -0.55%");
  EXPECT_EQ(plan.maps[1].Find(CheckKind::InjectionLock)->verdict(), Verdict::Warning);
  EXPECT_EQ(plan.maps[0].Find(CheckKind::SscDepth)->verdict(), Verdict::Inactive)
      << "map 0's modulus is 0";
  EXPECT_EQ(plan.maps[0].SscOffReason(), "map 0's modulus is 0");

  in.pllPowered[0] = false;
  in.maps[1].pll1N = 85;
  plan = EvaluatePlan(in);
  EXPECT_FALSE(plan.AnyFailure()) << "a powered-down PLL is not checked";
  const Check& vco1 = *plan.maps[1].Find(CheckKind::Vco, 0);
  EXPECT_EQ(vco1.verdict(), Verdict::Inactive);
  EXPECT_EQ(vco1.Reason(), "VCO1 is not checked: PLL1 is powered down");
  EXPECT_FALSE(plan.maps[1].active.output[1]);
  EXPECT_EQ(InactiveMapNote(plan.maps[1]), "");
}

// A reason is made when asked, from what its check kept: each outcome, and each
// cause of a check not applying, reads as it did when every reason was made at once.
TEST(Evaluation, EachCheckSaysWhyWhateverItsOutcome) {
  struct Case {
    const char* name;
    std::function<void(PlanInputs&)> change;
    int map;
    std::vector<Failure> reasons;
  };
  const char* sscOff = "the SDM is powered down; map 0's modulus is 0; the SSCG pin is low";
  const std::vector<Case> cases = {
      {"the defaults",
       [](PlanInputs&) {},
       0,
       {{CheckKind::Pfd, 0, "PFD 25.00000 MHz is within 19.44 to 27 MHz"},
        {CheckKind::Vco, 0, "VCO1 2.50000 GHz is within 2.15 to 2.55 GHz"},
        {CheckKind::FeedbackDivider, 0, "PLL1 N 100 is within the range 86 <= N <= 102"},
        {CheckKind::Output, 3, "OUT3 33.33333 MHz is within the LVPECL limit of 637.51 MHz"},
        {CheckKind::VcoDivider, 0, "OUT0 VCO divider 4 is within 2 to 6"},
        {CheckKind::FractionalWord, 1, "Fractional word is not checked: the SDM is powered down"},
        {CheckKind::RefclkDivider, 0, "REFCLK divider is 1"},
        {CheckKind::SscSpan, 0, std::string("FracRange is not checked: ") + sscOff},
        {CheckKind::SscClockDivider, 0, std::string("CkDiv is not checked: ") + sscOff},
        {CheckKind::InjectionLock, 0, "PLL1 N 100 and PLL2 N 96 differ"}}},
      {"PLL1 powered down",
       [](PlanInputs& in) { in.pllPowered[0] = false; },
       0,
       {{CheckKind::FeedbackDivider, 0, "PLL1 N is not checked: PLL1 is powered down"},
        {CheckKind::Output, 0, "OUT0 is not checked: PLL1 is powered down"},
        {CheckKind::VcoDivider, 1, "OUT1 VCO divider is not checked: PLL1 is powered down"},
        {CheckKind::InjectionLock, 0, "Noise warning is not checked: PLL1 is powered down"}}},
      {"OUT1 powered down, OUT3 on OUT2's divider, equal dividers",
       [](PlanInputs& in) {
         in.outputPowered[1] = false, in.sync[1] = true;
         in.maps[1].pll2N = 100;
       },
       1,
       {{CheckKind::Output, 1, "OUT1 is not checked: OUT1 is powered down"},
        {CheckKind::VcoDivider, 1, "OUT1 VCO divider is not checked: OUT1 is powered down"},
        {CheckKind::VcoDivider, 3,
         "OUT3 VCO divider is not checked: OUT3 runs on OUT2's VCO divider"},
        {CheckKind::InjectionLock, 0, "PLL1 N equals PLL2 N (100): noise may increase"}}},
      {"PLL2 powered down",
       [](PlanInputs& in) { in.pllPowered[1] = false, in.sdmPowered = true; },
       1,
       {{CheckKind::FractionalWord, 1, "Fractional word is not checked: PLL2 is powered down"},
        {CheckKind::SscSteps, 0,
         "NumSteps is not checked: PLL2 is powered down; map 1's modulus is 0; the SSCG pin is "
         "low"},
        {CheckKind::InjectionLock, 0, "Noise warning is not checked: PLL2 is powered down"}}},
      {"spread spectrum running",
       [](PlanInputs& in) { SpreadSpectrumOn(in, 1), in.maps[1].frac = 250; },
       1,
       {{CheckKind::FractionalWord, 1, "Fractional word 250 is below the modulus 1000"},
        {CheckKind::SscSpan, 0, "FracRange -500 is within the minimum -4250"},
        {CheckKind::SscDepth, 0, "Downspread -0.489% is within -0.55%"},
        {CheckKind::SscSteps, 0, "NumSteps 100 is at least 1"},
        {CheckKind::SscClockDivider, 0, "CkDiv 4 is at least 2"}}},
      {"REFCLK halved, beyond every range",
       [](PlanInputs& in) {
         in.board.refsel = false, in.refdiv = true, in.board.refclkHz = 38e6;
         in.maps[0].pll1N = 140, in.maps[0].v[2] = 40, in.formatCodes[0] = 6;
       },
       0,
       {{CheckKind::Pfd, 0, "PFD 19.00000 MHz is below 19.44 MHz"},
        {CheckKind::Vco, 0, "VCO1 2.66000 GHz is above 2.55 GHz"},
        {CheckKind::FeedbackDivider, 0, "PLL1 N 140 is above the range 114 <= N <= 131"},
        {CheckKind::Output, 0, "OUT0 166.25000 MHz is within the CMOS limit of 200.01 MHz"},
        {CheckKind::VcoDivider, 2, "OUT2 VCO divider 40 is outside 2 to 6"},
        {CheckKind::RefclkDivider, 0, "REFCLK divider is 2"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlanInputs in = Defaults();
    c.change(in);
    const PlanEvaluation plan = EvaluatePlan(in);
    for (const Failure& expected : c.reasons) {
      const Check* check = plan.maps[c.map].Find(expected.kind, expected.index);
      ASSERT_NE(check, nullptr) << expected.reason;
      EXPECT_EQ(check->Reason(), expected.reason);
    }
  }
}

// What the panel reads is what a register image of the same settings gives.
using PlanPanel = test::PlanTest;

TEST_F(PlanPanel, ThePanelsInputsEqualTheRegistersInputs) {
  ASSERT_EQ(Commit(PLL2N_M, 104), UIE_NO_ERROR);
  ASSERT_EQ(Commit(BLEEDSDM, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL2_MOD, 300), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL2_FRAC, 7), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL1SYNC, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(CH3POWER, 0), UIE_NO_ERROR);
  ASSERT_EQ(Commit(Pll2OutputFormat, 6), UIE_NO_ERROR);
  const PlanEvaluation fromPanel = EvaluatePlan(ReadPlanInputs());
  BoardInputs board;
  board.refclkHz = GetExternalRefclkFrequency();
  const PlanEvaluation fromRegisters =
      EvaluatePlan(PlanInputsFromRegisters(CurrentRegisters(), board));
  for (int m = 0; m < MAP_COUNT; ++m) {
    EXPECT_EQ(fromPanel.maps[m].vco, fromRegisters.maps[m].vco);
    EXPECT_EQ(fromPanel.maps[m].out, fromRegisters.maps[m].out);
    EXPECT_EQ(fromPanel.maps[m].Failures().size(), fromRegisters.maps[m].Failures().size());
  }
  EXPECT_DOUBLE_EQ(fromPanel.maps[0].vco[1], (96 + 7.0 / 300) * 25e6);
}

}  // namespace
}  // namespace qv
