#include "plan/panel/tooltips.h"

#include <array>

#include "base/text_format.h"
#include "chip/fields.h"
#include "model/program_state.h"
#include "plan/panel/register_fields.h"
#include "ui/panel_defs.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

std::string Range(int control) {
  int min = 0, max = 0;
  GetCtrlAttribute(panelHandle, control, ATTR_MIN_VALUE, &min);
  GetCtrlAttribute(panelHandle, control, ATTR_MAX_VALUE, &max);
  return FormatText("%d to %d", min, max);
}

std::string SpanText(const BitSpan& span) {
  const unsigned address = kRegisters[span.reg].address;
  if (span.width == 1) return FormatText("0x%02X bit %d", address, span.lsb);
  return FormatText("0x%02X bits %d:%d", address, span.lsb + span.width - 1, span.lsb);
}

// "register 0x18 bits 5:0", "registers 0x1A bits 3:0 and 0x1B bits 7:0".
std::string Where(const ChipField& field) {
  const auto spans = field.Spans();
  if (spans.size() == 1) return "register " + SpanText(spans[0]);
  return "registers " + SpanText(spans[0]) + " and " + SpanText(spans[1]);
}

std::string DescribeField(const RegisterField& row) {
  const ChipField& field = *row.field;
  if (field.map < 0) return "REFCLK divided by 1 or 2; " + Where(field);
  std::string text = Range(row.control) + "; " + Where(field);
  if (field.kind == FieldKind::OutputDivider) text += " (32 stored as 0)";
  return text + FormatText(" (frequency map %d)", field.map);
}

std::string DescribeSwitch(const SwitchField& row) {
  std::string text = "Off or On; register";
  const char* separator = " ";
  for (SharedField bit : row.Fields()) {
    const ChipField& field = FieldOf(bit);
    text += separator + SpanText(field.spans[0]) +
            (SwitchBitValue(field, true) != 0 ? " (set when on)" : " (set when off)");
    separator = ", ";
  }
  return text;
}

// Controls of shared fields that are not dividers: what the number means.
struct SharedTooltip {
  int control;
  SharedField field;
  const char* meaning;
  bool numeric;  // a number within a range, or a choice from a list
};

constexpr std::array<SharedTooltip, 5> kSharedTooltips{{
    {FRACSTEP, SharedField::StepSize, "signed step of the fractional word", true},
    {NUMSTEP, SharedField::StepCount, "steps per sweep", true},
    {CKDIV, SharedField::ClockDivider, "PFD cycles per step", true},
    {Pll1OutputFormat, kPlls[0].format, "Logic of OUT1/OUT0", false},
    {Pll2OutputFormat, kPlls[1].format, "Logic of OUT3/OUT2", false},
}};

struct FixedTooltip {
  int control;
  const char* text;
};

constexpr std::array<FixedTooltip, 6> kFixedTooltips{{
    {CrystalFreq, "Crystal fitted on the board; the reference while REFSEL is high"},
    {REFFREQ, "External REFCLK in MHz; the reference while REFSEL is low"},
    {REFSEL, "Level of the REFSEL pin on the board: low REFCLK, high crystal"},
    {MARGIN, "Level of the MARGIN pin on the board: low map 0, high map 1"},
    {SSCG, "Level of the SSCG pin on the board: high enables spread spectrum"},
    {MAXBW, "Level of the MAX_BW pin on the board"},
}};

}  // namespace

std::string ControlTooltip(int control) {
  if (const RegisterField* field = FindRegisterField(control)) return DescribeField(*field);
  if (const SwitchField* field = FindSwitchField(control)) return DescribeSwitch(*field);
  for (const SharedTooltip& shared : kSharedTooltips) {
    if (shared.control != control) continue;
    const std::string where = Where(FieldOf(shared.field));
    if (!shared.numeric) return std::string(shared.meaning) + "; " + where;
    return Range(control) + "; " + where + " (" + shared.meaning + ")";
  }
  for (const FixedTooltip& fixed : kFixedTooltips) {
    if (fixed.control == control) return fixed.text;
  }
  return "";
}

void ApplyControlTooltips() {
  const PanelDef* main = FindPanelDef(MAIN_PANEL_FILE, PANEL);
  for (const ControlDef& def : main->controls) {
    std::string tooltip = ControlTooltip(def.id);
    if (!tooltip.empty()) SetCtrlAttribute(panelHandle, def.id, ATTR_TOOLTIP, tooltip);
  }
}

}  // namespace qv
