#include "cli/panel_report.h"

#include <string>

#include "base/text_format.h"
#include "model/program_state.h"
#include "ui/panel_defs.h"
#include "ui/toolkit.h"

namespace qv::cli {
namespace {

const char* VerdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::Pass: return "ok";
    case Verdict::Warning: return "warning";
    case Verdict::Fail: return "FAILED";
    default: return "inactive";
  }
}

void WriteChecks(std::string& text, const MapEvaluation& map) {
  AppendFormat(text, "Checks, %s%s:\n", MapTitle(map.map).c_str(), map.inUse ? ", in use" : "");
  for (const Check& check : map.checks) {
    const Verdict verdict = check.verdict();
    AppendFormat(text, "  %s: %s", check.subject, VerdictText(verdict));
    if (verdict == Verdict::Fail || verdict == Verdict::Warning) text += " - " + check.Reason();
    text += "\n";
  }
}

std::string Color(int rgb) {
  std::string text;
  AppendFormat(text, "#%06X", static_cast<unsigned>(rgb) & 0xFFFFFFu);
  return text;
}

int Attribute(int control, int attribute) {
  int value = 0;
  GetCtrlAttribute(panelHandle, control, attribute, &value);
  return value;
}

Json ControlJson(const ControlDef& def) {
  Json entry;
  if (def.holdsNumber()) {
    int value = 0;
    GetCtrlVal(panelHandle, def.id, &value);
    entry["value"] = value;
  }
  if (def.holdsText()) {
    std::string text;
    GetCtrlVal(panelHandle, def.id, &text);
    entry["value"] = text;
  }
  entry["dimmed"] = Attribute(def.id, ATTR_DIMMED) != 0;
  entry["visible"] = Attribute(def.id, ATTR_VISIBLE) != 0;
  entry["text_bg_color"] = Color(Attribute(def.id, ATTR_TEXT_BGCOLOR));
  entry["text_color"] = Color(Attribute(def.id, ATTR_TEXT_COLOR));
  entry["label_color"] = Color(Attribute(def.id, ATTR_LABEL_COLOR));
  if (def.kind == ControlKind::OnOffSwitch || def.kind == ControlKind::ToggleButton) {
    entry["on_color"] = Color(Attribute(def.id, ATTR_ON_COLOR));
    entry["off_color"] = Color(Attribute(def.id, ATTR_OFF_COLOR));
  }
  if (def.kind == ControlKind::Decoration)
    entry["frame_color"] = Color(Attribute(def.id, ATTR_FRAME_COLOR));
  return entry;
}

}  // namespace

void WritePlanReport(std::ostream& out, const PlanEvaluation& plan) {
  std::string text;
  AppendFormat(text, "PFD: %.5f MHz\n", plan.pfdHz / 1e6);
  AppendFormat(text, "Feedback divider range: %d <= N <= %d\n", plan.nRange.min, plan.nRange.max);
  for (const MapEvaluation& map : plan.maps) {
    AppendFormat(text, "%s%s\n", MapTitle(map.map).c_str(), map.inUse ? ", in use" : "");
    for (int pll = 0; pll < PLL_COUNT; ++pll) {
      AppendFormat(text, "  VCO%d: %s\n", pll + 1,
                   FrequencyText(map.vco[pll], 1e9, 5, "GHz").c_str());
    }
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      AppendFormat(text, "  OUT%d: %s\n", k, FrequencyText(map.out[k], 1e6, 5, "MHz").c_str());
    }
  }
  const MapEvaluation& used = plan.InUse();
  if (used.active.ssc) {
    AppendFormat(text, "SSCG: FracRange %d, downspread %.3f%%, Fmod %.2f kHz\n", used.ssc.span,
                 used.ssc.downspreadPercent, used.ssc.modulationHz / 1000.0);
  } else {
    text += "SSCG: disabled (" + used.SscOffReason() + ")\n";
  }
  for (const MapEvaluation& map : plan.maps) WriteChecks(text, map);
  out << text;
}

void WriteFailures(std::ostream& out, const PlanEvaluation& plan) {
  for (const std::string& line : FailedCheckLines(plan)) out << line << '\n';
}

Json PanelJson() {
  Json panel = Json::object();
  for (const ControlDef& control : GetPanelDefinition(panelHandle)->controls) {
    panel[std::string(control.constant)] = ControlJson(control);
  }
  return panel;
}

}  // namespace qv::cli
