#include "bridge/protocol.h"

#include <algorithm>

namespace qv::bridge {
namespace {

constexpr std::size_t reportIdByte = 0;
constexpr std::size_t commandByte = 1;
constexpr std::size_t deviceByte = 2;
constexpr std::size_t registerByte = 3;
constexpr std::size_t dataByte = 4;
constexpr std::uint8_t reportId = 0x00;
constexpr std::uint8_t readMarker = 0x01;

// Bytes 0 to 4 exist in every report, whatever a descriptor claims.
constexpr std::size_t protocolBytes = 5;

std::size_t withIdByte(std::size_t declared, bool numbered) {
  return std::max(numbered ? declared : declared + 1, protocolBytes);
}

}  // namespace

std::vector<std::uint8_t> commandReport(const ReportLengths& lengths, Command command,
                                        std::uint8_t device, std::uint8_t reg, std::uint8_t data) {
  std::vector<std::uint8_t> report(withIdByte(lengths.output, lengths.numbered), 0);
  report[reportIdByte] = reportId;
  report[commandByte] = static_cast<std::uint8_t>(command);
  report[deviceByte] = device;
  report[registerByte] = reg;
  report[dataByte] = command == Command::read ? readMarker : data;
  return report;
}

std::vector<std::uint8_t> replyBuffer(const ReportLengths& lengths) {
  return std::vector<std::uint8_t>(withIdByte(lengths.input, lengths.numbered), 0);
}

std::span<std::uint8_t> readTarget(std::span<std::uint8_t> reply, bool numbered) {
  return numbered ? reply : reply.subspan(1);
}

int replyResult(Command command, std::span<const std::uint8_t> reply, std::size_t valid) {
  // A reply too short to carry the status confirms nothing.
  if (valid <= statusByte || reply.size() <= statusByte) return HIDBRIDGE_NO_REPLY;
  if (reply[statusByte] != 0) return HIDBRIDGE_ADAPTER_ERROR;
  if (command == Command::write) return HIDBRIDGE_DONE;
  return reply[valueByte];
}

}  // namespace qv::bridge
