#include "tools/sim/transfer_log.h"

#include <array>
#include <chrono>
#include <cstdio>

namespace qv::sim {

std::string formatTransfer(const Transfer& transfer) {
  const double seconds = std::chrono::duration<double>(transfer.at).count();
  const bool read = transfer.kind == TransferKind::read;
  std::array<char, 96> line{};
  if (!transfer.acknowledged) {
    std::snprintf(line.data(), line.size(),
                  "%9.3f s  %-5s  dev 0x%02X  reg 0x%02X    no acknowledge", seconds,
                  read ? "read" : "write", transfer.device, transfer.reg);
  } else {
    std::snprintf(line.data(), line.size(), "%9.3f s  %-5s  dev 0x%02X  reg 0x%02X %s 0x%02X",
                  seconds, read ? "read" : "write", transfer.device, transfer.reg,
                  read ? "->" : "<-", transfer.value);
  }
  return line.data();
}

std::string formatLog(std::span<const Transfer> log) {
  std::string text;
  for (const Transfer& transfer : log) text.append(formatTransfer(transfer)).append("\n");
  return text;
}

}  // namespace qv::sim
