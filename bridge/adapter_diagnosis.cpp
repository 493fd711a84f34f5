#include "bridge/adapter_diagnosis.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <vector>

#include "bridge/adapter_list.h"
#include "bridge/hidbridge.h"

namespace qv::bridge {
namespace {

std::vector<AdapterFacts> WantedAdapters(bool checkAccess) {
  std::vector<AdapterFacts> adapters = ListAdapters(checkAccess);
  const std::string wanted = WantedAdapter();
  std::erase_if(adapters, [&wanted](const AdapterFacts& facts) {
    return !IsWantedAdapter(wanted, facts.path, facts.serial);
  });
  return adapters;
}

// hidraw queues a report for every open of the node, so a reply that comes
// after the bridge closed its own reaches an open made in time.
bool ReplyArrives(int fd) {
  pollfd watch{fd, POLLIN, 0};
  if (::poll(&watch, 1, kLateReplyWatchMs) <= 0 || (watch.revents & POLLIN) == 0) return false;
  std::array<unsigned char, 256> report{};
  return ::read(fd, report.data(), report.size()) > 0;
}

LinkFault FaultOfOpenAdapter(int result, int fd) {
  switch (result) {
    case HIDBRIDGE_ADAPTER_ERROR: return LinkFault::Refused;
    case HIDBRIDGE_NO_REPLY: return ReplyArrives(fd) ? LinkFault::Late : LinkFault::NoAnswer;
    // It opens now but did not for the transfer: hidapi could not take it, or
    // it was plugged in again meanwhile.
    default: return LinkFault::CannotOpen;
  }
}

}  // namespace

LinkDiagnosis DiagnoseFailure(int result) {
  // Each node is opened once, in the bridge's order, and the first that opens
  // is watched at once: a late reply reaches only an open that exists when it comes.
  std::vector<AdapterFacts> adapters = WantedAdapters(false);
  if (adapters.empty()) return {LinkFault::Absent, "", ""};
  for (AdapterFacts& facts : adapters) {
    const int fd = OpenNode(facts);
    if (fd < 0) continue;
    const LinkFault fault = FaultOfOpenAdapter(result, fd);
    ::close(fd);
    return {fault, facts.path, ""};
  }
  const AdapterFacts& first = adapters.front();
  const bool denied = first.openError == EACCES || first.openError == EPERM;
  return {denied ? LinkFault::NoPermission : LinkFault::CannotOpen, first.path, first.whyNot};
}

std::string AdapterInUse() {
  const std::vector<AdapterFacts> adapters = WantedAdapters(true);
  const auto opens = std::ranges::find_if(adapters, &AdapterFacts::mayOpen);
  return opens == adapters.end() ? "" : opens->path;
}

}  // namespace qv::bridge
