#include "plan/ssc_planner.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <optional>
#include <vector>

#include "base/text_format.h"

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

// How close one map comes with a setting: closest first, then fewer changes,
// then the smaller modulus.
struct MapScore {
  bool inWindow = false;
  double worst = 0.0;  // the larger relative error of depth and modulation frequency
  double other = 0.0;
  bool changed = false;
  int mod = 0;

  bool BetterThan(const MapScore& o) const {
    if (inWindow != o.inWindow) return inWindow;
    if (worst < o.worst - kSame) return true;
    if (worst > o.worst + kSame) return false;
    if (other < o.other - kSame) return true;
    if (other > o.other + kSame) return false;
    if (changed != o.changed) return !changed;
    return mod < o.mod;
  }
};

// Every map planned, as the map that comes off worst; then the smoother sweep.
struct Score {
  MapScore maps;  // inWindow of all, the worst errors, any change, the moduli summed
  int numstep = 0;
  int fracstep = 0;
  int ckdiv = 0;

  bool BetterThan(const Score& o) const {
    const MapScore& a = maps;
    const MapScore& b = o.maps;
    if (a.inWindow != b.inWindow) return a.inWindow;
    if (a.worst < b.worst - kSame) return true;
    if (a.worst > b.worst + kSame) return false;
    if (a.other < b.other - kSame) return true;
    if (a.other > b.other + kSame) return false;
    if (a.changed != b.changed) return !a.changed;
    // More steps of the word make a finer staircase.
    if (numstep != o.numstep) return numstep > o.numstep;
    if (a.mod != b.mod) return a.mod < b.mod;
    if (fracstep != o.fracstep) return fracstep > o.fracstep;
    return ckdiv < o.ckdiv;
  }
};

// One map to plan: its settings as they are and the feedback ratio to keep.
struct MapToPlan {
  int map;
  MapSettings present;
  Ratio ratio;
};

// The steps and the clock divider are shared by both maps; each map keeps its
// own ratio with a modulus of its own.
class Search {
 public:
  Search(std::vector<MapToPlan> maps, const SscRequest& request, double fpfd)
      : maps_(std::move(maps)), request_(request), fpfd_(fpfd) {}

  bool Run() {
    std::vector<std::vector<std::int64_t>> multiples(maps_.size());
    for (int steps = SSC_STEPS.min; steps <= SSC_STEPS.max; ++steps) {
      const std::vector<int> dividers = ClockDividers(steps);
      // A step of 0 spreads nothing.
      for (int step = std::min(SSC_STEP.max, -1); step >= SSC_STEP.min; --step) {
        for (std::size_t m = 0; m < maps_.size(); ++m) multiples[m] = Multiples(m, step, steps);
        for (int divider : dividers) Consider(step, steps, divider, multiples);
      }
    }
    return found_;
  }

