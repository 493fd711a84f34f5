#include "app/modes.h"

#include <array>
#include <string>

#include "app/app_state.h"
#include "app/startup.h"
#include "app/status_line.h"
#include "base/trace.h"
#include "model/program_state.h"
#include "model/write_path.h"
#include "plan/panel/frequency_engine.h"
#include "plan/panel/output_format.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// What becomes usable once a mode works, in the order it is enabled.
// clang-format off
constexpr std::array kModeControls{
    REFSEL,    SSCG,      MAXBW,    MARGIN,    STRINGREFSELHIGH, CrystalFreq, STRINGREFSELLOW,
    REFFREQ,   REFDIV,    STRINGMARGINLOW,     PLL1_N,    VCO1FREQ,  OUT0V,   OUT0D,
    Out0Freq,  OUT1V,     OUT1D,    Out1Freq,  PLL2_N,    VCO2FREQ,  OUT2V,   OUT2D,
    Out2Freq,  OUT3V,     OUT3D,    Out3Freq,  PLL2_FRAC, PLL2_MOD,  STRINGMARGINHIGH,
    PLL1N_M,   VCO1FREQM, OUT0V_M,  OUT0D_M,   OUT0FREQM, OUT1V_M,   OUT1D_M, OUT1FREQM,
    PLL2N_M,   VCO2FREQM, OUT2V_M,  OUT2D_M,   OUT2FREQM, OUT3V_M,   OUT3D_M, OUT3FREQM,
    PLL2FRACM, PLL2MODM,  STRINGSSCGHIGH,      FRACSTEP,  NUMSTEP,   CKDIV,   PLL1SYNC,
    PLL2SYNC,  Pll1OutputFormat,    Pll2OutputFormat,     OUT10,     OUT32,   PLL1POWER,
    PLL2POWER, CH0POWER,  CH1POWER, CH2POWER,  CH3POWER,  REFPOWER,  BLEEDSDM,
};
// clang-format on
static_assert(kModeControls.size() == 65);

constexpr std::array kIndicatorControls{ResetRegisters, PFD_VALID,       NRANGE,
                                        VCOS_VALID,     FOUT_CMOS_VALID, FOUT_LV_VALID};

constexpr std::array kModeMenuItems{
    menubar::RESETDEFAULT,    menubar::IMPORT,     menubar::SAVE,      menubar::EXPORT,
    menubar::PLANFROMTARGETS, menubar::SSCPLANNER, menubar::COMPARE,   menubar::EXPORTREGS,
    menubar::REGISTERMAP,     menubar::COPYMAP01,  menubar::COPYMAP10, menubar::IMPORTREGS};

// Usable only where there is a chip: like the Acquire button.
constexpr std::array kChipMenuItems{menubar::READCHIP, menubar::VERIFYCHIP};

}  // namespace

void SetTitleSuffix(std::string_view modeText) {
  title = std::string(TITLE_PREFIX) + std::string(modeText);
  SetPanelAttribute(panelHandle, ATTR_TITLE, title);
}

void SetOffline() {
  OpMode = OPMODE_OFFLINE;
  SetTitleSuffix("Offline Mode");
  ShowModeStatus("Offline Mode");
  ConfigurePanelForMode();
  SetCtrlAttribute(panelHandle, CheckConnectionButton, ATTR_VISIBLE, 0);
  SetCtrlAttribute(panelHandle, TextConnCheck, ATTR_VISIBLE, 0);
  RecalculateFrequencies();
}

void SetOnline() {
  OpMode = OPMODE_ONLINE;
  SetCtrlAttribute(panelHandle, CheckConnectionButton, ATTR_DIMMED, 0);
  SetTitleSuffix("Online Mode");
  ShowModeStatus("Online Mode");
  RecalculateFrequencies();
}

void ConfigurePanelForMode() {
  if (OpMode != OPMODE_OFFLINE) QV3380_EnableLookAheads();
  for (int control : kModeControls) SetCtrlAttribute(panelHandle, control, ATTR_DIMMED, 0);
  if (OpMode != OPMODE_OFFLINE) {
    SetCtrlAttribute(panelHandle, InitiateAcquisition, ATTR_DIMMED, 0);
  }
  for (int control : kIndicatorControls) SetCtrlAttribute(panelHandle, control, ATTR_DIMMED, 0);
  SetDefaultOutputFormat();
  int menuBar = GetPanelMenuBar(panelHandle);
  for (int item : kModeMenuItems) SetMenuBarAttribute(menuBar, item, ATTR_DIMMED, 0);
  if (OpMode != OPMODE_OFFLINE) {
    for (int item : kChipMenuItems) SetMenuBarAttribute(menuBar, item, ATTR_DIMMED, 0);
  }
  RecalculateFrequencies();
}

bool ChipAnswersProbe() {
  // A chip that answers 0 is as good as no chip.
  const int answer = ReadChipByte(CONNECTION_PROBE_REGISTER);
  if (answer > 0) return true;
  Trace(TRACE_REFUSED, "connection check: the chip did not answer (register 0x%02X read %d)",
        CONNECTION_PROBE_REGISTER, answer);
  return false;
}

int CheckConnection(int, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  ProcessSystemEvents();
  Delay(0.5);
  if (ChipAnswersProbe()) {
    SetCtrlVal(panelHandle, TextConnCheck, "I2C communication is working\n");
    NoteLinkVerified();
    SetCtrlAttribute(panelHandle, CheckConnectionButton, ATTR_DIMMED, 1);
    ConfigurePanelForMode();
    ModeIsUsable();
  } else if (ConnCheck == 0) {
    ConnCheck = 1;
    SetCtrlVal(panelHandle, TextConnCheck, "I2C communication failure\n");
  }
  return 0;
}

}  // namespace qv
