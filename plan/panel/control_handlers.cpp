#include "plan/panel/control_handlers.h"

#include <array>
#include <initializer_list>

#include "model/fields.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "model/value_variables.h"
#include "model/write_path.h"
#include "plan/panel/frequency_engine.h"
#include "plan/panel/output_format.h"
#include "plan/panel/register_decoding.h"
#include "plan/panel/register_fields.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// The registers of one change, in ascending order: look-ahead before the
// first write, acquisition (when wanted) after the last.
void WriteChange(std::initializer_list<int> indices, bool acquire) {
  const int* last = indices.end() - 1;
  for (const int* index = indices.begin(); index != indices.end(); ++index) {
    WriteRegister(*index, index == indices.begin(), index == last && acquire);
  }
}

// A frequency-setting field: its registers, then one acquisition.
void EncodeAndWrite(const RegisterField& field) {
  const ChipField& chip = *field.field;
  WriteField(chip, *field.variable);
  const auto spans = chip.Spans();
  if (spans.size() == 1) {
    WriteChange({spans[0].reg}, true);
  } else {
    WriteChange({spans[0].reg, spans[1].reg}, true);
  }
}

}  // namespace

int OnRegisterFieldCommitted(int, int control, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  const RegisterField* field = FindRegisterField(control);
  if (!field) return 0;
  GetCtrlVal(panelHandle, control, field->variable);
  EncodeAndWrite(*field);
  RecalculateFrequencies();
  return 0;
}

int OnSwitchCommitted(int, int control, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  const SwitchField* field = FindSwitchField(control);
  if (!field) return 0;
  int value = 0;
  GetCtrlVal(panelHandle, control, &value);
  if (field->variable) *field->variable = value;
  const bool on = value == 1;
  for (SharedField bit : field->Fields())
    WriteField(FieldOf(bit), SwitchBitValue(FieldOf(bit), on));
  // Only the bleed/SDM pair changes how the modulator runs, so only it acquires.
  const auto reg = [](SharedField bit) { return FieldOf(bit).spans[0].reg; };
  if (field->fieldCount == 1) {
    WriteChange({reg(field->fields[0])}, false);
  } else {
    WriteChange({reg(field->fields[0]), reg(field->fields[1])}, true);
  }
  if (field->recompute) RecalculateFrequencies();
  return 0;
}

void WriteSscgRegisters() {
  GetCtrlVal(panelHandle, FRACSTEP, &fracstep);
  GetCtrlVal(panelHandle, NUMSTEP, &numstep);
  GetCtrlVal(panelHandle, CKDIV, &ckdiv);
  BS1 = fracstep;  // the whole register; a negative step goes out as its byte
  WriteField(FieldOf(SharedField::StepCount), numstep);
  WriteField(FieldOf(SharedField::ClockDivider), ckdiv);
  WriteChange({IDX_BS1, IDX_BS2, IDX_BS3}, true);
  RecalculateFrequencies();
}

int SetAnySscgRegister(int, int control, int event, void*, int, int) {
  if (event == EVENT_COMMIT) {
    WriteSscgRegisters();
  } else if (event == EVENT_VAL_CHANGED && (control == NUMSTEP || control == CKDIV)) {
    int value = 0, minimum = 0;
    GetCtrlVal(panelHandle, control, &value);
    GetCtrlAttribute(panelHandle, control, ATTR_MIN_VALUE, &minimum);
    if (value < minimum) SetCtrlVal(panelHandle, control, minimum);
  }
  return 0;
}

int SetCrystalFreq(int, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) RecalculateFrequencies();
  return 0;
}

int SetRefFreq(int, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) RecalculateFrequencies();
  return 0;
}

int OnAnyPinChanged(int, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) RecalculateFrequencies();
  return 0;
}

std::span<const CallbackBinding> PlanCallbacks() {
  constexpr CtrlCallbackPtr field = OnRegisterFieldCommitted;
  constexpr CtrlCallbackPtr toggle = OnSwitchCommitted;
  // clang-format off
  static const auto kBindings = std::to_array<CallbackBinding>({
      {"SetRefDiv", field},     {"SetPll1N", field},       {"SetPll2N", field},
      {"SetPll2Frac", field},   {"SetPll2Mod", field},     {"SetOut0V", field},
      {"SetOut1V", field},      {"SetOut2V", field},       {"SetOut3V", field},
      {"SetOut0D", field},      {"SetOut1D", field},       {"SetOut2D", field},
      {"SetOut3D", field},      {"SetPll1N_M", field},     {"SetPll2N_M", field},
      {"SetPll2Frac_M", field}, {"SetPll2Mod_M", field},   {"SetOut0V_M", field},
      {"SetOut1V_M", field},    {"SetOut2V_M", field},     {"SetOut3V_M", field},
      {"SetOut0D_M", field},    {"SetOut1D_M", field},     {"SetOut2D_M", field},
      {"SetOut3D_M", field},    {"PLL1_Power", toggle},    {"PLL2_Power", toggle},
      {"SetBleedSdm", toggle},  {"CH0_power", toggle},     {"CH1_Power", toggle},
      {"CH2_Power", toggle},    {"CH3_Power", toggle},     {"REF_Power", toggle},
      {"PLL1_Sync", toggle},    {"PLL2_Sync", toggle},
      {"SetAnySscgRegister", CtrlCallbackPtr{SetAnySscgRegister}},
      {"SetCrystalFreq", CtrlCallbackPtr{SetCrystalFreq}},
      {"SetRefFreq", CtrlCallbackPtr{SetRefFreq}},
      {"OnAnyPinChanged", CtrlCallbackPtr{OnAnyPinChanged}},
      {"SetPll1OutputFormat", CtrlCallbackPtr{SetPll1OutputFormat}},
      {"SetPll2OutputFormat", CtrlCallbackPtr{SetPll2OutputFormat}},
  });
  // clang-format on
  return kBindings;
}

}  // namespace qv
