// QV3380_ADAPTER end to end: two simulated adapters with their own chips, one
// chosen by serial number or hidraw path; the listing the command line and the
// Python module show.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>
#include <vector>

#include "bridge/adapter_choice.h"
#include "bridge/adapter_list.h"
#include "bridge/hidbridge.h"
#include "tools/sim/chip.h"
#include "tools/sim/fake_adapter.h"
#include "tools/sim/fixtures.h"
#include "tools/sim/testbed.h"

namespace {

using namespace qv::sim;
using qv::bridge::ADAPTER_VARIABLE;

constexpr std::uint8_t probeRegister = 0x10;

class AdapterChoice : public testing::Test {
 protected:
  AdapterChoice() {
    testbed.add(fixtures::otherHid);
    testbed.add(fixtures::adapter);
    testbed.add(fixtures::secondAdapter);
    first.emplace(testbed, firstChip, std::string(fixtures::adapterNode));
    second.emplace(testbed, secondChip, std::string(fixtures::secondAdapterNode));
    firstChip.poke(probeRegister, 1);
    secondChip.poke(probeRegister, 2);
  }
  ~AdapterChoice() override { unsetenv(ADAPTER_VARIABLE); }

  Testbed testbed;
  Chip firstChip;
  Chip secondChip;
  std::optional<FakeAdapter> first;
  std::optional<FakeAdapter> second;
};

TEST_F(AdapterChoice, TheNamedAdapterAndNoOther) {
  struct Case {
    const char* wanted;  // nullptr: unset
    bool firstOpens;
    int expected;  // what readi2c gives: the chip's byte or a result
  };
  const Case cases[] = {
      {nullptr, true, 1},
      {"", true, 1},
      {nullptr, false, 2},  // the first that opens, as without the variable
      {"MOCK0002", true, 2},
      {"/dev/hidraw2", true, 2},
      {"MOCK0001", true, 1},
      {"/dev/hidraw1", true, 1},
      {"MOCK0001", false, HIDBRIDGE_NO_ADAPTER},  // never the other board instead
      {"MOCK9999", true, HIDBRIDGE_NO_ADAPTER},
      {"/dev/hidraw0", true, HIDBRIDGE_NO_ADAPTER},  // the keyboard is no adapter
      {"mock0002", true, HIDBRIDGE_NO_ADAPTER},
  };
  for (const Case& c : cases) {
    if (c.wanted) {
      setenv(ADAPTER_VARIABLE, c.wanted, 1);
    } else {
      unsetenv(ADAPTER_VARIABLE);
    }
    first->setMode(c.firstOpens ? AdapterMode::answer : AdapterMode::refuseOpen);
    EXPECT_EQ(readi2c(chipAddress, probeRegister), c.expected)
        << (c.wanted ? c.wanted : "(unset)") << (c.firstOpens ? "" : ", first refuses");
  }
  setenv(ADAPTER_VARIABLE, "MOCK0002", 1);
  first->setMode(AdapterMode::answer);
  EXPECT_EQ(writei2c(chipAddress, 0x11, 0x77), HIDBRIDGE_DONE);
  EXPECT_EQ(secondChip.peek(0x11), 0x77);
  EXPECT_EQ(firstChip.peek(0x11), 0x00);
}

TEST_F(AdapterChoice, ListingNamesEachAdapterAndWhetherItOpens) {
  first->setMode(AdapterMode::refuseOpen);
  const std::vector<qv::bridge::AdapterFacts> found = qv::bridge::ListAdapters();
  ASSERT_EQ(found.size(), 2U) << "the keyboard is not listed";
  EXPECT_EQ(found[0].path, fixtures::adapterNode);
  EXPECT_EQ(found[0].serial, "MOCK0001");
  EXPECT_EQ(found[0].product, "Mock I2C Bridge");
  EXPECT_FALSE(found[0].mayOpen);
  EXPECT_EQ(found[0].whyNot, "Permission denied") << "as for a node the user may not open";
  EXPECT_EQ(found[1].path, fixtures::secondAdapterNode);
  EXPECT_EQ(found[1].serial, "MOCK0002");
  EXPECT_TRUE(found[1].mayOpen);
  EXPECT_TRUE(first->commands().empty() && second->commands().empty()) << "nothing is sent";
}

}  // namespace
