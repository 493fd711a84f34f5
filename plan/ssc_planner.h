#pragma once
// Spread spectrum from what an engineer asks for: a downspread and a
// modulation frequency become FracStep, NumSteps, CkDiv and, where the map's
// modulus cannot carry the depth, a new modulus with the PLL2 N and word that
// keep the VCO exactly where it is. Every setting the panel offers is searched,
// so the answer is the closest there is.

#include <string>
#include <vector>

#include "chip/fields.h"
#include "plan/plan_evaluation.h"

namespace qv {

// The settings the planner may choose from: what the panel lets a user choose.
inline constexpr ValueRange SSC_STEP = ControlRange(FieldKind::StepSize);
inline constexpr ValueRange SSC_STEPS = ControlRange(FieldKind::StepCount);
inline constexpr ValueRange SSC_CLOCK_DIVIDER = ControlRange(FieldKind::ClockDivider);
inline constexpr ValueRange SSC_MODULUS = ControlRange(FieldKind::Modulus);
inline constexpr ValueRange SSC_WORD = ControlRange(FieldKind::FractionalWord);

// What counts as meeting a request: a downspread between deepest and
// shallowest (percent, both 0 or below) and a modulation frequency between
// fmodLow and fmodHigh (Hz).
struct SscWindow {
  double deepestPercent = 0.0;
  double shallowestPercent = 0.0;
  double fmodLowHz = 0.0;
  double fmodHighHz = 0.0;
};

struct SscRequest {
  double downspreadPercent = 0.0;  // below 0
  double fmodHz = 0.0;
  SscWindow window;
};

// PCI Express: -0.5 % at 31.5 kHz; 0 to -0.5 % and 30 to 33 kHz pass.
inline constexpr SscRequest PCI_EXPRESS_SSC{-0.5, 31500.0, {-0.5, 0.0, 30000.0, 33000.0}};

// Any other request passes never deeper than asked and at most this much
// shallower, and with the modulation frequency this close (relative).
inline constexpr double SSC_DEPTH_TOLERANCE = 0.1;
inline constexpr double SSC_FMOD_TOLERANCE = 0.05;

// The request for these figures: the PCI Express window for its figures, the
// tolerances above for any other. The sign is kept: a downspread above 0 is
// refused by the planner, never taken for its opposite.
SscRequest MakeSscRequest(double downspreadPercent, double fmodHz);

// What the planner sets: the shared spread-spectrum controls and the map's
// PLL2 feedback.
struct SscSettings {
  int fracstep = 0;
  int numstep = 0;
  int ckdiv = 0;
  int pll2N = 0;
  int frac = 0;
  int mod = 0;
};

struct SscPlan {
  // False when nothing can be planned (see problem); the closest found is
  // still a plan when it misses the window.
  bool ok = false;
  std::string problem;
  int map = 0;
  SscRequest request;
  SscSettings settings;
  bool feedbackChanged = false;  // N, word or modulus differ from the map's
  // The plan as it was, and with these settings and the modulator on, as the
  // plan evaluation judges them.
  PlanEvaluation before;
  PlanEvaluation after;
  double depthErrorPercent = 0.0;  // achieved - asked
  double fmodErrorHz = 0.0;
  bool withinWindow = false;
  bool exact = false;

  const SscFigures& Figures() const { return after.maps[map].ssc; }
};

SscPlan PlanSpreadSpectrum(const PlanInputs& inputs, int map, const SscRequest& request);
// For map 0, map 1 or BOTH_MAPS: one plan per map, in map order. Both maps
// share the steps and the clock divider, so with both they are searched
// together and each map reaches the request with a modulus of its own; each
// plan's `after` holds every map's settings. A single plan that is not ok
// says why none was found.
std::vector<SscPlan> PlanSpreadSpectrumMaps(const PlanInputs& inputs, int choice,
                                            const SscRequest& request);

// The inputs with a plan's settings in place and the modulator on: what Apply leaves.
PlanInputs WithSscSettings(PlanInputs inputs, int map, const SscSettings& settings);

}  // namespace qv
