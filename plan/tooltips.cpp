#include "plan/tooltips.h"

#include <array>
#include <cstdio>

#include "model/program_state.h"
#include "model/registers.h"
#include "plan/register_fields.h"
#include "ui/panel_defs.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

unsigned Address(int index) { return RegisterTable[index].address; }

std::string Format(const char* format, auto... args) {
  char text[160];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string Range(int control) {
  int min = 0, max = 0;
  GetCtrlAttribute(panelHandle, control, ATTR_MIN_VALUE, &min);
  GetCtrlAttribute(panelHandle, control, ATTR_MAX_VALUE, &max);
  return Format("%d to %d", min, max);
}

std::string DescribeField(const RegisterField& field) {
  const unsigned reg = Address(field.reg);
  std::string where;
  switch (field.kind) {
    case FieldKind::FeedbackN: where = Format("register 0x%02X bits 5:0", reg); break;
    case FieldKind::VcoDivider: where = Format("register 0x%02X bits 7:5", reg); break;
    case FieldKind::OutputDivider:
      where = Format("register 0x%02X bits 4:0 (32 stored as 0)", reg);
      break;
    case FieldKind::FractionalWord:
      where = Format("registers 0x%02X bits 7:0 and 0x%02X bits 7:4", reg,
                     Address(field.secondReg));
      break;
    case FieldKind::Modulus:
      where = Format("registers 0x%02X bits 3:0 and 0x%02X bits 7:0", reg,
                     Address(field.secondReg));
      break;
    case FieldKind::RefDivider:
      return Format("REFCLK divided by 1 or 2; register 0x%02X bit 1", reg);
  }
  return Range(field.control) + "; " + where + Format(" (frequency map %d)", field.map);
}

std::string DescribeSwitch(const SwitchField& field) {
  std::string text = "Off or On; register";
  for (int i = 0; i < field.bitCount; ++i) {
    const SwitchBit& bit = field.bits[i];
    text += Format("%s 0x%02X bit %d (set when %s)", i ? "," : "", Address(bit.reg), bit.bit,
                   bit.setWhenOn ? "on" : "off");
  }
  return text;
}

struct FixedTooltip {
  int control;
  const char* text;
};

constexpr std::array<FixedTooltip, 10> kFixedTooltips{{
    {FRACSTEP, "-128 to 0; register 0x2A bits 7:0 (signed step of the fractional word)"},
    {NUMSTEP, "1 to 511; registers 0x2B bits 7:0 (steps / 2) and 0x2C bit 7 (odd)"},
    {CKDIV, "2 to 127; register 0x2C bits 6:0 (PFD cycles per step)"},
    {Pll1OutputFormat, "Logic of OUT1/OUT0; register 0x3A bits 2:0"},
    {Pll2OutputFormat, "Logic of OUT3/OUT2; register 0x3A bits 5:3"},
    {CrystalFreq, "Crystal fitted on the board; the reference while REFSEL is high"},
    {REFFREQ, "External REFCLK in MHz; the reference while REFSEL is low"},
    {REFSEL, "Level of the REFSEL pin on the board: low REFCLK, high crystal"},
    {MARGIN, "Level of the MARGIN pin on the board: low map 0, high map 1"},
    {SSCG, "Level of the SSCG pin on the board: high enables spread spectrum"},
}};

}  // namespace

std::string ControlTooltip(int control) {
  if (const RegisterField* field = FindRegisterField(control)) return DescribeField(*field);
  if (const SwitchField* field = FindSwitchField(control)) return DescribeSwitch(*field);
  for (const FixedTooltip& fixed : kFixedTooltips) {
    if (fixed.control == control) return fixed.text;
  }
  if (control == MAXBW) return "Level of the MAX_BW pin on the board";
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
