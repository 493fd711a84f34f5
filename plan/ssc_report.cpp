#include "plan/ssc_report.h"

#include <cmath>
#include <optional>

#include "base/text_format.h"
#include "plan/solver_report.h"

namespace qv {
namespace {

// Below this an error is rounding.
constexpr double kSame = 1e-12;

}  // namespace

std::string FormatDepth(double percent) { return FormatText("%.4f %%", percent); }

std::string FormatFmod(double hz) { return FormatText("%.4f kHz", hz / 1000.0); }

std::string FormatDepthError(const SscPlan& plan) {
  const double error = plan.depthErrorPercent;
  if (std::abs(error) <= kSame * std::abs(plan.request.downspreadPercent)) return "0";
  return FormatText("%+.4f %%", error);
}

std::string FormatFmodError(const SscPlan& plan) {
  const double error = plan.fmodErrorHz;
  if (std::abs(error) <= kSame * plan.request.fmodHz) return "0";
  return FormatText("%+.1f Hz (%+.3f %%)", error, 100.0 * error / plan.request.fmodHz);
}

std::string FormatSscWindow(const SscWindow& window) {
  return FormatText("Window: %.3f to %.3f %%, %.3f to %.3f kHz", window.deepestPercent,
                    window.shallowestPercent, window.fmodLowHz / 1000.0,
                    window.fmodHighHz / 1000.0);
}

std::string FormatSscSettings(const SscPlan& plan) {
  const SscSettings& s = plan.settings;
  const MapSettings& was = plan.before.inputs.maps[plan.map];
  std::string text =
      FormatText("FracStep %d, NumSteps %d, CkDiv %d\nMap %d PLL2: N %d, word %d, modulus %d",
                 s.fracstep, s.numstep, s.ckdiv, plan.map, s.pll2N, s.frac, s.mod);
  if (plan.feedbackChanged) {
    AppendFormat(text, " (was N %d, word %d, modulus %d)", was.pll2N, was.frac, was.mod);
  } else {
    text += " (as it is)";
  }
  AppendFormat(text, "\nVCO2 stays at %.6f GHz",
               plan.after.maps[plan.map].vco[FractionalPll()] / 1e9);
  return text;
}

std::string FormatSscVerdict(const SscPlan& plan) {
  if (plan.exact) return "Met exactly.";
  if (plan.withinWindow) return "Met within the window.";
  return "Not reachable within the window: the closest setting is shown.";
}

std::vector<std::string> SscNotes(const SscPlan& plan) {
  std::vector<std::string> notes;
  const MapEvaluation& planned = plan.after.maps[plan.map];
  if (const std::string off = planned.SscOffReason(); !off.empty()) {
    notes.push_back("Spread spectrum stays off until the board changes: " + off + ".");
  }
  const int other = 1 - plan.map;
  const MapEvaluation& otherAfter = plan.after.maps[other];
  if (plan.after.inputs.maps[other].mod > 0) {
    std::string note = MapTitle(other) +
                       " shares the steps: " + FormatDepth(otherAfter.ssc.downspreadPercent) +
                       " at " + FormatFmod(otherAfter.ssc.modulationHz);
    if (!SpanWithinLimit(otherAfter.ssc)) {
      note += FormatText(", FracRange below its minimum %d", otherAfter.ssc.minimumSpan);
    }
    notes.push_back(note + ".");
  }
  const int pll = FractionalPll();
  const double vcoBefore = plan.before.maps[other].vco[pll];
  const double vcoAfter = otherAfter.vco[pll];
  if (vcoBefore != vcoAfter) {
    notes.push_back(FormatText("With the SDM on, map %d's VCO2 moves from %.6f to %.6f GHz.", other,
                               vcoBefore / 1e9, vcoAfter / 1e9));
  }
  return notes;
}

std::string FormatSscSettings(const std::vector<SscPlan>& plans) {
  if (plans.size() == 1) return FormatSscSettings(plans.front());
  const SscSettings& shared = plans.front().settings;
  std::string text = FormatText("FracStep %d, NumSteps %d, CkDiv %d", shared.fracstep,
                                shared.numstep, shared.ckdiv);
  std::string vcos;
  for (const SscPlan& plan : plans) {
    const SscSettings& s = plan.settings;
    AppendFormat(text, "\nMap %d PLL2: N %d, word %d, modulus %d%s", plan.map, s.pll2N, s.frac,
                 s.mod, plan.feedbackChanged ? "" : " (as it is)");
    AppendFormat(vcos, "%s%.6f GHz in map %d", vcos.empty() ? "" : ", ",
                 plan.after.maps[plan.map].vco[FractionalPll()] / 1e9, plan.map);
  }
  return text + "\nVCO2 stays at " + vcos;
}

std::string FormatSscVerdict(const std::vector<SscPlan>& plans) {
  if (plans.size() == 1) return FormatSscVerdict(plans.front());
  bool exact = true, within = true;
  for (const SscPlan& plan : plans) {
    exact = exact && plan.exact;
    within = within && plan.withinWindow;
  }
  if (exact) return "Met exactly on both maps.";
  if (within) return "Met within the window on both maps.";
  return "Not reachable within the window on both maps: the closest setting is shown.";
}

std::vector<std::string> SscNotes(const std::vector<SscPlan>& plans) {
  if (plans.size() == 1) return SscNotes(plans.front());
  std::vector<std::string> notes;
  for (const SscPlan& plan : plans) {
    if (const std::string off = plan.after.maps[plan.map].SscOffReason(); !off.empty()) {
      notes.push_back(MapTitle(plan.map) +
                      ": spread spectrum stays off until the board changes: " + off + ".");
    }
  }
  return notes;
}

namespace {

std::optional<double> Number(const std::string& typed) {
  std::optional<double> value;
  if (!ParsePlainDecimal(typed, &value) || !value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

}  // namespace

std::string DownspreadProblem(const std::string& typed) {
  const std::optional<double> depth = Number(typed);
  if (depth && *depth > 0.0) {
    const std::size_t first = typed.find_first_not_of(" \t+");
    const std::size_t last = typed.find_last_not_of(" \t");
    return "\"" + typed + "\" is above 0: the chip only spreads down, so give it as -" +
           typed.substr(first, last + 1 - first);
  }
  if (!depth || *depth == 0.0) return "\"" + typed + "\" is not a number of percent below 0";
  return "";
}

std::string FmodProblem(const std::string& typed) {
  const std::optional<double> khz = Number(typed);
  if (!khz || !(*khz > 0.0)) return "\"" + typed + "\" is not a frequency in kHz above 0";
  return "";
}

bool ParseSscRequest(const std::string& downspread, const std::string& fmodKhz, SscRequest* request,
                     std::string* problem) {
  if (const std::string why = DownspreadProblem(downspread); !why.empty()) {
    *problem = "Downspread: " + why + ".";
    return false;
  }
  if (const std::string why = FmodProblem(fmodKhz); !why.empty()) {
    *problem = "Fmod: " + why + ".";
    return false;
  }
  *request = MakeSscRequest(*Number(downspread), *Number(fmodKhz) * 1000.0);
  return true;
}

}  // namespace qv
