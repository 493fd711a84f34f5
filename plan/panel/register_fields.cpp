#include "plan/panel/register_fields.h"

#include <algorithm>

#include "plan/panel/frequency_maps.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

std::array<RegisterField, MAP_COUNT * MAP_FIELD_COUNT + 1> BuildRegisterFields() {
  std::array<RegisterField, MAP_COUNT * MAP_FIELD_COUNT + 1> fields{};
  int row = 0;
  for (int m = 0; m < MAP_COUNT; ++m) {
    for (int f = 0; f < MAP_FIELD_COUNT; ++f) {
      const auto field = static_cast<MapField>(f);
      const MapBinding binding = BindingOf(m, field);
      fields[row++] = {binding.control, binding.variable, &FieldOf(m, field)};
    }
  }
  fields[row] = {REFDIV, &refdiv, &FieldOf(SharedField::RefDivider)};
  return fields;
}

const auto& RegisterFieldTable() {
  static const auto fields = BuildRegisterFields();
  return fields;
}

constexpr SwitchField OneBit(int control, SharedField field, int* variable = nullptr,
                             bool recompute = true) {
  return {control, {field, field}, 1, variable, recompute};
}

constexpr std::array<SwitchField, 10> kSwitchFields{{
    OneBit(PLL1POWER, kPlls[0].powerDown),
    OneBit(PLL2POWER, kPlls[1].powerDown),
    // One switch, two opposite bits: bleed on and the modulator powered, or neither.
    {BLEEDSDM, {SharedField::Bleed, SharedField::SdmPowerDown}, 2, nullptr, true},
    OneBit(CH0POWER, kOutputs[0].powerDown),
    OneBit(CH1POWER, kOutputs[1].powerDown),
    OneBit(CH2POWER, kOutputs[2].powerDown),
    OneBit(CH3POWER, kOutputs[3].powerDown),
    // The reference output feeds nothing the plan shows.
    OneBit(REFPOWER, SharedField::RefOutPowerDown, nullptr, false),
    OneBit(PLL1SYNC, kPlls[0].sync, kSyncFlags[0]),
    OneBit(PLL2SYNC, kPlls[1].sync, kSyncFlags[1]),
}};

// Shared fields whose control holds the field's own number.
struct PlainField {
  int control;
  SharedField field;
};

constexpr std::array<PlainField, 5> kPlainFields{{
    {FRACSTEP, SharedField::StepSize},
    {NUMSTEP, SharedField::StepCount},
    {CKDIV, SharedField::ClockDivider},
    {Pll1OutputFormat, kPlls[0].format},
    {Pll2OutputFormat, kPlls[1].format},
}};

int SameValue(const ChipField&, int value) { return value; }
int SwitchedBit(const ChipField& field, int on) { return SwitchBitValue(field, on == 1); }

template <typename Table>
auto* FindIn(const Table& table, int control) {
  auto found = std::ranges::find_if(table, [&](const auto& row) { return row.control == control; });
  return found == table.end() ? nullptr : &*found;
}

}  // namespace

std::span<const RegisterField> RegisterFields() { return RegisterFieldTable(); }
const RegisterField* FindRegisterField(int control) {
  return FindIn(RegisterFieldTable(), control);
}
std::span<const SwitchField> SwitchFields() { return kSwitchFields; }
const SwitchField* FindSwitchField(int control) { return FindIn(kSwitchFields, control); }

int SwitchBitValue(const ChipField& field, bool on) {
  return field.kind == FieldKind::PowerDown ? (on ? 0 : 1) : (on ? 1 : 0);
}

std::optional<ControlledField> FieldSetBy(int control) {
  if (const RegisterField* row = FindRegisterField(control)) return {{row->field, SameValue}};
  if (const SwitchField* row = FindSwitchField(control); row && row->fieldCount == 1) {
    return {{&FieldOf(row->fields[0]), SwitchedBit}};
  }
  if (const PlainField* row = FindIn(kPlainFields, control)) {
    return {{&FieldOf(row->field), SameValue}};
  }
  return std::nullopt;
}

int ControlSetting(const ChipField& field) {
  for (const RegisterField& row : RegisterFieldTable()) {
    if (row.field == &field) return row.control;
  }
  for (const SwitchField& row : kSwitchFields) {
    for (SharedField shared : row.Fields()) {
      if (&FieldOf(shared) == &field) return row.control;
    }
  }
  for (const PlainField& row : kPlainFields) {
    if (&FieldOf(row.field) == &field) return row.control;
  }
  return 0;
}

}  // namespace qv
