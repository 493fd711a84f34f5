#include "plan/register_decoding.h"

#include <array>
#include <map>

#include "model/fields.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "model/value_variables.h"
#include "model/write_path.h"
#include "plan/frequency_engine.h"
#include "plan/frequency_maps.h"
#include "plan/output_format.h"
#include "plan/register_fields.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

std::map<int, WholeSetListener>& WholeSetListeners() {
  static std::map<int, WholeSetListener> listeners;
  return listeners;
}

void Tell(const TransferTally& tally) {
  if (OpMode == OPMODE_OFFLINE) return;
  const WholeSetWrite outcome{tally.transfers(), tally.reached(), tally.firstFailure()};
  const auto listeners = WholeSetListeners();
  for (const auto& [id, listener] : listeners) listener(outcome);
}

// All 32 registers, then one look-ahead enable and one acquisition.
void WriteAllRegisters() {
  for (int index = 0; index < REGISTER_COUNT; ++index) WriteRegister(index, 0, 0);
  QV3380_EnableLookAheads();
  QV3380_Acquire();
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

}  // namespace

int AddWholeSetListener(WholeSetListener listener) {
  static int nextId = 1;
  WholeSetListeners()[nextId] = std::move(listener);
  return nextId++;
}

void RemoveWholeSetListener(int id) { WholeSetListeners().erase(id); }

void LoadDefaultRegisters() {
  LoadRegisterDefaults();
  const TransferTally tally;
  WriteAllRegisters();
  Tell(tally);
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
}

void ApplyRegistersToPanel() {
  SetRegisters(SetupImage);
  const TransferTally tally;
  WriteAllRegisters();
  DecodeFields();

  ShowRegisterFields();
  SetCurrOutputFormat();  // online, DR1 goes out once more: part of the whole set
  Tell(tally);
  ShowSpreadSpectrum();
  SetCtrlVal(panelHandle, PLL1SYNC, sync1);
  SetCtrlVal(panelHandle, PLL2SYNC, sync2);
  for (const PowerDisplay& power : kPowerDisplays) {
    SetCtrlVal(panelHandle, power.control, power.powered());
  }
  RecalculateFrequencies();
}

int ResetRegs(int, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) LoadDefaultRegisters();
  return 0;
}

void OnFileResetToDefaultsMenuClicked(int, int, void*, int) { LoadDefaultRegisters(); }

}  // namespace qv
