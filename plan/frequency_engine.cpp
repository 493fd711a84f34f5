#include "plan/frequency_engine.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "model/program_state.h"
#include "plan/frequency_maps.h"
#include "plan/output_format.h"
#include "plan/panel_look.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

int ReadRing(int control) {
  int value = 0;
  GetCtrlVal(panelHandle, control, &value);
  return value;
}

void Colour(int control, bool good, int badColour = VALIDATE_BAD_COLOR) {
  SetCtrlAttribute(panelHandle, control, ATTR_TEXT_BGCOLOR, good ? VALIDATE_GOOD_COLOR : badColour);
}

bool IsGrey(int control) {
  int colour = 0;
  GetCtrlAttribute(panelHandle, control, ATTR_TEXT_BGCOLOR, &colour);
  return colour == DISABLED_COLOR;
}

template <typename... Args>
void ShowFormatted(int control, const char* format, Args... args) {
  char text[64];
  std::snprintf(text, sizeof text, format, args...);
  SetCtrlVal(panelHandle, control, text);
}

bool Holds(const MapEvaluation& map, CheckKind kind, int index = 0) {
  return map.Find(kind, index)->withinLimits;
}

std::map<int, PlanListener>& Listeners() {
  static std::map<int, PlanListener> listeners;
  return listeners;
}

void ShowFrequencies(const PlanEvaluation& plan) {
  ShowFormatted(NRANGE, "%d <= N <= %d", plan.nRange.min, plan.nRange.max);
  for (int m = 0; m < MAP_COUNT; ++m) {
    const FrequencyMap& map = kFrequencyMaps[m];
    const MapEvaluation& values = plan.maps[m];
    ShowFormatted(map.vco1Control, "%10.5f", values.vco[0] / 1e9);
    ShowFormatted(map.vco2Control, "%10.5f", values.vco[1] / 1e9);
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      ShowFormatted(map.outputs[k].freqControl, "%10.5f", values.out[k] / 1e6);
    }
  }
}

// Written and coloured on every call, also while the panel keeps them hidden.
void ShowSpreadSpectrum(const MapEvaluation& used) {
  ShowFormatted(TXT_FRACRANGE, "%d", used.ssc.span);
  Colour(TXT_FRACRANGE, SpanWithinLimit(used.ssc));
  ShowFormatted(TXT_SSCG_DOWNSPREAD, "%2.3f%%", used.ssc.downspreadPercent);
  Colour(TXT_SSCG_DOWNSPREAD, DownspreadShallow(used.ssc), VALIDATE_WARNING_COLOR);
  ShowFormatted(TXT_SSCG_FMOD, "%2.2f kHz", used.ssc.modulationHz / 1000.0);
}

// The checks of the map in use, in the panel's order. Each check runs every
// validator so every control gets its colour.
void ColourChecks(const PlanEvaluation& plan) {
  const MapEvaluation& used = plan.InUse();
  const FrequencyMap& controls = kFrequencyMaps[plan.mapInUse];
  const MapSettings& settings = plan.inputs.maps[plan.mapInUse];

  const int vco1Ok = ValidateVcoFrequency(used.vco[0], controls.vco1Control);
  const int vco2Ok = ValidateVcoFrequency(used.vco[1], controls.vco2Control);
  const Check& noise = *used.Find(CheckKind::InjectionLock);
  SetCtrlAttribute(panelHandle, controls.injectionLockLabel, ATTR_VISIBLE,
                   noise.applies && !noise.withinLimits);
  Colour(VCOS_VALID, vco1Ok && vco2Ok);

  const NRange range = plan.nRange;
  const int n1Ok = ValidateFeedbackDivider(settings.pll1N, controls.pll1NControl, range.min, range.max);
  const int n2Ok = ValidateFeedbackDivider(settings.pll2N, controls.pll2NControl, range.min, range.max);
  Colour(NRANGE, n1Ok && n2Ok);

  const bool pfdOk = Holds(used, CheckKind::Pfd);
  Colour(PFD_VALID, pfdOk);
  Colour(REFFREQ, pfdOk);

  int cmosOk = 1, diffOk = 1;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    ValidateOutputFrequency(used.out[k], k, controls.outputs[k].freqControl, &cmosOk, &diffOk);
  }
  Colour(FOUT_CMOS_VALID, cmosOk);
  Colour(FOUT_LV_VALID, diffOk);

  // A divider the control cannot offer shows as it is, in red.
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const Check& divider = *used.Find(CheckKind::VcoDivider, k);
    if (divider.applies && !divider.withinLimits) Colour(controls.outputs[k].vControl, false);
  }

  // Only a broken rule colours the divider; otherwise it keeps its look.
  if (!Holds(used, CheckKind::RefclkDivider)) Colour(REFDIV, false);

  if (used.active.ssc) {
    Colour(NUMSTEP, Holds(used, CheckKind::SscSteps));
    Colour(CKDIV, Holds(used, CheckKind::SscClockDivider));
  }
  if (used.active.fractional) {
    const Check& word = *used.Find(CheckKind::FractionalWord, 1);
    Colour(controls.fracControl, word.withinLimits);
  }
}

}  // namespace

