#include "files/setup_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

namespace qv {
namespace {

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view TrimTrailing(std::string_view text) {
  const std::size_t last = text.find_last_not_of(kWhiteSpace);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view TrimLeading(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kWhiteSpace);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

}  // namespace

std::string_view StripComment(std::string_view line) { return line.substr(0, line.find(';')); }

std::string_view TrimBlanks(std::string_view text) { return TrimTrailing(TrimLeading(text)); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return Lower(x) == Lower(y); });
}

std::optional<KeyValue> SplitKeyValue(std::string_view line, std::size_t capacity) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::size_t longest = capacity > 0 ? capacity - 1 : 0;
  std::string_view key = TrimTrailing(line.substr(0, std::min(equals, longest)));
  std::string_view value = TrimLeading(line.substr(equals + 1));
  if (value.empty()) value = line.substr(equals, 1);
  return KeyValue{std::string(key), std::string(value.substr(0, longest))};
}

std::optional<int> ParseBinaryDigits(std::string_view digits) {
  unsigned value = 0;
  for (char digit : digits) {
    if (digit != '0' && digit != '1') return std::nullopt;
    value = (value << 1) | static_cast<unsigned>(digit - '0');
  }
  return static_cast<int>(value);
}

std::optional<unsigned long long> ExactValue(std::string_view scanned, int base) {
  const std::string text(TrimLeading(scanned));
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, base);
  // strtoull, as scanf, takes "-5" as 2^64 - 5.
  if (errno == ERANGE || (text.starts_with('-') && value != 0)) return std::nullopt;
  return value;
}

}  // namespace qv
