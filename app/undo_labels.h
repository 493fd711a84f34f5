#pragma once
// What the Edit menu calls each step: the field with both values for a single
// commit, otherwise the menu item or button that made the change.

#include <string>

#include "app/undo_history.h"
#include "ui/toolkit.h"

namespace qv {

// "PLL1 feedback divider N, map 1: 100 -> 102", "REFSEL: High -> Low",
// "REFCLK Frequency (MHz): 25.0 -> 19.44".
std::string CommitLabel(const ControlCommit& commit);
// "Reset To Defaults", "Reset DUT", "Apply Plan From Targets": read while the
// action's panel is still there, as it begins.
std::string ActionLabel(const UserAction& action);
// "Open Setup board.stp"
std::string OpenedFileLabel(const std::string& path);

}  // namespace qv
