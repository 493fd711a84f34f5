#include "chip/fields.h"

#include <vector>

namespace qv {
namespace {

using K = FieldKind;

constexpr ChipField Bit(std::string_view subject, std::string_view quantity, K kind, int reg,
                        int bit) {
  return {subject, quantity, kind, -1, {{{reg, bit, 1, 0}, {}}}};
}

constexpr ChipField Bits(std::string_view subject, std::string_view quantity, K kind, BitSpan first,
                         BitSpan second = {}) {
  return {subject, quantity, kind, -1, {{first, second}}};
}

// In the order of SharedField.
constexpr std::array<ChipField, SHARED_FIELD_COUNT> kSharedFields{{
    Bit("OUT0", "power", K::PowerDown, IDX_BP0, 0),
    Bit("OUT1", "power", K::PowerDown, IDX_BP0, 1),
    Bit("", "Bleed", K::Enable, IDX_BP0, 2),
    Bit("", "Sigma-delta modulator power", K::PowerDown, IDX_ABF0, 4),
    Bit("PLL1", "channel-divider sync", K::Enable, IDX_ADV2, 0),
    Bit("PLL2", "channel-divider sync", K::Enable, IDX_BDV2, 0),
    Bit("", "Spread-spectrum overshoot compensation", K::Enable, IDX_BS0, 7),
    Bit("", "Overshoot compensation boost", K::Enable, IDX_BS0, 6),
    Bits("", "Spread-spectrum step size (FracStep)", K::StepSize, {IDX_BS1, 0, 8, 0}),
    Bits("", "Spread-spectrum step count (NumSteps)", K::StepCount, {IDX_BS2, 0, 8, 1},
         {IDX_BS3, 7, 1, 0}),
    Bits("", "Spread-spectrum clock divider (CkDiv)", K::ClockDivider, {IDX_BS3, 0, 7, 0}),
    Bits("OUT1/OUT0", "output format", K::FormatCode, {IDX_DR1, 0, 3, 0}),
    Bits("OUT3/OUT2", "output format", K::FormatCode, {IDX_DR1, 3, 3, 0}),
    Bit("OUT2", "power", K::PowerDown, IDX_DR1, 6),
    Bit("OUT3", "power", K::PowerDown, IDX_DR1, 7),
    Bit("", "Reference output power", K::PowerDown, IDX_DR2, 0),
    Bit("", "Dither", K::Enable, IDX_G0, 0),
    Bit("", "REFCLK divide-by-2", K::Enable, IDX_G0, 1),
    Bit("PLL2", "power", K::PowerDown, IDX_G0, 2),
    Bit("PLL1", "power", K::PowerDown, IDX_G0, 3),
    Bit("", "Look-ahead enable", K::Enable, IDX_C0, 1),
}};

// In the order of MapField.
constexpr std::array<ChipField, MAP_FIELD_COUNT> MapFields(int map) {
  const MapRegisters& regs = kMapRegisters[map];
  std::array<ChipField, MAP_FIELD_COUNT> fields{{
      {"PLL1", "feedback divider N", K::FeedbackDivider, map, {{{regs.pll1N, 0, 6, 0}, {}}}},
      {"PLL2", "feedback divider N", K::FeedbackDivider, map, {{{regs.pll2N, 0, 6, 0}, {}}}},
      {"PLL2",
       "fractional word",
       K::FractionalWord,
       map,
       {{{regs.fracHigh, 0, 8, 4}, {regs.fracModShared, 4, 4, 0}}}},
      {"PLL2",
       "modulus",
       K::Modulus,
       map,
       {{{regs.fracModShared, 0, 4, 8}, {regs.modLow, 0, 8, 0}}}},
  }};
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const int reg = regs.outputs[k];
    fields[static_cast<int>(VcoDividerField(k))] = {
        kOutputs[k].name, "VCO divider", K::VcoDivider, map, {{{reg, 5, 3, 0}, {}}}};
    fields[static_cast<int>(OutputDividerField(k))] = {
        kOutputs[k].name, "output divider", K::OutputDivider, map, {{{reg, 0, 5, 0}, {}}}};
  }
  return fields;
}

constexpr auto BuildCatalogue() {
  std::array<ChipField, SHARED_FIELD_COUNT + MAP_COUNT * MAP_FIELD_COUNT> all{};
  int row = 0;
  for (const ChipField& field : kSharedFields) all[row++] = field;
  for (int m = 0; m < MAP_COUNT; ++m) {
    for (const ChipField& field : MapFields(m)) all[row++] = field;
  }
  return all;
}

constexpr auto kCatalogue = BuildCatalogue();

struct RegisterIndexOfFields {
  std::array<std::vector<const ChipField*>, REGISTER_COUNT> fields;
  std::array<int, REGISTER_COUNT> assigned{};
};

const RegisterIndexOfFields& ByRegister() {
  static const RegisterIndexOfFields index = [] {
    RegisterIndexOfFields built;
    for (const ChipField& field : kCatalogue) {
      for (const BitSpan& span : field.Spans()) {
        built.fields[span.reg].push_back(&field);
        built.assigned[span.reg] |= span.Mask();
      }
    }
    return built;
  }();
  return index;
}

std::string OnOff(bool on) { return on ? "on" : "off"; }

}  // namespace

const ChipField& FieldOf(SharedField field) { return kCatalogue[static_cast<int>(field)]; }

const ChipField& FieldOf(int map, MapField field) {
  return kCatalogue[SHARED_FIELD_COUNT + map * MAP_FIELD_COUNT + static_cast<int>(field)];
}

std::span<const ChipField> AllChipFields() { return kCatalogue; }

std::span<const ChipField* const> FieldsInRegister(int reg) { return ByRegister().fields[reg]; }

int UnassignedBits(int reg) { return 0xFF & ~ByRegister().assigned[reg]; }

std::string FieldName(const ChipField& field) {
  std::string name(field.subject);
  if (!name.empty()) name += ' ';
  name += field.quantity;
  if (field.map >= 0) name += ", map " + std::to_string(field.map);
  return name;
}

std::string FieldValueText(const ChipField& field, int value) {
  switch (field.kind) {
    case FieldKind::PowerDown: return OnOff(value == 0);
    case FieldKind::Enable: return OnOff(value != 0);
    case FieldKind::FormatCode:
      return std::to_string(value) + " (" + std::string(kFormatCodes[value & 0x07].name) + ")";
    default: return std::to_string(value);
  }
}

}  // namespace qv
