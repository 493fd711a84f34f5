#pragma once
// Finding and opening the USB HID adapter.

#include <cstdint>
#include <optional>
#include <string>

#include "bridge/hid_handles.h"

namespace qv::bridge {

inline constexpr std::uint16_t adapterVendorId = 0x04D8;
inline constexpr std::uint16_t adapterProductId = 0xFEAA;

struct OpenAdapter {
  DeviceHandle device;
  std::string path;  // hidraw node, e.g. "/dev/hidraw1"
};

// The adapter QV3380_ADAPTER names, or without it the first in enumeration
// order that opens; nullopt when none does.
std::optional<OpenAdapter> openAdapter();

}  // namespace qv::bridge
