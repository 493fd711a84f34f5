#pragma once
// Fields of the register variables read and written through the chip's field
// catalogue, and the single bits read back: power states and flags. They
// always read the register variables, never the panel.

#include "chip/fields.h"

namespace qv {

int IsBitSet(int value, int bit);
int SetBitValue(int value, int bit, int on);

// A field's value as the register variables hold it, and a new value packed in.
int ReadField(const ChipField& field);
void WriteField(const ChipField& field, int value);
int ReadField(SharedField field);

int IsPll1Powered();
int IsPll2Powered();
int IsSdmPowered();
// Channel 0..2 as named; any other channel answers for OUT3.
int IsOutputPowered(int channel);
int IsRefOutPowered();

}  // namespace qv
