#pragma once
// The chip's 32 table registers read back, one bridge transfer each, in index
// order. Nothing in the program changes: the caller decides what to do with
// what the chip holds.

#include "chip/registers.h"

namespace qv {

struct ChipRegisterReading {
  RegisterImage registers{};  // what the chip holds, when every read worked
  int failedIndex = -1;       // the register whose read failed, or -1
  int result = 0;             // the bridge's negative result of that read

  bool ok() const { return failedIndex < 0; }
};

// Stops at the first read that fails: the rest would fail the same way, each
// after the adapter's time-out.
ChipRegisterReading ReadChipRegisters();

}  // namespace qv
