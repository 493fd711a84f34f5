#pragma once
// Which field of the chip each editable control of the main panel feeds: the
// table the handlers encode with, the decoder inverts and the tooltips describe.

#include <array>
#include <optional>
#include <span>

#include "chip/fields.h"

namespace qv {

struct RegisterField {
  int control;
  int* variable;
  const ChipField* field;
};

// One row per divider control of both maps, plus the reference divider.
std::span<const RegisterField> RegisterFields();
const RegisterField* FindRegisterField(int control);

// A switch drives one or two single-bit fields; "on" is the value 1 exactly.
// A power-down bit is set when its switch is off, any other bit when it is on.
struct SwitchField {
  int control;
  std::array<SharedField, 2> fields;
  int fieldCount;
  int* variable;  // sync switches keep their state in a value variable
  bool recompute;

  std::span<const SharedField> Fields() const {
    return {fields.data(), static_cast<std::size_t>(fieldCount)};
  }
};

std::span<const SwitchField> SwitchFields();
const SwitchField* FindSwitchField(int control);

// The bit a switch's state gives a field.
int SwitchBitValue(const ChipField& field, bool on);

// The one field a main-panel control sets, with the control's value as that
// field holds it: a divider, a switch of one bit, a spread-spectrum number, a
// format ring. Nothing for the pins, the reference settings and the Bleed &
// SDM switch, which sets two.
struct ControlledField {
  const ChipField* field;
  int (*fieldValue)(const ChipField& field, int controlValue);
};
std::optional<ControlledField> FieldSetBy(int control);

// The main-panel control that sets a field (Bleed & SDM for both its bits);
// 0 for a field no control sets.
int ControlSetting(const ChipField& field);

}  // namespace qv
