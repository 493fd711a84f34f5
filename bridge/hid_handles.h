#pragma once
// Ownership of hidapi's library state, device handles and enumeration lists.

#include <hidapi.h>

#include <memory>

namespace qv::bridge {

// hid_init for one transaction, hid_exit when it ends.
class HidLibrary {
 public:
  HidLibrary() : ready_(hid_init() == 0) {}
  ~HidLibrary() { hid_exit(); }
  HidLibrary(const HidLibrary&) = delete;
  HidLibrary& operator=(const HidLibrary&) = delete;

  bool ready() const { return ready_; }

 private:
  bool ready_;
};

struct DeviceCloser {
  void operator()(hid_device* device) const { hid_close(device); }
};
using DeviceHandle = std::unique_ptr<hid_device, DeviceCloser>;

struct EnumerationFreer {
  void operator()(hid_device_info* list) const { hid_free_enumeration(list); }
};
using Enumeration = std::unique_ptr<hid_device_info, EnumerationFreer>;

}  // namespace qv::bridge
