#pragma once
// The user-facing numbers behind the panel: dividers, fractional word and
// modulus of both frequency maps, sync flags, format codes and the
// spread-spectrum parameters. Map 1's variables carry the suffix _m.

#include <array>
#include <string_view>

namespace qv {

// Frequency map 0 (MARGIN low).
inline int pll1_n = 0, pll2_n = 0;
inline int out0_v = 0, out0_d = 0, out1_v = 0, out1_d = 0;
inline int out2_v = 0, out2_d = 0, out3_v = 0, out3_d = 0;
inline int frac = 0, mod = 0;

// Frequency map 1 (MARGIN high).
inline int pll1n_m = 0, pll2n_m = 0;
inline int out0v_m = 0, out0d_m = 0, out1v_m = 0, out1d_m = 0;
inline int out2v_m = 0, out2d_m = 0, out3v_m = 0, out3d_m = 0;
inline int frac_m = 0, mod_m = 0;

// Shared by both maps.
inline int refdiv = 0;
inline int sync1 = 0, sync2 = 0;
inline int OutputFormatPll1 = 0, OutputFormatPll2 = 0;
inline int fracstep = 0, numstep = 0, ckdiv = 0;

struct ValueVariable {
  int* variable;
  int startValue;
  std::string_view name;
  // The spread-spectrum parameters keep whatever they hold at start-up.
  bool keptAtStart = false;
};

// The register defaults decode to exactly these start values.
// clang-format off
inline constexpr std::array<ValueVariable, 32> ValueVariables{{
    {&pll1_n, 100, "pll1_n"},   {&pll2_n, 96, "pll2_n"},     {&out0_v, 4, "out0_v"},
    {&out0_d, 4, "out0_d"},     {&out1_v, 4, "out1_v"},      {&out1_d, 5, "out1_d"},
    {&out2_v, 4, "out2_v"},     {&out2_d, 6, "out2_d"},      {&out3_v, 4, "out3_v"},
    {&out3_d, 18, "out3_d"},    {&frac, 0, "frac"},          {&mod, 0, "mod"},
    {&pll1n_m, 100, "pll1n_m"}, {&pll2n_m, 102, "pll2n_m"},  {&out0v_m, 4, "out0v_m"},
    {&out0d_m, 4, "out0d_m"},   {&out1v_m, 4, "out1v_m"},    {&out1d_m, 5, "out1d_m"},
    {&out2v_m, 2, "out2v_m"},   {&out2d_m, 6, "out2d_m"},    {&out3v_m, 4, "out3v_m"},
    {&out3d_m, 6, "out3d_m"},   {&frac_m, 0, "frac_m"},      {&mod_m, 0, "mod_m"},
    {&refdiv, 0, "refdiv"},     {&sync1, 0, "sync1"},        {&sync2, 0, "sync2"},
    {&OutputFormatPll1, 0, "OutputFormatPll1"},              {&OutputFormatPll2, 0, "OutputFormatPll2"},
    {&fracstep, 0, "fracstep", true}, {&numstep, 0, "numstep", true}, {&ckdiv, 0, "ckdiv", true},
}};
// clang-format on

// Every value variable but the three spread-spectrum ones to its start value.
void SetValueVariablesToStartValues();

// Registers to their defaults and value variables to their start values;
// neither the chip, the panel nor the setup image is touched.
void InitVariables();

}  // namespace qv
