#include "plan/ssc_planner.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

namespace qv {
namespace {

// Below this a relative difference is rounding, not a property of the plan.
constexpr double kSame = 1e-12;

bool Within(double value, double low, double high) {
  const double slack = kSame * std::max(std::abs(low), std::abs(high));
  return value >= low - slack && value <= high + slack;
}

double Relative(double achieved, double asked) {
  return std::abs(achieved - asked) / std::abs(asked);
}

bool InWindow(const SscFigures& figures, const SscWindow& window) {
  return Within(figures.downspreadPercent, window.deepestPercent, window.shallowestPercent) &&
         Within(figures.modulationHz, window.fmodLowHz, window.fmodHighHz);
}

bool FeedbackDiffers(const SscSettings& settings, const MapSettings& present) {
  return settings.pll2N != present.pll2N || settings.frac != present.frac ||
         settings.mod != present.mod;
}

// PLL2's feedback ratio as the plan evaluation runs it, as an exact fraction.
struct Ratio {
  std::int64_t num;
  std::int64_t den;  // lowest terms
  double Value() const { return static_cast<double>(num) / static_cast<double>(den); }
};

Ratio PresentRatio(const MapSettings& settings, const MapEvaluation& map) {
  if (!map.fractionalN) return {settings.pll2N, 1};
  const std::int64_t num = static_cast<std::int64_t>(settings.pll2N) * settings.mod + settings.frac;
  const std::int64_t divisor = std::gcd(num, static_cast<std::int64_t>(settings.mod));
  return {num / divisor, settings.mod / divisor};
}

// Closest first; then fewer changes; then the smoother sweep.
struct Score {
  bool inWindow = false;
  double worst = 0.0;  // the larger relative error of depth and modulation frequency
  double other = 0.0;
  bool changed = false;
  int numstep = 0;
  int mod = 0;
  int fracstep = 0;
  int ckdiv = 0;

  bool BetterThan(const Score& o) const {
    if (inWindow != o.inWindow) return inWindow;
    if (worst < o.worst - kSame) return true;
    if (worst > o.worst + kSame) return false;
    if (other < o.other - kSame) return true;
    if (other > o.other + kSame) return false;
    if (changed != o.changed) return !changed;
    // More steps of the word make a finer staircase.
    if (numstep != o.numstep) return numstep > o.numstep;
    if (mod != o.mod) return mod < o.mod;
    if (fracstep != o.fracstep) return fracstep > o.fracstep;
    return ckdiv < o.ckdiv;
  }
};

class Search {
 public:
  Search(const MapSettings& present, const SscRequest& request, double fpfd, Ratio ratio)
      : present_(present),
        request_(request),
        fpfd_(fpfd),
        ratio_(ratio),
        whole_(static_cast<int>(ratio.num / ratio.den)),
        remainder_(ratio.num % ratio.den) {}

  bool Run() {
    for (int steps = SSC_STEPS.min; steps <= SSC_STEPS.max; ++steps) {
      const std::vector<int> dividers = ClockDividers(steps);
      // A step of 0 spreads nothing.
      for (int step = std::min(SSC_STEP.max, -1); step >= SSC_STEP.min; --step) {
        for (std::int64_t k : Multiples(step, steps)) {
          for (int divider : dividers) Consider(step, steps, divider, k);
        }
      }
    }
    return found_;
  }

  const SscSettings& Best() const { return best_; }

 private:
  // The modulation frequency falls as the divider grows: its best values are
  // the two around the ideal, clamped to the range.
  std::vector<int> ClockDividers(int steps) const {
    const double ideal = fpfd_ / (2.0 * steps * request_.fmodHz);
    std::vector<int> values;
    for (double candidate : {std::floor(ideal), std::ceil(ideal)}) {
      const int divider =
          static_cast<int>(std::clamp(candidate, static_cast<double>(SSC_CLOCK_DIVIDER.min),
                                      static_cast<double>(SSC_CLOCK_DIVIDER.max)));
      if (std::ranges::find(values, divider) == values.end()) values.push_back(divider);
    }
    return values;
  }

  // Moduli that keep the ratio exact are the multiples k of its denominator.
  // The depth falls as the modulus grows: the two multiples around the ideal,
  // the smallest the span limit allows, and the modulus as it is.
  std::vector<std::int64_t> Multiples(int step, int steps) const {
    const std::int64_t most = SSC_MODULUS.max / ratio_.den;
    const auto clamped = [&](double k) {
      return static_cast<std::int64_t>(std::clamp(k, 1.0, static_cast<double>(most)));
    };
    const double ideal = 100.0 * step * steps / (request_.downspreadPercent * ratio_.Value()) /
                         static_cast<double>(ratio_.den);
    std::vector<std::int64_t> values{clamped(std::floor(ideal)), clamped(std::ceil(ideal))};
    if (present_.mod > 0 && present_.mod % ratio_.den == 0)
      values.push_back(present_.mod / ratio_.den);
    // A larger modulus lets the word fall further. Where the ideal breaks the
    // span limit, the least multiple that keeps it is the closest there is.
    const auto holds = [&](std::int64_t k) {
      return SpanWithinLimit(FiguresOf(Settings(step, steps, SSC_CLOCK_DIVIDER.min, k)));
    };
    if (!holds(values[1]) && holds(most)) {
      std::int64_t low = values[1] + 1, high = most;  // high holds
      while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (holds(middle)) {
          high = middle;
        } else {
          low = middle + 1;
        }
      }
      values.push_back(high);
    }
    return values;
  }

