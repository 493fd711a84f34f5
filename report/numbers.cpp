#include "report/numbers.h"

#include <cmath>

#include "base/text_format.h"

namespace qv::report {

std::string Mhz(double hz) { return FrequencyText(hz, 1e6, 6, "MHz"); }
std::string FixedPoint(double value, int decimals) {
  return std::isfinite(value) ? FormatText("%.*f", decimals, value) : FREQUENCY_NOT_DEFINED;
}
std::string Percent(double percent, int decimals) {
  return std::isfinite(percent) ? FormatText("%.*f %%", decimals, percent) : FREQUENCY_NOT_DEFINED;
}
std::string Ppm(double ppm) { return FormatText("%.0f ppm", ppm); }
std::string Hex(int byte) { return FormatText("0x%02X", byte & 0xFF); }

std::string Binary(int byte) {
  std::string bits;
  for (int bit = 7; bit >= 0; --bit) bits += (byte >> bit) & 1 ? '1' : '0';
  return bits;
}

std::string Microseconds(double seconds) { return FormatText("%.3f \u00b5s", seconds * 1e6); }
std::string Khz(double hz) { return FormatText("%.3f kHz", hz / 1e3); }

}  // namespace qv::report
