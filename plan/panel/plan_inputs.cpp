#include "plan/panel/plan_inputs.h"

#include <string>

#include "base/decimal_number.h"
#include "model/fields.h"
#include "model/program_state.h"
#include "model/value_variables.h"
#include "plan/panel/frequency_maps.h"
#include "plan/refclk.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

int ReadRing(int control) {
  int value = 0;
  GetCtrlVal(panelHandle, control, &value);
  return value;
}

}  // namespace

int GetRefselPin() { return ReadRing(REFSEL); }
int GetMarginPin() { return ReadRing(MARGIN); }
int GetSscgPin() { return ReadRing(SSCG); }
int GetMaxBwPin() { return ReadRing(MAXBW); }
int GetCrystalIndex() { return ReadRing(CrystalFreq); }

double GetCrystalFrequency() { return CrystalFrequency(GetCrystalIndex()); }

double GetExternalRefclkFrequency() {
  std::string text;
  GetCtrlVal(panelHandle, REFFREQ, &text);
  const std::optional<DecimalPrefix> mhz = LeadingDecimal(text);
  return mhz ? mhz->value * 1e6 : 0.0;
}

double GetPfdFrequency() {
  BoardInputs board;
  board.refsel = GetRefselPin() == 1;
  board.crystalIndex = GetCrystalIndex();
  board.refclkHz = GetExternalRefclkFrequency();
  return PfdFrequency(board, refdiv != 0);
}

void InstallRefclkTextRule() { SetCtrlTextRule(panelHandle, REFFREQ, RefclkTextRule); }

PlanInputs ReadPlanInputs() {
  PlanInputs in;
  in.board = {GetRefselPin() != 0, GetMarginPin() != 0, GetSscgPin() != 0,
              GetMaxBwPin() != 0,  GetCrystalIndex(),   GetExternalRefclkFrequency()};
  in.refdiv = refdiv != 0;
  for (int m = 0; m < MAP_COUNT; ++m) {
    const FrequencyMap& map = kFrequencyMaps[m];
    MapSettings& settings = in.maps[m];
    settings.pll1N = *map.pll1N;
    settings.pll2N = *map.pll2N;
    settings.frac = *map.frac;
    settings.mod = *map.mod;
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      settings.v[k] = *map.outputs[k].v;
      settings.d[k] = *map.outputs[k].d;
    }
  }
  for (int pll = 0; pll < PLL_COUNT; ++pll) {
    in.sync[pll] = *kSyncFlags[pll] != 0;
    in.formatCodes[pll] = ReadField(kPlls[pll].format);
    in.pllPowered[pll] = ReadField(kPlls[pll].powerDown) == 0;
  }
  for (int k = 0; k < OUTPUT_COUNT; ++k) in.outputPowered[k] = IsOutputPowered(k) != 0;
  in.sdmPowered = IsSdmPowered() != 0;
  in.fracstep = fracstep;
  in.numstep = numstep;
  in.ckdiv = ckdiv;
  return in;
}

}  // namespace qv
