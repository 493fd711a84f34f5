// The spread-spectrum profile: a sweep between the nominal frequencies and
// the ones the plan's depth gives, over two periods of the plan's modulation.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "base/text_format.h"
#include "report/ssc_profile.h"
#include "report/svg_writer.h"
#include "tests/report/svg_groups.h"

namespace qv {
namespace {

struct Case {
  const char* name;
  int map;
  int n2, frac, mod;
  int fracstep, numstep, ckdiv;
  bool sdm, sscg;
  std::string offReason;  // empty: active
};

TEST(SpreadSpectrum, TheProfileSweepsToTheDepthThePlanComputes) {
  const Case cases[] = {
      {"integer N, 100 steps", 0, 100, 0, 1000, -5, 100, 4, true, true, ""},
      {"fractional N, few steps", 0, 96, 250, 1000, -5, 20, 4, true, true, ""},
      {"one step of the whole range", 0, 90, 1, 3, -12, 1, 2, true, true, ""},
      {"map 1 not in use", 1, 102, 100, 4000, -128, 511, 127, true, true, ""},
      {"an upspread from a file", 0, 96, 0, 1000, 7, 10, 2, true, true, ""},
      {"no modulation", 0, 96, 0, 1000, -5, 0, 4, true, true, ""},
      {"the SSCG pin low", 0, 96, 0, 1000, -5, 100, 4, true, false, "the SSCG pin is low"},
      {"no modulus", 0, 96, 0, 0, -5, 100, 4, false, true,
       "the SDM is powered down; map 0's modulus is 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlanInputs in = PlanInputsFromRegisters(DefaultRegisterImage(), BoardInputs{});
    in.maps[c.map].pll2N = c.n2;
    in.maps[c.map].frac = c.frac;
    in.maps[c.map].mod = c.mod;
    in.fracstep = c.fracstep;
    in.numstep = c.numstep;
    in.ckdiv = c.ckdiv;
    in.sdmPowered = c.sdm;
    in.board.sscg = c.sscg;
    const PlanEvaluation plan = EvaluatePlan(in);
    const MapEvaluation& map = plan.maps[c.map];
    const report::SscProfile profile = report::SpreadSpectrumProfile(plan, c.map);
    const std::string svg = test::Unescaped(report::SvgFile(report::ProfileScene(profile)));

    ASSERT_EQ(profile.active, c.offReason.empty());
    if (!profile.active) {
      EXPECT_TRUE(profile.signals.empty());
      EXPECT_NE(svg.find("Spread spectrum is off: " + c.offReason), std::string::npos);
      continue;
    }
    // The VCO sweeps from its nominal frequency to where the word ends a sweep,
    // F + FracStep x NumSteps: exactly the plan's depth, and in ppm too.
    const double depth = map.ssc.downspreadPercent;
    ASSERT_FALSE(profile.signals.empty());
    const report::SweptSignal& vco = profile.signals[0];
    EXPECT_EQ(vco.name, "VCO2");
    EXPECT_EQ(vco.nominalHz, map.vco[1]);
    EXPECT_DOUBLE_EQ(vco.sweptHz, vco.nominalHz * (1.0 + depth / 100.0));
    const double wordAtEnd = c.n2 + static_cast<double>(c.frac + c.fracstep * c.numstep) / c.mod;
    EXPECT_NEAR(vco.sweptHz, wordAtEnd * plan.pfdHz, 1e-3);
    EXPECT_EQ(vco.LowestHz(), std::min(map.vco[1], vco.sweptHz));
    // Every output on PLL2 that runs follows by the same fraction.
    ASSERT_EQ(profile.signals.size(), 3u);
    for (int k = 2; k < OUTPUT_COUNT; ++k) {
      EXPECT_EQ(profile.signals[k - 1].name, FormatText("OUT%d", k));
      EXPECT_EQ(profile.signals[k - 1].nominalHz, map.out[k]);
      EXPECT_DOUBLE_EQ(profile.signals[k - 1].sweptHz, map.out[k] * (1.0 + depth / 100.0));
    }
    EXPECT_NE(svg.find(FormatText("%.3f %%", depth)), std::string::npos);
    EXPECT_NE(svg.find(FormatText("%.0f ppm", depth * 1e4)), std::string::npos);

    if (c.numstep == 0) {
      EXPECT_TRUE(profile.sweep.empty()) << "no period to draw";
      continue;
    }
    // Two periods of 1 / fmod, from nominal to the far end and back, twice.
    const double period = 1.0 / map.ssc.modulationHz;
    EXPECT_DOUBLE_EQ(profile.periodSeconds, period);
    EXPECT_EQ(profile.sweep.front().seconds, 0.0);
    EXPECT_NEAR(profile.sweep.back().seconds, 2 * period, period * 1e-12);
    const auto [lowest, highest] = std::ranges::minmax(
        profile.sweep, {}, [](const report::SweepPoint& point) { return point.fraction; });
    EXPECT_EQ(lowest.fraction, 0.0);
    EXPECT_EQ(highest.fraction, 1.0);
    int reachedEnd = 0;
    for (std::size_t i = 1; i < profile.sweep.size(); ++i) {
      reachedEnd += profile.sweep[i].fraction == 1.0 && profile.sweep[i - 1].fraction != 1.0;
    }
    EXPECT_EQ(reachedEnd, 2) << "twice to the far end";
    EXPECT_NE(svg.find(FormatText("1/fmod = %.3f \u00b5s (fmod %.3f kHz)", period * 1e6,
                                  map.ssc.modulationHz / 1e3)),
              std::string::npos);
    EXPECT_TRUE(test::SvgGroups(svg).contains(FormatText("ssc-map%d-out3", c.map)));
  }
}

}  // namespace
}  // namespace qv
