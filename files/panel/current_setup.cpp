#include "files/panel/current_setup.h"

#include "base/text_format.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "plan/panel/plan_inputs.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// What REFFREQ shows of a loaded frequency.
constexpr std::size_t REFFREQ_TEXT_LENGTH = 14;

}  // namespace

SetupContents CurrentSetup() {
  SetupContents setup;
  const RegisterImage registers = CurrentRegisters();
  for (int i = 0; i < REGISTER_COUNT; ++i) setup.registers[i] = registers[i] & 0xFF;
  for (std::size_t i = 0; i < SETUP_PIN_COUNT; ++i) {
    int level = 0;
    GetCtrlVal(panelHandle, kSetupPinControls[i], &level);
    setup.pins[i] = level != 0 ? 1 : 0;
  }
  setup.crystalIndex = static_cast<unsigned>(GetCrystalIndex());
  setup.externalRefclkMHz = GetExternalRefclkFrequency() / 1e6;
  return setup;
}

// Pins and reference settings go first, so the recomputation of a whole-set
// load already plans with them.
void ApplyBoardSettings(const SetupContents& contents) {
  for (std::size_t i = 0; i < SETUP_PIN_COUNT; ++i) {
    SetCtrlVal(panelHandle, kSetupPinControls[i], contents.pins[i]);
  }
  SetCtrlVal(panelHandle, CrystalFreq, static_cast<int>(contents.crystalIndex));
  std::array<char, REFFREQ_TEXT_LENGTH + 1> refclk{};
  FormatInto(refclk, "%f", contents.externalRefclkMHz);
  SetCtrlVal(panelHandle, REFFREQ, refclk.data());
}

}  // namespace qv
