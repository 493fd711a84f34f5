#pragma once
// The chip's two frequency maps side by side: which value variables, register
// rows and panel controls make up each. Every computation that treats the maps
// alike walks this table instead of naming map 0 and map 1 twice.

#include <array>

#include "model/registers.h"
#include "model/value_variables.h"
#include "ui/panel_ids.h"

namespace qv {

inline constexpr int OUTPUT_COUNT = 4;
inline constexpr int MAP_COUNT = 2;

// One output of one map.
struct OutputPath {
  int* v;
  int* d;
  int reg;  // register index holding V (bits 7:5) and D (bits 4:0)
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
  // Register indices.
  int regPll1N;
  int regPll2N;
  int regFracHigh;   // fractional word bits 11:4
  int regFracModShared;  // fractional bits 3:0 above, modulus bits 11:8 below
  int regModLow;     // modulus bits 7:0
  // Controls.
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

// Map 1 keeps OUT3 in BM4 and OUT2 in BM5, the reverse of map 0's order.
inline constexpr std::array<FrequencyMap, MAP_COUNT> kFrequencyMaps{{
    {&pll1_n, &pll2_n, &frac, &mod,
     {{{&out0_v, &out0_d, IDX_ADV0, OUT0V, OUT0D, Out0Freq},
       {&out1_v, &out1_d, IDX_ADV1, OUT1V, OUT1D, Out1Freq},
       {&out2_v, &out2_d, IDX_BDV0, OUT2V, OUT2D, Out2Freq},
       {&out3_v, &out3_d, IDX_BDV1, OUT3V, OUT3D, Out3Freq}}},
     IDX_AF0, IDX_BF3, IDX_BF0, IDX_BF1, IDX_BF2,
     PLL1_N, PLL2_N, PLL2_FRAC, PLL2_MOD, VCO1FREQ, VCO2FREQ, LBL_INJLOCK,
     STRINGMARGINLOW, BOXMARGINLOW},
    {&pll1n_m, &pll2n_m, &frac_m, &mod_m,
     {{{&out0v_m, &out0d_m, IDX_AM1, OUT0V_M, OUT0D_M, OUT0FREQM},
       {&out1v_m, &out1d_m, IDX_AM2, OUT1V_M, OUT1D_M, OUT1FREQM},
       {&out2v_m, &out2d_m, IDX_BM5, OUT2V_M, OUT2D_M, OUT2FREQM},
       {&out3v_m, &out3d_m, IDX_BM4, OUT3V_M, OUT3D_M, OUT3FREQM}}},
     IDX_AM0, IDX_BM0, IDX_BM1, IDX_BM2, IDX_BM3,
     PLL1N_M, PLL2N_M, PLL2FRACM, PLL2MODM, VCO1FREQM, VCO2FREQM, LBL_INJLOCK_M,
     STRINGMARGINHIGH, BOXMARGINHIGH},
}};

// How the outputs hang off the two PLLs: OUT0/OUT1 from PLL1, OUT2/OUT3 from
// PLL2; with its PLL's sync flag set, the odd output uses the even one's V.
struct OutputWiring {
  int pll;         // 0 = PLL1, 1 = PLL2
  int syncSource;  // output whose V is used when synchronised; -1: none
  int* syncFlag;
};

inline constexpr std::array<OutputWiring, OUTPUT_COUNT> kOutputWiring{{
    {0, -1, nullptr},
    {0, 0, &sync1},
    {1, -1, nullptr},
    {1, 2, &sync2},
}};

// The map the MARGIN pin selects.
inline const FrequencyMap& MapInUse(int margin) { return kFrequencyMaps[margin != 0 ? 1 : 0]; }

}  // namespace qv
