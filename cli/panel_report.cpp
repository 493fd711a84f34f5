#include "cli/panel_report.h"

#include <array>
#include <string>
#include <vector>

#include "files/setup_text.h"
#include "model/text_format.h"
#include "model/program_state.h"
#include "plan/frequency_engine.h"
#include "plan/frequency_maps.h"
#include "ui/panel_ids.h"
#include "ui/panel_store.h"

namespace qv::cli {
namespace {

const ControlState& Control(int id) { return *Store().Find(panelHandle)->control(id); }

std::string Shown(int id) { return std::string(TrimBlanks(Control(id).text)); }

enum class Verdict { Ok, Warning, Failed, Inactive };

struct PanelCheck {
  const char* label;
  int control;
};

// The controls the plan colours against the chip's limits.
constexpr std::array<PanelCheck, 10> kChecks{{
    {"PFD range", PFD_VALID},
    {"N range", NRANGE},
    {"VCO range", VCOS_VALID},
    {"CMOS outputs", FOUT_CMOS_VALID},
    {"LVDS/LVPECL outputs", FOUT_LV_VALID},
    {"REFCLK divider", REFDIV},
    {"SSCG FracRange", TXT_FRACRANGE},
    {"SSCG downspread", TXT_SSCG_DOWNSPREAD},
    {"SSCG NumSteps", NUMSTEP},
    {"SSCG CkDiv", CKDIV},
}};

std::vector<PanelCheck> ChecksInUse() {
  std::vector<PanelCheck> checks(kChecks.begin(), kChecks.end());
  checks.push_back({"Fractional word", MapInUse(GetMarginPin()).fracControl});
  return checks;
}

Verdict VerdictOf(int control) {
  const ControlState& state = Control(control);
  if (!state.visible) return Verdict::Inactive;
  switch (state.textBgColor) {
    case VALIDATE_BAD_COLOR: return Verdict::Failed;
    case VALIDATE_WARNING_COLOR: return Verdict::Warning;
    case DISABLED_COLOR: return Verdict::Inactive;
    default: return Verdict::Ok;
  }
}

const char* VerdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::Ok: return "ok";
    case Verdict::Warning: return "warning";
    case Verdict::Failed: return "FAILED";
    default: return "inactive";
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

void WritePlanReport(std::ostream& out) {
  std::string text;
  AppendFormat(text, "PFD: %.5f MHz\n", GetPfdFrequency() / 1e6);
  AppendFormat(text, "Feedback divider range: %s\n", Shown(NRANGE).c_str());
  const int margin = GetMarginPin();
  for (int m = 0; m < MAP_COUNT; ++m) {
    const FrequencyMap& map = kFrequencyMaps[m];
    AppendFormat(text, "Map %d (MARGIN %s)%s\n", m, m == 0 ? "low" : "high",
                 (margin != 0) == (m == 1) ? ", in use" : "");
    AppendFormat(text, "  VCO1: %s GHz\n", Shown(map.vco1Control).c_str());
    AppendFormat(text, "  VCO2: %s GHz\n", Shown(map.vco2Control).c_str());
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      AppendFormat(text, "  OUT%d: %s MHz\n", k, Shown(map.outputs[k].freqControl).c_str());
    }
  }
  if (Control(TXT_FRACRANGE).visible) {
    AppendFormat(text, "SSCG: FracRange %s, downspread %s, Fmod %s\n",
                 Shown(TXT_FRACRANGE).c_str(), Shown(TXT_SSCG_DOWNSPREAD).c_str(),
                 Shown(TXT_SSCG_FMOD).c_str());
  } else {
    text += "SSCG: disabled\n";
  }
  AppendFormat(text, "Checks (map %d):\n", margin != 0 ? 1 : 0);
  for (const PanelCheck& check : ChecksInUse()) {
    AppendFormat(text, "  %s: %s\n", check.label, VerdictText(VerdictOf(check.control)));
  }
  out << text;
}

Json PanelJson() {
  Json panel = Json::object();
  for (const ControlState& control : Store().Find(panelHandle)->controls) {
    panel[std::string(control.def->constant)] = ControlJson(control);
  }
  return panel;
}

bool AnyActiveCheckFailed() {
  for (const PanelCheck& check : ChecksInUse()) {
    if (VerdictOf(check.control) == Verdict::Failed) return true;
  }
  return false;
}

}  // namespace qv::cli
