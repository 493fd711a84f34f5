// Texts come out exactly as printf writes them, whole, after what was there
// before, whichever way they are formatted.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "base/text_format.h"

namespace qv {
namespace {

std::string Printf(const char* format, auto... values) {
  std::vector<char> text(4096);
  std::snprintf(text.data(), text.size(), format, values...);
  return text.data();
}

TEST(TextFormat, EveryDigitAsPrintfWritesIt) {
  // clang-format off
  std::vector<double> values = {0.0,    -0.0,     1.0,     0.5,     1.5,     2.5,     0.125,
                                2.15,   637.51,   19.44,   1e-7,    0.0005,  0.00049999, 2.55e9,
                                1e308,  -1e308,   5e-324,  1234567.0, 999999.5, -3.14159265358979,
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN()};
  // clang-format on
  std::mt19937_64 random(3380);
  std::uniform_real_distribution<double> exponent(-12, 12);
  for (int i = 0; i < 500; ++i)
    values.push_back(std::pow(10.0, exponent(random)) * (i % 2 ? -1 : 1));
  for (const char* format :
       {"%f", "%.0f", "%.3f", "%.5f", "%.9f", "%g", "%.0g", "%.3g", "%.12g", "x %.6f%% y", "%10.5f",
        "%2.3f%%", "%2.2f kHz", "%40f", "%9g", "%12.3g"}) {
    for (double value : values) {
      ASSERT_EQ(FormatText(format, value), Printf(format, value)) << format << " " << value;
    }
  }
  for (int value : {0, 1, -1, 42, INT_MAX, INT_MIN}) {
    EXPECT_EQ(FormatText("%d|%u|%5d|%12u|%3s", value, static_cast<unsigned>(value), value,
                         static_cast<unsigned>(value), "ab"),
              Printf("%d|%u|%5d|%12u|%3s", value, static_cast<unsigned>(value), value,
                     static_cast<unsigned>(value), "ab"));
  }
  // Flags, widths and other conversions go the long way, with the same result.
  EXPECT_EQ(FormatText("%02X %-3d| %+.3f %10.5f %zu %s%%", 10, 7, 1.5, 2.0, std::size_t{9}, "ok"),
            "0A 7  | +1.500    2.00000 9 ok%");
}

TEST(TextFormat, AnyLengthIsAppendedWhole) {
  for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 257u, 4000u}) {
    const std::string word(length, 'x');
    std::string out = "before:";
    AppendFormat(out, "%s|%.5f", word.c_str(), 2.5);
    EXPECT_EQ(out, "before:" + word + "|2.50000") << length;
    EXPECT_EQ(FormatText("%s%02d", word.c_str(), 4), word + "04") << length;
  }
}

}  // namespace
}  // namespace qv
