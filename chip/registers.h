#pragma once
// The QV3380's 32 configurable registers as the chip defines them: their order
// (the register index every layer uses), I2C address, power-on default and name.

#include <array>
#include <string_view>

namespace qv {

// clang-format off
enum RegisterIndex : int {
  IDX_BP0, IDX_AF0, IDX_BF0, IDX_BF1, IDX_BF2, IDX_BF3, IDX_ABF0, IDX_X0,
  IDX_ADV0, IDX_ADV1, IDX_ADV2, IDX_BDV0, IDX_BDV1, IDX_BDV2,
  IDX_BS0, IDX_BS1, IDX_BS2, IDX_BS3,
  IDX_AM0, IDX_AM1, IDX_AM2, IDX_BM0, IDX_BM1, IDX_BM2, IDX_BM3, IDX_BM4, IDX_BM5,
  IDX_DR0, IDX_DR1, IDX_DR2, IDX_G0, IDX_C0,
};
// clang-format on

inline constexpr int REGISTER_COUNT = 32;

// All 32 register bytes in index order.
using RegisterImage = std::array<int, REGISTER_COUNT>;

struct RegisterFacts {
  unsigned address;
  unsigned defaultValue;
  std::string_view name;
};

inline constexpr std::array<RegisterFacts, REGISTER_COUNT> kRegisters{{
    {0x11, 0x00, "BP0"},  {0x18, 0x14, "AF0"},  {0x19, 0x00, "BF0"},  {0x1A, 0x00, "BF1"},
    {0x1B, 0x00, "BF2"},  {0x1C, 0x10, "BF3"},  {0x1D, 0xD0, "ABF0"}, {0x1F, 0x00, "X0"},
    {0x22, 0x84, "ADV0"}, {0x23, 0x85, "ADV1"}, {0x24, 0x00, "ADV2"}, {0x25, 0x86, "BDV0"},
    {0x26, 0x92, "BDV1"}, {0x27, 0x00, "BDV2"}, {0x29, 0x80, "BS0"},  {0x2A, 0x00, "BS1"},
    {0x2B, 0x00, "BS2"},  {0x2C, 0x00, "BS3"},  {0x30, 0x14, "AM0"},  {0x31, 0x84, "AM1"},
    {0x32, 0x85, "AM2"},  {0x33, 0x16, "BM0"},  {0x34, 0x00, "BM1"},  {0x35, 0x00, "BM2"},
    {0x36, 0x00, "BM3"},  {0x37, 0x86, "BM4"},  {0x38, 0x46, "BM5"},  {0x39, 0x75, "DR0"},
    {0x3A, 0x00, "DR1"},  {0x3B, 0x00, "DR2"},  {0x3D, 0x00, "G0"},   {0x40, 0x00, "C0"},
}};

// Table index of an I2C register address, or -1 when it is not configurable.
constexpr int RegisterIndexOfAddress(unsigned address) {
  for (int i = 0; i < REGISTER_COUNT; ++i) {
    if (kRegisters[i].address == address) return i;
  }
  return -1;
}

constexpr RegisterImage DefaultRegisterImage() {
  RegisterImage image{};
  for (int i = 0; i < REGISTER_COUNT; ++i) image[i] = static_cast<int>(kRegisters[i].defaultValue);
  return image;
}

}  // namespace qv
