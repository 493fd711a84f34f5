#include "plan/panel/register_decoding.h"

#include <array>
#include <utility>

#include "base/listeners.h"
#include "model/fields.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "model/value_variables.h"
#include "model/write_path.h"
#include "plan/panel/frequency_engine.h"
#include "plan/panel/frequency_maps.h"
#include "plan/panel/output_format.h"
#include "plan/panel/register_fields.h"
#include "plan/whole_set_sequence.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

Listeners<int, int>& ProgressListeners() {
  static Listeners<int, int> listeners;
  return listeners;
}

// Counts a whole set's steps as they reach the chip, for whoever shows them.
class Progress {
 public:
  explicit Progress(bool withFormats)
      : steps_(static_cast<int>(WholeSetSequence(RegisterImage{}).size()) - (withFormats ? 0 : 1)),
        shown_(OpMode != OPMODE_OFFLINE && !ProgressListeners().Empty()),
        observer_(shown_ ? AddTransferObserver([this](const Transfer&) { Step(); }) : 0) {
    if (shown_) ProgressListeners().Tell(0, steps_);
  }
  ~Progress() { RemoveTransferObserver(observer_); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void Step() {
    if (shown_) ProgressListeners().Tell(++done_, steps_);
  }

 private:
  const int steps_;
  const bool shown_;
  const int observer_;
  int done_ = 0;
};

// All 32 registers, then one look-ahead enable and one acquisition, whose
// pause counts as a step of its own.
void WriteAllRegisters(Progress& progress) {
  for (int index = 0; index < REGISTER_COUNT; ++index) WriteRegister(index, 0, 0);
  QV3380_EnableLookAheads();
  QV3380_Acquire();
  progress.Step();
}

void ShowRegisterFields() {
  for (const RegisterField& field : RegisterFields()) {
    SetCtrlVal(panelHandle, field.control, *field.variable);
  }
}

void ShowSpreadSpectrum() {
  SetCtrlVal(panelHandle, FRACSTEP, fracstep);
  SetCtrlVal(panelHandle, NUMSTEP, numstep);
  SetCtrlVal(panelHandle, CKDIV, ckdiv);
}

// The power switches as the registers say; the bleed bit is not shown, the
// Bleed & SDM switch follows the modulator alone.
struct PowerDisplay {
  int control;
  int (*powered)();
};

constexpr std::array<PowerDisplay, 8> kPowerDisplays{{
    {PLL1POWER, IsPll1Powered},
    {PLL2POWER, IsPll2Powered},
    {CH0POWER, [] { return IsOutputPowered(0); }},
    {CH1POWER, [] { return IsOutputPowered(1); }},
    {CH2POWER, [] { return IsOutputPowered(2); }},
    {CH3POWER, [] { return IsOutputPowered(3); }},
    {REFPOWER, IsRefOutPowered},
    {BLEEDSDM, IsSdmPowered},
}};

// Every field a control or a value variable shows, from the registers.
void DecodeFields() {
  for (const RegisterField& field : RegisterFields()) *field.variable = ReadField(*field.field);
  fracstep = ReadField(SharedField::StepSize);
  numstep = ReadField(SharedField::StepCount);
  ckdiv = ReadField(SharedField::ClockDivider);
  for (int pll = 0; pll < PLL_COUNT; ++pll) *kSyncFlags[pll] = ReadField(kPlls[pll].sync);
  OutputFormatPll2 = ReadField(kPlls[1].format);
  OutputFormatPll1 = ReadField(kPlls[0].format);
}

// The decoded registers on the panel; online the format codes go out again
// unless the set is only shown.
void DecodeAndShow(bool sendFormats) {
  DecodeFields();
  ShowRegisterFields();
  if (sendFormats) {
    SetCurrOutputFormat();
  } else {
    ShowOutputFormats();
  }
  ShowSpreadSpectrum();
  SetCtrlVal(panelHandle, PLL1SYNC, sync1);
  SetCtrlVal(panelHandle, PLL2SYNC, sync2);
  for (const PowerDisplay& power : kPowerDisplays) {
    SetCtrlVal(panelHandle, power.control, power.powered());
  }
  RecalculateFrequencies();
}

Listeners<const WholeSetChange&>& WholeSetListeners() {
  static Listeners<const WholeSetChange&> listeners;
  return listeners;
}

void Tell(WholeSet set, const TransferTally* tally = nullptr) {
  WholeSetChange change{set, 0, 0, std::nullopt};
  if (tally) change = {set, tally->transfers(), tally->reached(), tally->firstFailure()};
  WholeSetListeners().Tell(change);
}

void ApplyWholeSet(const RegisterImage& registers, WholeSet set) {
  SetRegisters(registers);
  // Online, DR1 goes out once more as the formats are shown: part of the whole set.
  const TransferTally tally;
  Progress progress(true);
  WriteAllRegisters(progress);
  DecodeAndShow(true);
  Tell(set, &tally);
}

}  // namespace

void LoadDefaultRegisters() {
  LoadRegisterDefaults();
  const TransferTally tally;
  Progress progress(false);
  WriteAllRegisters(progress);
  SetValueVariablesToStartValues();
  ShowRegisterFields();
  for (const PowerDisplay& power : kPowerDisplays) {
    SetCtrlVal(panelHandle, power.control, power.control == BLEEDSDM ? 0 : 1);
  }
  SetCtrlVal(panelHandle, PLL1SYNC, 0);
  SetCtrlVal(panelHandle, PLL2SYNC, 0);
  numstep = fracstep = ckdiv = 0;
  ShowSpreadSpectrum();
  SetDefaultOutputFormat();
  RecalculateFrequencies();
  Tell(WholeSet::Defaults, &tally);
}

void ApplyRegistersToPanel() { ApplyWholeSet(SetupImage, WholeSet::SetupImage); }

void ApplyRegisterImage(const RegisterImage& registers) {
  ApplyWholeSet(registers, WholeSet::Restored);
}

void ShowRegisterImage(const RegisterImage& registers) {
  SetRegisters(registers);
  DecodeAndShow(false);
  Tell(WholeSet::Image);
}

int AddWholeSetListener(WholeSetListener listener) {
  return WholeSetListeners().Add(std::move(listener));
}
void RemoveWholeSetListener(int id) { WholeSetListeners().Remove(id); }
int AddWholeSetProgressListener(WholeSetProgressListener listener) {
  return ProgressListeners().Add(std::move(listener));
}
void RemoveWholeSetProgressListener(int id) { ProgressListeners().Remove(id); }

void ClearWholeSetListeners() {
  WholeSetListeners().Clear();
  ProgressListeners().Clear();
}

}  // namespace qv
