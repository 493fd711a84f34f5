#include "tools/sim/fake_adapter.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace qv::sim {
namespace {

constexpr std::uint8_t commandRead = 0x01;
constexpr std::uint8_t commandWrite = 0x02;

// Protocol byte positions of a command report (byte 0 is the report ID).
constexpr std::size_t commandByte = 1;
constexpr std::size_t deviceByte = 2;
constexpr std::size_t registerByte = 3;
constexpr std::size_t dataByte = 4;

constexpr const char* kNoPermissionNode = "/proc/sys/kernel/osrelease";

std::string nodeName(std::string_view devnode) {
  const std::size_t slash = devnode.rfind('/');
  return std::string(slash == std::string_view::npos ? devnode : devnode.substr(slash + 1));
}

}  // namespace

// GLib calls these from umockdev's worker thread; nothing may unwind into it.
struct FakeAdapter::Callbacks {
  static gboolean ioctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    try {
      return static_cast<FakeAdapter*>(self)->answerDescriptorSize(client) ? TRUE : FALSE;
    } catch (...) {
      umockdev_ioctl_client_complete(client, -1, EIO);
      return TRUE;
    }
  }

  static gboolean write(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    UMockdevIoctlData* written = umockdev_ioctl_client_get_arg(client);
    try {
      static_cast<FakeAdapter*>(self)->takeCommand(std::span<const std::uint8_t>(
          written->data, static_cast<std::size_t>(written->data_len)));
      umockdev_ioctl_client_complete(client, written->data_len, 0);
    } catch (...) {
      umockdev_ioctl_client_complete(client, -1, EIO);
    }
    return TRUE;
  }

  static void connected(UMockdevIoctlBase*, UMockdevIoctlClient*, gpointer self) {
    try {
      static_cast<FakeAdapter*>(self)->flushAndDeliverLate();
    } catch (...) {
      // A lost flush only leaves stale reports behind, which is what late mode is about anyway.
    }
  }
};

FakeAdapter::FakeAdapter(Testbed& testbed, Chip& chip, std::string devnode, ReportShape shape)
    : testbed_(testbed),
      chip_(chip),
      devnode_(std::move(devnode)),
      shape_(shape),
      handler_(nullptr) {
  if (shape_.inputBytes < 4) throw std::invalid_argument("a reply needs at least 4 input bytes");
  handler_ = umockdev_ioctl_base_new();
  // hidraw hands out one whole report per read. umockdev backs a node with a
  // pty, a byte stream in which a late reply would run into the next one, so
  // the node is pointed at a packet-mode pipe instead.
  std::array<int, 2> ends{};
  if (pipe2(ends.data(), O_DIRECT | O_NONBLOCK | O_CLOEXEC) != 0) {
    g_object_unref(handler_);
    throw std::system_error(errno, std::generic_category(), "pipe for " + devnode_);
  }
  readEnd_ = UniqueFd(ends[0]);
  writeEnd_ = UniqueFd(ends[1]);

  pointNodeAt(pipePath());

  g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(Callbacks::ioctl), this);
  g_signal_connect(handler_, "handle-write", G_CALLBACK(Callbacks::write), this);
  g_signal_connect(handler_, "client-connected", G_CALLBACK(Callbacks::connected), this);
  GError* error = nullptr;
  if (!umockdev_testbed_attach_ioctl(testbed_.get(), devnode_.c_str(), handler_, &error)) {
    const std::string message = error ? error->message : "unknown error";
    if (error) g_error_free(error);
    g_object_unref(handler_);
    throw std::runtime_error("cannot serve " + devnode_ + ": " + message);
  }
}

FakeAdapter::~FakeAdapter() {
  g_signal_handlers_disconnect_by_data(handler_, this);
  umockdev_testbed_detach_ioctl(testbed_.get(), devnode_.c_str(), nullptr);
  g_object_unref(handler_);
}

void FakeAdapter::setMode(AdapterMode mode) {
  const std::scoped_lock lock(mutex_);
  switchMode(mode);
}

void FakeAdapter::unplugAfter(std::size_t commands) {
  const std::scoped_lock lock(mutex_);
  unplugAfter_ = commands;
}

void FakeAdapter::switchMode(AdapterMode mode) {
  if ((mode == AdapterMode::refuseOpen) != (mode_ == AdapterMode::refuseOpen)) {
    // open() for writing then fails with EACCES, as for a node the user may not
    // open: a read-only sysctl is refused even to root, whose tests run here too.
    pointNodeAt(mode == AdapterMode::refuseOpen ? kNoPermissionNode : pipePath());
  }
  mode_ = mode;
}

std::filesystem::path FakeAdapter::pipePath() const {
  return "/proc/" + std::to_string(getpid()) + "/fd/" + std::to_string(readEnd_.get());
}

// Replaced in one step, so that a client never finds the node missing.
void FakeAdapter::pointNodeAt(const std::filesystem::path& target) const {
  const std::filesystem::path node = testbed_.file(devnode_);
  std::filesystem::path fresh = node;
  fresh += ".new";
  std::error_code ignored;
  std::filesystem::remove(fresh, ignored);
  std::filesystem::create_symlink(target, fresh);
  std::filesystem::rename(fresh, node);
}

