#include "plan/register_fields.h"

#include <algorithm>

#include "plan/frequency_maps.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

constexpr int kFieldsPerMap = 4 + 2 * OUTPUT_COUNT;

constexpr std::array<RegisterField, MAP_COUNT * kFieldsPerMap + 1> BuildRegisterFields() {
  std::array<RegisterField, MAP_COUNT * kFieldsPerMap + 1> fields{};
  int row = 0;
  for (int m = 0; m < MAP_COUNT; ++m) {
    const FrequencyMap& map = kFrequencyMaps[m];
    fields[row++] = {map.pll1NControl, map.pll1N, FieldKind::FeedbackN, map.regPll1N, -1, m};
    fields[row++] = {map.pll2NControl, map.pll2N, FieldKind::FeedbackN, map.regPll2N, -1, m};
    fields[row++] = {map.fracControl, map.frac, FieldKind::FractionalWord, map.regFracHigh,
                     map.regFracModShared, m};
    fields[row++] = {map.modControl, map.mod, FieldKind::Modulus, map.regFracModShared,
                     map.regModLow, m};
    for (const OutputPath& out : map.outputs) {
      fields[row++] = {out.vControl, out.v, FieldKind::VcoDivider, out.reg, -1, m};
      fields[row++] = {out.dControl, out.d, FieldKind::OutputDivider, out.reg, -1, m};
    }
  }
  fields[row] = {REFDIV, &refdiv, FieldKind::RefDivider, IDX_G0, -1, -1};
  return fields;
}

constexpr auto kRegisterFields = BuildRegisterFields();

constexpr SwitchField Power(int control, int reg, int bit, bool recompute = true) {
  return {control, {{{reg, bit, false}, {}}}, 1, nullptr, recompute};
}

constexpr std::array<SwitchField, 10> kSwitchFields{{
    Power(PLL1POWER, IDX_G0, 3),
    Power(PLL2POWER, IDX_G0, 2),
    // One switch, two opposite bits: bleed on and the modulator powered, or neither.
    {BLEEDSDM, {{{IDX_BP0, 2, true}, {IDX_ABF0, 4, false}}}, 2, nullptr, true},
    Power(CH0POWER, IDX_BP0, 0),
    Power(CH1POWER, IDX_BP0, 1),
    Power(CH2POWER, IDX_DR1, 6),
    Power(CH3POWER, IDX_DR1, 7),
    // The reference output feeds nothing the plan shows.
    Power(REFPOWER, IDX_DR2, 0, false),
    {PLL1SYNC, {{{IDX_ADV2, 0, true}, {}}}, 1, &sync1, true},
    {PLL2SYNC, {{{IDX_BDV2, 0, true}, {}}}, 1, &sync2, true},
}};

template <typename Table>
auto* FindIn(const Table& table, int control) {
  auto found = std::ranges::find_if(table, [&](const auto& row) { return row.control == control; });
  return found == table.end() ? nullptr : &*found;
}

}  // namespace

std::span<const RegisterField> RegisterFields() { return kRegisterFields; }
const RegisterField* FindRegisterField(int control) { return FindIn(kRegisterFields, control); }
std::span<const SwitchField> SwitchFields() { return kSwitchFields; }
const SwitchField* FindSwitchField(int control) { return FindIn(kSwitchFields, control); }

}  // namespace qv
