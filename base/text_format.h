#pragma once
// printf-style formatting for the file formats, displays and messages, so
// every digit comes out exactly as the C format says.

#include <cstdarg>
#include <span>
#include <string>

namespace qv {

// The formatted text.
[[gnu::format(printf, 1, 2)]] std::string FormatText(const char* format, ...);

// Appends the formatted text to out.
[[gnu::format(printf, 2, 3)]] void AppendFormat(std::string& out, const char* format, ...);

// The same with the arguments of a function that takes them as printf does.
[[gnu::format(printf, 2, 0)]] void AppendFormatV(std::string& out, const char* format,
                                                 std::va_list args);

// Writes the formatted text into buffer, cut to its size (terminator included);
// nothing happens when the buffer is empty.
[[gnu::format(printf, 2, 3)]] void FormatInto(std::span<char> buffer, const char* format, ...);

// What a frequency that does not exist is called (a divider of 0 leaves none).
inline constexpr const char* FREQUENCY_NOT_DEFINED = "not defined";
// hz in a unit with so many decimals ("156.25000 MHz" for 1e6, 5, "MHz"), or
// FREQUENCY_NOT_DEFINED for an infinity or a NaN: a file or a message never
// says "inf" or "nan".
std::string FrequencyText(double hz, double unitHz, int decimals, const char* unit);

}  // namespace qv
