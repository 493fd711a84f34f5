#pragma once
// Spread spectrum as a sweep in time: the fractional word steps down by
// FracStep every CkDiv PFD cycles, NumSteps times, and back up, so PLL2's VCO
// and the outputs on it follow a triangle. Its extremes are the plan's own
// figures: the nominal frequency and the nominal lowered by the downspread.

#include <string>
#include <vector>

#include "plan/plan_evaluation.h"
#include "ui/scene.h"

namespace qv::report {

struct SweptSignal {
  std::string name;  // "VCO2", "OUT2"
  double nominalHz = 0.0;
  double sweptHz = 0.0;  // at the far end of the sweep
  double LowestHz() const { return nominalHz < sweptHz ? nominalHz : sweptHz; }
  double HighestHz() const { return nominalHz < sweptHz ? sweptHz : nominalHz; }
};

struct SweepPoint {
  double seconds = 0.0;
  double fraction = 0.0;  // of the way from nominal to the far end: 0 to 1
};

struct SscProfile {
  int map = 0;
  bool active = false;
  std::string offReason;
  double depthPercent = 0.0;
  double modulationHz = 0.0;
  double periodSeconds = 0.0;  // 0 when there is no modulation
  int steps = 0;
  int cyclesPerStep = 0;
  int span = 0;
  std::vector<SweptSignal> signals;  // the VCO, then each active output on it
  std::vector<SweepPoint> sweep;     // two periods, from the start of a sweep
};

SscProfile SpreadSpectrumProfile(const PlanEvaluation& plan, int map);

// One trace of the sweep (every signal swings by the same fraction), with the
// depth, modulation frequency and period marked and each signal's frequencies
// at both ends. Ids: "ssc-mapM-sweep", "ssc-mapM-depth", "ssc-mapM-period",
// and "ssc-mapM-vco2", "ssc-mapM-out2", ... for the signals.
Scene ProfileScene(const SscProfile& profile);

}  // namespace qv::report
