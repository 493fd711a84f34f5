#include "plan/panel/validation.h"

#include <array>

#include "model/program_state.h"
#include "plan/panel/frequency_maps.h"
#include "plan/panel/output_format.h"
#include "plan/plan_colors.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

void Colour(int control, bool good, int badColour = VALIDATE_BAD_COLOR) {
  SetCtrlAttribute(panelHandle, control, ATTR_TEXT_BGCOLOR, good ? VALIDATE_GOOD_COLOR : badColour);
}

bool IsGrey(int control) {
  int colour = 0;
  GetCtrlAttribute(panelHandle, control, ATTR_TEXT_BGCOLOR, &colour);
  return colour == DISABLED_COLOR;
}

// How a check shows on its control.
enum class Paint {
  WhileApplies,  // good or bad while its path is in use; grey otherwise
  Always,        // good or bad whatever the path
  OnlyBroken,    // bad when the rule breaks; otherwise the control keeps its look
};

// The summary box a check belongs to; outputs go to the box of their family.
enum class Summary { None, Vcos, NRange, Pfd, OutputFamily };

struct CheckOnPanel {
  CheckKind kind;
  int index;
  int (*control)(const FrequencyMap& map);
  Paint paint;
  Summary summary;
};

// clang-format off
constexpr std::array<CheckOnPanel, 16> kChecksOnPanel{{
    {CheckKind::Vco, 0, [](const FrequencyMap& m) { return m.vco1Control; }, Paint::WhileApplies, Summary::Vcos},
    {CheckKind::Vco, 1, [](const FrequencyMap& m) { return m.vco2Control; }, Paint::WhileApplies, Summary::Vcos},
    {CheckKind::FeedbackDivider, 0, [](const FrequencyMap& m) { return m.pll1NControl; }, Paint::WhileApplies, Summary::NRange},
    {CheckKind::FeedbackDivider, 1, [](const FrequencyMap& m) { return m.pll2NControl; }, Paint::WhileApplies, Summary::NRange},
    {CheckKind::Pfd, 0, [](const FrequencyMap&) { return REFFREQ; }, Paint::Always, Summary::Pfd},
    {CheckKind::Output, 0, [](const FrequencyMap& m) { return m.outputs[0].freqControl; }, Paint::WhileApplies, Summary::OutputFamily},
    {CheckKind::Output, 1, [](const FrequencyMap& m) { return m.outputs[1].freqControl; }, Paint::WhileApplies, Summary::OutputFamily},
    {CheckKind::Output, 2, [](const FrequencyMap& m) { return m.outputs[2].freqControl; }, Paint::WhileApplies, Summary::OutputFamily},
    {CheckKind::Output, 3, [](const FrequencyMap& m) { return m.outputs[3].freqControl; }, Paint::WhileApplies, Summary::OutputFamily},
    // A divider the control cannot offer shows as it is, in red.
    {CheckKind::VcoDivider, 0, [](const FrequencyMap& m) { return m.outputs[0].vControl; }, Paint::OnlyBroken, Summary::None},
    {CheckKind::VcoDivider, 1, [](const FrequencyMap& m) { return m.outputs[1].vControl; }, Paint::OnlyBroken, Summary::None},
    {CheckKind::VcoDivider, 2, [](const FrequencyMap& m) { return m.outputs[2].vControl; }, Paint::OnlyBroken, Summary::None},
    {CheckKind::VcoDivider, 3, [](const FrequencyMap& m) { return m.outputs[3].vControl; }, Paint::OnlyBroken, Summary::None},
    {CheckKind::RefclkDivider, 0, [](const FrequencyMap&) { return REFDIV; }, Paint::OnlyBroken, Summary::None},
    {CheckKind::SscSteps, 0, [](const FrequencyMap&) { return NUMSTEP; }, Paint::WhileApplies, Summary::None},
    {CheckKind::SscClockDivider, 0, [](const FrequencyMap&) { return CKDIV; }, Paint::WhileApplies, Summary::None},
}};
// clang-format on

// Paints one check; true when it counts as passed for its summary box.
bool PaintCheck(const CheckOnPanel& row, const Check& check, const FrequencyMap& map) {
  const int control = row.control(map);
  const bool broken = check.applies && !check.withinLimits;
  switch (row.paint) {
    case Paint::WhileApplies:
      if (check.applies) Colour(control, check.withinLimits);
      return !broken;
    case Paint::Always:
      Colour(control, check.withinLimits);
      return check.withinLimits;
    case Paint::OnlyBroken:
      if (broken) Colour(control, false);
      return !broken;
  }
  return true;
}

}  // namespace

void ColourChecks(const PlanEvaluation& plan) {
  const MapEvaluation& used = plan.InUse();
  const FrequencyMap& map = kFrequencyMaps[plan.mapInUse];
  bool vcos = true, nRange = true, pfd = true, cmos = true, differential = true;
  for (const CheckOnPanel& row : kChecksOnPanel) {
    const Check& check = *used.Find(row.kind, row.index);
    const bool passed = PaintCheck(row, check, map);
    switch (row.summary) {
      case Summary::Vcos: vcos = vcos && passed; break;
      case Summary::NRange: nRange = nRange && passed; break;
      case Summary::Pfd: pfd = pfd && passed; break;
      case Summary::OutputFamily:
        (IsCmosFamily(used.family[row.index]) ? cmos : differential) &= passed;
        break;
      case Summary::None: break;
    }
  }
  Colour(VCOS_VALID, vcos);
  Colour(NRANGE, nRange);
  Colour(PFD_VALID, pfd);
  Colour(FOUT_CMOS_VALID, cmos);
  Colour(FOUT_LV_VALID, differential);

  const Check& noise = *used.Find(CheckKind::InjectionLock);
  SetCtrlAttribute(panelHandle, map.injectionLockLabel, ATTR_VISIBLE,
                   noise.applies && !noise.withinLimits);
  // Only the map in use shows its word, and only while the modulator runs.
  const Check& word = *used.Find(CheckKind::FractionalWord, FractionalPll());
  if (word.applies) Colour(map.fracControl, word.withinLimits);
}

void ColourSpreadSpectrumFigures(const MapEvaluation& used) {
  Colour(TXT_FRACRANGE, used.Find(CheckKind::SscSpan)->withinLimits);
  Colour(TXT_SSCG_DOWNSPREAD, used.Find(CheckKind::SscDepth)->withinLimits,
         VALIDATE_WARNING_COLOR);
}

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
