// The target solver against an independent brute force over the same divider
// space, and every returned plan re-checked from its dividers alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "plan/panel/frequency_maps.h"
#include "plan/panel/output_format.h"
#include "plan/panel/solver_apply.h"
#include "plan/plan_evaluation.h"
#include "plan/solver.h"
#include "plan/solver_report.h"
#include "tests/plan/plan_fixture.h"

namespace qv {
namespace {

// --- an independent brute force -------------------------------------------

struct Ratio {
  int n, frac, mod;
};

double Vco(const Ratio& r, double fpfd) {
  return (r.frac > 0 ? r.n + static_cast<double>(r.frac) / r.mod : r.n) * fpfd;
}

std::vector<Ratio> AllRatios(int pll, int maxModulus, double fpfd) {
  std::vector<Ratio> ratios;
  for (int n = 80; n <= 143; ++n) {
    ratios.push_back({n, 0, 0});
    if (pll == 0) continue;
    for (int m = 2; m <= maxModulus; ++m) {
      for (int f = 1; f < m; ++f) ratios.push_back({n, f, m});
    }
  }
  std::erase_if(ratios, [&](const Ratio& r) {
    double vco = Vco(r, fpfd);
    return vco < 2150000000.0 || vco > 2550000000.0;
  });
  return ratios;
}

double Limit(const SolverRequest& request, int output) {
  int family = FamilyOfCode(request.formatCodes[output / 2], output % 2);
  return family >= 2 ? 200010000.0 : 637510000.0;
}

struct OracleScore {
  double reachableWorst = 0.0;
  double unreachableWorst = 0.0;
};

bool Before(const OracleScore& a, const OracleScore& b) {
  if (a.reachableWorst < b.reachableWorst - 1e-6) return true;
  if (a.reachableWorst > b.reachableWorst + 1e-6) return false;
  return a.unreachableWorst < b.unreachableWorst - 1e-6;
}

// Best error of one output at one VCO (and a fixed V when given), inside its limit.
double BestError(double vco, double target, double limit, int fixedV) {
  double best = INFINITY;
  for (int v = 2; v <= 6; ++v) {
    if (fixedV && v != fixedV) continue;
    for (int d = 1; d <= 32; ++d) {
      double f = vco / v / d;
      if (f <= limit) best = std::min(best, std::abs(f - target) / target * 1e6);
    }
  }
  return best;
}

struct Oracle {
  std::array<bool, 4> reachable{};
  std::array<OracleScore, 2> best;
};

Oracle BruteForce(const SolverRequest& request) {
  Oracle oracle;
  for (int pll = 0; pll < 2; ++pll) {
    if (!request.targets[2 * pll] && !request.targets[2 * pll + 1]) continue;
    const auto ratios = AllRatios(pll, pll == 0 ? 1 : request.maxModulus, request.fpfd);
    const int outputs[2] = {2 * pll, 2 * pll + 1};
    for (int k : outputs) {
      if (!request.targets[k]) continue;
      double low = INFINITY, high = 0;
      for (const Ratio& r : ratios) {
        for (int v = 2; v <= 6; ++v) {
          for (int d = 1; d <= 32; ++d) {
            double f = Vco(r, request.fpfd) / v / d;
            if (f > Limit(request, k)) continue;
            low = std::min(low, f);
            high = std::max(high, f);
          }
        }
      }
      oracle.reachable[k] = *request.targets[k] >= low && *request.targets[k] <= high;
    }
    bool first = true;
    for (const Ratio& r : ratios) {
      const double vco = Vco(r, request.fpfd);
      std::vector<int> vs =
          request.sync[pll] ? std::vector<int>{2, 3, 4, 5, 6} : std::vector<int>{0};
      for (int sharedV : vs) {
        OracleScore score;
        for (int k : outputs) {
          if (!request.targets[k]) continue;
          double error = BestError(vco, *request.targets[k], Limit(request, k), sharedV);
          double& worst = oracle.reachable[k] ? score.reachableWorst : score.unreachableWorst;
          worst = std::max(worst, error);
        }
        if (first || Before(score, oracle.best[pll])) oracle.best[pll] = score;
        first = false;
      }
    }
  }
  return oracle;
}

// --- checks on a plan from its dividers alone ------------------------------

void ExpectPlanWithinLimits(const SolverRequest& request, const SolverResult& result) {
  for (int pll = 0; pll < 2; ++pll) {
    const PllPlan& plan = result.plls[pll];
    if (!plan.changed) continue;
    ASSERT_GE(plan.n, 80);
    ASSERT_LE(plan.n, 143);
    if (plan.frac > 0) {
      ASSERT_EQ(pll, 1) << "PLL1 has no fractional divider";
      ASSERT_LT(plan.frac, plan.mod);
      ASSERT_LE(plan.mod, request.maxModulus);
    }
    const double vco = Vco({plan.n, plan.frac, plan.mod}, request.fpfd);
    EXPECT_GE(vco, 2150000000.0);
    EXPECT_LE(vco, 2550000000.0);
    EXPECT_DOUBLE_EQ(plan.vco, vco);
    for (int k : {2 * pll, 2 * pll + 1}) {
      const OutputPlan& out = result.outputs[k];
      if (!out.wanted) continue;
      const int v = request.sync[pll] && k % 2 ? result.outputs[k - 1].v : out.v;
      ASSERT_GE(v, 2);
      ASSERT_LE(v, 6);
      ASSERT_GE(out.d, 1);
      ASSERT_LE(out.d, 32);
      const double f = vco / v / out.d;
      EXPECT_LE(f, Limit(request, k)) << "OUT" << k;
      EXPECT_DOUBLE_EQ(out.achieved, f) << "OUT" << k;
      EXPECT_NEAR(out.errorPpm, std::abs(f - out.target) / out.target * 1e6, 1e-9);
    }
  }
}

void ExpectAgreesWithOracle(const SolverRequest& request, const SolverResult& result) {
  const Oracle oracle = BruteForce(request);
  ASSERT_TRUE(result.ok) << result.problem;
  ExpectPlanWithinLimits(request, result);
  for (int k = 0; k < 4; ++k) {
    if (!request.targets[k]) continue;
    EXPECT_EQ(result.outputs[k].reachable, oracle.reachable[k]) << "OUT" << k;
  }
  for (int pll = 0; pll < 2; ++pll) {
    OracleScore got;
    for (int k : {2 * pll, 2 * pll + 1}) {
      if (!result.outputs[k].wanted) continue;
      double& worst = result.outputs[k].reachable ? got.reachableWorst : got.unreachableWorst;
      worst = std::max(worst, result.outputs[k].errorPpm);
    }
    EXPECT_NEAR(got.reachableWorst, oracle.best[pll].reachableWorst, 1e-6) << "PLL" << pll + 1;
    EXPECT_NEAR(got.unreachableWorst, oracle.best[pll].unreachableWorst,
                1e-6 + 1e-9 * oracle.best[pll].unreachableWorst)
        << "PLL" << pll + 1;
  }
}

SolverRequest Request(double fpfd, std::array<std::optional<double>, 4> targetsMhz) {
  SolverRequest request;
  request.fpfd = fpfd;
  for (int k = 0; k < 4; ++k) {
    if (targetsMhz[k]) request.targets[k] = *targetsMhz[k] * 1e6;
  }
  return request;
}

// --- the tests -----------------------------------------------------------

TEST(BracketFraction, FindsTheNearestFractionsOnEitherSide) {
  std::mt19937 random(42);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int round = 0; round < 2000; ++round) {
    const double x = round < 5 ? std::array{0.0, 0.5, 1.0 / 3, 0.999, 0.2}[round] : unit(random);
    const int maxDen = 1 + round % 60;
    Fraction lower{}, upper{};
    BracketFraction(x, maxDen, &lower, &upper);
    ASSERT_LE(lower.den, maxDen);
    ASSERT_LE(upper.den, maxDen);
    const double lo = static_cast<double>(lower.num) / lower.den;
    const double hi = static_cast<double>(upper.num) / upper.den;
    ASSERT_LE(lo, x + 1e-12) << x << " " << maxDen;
    ASSERT_GE(hi, x - 1e-12) << x << " " << maxDen;
    for (int q = 1; q <= maxDen; ++q) {
      for (int p = 0; p <= q; ++p) {
        const double f = static_cast<double>(p) / q;
        if (f <= x) {
          ASSERT_LE(f, lo + 1e-12) << p << "/" << q << " lies between " << lo << " and " << x;
        }
        if (f >= x) {
          ASSERT_GE(f, hi - 1e-12) << p << "/" << q << " lies between " << x << " and " << hi;
        }
      }
    }
  }
}

TEST(Solver, KnownPlansAreExact) {
  // 156.25 and 125 from 2.5 GHz; 100 and 33.333... from 2.4 GHz.
  auto result = SolvePlan(Request(25e6, {156.25, 125.0, 100.0, 100.0 / 3}));
  ASSERT_TRUE(result.ok);
  EXPECT_TRUE(result.AllExact()) << result.WorstErrorPpm();
  EXPECT_FALSE(result.sdmNeeded) << "integer N wins when both are exact";
  for (const OutputPlan& out : result.outputs) EXPECT_LT(out.errorPpm, 1e-6);
}

TEST(Solver, FractionalNReachesWhatIntegerNCannot) {
  // 161.1328125 MHz from 25 MHz: every VCO that divides down to it is N + k/64 or k/128.
  auto request = Request(25e6, {std::nullopt, std::nullopt, 161.1328125, std::nullopt});
  request.maxModulus = 128;  // enough for 96 + 87/128, small enough for the brute force
  auto result = SolvePlan(request);
  ASSERT_TRUE(result.ok);
  EXPECT_TRUE(result.AllExact());
  EXPECT_TRUE(result.sdmNeeded);
  EXPECT_GT(result.plls[1].frac, 0);
  ExpectAgreesWithOracle(request, result);
}

TEST(Solver, UnreachableTargetsAreAsCloseAsThePlanOfferedGets) {
  auto request = Request(25e6, {700.0, 5.0, std::nullopt, std::nullopt});
  auto result = SolvePlan(request);
  ASSERT_TRUE(result.ok);
  EXPECT_FALSE(result.outputs[0].reachable);
  EXPECT_FALSE(result.outputs[1].reachable);
  EXPECT_FALSE(result.AllReachable());
  EXPECT_LE(result.outputs[0].achieved, 637510000.0);
  ExpectAgreesWithOracle(request, result);

  // OUT3 at 100 MHz exactly leaves VCO2 at 2.2, 2.4 or 2.5 GHz: OUT2 gets 625
  // MHz at best, not the 637.5 MHz it could reach alone. The report names
  // what the plan gives.
  auto pair = SolvePlan(Request(25e6, {std::nullopt, std::nullopt, 700.0, 100.0}));
  ASSERT_TRUE(pair.ok);
  EXPECT_EQ(pair.outputs[3].errorPpm, 0.0);
  EXPECT_DOUBLE_EQ(pair.outputs[2].achieved, 625e6);
  EXPECT_EQ(FormatOutOfReach(pair), "Out of reach: OUT2 700 MHz (closest 625.000000)");
}

TEST(Solver, CmosLimitBindsCmosOutputsOnly) {
  auto request = Request(25e6, {250.0, 250.0, std::nullopt, std::nullopt});
  request.formatCodes = {2, 0};  // OUT0 LVPECL, OUT1 CMOS
  request.maxModulus = 1;
  auto result = SolvePlan(request);
  ASSERT_TRUE(result.ok);
  EXPECT_TRUE(result.outputs[0].reachable);
  EXPECT_FALSE(result.outputs[1].reachable);
  EXPECT_LE(result.outputs[1].achieved, 200010000.0);
  ExpectAgreesWithOracle(request, result);
}

TEST(Solver, SyncedPairSharesTheVcoDivider) {
  auto request = Request(25e6, {156.25, 125.0, 100.0, 50.0});
  request.sync = {true, true};
  request.maxModulus = 8;
  auto result = SolvePlan(request);
  ASSERT_TRUE(result.ok);
  ExpectAgreesWithOracle(request, result);
  EXPECT_TRUE(result.AllExact());
}

TEST(Solver, BadRequestsAreRefusedWithAReason) {
  EXPECT_FALSE(SolvePlan(Request(0.0, {100.0, {}, {}, {}})).ok);
  EXPECT_FALSE(SolvePlan(Request(25e6, {-1.0, {}, {}, {}})).ok);
  auto tiny = SolvePlan(Request(1e6, {100.0, {}, {}, {}}));  // VCO cannot reach 2.15 GHz
  EXPECT_FALSE(tiny.ok);
  EXPECT_FALSE(tiny.problem.empty());
  auto none = SolvePlan(Request(25e6, {}));
  EXPECT_TRUE(none.ok);
  EXPECT_FALSE(none.plls[0].changed);
  EXPECT_FALSE(none.plls[1].changed);
}

TEST(Solver, AgreesWithBruteForceOnAdversarialAndRandomTargets) {
  const double adversarial[] = {156.25, 125.0, 100.0,  33.333333, 212.5,  644.53125, 19.44, 637.51,
                                200.01, 11.2,  1275.0, 98.304,    122.88, 74.25,     148.5};
  const double pfds[] = {25e6, 19.44e6, 27e6, 20e6};
  std::mt19937 random(3380);
  std::uniform_real_distribution<double> mhz(8.0, 700.0);
  std::uniform_int_distribution<int> code(0, 7);
  int cases = 0;
  for (int round = 0; round < 240; ++round) {
    const double fpfd = pfds[round % 4];
    std::array<std::optional<double>, 4> targets;
    for (int k = 0; k < 4; ++k) {
      if ((round + k) % 5 == 0) continue;  // some outputs don't care
      targets[k] = round < 60 ? adversarial[(round + 3 * k) % std::size(adversarial)] : mhz(random);
    }
    auto request = Request(fpfd, targets);
    request.formatCodes = {code(random), code(random)};
    request.sync = {round % 7 == 0, round % 11 == 0};
    // Fractional against a brute force over small moduli keeps the oracle fast.
    request.maxModulus = 1 + round % 9;
    SCOPED_TRACE(testing::Message() << "round " << round);
    ExpectAgreesWithOracle(request, SolvePlan(request));
    ++cases;
  }
  EXPECT_EQ(cases, 240);
}

TEST(Solver, FullModulusPlansStayWithinLimits) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> mhz(10.0, 640.0);
  for (int round = 0; round < 100; ++round) {
    auto request = Request(25e6, {mhz(random), mhz(random), mhz(random), mhz(random)});
    auto result = SolvePlan(request);
    ASSERT_TRUE(result.ok);
    ExpectPlanWithinLimits(request, result);
    // With 4095 as modulus a single PLL2 target is met to well under a ppm.
    if (result.outputs[2].reachable && !request.targets[3]) {
      EXPECT_LT(result.outputs[2].errorPpm, 1.0);
    }
  }
}

