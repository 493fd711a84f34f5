#pragma once
// A stand-in for the adapter library: logs every transfer together with the
// front end's pauses and answers reads from a register file.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv::test {

struct WireEvent {
  enum class Kind { Write, Read, Delay };
  Kind kind;
  int device = 0;
  int reg = 0;
  int value = 0;  // written byte, or the answer to a read
  double seconds = 0.0;

  static WireEvent Write(int reg, int value, int device = 0x80) {
    return {Kind::Write, device, reg, value, 0.0};
  }
  static WireEvent Pause(double seconds) { return {Kind::Delay, 0, 0, 0, seconds}; }
  bool operator==(const WireEvent&) const = default;
};

// What the chip receives after a change that acquires: eight writes, then the pause.
std::vector<WireEvent> AcquisitionSequence();
// The writes given, followed by the acquisition sequence.
std::vector<WireEvent> WithAcquisition(std::vector<WireEvent> writes);

std::string Describe(const WireEvent& event);
std::string Describe(const std::vector<WireEvent>& events);

struct RecordingBridge {
  std::vector<WireEvent> log;
  // What the chip holds; reads answer from here and writes land here.
  std::array<int, 256> chip{};
  // When set, every call returns this instead: a negative HidBridgeResult, or 0
  // (a read of 0).
  std::optional<int> forcedResult;
  // When set, the adapter is gone after this many more transfers: every later
  // call finds no adapter.
  std::optional<int> transfersUntilUnplugged;
  // When set, reads of this register address alone return this negative result.
  std::optional<std::pair<int, int>> failingRead;
  // Told of each transfer as it is logged, on the thread that made it.
  std::function<void(const WireEvent&)> onTransfer;

  void Reset();
  void RecordDelay(double seconds) { log.push_back(WireEvent::Pause(seconds)); }
  // The result the next transfer gets instead of the chip's, if any.
  std::optional<int> Interference();
  // Only the writes, without pauses or reads.
  std::vector<WireEvent> Writes() const;
};

RecordingBridge& Bridge();

}  // namespace qv::test
