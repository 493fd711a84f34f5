#include "plan/plan_evaluation.h"

#include <climits>
#include <cmath>
#include <limits>
#include <string_view>

#include "base/text_format.h"
#include "chip/field_codec.h"

namespace qv {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

int& SettingOf(MapSettings& map, MapField field) {
  switch (field) {
    case MapField::Pll1N: return map.pll1N;
    case MapField::Pll2N: return map.pll2N;
    case MapField::Frac: return map.frac;
    case MapField::Mod: return map.mod;
    default: {
      const int index = static_cast<int>(field) - static_cast<int>(MapField::V0);
      return index % 2 == 0 ? map.v[index / 2] : map.d[index / 2];
    }
  }
}

// A quotient that is not finite counts as 0; one beyond int saturates.
int ToBound(double quotient) {
  if (!std::isfinite(quotient)) return 0;
  if (quotient >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (quotient <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(quotient);
}

int ClampN(int n) {
  if (n < N_RANGE_MIN) n = N_RANGE_MIN;
  if (n > N_RANGE_MAX) n = N_RANGE_MAX;
  return n;
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

std::string PllName(int pll) { return std::string(kPlls[pll].name); }
std::string PllOff(int pll) { return PllName(pll) + " is powered down"; }

// Named after the chip's PLLs and outputs once: checks are made on every edit.
struct NamedSubjects {
  std::array<std::string, PLL_COUNT> vco, feedback;
  std::array<std::string, OUTPUT_COUNT> output, vcoDivider;
};

const NamedSubjects& Subjects() {
  static const NamedSubjects subjects = [] {
    NamedSubjects named;
    for (int pll = 0; pll < PLL_COUNT; ++pll) {
      named.vco[pll] = FormatText("VCO%d", pll + 1);
      named.feedback[pll] = PllName(pll) + " N";
    }
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      named.output[k] = std::string(kOutputs[k].name);
      named.vcoDivider[k] = named.output[k] + " VCO divider";
    }
    return named;
  }();
  return subjects;
}

// Every check of one map (the PFD, two per PLL, two per output and seven more), so that
// their room is taken once.
constexpr int kChecksPerMap = 1 + 2 * PLL_COUNT + 2 * OUTPUT_COUNT + 7;

// Builds one map's checks in a fixed order.
class MapChecker {
 public:
  MapChecker(const PlanInputs& in, const MapEvaluation& map, double fpfd, NRange range)
      : in_(in), settings_(in.maps[map.map]), map_(map), fpfd_(fpfd), range_(range) {
    checks_.reserve(kChecksPerMap);
  }

  std::vector<Check> Run() {
    Pfd();
    for (int pll = 0; pll < PLL_COUNT; ++pll) Vco(pll);
    for (int pll = 0; pll < PLL_COUNT; ++pll) Feedback(pll);
    for (int k = 0; k < OUTPUT_COUNT; ++k) Output(k);
    for (int k = 0; k < OUTPUT_COUNT; ++k) VcoDivider(k);
    FractionalWord();
    RefclkDivider();
    Ssc();
    InjectionLock();
    return std::move(checks_);
  }

 private:
  Check& Add(CheckKind kind, int index, const char* subject, bool applies, bool within,
             double value, double low, double high, const char* unit = "") {
    Check& check = checks_.emplace_back();
    check.kind = kind;
    check.index = index;
    check.subject = subject;
    check.applies = applies;
    check.withinLimits = within;
    check.value = value;
    check.low = low;
    check.high = high;
    check.unit = unit;
    return check;
  }

  static void NotChecked(Check& check, NotCheckedBecause why, int pll = 0) {
    if (check.applies) return;
    check.notChecked = why;
    check.poweredDownPll = pll;
  }

  // An output or its divider: off with its channel, or with its PLL.
  void OutputOff(Check& check, int k) const {
    const int pll = kOutputs[k].pll;
    NotChecked(check,
               map_.active.pll[pll] ? NotCheckedBecause::OutputOff : NotCheckedBecause::PllOff,
               pll);
  }

  void Pfd() {
    Add(CheckKind::Pfd, 0, "PFD", true, PfdWithinLimits(fpfd_), fpfd_, FpfdMin, FpfdMax, "Hz");
  }

  void Feedback(int pll) {
    const int n = pll == 0 ? settings_.pll1N : settings_.pll2N;
    Check& c = Add(CheckKind::FeedbackDivider, pll, Subjects().feedback[pll].c_str(),
                   map_.active.pll[pll], FeedbackWithinRange(n, range_), n, range_.min, range_.max);
    NotChecked(c, NotCheckedBecause::PllOff, pll);
  }

  void Vco(int pll) {
    const double hz = map_.vco[pll];
    Check& c = Add(CheckKind::Vco, pll, Subjects().vco[pll].c_str(), map_.active.pll[pll],
                   VcoWithinLimits(hz), hz, FvcoMin, FvcoMax, "Hz");
    NotChecked(c, NotCheckedBecause::PllOff, pll);
  }

  void Output(int k) {
    const double hz = map_.out[k];
    const int family = map_.family[k];
    Check& c = Add(CheckKind::Output, k, Subjects().output[k].c_str(), map_.active.output[k],
                   OutputWithinLimit(hz, family), hz, kNone, OutputLimit(family), "Hz");
    c.other = family;
    OutputOff(c, k);
  }

  void VcoDivider(int k) {
    const int v = settings_.v[k];
    const ValueRange range = ControlRange(FieldKind::VcoDivider);
    Check& c = Add(CheckKind::VcoDivider, k, Subjects().vcoDivider[k].c_str(),
                   map_.active.ownVcoDivider[k], range.Contains(v), v, range.min, range.max);
    if (!map_.active.output[k]) {
      OutputOff(c, k);
    } else {
      NotChecked(c, NotCheckedBecause::PartnersDivider);
    }
  }

  void FractionalWord() {
    const int pll = FractionalPll();
    Check& c =
        Add(CheckKind::FractionalWord, pll, "Fractional word", map_.active.fractional,
            FractionalWordValid(settings_.frac, settings_.mod), settings_.frac, kNone, kNone);
    c.other = settings_.mod;
    NotChecked(c, map_.active.pll[pll] ? NotCheckedBecause::SdmOff : NotCheckedBecause::PllOff,
               pll);
  }

  void RefclkDivider() {
    Add(CheckKind::RefclkDivider, 0, "REFCLK divider", true, !(in_.board.refsel && in_.refdiv),
        in_.refdiv ? 2 : 1, kNone, kNone);
  }

  void Ssc() {
    const SscFigures& ssc = map_.ssc;
    const bool on = map_.active.ssc;
    const auto off = [&](Check& check) {
      check.sscOff = map_.sscOff;
      NotChecked(check, NotCheckedBecause::SpreadSpectrumOff);
    };
    off(Add(CheckKind::SscSpan, 0, "FracRange", on, SpanWithinLimit(ssc), ssc.span, ssc.minimumSpan,
            kNone));
    Check& depth = Add(CheckKind::SscDepth, 0, "Downspread", on, DownspreadShallow(ssc),
                       ssc.downspreadPercent, DOWNSPREAD_WARNING_PERCENT, kNone, "%");
    depth.warningOnly = true;
    off(depth);
    off(Add(CheckKind::SscSteps, 0, "NumSteps", on, in_.numstep >= SSC_STEPS_MIN, in_.numstep,
            SSC_STEPS_MIN, kNone));
    off(Add(CheckKind::SscClockDivider, 0, "CkDiv", on, in_.ckdiv >= SSC_CLOCK_DIVIDER_MIN,
            in_.ckdiv, SSC_CLOCK_DIVIDER_MIN, kNone));
  }

  void InjectionLock() {
    const bool both = map_.active.pll[0] && map_.active.pll[1];
    Check& c = Add(CheckKind::InjectionLock, 0, "Noise warning", both,
                   settings_.pll1N != settings_.pll2N, settings_.pll1N, kNone, kNone);
    c.warningOnly = true;
    c.other = settings_.pll2N;
    NotChecked(c, NotCheckedBecause::PllOff, map_.active.pll[0] ? 1 : 0);
  }

  const PlanInputs& in_;
  const MapSettings& settings_;
  const MapEvaluation& map_;
  double fpfd_;
  NRange range_;
  std::vector<Check> checks_;
};

// "VCO1 2.00000 GHz is below 2.15 GHz": the value as shown and the limit it breaks.
std::string UndefinedReason(const Check& c) {
  return FormatText("%s frequency is %s", c.subject, FREQUENCY_NOT_DEFINED);
}

std::string RangeReason(const Check& c, double scale, const char* unit) {
  const double shown = c.value / scale;
  if (!std::isfinite(shown)) return UndefinedReason(c);
  if (c.withinLimits) {
    return FormatText("%s %.5f %s is within %g to %g %s", c.subject, shown, unit, c.low / scale,
                      c.high / scale, unit);
  }
  if (c.value > c.high) {
    return FormatText("%s %.5f %s is above %g %s", c.subject, shown, unit, c.high / scale, unit);
  }
  return FormatText("%s %.5f %s is below %g %s", c.subject, shown, unit, c.low / scale, unit);
}

std::string NotCheckedReason(const Check& c) {
  std::string why;
  switch (c.notChecked) {
    case NotCheckedBecause::Applies: break;
    case NotCheckedBecause::PllOff: why = PllOff(c.poweredDownPll); break;
    case NotCheckedBecause::OutputOff: why = Subjects().output[c.index] + " is powered down"; break;
    case NotCheckedBecause::PartnersDivider:
      why = Subjects().output[c.index] + " runs on " +
            Subjects().output[VcoDividerSource(c.index, true)] + "'s VCO divider";
      break;
    case NotCheckedBecause::SdmOff: why = "the SDM is powered down"; break;
    case NotCheckedBecause::SpreadSpectrumOff: why = c.sscOff.Text(); break;
  }
  return c.subject + std::string(" is not checked: ") + why;
}

ActivePaths PathsOf(const PlanInputs& in, const MapSettings& settings) {
  ActivePaths paths;
  paths.pll = in.pllPowered;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const OutputFacts& out = kOutputs[k];
    paths.output[k] = paths.pll[out.pll] && in.outputPowered[k];
    // A synchronised output runs on its partner's VCO divider, not its own.
    paths.ownVcoDivider[k] = paths.output[k] && VcoDividerSource(k, in.sync[out.pll]) == k;
  }
  paths.fractional = paths.pll[FractionalPll()] && in.sdmPowered;
  for (int pll = 0; pll < PLL_COUNT; ++pll) {
    const auto [even, odd] = OutputsOf(pll);
    paths.formatPair[pll] = paths.pll[pll] && (in.outputPowered[even] || in.outputPowered[odd]);
    paths.syncSwitch[pll] = paths.pll[pll] && in.outputPowered[even] && in.outputPowered[odd];
  }
  paths.ssc = in.board.sscg && paths.fractional && settings.mod > 0;
  return paths;
}

SscOffCauses SscOffCausesOf(const PlanInputs& in, const MapSettings& settings, int map) {
  SscOffCauses causes;
  causes.map = map;
  causes.pllOff = !in.pllPowered[FractionalPll()];
  causes.sdmOff = !in.sdmPowered;
  causes.noModulus = settings.mod <= 0;
  causes.pinLow = !in.board.sscg;
  return causes;
}

MapEvaluation EvaluateMap(const PlanInputs& in, int m, double fpfd, NRange range) {
  const MapSettings& s = in.maps[m];
  MapEvaluation e;
  e.map = m;
  e.fractionalN = in.sdmPowered && s.frac > 0 && s.mod > 0;
  e.ratio = {static_cast<double>(s.pll1N), FeedbackRatio(s.pll2N, s.frac, s.mod, in.sdmPowered)};
  for (int pll = 0; pll < PLL_COUNT; ++pll) e.vco[pll] = e.ratio[pll] * fpfd;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const int pll = kOutputs[k].pll;
    e.effectiveV[k] = s.v[VcoDividerSource(k, in.sync[pll])];
    e.out[k] = OutputFrequency(e.vco[pll], e.effectiveV[k], s.d[k]);
    e.family[k] = FamilyOfCode(in.formatCodes[pll], OutputsOf(pll)[1] == k);
  }
  e.ssc = ComputeSscFigures(s, in.fracstep, in.numstep, in.ckdiv, fpfd);
  e.active = PathsOf(in, s);
  if (!e.active.ssc) e.sscOff = SscOffCausesOf(in, s, m);
  e.checks = MapChecker(in, e, fpfd, range).Run();
  return e;
}

}  // namespace

