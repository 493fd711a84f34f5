#include "plan/whole_set_sequence.h"

#include "chip/i2c_interface.h"

namespace qv {

std::vector<SequenceStep> WholeSetSequence(const RegisterImage& registers) {
  using K = SequenceStep::Kind;
  const auto byte = [&](int index) { return registers[index] & 0xFF; };
  std::vector<SequenceStep> steps;
  steps.reserve(REGISTER_COUNT + kAcquireSequence.size() + 3);
  for (int index = 0; index < REGISTER_COUNT; ++index) {
    steps.push_back({K::Register, kRegisters[index].address, byte(index), index});
  }
  steps.push_back({K::LookAhead, LOOK_AHEAD_REGISTER, WithLookAheadEnabled(byte(IDX_C0)) & 0xFF});
  for (const ChipWrite& write : kAcquireSequence) {
    steps.push_back({K::Acquire, write.address, write.value});
  }
  steps.push_back({K::Pause, 0, 0, -1, ACQUIRE_SETTLE_SECONDS});
  // Decoding rebuilds DR1's format bits from the codes it read there: the same byte.
  steps.push_back({K::Formats, kRegisters[IDX_DR1].address, byte(IDX_DR1), IDX_DR1});
  return steps;
}

}  // namespace qv
