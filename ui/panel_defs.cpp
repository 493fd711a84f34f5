#include "ui/panel_defs.h"

#include <array>

#include "ui/panel_ids.h"

namespace qv {
namespace {

using K = ControlKind;
using S = LoadState;

// Builds a control from the fields every kind has; the kind helpers add the rest.
constexpr ControlDef Control(int id, std::string_view constant, K kind, std::string_view label,
                             std::string_view callback, S state) {
  ControlDef def;
  def.id = id;
  def.constant = constant;
  def.kind = kind;
  def.label = label;
  def.callback = callback;
  def.atLoad = state;
  return def;
}

constexpr ControlDef Button(int id, std::string_view constant, std::string_view label,
                            std::string_view callback, S state) {
  return Control(id, constant, K::CommandButton, label, callback, state);
}

constexpr ControlDef Numeric(int id, std::string_view constant, std::string_view label,
                             std::string_view callback, int initial, int min, int max) {
  ControlDef def = Control(id, constant, K::Numeric, label, callback, S::Dimmed);
  def.initialValue = initial;
  def.minValue = min;
  def.maxValue = max;
  return def;
}

constexpr ControlDef Ring(int id, std::string_view constant, std::string_view label,
                          std::string_view callback, std::span<const RingItem> items,
                          int initial) {
  ControlDef def = Control(id, constant, K::Ring, label, callback, S::Dimmed);
  def.items = items;
  def.initialValue = initial;
  return def;
}

constexpr ControlDef StringBox(int id, std::string_view constant, std::string_view label,
                               std::string_view callback, std::string_view text, S state) {
  ControlDef def = Control(id, constant, K::StringBox, label, callback, state);
  def.initialText = text;
  return def;
}

constexpr ControlDef Text(int id, std::string_view constant, std::string_view text,
                          S state = S::Enabled) {
  ControlDef def = Control(id, constant, K::TextMessage, "", "", state);
  def.initialText = text;
  return def;
}

constexpr ControlDef TwoState(int id, std::string_view constant, K kind, std::string_view label,
                              std::string_view callback, int initial) {
  ControlDef def = Control(id, constant, kind, label, callback, S::Dimmed);
  def.initialValue = initial;
  def.maxValue = 1;
  return def;
}

constexpr ControlDef Switch(int id, std::string_view constant, std::string_view label,
                            std::string_view callback, int initial) {
  return TwoState(id, constant, K::OnOffSwitch, label, callback, initial);
}

constexpr ControlDef Toggle(int id, std::string_view constant, std::string_view label,
                            std::string_view callback) {
  return TwoState(id, constant, K::ToggleButton, label, callback, 0);
}

constexpr ControlDef Frame(int id, std::string_view constant) {
  return Control(id, constant, K::Decoration, "", "", S::Enabled);
}

constexpr ControlDef Picture(int id, std::string_view constant, std::string_view resource) {
  ControlDef def = Control(id, constant, K::Picture, "", "", S::Enabled);
  def.initialText = resource;
  return def;
}

constexpr MenuItemDef Menu(int id, std::string_view constant, MenuKind kind,
                           std::string_view text = "", std::string_view callback = "",
                           bool dimmedAtLoad = false, int shortcut = 0) {
  MenuItemDef def;
  def.id = id;
  def.constant = constant;
  def.kind = kind;
  def.text = text;
  def.callback = callback;
  def.dimmedAtLoad = dimmedAtLoad;
  def.shortcut = shortcut;
  return def;
}

constexpr PanelDef Panel(std::string_view fileName, int resourceId, std::string_view constant,
                         std::string_view title, int width, int height,
                         std::string_view callback, std::span<const ControlDef> controls,
                         std::span<const MenuItemDef> menu = {}) {
  PanelDef def;
  def.fileName = fileName;
  def.resourceId = resourceId;
  def.constant = constant;
  def.title = title;
  def.width = width;
  def.height = height;
  def.callback = callback;
  def.controls = controls;
  def.menu = menu;
  return def;
}

constexpr std::array kCrystalItems{RingItem{0, "19.44MHz"}, RingItem{1, "25MHz"},
                                   RingItem{2, "27MHz"}};
constexpr std::array kPinItems{RingItem{0, "Low"}, RingItem{1, "High"}};
constexpr std::array kRefDivItems{RingItem{0, "1"}, RingItem{1, "2"}};
constexpr std::array kFormatItems{
    RingItem{0, "LVPECL/LVPECL"}, RingItem{1, "LVDS/LVDS"},
    RingItem{2, "2xCMOS/LVPECL"}, RingItem{3, "2xCMOS/2xCMOS"},
    RingItem{4, "2xCMOS/LVDS"},   RingItem{5, "LVPECL/LVDS"},
    RingItem{6, "LVPECL/2xCMOS"}, RingItem{7, "2xCMOS/2xCMOS In Phase"}};

constexpr std::string_view kInjectionLockWarning = "Warning:\nNoise may increase\nwhen Na = Nb";

constexpr std::array kMainControls{
    Button(CheckConnectionButton, "CheckConnectionButton", "__Check Connection",
           "CheckConnection", S::Dimmed),
    Ring(CrystalFreq, "CrystalFreq", "XO Frequency", "SetCrystalFreq", kCrystalItems, 1),
    Numeric(PLL1N_M, "PLL1N_M", "PLL1 Feedback Div.", "SetPll1N_M", 100, 80, 143),
    StringBox(VCO1FREQM, "VCO1FREQM", "VCO1 Frequency (GHz)", "", "", S::Dimmed),
    Numeric(OUT0V_M, "OUT0V_M", "", "SetOut0V_M", 4, 2, 6),
    Numeric(OUT0D_M, "OUT0D_M", "", "SetOut0D_M", 4, 1, 32),
    StringBox(OUT0FREQM, "OUT0FREQM", "OUT0", "", "", S::Dimmed),
    Numeric(OUT1V_M, "OUT1V_M", "", "SetOut1V_M", 4, 2, 6),
    Numeric(OUT1D_M, "OUT1D_M", "", "SetOut1D_M", 5, 1, 32),
    StringBox(OUT1FREQM, "OUT1FREQM", "OUT1", "", "", S::Dimmed),
    Numeric(PLL1_N, "PLL1_N", "PLL1 Feedback Div.", "SetPll1N", 100, 80, 143),
    StringBox(VCO1FREQ, "VCO1FREQ", "VCO1 Frequency (GHz)", "", "", S::Dimmed),
    Numeric(OUT0V, "OUT0V", "", "SetOut0V", 4, 2, 6),
    Numeric(OUT0D, "OUT0D", "", "SetOut0D", 4, 1, 32),
    StringBox(Out0Freq, "Out0Freq", "OUT0", "", "", S::Dimmed),
    Numeric(OUT1V, "OUT1V", "", "SetOut1V", 4, 2, 6),
    Numeric(PLL2N_M, "PLL2N_M", "PLL2 Feedback Div.", "SetPll2N_M", 102, 80, 143),
    StringBox(VCO2FREQM, "VCO2FREQM", "VCO2 Frequency (GHz)", "", "", S::Dimmed),
    Numeric(OUT2V_M, "OUT2V_M", "", "SetOut2V_M", 2, 2, 6),
    Numeric(OUT3V_M, "OUT3V_M", "", "SetOut3V_M", 4, 2, 6),
    Numeric(OUT2D_M, "OUT2D_M", "", "SetOut2D_M", 6, 1, 32),
    Numeric(OUT3D_M, "OUT3D_M", "", "SetOut3D_M", 6, 1, 32),
    StringBox(OUT2FREQM, "OUT2FREQM", "OUT2", "", "", S::Dimmed),
    StringBox(OUT3FREQM, "OUT3FREQM", "OUT3", "", "", S::Dimmed),
    Numeric(OUT1D, "OUT1D", "", "SetOut1D", 5, 1, 32),
    StringBox(Out1Freq, "Out1Freq", "OUT1", "", "", S::Dimmed),
    StringBox(STRINGREFSELLOW, "STRINGREFSELLOW", "", "", "If REFSEL pin  is set LOW",
              S::Enabled),
    StringBox(INPINS, "INPINS", "", "", "Input Pins", S::Enabled),
    StringBox(STRINGREFSELHIGH, "STRINGREFSELHIGH", "", "", "If REFSEL pin  is set HIGH",
              S::Enabled),
    StringBox(STRINGSSCGHIGH, "STRINGSSCGHIGH", "", "", "If SSCG pin  is set HIGH",
              S::Enabled),
    StringBox(STRINGMARGINHIGH, "STRINGMARGINHIGH", "", "", "If MARGIN pin  is set HIGH",
              S::Enabled),
    StringBox(STRINGMARGINLOW, "STRINGMARGINLOW", "", "", "If MARGIN pin  is set LOW",
              S::Enabled),
    Numeric(PLL2FRACM, "PLL2FRACM", "Fractional Word", "SetPll2Frac_M", 0, 0, 4095),
    Numeric(PLL2MODM, "PLL2MODM", "Modulus", "SetPll2Mod_M", 0, 0, 4095),
    Numeric(PLL2_N, "PLL2_N", "PLL2 Feedback Div.", "SetPll2N", 96, 80, 143),
    StringBox(VCO2FREQ, "VCO2FREQ", "VCO2 Frequency (GHz)", "", "", S::Dimmed),
    Numeric(OUT2V, "OUT2V", "", "SetOut2V", 4, 2, 6),
    Numeric(OUT3V, "OUT3V", "", "SetOut3V", 4, 2, 6),
    Numeric(OUT2D, "OUT2D", "", "SetOut2D", 6, 1, 32),
    Numeric(OUT3D, "OUT3D", "", "SetOut3D", 18, 1, 32),
    StringBox(Out2Freq, "Out2Freq", "OUT2", "", "", S::Dimmed),
    StringBox(Out3Freq, "Out3Freq", "OUT3", "", "", S::Dimmed),
    Ring(MARGIN, "MARGIN", "MARGIN", "OnAnyPinChanged", kPinItems, 0),
    Ring(MAXBW, "MAXBW", "MAX_BW", "OnAnyPinChanged", kPinItems, 0),
    Ring(REFSEL, "REFSEL", "REFSEL", "OnAnyPinChanged", kPinItems, 1),
    Ring(SSCG, "SSCG", "SSCG", "OnAnyPinChanged", kPinItems, 0),
    Ring(Pll1OutputFormat, "Pll1OutputFormat", "PLL1 Output Format", "SetPll1OutputFormat",
         kFormatItems, 0),
    Ring(Pll2OutputFormat, "Pll2OutputFormat", "PLL2 Output Format", "SetPll2OutputFormat",
         kFormatItems, 0),
    Button(InitiateAcquisition, "InitiateAcquisition", "__Acquire", "InitAcq", S::Dimmed),
    Button(ResetRegisters, "ResetRegisters", "__Reset DUT", "ResetRegs", S::Dimmed),
    Numeric(PLL2_FRAC, "PLL2_FRAC", "Fractional Word", "SetPll2Frac", 0, 0, 4095),
    Numeric(PLL2_MOD, "PLL2_MOD", "Modulus", "SetPll2Mod", 0, 0, 4095),
    Switch(CH0POWER, "CH0POWER", "CH0", "CH0_power", 1),
    Switch(CH1POWER, "CH1POWER", "CH1", "CH1_Power", 1),
    Switch(CH2POWER, "CH2POWER", "CH2", "CH2_Power", 1),
    Switch(CH3POWER, "CH3POWER", "CH3", "CH3_Power", 1),
    Switch(PLL1POWER, "PLL1POWER", "PLL1", "PLL1_Power", 1),
    Switch(PLL2POWER, "PLL2POWER", "PLL2", "PLL2_Power", 1),
    Switch(BLEEDSDM, "BLEEDSDM", "Bleed & SDM", "SetBleedSdm", 0),
    Switch(REFPOWER, "REFPOWER", "REFOUT", "REF_Power", 1),
    StringBox(FOUT_LV_VALID, "FOUT_LV_VALID", "LVDS/LVPECL", "", "637.25 MHz", S::Dimmed),
    StringBox(FOUT_CMOS_VALID, "FOUT_CMOS_VALID", "CMOS", "", "200 MHz", S::Dimmed),
    StringBox(PFD_VALID, "PFD_VALID", "PFD Freq. Range", "", "19.44MHz <= Fpfd <= 27MHz",
              S::Dimmed),
    StringBox(VCOS_VALID, "VCOS_VALID", "VCO Freq. Range", "", "2.15GHz <= Fvco <= 2.55GHz",
              S::Dimmed),
    Toggle(PLL1SYNC, "PLL1SYNC", "Sync VCO1 Divider", "PLL1_Sync"),
    Toggle(PLL2SYNC, "PLL2SYNC", "Sync VCO2 Divider", "PLL2_Sync"),
    StringBox(NRANGE, "NRANGE", "Feedback Div. Range", "", "85 <= N <= 103", S::Dimmed),
    StringBox(REFFREQ, "REFFREQ", "REFCLK Frequency (MHz)", "SetRefFreq", "25.0", S::Dimmed),
    Frame(BOXMARGINHIGH, "BOXMARGINHIGH"),
    Numeric(FRACSTEP, "FRACSTEP", "FracStep", "SetAnySscgRegister", 0, -128, 0),
    Numeric(NUMSTEP, "NUMSTEP", "NumSteps", "SetAnySscgRegister", 0, 1, 511),
    Numeric(CKDIV, "CKDIV", "CkDiv", "SetAnySscgRegister", 0, 2, 127),
    StringBox(OUT10, "OUT10", "", "", "OUT1/OUT0", S::Dimmed),
    StringBox(OUT32, "OUT32", "", "", "OUT3/OUT2", S::Dimmed),
    Frame(BOXREFSELLOW, "BOXREFSELLOW"),
    Frame(BOXREFSELHIGH, "BOXREFSELHIGH"),
    Frame(BOXMARGINLOW, "BOXMARGINLOW"),
    Frame(DECORATION_6, "DECORATION_6"),
    Text(STRING_4, "STRING_4", "VCO Divider"),
    Text(STRING_5, "STRING_5", "Frequency (MHz)"),
    Text(STRING_6, "STRING_6", "Output Divider"),
    Text(STRING_2, "STRING_2", "VCO Divider"),
    Text(STRING_3, "STRING_3", "Frequency (MHz)"),
    Text(STRING_1, "STRING_1", "Output Divider"),
    Text(TEXTMSG, "TEXTMSG", "Max Output Frequency"),
    Text(TextConnCheck, "TextConnCheck", ""),
    Ring(REFDIV, "REFDIV", "REFCLK divider", "SetRefDiv", kRefDivItems, 0),
    Text(LBL_SSCG_DISABLED, "LBL_SSCG_DISABLED",
         "Spread-spectrum disabled.\n\nTo enable, set:\n - SDM and PLL2 powered\n"
         " - MOD > 0\n - SSCG pin high\n"),
    Text(LBL_INJLOCK_M, "LBL_INJLOCK_M", kInjectionLockWarning, S::Hidden),
    Frame(DECORATION, "DECORATION"),
    Text(LBL_INJLOCK, "LBL_INJLOCK", kInjectionLockWarning, S::Hidden),
    Frame(BOXSSCGHIGH, "BOXSSCGHIGH"),
    StringBox(TXT_SSCG_DOWNSPREAD, "TXT_SSCG_DOWNSPREAD", "Downspread", "", "-0.50%",
              S::Hidden),
    StringBox(TXT_SSCG_FMOD, "TXT_SSCG_FMOD", "Fmod", "", "32.5 kHz", S::Hidden),
    StringBox(TXT_FRACRANGE, "TXT_FRACRANGE", "FracRange", "", "-100", S::Hidden),
};
static_assert(kMainControls.size() == 95);

constexpr std::array kMainMenu{
    Menu(menubar::MENU, "MENU", MenuKind::Bar),
    Menu(menubar::FILE, "FILE", MenuKind::Menu, "__File", ""),
    Menu(menubar::RESETDEFAULT, "RESETDEFAULT", MenuKind::Item, "Reset To __Defaults",
                "OnFileResetToDefaultsMenuClicked", true),
    Menu(menubar::SEPARATOR_2, "SEPARATOR_2", MenuKind::Separator),
    Menu(menubar::IMPORT, "IMPORT", MenuKind::Item, "__Open Setup...",
                "OnFileImportMenuClicked", true),
    Menu(menubar::EXPORT, "EXPORT", MenuKind::Item, "__Save Setup As...",
                "OnFileExportMenuClicked", true),
    Menu(menubar::RESETCFG, "RESETCFG", MenuKind::Item, "Reset To __Last Setup File",
                "OnFileResetToCfgMenuClicked", true),
    Menu(menubar::SEPARATOR, "SEPARATOR", MenuKind::Separator),
    Menu(menubar::EXPORTJSON, "EXPORTJSON", MenuKind::Item, "Export __JSON...",
                "OnFileExportJsonMenuClicked"),
    Menu(menubar::SEPARATOR_3, "SEPARATOR_3", MenuKind::Separator),
    Menu(menubar::EXIT, "EXIT", MenuKind::Item, "E__xit", "OnFileExitMenuClicked",
                false, SHORTCUT_CTRL_Q),
    Menu(menubar::HELP, "HELP", MenuKind::Menu, "__Help", ""),
    Menu(menubar::ABOUT, "ABOUT", MenuKind::Item, "__About...", "OnHelpAboutMenuClicked"),
};

constexpr std::array kStartupControls{
    Button(startuppnl::RUNOFFLINE, "RUNOFFLINE",
           "Run In O__ffline Mode (to generate setup file only)", "OnRunOfflineButtonClicked",
           S::Enabled),
    Button(startuppnl::RUNONLINE, "RUNONLINE", "Run In O__nline Mode (to control QV3380)",
           "OnRunOnlineButtonClicked", S::Enabled),
    Text(startuppnl::TEXTMSG, "TEXTMSG", "Please select an operation mode:"),
};

constexpr std::array kAboutControls{
    Text(aboutpnl::TEXTMSG_2, "TEXTMSG_2",
         "Frequency planning and register setup for the QV3380."),
    Text(aboutpnl::TEXTMSG_5, "TEXTMSG_5",
         "For evaluation of the QV3380 Clock Generator with Dual PLLs, \n"
         "Spread Spectrum, and Margining"),
    Text(aboutpnl::TEXTMSG_3, "TEXTMSG_3", "QV3380 Customer Graphical User Interface"),
    Picture(aboutpnl::PICTURE, "PICTURE", "chip"),
    Picture(aboutpnl::PICTURE_2, "PICTURE_2", "icon"),
};

constexpr std::array kPanels{
    Panel(MAIN_PANEL_FILE, PANEL, "PANEL", "QV3380 Customer User Interface", 1012, 711,
          "OnPanelEvent", kMainControls, kMainMenu),
    Panel(STARTUP_PANEL_FILE, STARTUPPNL, "STARTUPPNL",
          "QV3380 User Interface -- Select Operation Mode", 352, 166, "OnStartupPanelEvent",
          kStartupControls),
    Panel(ABOUT_PANEL_FILE, ABOUT, "ABOUT", "About QV3380 Customer GUI", 395, 188,
          "AboutPanelCallback", kAboutControls),
};

}  // namespace

std::span<const PanelDef> AllPanelDefs() { return kPanels; }

const PanelDef* FindPanelDef(std::string_view fileName, int resourceId) {
  for (const PanelDef& panel : kPanels) {
    if (panel.fileName == fileName && panel.resourceId == resourceId) return &panel;
  }
  return nullptr;
}

const ControlDef* FindControlDef(const PanelDef& panel, int control) {
  for (const ControlDef& def : panel.controls) {
    if (def.id == control) return &def;
  }
  return nullptr;
}

const ControlDef* FindControlDef(const PanelDef& panel, std::string_view constant) {
  for (const ControlDef& def : panel.controls) {
    if (def.constant == constant) return &def;
  }
  return nullptr;
}

const MenuItemDef* FindMenuItemDef(const PanelDef& panel, int item) {
  for (const MenuItemDef& def : panel.menu) {
    if (def.id == item) return &def;
  }
  return nullptr;
}

}  // namespace qv
