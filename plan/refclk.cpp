#include "plan/refclk.h"

#include <array>
#include <cmath>

#include "base/decimal_number.h"
#include "base/text_format.h"

namespace qv {
namespace {

// The file's text of the number reads back as the very same number.
bool HeldByTheFile(double mhz) {
  std::array<char, 64> text{};
  FormatInto(text, "%.*f", REFCLK_FILE_DECIMALS, mhz);
  const std::optional<double> back = WholeDecimal(text.data());
  return back && *back == mhz;
}

}  // namespace

RefclkReading ReadRefclkMhz(std::string_view text) {
  const std::optional<double> mhz = WholeDecimal(text);
  if (!mhz) return {0.0, RefclkProblem::NotADecimalNumber};
  if (std::signbit(*mhz) || !(*mhz <= REFCLK_MAX_MHZ)) return {*mhz, RefclkProblem::OutOfRange};
  if (!HeldByTheFile(*mhz)) return {*mhz, RefclkProblem::TooManyDecimals};
  return {*mhz, RefclkProblem::None};
}

std::optional<double> ParseRefclkMhz(std::string_view text) {
  const RefclkReading reading = ReadRefclkMhz(text);
  if (reading.problem != RefclkProblem::None) return std::nullopt;
  return reading.mhz;
}

std::string RefclkTextRule(std::string_view text) {
  switch (ReadRefclkMhz(text).problem) {
    case RefclkProblem::None: return "";
    case RefclkProblem::TooManyDecimals:
      return FormatText(
          "a decimal number of MHz with at most %d decimals, as a setup file "
          "holds it, such as 19.44",
          REFCLK_FILE_DECIMALS);
    default:
      return FormatText("a decimal number of MHz from 0 to %g, such as 19.44", REFCLK_MAX_MHZ);
  }
}

}  // namespace qv
