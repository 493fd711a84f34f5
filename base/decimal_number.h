#pragma once
// Decimal numbers in text, read one way everywhere: optional sign, digits,
// a point and an exponent, never hexadecimal, infinity or NaN, and never
// dependent on the locale.

#include <cstddef>
#include <optional>
#include <string_view>

namespace qv {

struct DecimalPrefix {
  double value = 0.0;
  std::size_t end = 0;  // where the number ends in the text
};

// The longest decimal number at the start of the text, after white space;
// nothing when the text does not begin with one. Too large a number is
// infinite, too small a one 0, as strtod has them.
std::optional<DecimalPrefix> LeadingDecimal(std::string_view text);

// The text as exactly one decimal number, white space around it allowed.
std::optional<double> WholeDecimal(std::string_view text);

}  // namespace qv
