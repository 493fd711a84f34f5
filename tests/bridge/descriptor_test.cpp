// Report lengths from report descriptors, without any device.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "bridge/report_descriptor.h"

namespace {

using qv::bridge::parseReportDescriptor;
using qv::bridge::ReportLengths;
using Bytes = std::vector<std::uint8_t>;

Bytes fromHex(const std::string& hex) {
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// As in tools/sim/fixtures: the adapter's vendor-page descriptor and the keyboard's.
const Bytes adapterDescriptor =
    fromHex("0600FF0901A1010902150026FF007508954081020903150026FF00750895409102C0");
const Bytes keyboardDescriptor = fromHex(
    "05010906A101050719E029E71500250175019508810295017508810195067508150025650507190029658100C0");

struct Case {
  const char* name;
  Bytes descriptor;
  std::optional<ReportLengths> expected;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

std::string caseName(const testing::TestParamInfo<Case>& info) {
  std::string name = info.param.name;
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

class Descriptor : public testing::TestWithParam<Case> {};

TEST_P(Descriptor, DeclaresLengths) {
  const std::optional<ReportLengths> lengths = parseReportDescriptor(GetParam().descriptor);
  ASSERT_EQ(lengths.has_value(), GetParam().expected.has_value());
  if (lengths) {
    EXPECT_EQ(lengths->input, GetParam().expected->input);
    EXPECT_EQ(lengths->output, GetParam().expected->output);
    EXPECT_EQ(lengths->numbered, GetParam().expected->numbered);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Wellformed, Descriptor,
    testing::Values(
        Case{"adapter fixture", adapterDescriptor, ReportLengths{64, 64, false}},
        Case{"keyboard fixture: bits add up, no output", keyboardDescriptor,
             ReportLengths{8, 0, false}},
        // Input ID 1: 8 bytes, ID 2: 3 bytes; output ID 3: 16 bytes. Each carries its ID byte.
        Case{"report IDs",
             fromHex("0600FF0901A101"
                     "8501750895088102"
                     "8502750895038102"
                     "8503750895109102"
                     "C0"),
             ReportLengths{9, 17, true}},
        // Push keeps size 8 x count 32 for the output item after the 1-bit input.
        Case{"push and pop",
             fromHex("0600FF0901A101750895208102"
                     "A4750195048102B4"
                     "9102C0"),
             ReportLengths{33, 32, false}},
        // Two-byte long item (FE, size 2, tag, data): skipped.
        Case{"long item", fromHex("0600FF0901A101FE02F0AAAA750895048102C0"),
             ReportLengths{4, 0, false}},
        // 12 bits round up to two bytes.
        Case{"partial byte", fromHex("0600FF0901A1017504950381029502C0"),
             ReportLengths{2, 0, false}},
        Case{"empty", Bytes{}, ReportLengths{0, 0, false}}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Rejected, Descriptor,
    testing::Values(
        // Cut inside an item's data: Logical Maximum (26 FF 00) loses its last byte.
        Case{"truncated item", Bytes(adapterDescriptor.begin(), adapterDescriptor.begin() + 13),
             std::nullopt},
        Case{"truncated long item", fromHex("0600FF0901A101FE05F0AAAA"), std::nullopt},
        Case{"pop without push", fromHex("0600FF0901A101B4750895048102C0"), std::nullopt},
        Case{"report ID 0", fromHex("0600FF0901A1018500750895048102C0"), std::nullopt},
        Case{"oversized report", fromHex("0600FF0901A10175FF97FFFFFF008102C0"), std::nullopt}),
    caseName);

// Every cut that ends inside an item is caught, wherever it falls.
TEST(DescriptorTruncation, EveryCutInsideAnItemIsRejected) {
  // Offsets where an item of the adapter descriptor starts.
  const std::vector<std::size_t> itemStarts{0,  3,  5,  7,  9,  11, 14, 16,
                                            18, 20, 22, 24, 27, 29, 31, 33};
  for (std::size_t cut = 1; cut < adapterDescriptor.size(); ++cut) {
    const bool atBoundary =
        std::find(itemStarts.begin(), itemStarts.end(), cut) != itemStarts.end();
    const auto lengths = parseReportDescriptor(std::span(adapterDescriptor).first(cut));
    EXPECT_EQ(lengths.has_value(), atBoundary) << "cut after " << cut << " bytes";
  }
}

}  // namespace
