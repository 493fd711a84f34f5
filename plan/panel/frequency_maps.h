#pragma once
// The chip's two frequency maps on the panel: which value variables and panel
// controls make up each. Every computation that treats the maps alike walks
// this table instead of naming map 0 and map 1 twice; which registers hold
// them is the chip's field catalogue.

#include <array>

#include "chip/fields.h"
#include "model/value_variables.h"
#include "ui/panel_ids.h"

namespace qv {

// One output of one map.
struct OutputPath {
  int* v;
  int* d;
  int vControl;
  int dControl;
  int freqControl;
};

struct FrequencyMap {
  int* pll1N;
  int* pll2N;
  int* frac;
  int* mod;
  std::array<OutputPath, OUTPUT_COUNT> outputs;
  int pll1NControl;
  int pll2NControl;
  int fracControl;
  int modControl;
  int vco1Control;
  int vco2Control;
  int injectionLockLabel;
  int caption;  // "If MARGIN pin  is set LOW/HIGH"
  int box;
};

// clang-format off
inline constexpr std::array<FrequencyMap, MAP_COUNT> kFrequencyMaps{{
    {&pll1_n, &pll2_n, &frac, &mod,
     {{{&out0_v, &out0_d, OUT0V, OUT0D, Out0Freq},
       {&out1_v, &out1_d, OUT1V, OUT1D, Out1Freq},
       {&out2_v, &out2_d, OUT2V, OUT2D, Out2Freq},
       {&out3_v, &out3_d, OUT3V, OUT3D, Out3Freq}}},
     PLL1_N, PLL2_N, PLL2_FRAC, PLL2_MOD, VCO1FREQ, VCO2FREQ, LBL_INJLOCK,
     STRINGMARGINLOW, BOXMARGINLOW},
    {&pll1n_m, &pll2n_m, &frac_m, &mod_m,
     {{{&out0v_m, &out0d_m, OUT0V_M, OUT0D_M, OUT0FREQM},
       {&out1v_m, &out1d_m, OUT1V_M, OUT1D_M, OUT1FREQM},
       {&out2v_m, &out2d_m, OUT2V_M, OUT2D_M, OUT2FREQM},
       {&out3v_m, &out3d_m, OUT3V_M, OUT3D_M, OUT3FREQM}}},
     PLL1N_M, PLL2N_M, PLL2FRACM, PLL2MODM, VCO1FREQM, VCO2FREQM, LBL_INJLOCK_M,
     STRINGMARGINHIGH, BOXMARGINHIGH},
}};
// clang-format on

// The value variable and the control of one field of a map.
struct MapBinding {
  int* variable;
  int control;
};

constexpr MapBinding BindingOf(int map, MapField field) {
  const FrequencyMap& m = kFrequencyMaps[map];
  switch (field) {
    case MapField::Pll1N: return {m.pll1N, m.pll1NControl};
    case MapField::Pll2N: return {m.pll2N, m.pll2NControl};
    case MapField::Frac: return {m.frac, m.fracControl};
    case MapField::Mod: return {m.mod, m.modControl};
    default: {
      const int index = static_cast<int>(field) - static_cast<int>(MapField::V0);
      const OutputPath& out = m.outputs[index / 2];
      return index % 2 == 0 ? MapBinding{out.v, out.vControl} : MapBinding{out.d, out.dControl};
    }
  }
}

// The sync flag of each PLL, shared by both maps.
inline constexpr std::array<int*, PLL_COUNT> kSyncFlags{&sync1, &sync2};

// The map the MARGIN pin selects.
inline const FrequencyMap& MapInUse(int margin) { return kFrequencyMaps[margin != 0 ? 1 : 0]; }

}  // namespace qv
