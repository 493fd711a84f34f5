#include "bridge/adapter_search.h"

namespace qv::bridge {

std::optional<OpenAdapter> openFirstAdapter() {
  const Enumeration found{hid_enumerate(adapterVendorId, adapterProductId)};
  for (const hid_device_info* info = found.get(); info != nullptr; info = info->next) {
    // An adapter another program holds, or one the user may not open, is
    // skipped: a second adapter may still be usable.
    if (DeviceHandle device{hid_open_path(info->path)}) {
      return OpenAdapter{std::move(device), info->path};
    }
  }
  return std::nullopt;
}

}  // namespace qv::bridge
