#include "plan/solver.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "plan/plan_evaluation.h"

namespace qv {
namespace {

// A PLL as the search sees it: its pair of outputs, and whether its
// feedback can be fractional.
struct Pll {
  int index;
  int even;  // output index
  int odd;
  bool integerOnly;
};

constexpr Pll PllOf(int pll) {
  return {pll, OutputsOf(pll)[0], OutputsOf(pll)[1], !kPlls[pll].fractional};
}

constexpr std::array<Pll, PLL_COUNT> kSearchPlls{PllOf(0), PllOf(1)};

int FamilyOf(const SolverRequest& request, int output) {
  const int pll = kOutputs[output].pll;
  return FamilyOfCode(request.formatCodes[pll], OutputsOf(pll)[1] == output);
}

double OutputLimitOf(const SolverRequest& request, int output) {
  return OutputLimit(FamilyOf(request, output));
}

bool IntegerOnly(const SolverRequest& request, const Pll& pll) {
  return pll.integerOnly || request.maxModulus < 2;
}

// The feedback ratio N + F/M the VCO may run at.
struct RatioRange {
  double low;
  double high;
};

RatioRange VcoRatioRange(const SolverRequest& request, bool integerOnly) {
  const double nHigh =
      integerOnly ? SOLVER_N.max : SOLVER_N.max + (request.maxModulus - 1.0) / request.maxModulus;
  return {std::max(FvcoMin / request.fpfd, static_cast<double>(SOLVER_N.min)),
          std::min(FvcoMax / request.fpfd, nHigh)};
}

double PpmError(double achieved, double target) {
  return std::abs(achieved - target) / target * 1e6;
}

// A feedback setting N + F/M; F 0 is integer N.
struct GridPoint {
  int n = 0;
  int frac = 0;
  int mod = 0;
  // With the modulator running, as a fractional plan is applied.
  double ratio() const { return FeedbackRatio(n, frac, mod, true); }
};

// The VCO as the plan evaluation computes it from the same settings.
double GridVco(const GridPoint& point, double fpfd) { return point.ratio() * fpfd; }

GridPoint FromFraction(int whole, Fraction f) {
  if (f.num == f.den) return {whole + 1, 0, 0};
  return {whole, f.num, f.num == 0 ? 0 : f.den};
}

bool GridAtOrBelow(double x, bool integerOnly, int maxModulus, GridPoint* point) {
  if (!std::isfinite(x) || x < SOLVER_N.min) return false;
  const double whole = std::floor(x);
  if (whole > SOLVER_N.max) {
    *point = integerOnly ? GridPoint{SOLVER_N.max, 0, 0}
                         : GridPoint{SOLVER_N.max, maxModulus - 1, maxModulus};
    return true;
  }
  if (integerOnly) {
    *point = {static_cast<int>(whole), 0, 0};
    return true;
  }
  Fraction lower{}, upper{};
  BracketFraction(x - whole, maxModulus, &lower, &upper);
  *point = FromFraction(static_cast<int>(whole), lower);
  return true;
}

bool GridAtOrAbove(double x, bool integerOnly, int maxModulus, GridPoint* point) {
  if (!std::isfinite(x) || x > SOLVER_N.max + 1) return false;
  const double whole = std::floor(std::max(x, static_cast<double>(SOLVER_N.min)));
  if (integerOnly || x <= SOLVER_N.min) {
    *point = {static_cast<int>(std::ceil(std::max(x, static_cast<double>(SOLVER_N.min)))), 0, 0};
  } else {
    Fraction lower{}, upper{};
    BracketFraction(x - whole, maxModulus, &lower, &upper);
    *point = FromFraction(static_cast<int>(whole), upper);
  }
  return point->n <= SOLVER_N.max;
}

// One feedback setting with the dividers of the targeted outputs.
struct Candidate {
  GridPoint feedback;
  std::array<int, 2> v{};  // even, odd; 0: not part of the plan
  std::array<int, 2> d{};
};

// -1, 0 or 1 as a is smaller, equal within rounding, or larger.
int ComparePpm(double a, double b) {
  if (a < b - EXACT_PPM) return -1;
  return a > b + EXACT_PPM ? 1 : 0;
}

struct Score {
  bool integerWithinTolerance = false;
  double reachableWorst = 0.0;
  double unreachableWorst = 0.0;
  double keptWorst = 0.0;
  int fractional = 0;
  int keptChanges = 0;
  int spread = 0;
  // With the worst fixed, the other output of the pair as close as it can be.
  double reachableSecond = 0.0;
  double unreachableSecond = 0.0;
  int mod = 0;
  int n = 0;

