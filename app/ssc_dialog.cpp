#include "app/ssc_dialog.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/planner_notes.h"
#include "base/text_format.h"
#include "model/program_state.h"
#include "plan/panel/plan_inputs.h"
#include "plan/panel/ssc_apply.h"
#include "plan/plan_colors.h"
#include "plan/ssc_planner.h"
#include "plan/ssc_report.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

constexpr std::array kResultCells{sscpnl::DEPTH_ACHIEVED, sscpnl::FMOD_ACHIEVED,
                                  sscpnl::DEPTH_ERROR, sscpnl::FMOD_ERROR};

// What was typed, kept for the next opening while the program runs; PCI
// Express, the usual setting, until then.
struct TypedRequest {
  std::string downspread;
  std::string fmodKhz;
};
std::optional<TypedRequest> g_typed;

std::string TextOf(int panel, int control) {
  std::string text;
  GetCtrlVal(panel, control, &text);
  return text;
}

void ShowRequest(int panel, const std::string& downspread, const std::string& fmodKhz) {
  SetCtrlVal(panel, sscpnl::DOWNSPREAD, downspread);
  SetCtrlVal(panel, sscpnl::FMOD, fmodKhz);
}

void ShowPciExpress(int panel) {
  ShowRequest(panel, FormatText("%g", PCI_EXPRESS_SSC.downspreadPercent),
              FormatText("%g", PCI_EXPRESS_SSC.fmodHz / 1000.0));
}

void Close(int panel) {
  g_typed = TypedRequest{TextOf(panel, sscpnl::DOWNSPREAD), TextOf(panel, sscpnl::FMOD)};
  RemovePopup(0);
  DiscardPanel(panel);
}

void ClearResults(int panel) {
  for (int cell : kResultCells) {
    SetCtrlVal(panel, cell, "");
    SetCtrlAttribute(panel, cell, ATTR_TEXT_BGCOLOR, VALIDATE_GOOD_COLOR);
  }
  for (int text : {sscpnl::WINDOW, sscpnl::SETTINGS, sscpnl::SUMMARY}) SetCtrlVal(panel, text, "");
  EnableApply(panel, sscpnl::APPLY, sscpnl::OK, false);
}

// Each map's figures, one after the other where both are planned.
std::string Joined(const std::vector<SscPlan>& plans, std::string (*text)(const SscPlan&)) {
  std::string joined;
  for (const SscPlan& plan : plans) {
    if (!joined.empty()) joined += " | ";
    joined += text(plan);
  }
  return joined;
}

std::string DepthText(const SscPlan& plan) { return FormatDepth(plan.Figures().downspreadPercent); }
std::string FmodText(const SscPlan& plan) { return FormatFmod(plan.Figures().modulationHz); }

void ShowPlans(int panel, const std::vector<SscPlan>& plans) {
  const SscPlan& first = plans.front();
  // The steps and the clock divider are shared: one modulation frequency.
  SetCtrlVal(panel, sscpnl::DEPTH_ACHIEVED, Joined(plans, DepthText));
  SetCtrlVal(panel, sscpnl::FMOD_ACHIEVED, FmodText(first));
  SetCtrlVal(panel, sscpnl::DEPTH_ERROR, Joined(plans, FormatDepthError));
  SetCtrlVal(panel, sscpnl::FMOD_ERROR, FormatFmodError(first));
  bool within = true;
  for (const SscPlan& plan : plans) within = within && plan.withinWindow;
  const int colour = within ? VALIDATE_GOOD_COLOR : VALIDATE_BAD_COLOR;
  for (int cell : kResultCells) SetCtrlAttribute(panel, cell, ATTR_TEXT_BGCOLOR, colour);
  SetCtrlVal(panel, sscpnl::WINDOW, FormatSscWindow(first.request.window));
  SetCtrlVal(panel, sscpnl::SETTINGS, FormatSscSettings(plans));
  std::string summary = FormatSscVerdict(plans);
  for (const std::string& note : SscNotes(plans)) summary += "\n" + note;
  SetCtrlVal(panel, sscpnl::SUMMARY, summary);
}