TEST(Solver, AnIntegerPlanWithinTheToleranceBeatsAFractionalOne) {
  auto request = Request(25e6, {std::nullopt, std::nullopt, 161.1328125, std::nullopt});
  request.maxModulus = 1;
  const double integerPpm = SolvePlan(request).WorstErrorPpm();
  ASSERT_GT(integerPpm, 1.0);
  request.maxModulus = SOLVER_MODULUS_MAX;
  ASSERT_GT(SolvePlan(request).plls[1].frac, 0) << "exact only with a fraction";
  for (double tolerance : {integerPpm * 1.001, integerPpm * 0.999}) {
    request.preferIntegerWithinPpm = tolerance;
    const SolverResult result = SolvePlan(request);
    const bool integer = tolerance > integerPpm;
    EXPECT_EQ(result.plls[1].frac == 0, integer) << tolerance;
    EXPECT_NEAR(result.WorstErrorPpm(), integer ? integerPpm : 0.0, 1e-6) << tolerance;
  }
}

// Applying a plan through the panel gives the frequencies it promised.
class SolverApply : public test::PlanTest {};

TEST_F(SolverApply, PanelShowsTheAchievedFrequencies) {
  for (int map : {0, 1}) {
    SCOPED_TRACE(map);
    SetUp();
    ASSERT_EQ(Commit(MARGIN, map), UIE_NO_ERROR);
    auto request = RequestFromPanel({156.25e6, 106.25e6, 161.1328125e6, 125e6}, map);
    auto result = SolvePlan(request);
    ASSERT_TRUE(result.ok) << result.problem;
    ASSERT_TRUE(ApplySolverPlan(result, map));
    const FrequencyMap& controls = kFrequencyMaps[map];
    for (int k = 0; k < 4; ++k) {
      char expected[32];
      std::snprintf(expected, sizeof expected, "%10.5f", result.outputs[k].achieved / 1e6);
      EXPECT_EQ(Text(controls.outputs[k].freqControl), expected) << "OUT" << k;
    }
    EXPECT_EQ(Value(BLEEDSDM), result.sdmNeeded ? 1 : 0);
    EXPECT_FALSE(Red(FOUT_LV_VALID));
    EXPECT_FALSE(Red(VCOS_VALID));
    TearDown();
  }
}