int GetRefselPin() { return ReadRing(REFSEL); }
int GetMarginPin() { return ReadRing(MARGIN); }
int GetSscgPin() { return ReadRing(SSCG); }
int GetMaxBwPin() { return ReadRing(MAXBW); }
int GetCrystalIndex() { return ReadRing(CrystalFreq); }

double GetCrystalFrequency() { return CrystalFrequency(GetCrystalIndex()); }

double LeadingDecimalNumber(const char* text) {
  // strtod also reads hexadecimal numbers, infinities and NaN; only a decimal
  // number counts here, so anything else reads as no number at all.
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  const char* digits = p + ((*p == '+' || *p == '-') ? 1 : 0);
  bool decimal = (*digits >= '0' && *digits <= '9') ||
                 (*digits == '.' && digits[1] >= '0' && digits[1] <= '9');
  if (!decimal || (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))) return 0.0;
  return std::strtod(p, nullptr);
}

double GetExternalRefclkFrequency() {
  std::string text;
  GetCtrlVal(panelHandle, REFFREQ, &text);
  return LeadingDecimalNumber(text.c_str()) * 1e6;
}

double GetPfdFrequency() {
  BoardInputs board;
  board.refsel = GetRefselPin() == 1;
  board.crystalIndex = GetCrystalIndex();
  board.refclkHz = GetExternalRefclkFrequency();
  return PfdFrequency(board, refdiv != 0);
}

void RecalculateFrequencies() {
  const PlanEvaluation plan = EvaluatePlan(ReadPlanInputs());
  ShowFrequencies(plan);
  ShowSpreadSpectrum(plan.InUse());
  UpdatePanelDimming(plan);
  ColourChecks(plan);
  // A copy: a listener may add or remove listeners.
  const auto listeners = Listeners();
  for (const auto& [id, listener] : listeners) listener(plan);
}

int AddPlanListener(PlanListener listener) {
  static int nextId = 1;
  Listeners()[nextId] = std::move(listener);
  return nextId++;
}

void RemovePlanListener(int id) { Listeners().erase(id); }

int ValidateVcoFrequency(double frequency, int control) {
  if (IsGrey(control)) return 1;
  const bool ok = VcoWithinLimits(frequency);
  Colour(control, ok);
  return ok ? 1 : 0;
}

int ValidateFeedbackDivider(int n, int control, int nMin, int nMax) {
  if (IsGrey(control)) return 1;
  const bool ok = FeedbackWithinRange(n, {nMin, nMax});
  Colour(control, ok);
  return ok ? 1 : 0;
}

void ValidateOutputFrequency(double frequency, int channel, int control, int* cmosOk,
                             int* diffOk) {
  if (IsGrey(control)) return;
  const int family = GetOutputFormatForChannel(channel);
  const bool ok = OutputWithinLimit(frequency, family);
  if (!ok) *(IsCmosFamily(family) ? cmosOk : diffOk) = 0;
  Colour(control, ok);
}

}  // namespace qv
