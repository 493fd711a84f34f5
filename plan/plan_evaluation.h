#pragma once
// The frequency plan as one value: every rule of the chip computed once, for
// both frequency maps, with a verdict and a reason for every check. The panel
// paints it; the command line, the planners, the reports, verify and diff read it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "chip/fields.h"
#include "chip/registers.h"

namespace qv {

// The chip's limits, in Hz.
inline constexpr double FvcoMin = 2150000000.0;
inline constexpr double FvcoMax = 2550000000.0;
inline constexpr double FpfdMin = 19440000.0;
inline constexpr double FpfdMax = 27000000.0;
inline constexpr std::array<double, 3> CRYSTAL_FREQUENCIES{19440000.0, 25000000.0, 27000000.0};
// What the N range is clamped to.
inline constexpr int N_RANGE_MIN = 80;
inline constexpr int N_RANGE_MAX = 131;
inline constexpr double DIFFERENTIAL_OUTPUT_MAX = 637510000.0;
inline constexpr double CMOS_OUTPUT_MAX = 200010000.0;
inline constexpr double DOWNSPREAD_WARNING_PERCENT = -0.55;
// The lowest step count and clock divider spread spectrum runs with.
inline constexpr int SSC_STEPS_MIN = 1;
inline constexpr int SSC_CLOCK_DIVIDER_MIN = 2;

// What the board holds rather than the chip: the input pins and the reference.
struct BoardInputs {
  bool refsel = true;   // high: the crystal is the reference
  bool margin = false;  // high: frequency map 1 drives the outputs
  bool sscg = false;
  bool maxbw = false;
  int crystalIndex = 1;
  double refclkHz = 25e6;  // the external REFCLK
};

struct MapSettings {
  int pll1N = 0;
  int pll2N = 0;
  int frac = 0;
  int mod = 0;
  std::array<int, OUTPUT_COUNT> v{};
  std::array<int, OUTPUT_COUNT> d{};
};

struct PlanInputs {
  BoardInputs board;
  bool refdiv = false;
  std::array<MapSettings, MAP_COUNT> maps;
  std::array<bool, PLL_COUNT> sync{};
  std::array<int, PLL_COUNT> formatCodes{};
  std::array<bool, PLL_COUNT> pllPowered{true, true};
  std::array<bool, OUTPUT_COUNT> outputPowered{true, true, true, true};
  bool sdmPowered = false;
  int fracstep = 0;
  int numstep = 0;
  int ckdiv = 0;
};

// What the plan is computed from, from a register image (a file, the chip) and
// the board's settings. (plan/panel/plan_inputs.h reads them from the program.)
PlanInputs PlanInputsFromRegisters(const RegisterImage& registers, const BoardInputs& board);

// The formulas.
double CrystalFrequency(int index);
double PfdFrequency(const BoardInputs& board, bool refdiv);
struct NRange {
  int min;
  int max;
};
NRange ComputeNRange(double fpfd);
// N + F/M while the modulator runs with a word and a modulus; N otherwise.
double FeedbackRatio(int n, int frac, int mod, bool sdmPowered);
double OutputFrequency(double vcoHz, int v, int d);
double OutputLimit(int family);

struct SscFigures {
  int span = 0;         // change of the fractional word over one sweep
  int minimumSpan = 0;  // how far the sweep may lower the word
  double downspreadPercent = 0.0;
  double modulationHz = 0.0;
};
SscFigures ComputeSscFigures(const MapSettings& map, int fracstep, int numstep, int ckdiv,
                             double fpfd);

// The rules, each stated once.
bool VcoWithinLimits(double hz);
bool PfdWithinLimits(double hz);
bool OutputWithinLimit(double hz, int family);
bool FeedbackWithinRange(int n, NRange range);
bool FractionalWordValid(int frac, int mod);
bool SpanWithinLimit(const SscFigures& ssc);
// False when the downspread is deep enough to warn (or not a number).
bool DownspreadShallow(const SscFigures& ssc);

enum class Verdict { Pass, Warning, Fail, Inactive };
const char* VerdictName(Verdict verdict);  // "pass", "warning", "fail", "inactive"

enum class CheckKind {
  Pfd,
  FeedbackDivider,
  Vco,
  Output,
  VcoDivider,  // a divider from a file or the chip beyond what the chip runs with
  FractionalWord,
  RefclkDivider,
  SscSpan,
  SscDepth,
  SscSteps,
  SscClockDivider,
  InjectionLock,
};

// Why spread spectrum is off in a map; nothing while it runs.
struct SscOffCauses {
  int map = 0;
  bool pllOff = false;     // the fractional PLL is powered down
  bool sdmOff = false;     // the modulator is powered down
  bool noModulus = false;  // the map's modulus is 0
  bool pinLow = false;     // the SSCG pin is low