  SscSettings Settings(int step, int steps, int divider, std::int64_t k) const {
    SscSettings settings;
    settings.fracstep = step;
    settings.numstep = steps;
    settings.ckdiv = divider;
    settings.pll2N = whole_;
    settings.mod = static_cast<int>(k * ratio_.den);
    settings.frac = static_cast<int>(k * remainder_);
    return settings;
  }

  // The figures as the plan evaluation computes them.
  SscFigures FiguresOf(const SscSettings& settings) const {
    MapSettings map = present_;
    map.pll2N = settings.pll2N;
    map.frac = settings.frac;
    map.mod = settings.mod;
    return ComputeSscFigures(map, settings.fracstep, settings.numstep, settings.ckdiv, fpfd_);
  }

  void Consider(int step, int steps, int divider, std::int64_t k) {
    const SscSettings settings = Settings(step, steps, divider, k);
    const SscFigures figures = FiguresOf(settings);
    if (!SpanWithinLimit(figures)) return;

    Score score;
    score.inWindow = InWindow(figures, request_.window);
    const double depth = Relative(figures.downspreadPercent, request_.downspreadPercent);
    const double fmod = Relative(figures.modulationHz, request_.fmodHz);
    score.worst = std::max(depth, fmod);
    score.other = std::min(depth, fmod);
    score.changed = FeedbackDiffers(settings, present_);
    score.numstep = steps;
    score.mod = settings.mod;
    score.fracstep = step;
    score.ckdiv = divider;
    if (!found_ || score.BetterThan(bestScore_)) {
      best_ = settings;
      bestScore_ = score;
      found_ = true;
    }
  }

  const MapSettings& present_;
  const SscRequest& request_;
  double fpfd_;
  Ratio ratio_;
  int whole_;
  std::int64_t remainder_;
  SscSettings best_;
  Score bestScore_;
  bool found_ = false;
};

}  // namespace

SscRequest MakeSscRequest(double downspreadPercent, double fmodHz) {
  const double depth = -std::abs(downspreadPercent);
  if (depth == PCI_EXPRESS_SSC.downspreadPercent && fmodHz == PCI_EXPRESS_SSC.fmodHz) {
    return PCI_EXPRESS_SSC;
  }
  return {depth,
          fmodHz,
          {depth, depth * (1.0 - SSC_DEPTH_TOLERANCE), fmodHz * (1.0 - SSC_FMOD_TOLERANCE),
           fmodHz * (1.0 + SSC_FMOD_TOLERANCE)}};
}

PlanInputs WithSscSettings(PlanInputs inputs, int map, const SscSettings& settings) {
  MapSettings& target = inputs.maps[map];
  target.pll2N = settings.pll2N;
  target.frac = settings.frac;
  target.mod = settings.mod;
  inputs.fracstep = settings.fracstep;
  inputs.numstep = settings.numstep;
  inputs.ckdiv = settings.ckdiv;
  inputs.sdmPowered = true;
  return inputs;
}

SscPlan PlanSpreadSpectrum(const PlanInputs& inputs, int map, const SscRequest& request) {
  SscPlan plan;
  plan.map = map;
  plan.request = request;
  if (map < 0 || map >= MAP_COUNT) {
    plan.problem = "The map must be 0 or 1.";
    return plan;
  }
  if (!(request.downspreadPercent < 0.0) || !std::isfinite(request.downspreadPercent)) {
    plan.problem = "The downspread must be a number of percent other than 0.";
    return plan;
  }
  if (!(request.fmodHz > 0.0) || !std::isfinite(request.fmodHz)) {
    plan.problem = "The modulation frequency must be above 0.";
    return plan;
  }
  const PlanEvaluation before = EvaluatePlan(inputs);
  if (!(before.pfdHz > 0.0) || !std::isfinite(before.pfdHz)) {
    plan.problem = "The reference gives no PFD frequency to plan from.";
    return plan;
  }
  const Ratio ratio = PresentRatio(inputs.maps[map], before.maps[map]);
  if (!ControlRange(FieldKind::FeedbackDivider).Contains(static_cast<int>(ratio.num / ratio.den))) {
    plan.problem = "PLL2's feedback ratio has no setting with a modulus to keep it.";
    return plan;
  }
  Search search(inputs.maps[map], request, before.pfdHz, ratio);
  if (!search.Run()) {
    plan.problem = "No spread-spectrum setting stays inside the span limit.";
    return plan;
  }
  plan.ok = true;
  plan.settings = search.Best();
  plan.feedbackChanged = FeedbackDiffers(plan.settings, inputs.maps[map]);
  plan.before = before;
  plan.after = EvaluatePlan(WithSscSettings(inputs, map, plan.settings));
  const SscFigures& figures = plan.Figures();
  plan.depthErrorPercent = figures.downspreadPercent - request.downspreadPercent;
  plan.fmodErrorHz = figures.modulationHz - request.fmodHz;
  plan.withinWindow = InWindow(figures, request.window);
  plan.exact = Relative(figures.downspreadPercent, request.downspreadPercent) <= kSame &&
               Relative(figures.modulationHz, request.fmodHz) <= kSame;
  return plan;
}

}  // namespace qv
