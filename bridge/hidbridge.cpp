#include "bridge/hidbridge.h"

#include "bridge/transfer.h"

using qv::bridge::Command;

// Nothing may unwind into a C caller: any exception ends the call as unconfirmed.

int readi2c(unsigned char deviceAddress, unsigned char registerAddress) {
  try {
    return qv::bridge::transfer(Command::read, deviceAddress, registerAddress, 0);
  } catch (...) {
    return HIDBRIDGE_NO_REPLY;
  }
}

int writei2c(unsigned char deviceAddress, unsigned char registerAddress, unsigned short value) {
  try {
    // Only the low byte travels.
    return qv::bridge::transfer(Command::write, deviceAddress, registerAddress,
                                static_cast<std::uint8_t>(value & 0xFF));
  } catch (...) {
    return HIDBRIDGE_NO_REPLY;
  }
}
