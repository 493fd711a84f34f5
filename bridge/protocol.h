#pragma once
// The adapter's command and reply reports.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "bridge/hidbridge.h"
#include "bridge/report_descriptor.h"

namespace qv::bridge {

enum class Command : std::uint8_t { read = 0x01, write = 0x02 };

// What a full-speed HID adapter carries when its descriptor cannot be read.
inline constexpr ReportLengths fallbackLengths{64, 64, false};

// Report buffers below use the protocol's numbering: byte 0 is the report ID,
// 1 the command or value, 2 the device, 3 the register, 4 data or status.
inline constexpr std::size_t valueByte = 1;
inline constexpr std::size_t statusByte = 4;

// The command report, as long as the declared output report plus its ID byte
// (hidraw wants the leading ID even for unnumbered reports); the rest is 0.
std::vector<std::uint8_t> commandReport(const ReportLengths& lengths, Command command,
                                        std::uint8_t device, std::uint8_t reg, std::uint8_t data);

// A zeroed buffer for one reply, ID byte included.
std::vector<std::uint8_t> replyBuffer(const ReportLengths& lengths);

// Where hid_read has to put the input report so that reply[k] is protocol byte k.
// hidraw hands an unnumbered report over without its ID byte: it goes in at
// reply[1] behind a 0, so the value the adapter sends first lands in reply[1]
// and its fourth byte, the status, in reply[4]. A numbered report keeps its ID
// and goes in at reply[0].
std::span<std::uint8_t> readTarget(std::span<std::uint8_t> reply, bool numbered);

// Result of a reply whose first `valid` protocol bytes were received: the register
// value (read), HIDBRIDGE_DONE (write) or a negative HidBridgeResult.
int replyResult(Command command, std::span<const std::uint8_t> reply, std::size_t valid);

}  // namespace qv::bridge
