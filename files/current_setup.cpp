#include "files/current_setup.h"

#include "files/setup_file_format.h"
#include "model/registers.h"
#include "plan/frequency_engine.h"

namespace qv {

SetupContents CurrentSetup() {
  SetupContents setup;
  const RegisterImage registers = CurrentRegisters();
  for (int i = 0; i < REGISTER_COUNT; ++i) setup.registers[i] = registers[i] & 0xFF;
  for (std::size_t i = 0; i < kSetupPins.size(); ++i)
    setup.pins[i] = kSetupPins[i].read() != 0 ? 1 : 0;
  setup.crystalIndex = static_cast<unsigned>(GetCrystalIndex());
  setup.externalRefclkMHz = GetExternalRefclkFrequency() / 1e6;
  return setup;
}

BoardInputs BoardOf(const SetupContents& setup) {
  // The pins in file order: REFSEL, MARGIN, SSCG, MAX_BW.
  return {setup.pins[0] != 0,
          setup.pins[1] != 0,
          setup.pins[2] != 0,
          setup.pins[3] != 0,
          static_cast<int>(setup.crystalIndex),
          setup.externalRefclkMHz * 1e6};
}

Configuration ConfigurationOf(const SetupContents& setup) {
  return {setup.registers, BoardOf(setup)};
}

}  // namespace qv
