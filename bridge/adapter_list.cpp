#include "bridge/adapter_list.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "bridge/adapter_search.h"
#include "bridge/hid_handles.h"

namespace qv::bridge {
namespace {

// Opening the node answers for permissions, ACLs and a node that is gone alike;
// nothing is sent, so the adapter does not notice.
void CheckAccess(AdapterFacts& facts) {
  const int fd = ::open(facts.path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    facts.whyNot = std::strerror(errno);
    return;
  }
  ::close(fd);
  facts.mayOpen = true;
}

}  // namespace

std::vector<AdapterFacts> ListAdapters() {
  std::vector<AdapterFacts> adapters;
  const HidLibrary hid;
  if (!hid.ready()) return adapters;
  const Enumeration found{hid_enumerate(adapterVendorId, adapterProductId)};
  for (const hid_device_info* info = found.get(); info != nullptr; info = info->next) {
    AdapterFacts facts;
    facts.path = info->path;
    facts.serial = Narrow(info->serial_number);
    facts.product = Narrow(info->product_string);
    CheckAccess(facts);
    adapters.push_back(std::move(facts));
  }
  return adapters;
}

bool AdapterPresent(std::string_view wanted) {
  for (const AdapterFacts& facts : ListAdapters()) {
    if (IsWantedAdapter(wanted, facts.path, facts.serial)) return true;
  }
  return false;
}

}  // namespace qv::bridge
