#pragma once
// A QV3380 on the simulated I2C bus: 256 registers and a log of every transfer.

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace qv::sim {

inline constexpr std::uint8_t chipAddress = 0x80;
inline constexpr std::uint8_t idRegister = 0x3F;
inline constexpr std::uint8_t chipId = 0x38;

enum class TransferKind { read, write };

struct Transfer {
  std::chrono::steady_clock::duration at;  // since the chip was created
  TransferKind kind;
  std::uint8_t device;
  std::uint8_t reg;
  std::uint8_t value;  // read: what the chip answered; write: what it was sent
  bool acknowledged;   // false: no chip at that device address
};

// Reached from umockdev's worker thread and from the test or tool thread alike.
class Chip {
 public:
  Chip();

  // One bus transfer each; nullopt / false when the device address is not the chip's.
  std::optional<std::uint8_t> read(std::uint8_t device, std::uint8_t reg);
  bool write(std::uint8_t device, std::uint8_t reg, std::uint8_t value);

  // Direct register access for tests, not logged. The id register is read-only
  // on the bus but can be set here.
  std::uint8_t peek(std::uint8_t reg) const;
  void poke(std::uint8_t reg, std::uint8_t value);

  std::vector<Transfer> log() const;

 private:
  std::chrono::steady_clock::duration sinceStart() const;

  const std::chrono::steady_clock::time_point start_;
  mutable std::mutex mutex_;
  std::array<std::uint8_t, 256> registers_{};
  std::vector<Transfer> log_;
};

}  // namespace qv::sim
