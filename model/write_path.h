#pragma once
// The only road from the register model to the chip. Offline nothing is sent.

namespace qv {

inline constexpr int QV3380_I2C_ADDRESS = 0x80;
inline constexpr unsigned LOOK_AHEAD_REGISTER = 0x40;
inline constexpr unsigned ACQUIRE_PULSE_REGISTER = 0x1F;
inline constexpr unsigned CONNECTION_PROBE_REGISTER = 0x3F;
inline constexpr double ACQUIRE_SETTLE_SECONDS = 0.25;

// Sends the register at a table index; look-ahead first and acquisition after
// when the flags are not 0.
void WriteRegister(int index, int enableLookAheads, int acquire);
void QV3380_EnableLookAheads();
void QV3380_Acquire();

// One transfer to the chip, remembered for the write-failure note.
int WriteChipByte(unsigned registerAddress, int value);
int ReadChipByte(unsigned registerAddress);

// The result of the most recent write to the chip: 0 when it worked, a
// negative bridge code when it did not. Callers ignore write results; this is
// what lets the panel say that the chip did not take a change.
inline int LastTransferResult = 0;
// Told after each write.
using TransferListener = void (*)(int result);
void SetTransferListener(TransferListener listener);

// Button "Acquire".
int InitAcq(int panel, int control, int event, void* callbackData, int eventData1,
            int eventData2);

}  // namespace qv