AdapterMode FakeAdapter::mode() const {
  const std::scoped_lock lock(mutex_);
  return mode_;
}

void FakeAdapter::setErrorStatus(std::uint8_t status) {
  const std::scoped_lock lock(mutex_);
  errorStatus_ = status;
}

std::vector<std::vector<std::uint8_t>> FakeAdapter::commands() const {
  const std::scoped_lock lock(mutex_);
  return commands_;
}

// The kernel gives every open of a hidraw node its own empty queue: what the
// previous client left unread is gone. A late reply then arrives into the new one.
void FakeAdapter::flushAndDeliverLate() {
  const std::scoped_lock lock(mutex_);
  std::array<std::uint8_t, 4096> scratch{};
  while (::read(readEnd_.get(), scratch.data(), scratch.size()) > 0) {
  }
  for (const auto& late : lateReplies_) send(late);
  lateReplies_.clear();
}

bool FakeAdapter::answerDescriptorSize(UMockdevIoctlClient* client) {
  // hidapi only opens a node that tells its descriptor size.
  if (umockdev_ioctl_client_get_request(client) != HIDIOCGRDESCSIZE) return false;
  UMockdevIoctlData* size =
      umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(int), nullptr);
  if (size == nullptr) {
    umockdev_ioctl_client_complete(client, -1, EFAULT);
    return true;
  }
  std::error_code unreadable;
  const auto bytes = std::filesystem::file_size(
      testbed_.file("/sys/class/hidraw/" + nodeName(devnode_) + "/device/report_descriptor"),
      unreadable);
  const int value = unreadable ? 0 : static_cast<int>(bytes);
  std::memcpy(size->data, &value, sizeof value);
  umockdev_ioctl_client_complete(client, 0, 0);
  return true;
}

void FakeAdapter::takeCommand(std::span<const std::uint8_t> report) {
  const std::scoped_lock lock(mutex_);
  commands_.emplace_back(report.begin(), report.end());
  if (mode_ == AdapterMode::silent) return;

  std::vector<std::uint8_t> answer;
  const bool wellFormed =
      report.size() == shape_.outputBytes + 1 && report[0] == 0 &&
      (report[commandByte] == commandRead || report[commandByte] == commandWrite);
  if (!wellFormed) {
    answer = reply(0, statusMalformed);
  } else {
    const std::uint8_t device = report[deviceByte];
    const std::uint8_t reg = report[registerByte];
    std::uint8_t value = 0;
    bool acknowledged = false;
    if (report[commandByte] == commandRead) {
      const std::optional<std::uint8_t> read = chip_.read(device, reg);
      acknowledged = read.has_value();
      value = read.value_or(0);
    } else {
      acknowledged = chip_.write(device, reg, report[dataByte]);
    }
    const std::uint8_t status = mode_ == AdapterMode::errorFlag ? errorStatus_
                                : acknowledged                  ? statusOk
                                                                : statusNoAcknowledge;
    answer = reply(value, status);
  }

  if (mode_ == AdapterMode::late) {
    lateReplies_.push_back(std::move(answer));
  } else {
    send(answer);
  }
  // The client already holds the node open and reads this reply; after it the adapter is gone.
  if (unplugAfter_ != 0 && commands_.size() == unplugAfter_) unplug();
}

// As the kernel does on a pulled cable: the hidraw device leaves sysfs, so the
// next search finds nothing and opens nothing. A node left in place that only
// fails to open would cost umockdev's preload a table entry per attempt, and it
// aborts the client after 50 of them.
void FakeAdapter::unplug() {
  if (unplugged_) return;
  unplugged_ = true;
  std::error_code error;
  const std::filesystem::path root = std::filesystem::canonical(testbed_.file("/"), error);
  const std::filesystem::path device =
      std::filesystem::canonical(testbed_.file("/sys/class/hidraw/" + nodeName(devnode_)), error);
  if (error) return;
  const std::string syspath = "/" + device.lexically_relative(root).string();
  umockdev_testbed_remove_device(testbed_.get(), syspath.c_str());
}

// As hidraw delivers it: an unnumbered report without ID byte, so the value
// comes first and the status fourth; a numbered one behind its ID.
std::vector<std::uint8_t> FakeAdapter::reply(std::uint8_t value, std::uint8_t status) const {
  const std::size_t idBytes = shape_.reportId != 0 ? 1 : 0;
  std::vector<std::uint8_t> packet(shape_.inputBytes + idBytes, 0);
  if (idBytes != 0) packet[0] = shape_.reportId;
  packet[idBytes] = value;
  packet[idBytes + 3] = status;
  return packet;
}

void FakeAdapter::send(std::span<const std::uint8_t> report) const {
  // A full queue drops the report, as the kernel's does.
  [[maybe_unused]] const ssize_t written = ::write(writeEnd_.get(), report.data(), report.size());
}

}  // namespace qv::sim
