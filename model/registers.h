#pragma once
// The chip's 32 configurable registers: one program-wide variable each, and
// the table that orders them by I2C address with their power-on defaults.
// Only bits 7:0 reach the chip; BS1 may hold a negative step.

#include <array>
#include <string_view>

namespace qv {

inline int BP0 = 0, AF0 = 0, BF0 = 0, BF1 = 0, BF2 = 0, BF3 = 0, ABF0 = 0, X0 = 0;
inline int ADV0 = 0, ADV1 = 0, ADV2 = 0, BDV0 = 0, BDV1 = 0, BDV2 = 0;
inline int BS0 = 0, BS1 = 0, BS2 = 0, BS3 = 0;
inline int AM0 = 0, AM1 = 0, AM2 = 0, BM0 = 0, BM1 = 0, BM2 = 0, BM3 = 0, BM4 = 0, BM5 = 0;
inline int DR0 = 0, DR1 = 0, DR2 = 0, G0 = 0, C0 = 0;

// Row numbers of the register table: the index the write path, the setup file
// and the decoder use.
enum RegisterIndex : int {
  IDX_BP0, IDX_AF0, IDX_BF0, IDX_BF1, IDX_BF2, IDX_BF3, IDX_ABF0, IDX_X0,
  IDX_ADV0, IDX_ADV1, IDX_ADV2, IDX_BDV0, IDX_BDV1, IDX_BDV2,
  IDX_BS0, IDX_BS1, IDX_BS2, IDX_BS3,
  IDX_AM0, IDX_AM1, IDX_AM2, IDX_BM0, IDX_BM1, IDX_BM2, IDX_BM3, IDX_BM4, IDX_BM5,
  IDX_DR0, IDX_DR1, IDX_DR2, IDX_G0, IDX_C0,
};

inline constexpr int REGISTER_COUNT = 32;

struct RegisterRow {
  int* variable;
  unsigned address;
  unsigned defaultValue;
  std::string_view name;
};

inline constexpr std::array<RegisterRow, REGISTER_COUNT> RegisterTable{{
    {&BP0, 0x11, 0x00, "BP0"},   {&AF0, 0x18, 0x14, "AF0"},   {&BF0, 0x19, 0x00, "BF0"},
    {&BF1, 0x1A, 0x00, "BF1"},   {&BF2, 0x1B, 0x00, "BF2"},   {&BF3, 0x1C, 0x10, "BF3"},
    {&ABF0, 0x1D, 0xD0, "ABF0"}, {&X0, 0x1F, 0x00, "X0"},     {&ADV0, 0x22, 0x84, "ADV0"},
    {&ADV1, 0x23, 0x85, "ADV1"}, {&ADV2, 0x24, 0x00, "ADV2"}, {&BDV0, 0x25, 0x86, "BDV0"},
    {&BDV1, 0x26, 0x92, "BDV1"}, {&BDV2, 0x27, 0x00, "BDV2"}, {&BS0, 0x29, 0x80, "BS0"},
    {&BS1, 0x2A, 0x00, "BS1"},   {&BS2, 0x2B, 0x00, "BS2"},   {&BS3, 0x2C, 0x00, "BS3"},
    {&AM0, 0x30, 0x14, "AM0"},   {&AM1, 0x31, 0x84, "AM1"},   {&AM2, 0x32, 0x85, "AM2"},
    {&BM0, 0x33, 0x16, "BM0"},   {&BM1, 0x34, 0x00, "BM1"},   {&BM2, 0x35, 0x00, "BM2"},
    {&BM3, 0x36, 0x00, "BM3"},   {&BM4, 0x37, 0x86, "BM4"},   {&BM5, 0x38, 0x46, "BM5"},
    {&DR0, 0x39, 0x75, "DR0"},   {&DR1, 0x3A, 0x00, "DR1"},   {&DR2, 0x3B, 0x00, "DR2"},
    {&G0, 0x3D, 0x00, "G0"},     {&C0, 0x40, 0x00, "C0"},
}};

// The register image of the last setup file read or written (or JSON export).
inline std::array<int, REGISTER_COUNT> SetupImage{};

// Table index of an I2C register address, or -1 when it is not configurable.
constexpr int RegisterIndexOfAddress(unsigned address) {
  for (int i = 0; i < REGISTER_COUNT; ++i) {
    if (RegisterTable[i].address == address) return i;
  }
  return -1;
}

// Every register variable set to its default.
void LoadRegisterDefaults();

}  // namespace qv
