#include "bridge/report_descriptor.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qv::bridge {
namespace {

// Item prefixes with the size bits masked off (HID 1.11, 6.2.2).
constexpr std::uint8_t itemInput = 0x80;
constexpr std::uint8_t itemOutput = 0x90;
constexpr std::uint8_t itemReportSize = 0x74;
constexpr std::uint8_t itemReportId = 0x84;
constexpr std::uint8_t itemReportCount = 0x94;
constexpr std::uint8_t itemPush = 0xA4;
constexpr std::uint8_t itemPop = 0xB4;
constexpr std::uint8_t longItemPrefix = 0xFE;

constexpr std::array<std::size_t, 4> shortItemDataSize = {0, 1, 2, 4};

// The kernel refuses reports above 16 KiB; anything larger is a broken descriptor,
// and the cap keeps the bit sums far from overflow.
constexpr std::uint64_t maxReportBits = 16384 * 8;

struct GlobalState {
  std::uint64_t reportSize = 0;
  std::uint64_t reportCount = 0;
  std::uint8_t reportId = 0;
};

struct BitTotals {
  std::array<std::uint64_t, 256> input{};
  std::array<std::uint64_t, 256> output{};
};

std::uint64_t littleEndian(std::span<const std::uint8_t> data) {
  std::uint64_t value = 0;
  for (std::size_t i = data.size(); i-- > 0;) value = (value << 8) | data[i];
  return value;
}

std::size_t longestReport(const std::array<std::uint64_t, 256>& bits, bool numbered) {
  std::size_t longest = 0;
  for (std::uint64_t total : bits) {
    if (total == 0) continue;
    const std::size_t bytes = static_cast<std::size_t>((total + 7) / 8) + (numbered ? 1 : 0);
    longest = std::max(longest, bytes);
  }
  return longest;
}

}  // namespace

std::optional<ReportLengths> parseReportDescriptor(std::span<const std::uint8_t> descriptor) {
  GlobalState state;
  std::vector<GlobalState> pushed;
  BitTotals totals;
  bool numbered = false;

  std::size_t pos = 0;
  while (pos < descriptor.size()) {
    const std::uint8_t prefix = descriptor[pos];
    if (prefix == longItemPrefix) {
      if (descriptor.size() - pos < 3) return std::nullopt;
      const std::size_t dataSize = descriptor[pos + 1];
      if (descriptor.size() - pos - 3 < dataSize) return std::nullopt;
      pos += 3 + dataSize;
      continue;
    }

    const std::size_t dataSize = shortItemDataSize[prefix & 0x03];
    if (descriptor.size() - pos - 1 < dataSize) return std::nullopt;
    const std::uint64_t value = littleEndian(descriptor.subspan(pos + 1, dataSize));
    pos += 1 + dataSize;

    switch (prefix & 0xFC) {
      case itemReportSize: state.reportSize = value; break;
      case itemReportCount: state.reportCount = value; break;
      case itemReportId:
        if (value == 0 || value > 0xFF) return std::nullopt;
        state.reportId = static_cast<std::uint8_t>(value);
        numbered = true;
        break;
      case itemPush: pushed.push_back(state); break;
      case itemPop:
        if (pushed.empty()) return std::nullopt;
        state = pushed.back();
        pushed.pop_back();
        break;
      case itemInput:
      case itemOutput: {
        if (state.reportSize > maxReportBits || state.reportCount > maxReportBits) {
          return std::nullopt;
        }
        auto& bits = (prefix & 0xFC) == itemInput ? totals.input : totals.output;
        bits[state.reportId] += state.reportSize * state.reportCount;
        if (bits[state.reportId] > maxReportBits) return std::nullopt;
        break;
      }
      default: break;  // collections, usages, logical ranges: no bearing on lengths
    }
  }

  return ReportLengths{longestReport(totals.input, numbered),
                       longestReport(totals.output, numbered), numbered};
}

}  // namespace qv::bridge
