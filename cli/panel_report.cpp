#include "cli/panel_report.h"

#include <string>

#include "model/program_state.h"
#include "model/text_format.h"
#include "ui/panel_store.h"

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
    AppendFormat(text, "  %s: %s", check.subject.c_str(), VerdictText(verdict));
    if (verdict == Verdict::Fail || verdict == Verdict::Warning) text += " - " + check.reason;
    text += "\n";
  }
}

std::string Color(int rgb) {
  std::string text;
  AppendFormat(text, "#%06X", static_cast<unsigned>(rgb) & 0xFFFFFFu);
  return text;
}

Json ControlJson(const ControlState& control) {
  const ControlDef& def = *control.def;
  Json entry;
  if (def.holdsNumber()) entry["value"] = control.value;
  if (def.holdsText()) entry["value"] = control.text;
  entry["dimmed"] = control.dimmed;
  entry["visible"] = control.visible;
  entry["textBgColor"] = Color(control.textBgColor);
  entry["textColor"] = Color(control.textColor);
  entry["labelColor"] = Color(control.labelColor);
  if (def.kind == ControlKind::OnOffSwitch || def.kind == ControlKind::ToggleButton) {
    entry["onColor"] = Color(control.onColor);
    entry["offColor"] = Color(control.offColor);
  }
  if (def.kind == ControlKind::Decoration) entry["frameColor"] = Color(control.frameColor);
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
      AppendFormat(text, "  VCO%d: %.5f GHz\n", pll + 1, map.vco[pll] / 1e9);
    }
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      AppendFormat(text, "  OUT%d: %.5f MHz\n", k, map.out[k] / 1e6);
    }
  }
  const MapEvaluation& used = plan.InUse();
  if (used.active.ssc) {
    AppendFormat(text, "SSCG: FracRange %d, downspread %.3f%%, Fmod %.2f kHz\n", used.ssc.span,
                 used.ssc.downspreadPercent, used.ssc.modulationHz / 1000.0);
  } else {
    text += "SSCG: disabled (" + used.sscOffReason + ")\n";
  }
  for (const MapEvaluation& map : plan.maps) WriteChecks(text, map);
  out << text;
}

void WriteFailures(std::ostream& out, const PlanEvaluation& plan) {
  for (const MapEvaluation& map : plan.maps) {
    for (const Check* failure : map.Failures())
      out << MapTitle(map.map) << ": " << failure->reason << '\n';
  }
}

Json PanelJson() {
  Json panel = Json::object();
  for (const ControlState& control : Store().Find(panelHandle)->controls) {
    panel[std::string(control.def->constant)] = ControlJson(control);
  }
  return panel;
}

}  // namespace qv::cli
