#include "ui/qt/blocked_click_filter.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

namespace qv::qt {
namespace {

// Offsets in an XInput2 device event (the wire layout xcb hands over).
constexpr std::size_t kExtensionOffset = 1;
constexpr std::size_t kEventTypeOffset = 8;
constexpr std::size_t kTimeOffset = 12;
constexpr std::size_t kEventWindowOffset = 24;
constexpr std::uint16_t kXIButtonPress = 4;

template <typename T>
T Read(const unsigned char* bytes, std::size_t offset) {
  T value;
  std::memcpy(&value, bytes + offset, sizeof value);
  return value;
}

std::optional<std::uint8_t> XInputOpcode(xcb_connection_t* connection) {
  constexpr std::string_view kName = "XInputExtension";
  xcb_query_extension_cookie_t cookie = xcb_query_extension(connection, kName.size(), kName.data());
  xcb_query_extension_reply_t* reply = xcb_query_extension_reply(connection, cookie, nullptr);
  if (!reply) return std::nullopt;
  std::optional<std::uint8_t> opcode;
  if (reply->present) opcode = reply->major_opcode;
  std::free(reply);
  return opcode;
}

}  // namespace

std::optional<PointerPress> ParseXInputButtonPress(const void* xcbEvent,
                                                   std::uint8_t xinputOpcode) {
  const auto* bytes = static_cast<const unsigned char*>(xcbEvent);
  if ((bytes[0] & 0x7F) != XCB_GE_GENERIC) return std::nullopt;
  if (bytes[kExtensionOffset] != xinputOpcode) return std::nullopt;
  if (Read<std::uint16_t>(bytes, kEventTypeOffset) != kXIButtonPress) return std::nullopt;
  return PointerPress{Read<std::uint32_t>(bytes, kEventWindowOffset),
                      Read<std::uint32_t>(bytes, kTimeOffset)};
}

BlockedClickFilter::BlockedClickFilter(std::uint8_t xinputOpcode, Handler onPress)
    : opcode_(xinputOpcode), onPress_(std::move(onPress)) {}

bool BlockedClickFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const std::optional<PointerPress> press = ParseXInputButtonPress(message, opcode_);
  // Each press arrives once per device that reports it (master and slave).
  if (press && press->time != lastTime_) {
    lastTime_ = press->time;
    onPress_(press->window);
  }
  return false;
}

std::unique_ptr<BlockedClickFilter> InstallBlockedClickFilter(BlockedClickFilter::Handler onPress) {
  // Only an X server shows us presses on a blocked window. Elsewhere (Wayland,
  // offscreen) the popup stays modal and such a click is simply dropped.
  if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return nullptr;
  const std::optional<std::uint8_t> opcode = XInputOpcode(x11->connection());
  if (!opcode) return nullptr;
  auto filter = std::make_unique<BlockedClickFilter>(*opcode, std::move(onPress));
  qGuiApp->installNativeEventFilter(filter.get());
  return filter;
}

}  // namespace qv::qt
