#pragma once
// Identifiers of the panels, their controls and the main panel's menu bar.
// Each panel numbers its own controls from 2; the panel itself is resource 1.

namespace qv {

// Resource identifiers of the three panel definitions.
inline constexpr int PANEL = 1;       // "MainPanel.uir"
inline constexpr int STARTUPPNL = 1;  // "StartupModeSelect.uir"
inline constexpr int ABOUT = 1;       // "AboutDialog.uir"

inline constexpr const char* MAIN_PANEL_FILE = "MainPanel.uir";
inline constexpr const char* STARTUP_PANEL_FILE = "StartupModeSelect.uir";
inline constexpr const char* ABOUT_PANEL_FILE = "AboutDialog.uir";

// Controls of the main panel PANEL.
inline constexpr int CheckConnectionButton = 2;
inline constexpr int CrystalFreq = 3;
inline constexpr int PLL1N_M = 4;
inline constexpr int VCO1FREQM = 5;
inline constexpr int OUT0V_M = 6;
inline constexpr int OUT0D_M = 7;
inline constexpr int OUT0FREQM = 8;
inline constexpr int OUT1V_M = 9;
inline constexpr int OUT1D_M = 10;
inline constexpr int OUT1FREQM = 11;
inline constexpr int PLL1_N = 12;
inline constexpr int VCO1FREQ = 13;
inline constexpr int OUT0V = 14;
inline constexpr int OUT0D = 15;
inline constexpr int Out0Freq = 16;
inline constexpr int OUT1V = 17;
inline constexpr int PLL2N_M = 18;
inline constexpr int VCO2FREQM = 19;
inline constexpr int OUT2V_M = 20;
inline constexpr int OUT3V_M = 21;
inline constexpr int OUT2D_M = 22;
inline constexpr int OUT3D_M = 23;
inline constexpr int OUT2FREQM = 24;
inline constexpr int OUT3FREQM = 25;
inline constexpr int OUT1D = 26;
inline constexpr int Out1Freq = 27;
inline constexpr int STRINGREFSELLOW = 28;
inline constexpr int INPINS = 29;
inline constexpr int STRINGREFSELHIGH = 30;
inline constexpr int STRINGSSCGHIGH = 31;
inline constexpr int STRINGMARGINHIGH = 32;
inline constexpr int STRINGMARGINLOW = 33;
inline constexpr int PLL2FRACM = 34;
inline constexpr int PLL2MODM = 35;
inline constexpr int PLL2_N = 36;
inline constexpr int VCO2FREQ = 37;
inline constexpr int OUT2V = 38;
inline constexpr int OUT3V = 39;
inline constexpr int OUT2D = 40;
inline constexpr int OUT3D = 41;
inline constexpr int Out2Freq = 42;
inline constexpr int Out3Freq = 43;
inline constexpr int MARGIN = 44;
inline constexpr int MAXBW = 45;
inline constexpr int REFSEL = 46;
inline constexpr int SSCG = 47;
inline constexpr int Pll1OutputFormat = 48;
inline constexpr int Pll2OutputFormat = 49;
inline constexpr int InitiateAcquisition = 50;
inline constexpr int ResetRegisters = 51;
inline constexpr int PLL2_FRAC = 52;
inline constexpr int PLL2_MOD = 53;
inline constexpr int CH0POWER = 54;
inline constexpr int CH1POWER = 55;
inline constexpr int CH2POWER = 56;
inline constexpr int CH3POWER = 57;
inline constexpr int PLL1POWER = 58;
inline constexpr int PLL2POWER = 59;
inline constexpr int BLEEDSDM = 60;
inline constexpr int REFPOWER = 61;
inline constexpr int FOUT_LV_VALID = 62;
inline constexpr int FOUT_CMOS_VALID = 63;
inline constexpr int PFD_VALID = 64;
inline constexpr int VCOS_VALID = 65;
inline constexpr int PLL1SYNC = 66;
inline constexpr int PLL2SYNC = 67;
inline constexpr int NRANGE = 68;
inline constexpr int REFFREQ = 69;
inline constexpr int BOXMARGINHIGH = 70;
inline constexpr int FRACSTEP = 71;
inline constexpr int NUMSTEP = 72;
inline constexpr int CKDIV = 73;
inline constexpr int OUT10 = 74;
inline constexpr int OUT32 = 75;
inline constexpr int BOXREFSELLOW = 76;
inline constexpr int BOXREFSELHIGH = 77;
inline constexpr int BOXMARGINLOW = 78;
inline constexpr int DECORATION_6 = 79;
inline constexpr int STRING_4 = 80;
inline constexpr int STRING_5 = 81;
inline constexpr int STRING_6 = 82;
inline constexpr int STRING_2 = 83;
inline constexpr int STRING_3 = 84;
inline constexpr int STRING_1 = 85;
inline constexpr int TEXTMSG = 86;
inline constexpr int TextConnCheck = 87;
inline constexpr int REFDIV = 88;
inline constexpr int LBL_SSCG_DISABLED = 89;
inline constexpr int LBL_INJLOCK_M = 90;
inline constexpr int DECORATION = 91;
inline constexpr int LBL_INJLOCK = 92;
inline constexpr int BOXSSCGHIGH = 93;
inline constexpr int TXT_SSCG_DOWNSPREAD = 94;
inline constexpr int TXT_SSCG_FMOD = 95;
inline constexpr int TXT_FRACRANGE = 96;

// Controls of the mode popup STARTUPPNL.
namespace startuppnl {
inline constexpr int RUNOFFLINE = 2;
inline constexpr int RUNONLINE = 3;
inline constexpr int TEXTMSG = 4;
}  // namespace startuppnl

// Controls of the About popup ABOUT.
namespace aboutpnl {
inline constexpr int TEXTMSG_2 = 2;
inline constexpr int TEXTMSG_5 = 3;
inline constexpr int TEXTMSG_3 = 4;
inline constexpr int PICTURE = 5;
inline constexpr int PICTURE_2 = 6;
// What the program is: version and build date, the libraries, the licence.
inline constexpr int VERSION = 7;
inline constexpr int LIBRARIES = 8;
inline constexpr int LICENCE = 9;
}  // namespace aboutpnl

// The main panel's menu bar: menus and items share one sequence. New menus and
// items take the next numbers; where they show is the definitions' order.
namespace menubar {
inline constexpr int MENU = 1;
inline constexpr int FILE = 2;
inline constexpr int RESETDEFAULT = 3;
inline constexpr int SEPARATOR_2 = 4;
inline constexpr int IMPORT = 5;
inline constexpr int EXPORT = 6;
inline constexpr int RESETCFG = 7;
inline constexpr int SEPARATOR = 8;
inline constexpr int EXPORTJSON = 9;
inline constexpr int SEPARATOR_3 = 10;
inline constexpr int EXIT = 11;
inline constexpr int HELP = 12;
inline constexpr int ABOUT = 13;
inline constexpr int TOOLS = 14;
inline constexpr int PLANFROMTARGETS = 15;
inline constexpr int SSCPLANNER = 25;
inline constexpr int READCHIP = 16;
inline constexpr int VERIFYCHIP = 17;
inline constexpr int EXPORTREGS = 18;
inline constexpr int COMPARE = 19;
inline constexpr int VIEW = 20;
inline constexpr int REGISTERMAP = 21;
inline constexpr int SEPARATOR_4 = 22;
inline constexpr int CLOCKTREE = 23;
inline constexpr int EXPORTREPORT = 24;
inline constexpr int EDIT = 26;
inline constexpr int UNDO = 27;
inline constexpr int REDO = 28;
inline constexpr int SAVE = 29;
inline constexpr int RECENT = 30;
// The recent files, most recent first: RECENT1 + k is entry k.
inline constexpr int RECENT1 = 31;
inline constexpr int RECENT2 = 32;
inline constexpr int RECENT3 = 33;
inline constexpr int RECENT4 = 34;
inline constexpr int RECENT5 = 35;
inline constexpr int RECENT6 = 36;
inline constexpr int RECENT7 = 37;
inline constexpr int RECENT8 = 38;
inline constexpr int RECENT_COUNT = RECENT8 - RECENT1 + 1;
inline constexpr int SEPARATOR_5 = 39;
inline constexpr int CLEARRECENT = 40;
inline constexpr int COPYMAP01 = 41;
inline constexpr int COPYMAP10 = 42;
inline constexpr int SEPARATOR_6 = 43;
inline constexpr int ZOOMIN = 44;
inline constexpr int ZOOMOUT = 45;
inline constexpr int ACTUALSIZE = 46;
inline constexpr int SEPARATOR_7 = 47;
inline constexpr int CLASSICLOOK = 48;
inline constexpr int USERGUIDE = 49;
inline constexpr int SEPARATOR_8 = 50;
inline constexpr int SEPARATOR_9 = 51;
// File > Import Registers...: a register dump read back into a plan.
inline constexpr int IMPORTREGS = 60;
}  // namespace menubar

// The "Plan From Targets" popup PLANPNL.
inline constexpr int PLANPNL = 1;
inline constexpr const char* PLAN_PANEL_FILE = "PlanFromTargets.uir";

namespace planpnl {
inline constexpr int INTRO = 2;
inline constexpr int MAP = 3;
inline constexpr int CAPTION_TARGET = 4;
inline constexpr int CAPTION_ACHIEVED = 5;
inline constexpr int CAPTION_ERROR = 6;
inline constexpr int CAPTION_DIVIDERS = 7;
// One row per output; row k of each column is the column's first id + k.
inline constexpr int TARGET0 = 8;
inline constexpr int ACHIEVED0 = 12;
inline constexpr int ERROR0 = 16;
inline constexpr int DIVIDERS0 = 20;
inline constexpr int SUMMARY = 24;
inline constexpr int FINDPLAN = 25;
inline constexpr int APPLY = 26;
inline constexpr int CLOSE = 27;
inline constexpr int TOLERANCE = 28;
inline constexpr int OK = 29;
}  // namespace planpnl

// The "Spread Spectrum" popup SSCPNL.
inline constexpr int SSCPNL = 1;
inline constexpr const char* SSC_PANEL_FILE = "SpreadSpectrum.uir";

namespace sscpnl {
inline constexpr int INTRO = 2;
inline constexpr int MAP = 3;
inline constexpr int PCIE = 4;
inline constexpr int CAPTION_ASKED = 5;
inline constexpr int CAPTION_ACHIEVED = 6;
inline constexpr int CAPTION_ERROR = 7;
inline constexpr int DOWNSPREAD = 8;
inline constexpr int FMOD = 9;
inline constexpr int DEPTH_ACHIEVED = 10;
inline constexpr int FMOD_ACHIEVED = 11;
inline constexpr int DEPTH_ERROR = 12;
inline constexpr int FMOD_ERROR = 13;
inline constexpr int WINDOW = 14;
inline constexpr int SETTINGS = 15;
inline constexpr int SUMMARY = 16;
inline constexpr int FIND = 17;
inline constexpr int APPLY = 18;
inline constexpr int CLOSE = 19;
inline constexpr int OK = 20;
}  // namespace sscpnl
// The "Register Map" window REGMAPPNL: every register, the fields of the one
// selected, and the transfers with the chip.
inline constexpr int REGMAPPNL = 1;
inline constexpr const char* REGMAP_PANEL_FILE = "RegisterMap.uir";

namespace regmappnl {
inline constexpr int REGISTERS_CAPTION = 2;
inline constexpr int REGISTERS = 3;
inline constexpr int BASELINE_NOTE = 4;
inline constexpr int FIELDS_CAPTION = 5;
inline constexpr int FIELDS = 6;
inline constexpr int LOG_CAPTION = 7;
inline constexpr int LOG = 8;
inline constexpr int CLOSE = 9;
inline constexpr int CLEARLOG = 10;
inline constexpr int SAVELOG = 11;
}  // namespace regmappnl

// A list of findings with a summary: Verify Chip, Compare With Setup File.
inline constexpr int LISTPNL = 1;
inline constexpr const char* LIST_PANEL_FILE = "FindingsList.uir";

namespace listpnl {
inline constexpr int SUMMARY = 2;
inline constexpr int LIST = 3;
inline constexpr int CLOSE = 4;
}  // namespace listpnl

// The same when there is nothing to list: the summary alone.
inline constexpr int NOTEPNL = 1;
inline constexpr const char* NOTE_PANEL_FILE = "FindingsNote.uir";

namespace notepnl {
inline constexpr int SUMMARY = 2;
inline constexpr int CLOSE = 3;
}  // namespace notepnl

// The "Export Registers" popup EXPORTPNL: the format, then the file.
inline constexpr int EXPORTPNL = 1;
inline constexpr const char* EXPORT_PANEL_FILE = "ExportRegisters.uir";

namespace exportpnl {
inline constexpr int INTRO = 2;
inline constexpr int FORMAT = 3;
inline constexpr int DESCRIPTION = 4;
inline constexpr int EXPORT = 5;
inline constexpr int CANCEL = 6;
inline constexpr int BUSLABEL = 7;    // dts: the I2C bus the chip's node goes under
inline constexpr int BUSNUMBER = 8;   // uboot: the bus i2c dev selects
inline constexpr int PROVENANCE = 9;  // csv: with the provenance columns or without
}  // namespace exportpnl
// The "Clock Tree" window CLOCKPNL: the diagram of a frequency map and its
// spread-spectrum profile.
inline constexpr int CLOCKPNL = 1;
inline constexpr const char* CLOCK_TREE_PANEL_FILE = "ClockTree.uir";

namespace clockpnl {
inline constexpr int MAP = 2;
inline constexpr int DIAGRAM = 3;
inline constexpr int PROFILE = 4;
inline constexpr int EXPORTSVG = 5;
inline constexpr int EXPORTPNG = 6;
inline constexpr int CLOSE = 7;
}  // namespace clockpnl

// Shortcut key codes: the Ctrl (0x00040000) and Shift (0x00010000) bits and a
// lower-case character.
inline constexpr int SHORTCUT_CTRL_Q = 0x00040071;
inline constexpr int SHORTCUT_CTRL_O = 0x0004006F;
inline constexpr int SHORTCUT_CTRL_S = 0x00040073;
inline constexpr int SHORTCUT_CTRL_SHIFT_S = 0x00050073;
inline constexpr int SHORTCUT_CTRL_Z = 0x0004007A;
inline constexpr int SHORTCUT_CTRL_SHIFT_Z = 0x0005007A;
inline constexpr int SHORTCUT_CTRL_Y = 0x00040079;
inline constexpr int SHORTCUT_CTRL_PLUS = 0x0004002B;
inline constexpr int SHORTCUT_CTRL_EQUAL = 0x0004003D;
inline constexpr int SHORTCUT_CTRL_MINUS = 0x0004002D;
inline constexpr int SHORTCUT_CTRL_0 = 0x00040030;
// A function key: this bit and the key's number.
inline constexpr int SHORTCUT_FUNCTION_KEY = 0x00100000;
inline constexpr int SHORTCUT_F1 = SHORTCUT_FUNCTION_KEY | 1;

}  // namespace qv
