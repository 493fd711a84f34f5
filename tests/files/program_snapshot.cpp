#include "tests/files/program_snapshot.h"

#include "model/program_state.h"
#include "ui/panel_store.h"

namespace qv::test {

ProgramSnapshot TakeSnapshot() {
  ProgramSnapshot snapshot;
  snapshot.setupImage = SetupImage;
  for (int i = 0; i < REGISTER_COUNT; ++i) snapshot.registers[i] = *RegisterTable[i].variable;
  for (std::size_t i = 0; i < ValueVariables.size(); ++i) {
    snapshot.values[i] = *ValueVariables[i].variable;
  }
  const PanelState* panel = Store().Find(panelHandle);
  if (!panel) return snapshot;
  for (const ControlState& c : panel->controls) {
    snapshot.controls.push_back({c.def->id, c.value, c.text, c.dimmed, c.visible, c.textBgColor,
                                 c.textColor, c.labelColor, c.frameColor, c.onColor, c.offColor,
                                 c.minValue, c.maxValue});
  }
  for (const MenuItemState& item : panel->menu) snapshot.menuDimmed.push_back(item.dimmed);
  snapshot.status = panel->status;
  return snapshot;
}

std::string DescribeDifferences(const ProgramSnapshot& before, const ProgramSnapshot& after) {
  std::string text;
  auto note = [&](const std::string& what) { text += what + "\n"; };
  for (int i = 0; i < REGISTER_COUNT; ++i) {
    const std::string name(RegisterTable[i].name);
    if (before.setupImage[i] != after.setupImage[i]) note("SetupImage " + name);
    if (before.registers[i] != after.registers[i]) note("register " + name);
  }
  for (std::size_t i = 0; i < ValueVariables.size(); ++i) {
    if (before.values[i] != after.values[i]) note("value " + std::string(ValueVariables[i].name));
  }
  if (before.controls.size() != after.controls.size()) note("control count");
  for (std::size_t i = 0; i < before.controls.size() && i < after.controls.size(); ++i) {
    if (before.controls[i] != after.controls[i]) {
      note("control " + std::to_string(before.controls[i].id));
    }
  }
  if (before.menuDimmed != after.menuDimmed) note("menu state");
  if (before.status != after.status) note("status line");
  return text;
}

}  // namespace qv::test
