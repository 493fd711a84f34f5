#pragma once
// The chip from Python, on the code of qv3380 apply, read and verify: the same
// start, the same whole-set sequence through the write path, the same
// read-back and comparison, the same refusals.

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "model/write_path.h"
#include "python/workspace.h"

namespace qv::python {

// The adapter name that stands for a chip simulated in the process.
inline constexpr const char* SIMULATED_ADAPTER = "sim";

// A whole set that did not all reach the chip: how much did.
class PartlyProgrammed : public Refused {
 public:
  PartlyProgrammed(const std::string& message, int transfers, int reached)
      : Refused(Refusal::Chip, message), transfers_(transfers), reached_(reached) {}
  int transfers() const { return transfers_; }
  int reached() const { return reached_; }

 private:
  int transfers_;
  int reached_;
};

// The fields in which the chip differs from a setup: the "fields" of a diff's
// document from the setup to the chip, a line each as qv3380 verify prints
// them, and the summary.
struct Verification {
  std::string fieldsDocument;
  std::vector<std::string> lines;
  std::string summary;
};

// One chip, through the adapter named by serial number or hidraw path (empty:
// QV3380_ADAPTER, or else the first), or simulated in the process ("sim"),
// with every transfer made to it kept in order.
class ChipLink {
 public:
  explicit ChipLink(std::string adapter);
  ~ChipLink();
  ChipLink(const ChipLink&) = delete;
  ChipLink& operator=(const ChipLink&) = delete;

  const std::string& adapter() const { return adapter_; }
  bool simulated() const { return simulated_ != nullptr; }

  // The connection check's read; nothing is written.
  void Check();
  // qv3380 apply: online, the connection check, then the whole set.
  // Refused as `qv3380 apply` refuses a plan whose checks fail, unless forced.
  void Apply(const SetupState& setup, bool force);
  // qv3380 read [--like]: the chip's registers with the pins and reference
  // settings of `like`, or those of a fresh start.
  SetupState Read(const std::optional<SetupState>& like);
  // qv3380 verify; `name` names the setup in the summary.
  Verification Verify(const SetupState& expected, const std::string& name);

  std::vector<Transfer> Transfers() const;

 private:
  class Call;

  const std::string adapter_;
  const std::unique_ptr<sim::Chip> simulated_;
  mutable std::mutex logMutex_;
  std::vector<Transfer> log_;
};

}  // namespace qv::python
