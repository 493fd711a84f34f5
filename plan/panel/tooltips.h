#pragma once
// What each editable control accepts and which register bits it sets, shown
// when the pointer rests on it. Written from the same tables the handlers use.

#include <string>

namespace qv {

std::string ControlTooltip(int control);
// Every editable control of the main panel gets its tooltip.
void ApplyControlTooltips();

}  // namespace qv
