#pragma once
// Where each editable control's value lives in the registers: the table the
// handlers encode with, the decoder inverts and the tooltips describe.

#include <array>
#include <span>

#include "model/registers.h"

namespace qv {

enum class FieldKind {
  FeedbackN,       // bits 5:0 = N - 80
  VcoDivider,      // bits 7:5
  OutputDivider,   // bits 4:0, 32 stored as 0
  FractionalWord,  // two registers: bits 11:4, then bits 3:0 in the upper nibble
  Modulus,         // two registers: bits 11:8 in the lower nibble, then bits 7:0
  RefDivider,      // G0 bit 1
};

struct RegisterField {
  int control;
  int* variable;
  FieldKind kind;
  int reg;
  int secondReg;  // for the 12-bit fields, else -1
  int map;        // 0 or 1; -1 when shared by both maps
};

// One row per divider control of both maps, plus the reference divider.
std::span<const RegisterField> RegisterFields();
const RegisterField* FindRegisterField(int control);

// A switch drives one or two single bits; "on" is the value 1 exactly.
struct SwitchBit {
  int reg;
  int bit;
  bool setWhenOn;  // power-down bits are set when the switch is off
};

struct SwitchField {
  int control;
  std::array<SwitchBit, 2> bits;
  int bitCount;
  int* variable;  // sync switches keep their state in a value variable
  bool recompute;
};

std::span<const SwitchField> SwitchFields();
const SwitchField* FindSwitchField(int control);

}  // namespace qv
