#pragma once
// The REFCLK frequency as a person types it or a file states it.

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Far above any REFCLK the chip runs on, and low enough that every frequency
// computed from it stays finite.
inline constexpr double REFCLK_MAX_MHZ = 10000.0;
// A setup file writes the REFCLK with this many decimals of MHz.
inline constexpr int REFCLK_FILE_DECIMALS = 5;

// What keeps a text from being a REFCLK, for the one who wrote it.
enum class RefclkProblem { None, NotADecimalNumber, OutOfRange, TooManyDecimals };
struct RefclkReading {
  double mhz = 0.0;  // the number read; meaningless when it is no decimal number
  RefclkProblem problem = RefclkProblem::None;
};

// The text as one decimal number of MHz (base/decimal_number.h): no comma, no
// hexadecimal, nothing after it but white space. A REFCLK lies from 0 to
// REFCLK_MAX_MHZ and is held exactly by a setup file's five decimals, so
// what is saved reads back as what was typed or loaded.
RefclkReading ReadRefclkMhz(std::string_view text);

// The REFCLK a text states, or nothing: "19,44", "0x1A", "inf", "25MHz", "-1",
// "" and "0.000001" are no REFCLK, so none is ever read as a number it only
// begins with or saved as another.
std::optional<double> ParseRefclkMhz(std::string_view text);

// The REFCLK box's rule: empty when the text is a REFCLK, otherwise what it takes.
std::string RefclkTextRule(std::string_view text);

}  // namespace qv
