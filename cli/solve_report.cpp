#include "cli/solve_report.h"

#include <string>

#include "files/json_writer.h"
#include "model/text_format.h"
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
    if (!out.wanted) {
      AppendFormat(text, "OUT%-3d %14s %14s %12s  %s\n", k, "-", "-", "", "any frequency will do");
      continue;
    }
    AppendFormat(text, "OUT%-3d %14s %14s %12s  %s%s\n", k, FormatMhz(out.target).c_str(),
                 FormatMhz(out.achieved).c_str(), FormatPpm(out.errorPpm).c_str(),
                 FormatDividers(plan, k).c_str(), out.reachable ? "" : "  OUT OF REACH");
  }
  const std::string reach = FormatOutOfReach(plan);
  if (!reach.empty()) text += reach + "\n";
  out << text;
}

void WriteSolveJson(std::ostream& out, const SolverRequest& request, const SolverResult& plan,
                    int map) {
  std::string text;
  JsonWriter json{&text};
  JsonOpenObject(json, "");
  JsonWriteInt(json, "map", map);
  JsonWriteDouble(json, "pfdHz", request.fpfd);
  for (int pll = 0; pll < 2; ++pll) {
    const PllPlan& p = plan.plls[pll];
    JsonOpenObject(json, pll == 0 ? "pll1" : "pll2");
    JsonWriteBool(json, "changed", p.changed);
    if (p.changed) {
      JsonWriteInt(json, "n", p.n);
      JsonWriteInt(json, "frac", p.frac);
      JsonWriteInt(json, "mod", p.mod);
      JsonWriteDouble(json, "vcoHz", p.vco);
    }
    JsonCloseObject(json);
  }
  JsonWriteBool(json, "sdmNeeded", plan.sdmNeeded);
  JsonWriteBool(json, "allReachable", plan.AllReachable());
  JsonWriteBool(json, "allExact", plan.AllExact());
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const OutputPlan& o = plan.outputs[k];
    JsonOpenObject(json, "OUT" + std::to_string(k));
    JsonWriteBool(json, "wanted", o.wanted);
    if (o.wanted) {
      JsonWriteDouble(json, "targetHz", o.target);
      JsonWriteDouble(json, "achievedHz", o.achieved);
      JsonWriteDouble(json, "errorPpm", o.errorPpm);
      JsonWriteBool(json, "reachable", o.reachable);
      JsonWriteDouble(json, "closestHz", o.closest);
    }
    if (o.v) JsonWriteInt(json, "v", o.v);
    if (o.d) JsonWriteInt(json, "d", o.d);
    JsonCloseObject(json);
  }
  JsonCloseObject(json);
  out << text << '\n';
}

}  // namespace qv::cli
