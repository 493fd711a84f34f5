#include "bridge/transfer.h"

#include <chrono>
#include <thread>

#include "bridge/adapter_diagnosis.h"
#include "bridge/adapter_search.h"
#include "bridge/declared_lengths.h"
#include "bridge/hid_handles.h"

namespace qv::bridge {
namespace {

using namespace std::chrono_literals;

// The adapter needs this long between transfers; callers count on every call
// blocking at least this long. It is counted from the start of the call, so
// the search, the open and the descriptor are done while the adapter rests.
constexpr auto pauseBeforeSend = 50ms;
constexpr int replyWaitMs = 200;
static_assert(pauseBeforeSend.count() + replyWaitMs == kAnswerWithinMs,
              "the diagnosis of a time-out names the time the transfer gives");

// A device that keeps sending cannot hold the call forever.
constexpr int maxStaleReports = 64;

// A reply that came after an earlier call gave up would otherwise be taken for
// the answer to this command: reports waiting before the send are dropped.
void dropStaleReports(hid_device* device, std::span<std::uint8_t> scratch) {
  for (int i = 0; i < maxStaleReports; ++i) {
    if (hid_read_timeout(device, scratch.data(), scratch.size(), 0) <= 0) return;
  }
}

}  // namespace

int transfer(Command command, std::uint8_t device, std::uint8_t reg, std::uint8_t data) {
  const auto sendNotBefore = std::chrono::steady_clock::now() + pauseBeforeSend;
  const HidLibrary hid;
  if (!hid.ready()) return HIDBRIDGE_NO_ADAPTER;

  const std::optional<OpenAdapter> adapter = openAdapter();
  if (!adapter) return HIDBRIDGE_NO_ADAPTER;
  hid_device* const handle = adapter->device.get();

  const ReportLengths lengths = declaredLengths(adapter->path);
  const std::vector<std::uint8_t> report = commandReport(lengths, command, device, reg, data);
  std::vector<std::uint8_t> reply = replyBuffer(lengths);
  const std::span<std::uint8_t> target = readTarget(reply, lengths.numbered);

  std::this_thread::sleep_until(sendNotBefore);
  dropStaleReports(handle, target);
  std::fill(reply.begin(), reply.end(), std::uint8_t{0});

  const int sent = hid_write(handle, report.data(), report.size());
  if (sent < 0 || static_cast<std::size_t>(sent) != report.size()) return HIDBRIDGE_NO_REPLY;

  // hid_read_timeout either delivers a report, times out (0) or fails (-1).
  // Windows' overlapped wait could also end in some other way, which gave 0
  // there without reading a reply; nothing in hidapi corresponds to that.
  const int received = hid_read_timeout(handle, target.data(), target.size(), replyWaitMs);
  if (received <= 0) return HIDBRIDGE_NO_REPLY;

  const std::size_t idBytesAdded = reply.size() - target.size();
  return replyResult(command, reply, static_cast<std::size_t>(received) + idBytesAdded);
}

}  // namespace qv::bridge
