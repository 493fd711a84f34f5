#include "plan/register_decoding.h"

#include <array>

#include "model/field_codec.h"
#include "model/fields.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "model/value_variables.h"
#include "model/write_path.h"
#include "plan/frequency_engine.h"
#include "plan/output_format.h"
#include "plan/register_fields.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

int Reg(int index) { return *RegisterTable[index].variable; }

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

void DecodeMaps() {
  for (const FrequencyMap& map : kFrequencyMaps) {
    *map.pll1N = codec::DecodeN(Reg(map.regPll1N));
    *map.pll2N = codec::DecodeN(Reg(map.regPll2N));
    *map.frac = codec::DecodeFrac(Reg(map.regFracHigh), Reg(map.regFracModShared));
    *map.mod = codec::DecodeMod(Reg(map.regFracModShared), Reg(map.regModLow));
    for (const OutputPath& out : map.outputs) {
      *out.v = codec::DecodeV(Reg(out.reg));
      *out.d = codec::DecodeD(Reg(out.reg));
    }
  }
}

}  // namespace

void LoadDefaultRegisters() {
  LoadRegisterDefaults();
  WriteAllRegisters();
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
  for (int index = 0; index < REGISTER_COUNT; ++index) {
    *RegisterTable[index].variable = SetupImage[index];
  }
  WriteAllRegisters();

  DecodeMaps();
  fracstep = codec::DecodeSignedByte(BS1);
  numstep = codec::DecodeNumStep(BS2, BS3);
  ckdiv = codec::DecodeCkDiv(BS3);
  refdiv = (G0 & 0x02) >> 1;
  sync1 = ADV2 & 1;
  sync2 = BDV2 & 1;
  OutputFormatPll2 = codec::DecodeFormatPll2(DR1);
  OutputFormatPll1 = codec::DecodeFormatPll1(DR1);

  ShowRegisterFields();
  SetCurrOutputFormat();
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
