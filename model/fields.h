#pragma once
// Single bits of the registers read back: power states and flags.
// They always read the register variables, never the panel.

namespace qv {

int IsBitSet(int value, int bit);
int SetBitValue(int value, int bit, int on);

int IsPll1Powered();
int IsPll2Powered();
int IsSdmPowered();
// Channel 0..2 as named; any other channel answers for OUT3.
int IsOutputPowered(int channel);
int IsRefOutPowered();

}  // namespace qv