TEST_F(SolverApply, OnlineTheModulatorAndModulusGoBeforeTheWord) {
  SetUp();
  StartOnlineConnected();
  auto result =
      SolvePlan(RequestFromPanel({std::nullopt, std::nullopt, 161.1328125e6, std::nullopt}, 0));
  ASSERT_TRUE(result.sdmNeeded);
  ASSERT_TRUE(ApplySolverPlan(result, 0));
  std::vector<int> order;
  for (const auto& event : test::Bridge().Writes()) {
    if (event.reg == 0x1D || event.reg == 0x1B || event.reg == 0x19) order.push_back(event.reg);
  }
  // ABF0 (modulator), BF2 (modulus low), then BF0 (word high).
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(order.front(), 0x1D);
  EXPECT_LT(std::find(order.begin(), order.end(), 0x1B),
            std::find(order.begin(), order.end(), 0x19));
}

// What the solver keeps, and that it answers the request alone.
class SolverKeeps : public test::PlanTest {
 protected:
  using Targets = std::array<std::optional<double>, 4>;
  static SolverResult SolveOnPanel(const Targets& targets) {
    return SolvePlan(RequestFromPanel(targets, 0));
  }
  // The plan as settings, to compare two of them.
  static std::string Settings(const SolverResult& plan) {
    std::string text;
    for (const PllPlan& pll : plan.plls) {
      text += std::to_string(pll.n) + "+" + std::to_string(pll.frac) + "/" +
              std::to_string(pll.mod) + " ";
    }
    for (const OutputPlan& out : plan.outputs) {
      text += std::to_string(out.v) + "x" + std::to_string(out.d) + " ";
    }
    return text;
  }
};

