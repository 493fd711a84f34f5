#include "files/panel/baseline.h"

#include <filesystem>
#include <utility>

#include "base/listeners.h"
#include "files/panel/current_setup.h"
#include "plan/configuration_diff.h"
#include "plan/panel/register_decoding.h"

namespace qv {
namespace {

struct BaselineState {
  BaselineSnapshot snapshot;
  SavedPoint saved;
  // Where the setup image came from: what Reset To Last Setup File returns to.
  BaselineOrigin imageOrigin = BaselineOrigin::Start;
  std::string imagePath;
  int wholeSetListener = 0;
  Listeners<> listeners;
};

BaselineState& State() {
  static BaselineState state;
  return state;
}

bool SetsSetupImage(BaselineOrigin origin) {
  return origin == BaselineOrigin::SetupFile || origin == BaselineOrigin::Saved ||
         origin == BaselineOrigin::JsonExport;
}

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// Asked on every recalculation, so by value, never by describing the difference.
bool Differs(const SetupContents& reference, const SetupContents& now) {
  return !SameRegisters(reference.registers, now.registers, LookAheadBit::Ignored) ||
         !SameBoard(BoardOf(reference), BoardOf(now));
}

ConfigurationDiff RegisterChanges() {
  return CompareRegisters(Baseline().setup.registers, CurrentSetup().registers,
                          LookAheadBit::Ignored);
}

void TellListeners() { State().listeners.Tell(); }

void SetBaseline(BaselineOrigin origin, std::string path, bool savedHere) {
  BaselineState& state = State();
  if (SetsSetupImage(origin)) {
    state.imageOrigin = origin;
    state.imagePath = path;
  }
  state.snapshot = {CurrentSetup(), origin, std::move(path)};
  // What was saved stays what would be lost; only the file no longer holds the plan.
  if (origin == BaselineOrigin::Imported) state.saved.file.clear();
  if (savedHere) {
    const bool file = origin == BaselineOrigin::SetupFile || origin == BaselineOrigin::Saved;
    state.saved = {state.snapshot.setup, file ? state.snapshot.path : std::string()};
  }
  TellListeners();
}

}  // namespace

const BaselineSnapshot& Baseline() { return State().snapshot; }

void SetBaselineToCurrent(BaselineOrigin origin, std::string path) {
  SetBaseline(origin, std::move(path),
              origin != BaselineOrigin::JsonExport && origin != BaselineOrigin::Imported);
}

void SetBaselineToLastSetupImage() { SetBaseline(State().imageOrigin, State().imagePath, false); }

bool DiffersFromBaseline() { return Differs(Baseline().setup, CurrentSetup()); }

const SavedPoint& LastSaved() { return State().saved; }

const std::string& OpenSetupFile() { return State().saved.file; }

bool HasUnsavedChanges() { return Differs(LastSaved().setup, CurrentSetup()); }

BaselineRecord CurrentBaselineRecord() { return {State().snapshot, State().saved}; }

void RestoreBaselineRecord(const BaselineRecord& record) {
  // What Reset To Last Setup File returns to stays with the setup image.
  State().snapshot = record.baseline;
  State().saved = record.saved;
  TellListeners();
}

std::array<bool, REGISTER_COUNT> RegistersChangedSinceBaseline() {
  std::array<bool, REGISTER_COUNT> changed{};
  for (const RegisterChange& change : RegisterChanges().registers) changed[change.reg] = true;
  return changed;
}

std::string BaselineEvent() {
  const BaselineSnapshot& baseline = Baseline();
  switch (baseline.origin) {
    case BaselineOrigin::Defaults: return "the reset to defaults";
    case BaselineOrigin::SetupFile: return "loading " + FileName(baseline.path);
    case BaselineOrigin::Saved: return "saving " + FileName(baseline.path);
    case BaselineOrigin::JsonExport: return "the JSON export " + FileName(baseline.path);
    case BaselineOrigin::Chip: return "reading the chip";
    case BaselineOrigin::Imported: return "importing " + FileName(baseline.path);
    case BaselineOrigin::Start:
    default: return "the start of the program";
  }
}

std::string ConfigurationSource() {
  const BaselineSnapshot& baseline = Baseline();
  const bool fromFile =
      baseline.origin == BaselineOrigin::SetupFile || baseline.origin == BaselineOrigin::Saved;
  if (DiffersFromBaseline()) return "the panel, changed since " + BaselineEvent();
  if (fromFile) return baseline.path;
  switch (baseline.origin) {
    case BaselineOrigin::Chip: return "the chip, as read back";
    case BaselineOrigin::JsonExport: return "the panel, as exported to " + baseline.path;
    case BaselineOrigin::Imported: return "the registers imported from " + baseline.path;
    default: return "the power-on defaults";
  }
}

int AddBaselineListener(std::function<void()> listener) {
  return State().listeners.Add(std::move(listener));
}
void RemoveBaselineListener(int id) { State().listeners.Remove(id); }

void ResetBaseline() {
  RemoveWholeSetListener(State().wholeSetListener);
  State() = {};
}

void StartBaseline() {
  BaselineState& state = State();
  RemoveWholeSetListener(state.wholeSetListener);
  state.imageOrigin = BaselineOrigin::Start;
  state.imagePath.clear();
  state.wholeSetListener = AddWholeSetListener([](const WholeSetChange& change) {
    if (change.set == WholeSet::Defaults) SetBaselineToCurrent(BaselineOrigin::Defaults);
  });
  SetBaselineToCurrent(BaselineOrigin::Start);
}

}  // namespace qv
