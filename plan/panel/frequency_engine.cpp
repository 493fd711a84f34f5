#include "plan/panel/frequency_engine.h"

#include <string>

#include "base/text_format.h"
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

// Every figure of one recalculation, formatted through one buffer.
class Figures {
 public:
  template <typename... Args>
  void Show(int control, const char* format, Args... args) {
    text_.clear();
    AppendFormat(text_, format, args...);
    // A figure has always been cut to this length (a frequency of 1e300 Hz, say).
    if (text_.size() > kLongest) text_.resize(kLongest);
    SetCtrlVal(panelHandle, control, text_);
  }

 private:
  static constexpr std::size_t kLongest = 63;
  std::string text_;
};

void ShowFrequencies(Figures& figures, const PlanEvaluation& plan) {
  figures.Show(NRANGE, "%d <= N <= %d", plan.nRange.min, plan.nRange.max);
  for (int m = 0; m < MAP_COUNT; ++m) {
    const FrequencyMap& map = kFrequencyMaps[m];
    const MapEvaluation& values = plan.maps[m];
    figures.Show(map.vco1Control, "%10.5f", values.vco[0] / 1e9);
    figures.Show(map.vco2Control, "%10.5f", values.vco[1] / 1e9);
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      figures.Show(map.outputs[k].freqControl, "%10.5f", values.out[k] / 1e6);
    }
  }
}

// Written and coloured on every call, also while the panel keeps them hidden.
void ShowSpreadSpectrum(Figures& figures, const MapEvaluation& used) {
  figures.Show(TXT_FRACRANGE, "%d", used.ssc.span);
  figures.Show(TXT_SSCG_DOWNSPREAD, "%2.3f%%", used.ssc.downspreadPercent);
  figures.Show(TXT_SSCG_FMOD, "%2.2f kHz", used.ssc.modulationHz / 1000.0);
  ColourSpreadSpectrumFigures(used);
}

}  // namespace

void RecalculateFrequencies() {
  const PlanEvaluation plan = EvaluatePlan(ReadPlanInputs());
  Figures figures;
  ShowFrequencies(figures, plan);
  ShowSpreadSpectrum(figures, plan.InUse());
  UpdatePanelDimming(plan);
  ColourChecks(plan);
  PlanListeners().Tell(plan);
}

int AddPlanListener(PlanListener listener) { return PlanListeners().Add(std::move(listener)); }
void RemovePlanListener(int id) { PlanListeners().Remove(id); }
void ClearPlanListeners() { PlanListeners().Clear(); }

}  // namespace qv
