#pragma once
// The QV3380's USB HID I2C adapter, simulated on a hidraw node of a umockdev
// testbed: it takes command reports, runs them on a Chip, and answers with reply
// reports, or misbehaves in the ways real adapters do.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/sim/chip.h"
#include "tools/sim/testbed.h"
#include "tools/sim/unique_fd.h"

namespace qv::sim {

enum class AdapterMode {
  answer,      // runs each command on the chip and replies at once
  silent,      // takes commands and never replies
  errorFlag,   // runs each command but flags an error in the reply
  late,        // replies only after the caller has given up: once the node is opened again
  refuseOpen,  // open() fails with EACCES, as without permission. umockdev 0.17's preload keeps
               // a socket pair and a table entry for every failed open, and aborts
               // after 50 in one process.
};

// Payload bytes of the reports the adapter's descriptor declares, without the
// ID byte; reportId 0 means unnumbered reports.
struct ReportShape {
  std::size_t inputBytes = 64;
  std::size_t outputBytes = 64;
  std::uint8_t reportId = 0;
};

inline constexpr std::uint8_t statusOk = 0x00;
inline constexpr std::uint8_t statusNoAcknowledge = 0x02;
inline constexpr std::uint8_t statusMalformed = 0xFF;

class FakeAdapter {
 public:
  // Serves the node `devnode`, which `testbed` must already hold.
  FakeAdapter(Testbed& testbed, Chip& chip, std::string devnode, ReportShape shape = {});
  ~FakeAdapter();
  FakeAdapter(const FakeAdapter&) = delete;
  FakeAdapter& operator=(const FakeAdapter&) = delete;

  void setMode(AdapterMode mode);
  AdapterMode mode() const;
  // The status byte errorFlag mode replies with.
  void setErrorStatus(std::uint8_t status);
  // After answering this many commands the adapter is gone: searches find
  // nothing from then on, as for a cable pulled in the middle of a load.
  void unplugAfter(std::size_t commands);

  // Every command report received, as written.
  std::vector<std::vector<std::uint8_t>> commands() const;

 private:
  struct Callbacks;

  void switchMode(AdapterMode mode);  // with mutex_ held
  void unplug();                      // with mutex_ held
  std::filesystem::path pipePath() const;
  void pointNodeAt(const std::filesystem::path& target) const;
  void flushAndDeliverLate();
  bool answerDescriptorSize(UMockdevIoctlClient* client);
  void takeCommand(std::span<const std::uint8_t> report);
  std::vector<std::uint8_t> reply(std::uint8_t value, std::uint8_t status) const;
  void send(std::span<const std::uint8_t> report) const;

  Testbed& testbed_;
  Chip& chip_;
  const std::string devnode_;
  const ReportShape shape_;
  UMockdevIoctlBase* handler_;
  UniqueFd readEnd_;
  UniqueFd writeEnd_;

  mutable std::mutex mutex_;
  AdapterMode mode_ = AdapterMode::answer;
  std::uint8_t errorStatus_ = 0x01;
  std::size_t unplugAfter_ = 0;  // 0: stays plugged in
  bool unplugged_ = false;
  std::vector<std::vector<std::uint8_t>> commands_;
  std::vector<std::vector<std::uint8_t>> lateReplies_;
};

}  // namespace qv::sim
