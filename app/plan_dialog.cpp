#include "app/plan_dialog.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/planner_notes.h"
#include "model/program_state.h"
#include "plan/panel/frequency_maps.h"
#include "plan/panel/plan_inputs.h"
#include "plan/panel/solver_apply.h"
#include "plan/plan_colors.h"
#include "plan/solver.h"
#include "plan/solver_report.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// What was typed, kept for the next opening while the program runs.
struct TypedRequest {
  std::array<std::string, OUTPUT_COUNT> targets;
  std::string tolerance;
};
std::optional<TypedRequest> g_typed;

std::string TextOf(int panel, int control) {
  std::string text;
  GetCtrlVal(panel, control, &text);
  return text;
}

void Close(int panel) {
  TypedRequest typed;
  for (int k = 0; k < OUTPUT_COUNT; ++k) typed.targets[k] = TextOf(panel, planpnl::TARGET0 + k);
  typed.tolerance = TextOf(panel, planpnl::TOLERANCE);
  g_typed = typed;
  RemovePopup(0);
  DiscardPanel(panel);
}

void ClearResults(int panel) {
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    for (int column : {planpnl::ACHIEVED0, planpnl::ERROR0, planpnl::DIVIDERS0}) {
      SetCtrlVal(panel, column + k, "");
      SetCtrlAttribute(panel, column + k, ATTR_TEXT_BGCOLOR, VALIDATE_GOOD_COLOR);
    }
  }
  EnableApply(panel, planpnl::APPLY, planpnl::OK, false);
}

void ShowResult(int panel, const SolverResult& plan) {
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const OutputPlan& out = plan.outputs[k];
    if (out.kept) {
      // Kept where it was, or moved: black on white either way, the summary says which.
      SetCtrlVal(panel, planpnl::ACHIEVED0 + k, FormatMhz(out.achieved));
      SetCtrlVal(panel, planpnl::ERROR0 + k, FormatSignedPpm(out));
      SetCtrlVal(panel, planpnl::DIVIDERS0 + k, FormatDividers(plan, k));
      continue;
    }
    if (!out.wanted) {
      SetCtrlVal(panel, planpnl::ACHIEVED0 + k, "-");
      continue;
    }
    SetCtrlVal(panel, planpnl::ACHIEVED0 + k, FormatMhz(out.achieved));
    SetCtrlVal(panel, planpnl::ERROR0 + k, FormatSignedPpm(out));
    SetCtrlVal(panel, planpnl::DIVIDERS0 + k, FormatDividers(plan, k));
    const int colour = out.reachable ? VALIDATE_GOOD_COLOR : VALIDATE_BAD_COLOR;
    SetCtrlAttribute(panel, planpnl::ACHIEVED0 + k, ATTR_TEXT_BGCOLOR, colour);
    SetCtrlAttribute(panel, planpnl::ERROR0 + k, ATTR_TEXT_BGCOLOR, colour);
  }
}

// What the table cannot show: each PLL, what is out of reach and what moved;
// with both maps, per map, the table showing the one MARGIN selects.
std::string Summary(const std::vector<MapSolution>& solutions) {
  std::string summary;
  const auto line = [&summary](const std::string& text) {
    if (text.empty()) return;
    if (!summary.empty()) summary += "\n";
    summary += text;
  };
  for (const MapSolution& solution : solutions) {
    const SolverResult& plan = solution.plan;
    const std::string prefix =
        solutions.size() > 1 ? "Map " + std::to_string(solution.map) + ": " : "";
    if (solutions.size() > 1) {
      line(prefix + FormatPllSummary(plan, 0) + "; " + FormatPllSummary(plan, 1));
    } else {
      line(FormatPllSummary(plan, 0));
      line(FormatPllSummary(plan, 1));
    }
    for (const std::string& note : {FormatOutOfReach(plan), FormatMoves(plan)}) {
      if (!note.empty()) line(prefix + note);
    }
  }
  return summary;
}

// The plan the table shows: the map MARGIN selects when it is planned.
const MapSolution& Shown(const std::vector<MapSolution>& solutions) {
  for (const MapSolution& solution : solutions) {
    if (solution.map == (GetMarginPin() != 0 ? 1 : 0)) return solution;
  }
  return solutions.front();
}

void ShowResults(int panel, const std::vector<MapSolution>& solutions) {
  ShowResult(panel, Shown(solutions).plan);
  SetCtrlVal(panel, planpnl::SUMMARY, Summary(solutions));
}

// What was typed last time; at the first opening the map's present
// frequencies, as a starting point to edit.
void PrefillTargets(int panel, int map) {
  if (g_typed) {
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      SetCtrlVal(panel, planpnl::TARGET0 + k, g_typed->targets[k]);
    }
    SetCtrlVal(panel, planpnl::TOLERANCE, g_typed->tolerance);
    return;
  }
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const std::string text = TextOf(panelHandle, kFrequencyMaps[map].outputs[k].freqControl);
    const std::size_t first = text.find_first_not_of(' ');
    SetCtrlVal(panel, planpnl::TARGET0 + k, first == std::string::npos ? "" : text.substr(first));
  }
}

