#pragma once
// The chip's transfer log as text, one transfer a line.

#include <span>
#include <string>

#include "tools/sim/chip.h"

namespace qv::sim {

// "    0.052 s  write  dev 0x80  reg 0x10 <- 0xFF"
std::string formatTransfer(const Transfer& transfer);
std::string formatLog(std::span<const Transfer> log);

}  // namespace qv::sim
