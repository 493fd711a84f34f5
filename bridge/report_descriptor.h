#pragma once
// Report lengths a HID device declares in its report descriptor.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace qv::bridge {

// Lengths as hidraw carries the reports: the longest input and output report in
// bytes, including the report-ID byte when the device numbers its reports.
// A direction without any report has length 0.
struct ReportLengths {
  std::size_t input = 0;
  std::size_t output = 0;
  bool numbered = false;

  friend bool operator==(const ReportLengths&, const ReportLengths&) = default;
};

// Walks the main items (Report Size x Report Count per Input/Output item, per
// report ID), honouring Push/Pop and skipping long items. nullopt when the
// descriptor is truncated or malformed; the caller then falls back.
std::optional<ReportLengths> parseReportDescriptor(std::span<const std::uint8_t> descriptor);

}  // namespace qv::bridge
