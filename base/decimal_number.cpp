#include "base/decimal_number.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace qv {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpace(std::string_view text, std::size_t at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at;
}

// An out-of-range number overflowed unless its exponent is negative.
double OutOfRange(std::string_view number, bool negative) {
  const std::size_t e = number.find_first_of("eE");
  const bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
  const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  return negative ? -magnitude : magnitude;
}

}  // namespace

std::optional<DecimalPrefix> LeadingDecimal(std::string_view text) {
  std::size_t at = SkipSpace(text, 0);
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  const std::string_view rest = text.substr(at);
  // from_chars also reads "inf" and "nan": a number starts with a digit or a point and a digit.
  const bool starts = !rest.empty() &&
                      (IsDigit(rest[0]) || (rest.size() > 1 && rest[0] == '.' && IsDigit(rest[1])));
  if (!starts) return std::nullopt;
  double magnitude = 0.0;
  const auto [stop, error] = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude);
  const std::size_t length = static_cast<std::size_t>(stop - rest.data());
  if (error == std::errc::result_out_of_range) {
    return DecimalPrefix{OutOfRange(rest.substr(0, length), negative), at + length};
  }
  return DecimalPrefix{negative ? -magnitude : magnitude, at + length};
}

std::optional<double> WholeDecimal(std::string_view text) {
  const std::optional<DecimalPrefix> number = LeadingDecimal(text);
  if (!number || SkipSpace(text, number->end) != text.size()) return std::nullopt;
  return number->value;
}

}  // namespace qv
