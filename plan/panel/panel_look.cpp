#include "plan/panel/panel_look.h"

#include <array>

#include "model/program_state.h"
#include "plan/panel/frequency_maps.h"
#include "plan/panel/plan_inputs.h"
#include "plan/plan_colors.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// A pin's group: full colour when the pin's level selects it, faded otherwise.
struct PinGroup {
  int box;
  int caption;
  int color;
  bool BoardInputs::*pin;
  bool selectedWhenHigh;
};

constexpr std::array<PinGroup, 5> kPinGroups{{
    {BOXMARGINLOW, STRINGMARGINLOW, MARGIN_COLOR, &BoardInputs::margin, false},
    {BOXMARGINHIGH, STRINGMARGINHIGH, MARGIN_COLOR, &BoardInputs::margin, true},
    {BOXREFSELLOW, STRINGREFSELLOW, REFSEL_COLOR, &BoardInputs::refsel, false},
    {BOXREFSELHIGH, STRINGREFSELHIGH, REFSEL_COLOR, &BoardInputs::refsel, true},
    {BOXSSCGHIGH, STRINGSSCGHIGH, SSCG_COLOR, &BoardInputs::sscg, true},
}};

// Per PLL: its format ring and caption, and its sync switch.
struct PllLook {
  int formatRing;
  int formatCaption;
  int syncSwitch;
};

constexpr std::array<PllLook, PLL_COUNT> kPllLooks{{
    {Pll1OutputFormat, OUT10, PLL1SYNC},
    {Pll2OutputFormat, OUT32, PLL2SYNC},
}};

// Only the map MARGIN selects is active; within it, what its paths carry.
void ApplyMapLook(const FrequencyMap& map, bool selected, const ActivePaths& paths) {
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const OutputPath& out = map.outputs[k];
    SetControlActiveLook(selected && paths.ownVcoDivider[k], out.vControl);
    SetControlsActiveLook(selected && paths.output[k], {out.dControl, out.freqControl});
  }
  SetControlsActiveLook(selected && paths.pll[0], {map.pll1NControl, map.vco1Control});
  SetControlsActiveLook(selected && paths.pll[1], {map.pll2NControl, map.vco2Control});
  SetControlsActiveLook(selected && paths.fractional, {map.fracControl, map.modControl});
}

void SetSyncSwitchLook(int control, bool active) {
  SetCtrlAttribute(panelHandle, control, ATTR_TEXT_COLOR, active ? 0x000000 : INACTIVE_TEXT_COLOR);
  const int fill = active ? 0xFFFFFF : DISABLED_COLOR;
  SetCtrlAttribute(panelHandle, control, ATTR_ON_COLOR, fill);
  SetCtrlAttribute(panelHandle, control, ATTR_OFF_COLOR, fill);
}

}  // namespace

void SetControlActiveLook(int active, int control) {
  SetCtrlAttribute(panelHandle, control, ATTR_TEXT_BGCOLOR, active ? 0xFFFFFF : DISABLED_COLOR);
  SetCtrlAttribute(panelHandle, control, ATTR_TEXT_COLOR, active ? 0x000000 : INACTIVE_TEXT_COLOR);
  SetCtrlAttribute(panelHandle, control, ATTR_LABEL_COLOR,
                   active ? 0x000000 : INACTIVE_LABEL_COLOR);
}

void SetControlsActiveLook(int active, std::initializer_list<int> controls) {
  for (int control : controls) SetControlActiveLook(active, control);
}

void UpdatePanelDimming() { UpdatePanelDimming(EvaluatePlan(ReadPlanInputs())); }

void UpdatePanelDimming(const PlanEvaluation& plan) {
  const BoardInputs& board = plan.inputs.board;
  for (const PinGroup& group : kPinGroups) {
    const bool selected = board.*group.pin == group.selectedWhenHigh;
    const int color = selected ? group.color : FadeColor(group.color);
    SetCtrlAttribute(panelHandle, group.box, ATTR_FRAME_COLOR, color);
    SetCtrlAttribute(panelHandle, group.caption, ATTR_TEXT_BGCOLOR, color);
  }

  SetControlActiveLook(board.refsel, CrystalFreq);
  SetControlsActiveLook(!board.refsel, {REFFREQ, REFDIV});

  for (int m = 0; m < MAP_COUNT; ++m) {
    ApplyMapLook(kFrequencyMaps[m], m == plan.mapInUse, plan.maps[m].active);
  }

  const ActivePaths& used = plan.InUse().active;
  for (int p = 0; p < PLL_COUNT; ++p) {
    SetControlsActiveLook(used.formatPair[p],
                          {kPllLooks[p].formatRing, kPllLooks[p].formatCaption});
  }
  for (int p = 0; p < PLL_COUNT; ++p)
    SetSyncSwitchLook(kPllLooks[p].syncSwitch, used.syncSwitch[p]);

  SetControlsActiveLook(used.ssc, {FRACSTEP, NUMSTEP, CKDIV});
  SetCtrlAttribute(panelHandle, LBL_SSCG_DISABLED, ATTR_VISIBLE, !used.ssc);
  // The notice lists every condition; the tooltip names the ones that fail.
  SetCtrlAttribute(panelHandle, LBL_SSCG_DISABLED, ATTR_TOOLTIP, SscOffNote(plan.InUse()));
  for (int text : {TXT_FRACRANGE, TXT_SSCG_FMOD, TXT_SSCG_DOWNSPREAD}) {
    SetCtrlAttribute(panelHandle, text, ATTR_VISIBLE, used.ssc);
  }
}

}  // namespace qv