  // The settings of each map, in the order the maps were given.
  const std::vector<SscSettings>& Best() const { return best_; }

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
  std::vector<std::int64_t> Multiples(std::size_t m, int step, int steps) const {
    const MapToPlan& map = maps_[m];
    const Ratio& ratio = map.ratio;
    const std::int64_t most = SSC_MODULUS.max / ratio.den;
    const auto clamped = [&](double k) {
      return static_cast<std::int64_t>(std::clamp(k, 1.0, static_cast<double>(most)));
    };
    const double ideal = 100.0 * step * steps / (request_.downspreadPercent * ratio.Value()) /
                         static_cast<double>(ratio.den);
    std::vector<std::int64_t> values{clamped(std::floor(ideal)), clamped(std::ceil(ideal))};
    if (map.present.mod > 0 && map.present.mod % ratio.den == 0)
      values.push_back(map.present.mod / ratio.den);
    // A larger modulus lets the word fall further. Where the ideal breaks the
    // span limit, the least multiple that keeps it is the closest there is.
    const auto holds = [&](std::int64_t k) {
      return SpanWithinLimit(FiguresOf(map, Settings(map, step, steps, SSC_CLOCK_DIVIDER.min, k)));
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

  static SscSettings Settings(const MapToPlan& map, int step, int steps, int divider,
                              std::int64_t k) {
    SscSettings settings;
    settings.fracstep = step;
    settings.numstep = steps;
    settings.ckdiv = divider;
    settings.pll2N = static_cast<int>(map.ratio.num / map.ratio.den);
    settings.mod = static_cast<int>(k * map.ratio.den);
    settings.frac = static_cast<int>(k * (map.ratio.num % map.ratio.den));
    return settings;
  }

  // The figures as the plan evaluation computes them.
  SscFigures FiguresOf(const MapToPlan& map, const SscSettings& settings) const {
    MapSettings settingsOfMap = map.present;
    settingsOfMap.pll2N = settings.pll2N;
    settingsOfMap.frac = settings.frac;
    settingsOfMap.mod = settings.mod;
    return ComputeSscFigures(settingsOfMap, settings.fracstep, settings.numstep, settings.ckdiv,
                             fpfd_);
  }

  void Consider(int step, int steps, int divider,
                const std::vector<std::vector<std::int64_t>>& multiples) {
    Score score;
    score.maps.inWindow = true;
    score.numstep = steps;
    score.fracstep = step;
    score.ckdiv = divider;
    std::vector<SscSettings> chosen(maps_.size());
    for (std::size_t m = 0; m < maps_.size(); ++m) {
      std::optional<MapScore> bestOfMap;
      for (std::int64_t k : multiples[m]) {
        const SscSettings settings = Settings(maps_[m], step, steps, divider, k);
        const SscFigures figures = FiguresOf(maps_[m], settings);
        if (!SpanWithinLimit(figures)) continue;
        MapScore mapScore;
        mapScore.inWindow = InWindow(figures, request_.window);
        const double depth = Relative(figures.downspreadPercent, request_.downspreadPercent);
        const double fmod = Relative(figures.modulationHz, request_.fmodHz);
        mapScore.worst = std::max(depth, fmod);
        mapScore.other = std::min(depth, fmod);
        mapScore.changed = FeedbackDiffers(settings, maps_[m].present);
        mapScore.mod = settings.mod;
        if (!bestOfMap || mapScore.BetterThan(*bestOfMap)) {
          bestOfMap = mapScore;
          chosen[m] = settings;
        }
      }
      // Every map needs a setting inside the span limit.
      if (!bestOfMap) return;
      score.maps.inWindow = score.maps.inWindow && bestOfMap->inWindow;
      score.maps.worst = std::max(score.maps.worst, bestOfMap->worst);
      score.maps.other = std::max(score.maps.other, bestOfMap->other);
      score.maps.changed = score.maps.changed || bestOfMap->changed;
      score.maps.mod += bestOfMap->mod;
    }
    if (!found_ || score.BetterThan(bestScore_)) {
      best_ = std::move(chosen);
      bestScore_ = score;
      found_ = true;
    }
  }

  std::vector<MapToPlan> maps_;
  const SscRequest& request_;
  double fpfd_;
  std::vector<SscSettings> best_;
  Score bestScore_;
  bool found_ = false;
};

}  // namespace

SscRequest MakeSscRequest(double downspreadPercent, double fmodHz) {
  if (downspreadPercent == PCI_EXPRESS_SSC.downspreadPercent && fmodHz == PCI_EXPRESS_SSC.fmodHz) {
    return PCI_EXPRESS_SSC;
  }
  return {downspreadPercent,
          fmodHz,
          {downspreadPercent, downspreadPercent * (1.0 - SSC_DEPTH_TOLERANCE),
           fmodHz * (1.0 - SSC_FMOD_TOLERANCE), fmodHz * (1.0 + SSC_FMOD_TOLERANCE)}};
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

namespace {

// The plan of each map the choice names, searched together; empty with the
// problem in *failed when there is none.
std::vector<SscPlan> Plan(const PlanInputs& inputs, int choice, const SscRequest& request,
                          SscPlan* failed) {
  failed->map = choice;
  failed->request = request;
  if (choice < 0 || choice > BOTH_MAPS) {
    failed->problem = "The map must be 0, 1 or both.";
    return {};
  }
  if (!(request.downspreadPercent < 0.0) || !std::isfinite(request.downspreadPercent)) {
    failed->problem = "The downspread must be a number of percent below 0.";
    return {};
  }
  if (!(request.fmodHz > 0.0) || !std::isfinite(request.fmodHz)) {
    failed->problem = "The modulation frequency must be above 0.";
    return {};
  }
  const PlanEvaluation before = EvaluatePlan(inputs);
  if (!(before.pfdHz > 0.0) || !std::isfinite(before.pfdHz)) {
    failed->problem = "The reference gives no PFD frequency to plan from.";
    return {};
  }
  std::vector<MapToPlan> maps;
  for (int map = 0; map < MAP_COUNT; ++map) {
    if (!PlansMap(choice, map)) continue;
    const Ratio ratio = PresentRatio(inputs.maps[map], before.maps[map]);
    if (!ControlRange(FieldKind::FeedbackDivider)
             .Contains(static_cast<int>(ratio.num / ratio.den))) {
      failed->problem = choice == BOTH_MAPS
                            ? FormatText(
                                  "Map %d's PLL2 feedback ratio has no setting with a "
                                  "modulus to keep it.",
                                  map)
                            : "PLL2's feedback ratio has no setting with a modulus to keep it.";
      return {};
    }
    maps.push_back({map, inputs.maps[map], ratio});
  }
  Search search(maps, request, before.pfdHz);
  if (!search.Run()) {
    failed->problem = "No spread-spectrum setting stays inside the span limit.";
    return {};
  }
  PlanInputs planned = inputs;
  for (std::size_t m = 0; m < maps.size(); ++m) {
    planned = WithSscSettings(planned, maps[m].map, search.Best()[m]);
  }
  const PlanEvaluation after = EvaluatePlan(planned);
  std::vector<SscPlan> plans;
  for (std::size_t m = 0; m < maps.size(); ++m) {
    SscPlan plan;
    plan.ok = true;
    plan.map = maps[m].map;
    plan.request = request;
    plan.settings = search.Best()[m];
    plan.feedbackChanged = FeedbackDiffers(plan.settings, inputs.maps[plan.map]);
    plan.before = before;
    plan.after = after;
    const SscFigures& figures = plan.Figures();
    plan.depthErrorPercent = figures.downspreadPercent - request.downspreadPercent;
    plan.fmodErrorHz = figures.modulationHz - request.fmodHz;
    plan.withinWindow = InWindow(figures, request.window);
    plan.exact = Relative(figures.downspreadPercent, request.downspreadPercent) <= kSame &&
                 Relative(figures.modulationHz, request.fmodHz) <= kSame;
    plans.push_back(std::move(plan));
  }
  return plans;
}

}  // namespace

SscPlan PlanSpreadSpectrum(const PlanInputs& inputs, int map, const SscRequest& request) {
  SscPlan failed;
  if (map < 0 || map >= MAP_COUNT) {
    failed.map = map;
    failed.request = request;
    failed.problem = "The map must be 0 or 1.";
    return failed;
  }
  std::vector<SscPlan> plans = Plan(inputs, map, request, &failed);
  return plans.empty() ? failed : std::move(plans.front());
}

std::vector<SscPlan> PlanSpreadSpectrumMaps(const PlanInputs& inputs, int choice,
                                            const SscRequest& request) {
  SscPlan failed;
  std::vector<SscPlan> plans = Plan(inputs, choice, request, &failed);
  if (plans.empty()) plans.push_back(std::move(failed));
  return plans;
}

}  // namespace qv