  // Errors closer than rounding count as equal, so the later criteria decide.
  bool BetterThan(const Score& other) const {
    if (integerWithinTolerance != other.integerWithinTolerance) return integerWithinTolerance;
    for (auto [mine, theirs] : {std::pair{reachableWorst, other.reachableWorst},
                                std::pair{unreachableWorst, other.unreachableWorst},
                                std::pair{keptWorst, other.keptWorst}}) {
      if (const int order = ComparePpm(mine, theirs)) return order < 0;
    }
    if (fractional != other.fractional) return fractional < other.fractional;
    if (keptChanges != other.keptChanges) return keptChanges < other.keptChanges;
    if (spread != other.spread) return spread < other.spread;
    for (auto [mine, theirs] : {std::pair{reachableSecond, other.reachableSecond},
                                std::pair{unreachableSecond, other.unreachableSecond}}) {
      if (const int order = ComparePpm(mine, theirs)) return order < 0;
    }
    if (mod != other.mod) return mod < other.mod;
    return n < other.n;
  }
};

class PllSearch {
 public:
  PllSearch(const SolverRequest& request, const Pll& pll, const std::array<bool, 4>& reachable)
      : request_(request),
        pll_(pll),
        reachable_(reachable),
        integerOnly_(IntegerOnly(request, pll)),
        range_(VcoRatioRange(request, integerOnly_)) {
    outputs_ = {pll.even, pll.odd};
    for (int side = 0; side < 2; ++side) {
      wanted_[side] = request.targets[outputs_[side]].has_value();
      kept_[side] = !wanted_[side] && request.keep[outputs_[side]].has_value();
    }
  }

  bool HasTargets() const { return wanted_[0] || wanted_[1]; }

  // Every divider combination, each with the feedback settings nearest to its ideal.
  bool Run() {
    const bool sync = request_.sync[pll_.index];
    // Under sync the even output's V drives the odd one too, so it is chosen
    // even when only the odd output has a target.
    const bool chooseEvenV = wanted_[0] || (sync && wanted_[1]);
    for (int va : Values(chooseEvenV, SOLVER_V)) {
      for (int da : Values(wanted_[0], SOLVER_D)) {
        for (int vb : sync ? std::vector<int>{va} : Values(wanted_[1], SOLVER_V)) {
          for (int db : Values(wanted_[1], SOLVER_D)) {
            TryDividers({va, wanted_[1] ? vb : 0}, {da, db});
          }
        }
      }
    }
    return found_;
  }

  const Candidate& Best() const { return best_; }

 private:
  static std::vector<int> Values(bool used, ValueRange range) {
    if (!used) return {0};
    std::vector<int> values;
    for (int value = range.min; value <= range.max; ++value) values.push_back(value);
    return values;
  }

  int DivisionOf(const Candidate& c, int side) const { return c.v[side] * c.d[side]; }

  void TryDividers(std::array<int, 2> v, std::array<int, 2> d) {
    Candidate base;
    base.v = v;
    base.d = d;
    // The ratio each targeted output wants, and the ceiling its limit sets.
    RatioRange range = range_;
    double ideal[2] = {0.0, 0.0};
    bool anyReachable = false;
    for (int side = 0; side < 2; ++side) {
      if (!wanted_[side]) continue;
      const double division = DivisionOf(base, side);
      ideal[side] = *request_.targets[outputs_[side]] * division / request_.fpfd;
      range.high =
          std::min(range.high, OutputLimitOf(request_, outputs_[side]) * division / request_.fpfd);
      anyReachable = anyReachable || reachable_[outputs_[side]];
    }
    if (range.low > range.high) return;

    // The worst relative error of the outputs that count first is smallest here.
    std::vector<double> counted;
    for (int side = 0; side < 2; ++side) {
      if (wanted_[side] && (!anyReachable || reachable_[outputs_[side]]))
        counted.push_back(ideal[side]);
    }
    const double balanced =
        counted.size() == 1 ? counted[0] : 2 * counted[0] * counted[1] / (counted[0] + counted[1]);
    const double best = std::clamp(balanced, range.low, range.high);

    // The error grows on both sides of that point, so the best setting of each
    // kind is one of its two neighbours.
    const double whole = std::floor(best);
    for (double n : {whole, whole + 1}) Consider(base, {static_cast<int>(n), 0, 0}, range);
    if (!integerOnly_) {
      Fraction lower{}, upper{};
      BracketFraction(best - whole, request_.maxModulus, &lower, &upper);
      for (Fraction f : {lower, upper}) {
        if (f.num == 0 || f.num == f.den) continue;  // integers, considered above
        Consider(base, {static_cast<int>(whole), f.num, f.den}, range);
      }
    }
  }

