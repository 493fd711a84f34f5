#include "plan/panel/solver_apply.h"

#include "model/fields.h"
#include "plan/panel/frequency_maps.h"
#include "plan/panel/panel_commit.h"
#include "plan/panel/plan_inputs.h"
#include "plan/plan_evaluation.h"
#include "ui/panel_ids.h"

namespace qv {

SolverRequest RequestFromPanel(const std::array<std::optional<double>, OUTPUT_COUNT>& targets,
                               int map) {
  const PlanEvaluation plan = EvaluatePlan(ReadPlanInputs());
  const MapSettings& settings = plan.inputs.maps[map];
  const MapEvaluation& present = plan.maps[map];
  SolverRequest request;
  request.fpfd = plan.pfdHz;
  request.targets = targets;
  request.formatCodes = plan.inputs.formatCodes;
  request.sync = plan.inputs.sync;
  request.present.v = settings.v;
  request.present.d = settings.d;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    if (!targets[k] && present.active.output[k]) request.keep[k] = present.out[k];
  }
  return request;
}

bool ApplySolverPlan(const SolverResult& plan, int map) {
  if (!plan.ok || map < 0 || map >= MAP_COUNT) return false;
  const FrequencyMap& controls = kFrequencyMaps[map];
  bool ok = true;
  if (plan.plls[0].changed) ok = CommitIfChanged(controls.pll1NControl, plan.plls[0].n) && ok;
  const PllPlan& pll2 = plan.plls[1];
  if (pll2.changed) {
    if (pll2.frac > 0) {
      // The modulator and the modulus first, so the word lands on a running SDM.
      if (!IsSdmPowered()) ok = CommitIfChanged(BLEEDSDM, 1) && ok;
      ok = CommitIfChanged(controls.modControl, pll2.mod) && ok;
      ok = CommitIfChanged(controls.pll2NControl, pll2.n) && ok;
      ok = CommitIfChanged(controls.fracControl, pll2.frac) && ok;
    } else {
      ok = CommitIfChanged(controls.fracControl, 0) && ok;
      ok = CommitIfChanged(controls.pll2NControl, pll2.n) && ok;
    }
  }
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const OutputPlan& out = plan.outputs[k];
    // Under sync an odd output runs on its partner's V and its own stays as it is.
    const bool ownV = VcoDividerSource(k, *kSyncFlags[kOutputs[k].pll] != 0) == k;
    if (out.v && ownV) ok = CommitIfChanged(controls.outputs[k].vControl, out.v) && ok;
    if (out.d) ok = CommitIfChanged(controls.outputs[k].dControl, out.d) && ok;
  }
  return ok;
}

MapSolution SolveMap(const std::array<std::optional<double>, OUTPUT_COUNT>& targets, int map,
                     double preferIntegerWithinPpm) {
  MapSolution solution;
  solution.map = map;
  solution.request = RequestFromPanel(targets, map);
  solution.request.preferIntegerWithinPpm = preferIntegerWithinPpm;
  solution.plan = SolvePlan(solution.request);
  return solution;
}

std::vector<MapSolution> SolveForMaps(
    const std::array<std::optional<double>, OUTPUT_COUNT>& targets, int choice,
    double preferIntegerWithinPpm) {
  std::vector<MapSolution> solutions;
  for (int map = 0; map < MAP_COUNT; ++map) {
    if (PlansMap(choice, map)) solutions.push_back(SolveMap(targets, map, preferIntegerWithinPpm));
  }
  return solutions;
}

bool ApplySolverPlans(const std::vector<MapSolution>& solutions) {
  bool ok = true;
  for (const MapSolution& solution : solutions) {
    ok = ApplySolverPlan(solution.plan, solution.map) && ok;
  }
  return ok;
}

}  // namespace qv
