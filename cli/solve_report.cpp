#include "cli/solve_report.h"

#include <string>

#include "base/text_format.h"
#include "plan/solver_report.h"

namespace qv::cli {

void WriteSolveReport(std::ostream& out, const SolverRequest& request, const SolverResult& plan,
                      int map) {
  std::string text;
  AppendFormat(text, "Plan for map %d (MARGIN %s) at PFD %.5f MHz\n", map, map ? "high" : "low",
               request.fpfd / 1e6);
  for (int pll = 0; pll < 2; ++pll) text += FormatPllSummary(plan, pll) + "\n";
  AppendFormat(text, "%-6s %14s %14s %12s  %s\n", "Output", "Target (MHz)", "Achieved (MHz)",
               "Error (ppm)", "Dividers");
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const OutputPlan& out = plan.outputs[k];
    if (out.kept) {
      const std::string note = out.Moved() ? "moved from " + FormatMhz(out.target) : "kept";
      AppendFormat(text, "OUT%-3d %14s %14s %12s  %s  %s\n", k, "-",
                   FormatMhz(out.achieved).c_str(), FormatSignedPpm(out).c_str(),
                   FormatDividers(plan, k).c_str(), note.c_str());
      continue;
    }
    if (!out.wanted) {
      AppendFormat(text, "OUT%-3d %14s %14s %12s  %s\n", k, "-", "-", "", "any frequency will do");
      continue;
    }
    AppendFormat(text, "OUT%-3d %14s %14s %12s  %s%s\n", k, FormatMhz(out.target).c_str(),
                 FormatMhz(out.achieved).c_str(), FormatSignedPpm(out).c_str(),
                 FormatDividers(plan, k).c_str(), out.reachable ? "" : "  OUT OF REACH");
  }
  for (const std::string& line : {FormatOutOfReach(plan), FormatMoves(plan)}) {
    if (!line.empty()) text += line + "\n";
  }
  out << text;
}

Json SolveJson(const SolverRequest& request, const SolverResult& plan, int map) {
  Json document;
  document["map"] = map;
  document["pfd_hz"] = request.fpfd;
  for (int pll = 0; pll < 2; ++pll) {
    const PllPlan& p = plan.plls[pll];
    Json& entry = document[pll == 0 ? "pll1" : "pll2"];
    entry["changed"] = p.changed;
    if (p.changed) {
      entry["n"] = p.n;
      entry["frac"] = p.frac;
      entry["mod"] = p.mod;
      entry["vco_hz"] = p.vco;
    }
  }
  document["sdm_needed"] = plan.sdmNeeded;
  document["all_reachable"] = plan.AllReachable();
  document["all_exact"] = plan.AllExact();
  document["any_moved"] = plan.AnyMoved();
  document["prefer_integer_within_ppm"] = request.preferIntegerWithinPpm;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const OutputPlan& o = plan.outputs[k];
    Json& entry = document["out" + std::to_string(k)];
    entry["wanted"] = o.wanted;
    if (o.wanted) {
      entry["target_hz"] = o.target;
      entry["achieved_hz"] = o.achieved;
      entry["error_ppm"] = o.SignedErrorPpm();
      entry["reachable"] = o.reachable;
    }
    if (o.kept) {
      entry["kept_hz"] = o.target;
      entry["achieved_hz"] = o.achieved;
      entry["moved_ppm"] = (o.achieved - o.target) / o.target * 1e6;
    }
    if (o.v) entry["v"] = o.v;
    if (o.d) entry["d"] = o.d;
  }
  return document;
}

}  // namespace qv::cli
