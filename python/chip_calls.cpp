#include "python/chip_calls.h"

#include <sstream>
#include <utility>

#include "app/chip_readback.h"
#include "cli/diff_command.h"
#include "files/panel/baseline.h"
#include "files/panel/current_setup.h"
#include "model/chip_reading.h"
#include "plan/panel/register_decoding.h"
#include "python/setup_calls.h"
#include "tools/sim/chip.h"

namespace qv::python {

// The program for one call on this chip; what the call transferred joins the
// chip's log when it ends, however it ends.
class ChipLink::Call {
 public:
  Call(ChipLink& link, Workspace::Link mode) : link_(link), workspace_(mode, Route()) {}
  ~Call() {
    const std::scoped_lock lock(link_.logMutex_);
    link_.log_.insert(link_.log_.end(), transfers_.begin(), transfers_.end());
  }
  Call(const Call&) = delete;
  Call& operator=(const Call&) = delete;

  Workspace& workspace() { return workspace_; }

 private:
  ChipRoute Route() { return {link_.adapter_, link_.simulated_.get(), &transfers_}; }

  ChipLink& link_;
  std::vector<Transfer> transfers_;  // before the workspace, which fills it
  Workspace workspace_;
};

namespace {

RegisterImage ReadAllRegisters(const cli::CliSession& session) {
  const ChipRegisterReading reading = ReadChipRegisters();
  if (reading.ok()) return reading.registers;
  RefuseChip(session.ChipFailureText(*session.LastTransfer()));
}

}  // namespace

ChipLink::ChipLink(std::string adapter)
    : adapter_(std::move(adapter)),
      simulated_(adapter_ == SIMULATED_ADAPTER ? std::make_unique<sim::Chip>() : nullptr) {}

ChipLink::~ChipLink() = default;

void ChipLink::Check() { const Call call(*this, Workspace::Link::ReadOnly); }

void ChipLink::Apply(const SetupState& setup, bool force) {
  RefuseFailingPlan(setup, force, "apply");
  Call call(*this, Workspace::Link::Online);
  call.workspace().Hold(setup);
  const cli::CliSession& session = call.workspace().Session();
  std::string failure = session.ChipWriteFailureText();
  if (failure.empty()) return;
  failure.pop_back();
  const std::optional<WholeSetChange>& partial = session.PartialWholeSetWrite();
  throw PartlyProgrammed(failure, partial ? partial->transfers : 0, partial ? partial->reached : 0);
}

SetupState ChipLink::Read(const std::optional<SetupState>& like) {
  Call call(*this, Workspace::Link::ReadOnly);
  if (like) ApplyBoardSettings(like->contents);
  ShowRegisterImage(ReadAllRegisters(call.workspace().Session()));
  SetBaselineToCurrent(BaselineOrigin::Chip);
  return call.workspace().Held();
}

Verification ChipLink::Verify(const SetupState& expected, const std::string& name) {
  Call call(*this, Workspace::Link::ReadOnly);
  const ConfigurationDiff mismatches = VerifyChipRegisters(
      expected.contents.registers, ReadAllRegisters(call.workspace().Session()));
  Verification verification;
  verification.fieldsDocument = cli::DiffJson(mismatches, name, "the chip")["fields"].dump(
      -1, ' ', true, cli::Json::error_handler_t::replace);
  for (const FieldChange& change : mismatches.fields) {
    verification.lines.push_back(MismatchLine(change));
  }
  verification.summary = VerificationSummary(mismatches, name);
  return verification;
}

std::vector<Transfer> ChipLink::Transfers() const {
  const std::scoped_lock lock(logMutex_);
  return log_;
}

}  // namespace qv::python
