#include "tools/sim/chip.h"

namespace qv::sim {

Chip::Chip() : start_(std::chrono::steady_clock::now()) { registers_[idRegister] = chipId; }

std::chrono::steady_clock::duration Chip::sinceStart() const {
  return std::chrono::steady_clock::now() - start_;
}

std::optional<std::uint8_t> Chip::read(std::uint8_t device, std::uint8_t reg) {
  const std::scoped_lock lock(mutex_);
  const bool acknowledged = device == chipAddress;
  const std::uint8_t value = acknowledged ? registers_[reg] : 0;
  log_.push_back({sinceStart(), TransferKind::read, device, reg, value, acknowledged});
  if (!acknowledged) return std::nullopt;
  return value;
}

bool Chip::write(std::uint8_t device, std::uint8_t reg, std::uint8_t value) {
  const std::scoped_lock lock(mutex_);
  const bool acknowledged = device == chipAddress;
  if (acknowledged && reg != idRegister) registers_[reg] = value;
  log_.push_back({sinceStart(), TransferKind::write, device, reg, value, acknowledged});
  return acknowledged;
}

std::uint8_t Chip::peek(std::uint8_t reg) const {
  const std::scoped_lock lock(mutex_);
  return registers_[reg];
}

void Chip::poke(std::uint8_t reg, std::uint8_t value) {
  const std::scoped_lock lock(mutex_);
  registers_[reg] = value;
}

std::vector<Transfer> Chip::log() const {
  const std::scoped_lock lock(mutex_);
  return log_;
}

}  // namespace qv::sim
