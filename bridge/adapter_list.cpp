#include "bridge/adapter_list.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "bridge/adapter_search.h"
#include "bridge/hid_handles.h"

namespace qv::bridge {

// Opening the node answers for permissions, ACLs and a node that is gone alike.
int OpenNode(AdapterFacts& facts) {
  const int fd = ::open(facts.path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  facts.mayOpen = fd >= 0;
  if (fd < 0) {
    facts.openError = errno;
    facts.whyNot = std::strerror(facts.openError);
  }
  return fd;
}

std::vector<AdapterFacts> ListAdapters(bool checkAccess) {
  std::vector<AdapterFacts> adapters;
  const HidLibrary hid;
  if (!hid.ready()) return adapters;
  const Enumeration found{hid_enumerate(adapterVendorId, adapterProductId)};
  for (const hid_device_info* info = found.get(); info != nullptr; info = info->next) {
    AdapterFacts facts;
    facts.path = info->path;
    facts.serial = Narrow(info->serial_number);
    facts.product = Narrow(info->product_string);
    if (checkAccess) {
      if (const int fd = OpenNode(facts); fd >= 0) ::close(fd);
    }
    adapters.push_back(std::move(facts));
  }
  return adapters;
}

}  // namespace qv::bridge
