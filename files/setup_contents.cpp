#include "files/setup_contents.h"

namespace qv {

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