// The plan for the targets typed in the dialog, one per map chosen, or
// nothing after saying why. The solver gives the same plan for the same
// request, so Apply solves again rather than keep the plan found somewhere.
std::optional<std::vector<MapSolution>> SolveTyped(int panel) {
  std::array<std::optional<double>, OUTPUT_COUNT> targets;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const std::string text = TextOf(panel, planpnl::TARGET0 + k);
    if (!ParseTargetMhz(text, &targets[k])) {
      SetCtrlVal(panel, planpnl::SUMMARY,
                 "OUT" + std::to_string(k) + ": \"" + text + "\" is not a frequency in MHz.");
      SetCtrlAttribute(panel, planpnl::TARGET0 + k, ATTR_TEXT_BGCOLOR, VALIDATE_BAD_COLOR);
      return std::nullopt;
    }
    SetCtrlAttribute(panel, planpnl::TARGET0 + k, ATTR_TEXT_BGCOLOR, VALIDATE_GOOD_COLOR);
  }
  double tolerance = 0.0;
  const std::string toleranceText = TextOf(panel, planpnl::TOLERANCE);
  if (!ParseTolerancePpm(toleranceText, &tolerance)) {
    SetCtrlVal(panel, planpnl::SUMMARY, "\"" + toleranceText + "\" is not a number of ppm.");
    SetCtrlAttribute(panel, planpnl::TOLERANCE, ATTR_TEXT_BGCOLOR, VALIDATE_BAD_COLOR);
    return std::nullopt;
  }
  SetCtrlAttribute(panel, planpnl::TOLERANCE, ATTR_TEXT_BGCOLOR, VALIDATE_GOOD_COLOR);
  int choice = 0;
  GetCtrlVal(panel, planpnl::MAP, &choice);
  std::vector<MapSolution> solutions = SolveForMaps(targets, choice, tolerance);
  for (const MapSolution& solution : solutions) {
    if (!solution.plan.ok) {
      SetCtrlVal(panel, planpnl::SUMMARY, solution.plan.problem);
      return std::nullopt;
    }
  }
  return solutions;
}

}  // namespace

void ResetPlanDialog() { g_typed.reset(); }

void OnPlanFromTargetsMenuClicked(int, int, void*, int) {
  const int panel = LoadPanel(0, PLAN_PANEL_FILE, PLANPNL);
  const int map = GetMarginPin() != 0 ? 1 : 0;
  SetCtrlVal(panel, planpnl::MAP, map);
  PrefillTargets(panel, map);
  InstallPopup(panel);
}

int OnFindPlanClicked(int panel, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  ClearResults(panel);
  const auto solutions = SolveTyped(panel);
  if (!solutions) return 0;
  ShowResults(panel, *solutions);
  EnableApply(panel, planpnl::APPLY, planpnl::OK, true);
  return 0;
}

// Apply: the plan reaches the panel behind the dialog, which stays open to
// show it and to plan on.
int OnApplyPlanClicked(int panel, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  const auto solutions = SolveTyped(panel);
  if (!solutions) return 0;
  const bool applied = ApplySolverPlans(*solutions);
  ShowResults(panel, *solutions);
  NoteApplied(panel, planpnl::SUMMARY, applied);
  return 0;
}

int OnPlanOkClicked(int panel, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  const auto solutions = SolveTyped(panel);
  if (!solutions) return 0;
  Close(panel);
  ApplySolverPlans(*solutions);
  return 0;
}

int OnClosePlanClicked(int panel, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) Close(panel);
  return 0;
}

int OnPlanTargetEdited(int panel, int, int event, void*, int, int) {
  // A plan found for other targets must not be applied.
  if (event == EVENT_COMMIT) ClearResults(panel);
  return 0;
}

int PlanPanelCallback(int panel, int event, void*, int, int) {
  if (event == EVENT_CLOSE) Close(panel);
  return 0;
}

std::span<const CallbackBinding> PlanDialogCallbacks() {
  static const auto kBindings = std::to_array<CallbackBinding>({
      {"OnPlanFromTargetsMenuClicked", MenuCallbackPtr{OnPlanFromTargetsMenuClicked}},
      {"OnFindPlanClicked", CtrlCallbackPtr{OnFindPlanClicked}},
      {"OnApplyPlanClicked", CtrlCallbackPtr{OnApplyPlanClicked}},
      {"OnClosePlanClicked", CtrlCallbackPtr{OnClosePlanClicked}},
      {"OnPlanOkClicked", CtrlCallbackPtr{OnPlanOkClicked}},
      {"OnPlanTargetEdited", CtrlCallbackPtr{OnPlanTargetEdited}},
      {"PlanPanelCallback", PanelCallbackPtr{PlanPanelCallback}},
  });
  return kBindings;
}

}  // namespace qv
