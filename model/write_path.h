#pragma once
// The only road from the register model to the chip. Offline nothing is sent.

#include <array>
#include <chrono>
#include <functional>
#include <optional>

namespace qv {

inline constexpr int QV3380_I2C_ADDRESS = 0x80;
inline constexpr unsigned LOOK_AHEAD_REGISTER = 0x40;
inline constexpr unsigned ACQUIRE_PULSE_REGISTER = 0x1F;
inline constexpr unsigned CONNECTION_PROBE_REGISTER = 0x3F;
inline constexpr double ACQUIRE_SETTLE_SECONDS = 0.25;

// One byte sent to one chip address.
struct ChipWrite {
  unsigned address;
  int value;
};

// The acquisition: each block raises bit 7 of the first register, then drops
// bit 2 of the second; the chip then settles for ACQUIRE_SETTLE_SECONDS.
inline constexpr std::array<ChipWrite, 8> kAcquireSequence{{
    {0x07, 0x42}, {0x07, 0xC2}, {0x03, 0x07}, {0x03, 0x03},
    {0x0F, 0x42}, {0x0F, 0xC2}, {0x0B, 0x07}, {0x0B, 0x03},
}};

// C0 as the look-ahead enable leaves it: bit 1 set, nothing above bit 7.
constexpr int WithLookAheadEnabled(int c0) { return (c0 & 0xFD) + 2; }

// Sends the register at a table index; look-ahead first and acquisition after
// when the flags are not 0.
void WriteRegister(int index, int enableLookAheads, int acquire);
void QV3380_EnableLookAheads();
void QV3380_Acquire();

// One transfer with the chip through the bridge; every transfer is published.
int WriteChipByte(unsigned registerAddress, int value);
int ReadChipByte(unsigned registerAddress);

// What the chip was sent or asked, and how it went. The write path's callers
// ignore results; observers are how anyone learns them.
struct Transfer {
  enum class Kind { Write, Read };
  std::chrono::system_clock::time_point time;
  Kind kind = Kind::Write;
  unsigned address = 0;
  int value = 0;   // the byte written, or the byte read
  int result = 0;  // the bridge's result: negative when the transfer failed
  bool Failed() const { return result < 0; }
};

using TransferObserver = std::function<void(const Transfer&)>;
// Returns an id for RemoveTransferObserver.
int AddTransferObserver(TransferObserver observer);
void RemoveTransferObserver(int id);

// Counts the transfers made while it lives: how many reached the chip, and the
// first that did not.
class TransferTally {
 public:
  TransferTally();
  ~TransferTally();
  TransferTally(const TransferTally&) = delete;
  TransferTally& operator=(const TransferTally&) = delete;

  int transfers() const { return transfers_; }
  int reached() const { return reached_; }
  const std::optional<Transfer>& firstFailure() const { return firstFailure_; }

 private:
  int observer_;
  int transfers_ = 0;
  int reached_ = 0;
  std::optional<Transfer> firstFailure_;
};

// Button "Acquire".
int InitAcq(int panel, int control, int event, void* callbackData, int eventData1,
            int eventData2);

}  // namespace qv
