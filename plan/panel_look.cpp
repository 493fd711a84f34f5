#include "plan/panel_look.h"

#include <array>

#include "model/fields.h"
#include "model/program_state.h"
#include "plan/frequency_engine.h"
#include "plan/frequency_maps.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

struct LookInputs {
  int refsel;
  int margin;
  int sscg;
  std::array<bool, 2> pll;
  std::array<bool, OUTPUT_COUNT> channel;
  bool sdm;
  bool sscgActive;
};

LookInputs ReadInputs() {
  LookInputs in{};
  in.refsel = GetRefselPin();
  in.margin = GetMarginPin();
  in.sscg = GetSscgPin();
  in.pll = {IsPll1Powered() != 0, IsPll2Powered() != 0};
  for (int k = 0; k < OUTPUT_COUNT; ++k) in.channel[k] = IsOutputPowered(k) != 0;
  in.sdm = IsSdmPowered() != 0;
  in.sscgActive = in.sscg != 0 && in.pll[1] && in.sdm && *MapInUse(in.margin).mod > 0;
  return in;
}

// A pin's group: full colour when the pin's level selects it, faded otherwise.
struct PinGroup {
  int box;
  int caption;
  int color;
  int LookInputs::*pin;
  bool selectedWhenHigh;
};

constexpr std::array<PinGroup, 5> kPinGroups{{
    {BOXMARGINLOW, STRINGMARGINLOW, MARGIN_COLOR, &LookInputs::margin, false},
    {BOXMARGINHIGH, STRINGMARGINHIGH, MARGIN_COLOR, &LookInputs::margin, true},
    {BOXREFSELLOW, STRINGREFSELLOW, REFSEL_COLOR, &LookInputs::refsel, false},
    {BOXREFSELHIGH, STRINGREFSELHIGH, REFSEL_COLOR, &LookInputs::refsel, true},
    {BOXSSCGHIGH, STRINGSSCGHIGH, SSCG_COLOR, &LookInputs::sscg, true},
}};

// Per PLL: its format ring and caption, and its sync switch.
struct PllLook {
  int formatRing;
  int formatCaption;
  int syncSwitch;
  int evenChannel;
};

constexpr std::array<PllLook, 2> kPllLooks{{
    {Pll1OutputFormat, OUT10, PLL1SYNC, 0},
    {Pll2OutputFormat, OUT32, PLL2SYNC, 2},
}};

void ApplyMapLook(const FrequencyMap& map, bool selected, const LookInputs& in) {
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    const OutputPath& out = map.outputs[k];
    const OutputWiring& wiring = kOutputWiring[k];
    const bool active = selected && in.pll[wiring.pll] && in.channel[k];
    // A synchronised output runs on its partner's VCO divider, not its own.
    const bool ownDivider = !wiring.syncFlag || *wiring.syncFlag == 0;
    SetControlActiveLook(active && ownDivider, out.vControl);
    SetControlsActiveLook(active, {out.dControl, out.freqControl});
  }
  SetControlsActiveLook(selected && in.pll[0], {map.pll1NControl, map.vco1Control});
  SetControlsActiveLook(selected && in.pll[1], {map.pll2NControl, map.vco2Control});
  SetControlsActiveLook(selected && in.pll[1] && in.sdm, {map.fracControl, map.modControl});
}

void SetSyncSwitchLook(int control, bool active) {
  SetCtrlAttribute(panelHandle, control, ATTR_TEXT_COLOR, active ? 0x000000 : INACTIVE_TEXT_COLOR);
  const int fill = active ? 0xFFFFFF : DISABLED_COLOR;
  SetCtrlAttribute(panelHandle, control, ATTR_ON_COLOR, fill);
  SetCtrlAttribute(panelHandle, control, ATTR_OFF_COLOR, fill);
}

}  // namespace

int FadeColor(int color) {
  int faded = 0;
  for (int shift : {16, 8, 0}) {
    const int channel = (color >> shift) & 0xFF;
    faded |= ((channel + 4 * 0xA0) / 5) << shift;
  }
  return faded;
}

void SetControlActiveLook(int active, int control) {
  SetCtrlAttribute(panelHandle, control, ATTR_TEXT_BGCOLOR, active ? 0xFFFFFF : DISABLED_COLOR);
  SetCtrlAttribute(panelHandle, control, ATTR_TEXT_COLOR, active ? 0x000000 : INACTIVE_TEXT_COLOR);
  SetCtrlAttribute(panelHandle, control, ATTR_LABEL_COLOR, active ? 0x000000 : INACTIVE_LABEL_COLOR);
}

void SetControlsActiveLook(int active, std::initializer_list<int> controls) {
  for (int control : controls) SetControlActiveLook(active, control);
}

void UpdatePanelDimming() {
  const LookInputs in = ReadInputs();

  for (const PinGroup& group : kPinGroups) {
    const bool selected = (in.*group.pin != 0) == group.selectedWhenHigh;
    const int color = selected ? group.color : FadeColor(group.color);
    SetCtrlAttribute(panelHandle, group.box, ATTR_FRAME_COLOR, color);
    SetCtrlAttribute(panelHandle, group.caption, ATTR_TEXT_BGCOLOR, color);
  }

  SetControlActiveLook(in.refsel != 0, CrystalFreq);
  SetControlsActiveLook(in.refsel == 0, {REFFREQ, REFDIV});

  for (int m = 0; m < MAP_COUNT; ++m) {
    ApplyMapLook(kFrequencyMaps[m], (in.margin != 0) == (m == 1), in);
  }

  for (int p = 0; p < 2; ++p) {
    const PllLook& look = kPllLooks[p];
    const bool even = in.channel[look.evenChannel], odd = in.channel[look.evenChannel + 1];
    SetControlsActiveLook(in.pll[p] && (even || odd), {look.formatRing, look.formatCaption});
  }
  for (int p = 0; p < 2; ++p) {
    const PllLook& look = kPllLooks[p];
    SetSyncSwitchLook(look.syncSwitch,
                      in.pll[p] && in.channel[look.evenChannel] && in.channel[look.evenChannel + 1]);
  }

  SetControlsActiveLook(in.sscgActive, {FRACSTEP, NUMSTEP, CKDIV});
  SetCtrlAttribute(panelHandle, LBL_SSCG_DISABLED, ATTR_VISIBLE, !in.sscgActive);
  for (int text : {TXT_FRACRANGE, TXT_SSCG_FMOD, TXT_SSCG_DOWNSPREAD}) {
    SetCtrlAttribute(panelHandle, text, ATTR_VISIBLE, in.sscgActive);
  }
}

}  // namespace qv
