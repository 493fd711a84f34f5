// The panel's colours are the plan's verdicts: for every check of both maps,
// under many plans, the control that shows the check says what the check says.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chip/field_codec.h"
#include "files/panel/setup_file_loading.h"
#include "plan/panel/plan_inputs.h"
#include "plan/panel/validation.h"
#include "tests/plan/plan_fixture.h"

namespace qv {
namespace {

using PanelColours = test::PlanTest;

SetupContents Board(double refclkMhz = 25.0) {
  SetupContents setup;
  setup.registers = DefaultRegisterImage();
  setup.pins = {1, 0, 0, 0};
  setup.crystalIndex = 1;
  setup.externalRefclkMHz = refclkMhz;
  return setup;
}

void Set(SetupContents& s, SharedField field, int value) {
  codec::EncodeField(FieldOf(field), value, s.registers);
}
void Set(SetupContents& s, MapField field, int value) {
  for (int m = 0; m < MAP_COUNT; ++m) codec::EncodeField(FieldOf(m, field), value, s.registers);
}
void SpreadSpectrum(SetupContents& s, int step, int steps, int divider) {
  s.pins[2] = 1;
  Set(s, SharedField::SdmPowerDown, 0);
  Set(s, MapField::Mod, 1000);
  Set(s, SharedField::StepSize, step);
  Set(s, SharedField::StepCount, steps);
  Set(s, SharedField::ClockDivider, divider);
}

// Controls that belong to one map: grey while the other map is in use.
bool ShownPerMap(CheckKind kind) {
  switch (kind) {
    case CheckKind::Vco:
    case CheckKind::FeedbackDivider:
    case CheckKind::Output:
    case CheckKind::VcoDivider:
    case CheckKind::FractionalWord: return true;
    default: return false;
  }
}

TEST_F(PanelColours, EveryCheckOfBothMapsShowsItsVerdict) {
  struct Plan {
    const char* name;
    std::function<void(SetupContents&)> change;
  };
  const std::vector<Plan> plans = {
      {"the defaults", [](SetupContents&) {}},
      {"VCO1 and its N below range", [](SetupContents& s) { Set(s, MapField::Pll1N, 85); }},
      {"OUT0 above the LVPECL limit",
       [](SetupContents& s) { Set(s, MapField::V0, 2), Set(s, MapField::D0, 1); }},
      {"OUT3 above the CMOS limit",
       [](SetupContents& s) { Set(s, SharedField::Pll2Format, 2), Set(s, MapField::D3, 2); }},
      {"a VCO divider the chip does not run with",
       [](SetupContents& s) { Set(s, MapField::V1, 7); }},
      {"the REFCLK divider with the crystal",
       [](SetupContents& s) { Set(s, SharedField::RefDivider, 1); }},
      {"the PFD above its range",
       [](SetupContents& s) { s.pins[0] = 0, s.externalRefclkMHz = 28; }},
      {"spread spectrum out of its limits",
       [](SetupContents& s) { SpreadSpectrum(s, -50, 0, 1), Set(s, MapField::Frac, 1000); }},
      {"a deep downspread, equal Ns",
       [](SetupContents& s) { SpreadSpectrum(s, -6, 100, 4), Set(s, MapField::Pll2N, 100); }},
      {"PLL2 and OUT0 powered down, OUT1 synchronised",
       [](SetupContents& s) {
         Set(s, SharedField::Pll2PowerDown, 1), Set(s, SharedField::Out0PowerDown, 1);
         Set(s, SharedField::Pll1Sync, 1), Set(s, MapField::V0, 7);
       }},
  };
  for (const Plan& p : plans) {
    for (int margin = 0; margin < MAP_COUNT; ++margin) {
      SCOPED_TRACE(std::string(p.name) + ", MARGIN " + std::to_string(margin));
      SetupContents setup = Board();
      p.change(setup);
      setup.pins[1] = margin;
      ApplySetupContents(setup);
      const PlanEvaluation plan = EvaluatePlan(ReadPlanInputs());
      ASSERT_EQ(plan.mapInUse, margin);
      for (const MapEvaluation& map : plan.maps) {
        for (const Check& check : map.checks) {
          SCOPED_TRACE(check.Reason() + " (map " + std::to_string(map.map) + ")");
          const int control = ControlShowingCheck(check, map.map);
          if (!map.inUse) {
            if (ShownPerMap(check.kind)) {
              EXPECT_TRUE(Grey(control));
            }
            continue;
          }
          const Verdict verdict = check.verdict();
          switch (check.kind) {
            case CheckKind::Pfd:
            case CheckKind::SscSpan: EXPECT_EQ(Red(control), !check.withinLimits); break;
            case CheckKind::SscDepth:
              EXPECT_EQ(Bg(control) == VALIDATE_WARNING_COLOR, !check.withinLimits);
              break;
            case CheckKind::InjectionLock:
              EXPECT_EQ(Visible(control), verdict == Verdict::Warning);
              break;
            case CheckKind::VcoDivider:
            case CheckKind::RefclkDivider: EXPECT_EQ(Red(control), verdict == Verdict::Fail); break;
            default:
              EXPECT_EQ(Grey(control), verdict == Verdict::Inactive);
              EXPECT_EQ(Red(control), verdict == Verdict::Fail);
              EXPECT_EQ(White(control), verdict == Verdict::Pass);
          }
        }
        if (!map.inUse) continue;
        const auto anyFails = [&](CheckKind kind) {
          for (const Check* failure : map.Failures())
            if (failure->kind == kind) return true;
          return false;
        };
        EXPECT_EQ(Red(VCOS_VALID), anyFails(CheckKind::Vco));
        EXPECT_EQ(Red(NRANGE), anyFails(CheckKind::FeedbackDivider));
        EXPECT_EQ(Red(PFD_VALID), anyFails(CheckKind::Pfd));
        EXPECT_EQ(Red(FOUT_CMOS_VALID) || Red(FOUT_LV_VALID), anyFails(CheckKind::Output));
      }
    }
  }
}

}  // namespace
}  // namespace qv
