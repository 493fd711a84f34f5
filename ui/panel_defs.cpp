#include "ui/panel_defs.h"

#include <array>

#include "chip/fields.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using K = ControlKind;
using S = LoadState;
using F = FieldKind;

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

// A number entry over the values the chip is meant to run with in its field.
constexpr ControlDef Numeric(int id, std::string_view constant, std::string_view label,
                             std::string_view callback, int initial, FieldKind field) {
  ControlDef def = Control(id, constant, K::Numeric, label, callback, S::Dimmed);
  def.initialValue = initial;
  def.minValue = ControlRange(field).min;
  def.maxValue = ControlRange(field).max;
  // A VCO divider read from a file or the chip can be 0, 1 or 7; shown as 2 or 6
  // it would not be the divider the frequency beside it is computed from.
  def.showsProgramValueBeyondRange = field == FieldKind::VcoDivider;
  return def;
}

constexpr ControlDef Ring(int id, std::string_view constant, std::string_view label,
                          std::string_view callback, std::span<const RingItem> items, int initial,
                          S state = S::Dimmed) {
  ControlDef def = Control(id, constant, K::Ring, label, callback, state);
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

constexpr ControlDef Table(int id, std::string_view constant, std::string_view callback = "") {
  return Control(id, constant, K::Table, "", callback, S::Enabled);
}

constexpr ControlDef Drawing(int id, std::string_view constant, std::string_view callback = "") {
  return Control(id, constant, K::Drawing, "", callback, S::Enabled);
}

constexpr MenuItemDef Menu(int id, std::string_view constant, MenuKind kind, int parent,
                           std::string_view text = "", std::string_view callback = "",
                           bool dimmedAtLoad = false, int shortcut = 0) {
  MenuItemDef def;
  def.id = id;
  def.constant = constant;
  def.kind = kind;
  def.parent = parent;
  def.text = text;
  def.callback = callback;
  def.dimmedAtLoad = dimmedAtLoad;
  def.shortcut = shortcut;
  return def;
}

// An entry of File > Recent Files: its text is the file's, shown once there is one.
constexpr MenuItemDef Recent(int id, std::string_view constant) {
  return Menu(id, constant, MenuKind::Item, menubar::RECENT, "", "OnFileRecentMenuClicked")
      .hidden();
}

constexpr PanelDef Panel(std::string_view fileName, int resourceId, std::string_view constant,
                         std::string_view title, int width, int height, std::string_view callback,
                         std::span<const ControlDef> controls,
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
// The format codes in code order, named as the chip's table names them.
constexpr auto kFormatItems = [] {
  std::array<RingItem, kFormatCodes.size()> items{};
  for (int code = 0; code < static_cast<int>(kFormatCodes.size()); ++code) {
    items[code] = {code, kFormatCodes[code].name};
  }
  return items;
}();

// Where everything sits on the main panel (1012 x 711), in bands from the top:
// input pins, reference and spread spectrum; the two frequency maps side by
// side; outputs and limits; the chip buttons. Frames hold their group with an
// inset, captions head each frame.
namespace grid {

constexpr int kRow = 22;   // height of a box, ring or switch
constexpr int kInset = 8;  // from a frame's edge to what it holds
constexpr int kPitch = 28;

constexpr Rect Box(int left, int top, int width) { return {left, top, width, kRow}; }
// A caption bar across the top of a frame.
constexpr Rect CaptionOf(Rect frame) {
  return {frame.left + kInset, frame.top + kInset, frame.width - 2 * kInset, kRow};
}
// The n-th row under a frame's caption.
constexpr int RowIn(Rect frame, int n) { return frame.top + 2 * kInset + kRow + 8 + n * kPitch; }

constexpr Rect kInputPins{8, 8, 150, 160};
constexpr Rect kRefselLow{166, 8, 262, 160};
constexpr Rect kRefselHigh{436, 8, 200, 160};
constexpr Rect kSscgHigh{644, 8, 360, 160};

// The frequency maps: map 0 left, map 1 right, one layout for both.
constexpr int kMapTop = 176;
constexpr int kMapWidth = 492;
constexpr std::array<int, 2> kMapLeft{8, 512};
constexpr Rect MapFrame(int map) { return {kMapLeft[map], kMapTop, kMapWidth, 300}; }
constexpr Rect MapCaption(int map) { return CaptionOf(MapFrame(map)); }

enum class MapRow { Pll1, ColumnCaptions, Out0, Out1, Pll2, Fraction, Out2, Out3 };
constexpr int MapRowTop(MapRow row) {
  constexpr std::array<int, 8> kTops{214, 248, 266, 298, 338, 370, 410, 442};
  return kTops[static_cast<int>(row)];
}
// Columns: offsets from the map's left edge and widths.
struct Column {
  int offset;
  int width;
};
constexpr Column kRowCaption{8, 44};
constexpr Column kVcoDivider{72, 60};
constexpr Column kOutputDivider{176, 60};
constexpr Column kFrequency{268, 96};
constexpr Column kFeedbackDivider{134, 60};  // PLL rows and the fractional word
constexpr Column kVcoFrequency{360, 100};    // PLL rows
constexpr Column kModulus{360, 60};
constexpr Column kWarning{370, 118};
constexpr int kColumnCaptionHeight = 16;

constexpr Rect MapCell(int map, MapRow row, Column column) {
  return Box(kMapLeft[map] + column.offset, MapRowTop(row), column.width);
}
// The column captions span their column with some room on each side.
constexpr Rect ColumnCaption(int map, Column column) {
  return {kMapLeft[map] + column.offset - 16, MapRowTop(MapRow::ColumnCaptions), column.width + 32,
          kColumnCaptionHeight};
}
constexpr Rect OutRowCaption(int map, MapRow row) { return MapCell(map, row, kRowCaption); }
constexpr Rect WarningNote(int map) {
  return {kMapLeft[map] + kWarning.offset, MapRowTop(MapRow::Out0), kWarning.width, 46};
}

constexpr int kLowerTop = 484;
constexpr Rect kOutputs{8, kLowerTop, 552, 146};
// Power switches in one row, labels above; the last one's label is longest.
constexpr int kSwitchTop = kLowerTop + 28;
constexpr Rect PowerSwitch(int column) {
  return column < 7 ? Box(16 + column * 64, kSwitchTop, 60) : Box(468, kSwitchTop, 84);
}
// The two output pairs: caption, format ring, sync toggle.
constexpr int FormatRowTop(int pair) { return kLowerTop + 66 + pair * 36; }

constexpr int kLimitsLeft = 704;
constexpr int LimitRowTop(int row) { return kLowerTop + 4 + row * 28; }

constexpr int kButtonsTop = 648;

}  // namespace grid

constexpr std::string_view kInjectionLockWarning = "Warning:\nNoise may increase\nwhen Na = Nb";

constexpr std::array kMainControls{
    Button(CheckConnectionButton, "CheckConnectionButton", "__Check Connection", "CheckConnection",
           S::Dimmed)
        .at(16, grid::kButtonsTop, 150, 28),
    Ring(CrystalFreq, "CrystalFreq", "XO Frequency", "SetCrystalFreq", kCrystalItems, 1)
        .at(grid::Box(536, grid::RowIn(grid::kRefselHigh, 0), 92)),
    Numeric(PLL1N_M, "PLL1N_M", "PLL1 Feedback Div.", "SetPll1N_M", 100, F::FeedbackDivider)
        .at(grid::MapCell(1, grid::MapRow::Pll1, grid::kFeedbackDivider)),
    StringBox(VCO1FREQM, "VCO1FREQM", "VCO1 Frequency (GHz)", "", "", S::Dimmed)
        .at(grid::MapCell(1, grid::MapRow::Pll1, grid::kVcoFrequency))
        .aligned(TextAlign::Right),
    Numeric(OUT0V_M, "OUT0V_M", "", "SetOut0V_M", 4, F::VcoDivider)
        .at(grid::MapCell(1, grid::MapRow::Out0, grid::kVcoDivider)),
    Numeric(OUT0D_M, "OUT0D_M", "", "SetOut0D_M", 4, F::OutputDivider)
        .at(grid::MapCell(1, grid::MapRow::Out0, grid::kOutputDivider)),
    StringBox(OUT0FREQM, "OUT0FREQM", "OUT0", "", "", S::Dimmed)
        .at(grid::MapCell(1, grid::MapRow::Out0, grid::kFrequency))
        .labelAt(grid::OutRowCaption(1, grid::MapRow::Out0))
        .aligned(TextAlign::Right),
    Numeric(OUT1V_M, "OUT1V_M", "", "SetOut1V_M", 4, F::VcoDivider)
        .at(grid::MapCell(1, grid::MapRow::Out1, grid::kVcoDivider)),
    Numeric(OUT1D_M, "OUT1D_M", "", "SetOut1D_M", 5, F::OutputDivider)
        .at(grid::MapCell(1, grid::MapRow::Out1, grid::kOutputDivider)),
    StringBox(OUT1FREQM, "OUT1FREQM", "OUT1", "", "", S::Dimmed)
        .at(grid::MapCell(1, grid::MapRow::Out1, grid::kFrequency))
        .labelAt(grid::OutRowCaption(1, grid::MapRow::Out1))
        .aligned(TextAlign::Right),
    Numeric(PLL1_N, "PLL1_N", "PLL1 Feedback Div.", "SetPll1N", 100, F::FeedbackDivider)
        .at(grid::MapCell(0, grid::MapRow::Pll1, grid::kFeedbackDivider)),
    StringBox(VCO1FREQ, "VCO1FREQ", "VCO1 Frequency (GHz)", "", "", S::Dimmed)
        .at(grid::MapCell(0, grid::MapRow::Pll1, grid::kVcoFrequency))
        .aligned(TextAlign::Right),
    Numeric(OUT0V, "OUT0V", "", "SetOut0V", 4, F::VcoDivider)
        .at(grid::MapCell(0, grid::MapRow::Out0, grid::kVcoDivider)),
    Numeric(OUT0D, "OUT0D", "", "SetOut0D", 4, F::OutputDivider)
        .at(grid::MapCell(0, grid::MapRow::Out0, grid::kOutputDivider)),
    StringBox(Out0Freq, "Out0Freq", "OUT0", "", "", S::Dimmed)
        .at(grid::MapCell(0, grid::MapRow::Out0, grid::kFrequency))
        .labelAt(grid::OutRowCaption(0, grid::MapRow::Out0))
        .aligned(TextAlign::Right),
    Numeric(OUT1V, "OUT1V", "", "SetOut1V", 4, F::VcoDivider)
        .at(grid::MapCell(0, grid::MapRow::Out1, grid::kVcoDivider)),
    Numeric(PLL2N_M, "PLL2N_M", "PLL2 Feedback Div.", "SetPll2N_M", 102, F::FeedbackDivider)
        .at(grid::MapCell(1, grid::MapRow::Pll2, grid::kFeedbackDivider)),
    StringBox(VCO2FREQM, "VCO2FREQM", "VCO2 Frequency (GHz)", "", "", S::Dimmed)
        .at(grid::MapCell(1, grid::MapRow::Pll2, grid::kVcoFrequency))
        .aligned(TextAlign::Right),
    Numeric(OUT2V_M, "OUT2V_M", "", "SetOut2V_M", 2, F::VcoDivider)
        .at(grid::MapCell(1, grid::MapRow::Out2, grid::kVcoDivider)),
    Numeric(OUT3V_M, "OUT3V_M", "", "SetOut3V_M", 4, F::VcoDivider)
        .at(grid::MapCell(1, grid::MapRow::Out3, grid::kVcoDivider)),
    Numeric(OUT2D_M, "OUT2D_M", "", "SetOut2D_M", 6, F::OutputDivider)
        .at(grid::MapCell(1, grid::MapRow::Out2, grid::kOutputDivider)),
    Numeric(OUT3D_M, "OUT3D_M", "", "SetOut3D_M", 6, F::OutputDivider)
        .at(grid::MapCell(1, grid::MapRow::Out3, grid::kOutputDivider)),
    StringBox(OUT2FREQM, "OUT2FREQM", "OUT2", "", "", S::Dimmed)
        .at(grid::MapCell(1, grid::MapRow::Out2, grid::kFrequency))
        .labelAt(grid::OutRowCaption(1, grid::MapRow::Out2))
        .aligned(TextAlign::Right),
    StringBox(OUT3FREQM, "OUT3FREQM", "OUT3", "", "", S::Dimmed)
        .at(grid::MapCell(1, grid::MapRow::Out3, grid::kFrequency))
        .labelAt(grid::OutRowCaption(1, grid::MapRow::Out3))
        .aligned(TextAlign::Right),
    Numeric(OUT1D, "OUT1D", "", "SetOut1D", 5, F::OutputDivider)
        .at(grid::MapCell(0, grid::MapRow::Out1, grid::kOutputDivider)),
    StringBox(Out1Freq, "Out1Freq", "OUT1", "", "", S::Dimmed)
        .at(grid::MapCell(0, grid::MapRow::Out1, grid::kFrequency))
        .labelAt(grid::OutRowCaption(0, grid::MapRow::Out1))
        .aligned(TextAlign::Right),
    StringBox(STRINGREFSELLOW, "STRINGREFSELLOW", "", "", "If REFSEL pin  is set LOW", S::Enabled)
        .at(grid::CaptionOf(grid::kRefselLow))
        .aligned(TextAlign::Center),
    StringBox(INPINS, "INPINS", "", "", "Input Pins", S::Enabled)
        .at(grid::CaptionOf(grid::kInputPins))
        .aligned(TextAlign::Center),
    StringBox(STRINGREFSELHIGH, "STRINGREFSELHIGH", "", "", "If REFSEL pin  is set HIGH",
              S::Enabled)
        .at(grid::CaptionOf(grid::kRefselHigh))
        .aligned(TextAlign::Center),
    StringBox(STRINGSSCGHIGH, "STRINGSSCGHIGH", "", "", "If SSCG pin  is set HIGH", S::Enabled)
        .at(grid::CaptionOf(grid::kSscgHigh))
        .aligned(TextAlign::Center),
    StringBox(STRINGMARGINHIGH, "STRINGMARGINHIGH", "", "", "If MARGIN pin  is set HIGH",
              S::Enabled)
        .at(grid::MapCaption(1))
        .aligned(TextAlign::Center),
    StringBox(STRINGMARGINLOW, "STRINGMARGINLOW", "", "", "If MARGIN pin  is set LOW", S::Enabled)
        .at(grid::MapCaption(0))
        .aligned(TextAlign::Center),
    Numeric(PLL2FRACM, "PLL2FRACM", "Fractional Word", "SetPll2Frac_M", 0, F::FractionalWord)
        .at(grid::MapCell(1, grid::MapRow::Fraction, grid::kFeedbackDivider)),
    Numeric(PLL2MODM, "PLL2MODM", "Modulus", "SetPll2Mod_M", 0, F::Modulus)
        .at(grid::MapCell(1, grid::MapRow::Fraction, grid::kModulus)),
    Numeric(PLL2_N, "PLL2_N", "PLL2 Feedback Div.", "SetPll2N", 96, F::FeedbackDivider)
        .at(grid::MapCell(0, grid::MapRow::Pll2, grid::kFeedbackDivider)),
    StringBox(VCO2FREQ, "VCO2FREQ", "VCO2 Frequency (GHz)", "", "", S::Dimmed)
        .at(grid::MapCell(0, grid::MapRow::Pll2, grid::kVcoFrequency))
        .aligned(TextAlign::Right),
    Numeric(OUT2V, "OUT2V", "", "SetOut2V", 4, F::VcoDivider)
        .at(grid::MapCell(0, grid::MapRow::Out2, grid::kVcoDivider)),
    Numeric(OUT3V, "OUT3V", "", "SetOut3V", 4, F::VcoDivider)
        .at(grid::MapCell(0, grid::MapRow::Out3, grid::kVcoDivider)),
    Numeric(OUT2D, "OUT2D", "", "SetOut2D", 6, F::OutputDivider)
        .at(grid::MapCell(0, grid::MapRow::Out2, grid::kOutputDivider)),
    Numeric(OUT3D, "OUT3D", "", "SetOut3D", 18, F::OutputDivider)
        .at(grid::MapCell(0, grid::MapRow::Out3, grid::kOutputDivider)),
    StringBox(Out2Freq, "Out2Freq", "OUT2", "", "", S::Dimmed)
        .at(grid::MapCell(0, grid::MapRow::Out2, grid::kFrequency))
        .labelAt(grid::OutRowCaption(0, grid::MapRow::Out2))
        .aligned(TextAlign::Right),
    StringBox(Out3Freq, "Out3Freq", "OUT3", "", "", S::Dimmed)
        .at(grid::MapCell(0, grid::MapRow::Out3, grid::kFrequency))
        .labelAt(grid::OutRowCaption(0, grid::MapRow::Out3))
        .aligned(TextAlign::Right),
    Ring(MARGIN, "MARGIN", "MARGIN", "OnAnyPinChanged", kPinItems, 0)
        .at(grid::Box(82, grid::RowIn(grid::kInputPins, 1), 68)),
    Ring(MAXBW, "MAXBW", "MAX_BW", "OnAnyPinChanged", kPinItems, 0)
        .at(grid::Box(82, grid::RowIn(grid::kInputPins, 3), 68)),
    Ring(REFSEL, "REFSEL", "REFSEL", "OnAnyPinChanged", kPinItems, 1)
        .at(grid::Box(82, grid::RowIn(grid::kInputPins, 0), 68)),
    Ring(SSCG, "SSCG", "SSCG", "OnAnyPinChanged", kPinItems, 0)
        .at(grid::Box(82, grid::RowIn(grid::kInputPins, 2), 68)),
    Ring(Pll1OutputFormat, "Pll1OutputFormat", "PLL1 Output Format", "SetPll1OutputFormat",
         kFormatItems, 0)
        .at(grid::Box(228, grid::FormatRowTop(0), 190)),
    Ring(Pll2OutputFormat, "Pll2OutputFormat", "PLL2 Output Format", "SetPll2OutputFormat",
         kFormatItems, 0)
        .at(grid::Box(228, grid::FormatRowTop(1), 190)),
    Button(InitiateAcquisition, "InitiateAcquisition", "__Acquire", "InitAcq", S::Dimmed)
        .at(796, grid::kButtonsTop, 100, 28),
    Button(ResetRegisters, "ResetRegisters", "__Reset DUT", "ResetRegs", S::Dimmed)
        .at(904, grid::kButtonsTop, 100, 28),
    Numeric(PLL2_FRAC, "PLL2_FRAC", "Fractional Word", "SetPll2Frac", 0, F::FractionalWord)
        .at(grid::MapCell(0, grid::MapRow::Fraction, grid::kFeedbackDivider)),
    Numeric(PLL2_MOD, "PLL2_MOD", "Modulus", "SetPll2Mod", 0, F::Modulus)
        .at(grid::MapCell(0, grid::MapRow::Fraction, grid::kModulus)),
    Switch(CH0POWER, "CH0POWER", "CH0", "CH0_power", 1)
        .at(grid::PowerSwitch(2))
        .labelOn(LabelSide::Above),
    Switch(CH1POWER, "CH1POWER", "CH1", "CH1_Power", 1)
        .at(grid::PowerSwitch(3))
        .labelOn(LabelSide::Above),
    Switch(CH2POWER, "CH2POWER", "CH2", "CH2_Power", 1)
        .at(grid::PowerSwitch(4))
        .labelOn(LabelSide::Above),
    Switch(CH3POWER, "CH3POWER", "CH3", "CH3_Power", 1)
        .at(grid::PowerSwitch(5))
        .labelOn(LabelSide::Above),
    Switch(PLL1POWER, "PLL1POWER", "PLL1", "PLL1_Power", 1)
        .at(grid::PowerSwitch(0))
        .labelOn(LabelSide::Above),
    Switch(PLL2POWER, "PLL2POWER", "PLL2", "PLL2_Power", 1)
        .at(grid::PowerSwitch(1))
        .labelOn(LabelSide::Above),
    Switch(BLEEDSDM, "BLEEDSDM", "Bleed & SDM", "SetBleedSdm", 0)
        .at(grid::PowerSwitch(7))
        .labelOn(LabelSide::Above),
    Switch(REFPOWER, "REFPOWER", "REFOUT", "REF_Power", 1)
        .at(grid::PowerSwitch(6))
        .labelOn(LabelSide::Above),
    StringBox(FOUT_LV_VALID, "FOUT_LV_VALID", "LVDS/LVPECL", "", "637.25 MHz", S::Dimmed)
        .at(grid::Box(grid::kLimitsLeft, grid::LimitRowTop(3) + 18, 90))
        .aligned(TextAlign::Center),
    StringBox(FOUT_CMOS_VALID, "FOUT_CMOS_VALID", "CMOS", "", "200 MHz", S::Dimmed)
        .at(grid::Box(grid::kLimitsLeft + 148, grid::LimitRowTop(3) + 18, 90))
        .aligned(TextAlign::Center),
    StringBox(PFD_VALID, "PFD_VALID", "PFD Freq. Range", "", "19.44MHz <= Fpfd <= 27MHz", S::Dimmed)
        .at(grid::Box(grid::kLimitsLeft, grid::LimitRowTop(0), 200))
        .aligned(TextAlign::Center),
    StringBox(VCOS_VALID, "VCOS_VALID", "VCO Freq. Range", "", "2.15GHz <= Fvco <= 2.55GHz",
              S::Dimmed)
        .at(grid::Box(grid::kLimitsLeft, grid::LimitRowTop(1), 200))
        .aligned(TextAlign::Center),
    Toggle(PLL1SYNC, "PLL1SYNC", "Sync VCO1 Divider", "PLL1_Sync")
        .at(grid::Box(426, grid::FormatRowTop(0), 126)),
    Toggle(PLL2SYNC, "PLL2SYNC", "Sync VCO2 Divider", "PLL2_Sync")
        .at(grid::Box(426, grid::FormatRowTop(1), 126)),
    StringBox(NRANGE, "NRANGE", "Feedback Div. Range", "", "85 <= N <= 103", S::Dimmed)
        .at(grid::Box(grid::kLimitsLeft, grid::LimitRowTop(2), 200))
        .aligned(TextAlign::Center),
    StringBox(REFFREQ, "REFFREQ", "REFCLK Frequency (MHz)", "SetRefFreq", "25.0", S::Dimmed)
        .at(grid::Box(334, grid::RowIn(grid::kRefselLow, 0), 86))
        .aligned(TextAlign::Right),
    Frame(BOXMARGINHIGH, "BOXMARGINHIGH").at(grid::MapFrame(1)),
    Numeric(FRACSTEP, "FRACSTEP", "FracStep", "SetAnySscgRegister", 0, F::StepSize)
        .at(grid::Box(724, grid::RowIn(grid::kSscgHigh, 0), 64)),
    Numeric(NUMSTEP, "NUMSTEP", "NumSteps", "SetAnySscgRegister", 0, F::StepCount)
        .at(grid::Box(724, grid::RowIn(grid::kSscgHigh, 1), 64)),
    Numeric(CKDIV, "CKDIV", "CkDiv", "SetAnySscgRegister", 0, F::ClockDivider)
        .at(grid::Box(724, grid::RowIn(grid::kSscgHigh, 2), 64)),
    StringBox(OUT10, "OUT10", "", "", "OUT1/OUT0", S::Dimmed)
        .at(grid::Box(16, grid::FormatRowTop(0), 80))
        .aligned(TextAlign::Center),
    StringBox(OUT32, "OUT32", "", "", "OUT3/OUT2", S::Dimmed)
        .at(grid::Box(16, grid::FormatRowTop(1), 80))
        .aligned(TextAlign::Center),
    Frame(BOXREFSELLOW, "BOXREFSELLOW").at(grid::kRefselLow),
    Frame(BOXREFSELHIGH, "BOXREFSELHIGH").at(grid::kRefselHigh),
    Frame(BOXMARGINLOW, "BOXMARGINLOW").at(grid::MapFrame(0)),
    Frame(DECORATION_6, "DECORATION_6").at(grid::kInputPins),
    Text(STRING_4, "STRING_4", "VCO Divider")
        .at(grid::ColumnCaption(1, grid::kVcoDivider))
        .aligned(TextAlign::Center),
    Text(STRING_5, "STRING_5", "Frequency (MHz)")
        .at(grid::ColumnCaption(1, grid::kFrequency))
        .aligned(TextAlign::Center),
    Text(STRING_6, "STRING_6", "Output Divider")
        .at(grid::ColumnCaption(1, grid::kOutputDivider))
        .aligned(TextAlign::Center),
    Text(STRING_2, "STRING_2", "VCO Divider")
        .at(grid::ColumnCaption(0, grid::kVcoDivider))
        .aligned(TextAlign::Center),
    Text(STRING_3, "STRING_3", "Frequency (MHz)")
        .at(grid::ColumnCaption(0, grid::kFrequency))
        .aligned(TextAlign::Center),
    Text(STRING_1, "STRING_1", "Output Divider")
        .at(grid::ColumnCaption(0, grid::kOutputDivider))
        .aligned(TextAlign::Center),
    Text(TEXTMSG, "TEXTMSG", "Max Output Frequency").at(616, grid::LimitRowTop(3), 200, 16),
    Text(TextConnCheck, "TextConnCheck", "").at(176, grid::kButtonsTop, 240, 30),
    Ring(REFDIV, "REFDIV", "REFCLK divider", "SetRefDiv", kRefDivItems, 0)
        .at(grid::Box(334, grid::RowIn(grid::kRefselLow, 1), 56)),
    Text(LBL_SSCG_DISABLED, "LBL_SSCG_DISABLED",
         "Spread-spectrum disabled.\n\nTo enable, set:\n - SDM and PLL2 powered\n"
         " - MOD > 0\n - SSCG pin high\n")
        .at(806, grid::RowIn(grid::kSscgHigh, 0) - 2, 190, 108),
    Text(LBL_INJLOCK_M, "LBL_INJLOCK_M", kInjectionLockWarning, S::Hidden).at(grid::WarningNote(1)),
    Frame(DECORATION, "DECORATION").at(grid::kOutputs),
    Text(LBL_INJLOCK, "LBL_INJLOCK", kInjectionLockWarning, S::Hidden).at(grid::WarningNote(0)),
    Frame(BOXSSCGHIGH, "BOXSSCGHIGH").at(grid::kSscgHigh),
    StringBox(TXT_SSCG_DOWNSPREAD, "TXT_SSCG_DOWNSPREAD", "Downspread", "", "-0.50%", S::Hidden)
        .at(grid::Box(884, grid::RowIn(grid::kSscgHigh, 1), 112))
        .aligned(TextAlign::Right),
    StringBox(TXT_SSCG_FMOD, "TXT_SSCG_FMOD", "Fmod", "", "32.5 kHz", S::Hidden)
        .at(grid::Box(884, grid::RowIn(grid::kSscgHigh, 2), 112))
        .aligned(TextAlign::Right),
    StringBox(TXT_FRACRANGE, "TXT_FRACRANGE", "FracRange", "", "-100", S::Hidden)
        .at(grid::Box(884, grid::RowIn(grid::kSscgHigh, 0), 112))
        .aligned(TextAlign::Right),
};
static_assert(kMainControls.size() == 95);

// In display order: File, Edit, View, Tools, Help.
constexpr std::array kMainMenu{
    Menu(menubar::MENU, "MENU", MenuKind::Bar, 0),
    Menu(menubar::FILE, "FILE", MenuKind::Menu, menubar::MENU, "__File"),
    Menu(menubar::RESETDEFAULT, "RESETDEFAULT", MenuKind::Item, menubar::FILE,
         "Reset To __Defaults", "OnFileResetToDefaultsMenuClicked", true),
    Menu(menubar::SEPARATOR_2, "SEPARATOR_2", MenuKind::Separator, menubar::FILE),
    Menu(menubar::IMPORT, "IMPORT", MenuKind::Item, menubar::FILE, "__Open Setup...",
         "OnFileImportMenuClicked", true, SHORTCUT_CTRL_O),
    Menu(menubar::RECENT, "RECENT", MenuKind::Menu, menubar::FILE, "Recent __Files", "", true),
    Recent(menubar::RECENT1, "RECENT1"),
    Recent(menubar::RECENT2, "RECENT2"),
    Recent(menubar::RECENT3, "RECENT3"),
    Recent(menubar::RECENT4, "RECENT4"),
    Recent(menubar::RECENT5, "RECENT5"),
    Recent(menubar::RECENT6, "RECENT6"),
    Recent(menubar::RECENT7, "RECENT7"),
    Recent(menubar::RECENT8, "RECENT8"),
    Menu(menubar::SEPARATOR_5, "SEPARATOR_5", MenuKind::Separator, menubar::RECENT),
    Menu(menubar::CLEARRECENT, "CLEARRECENT", MenuKind::Item, menubar::RECENT,
         "__Clear Recent Files", "OnFileClearRecentMenuClicked"),
    // "Save Setup As..." has S; Alt+F T is Save.
    Menu(menubar::SAVE, "SAVE", MenuKind::Item, menubar::FILE, "Save Se__tup",
         "OnFileSaveMenuClicked", true, SHORTCUT_CTRL_S),
    Menu(menubar::EXPORT, "EXPORT", MenuKind::Item, menubar::FILE, "__Save Setup As...",
         "OnFileExportMenuClicked", true, SHORTCUT_CTRL_SHIFT_S),
    Menu(menubar::RESETCFG, "RESETCFG", MenuKind::Item, menubar::FILE, "Reset To __Last Setup File",
         "OnFileResetToCfgMenuClicked", true),
    Menu(menubar::COMPARE, "COMPARE", MenuKind::Item, menubar::FILE, "Co__mpare With Setup File...",
         "OnFileCompareMenuClicked", true),
    Menu(menubar::SEPARATOR, "SEPARATOR", MenuKind::Separator, menubar::FILE),
    Menu(menubar::EXPORTJSON, "EXPORTJSON", MenuKind::Item, menubar::FILE, "Export __JSON...",
         "OnFileExportJsonMenuClicked"),
    Menu(menubar::EXPORTREGS, "EXPORTREGS", MenuKind::Item, menubar::FILE, "Export Re__gisters...",
         "OnFileExportRegistersMenuClicked", true),
    Menu(menubar::IMPORTREGS, "IMPORTREGS", MenuKind::Item, menubar::FILE, "__Import Registers...",
         "OnFileImportRegistersMenuClicked", true),
    // "Read From Chip" has R.
    Menu(menubar::EXPORTREPORT, "EXPORTREPORT", MenuKind::Item, menubar::FILE, "Export Re__port...",
         "OnFileExportReportMenuClicked"),
    Menu(menubar::SEPARATOR_4, "SEPARATOR_4", MenuKind::Separator, menubar::FILE),
    Menu(menubar::READCHIP, "READCHIP", MenuKind::Item, menubar::FILE, "__Read From Chip",
         "OnFileReadChipMenuClicked", true),
    Menu(menubar::VERIFYCHIP, "VERIFYCHIP", MenuKind::Item, menubar::FILE, "__Verify Chip",
         "OnFileVerifyChipMenuClicked", true),
    Menu(menubar::SEPARATOR_3, "SEPARATOR_3", MenuKind::Separator, menubar::FILE),
    Menu(menubar::EXIT, "EXIT", MenuKind::Item, menubar::FILE, "E__xit", "OnFileExitMenuClicked",
         false, SHORTCUT_CTRL_Q),
    Menu(menubar::EDIT, "EDIT", MenuKind::Menu, menubar::MENU, "__Edit"),
    Menu(menubar::UNDO, "UNDO", MenuKind::Item, menubar::EDIT, "__Undo", "OnEditUndoMenuClicked",
         true, SHORTCUT_CTRL_Z),
    Menu(menubar::REDO, "REDO", MenuKind::Item, menubar::EDIT, "__Redo", "OnEditRedoMenuClicked",
         true, SHORTCUT_CTRL_SHIFT_Z)
        .alsoOn(SHORTCUT_CTRL_Y),
    Menu(menubar::SEPARATOR_6, "SEPARATOR_6", MenuKind::Separator, menubar::EDIT),
    Menu(menubar::COPYMAP01, "COPYMAP01", MenuKind::Item, menubar::EDIT, "Copy Map 0 to Map __1",
         "OnEditCopyMapMenuClicked", true),
    Menu(menubar::COPYMAP10, "COPYMAP10", MenuKind::Item, menubar::EDIT, "Copy Map 1 to Map __0",
         "OnEditCopyMapMenuClicked", true),
    Menu(menubar::VIEW, "VIEW", MenuKind::Menu, menubar::MENU, "__View"),
    Menu(menubar::REGISTERMAP, "REGISTERMAP", MenuKind::Item, menubar::VIEW, "Register __Map",
         "OnViewRegisterMapMenuClicked", true),
    Menu(menubar::CLOCKTREE, "CLOCKTREE", MenuKind::Item, menubar::VIEW, "__Clock Tree",
         "OnClockTreeMenuClicked"),
    Menu(menubar::SEPARATOR_7, "SEPARATOR_7", MenuKind::Separator, menubar::VIEW),
    Menu(menubar::ZOOMIN, "ZOOMIN", MenuKind::Item, menubar::VIEW, "Zoom __In",
         "OnViewZoomMenuClicked", false, SHORTCUT_CTRL_PLUS)
        .alsoOn(SHORTCUT_CTRL_EQUAL),
    Menu(menubar::ZOOMOUT, "ZOOMOUT", MenuKind::Item, menubar::VIEW, "Zoom __Out",
         "OnViewZoomMenuClicked", false, SHORTCUT_CTRL_MINUS),
    Menu(menubar::ACTUALSIZE, "ACTUALSIZE", MenuKind::Item, menubar::VIEW, "__Actual Size",
         "OnViewZoomMenuClicked", false, SHORTCUT_CTRL_0),
    Menu(menubar::SEPARATOR_9, "SEPARATOR_9", MenuKind::Separator, menubar::VIEW),
    Menu(menubar::CLASSICLOOK, "CLASSICLOOK", MenuKind::Item, menubar::VIEW, "Classic __Look",
         "OnViewClassicLookMenuClicked")
        .withCheckMark(),
    Menu(menubar::TOOLS, "TOOLS", MenuKind::Menu, menubar::MENU, "__Tools"),
    Menu(menubar::PLANFROMTARGETS, "PLANFROMTARGETS", MenuKind::Item, menubar::TOOLS,
         "__Plan From Targets...", "OnPlanFromTargetsMenuClicked", true),
    Menu(menubar::SSCPLANNER, "SSCPLANNER", MenuKind::Item, menubar::TOOLS, "__Spread Spectrum...",
         "OnSpreadSpectrumMenuClicked", true),
    Menu(menubar::HELP, "HELP", MenuKind::Menu, menubar::MENU, "__Help"),
    Menu(menubar::USERGUIDE, "USERGUIDE", MenuKind::Item, menubar::HELP, "__User Guide",
         "OnHelpUserGuideMenuClicked", false, SHORTCUT_F1),
    Menu(menubar::SEPARATOR_8, "SEPARATOR_8", MenuKind::Separator, menubar::HELP),
    Menu(menubar::ABOUT, "ABOUT", MenuKind::Item, menubar::HELP, "__About...",
         "OnHelpAboutMenuClicked"),
};

constexpr std::array kStartupControls{
    Button(startuppnl::RUNOFFLINE, "RUNOFFLINE",
           "Run In O__ffline Mode (to generate setup file only)", "OnRunOfflineButtonClicked",
           S::Enabled)
        .at(24, 100, 304, 32),
    Button(startuppnl::RUNONLINE, "RUNONLINE", "Run In O__nline Mode (to control QV3380)",
           "OnRunOnlineButtonClicked", S::Enabled)
        .at(24, 52, 304, 32),
    Text(startuppnl::TEXTMSG, "TEXTMSG", "Please select an operation mode:").at(24, 22, 304, 18),
};

constexpr std::array kAboutControls{
    Text(aboutpnl::TEXTMSG_2, "TEXTMSG_2", "Frequency planning and register setup for the QV3380.")
        .at(10, 122, 376, 18),
    Text(aboutpnl::TEXTMSG_5, "TEXTMSG_5",
         "For evaluation of the QV3380 Clock Generator with Dual PLLs, \n"
         "Spread Spectrum, and Margining")
        .at(10, 82, 376, 30),
    Text(aboutpnl::TEXTMSG_3, "TEXTMSG_3", "QV3380 Customer Graphical User Interface")
        .at(80, 26, 303, 18),
    Picture(aboutpnl::PICTURE, "PICTURE", "chip").at(300, 146, 84, 36),
    Picture(aboutpnl::PICTURE_2, "PICTURE_2", "icon").at(12, 12, 56, 56),
    // Filled in when the popup opens.
    Text(aboutpnl::VERSION, "VERSION", "").at(80, 48, 303, 18),
    Text(aboutpnl::LIBRARIES, "LIBRARIES", "").at(10, 146, 284, 18),
    Text(aboutpnl::LICENCE, "LICENCE", "").at(10, 166, 284, 18),
};
static_assert(kAboutControls.size() == aboutpnl::LICENCE - 1);

// The planners plan one map or both: BOTH_MAPS is the third item's value.
constexpr std::array kPlanMapItems{RingItem{0, "Map 0 (MARGIN low)"},
                                   RingItem{1, "Map 1 (MARGIN high)"}, RingItem{2, "Both maps"}};

// The result table: one row per output, the target box's label names the row.
namespace plan_grid {
constexpr int kFirstRow = 94;
constexpr int kPitch = 28;
constexpr int RowTop(int output) { return kFirstRow + output * kPitch; }
struct Column {
  int left;
  int width;
};
constexpr Column kTarget{64, 100};
constexpr Column kAchieved{176, 120};
constexpr Column kError{308, 100};
// Wide enough for "N 143 + 4094/4095, V 6, D 32".
constexpr Column kDividers{420, 248};
constexpr Rect Cell(Column column, int output) {
  return {column.left, RowTop(output), column.width, 22};
}
constexpr Rect Caption(Column column) { return {column.left, kFirstRow - 20, column.width, 16}; }

constexpr ControlDef Target(int output, std::string_view constant, std::string_view label) {
  return StringBox(planpnl::TARGET0 + output, constant, label, "OnPlanTargetEdited", "", S::Enabled)
      .at(Cell(kTarget, output))
      .labelAt({12, RowTop(output), 44, 22})
      .aligned(TextAlign::Right);
}
constexpr ControlDef Result(int id, std::string_view constant, Column column, int output,
                            TextAlign align = TextAlign::Right) {
  return StringBox(id, constant, "", "", "", S::Enabled).at(Cell(column, output)).aligned(align);
}
}  // namespace plan_grid

constexpr std::array kPlanControls{
    Text(planpnl::INTRO, "INTRO",
         "Wanted output frequencies in MHz; an output left empty keeps its frequency where it can.")
        .at(12, 12, 656, 18),
    Ring(planpnl::MAP, "MAP", "Frequency map", "OnPlanTargetEdited", kPlanMapItems, 0, S::Enabled)
        .at(120, 40, 200, 22)
        .labelAt({12, 40, 100, 22}),
    // Captions sit flush with their column's text.
    Text(planpnl::CAPTION_TARGET, "CAPTION_TARGET", "Target (MHz)")
        .at(plan_grid::Caption(plan_grid::kTarget))
        .aligned(TextAlign::Right),
    Text(planpnl::CAPTION_ACHIEVED, "CAPTION_ACHIEVED", "Achieved (MHz)")
        .at(plan_grid::Caption(plan_grid::kAchieved))
        .aligned(TextAlign::Right),
    Text(planpnl::CAPTION_ERROR, "CAPTION_ERROR", "Error (ppm)")
        .at(plan_grid::Caption(plan_grid::kError))
        .aligned(TextAlign::Right),
    Text(planpnl::CAPTION_DIVIDERS, "CAPTION_DIVIDERS", "Dividers")
        .at(plan_grid::Caption(plan_grid::kDividers)),
    plan_grid::Target(0, "TARGET0", "OUT0"),
    plan_grid::Target(1, "TARGET1", "OUT1"),
    plan_grid::Target(2, "TARGET2", "OUT2"),
    plan_grid::Target(3, "TARGET3", "OUT3"),
    plan_grid::Result(planpnl::ACHIEVED0, "ACHIEVED0", plan_grid::kAchieved, 0),
    plan_grid::Result(planpnl::ACHIEVED0 + 1, "ACHIEVED1", plan_grid::kAchieved, 1),
    plan_grid::Result(planpnl::ACHIEVED0 + 2, "ACHIEVED2", plan_grid::kAchieved, 2),
    plan_grid::Result(planpnl::ACHIEVED0 + 3, "ACHIEVED3", plan_grid::kAchieved, 3),
    plan_grid::Result(planpnl::ERROR0, "ERROR0", plan_grid::kError, 0),
    plan_grid::Result(planpnl::ERROR0 + 1, "ERROR1", plan_grid::kError, 1),
    plan_grid::Result(planpnl::ERROR0 + 2, "ERROR2", plan_grid::kError, 2),
    plan_grid::Result(planpnl::ERROR0 + 3, "ERROR3", plan_grid::kError, 3),
    plan_grid::Result(planpnl::DIVIDERS0, "DIVIDERS0", plan_grid::kDividers, 0, TextAlign::Left),
    plan_grid::Result(planpnl::DIVIDERS0 + 1, "DIVIDERS1", plan_grid::kDividers, 1,
                      TextAlign::Left),
    plan_grid::Result(planpnl::DIVIDERS0 + 2, "DIVIDERS2", plan_grid::kDividers, 2,
                      TextAlign::Left),
    plan_grid::Result(planpnl::DIVIDERS0 + 3, "DIVIDERS3", plan_grid::kDividers, 3,
                      TextAlign::Left),
    // Up to six lines: both maps' PLLs, what is out of reach or moved, Apply's word.
    Text(planpnl::SUMMARY, "SUMMARY", "").at(12, 208, 656, 96),
    Button(planpnl::FINDPLAN, "FINDPLAN", "__Find Plan", "OnFindPlanClicked", S::Enabled)
        .at(12, 314, 110, 28),
    Button(planpnl::APPLY, "APPLY", "__Apply", "OnApplyPlanClicked", S::Dimmed)
        .at(450, 314, 100, 28),
    Button(planpnl::CLOSE, "CLOSE", "C__lose", "OnClosePlanClicked", S::Enabled)
        .at(560, 314, 108, 28),
    StringBox(planpnl::TOLERANCE, "TOLERANCE", "Prefer integer N within (ppm)",
              "OnPlanTargetEdited", "", S::Enabled)
        .at(588, 40, 80, 22)
        .labelAt({380, 40, 200, 22})
        .aligned(TextAlign::Right),
    Button(planpnl::OK, "OK", "__OK", "OnPlanOkClicked", S::Dimmed).at(340, 314, 100, 28),
};
static_assert(kPlanControls.size() == planpnl::OK - 1);

// Two rows, downspread and modulation frequency: asked, achieved, error.
namespace ssc_grid {
constexpr int kFirstRow = 94;
constexpr int kPitch = 28;
struct Column {
  int left;
  int width;
};
constexpr Column kAsked{128, 100};
// Wide enough for both maps' depths.
constexpr Column kAchieved{240, 170};
constexpr Column kError{422, 186};
constexpr Rect Cell(Column column, int row) {
  return {column.left, kFirstRow + row * kPitch, column.width, 22};
}
constexpr Rect Caption(Column column) { return {column.left, kFirstRow - 20, column.width, 16}; }

constexpr ControlDef Asked(int id, std::string_view constant, std::string_view label, int row) {
  return StringBox(id, constant, label, "OnSscRequestEdited", "", S::Enabled)
      .at(Cell(kAsked, row))
      .labelAt({12, kFirstRow + row * kPitch, 110, 22})
      .aligned(TextAlign::Right);
}
constexpr ControlDef Result(int id, std::string_view constant, Column column, int row) {
  return StringBox(id, constant, "", "", "", S::Enabled)
      .at(Cell(column, row))
      .aligned(TextAlign::Right);
}
}  // namespace ssc_grid

constexpr std::array kSscControls{
    Text(sscpnl::INTRO, "INTRO",
         "A downspread and a modulation frequency for a map or both; PLL2's VCO stays where it is.")
        .at(12, 12, 596, 18),
    Ring(sscpnl::MAP, "MAP", "Frequency map", "OnSscRequestEdited", kPlanMapItems, 0, S::Enabled)
        .at(128, 40, 200, 22)
        .labelAt({12, 40, 110, 22}),
    Button(sscpnl::PCIE, "PCIE", "__PCI Express", "OnPciExpressClicked", S::Enabled)
        .at(480, 38, 128, 26),
    Text(sscpnl::CAPTION_ASKED, "CAPTION_ASKED", "Asked")
        .at(ssc_grid::Caption(ssc_grid::kAsked))
        .aligned(TextAlign::Right),
    Text(sscpnl::CAPTION_ACHIEVED, "CAPTION_ACHIEVED", "Achieved")
        .at(ssc_grid::Caption(ssc_grid::kAchieved))
        .aligned(TextAlign::Right),
    Text(sscpnl::CAPTION_ERROR, "CAPTION_ERROR", "Error")
        .at(ssc_grid::Caption(ssc_grid::kError))
        .aligned(TextAlign::Right),
    ssc_grid::Asked(sscpnl::DOWNSPREAD, "DOWNSPREAD", "Downspread (%)", 0),
    ssc_grid::Asked(sscpnl::FMOD, "FMOD", "Fmod (kHz)", 1),
    ssc_grid::Result(sscpnl::DEPTH_ACHIEVED, "DEPTH_ACHIEVED", ssc_grid::kAchieved, 0),
    ssc_grid::Result(sscpnl::FMOD_ACHIEVED, "FMOD_ACHIEVED", ssc_grid::kAchieved, 1),
    ssc_grid::Result(sscpnl::DEPTH_ERROR, "DEPTH_ERROR", ssc_grid::kError, 0),
    ssc_grid::Result(sscpnl::FMOD_ERROR, "FMOD_ERROR", ssc_grid::kError, 1),
    Text(sscpnl::WINDOW, "WINDOW", "").at(12, 154, 596, 18),
    // Four lines: the steps, each map's PLL2 (both maps planned), the VCO.
    Text(sscpnl::SETTINGS, "SETTINGS", "").at(12, 178, 596, 66),
    Text(sscpnl::SUMMARY, "SUMMARY", "").at(12, 250, 596, 66),
    Button(sscpnl::FIND, "FIND", "__Find Settings", "OnFindSscClicked", S::Enabled)
        .at(12, 328, 130, 28),
    Button(sscpnl::APPLY, "APPLY", "__Apply", "OnApplySscClicked", S::Dimmed).at(390, 328, 100, 28),
    Button(sscpnl::CLOSE, "CLOSE", "C__lose", "OnCloseSscClicked", S::Enabled)
        .at(500, 328, 108, 28),
    Button(sscpnl::OK, "OK", "__OK", "OnSscOkClicked", S::Dimmed).at(280, 328, 100, 28),
};
static_assert(kSscControls.size() == sscpnl::OK - 1);

// The register map: registers on the left; the selected register's fields and
// the transfer log on the right.
// The register list takes 45 % of what the window has more or less than the
// panel, the fields and the log the rest; the log all of the height.
constexpr double kRegistersShare = 0.45;
constexpr double kRestShare = 1.0 - kRegistersShare;

constexpr std::array kRegisterMapControls{
    Text(regmappnl::REGISTERS_CAPTION, "REGISTERS_CAPTION", "Registers").at(12, 10, 460, 18),
    Table(regmappnl::REGISTERS, "REGISTERS", "OnRegisterMapRowChosen")
        .at(12, 32, 460, 672)
        .stretches(0, 0, kRegistersShare, 1),
    Text(regmappnl::BASELINE_NOTE, "BASELINE_NOTE", "").at(12, 710, 520, 34).stretches(0, 1, 0, 0),
    Text(regmappnl::FIELDS_CAPTION, "FIELDS_CAPTION", "Fields")
        .at(488, 10, 500, 18)
        .stretches(kRegistersShare, 0, kRestShare, 0),
    Table(regmappnl::FIELDS, "FIELDS", "OnRegisterFieldChosen")
        .at(488, 32, 500, 220)
        .stretches(kRegistersShare, 0, kRestShare, 0),
    Text(regmappnl::LOG_CAPTION, "LOG_CAPTION", "Transfers with the chip")
        .at(488, 266, 500, 18)
        .stretches(kRegistersShare, 0, kRestShare, 0),
    Table(regmappnl::LOG, "LOG")
        .at(488, 288, 500, 416)
        .stretches(kRegistersShare, 0, kRestShare, 1),
    Button(regmappnl::CLOSE, "CLOSE", "C__lose", "OnCloseRegisterMapClicked", S::Enabled)
        .at(880, 712, 108, 28)
        .stretches(1, 1, 0, 0),
    Button(regmappnl::CLEARLOG, "CLEARLOG", "Cl__ear Log", "OnClearRegisterLogClicked", S::Enabled)
        .at(648, 712, 108, 28)
        .stretches(1, 1, 0, 0),
    Button(regmappnl::SAVELOG, "SAVELOG", "__Save Log...", "OnSaveRegisterLogClicked", S::Enabled)
        .at(764, 712, 108, 28)
        .stretches(1, 1, 0, 0),
};
static_assert(kRegisterMapControls.size() == regmappnl::SAVELOG - 1);

constexpr std::array kListControls{
    Text(listpnl::SUMMARY, "SUMMARY", "").at(12, 12, 736, 36),
    Table(listpnl::LIST, "LIST").at(12, 54, 736, 318),
    Button(listpnl::CLOSE, "CLOSE", "C__lose", "OnCloseFindingsClicked", S::Enabled)
        .at(640, 382, 108, 28),
};
static_assert(kListControls.size() == listpnl::CLOSE - 1);

constexpr std::array kNoteControls{
    Text(notepnl::SUMMARY, "SUMMARY", "").at(12, 16, 416, 36),
    Button(notepnl::CLOSE, "CLOSE", "C__lose", "OnCloseFindingsClicked", S::Enabled)
        .at(320, 60, 108, 28),
};
static_assert(kNoteControls.size() == notepnl::CLOSE - 1);

// In the order of the exports' formats.
constexpr std::array kExportFormatItems{RingItem{0, "C header (.h)"},
                                        RingItem{1, "CSV table (.csv)"},
                                        RingItem{2, "Hex pairs (.hex)"},
                                        RingItem{3, "i2c-tools script (.sh)"},
                                        RingItem{4, "Device-tree overlay (.dtso)"},
                                        RingItem{5, "U-Boot script (.cmd)"},
                                        RingItem{6, "Linux firmware file (.bin)"}};

constexpr std::array kExportProvenanceItems{RingItem{0, "Registers only"},
                                            RingItem{1, "With provenance columns"}};

// The bus i2c dev takes: 0 to 255.
constexpr ControlDef BusNumber() {
  ControlDef def = Control(exportpnl::BUSNUMBER, "BUSNUMBER", K::Numeric, "Bus number",
                           "OnExportOptionChanged", S::Dimmed);
  def.maxValue = 255;
  return def;
}

constexpr std::array kExportControls{
    Text(exportpnl::INTRO, "INTRO",
         "The registers for firmware, in the order the tool sends them to the chip.")
        .at(12, 12, 456, 18),
    Ring(exportpnl::FORMAT, "FORMAT", "Format", "OnExportFormatChosen", kExportFormatItems, 0,
         S::Enabled)
        .at(76, 40, 220, 22)
        .labelAt({12, 40, 56, 22}),
    Text(exportpnl::DESCRIPTION, "DESCRIPTION", "").at(12, 72, 456, 50),
    Button(exportpnl::EXPORT, "EXPORT", "__Export...", "OnExportRegistersClicked", S::Enabled)
        .at(244, 196, 108, 28),
    Button(exportpnl::CANCEL, "CANCEL", "__Cancel", "OnCancelExportClicked", S::Enabled)
        .at(360, 196, 108, 28),
    StringBox(exportpnl::BUSLABEL, "BUSLABEL", "Bus label", "OnExportOptionChanged", "", S::Dimmed)
        .at(100, 130, 120, 22)
        .labelAt({12, 130, 84, 22}),
    BusNumber().at(372, 130, 72, 22).labelAt({260, 130, 108, 22}),
    Ring(exportpnl::PROVENANCE, "PROVENANCE", "CSV columns", "OnExportOptionChanged",
         kExportProvenanceItems, 0)
        .at(100, 160, 240, 22)
        .labelAt({12, 160, 84, 22}),
};
static_assert(kExportControls.size() == exportpnl::PROVENANCE - 1);

constexpr std::array kClockTreeMapItems{RingItem{0, "The map MARGIN selects"},
                                        RingItem{1, "Map 0 (MARGIN low)"},
                                        RingItem{2, "Map 1 (MARGIN high)"}};

// The diagram at its own size (1100 x 500), the profile below it; of what the
// window has more or less height, the diagram takes this share.
constexpr double kDiagramShare = 0.64;
constexpr std::array kClockTreeControls{
    Ring(clockpnl::MAP, "MAP", "Frequency map", "OnClockTreeMapChosen", kClockTreeMapItems, 0,
         S::Enabled)
        .at(120, 10, 220, 24)
        .labelAt({12, 10, 100, 24}),
    // A click on a block is a commit of the block's name.
    Drawing(clockpnl::DIAGRAM, "DIAGRAM", "OnClockTreeBlockClicked")
        .at(12, 44, 1100, 500)
        .stretches(0, 0, 1, kDiagramShare),
    Drawing(clockpnl::PROFILE, "PROFILE")
        .at(12, 552, 1100, 280)
        .stretches(0, kDiagramShare, 1, 1 - kDiagramShare),
    Button(clockpnl::EXPORTSVG, "EXPORTSVG", "Export __SVG...", "OnClockTreeExportClicked",
           S::Enabled)
        .at(756, 8, 116, 28)
        .stretches(1, 0, 0, 0),
    Button(clockpnl::EXPORTPNG, "EXPORTPNG", "Export __PNG...", "OnClockTreeExportClicked",
           S::Enabled)
        .at(880, 8, 116, 28)
        .stretches(1, 0, 0, 0),
    Button(clockpnl::CLOSE, "CLOSE", "C__lose", "OnClockTreeCloseClicked", S::Enabled)
        .at(1004, 8, 108, 28)
        .stretches(1, 0, 0, 0),
};
static_assert(kClockTreeControls.size() == clockpnl::CLOSE - 1);

constexpr std::array kPanels{
    Panel(MAIN_PANEL_FILE, PANEL, "PANEL", "QV3380 Customer User Interface", 1012, 711,
          "OnPanelEvent", kMainControls, kMainMenu)
        .sized(PanelSizing::Scaled),
    Panel(STARTUP_PANEL_FILE, STARTUPPNL, "STARTUPPNL",
          "QV3380 User Interface -- Select Operation Mode", 352, 166, "OnStartupPanelEvent",
          kStartupControls),
    Panel(ABOUT_PANEL_FILE, ABOUT, "ABOUT", "About QV3380 Customer GUI", 395, 188,
          "AboutPanelCallback", kAboutControls),
    Panel(PLAN_PANEL_FILE, PLANPNL, "PLANPNL", "Plan From Targets", 680, 354, "PlanPanelCallback",
          kPlanControls)
        .withDefaultButton(planpnl::FINDPLAN),
    Panel(SSC_PANEL_FILE, SSCPNL, "SSCPNL", "Spread Spectrum", 620, 368, "SscPanelCallback",
          kSscControls)
        .withDefaultButton(sscpnl::FIND),
    Panel(REGMAP_PANEL_FILE, REGMAPPNL, "REGMAPPNL", "Register Map", 1000, 752,
          "RegisterMapPanelCallback", kRegisterMapControls)
        .sized(PanelSizing::Stretched),
    Panel(LIST_PANEL_FILE, LISTPNL, "LISTPNL", "", 760, 422, "FindingsPanelCallback",
          kListControls),
    Panel(NOTE_PANEL_FILE, NOTEPNL, "NOTEPNL", "", 440, 100, "FindingsPanelCallback",
          kNoteControls),
    Panel(EXPORT_PANEL_FILE, EXPORTPNL, "EXPORTPNL", "Export Registers", 480, 236,
          "ExportPanelCallback", kExportControls),
    Panel(CLOCK_TREE_PANEL_FILE, CLOCKPNL, "CLOCKPNL", "Clock Tree", 1124, 840,
          "ClockTreePanelCallback", kClockTreeControls)
        .sized(PanelSizing::Stretched),
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
