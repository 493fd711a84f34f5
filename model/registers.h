#pragma once
// The chip's 32 configurable registers: one program-wide variable each, and
// the table that orders them by I2C address with their power-on defaults.
// Only bits 7:0 reach the chip; BS1 may hold a negative step.

#include <array>
#include <string_view>

#include "chip/registers.h"

namespace qv {

inline int BP0 = 0, AF0 = 0, BF0 = 0, BF1 = 0, BF2 = 0, BF3 = 0, ABF0 = 0, X0 = 0;
inline int ADV0 = 0, ADV1 = 0, ADV2 = 0, BDV0 = 0, BDV1 = 0, BDV2 = 0;
inline int BS0 = 0, BS1 = 0, BS2 = 0, BS3 = 0;
inline int AM0 = 0, AM1 = 0, AM2 = 0, BM0 = 0, BM1 = 0, BM2 = 0, BM3 = 0, BM4 = 0, BM5 = 0;
inline int DR0 = 0, DR1 = 0, DR2 = 0, G0 = 0, C0 = 0;

struct RegisterRow {
  int* variable;
  unsigned address;
  unsigned defaultValue;
  std::string_view name;
};

inline constexpr std::array<int*, REGISTER_COUNT> kRegisterVariables{
    &BP0,  &AF0,  &BF0,  &BF1, &BF2, &BF3, &ABF0, &X0,  &ADV0, &ADV1, &ADV2,
    &BDV0, &BDV1, &BDV2, &BS0, &BS1, &BS2, &BS3,  &AM0, &AM1,  &AM2,  &BM0,
    &BM1,  &BM2,  &BM3,  &BM4, &BM5, &DR0, &DR1,  &DR2, &G0,   &C0,
};

// Each register variable with the chip's facts of its row.
inline constexpr std::array<RegisterRow, REGISTER_COUNT> RegisterTable = [] {
  std::array<RegisterRow, REGISTER_COUNT> table{};
  for (int i = 0; i < REGISTER_COUNT; ++i) {
    table[i] = {kRegisterVariables[i], kRegisters[i].address, kRegisters[i].defaultValue,
                kRegisters[i].name};
  }
  return table;
}();

// The register image of the last setup file read or written (or JSON export).
inline RegisterImage SetupImage{};

// The register variables as an image, and an image back into them.
RegisterImage CurrentRegisters();
void SetRegisters(const RegisterImage& image);

// Every register variable set to its default.
void LoadRegisterDefaults();

}  // namespace qv
