#pragma once
// The umockdev descriptions of tools/sim/fixtures, built in.

#include <string_view>

namespace qv::sim::fixtures {

// The adapter, 04d8:feaa, vendor-page descriptor with 64-byte unnumbered reports.
extern const std::string_view adapter;
inline constexpr std::string_view adapterNode = "/dev/hidraw1";
inline constexpr std::string_view adapterSerial = "MOCK0001";
inline constexpr std::string_view adapterHidSyspath =
    "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/0003:04D8:FEAA.0002";

// A second adapter like the first; it enumerates after it.
extern const std::string_view secondAdapter;
inline constexpr std::string_view secondAdapterNode = "/dev/hidraw2";
inline constexpr std::string_view secondAdapterSerial = "MOCK0002";

// A keyboard, 1234:5678; it enumerates before the adapters.
extern const std::string_view otherHid;

}  // namespace qv::sim::fixtures
