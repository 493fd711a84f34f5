#pragma once
// One --set CONTROL=VALUE committed on the main panel exactly as a user's entry.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/panel_defs.h"

namespace qv::cli {

struct ControlSetting {
  std::string control;
  std::string value;
};

// "PLL1_N=100" split at its first '='; nothing when there is no '=' or no name before it.
std::optional<ControlSetting> SplitSetting(std::string_view text);

// Empty when the control took the value and its callback ran; otherwise why not,
// naming the control (and traced). A value outside a control's range is refused
// rather than clamped, so a script never gets a value it did not ask for.
std::string CommitSetting(const ControlSetting& setting);

// What --set takes, from the main panel's definition: the constant of every
// control that takes input, and NAME=ITEM for each item of a ring.
std::vector<std::string> SettableControls();

// A control of the main panel by its constant ("PLL1_N"); null when there is none.
const ControlDef* FindMainPanelControl(std::string_view constant);

}  // namespace qv::cli
