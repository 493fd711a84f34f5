#include "plan/frequency_engine.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/fields.h"
#include "model/program_state.h"
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

struct SscgFigures {
  int span;
  int minimumSpan;
  double downspreadPercent;
  double modulationHz;
};

SscgFigures ComputeSscg(const FrequencyMap& map, double fpfd) {
  const int n2 = *map.pll2N, f = *map.frac, m = *map.mod;
  SscgFigures figures{};
  figures.span = fracstep * numstep;
  figures.minimumSpan = -(f + 4 * m);
  figures.downspreadPercent =
      m > 0 ? 100.0 * figures.span / (m * (n2 + static_cast<double>(f) / m)) : 0.0;
  figures.modulationHz =
      numstep > 0 && ckdiv > 0 ? fpfd / (2.0 * numstep * ckdiv) : 0.0;
  return figures;
}

bool PllPowered(int pll) { return pll == 0 ? IsPll1Powered() : IsPll2Powered(); }

}  // namespace

int GetRefselPin() { return ReadRing(REFSEL); }
int GetMarginPin() { return ReadRing(MARGIN); }
int GetSscgPin() { return ReadRing(SSCG); }
int GetMaxBwPin() { return ReadRing(MAXBW); }

double GetCrystalFrequency() {
  int index = ReadRing(CrystalFreq);
  return index >= 0 && index < static_cast<int>(CRYSTAL_FREQUENCIES.size())
             ? CRYSTAL_FREQUENCIES[index]
             : 0.0;
}

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
  if (GetRefselPin() == 1) return GetCrystalFrequency();
  double refclk = GetExternalRefclkFrequency();
  return refdiv != 0 ? refclk / 2.0 : refclk;
}

NRange ComputeNRange(double fpfd) {
  return {ClampN(ToBound(std::ceil(FvcoMin / fpfd))), ClampN(ToBound(std::floor(FvcoMax / fpfd)))};
}

MapFrequencies ComputeMapFrequencies(const FrequencyMap& map, double fpfd) {
  MapFrequencies result;
  const double n2 = *map.pll2N;
  const bool fractional = IsSdmPowered() && *map.frac > 0 && *map.mod > 0;
  result.vco1 = *map.pll1N * fpfd;
  result.vco2 = (fractional ? n2 + static_cast<double>(*map.frac) / *map.mod : n2) * fpfd;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const OutputWiring& wiring = kOutputWiring[k];
    const bool synced = wiring.syncFlag && *wiring.syncFlag != 0;
    const int v = *map.outputs[synced ? wiring.syncSource : k].v;
    const double vco = wiring.pll == 0 ? result.vco1 : result.vco2;
    result.out[k] = vco / v / *map.outputs[k].d;
  }
  return result;
}

void RecalculateFrequencies() {
  const int margin = GetMarginPin();
  const double fpfd = GetPfdFrequency();

  const NRange range = ComputeNRange(fpfd);
  ShowFormatted(NRANGE, "%d <= N <= %d", range.min, range.max);

  std::array<MapFrequencies, MAP_COUNT> maps;
  for (int m = 0; m < MAP_COUNT; ++m) maps[m] = ComputeMapFrequencies(kFrequencyMaps[m], fpfd);
  for (int m = 0; m < MAP_COUNT; ++m) {
    const FrequencyMap& map = kFrequencyMaps[m];
    ShowFormatted(map.vco1Control, "%10.5f", maps[m].vco1 / 1e9);
    ShowFormatted(map.vco2Control, "%10.5f", maps[m].vco2 / 1e9);
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      ShowFormatted(map.outputs[k].freqControl, "%10.5f", maps[m].out[k] / 1e6);
    }
  }

  const FrequencyMap& inUse = MapInUse(margin);
  const MapFrequencies& freqs = maps[margin != 0 ? 1 : 0];

  const SscgFigures sscg = ComputeSscg(inUse, fpfd);
  ShowFormatted(TXT_FRACRANGE, "%d", sscg.span);
  Colour(TXT_FRACRANGE, sscg.span >= sscg.minimumSpan);
  ShowFormatted(TXT_SSCG_DOWNSPREAD, "%2.3f%%", sscg.downspreadPercent);
  // Not a number is a warning too: the comparison fails.
  Colour(TXT_SSCG_DOWNSPREAD, sscg.downspreadPercent > DOWNSPREAD_WARNING_PERCENT,
         VALIDATE_WARNING_COLOR);
  ShowFormatted(TXT_SSCG_FMOD, "%2.2f kHz", sscg.modulationHz / 1000.0);

  UpdatePanelDimming();

  // Each check runs every validator so every control gets its colour.
  int vco1Ok = ValidateVcoFrequency(freqs.vco1, inUse.vco1Control);
  int vco2Ok = ValidateVcoFrequency(freqs.vco2, inUse.vco2Control);
  SetCtrlAttribute(panelHandle, inUse.injectionLockLabel, ATTR_VISIBLE,
                   PllPowered(0) && PllPowered(1) && *inUse.pll1N == *inUse.pll2N);
  Colour(VCOS_VALID, vco1Ok && vco2Ok);

  int n1Ok = ValidateFeedbackDivider(*inUse.pll1N, inUse.pll1NControl, range.min, range.max);
  int n2Ok = ValidateFeedbackDivider(*inUse.pll2N, inUse.pll2NControl, range.min, range.max);
  Colour(NRANGE, n1Ok && n2Ok);

  const bool pfdOk = fpfd >= FpfdMin && fpfd <= FpfdMax;
  Colour(PFD_VALID, pfdOk);
  Colour(REFFREQ, pfdOk);

  int cmosOk = 1, diffOk = 1;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    ValidateOutputFrequency(freqs.out[k], k, inUse.outputs[k].freqControl, &cmosOk, &diffOk);
  }
  Colour(FOUT_CMOS_VALID, cmosOk);
  Colour(FOUT_LV_VALID, diffOk);

  // The reference divider acts on REFCLK only; with the crystal it does nothing.
  if (GetRefselPin() != 0 && refdiv != 0) Colour(REFDIV, false);

  const bool sscgActive = IsPll2Powered() && IsSdmPowered() && *inUse.mod > 0;
  if (GetSscgPin() != 0 && sscgActive) {
    Colour(NUMSTEP, numstep >= 1);
    Colour(CKDIV, ckdiv >= 2);
  }

  if (IsPll2Powered() && IsSdmPowered()) {
    Colour(inUse.fracControl, *inUse.frac == 0 || *inUse.frac < *inUse.mod);
  }
}

int ValidateVcoFrequency(double frequency, int control) {
  if (IsGrey(control)) return 1;
  const bool ok = frequency >= FvcoMin && frequency <= FvcoMax;
  Colour(control, ok);
  return ok ? 1 : 0;
}

int ValidateFeedbackDivider(int n, int control, int nMin, int nMax) {
  if (IsGrey(control)) return 1;
  const bool ok = n >= nMin && n <= nMax;
  Colour(control, ok);
  return ok ? 1 : 0;
}

void ValidateOutputFrequency(double frequency, int channel, int control, int* cmosOk,
                             int* diffOk) {
  if (IsGrey(control)) return;
  const bool cmos = IsCmosFamily(GetOutputFormatForChannel(channel));
  // No lower limit: a stopped output is not out of range.
  const bool ok = frequency <= (cmos ? CMOS_OUTPUT_MAX : DIFFERENTIAL_OUTPUT_MAX);
  if (!ok) *(cmos ? cmosOk : diffOk) = 0;
  Colour(control, ok);
}

}  // namespace qv
