#include "plan/refclk.h"

#include <cmath>

#include "base/decimal_number.h"
#include "base/text_format.h"

namespace qv {

std::optional<double> ParseRefclkMhz(std::string_view text) {
  const std::optional<double> mhz = WholeDecimal(text);
  if (!mhz || std::signbit(*mhz) || !(*mhz <= REFCLK_MAX_MHZ)) return std::nullopt;
  return mhz;
}

std::string RefclkTextRule(std::string_view text) {
  if (ParseRefclkMhz(text)) return "";
  return FormatText("a decimal number of MHz from 0 to %g, such as 19.44", REFCLK_MAX_MHZ);
}

}  // namespace qv
