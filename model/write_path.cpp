#include "model/write_path.h"

#include <utility>

#include "base/listeners.h"
#include "base/trace.h"

#include "bridge/hidbridge.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

Listeners<const Transfer&>& Observers() {
  static Listeners<const Transfer&> observers;
  return observers;
}

// The bridge header's name for a result; a read's value has none.
const char* BridgeResultName(Transfer::Kind kind, int result) {
  switch (result) {
    case HIDBRIDGE_DONE: return kind == Transfer::Kind::Write ? " HIDBRIDGE_DONE" : "";
    case HIDBRIDGE_NO_REPLY: return " HIDBRIDGE_NO_REPLY";
    case HIDBRIDGE_NO_ADAPTER: return " HIDBRIDGE_NO_ADAPTER";
    case HIDBRIDGE_ADAPTER_ERROR: return " HIDBRIDGE_ADAPTER_ERROR";
    default: return "";
  }
}

void TraceTransfer(const Transfer& transfer) {
  const bool write = transfer.kind == Transfer::Kind::Write;
  if (!write && transfer.Failed()) {
    Trace(TRACE_TRANSFER, "read register 0x%02X result %d%s", transfer.address, transfer.result,
          BridgeResultName(transfer.kind, transfer.result));
    return;
  }
  Trace(TRACE_TRANSFER, "%s register 0x%02X value 0x%02X result %d%s", write ? "write" : "read",
        transfer.address, static_cast<unsigned>(transfer.value), transfer.result,
        BridgeResultName(transfer.kind, transfer.result));
}

int Publish(Transfer::Kind kind, unsigned address, int value, int result) {
  const Transfer transfer{std::chrono::system_clock::now(), kind, address & 0xFF,
                          kind == Transfer::Kind::Write ? value & 0xFF : (result >= 0 ? result : 0),
                          result};
  if (TraceOn()) TraceTransfer(transfer);
  Observers().Tell(transfer);
  return result;
}

// Shows the user the program is busy for as long as a chip exchange lasts.
class BusyScope {
 public:
  BusyScope() { SetWaitCursor(1); }
  ~BusyScope() { SetWaitCursor(0); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

}  // namespace

int AddTransferObserver(TransferObserver observer) { return Observers().Add(std::move(observer)); }
void RemoveTransferObserver(int id) { Observers().Remove(id); }
void ClearTransferObservers() { Observers().Clear(); }

TransferTally::TransferTally()
    : observer_(AddTransferObserver([this](const Transfer& transfer) {
        ++transfers_;
        if (!transfer.Failed()) {
          ++reached_;
        } else if (!firstFailure_) {
          firstFailure_ = transfer;
        }
      })) {}

TransferTally::~TransferTally() { RemoveTransferObserver(observer_); }

// The windows stay painted while the bridge blocks, and the user's actions wait.
int WriteChipByte(unsigned registerAddress, int value) {
  BusyScope busy;
  const int result = RunBlockingCall([=] {
    return writei2c(QV3380_I2C_ADDRESS, static_cast<unsigned char>(registerAddress),
                    static_cast<unsigned short>(value & 0xFFFF));
  });
  return Publish(Transfer::Kind::Write, registerAddress, value, result);
}

int ReadChipByte(unsigned registerAddress) {
  BusyScope busy;
  const int result = RunBlockingCall(
      [=] { return readi2c(QV3380_I2C_ADDRESS, static_cast<unsigned char>(registerAddress)); });
  return Publish(Transfer::Kind::Read, registerAddress, 0, result);
}

void WriteRegister(int index, int enableLookAheads, int acquire) {
  if (OpMode == OPMODE_OFFLINE || index < 0 || index >= REGISTER_COUNT) return;
  BusyScope busy;
  if (enableLookAheads) QV3380_EnableLookAheads();
  const RegisterRow& row = RegisterTable[index];
  WriteChipByte(row.address, *row.variable);
  if (acquire) QV3380_Acquire();
}

void QV3380_EnableLookAheads() {
  if (OpMode == OPMODE_OFFLINE) return;
  C0 = WithLookAheadEnabled(C0);
  WriteChipByte(LOOK_AHEAD_REGISTER, C0);
}

void QV3380_Acquire() {
  if (OpMode == OPMODE_OFFLINE) return;
  BusyScope busy;
  for (const ChipWrite& write : kAcquireSequence) WriteChipByte(write.address, write.value);
  Delay(ACQUIRE_SETTLE_SECONDS);
}

int InitAcq(int, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  BusyScope busy;
  QV3380_EnableLookAheads();
  // The button is only enabled online, so these two need no mode check.
  WriteChipByte(ACQUIRE_PULSE_REGISTER, 1);
  Delay(ACQUIRE_SETTLE_SECONDS);
  WriteChipByte(ACQUIRE_PULSE_REGISTER, 0);
  Delay(ACQUIRE_SETTLE_SECONDS);
  return 0;
}

}  // namespace qv
