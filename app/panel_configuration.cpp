#include "app/panel_configuration.h"

#include "files/panel/current_setup.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "model/write_path.h"
#include "plan/panel/register_decoding.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

RegisterImage WithoutLookAheadDifference(RegisterImage registers) {
  registers[IDX_C0] = WithLookAheadEnabled(registers[IDX_C0]);
  return registers;
}

}  // namespace

PanelConfiguration CapturePanelConfiguration() {
  PanelConfiguration now;
  now.registers = CurrentRegisters();
  for (std::size_t i = 0; i < kSetupPinControls.size(); ++i) {
    GetCtrlVal(panelHandle, kSetupPinControls[i], &now.pins[i]);
  }
  GetCtrlVal(panelHandle, CrystalFreq, &now.crystal);
  GetCtrlVal(panelHandle, REFFREQ, &now.refclkText);
  return now;
}

bool SameConfiguration(const PanelConfiguration& a, const PanelConfiguration& b) {
  return a.pins == b.pins && a.crystal == b.crystal && a.refclkText == b.refclkText &&
         WithoutLookAheadDifference(a.registers) == WithoutLookAheadDifference(b.registers);
}

void RestorePanelConfiguration(const PanelConfiguration& configuration) {
  for (std::size_t i = 0; i < kSetupPinControls.size(); ++i) {
    SetCtrlVal(panelHandle, kSetupPinControls[i], configuration.pins[i]);
  }
  SetCtrlVal(panelHandle, CrystalFreq, configuration.crystal);
  SetCtrlVal(panelHandle, REFFREQ, configuration.refclkText);
  ApplyRegisterImage(configuration.registers);
}

}  // namespace qv
