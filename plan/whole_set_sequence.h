#pragma once
// What the chip receives when a whole register set is applied online
// (ApplyRegistersToPanel): every table register in index order, the look-ahead
// enable, one acquisition and its pause, then the output formats once more.
// Firmware that repeats these steps programs the chip as the tool does.

#include <vector>

#include "chip/registers.h"

namespace qv {

struct SequenceStep {
  enum class Kind { Register, LookAhead, Acquire, Pause, Formats };
  Kind kind = Kind::Register;
  unsigned address = 0;  // the chip address written; 0 for a pause
  int value = 0;         // the byte written
  int reg = -1;          // the table index of a register write, or -1
  double seconds = 0.0;  // how long a pause lasts
};

std::vector<SequenceStep> WholeSetSequence(const RegisterImage& registers);

}  // namespace qv