PlanInputs PlanInputsFromRegisters(const RegisterImage& registers, const BoardInputs& board) {
  const auto read = [&](const ChipField& field) { return codec::DecodeField(field, registers); };
  const auto shared = [&](SharedField field) { return read(FieldOf(field)); };
  PlanInputs in;
  in.board = board;
  in.refdiv = shared(SharedField::RefDivider) != 0;
  for (int m = 0; m < MAP_COUNT; ++m) {
    for (int f = 0; f < MAP_FIELD_COUNT; ++f) {
      const auto field = static_cast<MapField>(f);
      SettingOf(in.maps[m], field) = read(FieldOf(m, field));
    }
  }
  for (int pll = 0; pll < PLL_COUNT; ++pll) {
    in.sync[pll] = shared(kPlls[pll].sync) != 0;
    in.formatCodes[pll] = shared(kPlls[pll].format);
    in.pllPowered[pll] = shared(kPlls[pll].powerDown) == 0;
  }
  for (int k = 0; k < OUTPUT_COUNT; ++k) in.outputPowered[k] = shared(kOutputs[k].powerDown) == 0;
  in.sdmPowered = shared(SharedField::SdmPowerDown) == 0;
  in.fracstep = shared(SharedField::StepSize);
  in.numstep = shared(SharedField::StepCount);
  in.ckdiv = shared(SharedField::ClockDivider);
  return in;
}

