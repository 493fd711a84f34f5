#pragma once
// Finds the dividers for wanted output frequencies. The divider space is small
// enough to search completely, so the plan returned is the best there is:
// fewest targets out of reach, then the smallest worst-case error, then an
// integer feedback divider before a fractional one, then the smallest spread
// of VCO dividers.

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

struct SolverRequest {
  double fpfd = 0.0;
  std::array<std::optional<double>, OUTPUT_COUNT> targets;  // Hz; empty: don't care
  std::array<int, 2> formatCodes{};                          // PLL1 pair, PLL2 pair
  // A synchronised pair shares the even output's VCO divider.
  std::array<bool, 2> sync{};
  // Largest modulus to consider; 1 keeps PLL2 integer.
  int maxModulus = SOLVER_MODULUS_MAX;
};

struct OutputPlan {
  bool wanted = false;
  double target = 0.0;
  double achieved = 0.0;
  double errorPpm = 0.0;
  // False when no divider setting within the chip's limits comes near the
  // target: achieved is then the closest the output can get.
  bool reachable = true;
  // Achieved when reachable; otherwise the nearest the output can get in any plan.
  double closest = 0.0;
  int v = 0;
  int d = 0;
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
