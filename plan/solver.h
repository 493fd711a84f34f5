#pragma once
// Finds the dividers for wanted output frequencies. The divider space is small
// enough to search completely, so the plan returned is the best there is:
// fewest targets out of reach, then the smallest worst-case error, then the
// outputs without a target as close to their present frequency as they can
// stay, then an integer feedback divider before a fractional one, then those
// outputs on the dividers they have, then the smallest spread of VCO
// dividers. The plan depends on the request alone: the targets, and the
// outputs without one as they are.

#include <array>
#include <optional>
#include <string>

#include "chip/fields.h"

namespace qv {

// The settings the solver may choose from: what the panel lets a user choose.
inline constexpr ValueRange SOLVER_N = ControlRange(FieldKind::FeedbackDivider);
inline constexpr ValueRange SOLVER_V = ControlRange(FieldKind::VcoDivider);
inline constexpr ValueRange SOLVER_D = ControlRange(FieldKind::OutputDivider);
inline constexpr int SOLVER_MODULUS_MAX = ControlRange(FieldKind::Modulus).max;
// Below this an error is rounding, not a property of the plan.
inline constexpr double EXACT_PPM = 1e-6;

// The output dividers of the map as they are, so an output without a target
// keeps them where it can.
struct PresentSettings {
  std::array<int, OUTPUT_COUNT> v{};
  std::array<int, OUTPUT_COUNT> d{};
};

struct SolverRequest {
  double fpfd = 0.0;
  std::array<std::optional<double>, OUTPUT_COUNT> targets;  // Hz; empty: don't care
  // Outputs without a target that carry a signal: the frequency they keep
  // where a plan allows it (Hz).
  std::array<std::optional<double>, OUTPUT_COUNT> keep;
  PresentSettings present;
  std::array<int, 2> formatCodes{};  // PLL1 pair, PLL2 pair
  // A synchronised pair shares the even output's VCO divider.
  std::array<bool, 2> sync{};
  // Largest modulus to consider; 1 keeps PLL2 integer.
  int maxModulus = SOLVER_MODULUS_MAX;
  // An integer N that meets every target of its PLL within this many ppm
  // beats any fractional one; 0: only a better error counts.
  double preferIntegerWithinPpm = 0.0;
};

struct OutputPlan {
  bool wanted = false;
  // Has a frequency to keep (no target, but in use): target is that frequency
  // and errorPpm how far the plan moves it.
  bool kept = false;
  double target = 0.0;
  double achieved = 0.0;
  double errorPpm = 0.0;
  // False when no divider setting within the chip's limits comes near the
  // target: achieved is then as close as the plan offered gets.
  bool reachable = true;
  int v = 0;  // the VCO divider it runs on; 0: left as it is
  int d = 0;

  bool Moved() const;
  // achieved - target, in ppm of the target: errorPpm with its sign.
  double SignedErrorPpm() const;
};

struct PllPlan {
  bool changed = false;  // false: no target on this PLL, nothing to change
  int n = 0;
  int frac = 0;  // 0: integer N
  int mod = 0;
  double vco = 0.0;
};

struct SolverResult {
  // False when the request cannot be planned at all (see problem).
  bool ok = false;
  std::string problem;
  std::array<PllPlan, 2> plls;
  std::array<OutputPlan, OUTPUT_COUNT> outputs;
  bool sdmNeeded = false;

  bool AllReachable() const;
  bool AllExact() const;
  double WorstErrorPpm() const;
  bool AnyMoved() const;
};

SolverResult SolvePlan(const SolverRequest& request);

// The lowest and highest frequency one output can produce inside the chip's
// limits at this PFD frequency.
struct OutputRange {
  double low = 0.0;
  double high = 0.0;
};
OutputRange AchievableRange(const SolverRequest& request, int output);

// Best rational neighbours of x in [0, 1) with denominators up to maxDenominator:
// lower <= x <= upper, no fraction of such a denominator lies between them.
struct Fraction {
  int num;
  int den;
};
void BracketFraction(double x, int maxDenominator, Fraction* lower, Fraction* upper);

}  // namespace qv