double CrystalFrequency(int index) {
  return index >= 0 && index < static_cast<int>(CRYSTAL_FREQUENCIES.size())
             ? CRYSTAL_FREQUENCIES[index]
             : 0.0;
}

double PfdFrequency(const BoardInputs& board, bool refdiv) {
  // The reference divider acts on the REFCLK path only.
  if (board.refsel) return CrystalFrequency(board.crystalIndex);
  return refdiv ? board.refclkHz / 2.0 : board.refclkHz;
}

NRange ComputeNRange(double fpfd) {
  return {ClampN(ToBound(std::ceil(FvcoMin / fpfd))), ClampN(ToBound(std::floor(FvcoMax / fpfd)))};
}

double FeedbackRatio(int n, int frac, int mod, bool sdmPowered) {
  const double whole = n;
  return sdmPowered && frac > 0 && mod > 0 ? whole + static_cast<double>(frac) / mod : whole;
}

double OutputFrequency(double vcoHz, int v, int d) { return vcoHz / v / d; }

double OutputLimit(int family) {
  return IsCmosFamily(family) ? CMOS_OUTPUT_MAX : DIFFERENTIAL_OUTPUT_MAX;
}

SscFigures ComputeSscFigures(const MapSettings& map, int fracstep, int numstep, int ckdiv,
                             double fpfd) {
  const int n2 = map.pll2N, f = map.frac, m = map.mod;
  SscFigures figures;
  figures.span = fracstep * numstep;
  figures.minimumSpan = -(f + 4 * m);
  figures.downspreadPercent =
      m > 0 ? 100.0 * figures.span / (m * (n2 + static_cast<double>(f) / m)) : 0.0;
  figures.modulationHz = numstep > 0 && ckdiv > 0 ? fpfd / (2.0 * numstep * ckdiv) : 0.0;
  return figures;
}