  void Consider(const Candidate& base, GridPoint feedback, const RatioRange& range) {
    if (feedback.n < SOLVER_N.min || feedback.n > SOLVER_N.max) return;
    const double ratio = feedback.ratio();
    if (ratio < range.low || ratio > range.high) return;
    Candidate candidate = base;
    candidate.feedback = feedback;
    const double vco = GridVco(feedback, request_.fpfd);
    if (!VcoWithinLimits(vco)) return;
    for (int side = 0; side < 2; ++side) {
      // Checked on the frequency as the panel will compute it, rounding included.
      if (wanted_[side] &&
          !OutputWithinLimit(OutputFrequency(vco, candidate.v[side], candidate.d[side]),
                             FamilyOf(request_, outputs_[side]))) {
        return;
      }
    }
    for (int side = 0; side < 2; ++side) {
      if (kept_[side]) KeepFrequency(&candidate, side, vco);
    }
    const Score score = ScoreOf(candidate);
    if (!found_ || score.BetterThan(bestScore_)) {
      best_ = candidate;
      bestScore_ = score;
      found_ = true;
    }
  }

  // The dividers that bring an output without a target closest to the
  // frequency it has; the ones it has when they do as well.
  void KeepFrequency(Candidate* c, int side, double vco) const {
    const int output = outputs_[side];
    const double keep = *request_.keep[output];
    // Under sync the pair runs on the even output's V, which a target chose.
    const bool fixedV = request_.sync[pll_.index];
    struct Choice {
      double error;
      bool present;
      int spread;
      int v;
      int d;
    };
    std::optional<Choice> best;
    for (int v = SOLVER_V.min; v <= SOLVER_V.max; ++v) {
      if (fixedV && v != c->v[0]) continue;
      const double ideal = vco / v / keep;
      for (double rounded : {std::floor(ideal), std::ceil(ideal)}) {
        const int d = static_cast<int>(std::clamp(rounded, static_cast<double>(SOLVER_D.min),
                                                  static_cast<double>(SOLVER_D.max)));
        const double hz = OutputFrequency(vco, v, d);
        if (!OutputWithinLimit(hz, FamilyOf(request_, output))) continue;
        const Choice choice{PpmError(hz, keep),
                            v == request_.present.v[output] && d == request_.present.d[output],
                            std::abs(v - c->v[1 - side]), v, d};
        const auto before = [](const Choice& a, const Choice& b) {
          if (const int order = ComparePpm(a.error, b.error)) return order < 0;
          if (a.present != b.present) return a.present;
          if (a.spread != b.spread) return a.spread < b.spread;
          return std::pair{a.v, a.d} < std::pair{b.v, b.d};
        };
        if (!best || before(choice, *best)) best = choice;
      }
    }
    if (!best) return;  // nothing within the limit: the dividers stay as they are
    c->v[side] = best->v;
    c->d[side] = best->d;
  }

  // How many dividers of the outputs without a target change: the settings
  // they have are what nobody asked to change. (Under sync the odd output has
  // no V of its own.)
  int KeptChangesOf(const Candidate& c) const {
    const bool sync = request_.sync[pll_.index];
    int changes = 0;
    for (int side = 0; side < 2; ++side) {
      const int output = outputs_[side];
      if (!kept_[side] || c.d[side] == 0) continue;
      const bool ownV = VcoDividerSource(output, sync) == output;
      if (ownV && c.v[side] != request_.present.v[output]) ++changes;
      if (c.d[side] != request_.present.d[output]) ++changes;
    }
    return changes;
  }

