#pragma once
// The REFCLK frequency as a person types it or a file states it.

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Far above any REFCLK the chip runs on, and low enough that every frequency
// computed from it stays finite.
inline constexpr double REFCLK_MAX_MHZ = 10000.0;

// The text as one decimal number of MHz from 0 to REFCLK_MAX_MHZ (white space
// around it allowed), or nothing: "19,44", "0x1A", "inf", "25MHz", "-1" and ""
// are no REFCLK, so none of them is ever read as a number it only begins with.
std::optional<double> ParseRefclkMhz(std::string_view text);

// The REFCLK box's rule: empty when the text is a REFCLK, otherwise what it takes.
std::string RefclkTextRule(std::string_view text);

}  // namespace qv
