#include "plan/panel/map_copy.h"

#include <array>

#include "base/text_format.h"
#include "base/trace.h"
#include "chip/fields.h"
#include "model/program_state.h"
#include "plan/panel/frequency_maps.h"
#include "plan/panel/panel_commit.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// The modulus and the word around the feedback divider, so a word never
// lands on a modulus of 0, then the outputs.
constexpr std::array kFeedbackFirst{MapField::Pll1N, MapField::Mod, MapField::Pll2N,
                                    MapField::Frac};

void CommitField(int from, int to, MapField field, bool* ok) {
  *ok = CommitIfChanged(BindingOf(to, field).control, *BindingOf(from, field).variable) && *ok;
}

}  // namespace

std::string CopyFrequencyMap(int from, int to) {
  if (from < 0 || from >= MAP_COUNT || to < 0 || to >= MAP_COUNT || from == to) {
    return "the maps to copy between must be 0 and 1";
  }
  // All or nothing: a value the target control would clamp is refused before any commit.
  for (int f = 0; f < MAP_FIELD_COUNT; ++f) {
    const auto field = static_cast<MapField>(f);
    const int value = *BindingOf(from, field).variable;
    int taken = value;
    if (CoerceCtrlVal(panelHandle, BindingOf(to, field).control, &taken) != UIE_NO_ERROR ||
        taken != value) {
      int low = 0, high = 0;
      GetCtrlAttribute(panelHandle, BindingOf(to, field).control, ATTR_MIN_VALUE, &low);
      GetCtrlAttribute(panelHandle, BindingOf(to, field).control, ATTR_MAX_VALUE, &high);
      std::string refused =
          FormatText("%s is %d; map %d's control takes %d to %d",
                     FieldName(FieldOf(from, field)).c_str(), value, to, low, high);
      Trace(TRACE_REFUSED, "copy map %d to map %d: %s", from, to, refused.c_str());
      return refused;
    }
  }
  bool ok = true;
  const bool wordFirst = *BindingOf(from, MapField::Frac).variable == 0;
  for (MapField field : kFeedbackFirst) {
    // Going integer, the word goes to 0 before the modulus does.
    if (wordFirst && field == MapField::Mod) CommitField(from, to, MapField::Frac, &ok);
    if (wordFirst && field == MapField::Frac) continue;
    CommitField(from, to, field, &ok);
  }
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    CommitField(from, to, VcoDividerField(k), &ok);
    CommitField(from, to, OutputDividerField(k), &ok);
  }
  return ok ? "" : FormatText("a control of map %d refused its value", to);
}

}  // namespace qv