  Score ScoreOf(const Candidate& c) const {
    Score score;
    const double vco = GridVco(c.feedback, request_.fpfd);
    for (int side = 0; side < 2; ++side) {
      if (!wanted_[side] && !kept_[side]) continue;
      const int output = outputs_[side];
      const double hz = OutputFrequency(vco, c.v[side] ? c.v[side] : request_.present.v[output],
                                        c.d[side] ? c.d[side] : request_.present.d[output]);
      if (kept_[side]) {
        score.keptWorst = std::max(score.keptWorst, PpmError(hz, *request_.keep[output]));
        continue;
      }
      const double error = PpmError(hz, *request_.targets[output]);
      const bool reachable = reachable_[output];
      double& worst = reachable ? score.reachableWorst : score.unreachableWorst;
      double& second = reachable ? score.reachableSecond : score.unreachableSecond;
      second = std::min(worst, error);
      worst = std::max(worst, error);
    }
    score.fractional = c.feedback.frac > 0 ? 1 : 0;
    const double tolerance = request_.preferIntegerWithinPpm;
    score.integerWithinTolerance = tolerance > 0.0 && score.fractional == 0 &&
                                   score.unreachableWorst == 0.0 &&
                                   ComparePpm(score.reachableWorst, tolerance) <= 0;
    score.keptChanges = KeptChangesOf(c);
    // Outputs of a pair on the same V can run synchronised.
    score.spread = c.v[0] && c.v[1] ? std::abs(c.v[0] - c.v[1]) : 0;
    score.mod = c.feedback.mod;
    score.n = c.feedback.n;
    return score;
  }

  const SolverRequest& request_;
  const Pll& pll_;
  const std::array<bool, 4>& reachable_;
  bool integerOnly_;
  RatioRange range_;
  std::array<int, 2> outputs_{};
  std::array<bool, 2> wanted_{};
  std::array<bool, 2> kept_{};
  Candidate best_;
  Score bestScore_;
  bool found_ = false;
};

}  // namespace

void BracketFraction(double x, int maxDenominator, Fraction* lower, Fraction* upper) {
  // Walk the Stern-Brocot tree towards x, taking whole runs of steps in one go.
  constexpr double kSame = 1e-12;
  Fraction lo{0, 1}, hi{1, 1};
  auto equals = [&](Fraction f) { return std::abs(f.num - x * f.den) <= kSame * f.den; };
  if (equals(lo)) hi = lo;
  while ((lo.num != hi.num || lo.den != hi.den) && lo.den + hi.den <= maxDenominator) {
    const Fraction mediant{lo.num + hi.num, lo.den + hi.den};
    const double gap = mediant.num - x * mediant.den;
    if (std::abs(gap) <= kSame * mediant.den) {
      lo = hi = mediant;
      break;
    }
    if (gap < 0) {
      // Mediants stay below x for k steps towards hi.
      const double k = std::floor((x * lo.den - lo.num) / (hi.num - x * hi.den) + kSame);
      const int room = (maxDenominator - lo.den) / hi.den;  // whole steps that fit
      const int steps = std::max(1, static_cast<int>(std::min<double>(k, room)));
      lo = {lo.num + steps * hi.num, lo.den + steps * hi.den};
      if (equals(lo)) hi = lo;
    } else {
      const double k = std::floor((hi.num - x * hi.den) / (x * lo.den - lo.num) + kSame);
      const int room = (maxDenominator - hi.den) / lo.den;
      const int steps = std::max(1, static_cast<int>(std::min<double>(k, room)));
      hi = {hi.num + steps * lo.num, hi.den + steps * lo.den};
      if (equals(hi)) lo = hi;
    }
  }
  *lower = lo;
  *upper = hi;
}

OutputRange AchievableRange(const SolverRequest& request, int output) {
  const bool integerOnly = IntegerOnly(request, kSearchPlls[kOutputs[output].pll]);
  const RatioRange ratio = VcoRatioRange(request, integerOnly);
  const double limit = OutputLimitOf(request, output);
  OutputRange range;
  bool any = false;
  for (int v = SOLVER_V.min; v <= SOLVER_V.max; ++v) {
    for (int d = SOLVER_D.min; d <= SOLVER_D.max; ++d) {
      const double high = std::min(ratio.high, limit * v * d / request.fpfd);
      GridPoint top, bottom;
      if (!GridAtOrBelow(high, integerOnly, request.maxModulus, &top) ||
          !GridAtOrAbove(ratio.low, integerOnly, request.maxModulus, &bottom) ||
          top.ratio() < ratio.low || bottom.ratio() > high) {
        continue;
      }
      const double highest = OutputFrequency(GridVco(top, request.fpfd), v, d);
      const double lowest = OutputFrequency(GridVco(bottom, request.fpfd), v, d);
      // Rounding may push a point just over a limit; the panel would show it red.
      if (highest > limit || !VcoWithinLimits(GridVco(top, request.fpfd)) ||
          !VcoWithinLimits(GridVco(bottom, request.fpfd))) {
        continue;
      }
      range.high = any ? std::max(range.high, highest) : highest;
      range.low = any ? std::min(range.low, lowest) : lowest;
      any = true;
    }
  }
  return range;
}

SolverResult SolvePlan(const SolverRequest& request) {
  SolverResult result;
  if (!(request.fpfd > 0.0) || !std::isfinite(request.fpfd)) {
    result.problem = "The reference gives no PFD frequency to plan from.";
    return result;
  }
  if (request.maxModulus < 1 || request.maxModulus > SOLVER_MODULUS_MAX) {
    result.problem = "The largest modulus must be 1 to 4095.";
    return result;
  }
  std::array<bool, 4> reachable{};
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const auto& target = request.targets[k];
    if (!target) continue;
    if (!(*target > 0.0) || !std::isfinite(*target)) {
      result.problem = "OUT" + std::to_string(k) + ": the target must be a positive frequency.";
      return result;
    }
    const OutputRange range = AchievableRange(request, k);
    reachable[k] = *target >= range.low && *target <= range.high;
  }

