#pragma once
// How the report writes its numbers: frequencies in MHz with six decimals,
// margins and depths in percent and ppm, registers as 0xAA.

#include <string>

namespace qv::report {

std::string Mhz(double hz);  // "156.250000 MHz"
// A figure with so many decimals; "not defined" where a divider of 0 leaves none.
std::string FixedPoint(double value, int decimals);
std::string Percent(double percent, int decimals = 3);  // "-0.500 %"
std::string Ppm(double ppm);                            // "-5000 ppm"
std::string Hex(int byte);                              // "0x14"
std::string Binary(int byte);                           // "00010100"
std::string Microseconds(double seconds);               // "32.000 µs"
std::string Khz(double hz);                             // "31.250 kHz"

}  // namespace qv::report