bool VcoWithinLimits(double hz) { return hz >= FvcoMin && hz <= FvcoMax; }
bool PfdWithinLimits(double hz) { return hz >= FpfdMin && hz <= FpfdMax; }
// No lower limit: a stopped output is not out of range.
bool OutputWithinLimit(double hz, int family) { return hz <= OutputLimit(family); }
bool FeedbackWithinRange(int n, NRange range) { return n >= range.min && n <= range.max; }
bool FractionalWordValid(int frac, int mod) { return frac == 0 || frac < mod; }
bool SpanWithinLimit(const SscFigures& ssc) { return ssc.span >= ssc.minimumSpan; }
bool DownspreadShallow(const SscFigures& ssc) {
  return ssc.downspreadPercent > DOWNSPREAD_WARNING_PERCENT;
}

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::Pass: return "pass";
    case Verdict::Warning: return "warning";
    case Verdict::Fail: return "fail";
    default: return "inactive";
  }
}

std::string SscOffCauses::Text() const {
  std::string text;
  const auto add = [&text](std::string_view cause) {
    if (!text.empty()) text += "; ";
    text += cause;
  };
  if (pllOff) add(PllOff(FractionalPll()));
  if (sdmOff) add("the SDM is powered down");
  if (noModulus) add(FormatText("map %d's modulus is 0", map));
  if (pinLow) add("the SSCG pin is low");
  return text;
}