// The plans for what is typed in the dialog, or nothing after saying why. The
// planner gives the same plan for the same request, so Apply plans again
// rather than keep a plan found for other settings.
std::optional<std::vector<SscPlan>> PlanTyped(int panel) {
  SscRequest request;
  std::string problem;
  if (!ParseSscRequest(TextOf(panel, sscpnl::DOWNSPREAD), TextOf(panel, sscpnl::FMOD), &request,
                       &problem)) {
    SetCtrlVal(panel, sscpnl::SUMMARY, problem);
    return std::nullopt;
  }
  int choice = 0;
  GetCtrlVal(panel, sscpnl::MAP, &choice);
  std::vector<SscPlan> plans = PlanSpreadSpectrumMaps(ReadPlanInputs(), choice, request);
  if (!plans.front().ok) {
    SetCtrlVal(panel, sscpnl::SUMMARY, plans.front().problem);
    return std::nullopt;
  }
  return plans;
}

}  // namespace

void ResetSscDialog() { g_typed.reset(); }

void OnSpreadSpectrumMenuClicked(int, int, void*, int) {
  const int panel = LoadPanel(0, SSC_PANEL_FILE, SSCPNL);
  SetCtrlVal(panel, sscpnl::MAP, GetMarginPin() != 0 ? 1 : 0);
  if (g_typed) {
    ShowRequest(panel, g_typed->downspread, g_typed->fmodKhz);
  } else {
    ShowPciExpress(panel);
  }
  InstallPopup(panel);
}

int OnFindSscClicked(int panel, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  ClearResults(panel);
  const auto plans = PlanTyped(panel);
  if (!plans) return 0;
  ShowPlans(panel, *plans);
  EnableApply(panel, sscpnl::APPLY, sscpnl::OK, true);
  return 0;
}

// Apply: the settings reach the panel behind the dialog, which stays open.
int OnApplySscClicked(int panel, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  const auto plans = PlanTyped(panel);
  if (!plans) return 0;
  const bool applied = ApplySscPlans(*plans);
  ShowPlans(panel, *plans);
  NoteApplied(panel, sscpnl::SUMMARY, applied);
  return 0;
}

int OnSscOkClicked(int panel, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  const auto plans = PlanTyped(panel);
  if (!plans) return 0;
  Close(panel);
  ApplySscPlans(*plans);
  return 0;
}

int OnCloseSscClicked(int panel, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) Close(panel);
  return 0;
}

int OnPciExpressClicked(int panel, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  ShowPciExpress(panel);
  ClearResults(panel);
  return 0;
}

int OnSscRequestEdited(int panel, int, int event, void*, int, int) {
  // Settings found for another request must not be applied.
  if (event == EVENT_COMMIT) ClearResults(panel);
  return 0;
}

int SscPanelCallback(int panel, int event, void*, int, int) {
  if (event == EVENT_CLOSE) Close(panel);
  return 0;
}

std::span<const CallbackBinding> SscDialogCallbacks() {
  static const auto kBindings = std::to_array<CallbackBinding>({
      {"OnSpreadSpectrumMenuClicked", MenuCallbackPtr{OnSpreadSpectrumMenuClicked}},
      {"OnFindSscClicked", CtrlCallbackPtr{OnFindSscClicked}},
      {"OnApplySscClicked", CtrlCallbackPtr{OnApplySscClicked}},
      {"OnCloseSscClicked", CtrlCallbackPtr{OnCloseSscClicked}},
      {"OnSscOkClicked", CtrlCallbackPtr{OnSscOkClicked}},
      {"OnPciExpressClicked", CtrlCallbackPtr{OnPciExpressClicked}},
      {"OnSscRequestEdited", CtrlCallbackPtr{OnSscRequestEdited}},
      {"SscPanelCallback", PanelCallbackPtr{SscPanelCallback}},
  });
  return kBindings;
}

}  // namespace qv
