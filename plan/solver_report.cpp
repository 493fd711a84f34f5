#include "plan/solver_report.h"

#include <cstdio>
#include <cstdlib>

namespace qv {
namespace {

std::string Printf(const char* format, auto... args) {
  char text[128];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string FeedbackText(const PllPlan& pll) {
  return pll.frac > 0 ? Printf("N %d + %d/%d", pll.n, pll.frac, pll.mod) : Printf("N %d", pll.n);
}

}  // namespace

std::string FormatMhz(double hz) { return Printf("%.6f", hz / 1e6); }

std::string FormatDividers(const SolverResult& plan, int output) {
  const OutputPlan& out = plan.outputs[output];
  const PllPlan& pll = plan.plls[kOutputs[output].pll];
  if (!pll.changed) return "";
  std::string text = FeedbackText(pll);
  if (out.v) text += Printf(", V %d", out.v);
  if (out.d) text += Printf(", D %d", out.d);
  return text;
}

std::string FormatPllSummary(const SolverResult& plan, int pll) {
  const PllPlan& p = plan.plls[pll];
  if (!p.changed) return Printf("PLL%d: no target, left as it is", pll + 1);
  return Printf("PLL%d: VCO %.6f GHz, ", pll + 1, p.vco / 1e9) + FeedbackText(p) +
         (p.frac > 0 ? " (SDM on)" : "");
}

std::string FormatOutOfReach(const SolverResult& plan) {
  std::string text;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const OutputPlan& out = plan.outputs[k];
    if (!out.wanted || out.reachable) continue;
    text += Printf("%sOUT%d %g MHz (closest %s)", text.empty() ? "Out of reach: " : ", ", k,
                   out.target / 1e6, FormatMhz(out.achieved).c_str());
  }
  return text;
}

std::string FormatSignedPpm(const OutputPlan& out) {
  if (out.errorPpm <= EXACT_PPM) return "0";
  return Printf("%+.3f", out.SignedErrorPpm());
}

std::string FormatMoves(const SolverResult& plan) {
  std::string text;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const OutputPlan& out = plan.outputs[k];
    if (!out.Moved()) continue;
    text += Printf("%sOUT%d %s -> %s MHz (%s ppm)", text.empty() ? "Moved: " : ", ", k,
                   FormatMhz(out.target).c_str(), FormatMhz(out.achieved).c_str(),
                   FormatSignedPpm(out).c_str());
  }
  return text;
}

bool ParsePlainDecimal(const std::string& text, std::optional<double>* value) {
  const char* begin = text.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  if (*begin == '\0') {
    value->reset();
    return true;
  }
  char* end = nullptr;
  const double number = std::strtod(begin, &end);
  while (*end == ' ' || *end == '\t') ++end;
  const bool decimal =
      (*begin >= '0' && *begin <= '9') || *begin == '.' || *begin == '+' || *begin == '-';
  if (end == begin || *end != '\0' || !decimal || text.find_first_of("xXnN") != std::string::npos) {
    return false;
  }
  *value = number;
  return true;
}

bool ParseTargetMhz(const std::string& text, std::optional<double>* hz) {
  std::optional<double> mhz;
  // A target has no sign: "-5" is no frequency.
  const std::size_t first = text.find_first_not_of(" \t");
  if ((first != std::string::npos && text[first] == '-') || !ParsePlainDecimal(text, &mhz)) {
    return false;
  }
  *hz = mhz ? std::optional<double>(*mhz * 1e6) : std::nullopt;
  return true;
}

bool ParseTolerancePpm(const std::string& text, double* ppm) {
  std::optional<double> value;
  if (!ParsePlainDecimal(text, &value) || (value && !(*value >= 0.0))) return false;
  *ppm = value.value_or(0.0);
  return true;
}

}  // namespace qv