std::string Check::Reason() const {
  if (!applies) return NotCheckedReason(*this);
  // Only where an int was checked.
  const auto number = [this] { return static_cast<int>(value); };
  switch (kind) {
    case CheckKind::Pfd: return RangeReason(*this, 1e6, "MHz");
    case CheckKind::Vco: return RangeReason(*this, 1e9, "GHz");
    case CheckKind::FeedbackDivider:
      return FormatText("%s %d is %s the range %d <= N <= %d", subject, number(),
                        withinLimits ? "within" : (value > high ? "above" : "below"),
                        static_cast<int>(low), static_cast<int>(high));
    case CheckKind::Output: {
      if (!std::isfinite(value)) return UndefinedReason(*this);
      const char* outcome = withinLimits ? "is within" : "is above";
      return FormatText("%s %.5f MHz %s the %s limit of %g MHz", subject, value / 1e6, outcome,
                        std::string(kFamilyNames[other]).c_str(), high / 1e6);
    }
    case CheckKind::VcoDivider:
      return FormatText("%s %d is %s %d to %d", subject, number(),
                        withinLimits ? "within" : "outside", static_cast<int>(low),
                        static_cast<int>(high));
    case CheckKind::FractionalWord:
      if (number() == 0) return "Fractional word 0 keeps N an integer";
      return FormatText("Fractional word %d is %s the modulus %d", number(),
                        withinLimits ? "below" : "not below", other);
    case CheckKind::RefclkDivider:
      if (!withinLimits) {
        return "REFCLK divider is 2 while the crystal is selected: it divides REFCLK only";
      }
      return FormatText("REFCLK divider is %d", number());
    case CheckKind::SscSpan:
      return FormatText("FracRange %d is %s the minimum %d", number(),
                        withinLimits ? "within" : "below", static_cast<int>(low));
    case CheckKind::SscDepth:
      return FormatText("Downspread %.3f%% is %s %g%%", value,
                        withinLimits ? "within" : "at or beyond", DOWNSPREAD_WARNING_PERCENT);
    case CheckKind::SscSteps:
      return FormatText("NumSteps %d is %s %d", number(), withinLimits ? "at least" : "below",
                        SSC_STEPS_MIN);
    case CheckKind::SscClockDivider:
      return FormatText("CkDiv %d is %s %d", number(), withinLimits ? "at least" : "below",
                        SSC_CLOCK_DIVIDER_MIN);
    case CheckKind::InjectionLock:
      if (withinLimits) return FormatText("PLL1 N %d and PLL2 N %d differ", number(), other);
      return FormatText("PLL1 N equals PLL2 N (%d): noise may increase", number());
  }
  return "";
}

Verdict Check::verdict() const {
  if (!applies) return Verdict::Inactive;
  if (withinLimits) return Verdict::Pass;
  return warningOnly ? Verdict::Warning : Verdict::Fail;
}

bool MapEvaluation::Fails() const { return !Failures().empty(); }

std::vector<const Check*> MapEvaluation::Failures() const {
  std::vector<const Check*> failures;
  for (const Check& check : checks) {
    if (check.verdict() == Verdict::Fail) failures.push_back(&check);
  }
  return failures;
}

const Check* MapEvaluation::Find(CheckKind kind, int index) const {
  for (const Check& check : checks) {
    if (check.kind == kind && check.index == index) return &check;
  }
  return nullptr;
}

bool PlanEvaluation::AnyFailure() const {
  for (const MapEvaluation& map : maps) {
    if (map.Fails()) return true;
  }
  return false;
}

PlanEvaluation EvaluatePlan(const PlanInputs& inputs) {
  PlanEvaluation plan;
  plan.inputs = inputs;
  plan.crystalSelected = inputs.board.refsel;
  plan.pfdHz = PfdFrequency(inputs.board, inputs.refdiv);
  plan.nRange = ComputeNRange(plan.pfdHz);
  plan.mapInUse = inputs.board.margin ? 1 : 0;
  for (int m = 0; m < MAP_COUNT; ++m) {
    plan.maps[m] = EvaluateMap(inputs, m, plan.pfdHz, plan.nRange);
    plan.maps[m].inUse = m == plan.mapInUse;
  }
  return plan;
}

std::string MapTitle(int map) {
  return FormatText("Map %d (MARGIN %s)", map, map == 0 ? "low" : "high");
}

std::string SscOffNote(const MapEvaluation& map) {
  const std::string reason = map.SscOffReason();
  if (reason.empty()) return "";
  return "Spread spectrum is off in " + MapTitle(map.map) + ": " + reason;
}

std::string InactiveMapNote(const MapEvaluation& map) {
  std::vector<std::string> reasons;
  for (const Check* failure : map.Failures()) {
    // The N range is the VCO range divided by the PFD: with the VCO out, it says nothing more.
    const Check* vco = map.Find(CheckKind::Vco, failure->index);
    if (failure->kind == CheckKind::FeedbackDivider && vco->verdict() == Verdict::Fail) continue;
    reasons.push_back(failure->Reason());
  }
  if (reasons.empty()) return "";
  return MapTitle(map.map) + " would fail: " + Join(reasons, "; ");
}

std::vector<std::string> FailedCheckLines(const PlanEvaluation& plan) {
  std::vector<std::string> lines;
  for (const MapEvaluation& map : plan.maps) {
    for (const Check* failure : map.Failures()) {
      lines.push_back(MapTitle(map.map) + ": " + failure->Reason());
    }
  }
  return lines;
}

}  // namespace qv
