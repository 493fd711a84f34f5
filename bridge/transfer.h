#pragma once
// One complete register transfer through the adapter.

#include <cstdint>

#include "bridge/protocol.h"

namespace qv::bridge {

// Finds and opens the adapter, sends one command, reads one reply, closes.
// Returns the register value (read), HIDBRIDGE_DONE (write) or a negative HidBridgeResult.
int transfer(Command command, std::uint8_t device, std::uint8_t reg, std::uint8_t data);

}  // namespace qv::bridge
