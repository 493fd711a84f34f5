#pragma once
// The program started offline (or online), driven as the user drives it.

#include "plan/plan_colors.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_ids.h"

namespace qv::test {

class PlanTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    StartOffline();
  }
  int Bg(int control) const { return Attribute(control, ATTR_TEXT_BGCOLOR); }
  bool Visible(int control) const { return Attribute(control, ATTR_VISIBLE) != 0; }
  bool Red(int control) const { return Bg(control) == VALIDATE_BAD_COLOR; }
  bool Grey(int control) const { return Bg(control) == DISABLED_COLOR; }
  bool White(int control) const { return Bg(control) == VALIDATE_GOOD_COLOR; }
  void UseRefclk(const char* mhz, int divider) {
    ASSERT_EQ(Commit(REFSEL, 0), UIE_NO_ERROR);
    ASSERT_EQ(CommitText(REFFREQ, mhz), UIE_NO_ERROR);
    ASSERT_EQ(Commit(REFDIV, divider), UIE_NO_ERROR);
  }
  // PLL2 with its modulator on and a modulus in the map MARGIN selects.
  void EnableSpreadSpectrum(int modulus) {
    ASSERT_EQ(Commit(BLEEDSDM, 1), UIE_NO_ERROR);
    ASSERT_EQ(Commit(SSCG, 1), UIE_NO_ERROR);
    ASSERT_EQ(Commit(Value(MARGIN) ? PLL2MODM : PLL2_MOD, modulus), UIE_NO_ERROR);
  }
};

}  // namespace qv::test
