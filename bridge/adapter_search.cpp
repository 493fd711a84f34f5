#include "bridge/adapter_search.h"

#include "bridge/adapter_choice.h"

namespace qv::bridge {

std::optional<OpenAdapter> openAdapter() {
  const std::string wanted = WantedAdapter();
  const Enumeration found{hid_enumerate(adapterVendorId, adapterProductId)};
  for (const hid_device_info* info = found.get(); info != nullptr; info = info->next) {
    if (!IsWantedAdapter(wanted, info->path, Narrow(info->serial_number))) continue;
    // An adapter another program holds, or one the user may not open, is
    // skipped: a second adapter may still be usable. A named one that does not
    // open is no reason to program some other board instead.
    if (DeviceHandle device{hid_open_path(info->path)}) {
      return OpenAdapter{std::move(device), info->path};
    }
  }
  return std::nullopt;
}

}  // namespace qv::bridge