  for (int p = 0; p < PLL_COUNT; ++p) {
    PllSearch search(request, kSearchPlls[p], reachable);
    if (!search.HasTargets()) continue;
    if (!search.Run()) {
      result.problem = "No setting of PLL" + std::to_string(p + 1) +
                       " keeps its VCO inside the chip's limits at this PFD frequency.";
      return result;
    }
    const Candidate& best = search.Best();
    PllPlan& plan = result.plls[p];
    const GridPoint& feedback = best.feedback;
    plan = {true, feedback.n, feedback.frac, feedback.frac > 0 ? feedback.mod : 0,
            GridVco(feedback, request.fpfd)};
    const std::array<int, 2> outputs = OutputsOf(p);
    for (int side = 0; side < 2; ++side) {
      const int k = outputs[side];
      OutputPlan& out = result.outputs[k];
      out.v = best.v[side];
      out.d = best.d[side];
      const auto& target = request.targets[k] ? request.targets[k] : request.keep[k];
      if (!target) continue;
      out.wanted = request.targets[k].has_value();
      out.kept = !out.wanted;
      out.target = *target;
      out.achieved = OutputFrequency(plan.vco, out.v ? out.v : request.present.v[k],
                                     out.d ? out.d : request.present.d[k]);
      out.errorPpm = PpmError(out.achieved, out.target);
      out.reachable = !out.wanted || reachable[k];
    }
    if (kPlls[p].fractional) result.sdmNeeded = plan.frac > 0;
  }
  result.ok = true;
  return result;
}

bool SolverResult::AllReachable() const {
  return std::ranges::all_of(outputs, [](const OutputPlan& o) { return !o.wanted || o.reachable; });
}

bool SolverResult::AllExact() const {
  return std::ranges::all_of(outputs, [](const OutputPlan& o) {
    return !o.wanted || (o.reachable && o.errorPpm <= EXACT_PPM);
  });
}

bool OutputPlan::Moved() const { return kept && errorPpm > EXACT_PPM; }

double OutputPlan::SignedErrorPpm() const {
  return target > 0.0 ? (achieved - target) / target * 1e6 : 0.0;
}

bool SolverResult::AnyMoved() const {
  return std::ranges::any_of(outputs, [](const OutputPlan& o) { return o.Moved(); });
}

double SolverResult::WorstErrorPpm() const {
  double worst = 0.0;
  for (const OutputPlan& o : outputs) {
    if (o.wanted) worst = std::max(worst, o.errorPpm);
  }
  return worst;
}

}  // namespace qv
