#pragma once
// The only road from the register model to the chip. Offline nothing is sent.

#include <chrono>
#include <functional>
#include <optional>

#include "chip/i2c_interface.h"

namespace qv {

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
void ClearTransferObservers();

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
int InitAcq(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);

}  // namespace qv
