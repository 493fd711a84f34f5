#pragma once
// Everything undo puts back: the registers, and the input pins and reference
// settings exactly as the panel holds them (the REFCLK as typed).

#include <array>
#include <string>

#include "chip/registers.h"
#include "files/setup_contents.h"

namespace qv {

struct PanelConfiguration {
  RegisterImage registers{};
  std::array<int, SETUP_PIN_COUNT> pins{};  // in setup-file order
  int crystal = 0;
  std::string refclkText;
};

PanelConfiguration CapturePanelConfiguration();
// C0's look-ahead bit, which the tool sets itself online, is no difference.
bool SameConfiguration(const PanelConfiguration& a, const PanelConfiguration& b);
// As a whole: the pins and the reference onto the panel, then the registers
// into the variables, to the chip (online every register, as a setup file's
// load sends them) and onto the panel. The setup image stays.
void RestorePanelConfiguration(const PanelConfiguration& configuration);

}  // namespace qv
