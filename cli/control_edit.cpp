#include "cli/control_edit.h"

#include <charconv>
#include <optional>

#include "base/trace.h"
#include "files/setup_text.h"
#include "model/program_state.h"
#include "ui/panel_defs.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv::cli {
namespace {

int Attribute(int control, int attribute) {
  int value = 0;
  GetCtrlAttribute(panelHandle, control, attribute, &value);
  return value;
}

std::optional<int> ParseInteger(std::string_view text) {
  if (text.starts_with('+')) text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// A ring also takes the text of one of its items ("High", "25MHz").
std::optional<int> ParseControlValue(const ControlDef& def, std::string_view text) {
  if (std::optional<int> number = ParseInteger(text)) return number;
  for (const RingItem& item : def.items) {
    if (EqualsIgnoringCase(item.text, text)) return item.value;
  }
  return std::nullopt;
}

std::string AllowedValues(const ControlDef& def) {
  switch (def.kind) {
    case ControlKind::Ring: {
      std::string items;
      for (const RingItem& item : def.items) {
        if (!items.empty()) items += ", ";
        items += std::to_string(item.value) + " (" + std::string(item.text) + ")";
      }
      return "one of " + items;
    }
    case ControlKind::Numeric:
      return "from " + std::to_string(Attribute(def.id, ATTR_MIN_VALUE)) + " to " +
             std::to_string(Attribute(def.id, ATTR_MAX_VALUE));
    default: return "0 or 1";
  }
}

std::string NotAllowed(const ControlSetting& setting, const std::string& takes) {
  return setting.control + ": \"" + setting.value + "\" is not allowed; it takes " + takes;
}

std::string Refusal(int result, const std::string& name) {
  switch (result) {
    case UIE_NO_ERROR: return "";
    case UIE_NOT_AVAILABLE: return name + " cannot be changed now (dimmed or hidden)";
    default: return name + " does not take input";
  }
}

}  // namespace

std::optional<ControlSetting> SplitSetting(std::string_view text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos || equals == 0) return std::nullopt;
  return ControlSetting{std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
}

std::vector<std::string> SettableControls() {
  std::vector<std::string> names;
  const PanelDef* panel = FindPanelDef(MAIN_PANEL_FILE, PANEL);
  if (!panel) return names;
  for (const ControlDef& control : panel->controls) {
    // What has no callback only shows what the program puts there.
    const bool takesInput = control.holdsNumber() || control.kind == ControlKind::StringBox;
    if (control.callback.empty() || !takesInput) continue;
    names.emplace_back(control.constant);
    for (const RingItem& item : control.items) {
      names.push_back(std::string(control.constant) + "=" + std::string(item.text));
    }
  }
  return names;
}

const ControlDef* FindMainPanelControl(std::string_view constant) {
  const PanelDef* panel = GetPanelDefinition(panelHandle);
  return panel ? FindControlDef(*panel, constant) : nullptr;
}

namespace {

std::string Commit(const ControlSetting& setting) {
  const std::string& name = setting.control;
  const ControlDef* control = FindMainPanelControl(name);
  if (!control) return "unknown control: " + name;
  const ControlDef& def = *control;
  const int id = def.id;

  if (def.holdsNumber()) {
    const std::optional<int> value = ParseControlValue(def, setting.value);
    int taken = value.value_or(0);
    if (!value || CoerceCtrlVal(panelHandle, id, &taken) != UIE_NO_ERROR || taken != *value) {
      return NotAllowed(setting, AllowedValues(def));
    }
    return Refusal(CommitCtrlVal(panelHandle, id, *value), name);
  }
  if (const std::string takes = CheckCtrlText(panelHandle, id, setting.value); !takes.empty()) {
    return NotAllowed(setting, takes);
  }
  if (def.holdsText()) return Refusal(CommitCtrlVal(panelHandle, id, setting.value), name);
  return Refusal(UIE_WRONG_TYPE, name);
}

}  // namespace

std::string CommitSetting(const ControlSetting& setting) {
  std::string refusal = Commit(setting);
  if (!refusal.empty()) {
    Trace(TRACE_REFUSED, "setting %s=%s: %s", setting.control.c_str(), setting.value.c_str(),
          refusal.c_str());
  }
  return refusal;
}

}  // namespace qv::cli