TEST_F(SolverKeeps, OutputsWithoutATargetKeepTheirFrequencyWhereAPlanAllows) {
  // VCO2 2.4 GHz gives OUT2 100 MHz (V 4, D 6); V 4, D 12 give OUT3 50 MHz.
  const SolverResult kept = SolveOnPanel({std::nullopt, std::nullopt, std::nullopt, 50e6});
  ASSERT_TRUE(kept.ok);
  EXPECT_EQ(kept.outputs[3].errorPpm, 0.0);
  EXPECT_EQ(kept.plls[1].n, 96) << "VCO2 stays";
  EXPECT_TRUE(kept.outputs[2].kept);
  EXPECT_FALSE(kept.AnyMoved());
  EXPECT_EQ(std::pair(kept.outputs[2].v, kept.outputs[2].d), std::pair(4, 6));
  EXPECT_EQ(std::pair(kept.outputs[3].v, kept.outputs[3].d), std::pair(4, 12)) << "OUT2's V";
  EXPECT_EQ(FormatMoves(kept), "");

  // 161.1328125 MHz and 100 MHz share no VCO: OUT2 moves as little as any VCO
  // that gives OUT3 exactly allows, and the result says by how much.
  const SolverResult moved =
      SolveOnPanel({std::nullopt, std::nullopt, std::nullopt, 161.1328125e6});
  ASSERT_TRUE(moved.ok);
  EXPECT_EQ(moved.outputs[3].errorPpm, 0.0);
  double least = INFINITY;
  for (int division = 2; division <= 192; ++division) {
    const double vco = 161.1328125e6 * division;
    if (vco < 2150e6 || vco > 2550e6) continue;
    for (int v = 2; v <= 6; ++v) {
      for (int d = 1; d <= 32; ++d)
        least = std::min(least, std::abs(vco / v / d - 100e6) / 100e6 * 1e6);
    }
  }
  ASSERT_GT(least, 0.0);
  EXPECT_TRUE(moved.outputs[2].Moved());
  EXPECT_NEAR(moved.outputs[2].errorPpm, least, 1e-6);
  EXPECT_EQ(FormatMoves(moved), "Moved: OUT2 100.000000 -> " +
                                    FormatMhz(moved.outputs[2].achieved) + " MHz (" +
                                    FormatSignedPpm(moved.outputs[2]) + " ppm)");

  // A powered-down output has no frequency to keep.
  ASSERT_EQ(Commit(CH2POWER, 0), UIE_NO_ERROR);
  EXPECT_FALSE(SolveOnPanel({std::nullopt, std::nullopt, std::nullopt, 50e6}).outputs[2].kept);
}

