#pragma once
// The program's configuration as a setup file states it: the register
// variables, the panel's pins and reference settings.

#include <array>

#include "files/setup_contents.h"
#include "ui/panel_ids.h"

namespace qv {

// The pin rings in file order: REFSEL, MARGIN, SSCG, MAX_BW.
inline constexpr std::array<int, SETUP_PIN_COUNT> kSetupPinControls{REFSEL, MARGIN, SSCG, MAXBW};

// The register variables (their low bytes), the panel's pins and reference settings.
SetupContents CurrentSetup();

// The pins, the crystal and the REFCLK of checked contents on the panel; the
// registers and everything else stay.
void ApplyBoardSettings(const SetupContents& contents);

}  // namespace qv
