#pragma once
// How the chip is reached on its bus: its address, the registers the tool
// writes besides the table's, and the acquisition that makes new dividers take
// effect. The write path sends these; the exports for firmware repeat them.

#include <array>

namespace qv {

inline constexpr int QV3380_I2C_ADDRESS = 0x80;
inline constexpr unsigned LOOK_AHEAD_REGISTER = 0x40;
inline constexpr unsigned ACQUIRE_PULSE_REGISTER = 0x1F;
inline constexpr unsigned CONNECTION_PROBE_REGISTER = 0x3F;
inline constexpr int ACQUIRE_SETTLE_MS = 250;
inline constexpr double ACQUIRE_SETTLE_SECONDS = ACQUIRE_SETTLE_MS / 1000.0;

// One byte sent to one chip address.
struct ChipWrite {
  unsigned address;
  int value;
};

// The acquisition: each block raises bit 7 of the first register, then drops
// bit 2 of the second; the chip then settles for ACQUIRE_SETTLE_SECONDS.
// clang-format off
inline constexpr std::array<ChipWrite, 8> kAcquireSequence{{
    {0x07, 0x42}, {0x07, 0xC2}, {0x03, 0x07}, {0x03, 0x03},
    {0x0F, 0x42}, {0x0F, 0xC2}, {0x0B, 0x07}, {0x0B, 0x03},
}};
// clang-format on

// C0 as the look-ahead enable leaves it: bit 1 set, nothing above bit 7.
constexpr int WithLookAheadEnabled(int c0) { return (c0 & 0xFD) + 2; }

}  // namespace qv
