#pragma once
// The text routines of the setup file reader.

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Capacity of the reader's key and value texts, terminator included.
inline constexpr std::size_t SETUP_FIELD_CAPACITY = 50;

// The line up to its first ";": there is no quoting.
std::string_view StripComment(std::string_view line);

// Without leading and trailing white space (blank, \t, \n, \v, \f, \r).
std::string_view TrimBlanks(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

struct KeyValue {
  std::string key;
  std::string value;
};

// Splits at the first "=": the key before it, cut to capacity - 1 characters and
// without trailing white space; the value after it without leading white space,
// cut likewise. A value of nothing but white space reads as "=" itself.
// Nothing when the line holds no "=".
std::optional<KeyValue> SplitKeyValue(std::string_view line,
                                      std::size_t capacity = SETUP_FIELD_CAPACITY);

// "11010000" is 208; nothing when a character is neither "0" nor "1".
std::optional<int> ParseBinaryDigits(std::string_view digits);

// The value of a number as scanf's "%X" or "%u" took it (`scanned` is the text
// the conversion consumed), before scanf narrows it to 32 bits. Nothing when
// the number is negative or too large for 64 bits, so cannot be told exactly.
std::optional<unsigned long long> ExactValue(std::string_view scanned, int base);

}  // namespace qv
