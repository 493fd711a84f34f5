#include "plan/panel/ssc_apply.h"

#include "model/fields.h"
#include "plan/panel/frequency_maps.h"
#include "plan/panel/panel_commit.h"
#include "ui/panel_ids.h"

namespace qv {

bool ApplySscPlan(const SscPlan& plan) {
  if (!plan.ok || plan.map < 0 || plan.map >= MAP_COUNT) return false;
  const FrequencyMap& controls = kFrequencyMaps[plan.map];
  const SscSettings& s = plan.settings;
  bool ok = true;
  // The modulator first, so the new word lands on a running SDM.
  if (!IsSdmPowered()) ok = CommitIfChanged(BLEEDSDM, 1) && ok;
  ok = CommitIfChanged(controls.modControl, s.mod) && ok;
  ok = CommitIfChanged(controls.pll2NControl, s.pll2N) && ok;
  ok = CommitIfChanged(controls.fracControl, s.frac) && ok;
  ok = CommitIfChanged(FRACSTEP, s.fracstep) && ok;
  ok = CommitIfChanged(NUMSTEP, s.numstep) && ok;
  ok = CommitIfChanged(CKDIV, s.ckdiv) && ok;
  return ok;
}

bool ApplySscPlans(const std::vector<SscPlan>& plans) {
  bool ok = true;
  for (const SscPlan& plan : plans) ok = ApplySscPlan(plan) && ok;
  return ok;
}

}  // namespace qv
