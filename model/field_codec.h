#pragma once
// How each user-facing number sits in its register bits, both ways. The
// encoders take the register's old value and keep the bits outside the field;
// every new field is masked to its width first, so a stray value cannot spill
// into a neighbouring field.

namespace qv::codec {

inline constexpr int N_OFFSET = 80;

// Feedback divider N: bits 5:0 hold N - 80.
constexpr int EncodeN(int reg, int n) { return (reg & 0xC0) + ((n - N_OFFSET) & 0x3F); }
constexpr int DecodeN(int reg) { return (reg & 0x3F) + N_OFFSET; }

// VCO divider V: bits 7:5.
constexpr int EncodeV(int reg, int v) { return (reg & 0x1F) + ((v & 0x07) << 5); }
constexpr int DecodeV(int reg) { return (reg & 0xE0) >> 5; }

// Output divider D: bits 4:0, 32 stored as 0.
constexpr int EncodeD(int reg, int d) { return (reg & 0xE0) + (d == 32 ? 0 : (d & 0x1F)); }
constexpr int DecodeD(int reg) { return (reg & 0x1F) == 0 ? 32 : (reg & 0x1F); }

// Fractional word (12 bits): bits 11:4 in the first register, bits 3:0 in the
// upper nibble of the second, whose lower nibble belongs to the modulus.
constexpr int EncodeFracHigh(int frac) { return (frac >> 4) & 0xFF; }
constexpr int EncodeFracLow(int shared, int frac) { return (shared & 0x0F) + ((frac & 0x0F) << 4); }
constexpr int DecodeFrac(int high, int shared) { return ((high & 0xFF) << 4) | ((shared & 0xF0) >> 4); }

// Modulus (12 bits): bits 11:8 in the lower nibble of the shared register,
// bits 7:0 in the next.
constexpr int EncodeModHigh(int shared, int mod) { return (shared & 0xF0) + ((mod >> 8) & 0x0F); }
constexpr int EncodeModLow(int mod) { return mod & 0xFF; }
constexpr int DecodeMod(int shared, int low) { return ((shared & 0x0F) << 8) | (low & 0xFF); }

// Spread spectrum: 9-bit step count split over BS2 and BS3 bit 7, the clock
// divider in BS3 bits 6:0, the signed step size as the whole of BS1.
constexpr int EncodeNumStepHigh(int numstep) { return (numstep / 2) & 0xFF; }
constexpr int EncodeNumStepLowAndCkDiv(int numstep, int ckdiv) {
  return (numstep % 2 != 0 ? 0x80 : 0) + (ckdiv & 0x7F);
}
constexpr int DecodeNumStep(int bs2, int bs3) { return ((bs2 & 0xFF) << 1) | ((bs3 & 0x80) >> 7); }
constexpr int DecodeCkDiv(int bs3) { return bs3 & 0x7F; }
constexpr int DecodeSignedByte(int reg) {
  return (reg & 0x80) != 0 ? (reg & 0xFF) - 0x100 : (reg & 0xFF);
}

// Output format codes in DR1: PLL1 pair bits 2:0, PLL2 pair bits 5:3.
constexpr int DecodeFormatPll1(int dr1) { return dr1 & 0x07; }
constexpr int DecodeFormatPll2(int dr1) { return (dr1 & 0x38) >> 3; }

}  // namespace qv::codec
