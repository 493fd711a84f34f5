#include "model/fields.h"
#include "model/value_variables.h"
#include "plan/frequency_engine.h"
#include "plan/frequency_maps.h"
#include "plan/plan_evaluation.h"
#include "plan/register_fields.h"

namespace qv {

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
