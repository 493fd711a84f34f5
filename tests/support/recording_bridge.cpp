#include "tests/support/recording_bridge.h"

#include <cstdio>

#include "bridge/hidbridge.h"

namespace qv::test {

RecordingBridge& Bridge() {
  static RecordingBridge bridge;
  return bridge;
}

void RecordingBridge::Reset() {
  log.clear();
  chip.fill(0);
  forcedResult.reset();
  transfersUntilUnplugged.reset();
  failingRead.reset();
  onTransfer = nullptr;
}

std::optional<int> RecordingBridge::Interference() {
  if (transfersUntilUnplugged) {
    if (*transfersUntilUnplugged == 0) return HIDBRIDGE_NO_ADAPTER;
    --*transfersUntilUnplugged;
  }
  return forcedResult;
}

std::vector<WireEvent> RecordingBridge::Writes() const {
  std::vector<WireEvent> writes;
  for (const WireEvent& event : log) {
    if (event.kind == WireEvent::Kind::Write) writes.push_back(event);
  }
  return writes;
}

std::vector<WireEvent> AcquisitionSequence() {
  using W = WireEvent;
  return {W::Write(0x07, 0x42), W::Write(0x07, 0xC2), W::Write(0x03, 0x07),
          W::Write(0x03, 0x03), W::Write(0x0F, 0x42), W::Write(0x0F, 0xC2),
          W::Write(0x0B, 0x07), W::Write(0x0B, 0x03), W::Pause(0.25)};
}

std::vector<WireEvent> WithAcquisition(std::vector<WireEvent> writes) {
  for (const WireEvent& event : AcquisitionSequence()) writes.push_back(event);
  return writes;
}

std::string Describe(const WireEvent& event) {
  char text[64];
  switch (event.kind) {
    case WireEvent::Kind::Write:
      std::snprintf(text, sizeof text, "W %02X:%02X=%02X", event.device, event.reg, event.value);
      break;
    case WireEvent::Kind::Read:
      std::snprintf(text, sizeof text, "R %02X:%02X->%d", event.device, event.reg, event.value);
      break;
    case WireEvent::Kind::Delay: std::snprintf(text, sizeof text, "D %.3gs", event.seconds); break;
  }
  return text;
}

std::string Describe(const std::vector<WireEvent>& events) {
  std::string text;
  for (const WireEvent& event : events) text += Describe(event) + "\n";
  return text;
}

}  // namespace qv::test

using qv::test::Bridge;
using qv::test::WireEvent;

extern "C" int readi2c(unsigned char deviceAddress, unsigned char registerAddress) {
  int answer = Bridge().Interference().value_or(Bridge().chip[registerAddress]);
  if (Bridge().failingRead && Bridge().failingRead->first == registerAddress) {
    answer = Bridge().failingRead->second;
  }
  Bridge().log.push_back({WireEvent::Kind::Read, deviceAddress, registerAddress, answer, 0.0});
  if (Bridge().onTransfer) Bridge().onTransfer(Bridge().log.back());
  return answer;
}

extern "C" int writei2c(unsigned char deviceAddress, unsigned char registerAddress,
                        unsigned short value) {
  const int byte = value & 0xFF;
  Bridge().log.push_back(WireEvent::Write(registerAddress, byte, deviceAddress));
  if (Bridge().onTransfer) Bridge().onTransfer(Bridge().log.back());
  if (const std::optional<int> result = Bridge().Interference()) return *result;
  Bridge().chip[registerAddress] = byte;
  return HIDBRIDGE_DONE;
}
