#include "plan/solver_apply.h"

#include "model/fields.h"
#include "model/program_state.h"
#include "model/value_variables.h"
#include "plan/frequency_engine.h"
#include "plan/frequency_maps.h"
#include "plan/register_fields.h"
#include "ui/panel_ids.h"
#include "ui/panel_store.h"

namespace qv {
namespace {

// Online every commit costs a chip exchange; skip the ones that change nothing.
// The value variable says what the chip holds (a control may show a coerced value).
bool CommitIfChanged(int control, int value) {
  const RegisterField* field = FindRegisterField(control);
  if (field && *field->variable == value) return true;
  return Store().CommitValue(panelHandle, control, value) == UIE_NO_ERROR;
}

}  // namespace

SolverRequest RequestFromPanel(const std::array<std::optional<double>, OUTPUT_COUNT>& targets) {
  SolverRequest request;
  request.fpfd = GetPfdFrequency();
  request.targets = targets;
  request.formatCodes = {OutputFormatPll1, OutputFormatPll2};
  request.sync = {sync1 != 0, sync2 != 0};
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
    if (out.v) ok = CommitIfChanged(controls.outputs[k].vControl, out.v) && ok;
    if (out.d) ok = CommitIfChanged(controls.outputs[k].dControl, out.d) && ok;
  }
  return ok;
}

}  // namespace qv
