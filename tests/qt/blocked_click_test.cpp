// Reading the X server's button presses for clicks on a blocked window.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <array>
#include <cstring>

#include "ui/qt/blocked_click_filter.h"

namespace qv::qt {
namespace {

constexpr std::uint8_t kXInput = 131;

// A 32-byte XInput2 event as it comes off the wire.
std::array<unsigned char, 32> Event(std::uint8_t type, std::uint8_t extension,
                                    std::uint16_t eventType, std::uint32_t time,
                                    std::uint32_t window) {
  std::array<unsigned char, 32> bytes{};
  bytes[0] = type;
  bytes[1] = extension;
  std::memcpy(&bytes[8], &eventType, 2);
  std::memcpy(&bytes[12], &time, 4);
  std::memcpy(&bytes[24], &window, 4);
  return bytes;
}

TEST(BlockedClick, OnlyXInputButtonPressesCount) {
  struct Case {
    const char* what;
    std::array<unsigned char, 32> event;
    bool press;
  };
  const Case cases[] = {
      {"button press", Event(35, kXInput, 4, 1000, 0x200006), true},
      {"sent by another client", Event(35 | 0x80, kXInput, 4, 1000, 0x200006), true},
      {"button release", Event(35, kXInput, 5, 1000, 0x200006), false},
      {"motion", Event(35, kXInput, 6, 1000, 0x200006), false},
      {"another extension", Event(35, 77, 4, 1000, 0x200006), false},
      {"a core event", Event(4, kXInput, 4, 1000, 0x200006), false},
  };
  for (const Case& c : cases) {
    const auto press = ParseXInputButtonPress(c.event.data(), kXInput);
    EXPECT_EQ(press.has_value(), c.press) << c.what;
    if (press) {
      EXPECT_EQ(press->window, 0x200006u) << c.what;
      EXPECT_EQ(press->time, 1000u) << c.what;
    }
  }
}

TEST(BlockedClick, EachPressIsToldOnceThoughTwoDevicesReportIt) {
  std::vector<std::uint32_t> told;
  BlockedClickFilter filter(kXInput, [&](std::uint32_t window) { told.push_back(window); });
  auto first = Event(35, kXInput, 4, 1000, 7);
  auto second = Event(35, kXInput, 4, 2000, 7);
  for (auto* event : {&first, &first, &second}) {
    EXPECT_FALSE(filter.nativeEventFilter("xcb_generic_event_t", event->data(), nullptr))
        << "Qt still sees the event";
  }
  EXPECT_EQ(told, (std::vector<std::uint32_t>{7, 7}));
}

TEST(BlockedClick, NoFilterWithoutAnXServer) {
  ASSERT_NE(QGuiApplication::platformName(), QLatin1String("xcb"));
  bool told = false;
  EXPECT_EQ(InstallBlockedClickFilter([&](std::uint32_t) { told = true; }), nullptr);
  EXPECT_FALSE(told);
}

}  // namespace
}  // namespace qv::qt
