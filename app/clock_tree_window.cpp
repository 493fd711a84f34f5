#include "app/clock_tree_window.h"

#include <array>
#include <memory>
#include <string>

#include "base/text_format.h"
#include "base/trace.h"
#include "files/panel/file_dialog_start.h"
#include "files/panel/file_notes.h"
#include "files/replace_file.h"
#include "model/program_state.h"
#include "plan/panel/frequency_engine.h"
#include "plan/panel/frequency_maps.h"
#include "plan/panel/plan_inputs.h"
#include "report/clock_tree.h"
#include "report/report_files.h"
#include "report/ssc_profile.h"
#include "report/svg_writer.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

struct ClockTreeState {
  int panel = 0;  // loaded on first use, kept while the program runs
  bool shown = false;
  int planListener = 0;
};
ClockTreeState g_tree;

// The ring's items: the map MARGIN selects, map 0, map 1.
int ShownMap(const PlanEvaluation& plan) {
  int choice = 0;
  GetCtrlVal(g_tree.panel, clockpnl::MAP, &choice);
  return choice == 0 ? plan.mapInUse : choice - 1;
}

void Draw(const PlanEvaluation& plan) {
  const int map = ShownMap(plan);
  SetCtrlVal(g_tree.panel, clockpnl::DIAGRAM,
             std::make_shared<const Scene>(report::ClockTreeScene(plan, map)));
  SetCtrlVal(g_tree.panel, clockpnl::PROFILE,
             std::make_shared<const Scene>(
                 report::ProfileScene(report::SpreadSpectrumProfile(plan, map))));
}

void Hide() {
  g_tree.shown = false;
  HidePanel(g_tree.panel);
}

struct ExportKind {
  int button;
  const char* defaultName;
  const char* fileTypes;
  const char* title;
};

constexpr std::array<ExportKind, 2> kExports{{
    {clockpnl::EXPORTSVG, "qv3380_clock_tree.svg", "SVG Image (*.svg)", "Export Clock Tree as SVG"},
    {clockpnl::EXPORTPNG, "qv3380_clock_tree.png", "PNG Image (*.png)", "Export Clock Tree as PNG"},
}};

// The diagram as shown, as the file's bytes; empty with a problem.
std::string DiagramFile(int button, std::string* problem) {
  std::shared_ptr<const Scene> scene;
  GetCtrlVal(g_tree.panel, clockpnl::DIAGRAM, &scene);
  if (!scene) {
    *problem = "there is no diagram to export";
    return "";
  }
  return button == clockpnl::EXPORTSVG ? report::SvgFile(*scene) : report::PngFile(*scene, problem);
}

}  // namespace

void StopClockTree() {
  RemovePlanListener(g_tree.planListener);
  g_tree = {};
}

void StartClockTree() {
  StopClockTree();
  g_tree.planListener = AddPlanListener([](const PlanEvaluation& plan) {
    if (g_tree.panel != 0 && g_tree.shown) Draw(plan);
  });
}

int ClockTreePanel() { return g_tree.panel; }

void OnClockTreeMenuClicked(int, int, void*, int) {
  if (g_tree.panel == 0) g_tree.panel = LoadPanel(0, CLOCK_TREE_PANEL_FILE, CLOCKPNL);
  g_tree.shown = true;
  Draw(EvaluatePlan(ReadPlanInputs()));
  DisplayPanel(g_tree.panel);
}

int OnClockTreeMapChosen(int, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) Draw(EvaluatePlan(ReadPlanInputs()));
  return 0;
}

int OnClockTreeExportClicked(int, int control, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  for (const ExportKind& kind : kExports) {
    if (kind.button != control) continue;
    const std::optional<std::string> chosen =
        ChooseFileToSave(kind.defaultName, kind.fileTypes, kind.title);
    if (!chosen) return 0;
    const std::string& path = *chosen;
    std::string problem, failure;
    const std::string bytes = DiagramFile(control, &problem);
    if (bytes.empty()) {
      failure = FormatText("%s: %s", path.c_str(), problem.c_str());
      Trace(TRACE_FILE, "clock tree not made: %s", failure.c_str());
    } else if (ReplaceFileNoting(path, bytes, failure)) {
      Trace(TRACE_FILE, "exported clock tree %s", path.c_str());
      return 0;
    }
    MessagePopup("Clock Tree Export Error", std::string(CLOCK_TREE_EXPORT_ERROR) + "\n" + failure);
  }
  return 0;
}

int ControlOfBlock(const std::string& block, int map) {
  if (map < 0 || map >= MAP_COUNT) return 0;
  const FrequencyMap& controls = kFrequencyMaps[map];
  struct Named {
    const char* block;
    int control;
  };
  const Named named[] = {
      {"crystal", CrystalFreq},
      {"refclk", REFFREQ},
      {"refdiv", REFDIV},
      {"refsel", REFSEL},
      {"pll1", controls.pll1NControl},
      {"vco1", controls.pll1NControl},
      {"pll2", controls.pll2NControl},
      {"vco2", controls.pll2NControl},
      {"ssc", FRACSTEP},
  };
  for (const Named& entry : named) {
    if (block == entry.block) return entry.control;
  }
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const std::string out = FormatText("out%d", k);
    if (block == out || block == out + "-d") return controls.outputs[k].dControl;
    if (block == out + "-v") return controls.outputs[k].vControl;
  }
  return 0;
}

int OnClockTreeBlockClicked(int panel, int control, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  std::string block;
  GetCtrlVal(panel, control, &block);
  const int shows = ControlOfBlock(block, ShownMap(EvaluatePlan(ReadPlanInputs())));
  if (shows != 0) SetActiveCtrl(panelHandle, shows);
  return 0;
}

int OnClockTreeCloseClicked(int, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) Hide();
  return 0;
}

int ClockTreePanelCallback(int, int event, void*, int, int) {
  if (event == EVENT_CLOSE) Hide();
  return 0;
}

std::span<const CallbackBinding> ClockTreeCallbacks() {
  static const auto kBindings = std::to_array<CallbackBinding>({
      {"OnClockTreeMenuClicked", MenuCallbackPtr{OnClockTreeMenuClicked}},
      {"OnClockTreeMapChosen", CtrlCallbackPtr{OnClockTreeMapChosen}},
      {"OnClockTreeExportClicked", CtrlCallbackPtr{OnClockTreeExportClicked}},
      {"OnClockTreeCloseClicked", CtrlCallbackPtr{OnClockTreeCloseClicked}},
      {"OnClockTreeBlockClicked", CtrlCallbackPtr{OnClockTreeBlockClicked}},
      {"ClockTreePanelCallback", PanelCallbackPtr{ClockTreePanelCallback}},
  });
  return kBindings;
}

}  // namespace qv
