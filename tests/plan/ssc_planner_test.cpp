// The spread-spectrum planner: what it offers, applied through the panel,
// judged by the plan evaluation's own figures; the VCO kept exactly.

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "plan/panel/frequency_maps.h"
#include "plan/panel/plan_inputs.h"
#include "plan/panel/ssc_apply.h"
#include "plan/ssc_planner.h"
#include "plan/ssc_report.h"
#include "tests/plan/plan_fixture.h"

namespace qv {
namespace {

enum class Outcome { Exact, Window, Unreachable };

struct Case {
  const char* name;
  int crystal;  // CrystalFreq index
  int map;
  int n, frac, mod;  // PLL2 of that map before
  bool sdm;
  const char* downspread;
  const char* fmodKhz;
  Outcome outcome;
  // Worked out by hand where the answer is short to state.
  std::optional<SscSettings> settings;
  bool feedbackChanged;
};

const Case kCases[] = {
    // Fmod: NumSteps x CkDiv = 396 is nearest 396.8 (397 is prime); 198 x 2
    // has the most steps. Depth: -2 x 198 / 825 / 96 = -0.5 % exactly.
    {"PCI Express at 25 MHz", 1, 0, 96, 0, 0, false, "-0.5", "31.5", Outcome::Window,
     SscSettings{-2, 198, 2, 96, 0, 825}, true},
    {"the downspread typed as a decimal of its own", 1, 0, 96, 0, 0, false, "-.50", "31.5",
     Outcome::Window, SscSettings{-2, 198, 2, 96, 0, 825}, true},
    // 25 MHz / (2 x 250 x 2) = 25 kHz; -6 x 250 / 3125 / 96 = -0.5 %.
    {"exactly met", 1, 0, 96, 0, 0, false, "-0.5", "25", Outcome::Exact,
     SscSettings{-6, 250, 2, 96, 0, 3125}, true},
    // Modulus 1650 carries -0.5 % with FracStep -4 as well as 825 with -2.
    {"a modulus that serves stays", 1, 0, 96, 0, 1650, true, "-0.5", "31.5", Outcome::Window,
     SscSettings{-4, 198, 2, 96, 0, 1650}, false},
    {"a fractional N keeps its fraction", 1, 0, 96, 87, 128, true, "-0.5", "31.5", Outcome::Window,
     std::nullopt, true},
    {"a word the SDM does not run gives way", 1, 0, 96, 87, 128, false, "-0.5", "31.5",
     Outcome::Window, SscSettings{-2, 198, 2, 96, 0, 825}, true},
    {"map 1 at 27 MHz", 2, 1, 90, 3, 7, true, "-0.5", "31.5", Outcome::Window, std::nullopt, true},
    {"19.44 MHz crystal", 0, 0, 120, 0, 0, false, "-0.3", "33", Outcome::Window, std::nullopt,
     true},
    {"deeper than the span limit", 1, 0, 96, 0, 0, false, "-10", "31.5", Outcome::Unreachable,
     std::nullopt, true},
    {"faster than one step allows", 1, 0, 96, 0, 0, false, "-0.5", "10000", Outcome::Unreachable,
     std::nullopt, true},
};

class SscPlanner : public test::PlanTest, public testing::WithParamInterface<Case> {};

// N + F/M as the chip runs it, as an exact fraction num/den.
struct Exact {
  std::int64_t num;
  std::int64_t den;
};
Exact RatioOf(int n, int frac, int mod, bool sdm) {
  if (!sdm || frac == 0 || mod == 0) return {n, 1};
  return {static_cast<std::int64_t>(n) * mod + frac, mod};
}

TEST_P(SscPlanner, OffersWhatThePlanEvaluationConfirms) {
  const Case& c = GetParam();
  const FrequencyMap& map = kFrequencyMaps[c.map];
  ASSERT_EQ(Commit(CrystalFreq, c.crystal), UIE_NO_ERROR);
  ASSERT_EQ(Commit(MARGIN, c.map), UIE_NO_ERROR);
  ASSERT_EQ(Commit(SSCG, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(BLEEDSDM, c.sdm ? 1 : 0), UIE_NO_ERROR);
  ASSERT_EQ(Commit(map.modControl, c.mod), UIE_NO_ERROR);
  ASSERT_EQ(Commit(map.fracControl, c.frac), UIE_NO_ERROR);
  ASSERT_EQ(Commit(map.pll2NControl, c.n), UIE_NO_ERROR);
  const std::string vcoBefore = Text(map.vco2Control);

  SscRequest request;
  std::string problem;
  ASSERT_TRUE(ParseSscRequest(c.downspread, c.fmodKhz, &request, &problem)) << problem;
  const SscPlan plan = PlanSpreadSpectrum(ReadPlanInputs(), c.map, request);
  ASSERT_TRUE(plan.ok) << plan.problem;
  const SscSettings& s = plan.settings;
  if (c.settings) {
    const SscSettings& e = *c.settings;
    EXPECT_EQ((std::array{s.fracstep, s.numstep, s.ckdiv, s.pll2N, s.frac, s.mod}),
              (std::array{e.fracstep, e.numstep, e.ckdiv, e.pll2N, e.frac, e.mod}));
  }
  EXPECT_EQ(plan.feedbackChanged, c.feedbackChanged);
  EXPECT_EQ(plan.exact, c.outcome == Outcome::Exact);
  EXPECT_EQ(plan.withinWindow, c.outcome != Outcome::Unreachable);

  // Inside the control ranges, and PLL2's ratio exactly as it was.
  EXPECT_TRUE(ControlRange(FieldKind::StepSize).Contains(s.fracstep) && s.fracstep < 0);
  EXPECT_TRUE(ControlRange(FieldKind::StepCount).Contains(s.numstep));
  EXPECT_TRUE(ControlRange(FieldKind::ClockDivider).Contains(s.ckdiv));
  EXPECT_TRUE(ControlRange(FieldKind::Modulus).Contains(s.mod) && s.mod > 0);
  EXPECT_TRUE(FractionalWordValid(s.frac, s.mod));
  const Exact was = RatioOf(c.n, c.frac, c.mod, c.sdm);
  const Exact now = RatioOf(s.pll2N, s.frac, s.mod, true);
  EXPECT_EQ(was.num * now.den, now.num * was.den);

  // Applied through the handlers, the panel's own plan shows these figures.
  ASSERT_TRUE(ApplySscPlan(plan));
  EXPECT_EQ((std::array{Value(FRACSTEP), Value(NUMSTEP), Value(CKDIV), Value(map.modControl)}),
            (std::array{s.fracstep, s.numstep, s.ckdiv, s.mod}));
  EXPECT_EQ(Text(map.vco2Control), vcoBefore);
  const PlanEvaluation after = EvaluatePlan(ReadPlanInputs());
  const MapEvaluation& used = after.maps[c.map];
  EXPECT_TRUE(used.active.ssc) << used.SscOffReason();
  EXPECT_EQ(used.vco[1], plan.before.maps[c.map].vco[1]);
  EXPECT_EQ(used.ssc.span, plan.Figures().span);
  EXPECT_EQ(used.ssc.downspreadPercent, plan.Figures().downspreadPercent);
  EXPECT_EQ(used.ssc.modulationHz, plan.Figures().modulationHz);
  EXPECT_EQ(used.Find(CheckKind::SscSpan)->verdict(), Verdict::Pass);
  EXPECT_EQ(plan.depthErrorPercent, used.ssc.downspreadPercent - request.downspreadPercent);
  EXPECT_EQ(plan.fmodErrorHz, used.ssc.modulationHz - request.fmodHz);
  const SscWindow& w = request.window;
  const bool inside = used.ssc.downspreadPercent >= w.deepestPercent &&
                      used.ssc.downspreadPercent <= w.shallowestPercent &&
                      used.ssc.modulationHz >= w.fmodLowHz && used.ssc.modulationHz <= w.fmodHighHz;
  EXPECT_EQ(inside, plan.withinWindow);
}

INSTANTIATE_TEST_SUITE_P(Requests, SscPlanner, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p) {
                             if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                           }
                           return name;
                         });

using SscPlannerLimits = test::PlanTest;

TEST_F(SscPlannerLimits, OutOfReachItGoesAsFarAsTheLimitsAllow) {
  const PlanInputs inputs = ReadPlanInputs();
  // The sweep may take the word 4 moduli below zero: no deeper.
  const SscPlan deep = PlanSpreadSpectrum(inputs, 0, MakeSscRequest(-10, 31500));
  EXPECT_EQ(deep.Figures().span, deep.Figures().minimumSpan);
  // One step of two PFD cycles is the fastest sweep.
  const SscPlan fast = PlanSpreadSpectrum(inputs, 0, MakeSscRequest(-0.5, 10e6));
  EXPECT_EQ(std::pair(fast.settings.numstep, fast.settings.ckdiv), std::pair(1, 2));
  EXPECT_EQ(FormatSscVerdict(fast),
            "Not reachable within the window: the closest setting is shown.");
  // Nothing to plan from; the chip spreads down only, and a downspread above 0
  // is refused where it is read, never taken for its opposite.
  EXPECT_FALSE(PlanSpreadSpectrum(inputs, 0, MakeSscRequest(0, 31500)).ok);
  EXPECT_FALSE(PlanSpreadSpectrum(inputs, 0, MakeSscRequest(0.5, 31500)).ok);
  SscRequest request;
  std::string problem;
  EXPECT_FALSE(ParseSscRequest("+0.5", "31.5", &request, &problem));
  EXPECT_EQ(problem,
            "Downspread: \"+0.5\" is above 0: the chip only spreads down, so give it as -0.5.");
  EXPECT_FALSE(PlanSpreadSpectrum(inputs, 0, MakeSscRequest(-0.5, 0)).ok);
  EXPECT_FALSE(PlanSpreadSpectrum(inputs, 2, PCI_EXPRESS_SSC).ok);
}

// One map through PlanSpreadSpectrumMaps is PlanSpreadSpectrum; both maps
// share the steps and each keeps its own VCO, within the window.
TEST_F(SscPlannerLimits, BothMapsShareTheStepsAndKeepTheirVcos) {
  const PlanInputs inputs = ReadPlanInputs();
  for (int map : {0, 1}) {
    const std::vector<SscPlan> one = PlanSpreadSpectrumMaps(inputs, map, PCI_EXPRESS_SSC);
    ASSERT_EQ(one.size(), 1u);
    const SscPlan alone = PlanSpreadSpectrum(inputs, map, PCI_EXPRESS_SSC);
    EXPECT_EQ(std::tie(one[0].settings.fracstep, one[0].settings.numstep, one[0].settings.ckdiv,
                       one[0].settings.mod, one[0].settings.frac),
              std::tie(alone.settings.fracstep, alone.settings.numstep, alone.settings.ckdiv,
                       alone.settings.mod, alone.settings.frac));
  }
  const std::vector<SscPlan> both = PlanSpreadSpectrumMaps(inputs, BOTH_MAPS, PCI_EXPRESS_SSC);
  ASSERT_EQ(both.size(), 2u);
  const PlanEvaluation before = EvaluatePlan(inputs);
  for (int map : {0, 1}) {
    const SscPlan& plan = both[map];
    ASSERT_TRUE(plan.ok) << plan.problem;
    EXPECT_EQ(plan.map, map);
    EXPECT_TRUE(plan.withinWindow) << map;
    EXPECT_EQ(
        std::tie(plan.settings.fracstep, plan.settings.numstep, plan.settings.ckdiv),
        std::tie(both[0].settings.fracstep, both[0].settings.numstep, both[0].settings.ckdiv));
    EXPECT_EQ(plan.after.maps[map].vco[FractionalPll()], before.maps[map].vco[FractionalPll()]);
    EXPECT_TRUE(plan.after.maps[map].active.ssc || !plan.after.maps[map].SscOffReason().empty());
  }
  EXPECT_NE(both[0].settings.mod, both[1].settings.mod) << "each map's own modulus";
}

}  // namespace
}  // namespace qv
