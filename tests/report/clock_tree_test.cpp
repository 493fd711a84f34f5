// The clock tree as a reader of its SVG finds it: every block in the look the
// plan's verdicts and active paths give it, in the panel's own colours.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/text_format.h"
#include "plan/plan_colors.h"
#include "report/clock_tree.h"
#include "report/svg_writer.h"
#include "tests/report/svg_groups.h"

namespace qv {
namespace {

using test::SvgGroups;

std::string Fill(int rgb) { return FormatText("#%06X", rgb); }

PlanInputs Defaults() { return PlanInputsFromRegisters(DefaultRegisterImage(), BoardInputs{}); }

struct Expected {
  std::string id;
  std::string look;  // "active", "inactive", "warning", "fail"; for a link "link active" ...
};

struct Case {
  std::string name;
  std::function<void(PlanInputs&)> edit;
  int map;  // the map drawn
  std::vector<Expected> blocks;
};

TEST(ClockTree, BlocksTakeTheirLookFromThePlansVerdictsAndPaths) {
  const Case cases[] = {
      {"defaults",
       [](PlanInputs&) {},
       0,
       {{"crystal", "active"},
        {"refclk", "inactive"},
        {"refdiv", "inactive"},
        {"pfd", "active"},
        {"pll1", "active"},
        {"pll2", "active"},
        {"vco1", "active"},
        {"vco2", "active"},
        {"ssc", "inactive"},
        {"out0", "active"},
        {"out3-v", "active"},
        {"out3-d", "active"},
        {"link-refclk-refdiv", "link inactive"},
        {"link-pfd-pll2", "link active"}}},
      {"PLL1 N above its range",
       [](PlanInputs& in) { in.maps[0].pll1N = 120; },
       0,
       {{"pll1", "fail"}, {"vco1", "fail"}, {"pll2", "active"}, {"out0", "active"}}},
      {"PLL2 powered down",
       [](PlanInputs& in) { in.pllPowered[1] = false; },
       0,
       {{"pll2", "inactive"},
        {"vco2", "inactive"},
        {"out2", "inactive"},
        {"out2-v", "inactive"},
        {"out3-d", "inactive"},
        {"pll1", "active"},
        {"link-pfd-pll2", "link inactive"},
        {"link-vco2-out3-v", "link inactive"}}},
      {"OUT1 powered down",
       [](PlanInputs& in) { in.outputPowered[1] = false; },
       0,
       {{"out1", "inactive"},
        {"out1-d", "inactive"},
        {"out1-v", "inactive"},
        {"out0", "active"},
        {"link-out1-d-out1", "link inactive"}}},
      {"OUT1 on OUT0's VCO divider",
       [](PlanInputs& in) { in.sync[0] = true; },
       0,
       {{"out1-v", "inactive"},
        {"out1-d", "active"},
        {"out1", "active"},
        {"link-out0-v-out1-d", "link active"},
        {"link-out1-v-out1-d", "link inactive"}}},
      {"REFCLK divider on while the crystal is selected",
       [](PlanInputs& in) { in.refdiv = true; },
       0,
       {{"refdiv", "fail"}, {"refclk", "inactive"}, {"pfd", "active"}}},
      {"REFCLK too fast for the PFD",
       [](PlanInputs& in) {
         in.board.refsel = false;
         in.board.refclkHz = 40e6;
       },
       0,
       {{"pfd", "fail"}, {"refclk", "active"}, {"refdiv", "active"}, {"crystal", "inactive"}}},
      {"equal feedback dividers",
       [](PlanInputs& in) { in.maps[0].pll2N = in.maps[0].pll1N; },
       0,
       {{"pll1", "warning"}, {"pll2", "warning"}}},
      {"a downspread deeper than the warning",
       [](PlanInputs& in) {
         in.board.sscg = true;
         in.sdmPowered = true;
         in.maps[0].mod = 1000;
         in.fracstep = -6;
         in.numstep = 100;
         in.ckdiv = 4;
       },
       0,
       {{"ssc", "warning"}, {"link-ssc-pll2", "link active"}}},
      {"a CMOS output over its limit",
       [](PlanInputs& in) {
         in.formatCodes[1] = 3;
         in.maps[0].d[2] = 2;
       },
       0,
       {{"out2", "fail"}, {"out3", "active"}}},
      {"the map not in use drawn with its own failure",
       [](PlanInputs& in) { in.maps[1].pll1N = 130; },
       1,
       {{"vco1", "fail"}, {"out0", "active"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlanInputs inputs = Defaults();
    c.edit(inputs);
    const PlanEvaluation plan = EvaluatePlan(inputs);
    const std::string svg = report::SvgFile(report::ClockTreeScene(plan, c.map));
    const auto groups = SvgGroups(svg);
    for (const Expected& expected : c.blocks) {
      ASSERT_TRUE(groups.contains(expected.id)) << expected.id;
      const test::SvgGroup& group = groups.at(expected.id);
      if (expected.look.starts_with("link")) {
        EXPECT_EQ(group.classes, expected.look) << expected.id;
        continue;
      }
      EXPECT_EQ(group.classes, "block " + expected.look) << expected.id;
    }
    // Whatever the case, every block wears its look in the panel's colours, and
    // a red one says which of the plan's checks failed.
    const MapEvaluation& map = plan.maps[c.map];
    for (const auto& [id, group] : groups) {
      if (!group.Has("block")) continue;
      if (group.Has("fail")) {
        EXPECT_EQ(group.fill, Fill(VALIDATE_BAD_COLOR)) << id;
        bool named = false;
        for (const Check* failure : map.Failures()) {
          named = named || group.title.find(failure->Reason()) != std::string::npos;
        }
        EXPECT_TRUE(named) << id << ": " << group.title;
      } else if (group.Has("warning")) {
        EXPECT_EQ(group.fill, Fill(VALIDATE_WARNING_COLOR)) << id;
      } else if (group.Has("inactive")) {
        EXPECT_EQ(group.fill, Fill(DISABLED_COLOR)) << id;
      } else if (id != "refsel") {
        EXPECT_EQ(group.fill, Fill(VALIDATE_GOOD_COLOR)) << id;
      }
    }
    const bool inUse = c.map == plan.mapInUse;
    EXPECT_NE(svg.find(MapTitle(c.map) + (inUse ? ", in use" : ", not in use")), std::string::npos);
  }
}

}  // namespace
}  // namespace qv
