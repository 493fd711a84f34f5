#include "app/undo_labels.h"

#include <filesystem>

#include "model/program_state.h"
#include "plan/register_fields.h"
#include "ui/panel_store.h"

namespace qv {
namespace {

// Without the mnemonic marks and the dots of an item that asks for more.
std::string Plain(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "__") == 0) ++i;
    else plain += text[i];
  }
  if (plain.ends_with("...")) plain.resize(plain.size() - 3);
  return plain;
}

const ControlDef* MainControl(int control) {
  const PanelState* panel = Store().Find(panelHandle);
  return panel ? FindControlDef(*panel->def, control) : nullptr;
}

// What a control without a field of its own shows for a value.
std::string ShownValue(const ControlDef& def, int value) {
  for (const RingItem& item : def.items) {
    if (item.value == value) return std::string(item.text);
  }
  if (def.kind == ControlKind::OnOffSwitch || def.kind == ControlKind::ToggleButton) {
    return value == 1 ? "on" : "off";
  }
  return std::to_string(value);
}

std::string Change(const std::string& name, const std::string& before, const std::string& after) {
  return name + ": " + before + " -> " + after;
}

}  // namespace

std::string CommitLabel(const ControlCommit& commit) {
  if (const auto set = FieldSetBy(commit.control)) {
    const ChipField& field = *set->field;
    return Change(FieldName(field), FieldValueText(field, set->fieldValue(field, commit.before)),
                  FieldValueText(field, set->fieldValue(field, commit.after)));
  }
  const ControlDef* def = MainControl(commit.control);
  if (!def) return "Change";
  const std::string name = Plain(def->label.empty() ? def->constant : def->label);
  if (commit.isText) return Change(name, commit.beforeText, commit.afterText);
  return Change(name, ShownValue(*def, commit.before), ShownValue(*def, commit.after));
}

std::string ActionLabel(const UserAction& action) {
  const PanelState* panel = Store().Find(action.panel);
  if (!panel) return "Change";
  if (action.kind == UserActionKind::MenuChoice) {
    const MenuItemState* item = panel->menuItem(action.id);
    return item ? Plain(item->text) : "Change";
  }
  const ControlDef* def = FindControlDef(*panel->def, action.id);
  if (action.kind != UserActionKind::Press || !def) return "Change";
  // A dialog's button says what it does together with the dialog's title.
  const std::string label = Plain(def->label);
  return action.panel == panelHandle ? label : label + " " + Plain(panel->title);
}

std::string OpenedFileLabel(const std::string& path) {
  return "Open Setup " + std::filesystem::path(path).filename().string();
}

}  // namespace qv