  // "the SSCG pin is low; map 1's modulus is 0"; empty while it runs.
  std::string Text() const;
};

// Why a check does not apply, as its reason says.
enum class NotCheckedBecause : std::uint8_t {
  Applies,
  PllOff,            // poweredDownPll is powered down
  OutputOff,         // the output is powered down
  PartnersDivider,   // the output runs on its partner's VCO divider
  SdmOff,            // the modulator is powered down
  SpreadSpectrumOff  // sscOff says why
};

struct Check {
  CheckKind kind;
  int index = 0;             // the PLL of a VCO or N check, the output of an output check
  const char* subject = "";  // "VCO1", "PLL2 N", "OUT3", "PFD", ...; never freed
  bool applies = true;       // the path it checks is in use
  bool withinLimits = true;  // the rule holds, whether or not it applies
  bool warningOnly = false;  // breaking it warns instead of failing
  double value = 0.0;        // what was checked, in the unit of its limits
  double low = 0.0;          // limits; NaN where there is none
  double high = 0.0;
  const char* unit = "";  // "Hz", "%", or empty for plain numbers

  // What the reason names beyond the above.
  int other = 0;  // an output's family, the modulus, PLL2's N
  NotCheckedBecause notChecked = NotCheckedBecause::Applies;
  int poweredDownPll = 0;
  SscOffCauses sscOff;

  // In a person's words, whatever the outcome. Formatted when asked: the plan is
  // evaluated on every edit, and then nobody reads it.
  std::string Reason() const;
  Verdict verdict() const;
};

// Which paths carry a signal while a map drives the chip: what the panel shows
// active (grey otherwise) for the map MARGIN selects.
struct ActivePaths {
  std::array<bool, PLL_COUNT> pll{};
  std::array<bool, OUTPUT_COUNT> output{};         // its PLL and its channel powered
  std::array<bool, OUTPUT_COUNT> ownVcoDivider{};  // active and not on its partner's V
  bool fractional = false;                         // PLL2 and the modulator powered
  std::array<bool, PLL_COUNT> formatPair{};        // the PLL and one of its outputs
  std::array<bool, PLL_COUNT> syncSwitch{};        // the PLL and both its outputs
  bool ssc = false;                                // spread spectrum runs
};

struct MapEvaluation {
  int map = 0;
  bool inUse = false;
  std::array<double, PLL_COUNT> ratio{};  // feedback ratio N (+ F/M)
  std::array<double, PLL_COUNT> vco{};    // Hz
  bool fractionalN = false;               // PLL2 runs at N + F/M
  std::array<double, OUTPUT_COUNT> out{};
  std::array<int, OUTPUT_COUNT> effectiveV{};  // the V each output runs on
  std::array<int, OUTPUT_COUNT> family{};
  SscFigures ssc;
  ActivePaths active;
  SscOffCauses sscOff;
  std::vector<Check> checks;  // the same kinds in the same order for both maps

  // Why spread spectrum is off for this map ("the SSCG pin is low; map 1's
  // modulus is 0"); empty while it runs.
  std::string SscOffReason() const { return sscOff.Text(); }
  bool Fails() const;
  std::vector<const Check*> Failures() const;
  const Check* Find(CheckKind kind, int index = 0) const;
};

struct PlanEvaluation {
  PlanInputs inputs;
  double pfdHz = 0.0;
  NRange nRange{N_RANGE_MIN, N_RANGE_MIN};
  bool crystalSelected = true;
  int mapInUse = 0;
  // Each map checked as if MARGIN selected it.
  std::array<MapEvaluation, MAP_COUNT> maps;

  const MapEvaluation& InUse() const { return maps[mapInUse]; }
  bool AnyFailure() const;
};

PlanEvaluation EvaluatePlan(const PlanInputs& inputs);

// "Map 1 (MARGIN high)".
std::string MapTitle(int map);

// What a planner is asked to fill: map 0, map 1, or both with the same request.
inline constexpr int BOTH_MAPS = MAP_COUNT;
constexpr bool PlansMap(int choice, int map) { return choice == BOTH_MAPS || choice == map; }
// "Spread spectrum is off in Map 1 (MARGIN high): map 1's modulus is 0"; empty
// while it runs.
std::string SscOffNote(const MapEvaluation& map);
// "Map 1 (MARGIN high) would fail: VCO2 2.60000 GHz is above 2.55 GHz"; empty
// when the map passes.
std::string InactiveMapNote(const MapEvaluation& map);
// One line per failed check of either map: "Map 1 (MARGIN high): VCO2 2.60000
// GHz is above 2.55 GHz".
std::vector<std::string> FailedCheckLines(const PlanEvaluation& plan);

}  // namespace qv