TEST_F(SolverKeeps, TheSameRequestGivesTheSamePlanWhateverTheHistory) {
  const Targets integer{std::nullopt, std::nullopt, 125e6, 62.5e6};
  const Targets fractional{std::nullopt, std::nullopt, 161.1328125e6, 80.56640625e6};
  const Targets next{std::nullopt, std::nullopt, std::nullopt, 100e6};
  struct History {
    std::vector<Targets> applied;
    bool sdm;
  };
  auto solveAfter = [&](const History& history) {
    TearDown();
    SetUp();
    for (const Targets& targets : history.applied) {
      EXPECT_TRUE(ApplySolverPlan(SolveOnPanel(targets), 0));
    }
    EXPECT_EQ(Commit(BLEEDSDM, history.sdm ? 1 : 0), UIE_NO_ERROR);
    return SolveOnPanel(next);
  };
  const SolverResult reference = solveAfter({{integer}, false});
  ASSERT_TRUE(reference.ok);
  for (const History& history : {History{{integer}, true}, History{{fractional, integer}, true},
                                 History{{fractional, integer}, false}}) {
    EXPECT_EQ(Settings(solveAfter(history)), Settings(reference))
        << history.applied.size() << " plans, SDM " << history.sdm;
  }
  // Applied, the same request asks for nothing more.
  ASSERT_TRUE(ApplySolverPlan(reference, 0));
  const SolverResult again = SolveOnPanel(next);
  EXPECT_EQ(Settings(again), Settings(reference));
  EXPECT_FALSE(again.AnyMoved());
}

}  // namespace
}  // namespace qv
