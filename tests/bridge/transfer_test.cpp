// readi2c and writei2c end to end: through hidapi, libudev and a mocked hidraw
// node to the simulated adapter and chip.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bridge/hidbridge.h"
#include "tools/sim/chip.h"
#include "tools/sim/fake_adapter.h"
#include "tools/sim/fixtures.h"
#include "tools/sim/testbed.h"

namespace {

using namespace qv::sim;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr std::uint8_t cmdRead = 0x01;
constexpr std::uint8_t cmdWrite = 0x02;
constexpr std::size_t fixtureCommandLength = 65;  // report ID + 64 declared output bytes

Bytes command(std::size_t length, std::uint8_t cmd, std::uint8_t device, std::uint8_t reg,
              std::uint8_t data) {
  Bytes report(length, 0);
  report[1] = cmd;
  report[2] = device;
  report[3] = reg;
  report[4] = data;
  return report;
}

Bytes fromHex(const std::string& hex) {
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

class Bridge : public testing::Test {
 protected:
  FakeAdapter& plug(ReportShape shape = {}, const std::optional<Bytes>& descriptor = std::nullopt) {
    testbed.add(fixtures::adapter);
    if (descriptor) {
      testbed.setAttribute(fixtures::adapterHidSyspath, "report_descriptor", *descriptor);
    }
    return adapter.emplace(testbed, chip, std::string(fixtures::adapterNode), shape);
  }

  Bytes lastCommand() const {
    const auto commands = adapter->commands();
    return commands.empty() ? Bytes{} : commands.back();
  }

  Testbed testbed;
  Chip chip;
  std::optional<FakeAdapter> adapter;
};

TEST_F(Bridge, ReadReturnsTheChipsByte) {
  plug();
  for (const std::uint8_t value : {0x00, 0x5A, 0xFF}) {
    chip.poke(0x10, value);
    EXPECT_EQ(readi2c(chipAddress, 0x10), value);
    EXPECT_EQ(lastCommand(), command(fixtureCommandLength, cmdRead, chipAddress, 0x10, 0x01));
  }
  EXPECT_EQ(readi2c(chipAddress, idRegister), chipId);
}

TEST_F(Bridge, WriteStoresTheLowByteOnly) {
  plug();
  struct Case {
    std::uint8_t reg;
    unsigned short value;
    std::uint8_t sent;
  };
  for (const Case c :
       {Case{0x10, 0x1FF, 0xFF}, Case{0x11, 0x0000, 0x00}, Case{0x12, 0x1234, 0x34}}) {
    chip.poke(c.reg, 0xAA);
    EXPECT_EQ(writei2c(chipAddress, c.reg, c.value), HIDBRIDGE_DONE);
    EXPECT_EQ(chip.peek(c.reg), c.sent);
    EXPECT_EQ(lastCommand(), command(fixtureCommandLength, cmdWrite, chipAddress, c.reg, c.sent));
  }
}

// The address goes out as the caller wrote it, not shifted to 7 bits; only the
// chip's own address is acknowledged.
TEST_F(Bridge, DeviceAddressTravelsUnchanged) {
  plug();
  for (const std::uint8_t device : {0x80, 0x40, 0x81}) {
    EXPECT_EQ(readi2c(device, 0x10), device == chipAddress ? 0 : int{HIDBRIDGE_ADAPTER_ERROR})
        << int{device};
    EXPECT_EQ(lastCommand().at(2), device);
  }
}

struct Shape {
  const char* name;
  std::optional<Bytes> descriptor;  // nullopt: the fixture's
  ReportShape reports;
  std::size_t commandLength;
};

void PrintTo(const Shape& shape, std::ostream* out) { *out << shape.name; }
std::string shapeName(const testing::TestParamInfo<Shape>& info) { return info.param.name; }

class ReportLayout : public Bridge, public testing::WithParamInterface<Shape> {};

// Value and status are found whether or not hidraw hands the report ID over,
// and the command is as long as the descriptor declares.
TEST_P(ReportLayout, FollowsTheDescriptor) {
  plug(GetParam().reports, GetParam().descriptor);
  chip.poke(0x20, 0x5A);
  EXPECT_EQ(readi2c(chipAddress, 0x20), 0x5A);
  EXPECT_EQ(lastCommand().size(), GetParam().commandLength);
  EXPECT_EQ(writei2c(chipAddress, 0x21, 0x33), HIDBRIDGE_DONE);
  EXPECT_EQ(chip.peek(0x21), 0x33);
  adapter->setMode(AdapterMode::errorFlag);
  EXPECT_EQ(readi2c(chipAddress, 0x20), HIDBRIDGE_ADAPTER_ERROR);
}

const Shape shapes[] = {
    {"fixture", std::nullopt, ReportShape{64, 64, 0}, 65},
    {"numbered", fromHex("0600FF0901A101850175089520810295109102C0"), ReportShape{32, 16, 1}, 17},
    {"short", fromHex("0600FF0901A1017508950881029102C0"), ReportShape{8, 8, 0}, 9},
    // Unparsable: the library falls back to 64-byte reports.
    {"truncated", fromHex("0600FF0901A1010902150026FF"), ReportShape{64, 64, 0}, 65},
};

INSTANTIATE_TEST_SUITE_P(Bridge, ReportLayout, testing::ValuesIn(shapes), shapeName);

TEST_F(Bridge, NoOpenableAdapterGivesNoAdapter) {
  EXPECT_EQ(readi2c(chipAddress, idRegister), HIDBRIDGE_NO_ADAPTER) << "no HID device at all";
  EXPECT_EQ(writei2c(chipAddress, 0x10, 1), HIDBRIDGE_NO_ADAPTER);

  testbed.add(fixtures::otherHid);
  EXPECT_EQ(readi2c(chipAddress, idRegister), HIDBRIDGE_NO_ADAPTER) << "only a keyboard";
  EXPECT_EQ(writei2c(chipAddress, 0x10, 1), HIDBRIDGE_NO_ADAPTER);

  plug().setMode(AdapterMode::refuseOpen);
  EXPECT_EQ(readi2c(chipAddress, idRegister), HIDBRIDGE_NO_ADAPTER)
      << "adapter that cannot be opened";
  EXPECT_EQ(writei2c(chipAddress, 0x10, 1), HIDBRIDGE_NO_ADAPTER);
  EXPECT_TRUE(adapter->commands().empty());
}

TEST_F(Bridge, NonMatchingDeviceBeforeTheAdapterIsPassedOver) {
  testbed.add(fixtures::otherHid);
  plug();
  EXPECT_EQ(readi2c(chipAddress, idRegister), chipId);
}

TEST_F(Bridge, FirstAdapterThatOpensIsUsed) {
  plug();
  testbed.add(fixtures::secondAdapter);
  Chip secondChip;
  FakeAdapter second(testbed, secondChip, std::string(fixtures::secondAdapterNode));
  chip.poke(0x10, 0x01);
  secondChip.poke(0x10, 0x02);

  EXPECT_EQ(readi2c(chipAddress, 0x10), 0x01);

  adapter->setMode(AdapterMode::refuseOpen);
  EXPECT_EQ(readi2c(chipAddress, 0x10), 0x02);
  EXPECT_EQ(writei2c(chipAddress, 0x11, 0x77), HIDBRIDGE_DONE);
  EXPECT_EQ(secondChip.peek(0x11), 0x77);
  EXPECT_EQ(adapter->commands().size(), 1U);
}

TEST_F(Bridge, ErrorFlagGivesAdapterErrorWhateverByte1Holds) {
  plug().setMode(AdapterMode::errorFlag);
  for (const std::uint8_t status : {0x01, 0x80, 0xFF}) {
    adapter->setErrorStatus(status);
    for (const std::uint8_t value : {0x00, 0x5A, 0xFF}) {
      chip.poke(0x10, value);
      EXPECT_EQ(readi2c(chipAddress, 0x10), HIDBRIDGE_ADAPTER_ERROR)
          << "status " << int{status} << ", byte 1 " << int{value};
      EXPECT_EQ(writei2c(chipAddress, 0x10, value), HIDBRIDGE_ADAPTER_ERROR)
          << "status " << int{status};
    }
  }
}

TEST_F(Bridge, SilentAdapterGivesNoReply) {
  plug().setMode(AdapterMode::silent);
  const auto start = Clock::now();
  EXPECT_EQ(readi2c(chipAddress, idRegister), HIDBRIDGE_NO_REPLY);
  EXPECT_EQ(writei2c(chipAddress, 0x10, 1), HIDBRIDGE_NO_REPLY);
  EXPECT_LT(Clock::now() - start, 2s) << "each call gives up after its reply wait";
  EXPECT_EQ(adapter->commands().size(), 2U);
}

// The late reply turns up while the next call has the node open; taking it for
// that call's answer would return the wrong register or hide an error.
TEST_F(Bridge, LateReplyDoesNotCorruptTheNextCall) {
  plug();
  chip.poke(0x10, 0x11);
  chip.poke(0x20, 0x22);

  adapter->setMode(AdapterMode::late);
  EXPECT_EQ(readi2c(chipAddress, 0x10), HIDBRIDGE_NO_REPLY);
  adapter->setMode(AdapterMode::answer);
  EXPECT_EQ(readi2c(chipAddress, 0x20), 0x22);

  adapter->setMode(AdapterMode::late);
  EXPECT_EQ(readi2c(chipAddress, 0x10), HIDBRIDGE_NO_REPLY);
  adapter->setMode(AdapterMode::errorFlag);
  EXPECT_EQ(readi2c(chipAddress, 0x20), HIDBRIDGE_ADAPTER_ERROR);
}

TEST_F(Bridge, EveryTransferTakesAtLeast50ms) {
  plug();
  for (const AdapterMode mode : {AdapterMode::answer, AdapterMode::errorFlag}) {
    adapter->setMode(mode);
    auto start = Clock::now();
    readi2c(chipAddress, 0x10);
    EXPECT_GE(Clock::now() - start, 50ms);
    start = Clock::now();
    writei2c(chipAddress, 0x10, 0);
    EXPECT_GE(Clock::now() - start, 50ms);
  }
}

// What each open descriptor points at, so that a leak names itself.
std::vector<std::string> openDescriptors() {
  std::vector<std::string> open;
  std::error_code gone;  // the iterator's own descriptor is closed by the time it is read
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    open.push_back(entry.path().filename().string() + " -> " +
                   std::filesystem::read_symlink(entry, gone).string());
  }
  std::sort(open.begin(), open.end());
  return open;
}

// umockdev's thread closes its end of a client's socket a moment after the
// client has gone; count once the number has stayed put for a while.
std::vector<std::string> settledDescriptors() {
  std::vector<std::string> open = openDescriptors();
  for (int unchanged = 0, rounds = 0; unchanged < 5 && rounds < 100; ++rounds) {
    std::this_thread::sleep_for(20ms);
    std::vector<std::string> now = openDescriptors();
    unchanged = now.size() == open.size() ? unchanged + 1 : 0;
    open = std::move(now);
  }
  return open;
}

// Every way a call that opens the adapter can end, a thousand times over.
TEST_F(Bridge, ManyCallsLeaveNoDescriptorOpen) {
  plug();
  readi2c(chipAddress, idRegister);  // whatever umockdev's preload sets up once
  const std::vector<std::string> before = settledDescriptors();

  // Not refused opens: there the library holds nothing to close, while umockdev's
  // preload keeps a socket pair of its own for each.
  constexpr std::array rotation{AdapterMode::answer, AdapterMode::answer, AdapterMode::errorFlag};
  for (int i = 0; i < 1000; ++i) {
    const AdapterMode mode = i % 100 == 50 ? AdapterMode::silent
                             : i % 100 == 99
                                 ? AdapterMode::late
                                 : rotation[static_cast<std::size_t>(i) % rotation.size()];
    adapter->setMode(mode);
    if (i % 2 == 0) {
      readi2c(chipAddress, static_cast<unsigned char>(i));
    } else {
      writei2c(chipAddress, static_cast<unsigned char>(i), static_cast<unsigned short>(i));
    }
  }
  const std::vector<std::string> after = settledDescriptors();
  EXPECT_EQ(after.size(), before.size())
      << testing::PrintToString(after) << " after, before " << testing::PrintToString(before);
}

}  // namespace
