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

struct KindOnPanel {
  CheckKind kind;
  Paint paint;
  Summary summary;
};

// The spread-spectrum figures and the noise warning show apart (ColourSpreadSpectrumFigures,
// ColourChecks), the other kinds on the control ControlShowingCheck names.
constexpr auto kKindsOnPanel = std::to_array<KindOnPanel>({
    {CheckKind::Vco, Paint::WhileApplies, Summary::Vcos},
    {CheckKind::FeedbackDivider, Paint::WhileApplies, Summary::NRange},
    {CheckKind::Pfd, Paint::Always, Summary::Pfd},
    {CheckKind::Output, Paint::WhileApplies, Summary::OutputFamily},
    // A divider the control cannot offer shows as it is, in red.
    {CheckKind::VcoDivider, Paint::OnlyBroken, Summary::None},
    {CheckKind::RefclkDivider, Paint::OnlyBroken, Summary::None},
    {CheckKind::SscSteps, Paint::WhileApplies, Summary::None},
    {CheckKind::SscClockDivider, Paint::WhileApplies, Summary::None},
    {CheckKind::FractionalWord, Paint::WhileApplies, Summary::None},
});

const KindOnPanel* FindKind(CheckKind kind) {
  for (const KindOnPanel& row : kKindsOnPanel) {
    if (row.kind == kind) return &row;
  }
  return nullptr;
}

// Paints one check; true when it counts as passed for its summary box.
bool PaintCheck(Paint paint, const Check& check, int control) {
  const bool broken = check.applies && !check.withinLimits;
  switch (paint) {
    case Paint::WhileApplies:
      if (check.applies) Colour(control, check.withinLimits);
      return !broken;
    case Paint::Always: Colour(control, check.withinLimits); return check.withinLimits;
    case Paint::OnlyBroken:
      if (broken) Colour(control, false);
      return !broken;
  }
  return true;
}

}  // namespace

int ControlShowingCheck(const Check& check, int map) {
  const FrequencyMap& controls = kFrequencyMaps[map];
  switch (check.kind) {
    case CheckKind::Vco: return check.index == 0 ? controls.vco1Control : controls.vco2Control;
    case CheckKind::FeedbackDivider:
      return check.index == 0 ? controls.pll1NControl : controls.pll2NControl;
    case CheckKind::Pfd: return REFFREQ;
    case CheckKind::Output: return controls.outputs[check.index].freqControl;
    case CheckKind::VcoDivider: return controls.outputs[check.index].vControl;
    case CheckKind::FractionalWord: return controls.fracControl;
    case CheckKind::RefclkDivider: return REFDIV;
    case CheckKind::SscSpan: return TXT_FRACRANGE;
    case CheckKind::SscDepth: return TXT_SSCG_DOWNSPREAD;
    case CheckKind::SscSteps: return NUMSTEP;
    case CheckKind::SscClockDivider: return CKDIV;
    case CheckKind::InjectionLock: return controls.injectionLockLabel;
  }
  return -1;
}

void ColourChecks(const PlanEvaluation& plan) {
  const MapEvaluation& used = plan.InUse();
  bool vcos = true, nRange = true, pfd = true, cmos = true, differential = true;
  for (const Check& check : used.checks) {
    const KindOnPanel* row = FindKind(check.kind);
    if (!row) continue;
    const bool passed = PaintCheck(row->paint, check, ControlShowingCheck(check, plan.mapInUse));
    switch (row->summary) {
      case Summary::Vcos: vcos = vcos && passed; break;
      case Summary::NRange: nRange = nRange && passed; break;
      case Summary::Pfd: pfd = pfd && passed; break;
      case Summary::OutputFamily:
        (IsCmosFamily(used.family[check.index]) ? cmos : differential) &= passed;
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
  SetCtrlAttribute(panelHandle, ControlShowingCheck(noise, plan.mapInUse), ATTR_VISIBLE,
                   noise.applies && !noise.withinLimits);
}

void ColourSpreadSpectrumFigures(const MapEvaluation& used) {
  const Check& span = *used.Find(CheckKind::SscSpan);
  const Check& depth = *used.Find(CheckKind::SscDepth);
  Colour(ControlShowingCheck(span, used.map), span.withinLimits);
  Colour(ControlShowingCheck(depth, used.map), depth.withinLimits, VALIDATE_WARNING_COLOR);
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

void ValidateOutputFrequency(double frequency, int channel, int control, int* cmosOk, int* diffOk) {
  if (IsGrey(control)) return;
  const int family = GetOutputFormatForChannel(channel);
  const bool ok = OutputWithinLimit(frequency, family);
  if (!ok) *(IsCmosFamily(family) ? cmosOk : diffOk) = 0;
  Colour(control, ok);
}

}  // namespace qv
