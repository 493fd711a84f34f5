#include "plan/panel/frequency_engine.h"

#include <cstdio>

#include "model/program_state.h"
#include "plan/panel/frequency_maps.h"
#include "plan/panel/panel_look.h"
#include "plan/panel/plan_inputs.h"
#include "plan/panel/validation.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

Listeners<const PlanEvaluation&>& PlanListeners() {
  static Listeners<const PlanEvaluation&> listeners;
  return listeners;
}

template <typename... Args>
void ShowFormatted(int control, const char* format, Args... args) {
  char text[64];
  std::snprintf(text, sizeof text, format, args...);
  SetCtrlVal(panelHandle, control, text);
}

void ShowFrequencies(const PlanEvaluation& plan) {
  ShowFormatted(NRANGE, "%d <= N <= %d", plan.nRange.min, plan.nRange.max);
  for (int m = 0; m < MAP_COUNT; ++m) {
    const FrequencyMap& map = kFrequencyMaps[m];
    const MapEvaluation& values = plan.maps[m];
    ShowFormatted(map.vco1Control, "%10.5f", values.vco[0] / 1e9);
    ShowFormatted(map.vco2Control, "%10.5f", values.vco[1] / 1e9);
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      ShowFormatted(map.outputs[k].freqControl, "%10.5f", values.out[k] / 1e6);
    }
  }
}

// Written and coloured on every call, also while the panel keeps them hidden.
void ShowSpreadSpectrum(const MapEvaluation& used) {
  ShowFormatted(TXT_FRACRANGE, "%d", used.ssc.span);
  ShowFormatted(TXT_SSCG_DOWNSPREAD, "%2.3f%%", used.ssc.downspreadPercent);
  ShowFormatted(TXT_SSCG_FMOD, "%2.2f kHz", used.ssc.modulationHz / 1000.0);
  ColourSpreadSpectrumFigures(used);
}

}  // namespace

void RecalculateFrequencies() {
  const PlanEvaluation plan = EvaluatePlan(ReadPlanInputs());
  ShowFrequencies(plan);
  ShowSpreadSpectrum(plan.InUse());
  UpdatePanelDimming(plan);
  ColourChecks(plan);
  PlanListeners().Tell(plan);
}

int AddPlanListener(PlanListener listener) { return PlanListeners().Add(std::move(listener)); }
void RemovePlanListener(int id) { PlanListeners().Remove(id); }
void ClearPlanListeners() { PlanListeners().Clear(); }

}  // namespace qv
