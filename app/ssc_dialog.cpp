#include "app/ssc_dialog.h"

#include <array>
#include <optional>
#include <string>

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
  SetCtrlAttribute(panel, sscpnl::APPLY, ATTR_DIMMED, 1);
}

void ShowPlan(int panel, const SscPlan& plan) {
  const SscFigures& figures = plan.Figures();
  SetCtrlVal(panel, sscpnl::DEPTH_ACHIEVED, FormatDepth(figures.downspreadPercent));
  SetCtrlVal(panel, sscpnl::FMOD_ACHIEVED, FormatFmod(figures.modulationHz));
  SetCtrlVal(panel, sscpnl::DEPTH_ERROR, FormatDepthError(plan));
  SetCtrlVal(panel, sscpnl::FMOD_ERROR, FormatFmodError(plan));
  const int colour = plan.withinWindow ? VALIDATE_GOOD_COLOR : VALIDATE_BAD_COLOR;
  for (int cell : kResultCells) SetCtrlAttribute(panel, cell, ATTR_TEXT_BGCOLOR, colour);
  SetCtrlVal(panel, sscpnl::WINDOW, FormatSscWindow(plan.request.window));
  SetCtrlVal(panel, sscpnl::SETTINGS, FormatSscSettings(plan));
  std::string summary = FormatSscVerdict(plan);
  for (const std::string& note : SscNotes(plan)) summary += "\n" + note;
  SetCtrlVal(panel, sscpnl::SUMMARY, summary);
}

// The plan for what is typed in the dialog, or nothing after saying why. The
// planner gives the same plan for the same request, so Apply plans again
// rather than keep a plan found for other settings.
std::optional<SscPlan> PlanTyped(int panel) {
  SscRequest request;
  std::string problem;
  if (!ParseSscRequest(TextOf(panel, sscpnl::DOWNSPREAD), TextOf(panel, sscpnl::FMOD), &request,
                       &problem)) {
    SetCtrlVal(panel, sscpnl::SUMMARY, problem);
    return std::nullopt;
  }
  int map = 0;
  GetCtrlVal(panel, sscpnl::MAP, &map);
  SscPlan plan = PlanSpreadSpectrum(ReadPlanInputs(), map, request);
  if (!plan.ok) {
    SetCtrlVal(panel, sscpnl::SUMMARY, plan.problem);
    return std::nullopt;
  }
  return plan;
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
  const std::optional<SscPlan> plan = PlanTyped(panel);
  if (!plan) return 0;
  ShowPlan(panel, *plan);
  SetCtrlAttribute(panel, sscpnl::APPLY, ATTR_DIMMED, 0);
  return 0;
}

int OnApplySscClicked(int panel, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  const std::optional<SscPlan> plan = PlanTyped(panel);
  if (!plan) return 0;
  // The main panel takes the commits only once the dialog is gone.
  Close(panel);
  ApplySscPlan(*plan);
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
      {"OnPciExpressClicked", CtrlCallbackPtr{OnPciExpressClicked}},
      {"OnSscRequestEdited", CtrlCallbackPtr{OnSscRequestEdited}},
      {"SscPanelCallback", PanelCallbackPtr{SscPanelCallback}},
  });
  return kBindings;
}

}  // namespace qv
