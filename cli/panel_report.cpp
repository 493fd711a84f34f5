#include "cli/panel_report.h"

#include <array>
#include <string>
#include <vector>

#include "files/json_writer.h"
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

// Panel texts hold line breaks and the like; the JSON writer takes texts as they are.
std::string JsonEscaped(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': escaped += "\\\""; break;
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\t': escaped += "\\t"; break;
      case '\r': escaped += "\\r"; break;
      default:
        if (byte < 0x20 || byte >= 0x7F) {
          AppendFormat(escaped, "\\u%04X", byte);
        } else {
          escaped += c;
        }
    }
  }
  return escaped;
}

void WriteControl(JsonWriter& json, const ControlState& control) {
  const ControlDef& def = *control.def;
  JsonOpenObject(json, def.constant);
  if (def.holdsNumber()) JsonWriteInt(json, "value", control.value);
  if (def.holdsText()) JsonWriteString(json, "value", JsonEscaped(control.text));
  JsonWriteBool(json, "dimmed", control.dimmed);
  JsonWriteBool(json, "visible", control.visible);
  JsonWriteString(json, "textBgColor", Color(control.textBgColor));
  JsonWriteString(json, "textColor", Color(control.textColor));
  JsonWriteString(json, "labelColor", Color(control.labelColor));
  if (def.kind == ControlKind::OnOffSwitch || def.kind == ControlKind::ToggleButton) {
    JsonWriteString(json, "onColor", Color(control.onColor));
    JsonWriteString(json, "offColor", Color(control.offColor));
  }
  if (def.kind == ControlKind::Decoration) {
    JsonWriteString(json, "frameColor", Color(control.frameColor));
  }
  JsonCloseObject(json);
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

void WritePanelJson(std::ostream& out) {
  std::string text;
  JsonWriter json{&text};
  JsonOpenObject(json, "");
  for (const ControlState& control : Store().Find(panelHandle)->controls) {
    WriteControl(json, control);
  }
  JsonCloseObject(json);
  text += "\n";
  out << text;
}

bool AnyActiveCheckFailed() {
  for (const PanelCheck& check : ChecksInUse()) {
    if (VerdictOf(check.control) == Verdict::Failed) return true;
  }
  return false;
}

}  // namespace qv::cli
