#include "model/fields.h"

#include "model/registers.h"

namespace qv {

int IsBitSet(int value, int bit) { return (value & (1 << bit)) != 0 ? 1 : 0; }

int SetBitValue(int value, int bit, int on) {
  return on ? (value | (1 << bit)) : (value & ~(1 << bit));
}

// Power-down bits: 1 means the block is off.
int IsPll1Powered() { return !IsBitSet(G0, 3); }
int IsPll2Powered() { return !IsBitSet(G0, 2); }
int IsSdmPowered() { return !IsBitSet(ABF0, 4); }
int IsRefOutPowered() { return !IsBitSet(DR2, 0); }

int IsOutputPowered(int channel) {
  switch (channel) {
    case 0: return !IsBitSet(BP0, 0);
    case 1: return !IsBitSet(BP0, 1);
    case 2: return !IsBitSet(DR1, 6);
    default: return !IsBitSet(DR1, 7);
  }
}

}  // namespace qv
