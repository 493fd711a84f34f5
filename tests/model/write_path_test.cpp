// What reaches the chip, in which order, with which pauses.

#include <gtest/gtest.h>

#include <vector>

#include "bridge/hidbridge.h"
#include "model/registers.h"
#include "model/write_path.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using test::AcquisitionSequence;
using test::Bridge;
using test::Describe;
using test::WireEvent;
using W = WireEvent;

std::vector<WireEvent> Concat(std::initializer_list<std::vector<WireEvent>> parts) {
  std::vector<WireEvent> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class WritePathTest : public test::ProgramTest {};

TEST_F(WritePathTest, OneRegisterChangeOnline) {
  StartOnlineConnected();
  AF0 = 0x1E;
  WriteRegister(IDX_AF0, 1, 1);
  EXPECT_EQ(Bridge().log,
            Concat({{W::Write(0x40, 0x02), W::Write(0x18, 0x1E)}, AcquisitionSequence()}))
      << Describe(Bridge().log);
}

TEST_F(WritePathTest, TwoRegisterChangeEnablesOnceAndAcquiresOnce) {
  StartOnlineConnected();
  BF0 = 0xAB;
  BF1 = 0xC0;
  WriteRegister(IDX_BF0, 1, 0);
  WriteRegister(IDX_BF1, 0, 1);
  EXPECT_EQ(Bridge().log,
            Concat({{W::Write(0x40, 0x02), W::Write(0x19, 0xAB), W::Write(0x1A, 0xC0)},
                    AcquisitionSequence()}))
      << Describe(Bridge().log);
}

TEST_F(WritePathTest, PowerOrSyncChangeHasNoAcquisitionAndNoPause) {
  StartOnlineConnected();
  G0 = 0x08;
  WriteRegister(IDX_G0, 1, 0);
  EXPECT_EQ(Bridge().log, (std::vector{W::Write(0x40, 0x02), W::Write(0x3D, 0x08)}));
}

TEST_F(WritePathTest, NegativeStepReachesTheChipAsItsByte) {
  StartOnlineConnected();
  BS1 = -1;
  WriteRegister(IDX_BS1, 0, 0);
  EXPECT_EQ(Bridge().log, (std::vector{W::Write(0x2A, 0xFF)}));
  EXPECT_EQ(BS1, -1) << "the variable keeps the signed step";
}

TEST_F(WritePathTest, LookAheadKeepsOtherBitsOfC0) {
  StartOnlineConnected();
  C0 = 0x1F1;
  QV3380_EnableLookAheads();
  EXPECT_EQ(C0, 0xF3) << "bit 1 set, bits above 7 cleared";
  EXPECT_EQ(Bridge().log, (std::vector{W::Write(0x40, 0xF3)}));
}

TEST_F(WritePathTest, OfflineSendsNothingAndKeepsC0) {
  StartOffline();
  ClearWire();
  AF0 = 0x1E;
  WriteRegister(IDX_AF0, 1, 1);
  QV3380_EnableLookAheads();
  QV3380_Acquire();
  EXPECT_TRUE(Bridge().log.empty()) << Describe(Bridge().log);
  EXPECT_EQ(C0, 0x00);
  EXPECT_DOUBLE_EQ(ui.virtualSeconds, 0.0);
}

TEST_F(WritePathTest, AcquireButtonPulsesRegister1FAndLeavesX0) {
  StartOnlineConnected();
  X0 = 0x55;
  ASSERT_EQ(Press(InitiateAcquisition), UIE_NO_ERROR);
  EXPECT_EQ(Bridge().log, (std::vector{W::Write(0x40, 0x02), W::Write(0x1F, 0x01), W::Pause(0.25),
                                       W::Write(0x1F, 0x00), W::Pause(0.25)}))
      << Describe(Bridge().log);
  EXPECT_EQ(X0, 0x55);
}

TEST_F(WritePathTest, AcquireButtonIsDimmedOffline) {
  StartOffline();
  EXPECT_EQ(Press(InitiateAcquisition), UIE_NOT_AVAILABLE);
}

TEST_F(WritePathTest, FailedWritesAreIgnoredButEveryTransferIsPublished) {
  StartOnlineConnected();
  std::vector<Transfer> seen;
  const int id = AddTransferObserver([&](const Transfer& t) { seen.push_back(t); });
  Bridge().forcedResult = HIDBRIDGE_NO_ADAPTER;
  AF0 = 0x1E;
  WriteRegister(IDX_AF0, 1, 1);
  EXPECT_EQ(Bridge().Writes().size(), 10u) << "every write of the group still runs";
  EXPECT_EQ(AF0, 0x1E);
  ASSERT_EQ(seen.size(), 10u);
  EXPECT_EQ(seen[1].address, 0x18u);
  EXPECT_EQ(seen[1].value, 0x1E);
  EXPECT_EQ(seen[1].result, HIDBRIDGE_NO_ADAPTER);
  EXPECT_TRUE(seen[1].Failed());
  Bridge().forcedResult.reset();
  Bridge().chip[0x3F] = 0x5A;
  ReadChipByte(0x3F);
  EXPECT_EQ(seen.back().kind, Transfer::Kind::Read);
  EXPECT_EQ(seen.back().value, 0x5A);
  EXPECT_FALSE(seen.back().Failed());
  RemoveTransferObserver(id);
  WriteRegister(IDX_AF0, 0, 0);
  EXPECT_EQ(seen.size(), 11u) << "a removed observer hears nothing more";
}

TEST_F(WritePathTest, ChipExchangesShowTheBusyCursorOnce) {
  StartOnlineConnected();
  ui.busyChanges = 0;
  WriteRegister(IDX_AF0, 1, 1);
  EXPECT_EQ(ui.busyChanges, 2) << "on once for the whole group, then off";
  EXPECT_FALSE(ui.busy);
}

}  // namespace
}  // namespace qv
