#include "app/undo_labels.h"

#include <filesystem>

#include "model/program_state.h"
#include "plan/panel/register_fields.h"
#include "ui/panel_defs.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// Without the mnemonic marks and the dots of an item that asks for more.
std::string Plain(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "__") == 0)
      ++i;
    else
      plain += text[i];
  }
  if (plain.ends_with("...")) plain.resize(plain.size() - 3);
  return plain;
}

const ControlDef* ControlOf(int panel, int control) {
  const PanelDef* def = GetPanelDefinition(panel);
  return def ? FindControlDef(*def, control) : nullptr;
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
  const ControlDef* def = ControlOf(panelHandle, commit.control);
  if (!def) return "Change";
  const std::string name = Plain(def->label.empty() ? def->constant : def->label);
  if (commit.isText) return Change(name, commit.beforeText, commit.afterText);
  return Change(name, ShownValue(*def, commit.before), ShownValue(*def, commit.after));
}

std::string ActionLabel(const UserAction& action) {
  if (!GetPanelDefinition(action.panel)) return "Change";
  if (action.kind == UserActionKind::MenuChoice) {
    std::string text;
    const int found =
        GetMenuBarAttribute(GetPanelMenuBar(action.panel), action.id, ATTR_ITEM_NAME, &text);
    return found == UIE_NO_ERROR ? Plain(text) : "Change";
  }
  const ControlDef* def = ControlOf(action.panel, action.id);
  if (action.kind != UserActionKind::Press || !def) return "Change";
  // A dialog's button says what it does together with the dialog's title.
  std::string label = Plain(def->label);
  if (action.panel == panelHandle) return label;
  std::string title;
  GetPanelAttribute(action.panel, ATTR_TITLE, &title);
  return label + " " + Plain(title);
}

std::string OpenedFileLabel(const std::string& path) {
  return "Open Setup " + std::filesystem::path(path).filename().string();
}

}  // namespace qv
