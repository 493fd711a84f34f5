#pragma once
// Where every field of the chip sits in its registers, what values it can hold,
// and what a person calls it. Each fact is stated here once; the handlers, the
// decoder, the exports, the tooltips, the solver, verify and diff read it.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "chip/registers.h"

namespace qv {

inline constexpr int MAP_COUNT = 2;
inline constexpr int PLL_COUNT = 2;
inline constexpr int OUTPUT_COUNT = 4;

// How a field's bits read as the number a user sees.
enum class FieldKind : int {
  FeedbackDivider,  // N: the bits hold N - 80
  VcoDivider,       // V
  OutputDivider,    // D: 0 stands for 32
  FractionalWord,
  Modulus,
  StepSize,      // spread-spectrum step of the fractional word, signed byte
  StepCount,     // spread-spectrum steps per sweep
  ClockDivider,  // spread-spectrum PFD cycles per step
  FormatCode,    // output format of a pair
  PowerDown,     // 1: the block is off
  Enable,        // 1: on
};

struct ValueRange {
  int min;
  int max;
  constexpr bool Contains(int value) const { return value >= min && value <= max; }
};

struct KindFacts {
  // What the register bits can carry, as the user's number.
  ValueRange field;
  // What the chip is meant to run with: the range the panel lets a user choose.
  ValueRange control;
};

inline constexpr int N_OFFSET = 80;

inline constexpr std::array<KindFacts, 11> kKindFacts{{
    {{80, 143}, {80, 143}},    // FeedbackDivider
    {{0, 7}, {2, 6}},          // VcoDivider
    {{1, 32}, {1, 32}},        // OutputDivider
    {{0, 4095}, {0, 4095}},    // FractionalWord
    {{0, 4095}, {0, 4095}},    // Modulus
    {{-128, 127}, {-128, 0}},  // StepSize: only downspread
    {{0, 511}, {1, 511}},      // StepCount
    {{0, 127}, {2, 127}},      // ClockDivider
    {{0, 7}, {0, 7}},          // FormatCode
    {{0, 1}, {0, 1}},          // PowerDown
    {{0, 1}, {0, 1}},          // Enable
}};

constexpr const KindFacts& FactsOf(FieldKind kind) { return kKindFacts[static_cast<int>(kind)]; }
constexpr ValueRange FieldRange(FieldKind kind) { return FactsOf(kind).field; }
constexpr ValueRange ControlRange(FieldKind kind) { return FactsOf(kind).control; }

// Some bits of one register: `width` bits from `lsb` hold the field's value
// bits from `valueShift` up.
struct BitSpan {
  int reg = -1;
  int lsb = 0;
  int width = 0;
  int valueShift = 0;

  constexpr int Mask() const { return ((1 << width) - 1) << lsb; }
};

struct ChipField {
  std::string_view subject;   // "OUT2", "PLL1", or empty
  std::string_view quantity;  // "output divider"
  FieldKind kind;
  int map = -1;  // 0 or 1 for a divider of one frequency map; -1 for shared fields
  std::array<BitSpan, 2> spans{};

  constexpr int SpanCount() const { return spans[1].width != 0 ? 2 : 1; }
  constexpr std::span<const BitSpan> Spans() const {
    return {spans.data(), static_cast<std::size_t>(SpanCount())};
  }
};

// The fields both frequency maps share.
// clang-format off
enum class SharedField : int {
  Out0PowerDown, Out1PowerDown, Bleed, SdmPowerDown, Pll1Sync, Pll2Sync,
  OvershootComp, OvershootBoost, StepSize, StepCount, ClockDivider,
  Pll1Format, Pll2Format, Out2PowerDown, Out3PowerDown, RefOutPowerDown,
  Dither, RefDivider, Pll2PowerDown, Pll1PowerDown, LookAhead,
};
// clang-format on
inline constexpr int SHARED_FIELD_COUNT = 21;

// The fields each frequency map has once: the PLLs' feedback and the outputs' dividers.
// clang-format off
enum class MapField : int { Pll1N, Pll2N, Frac, Mod, V0, D0, V1, D1, V2, D2, V3, D3 };
// clang-format on
inline constexpr int MAP_FIELD_COUNT = 12;

constexpr MapField VcoDividerField(int output) { return static_cast<MapField>(4 + 2 * output); }
constexpr MapField OutputDividerField(int output) { return static_cast<MapField>(5 + 2 * output); }

// Which register of a map holds what. Map 1 keeps OUT3 in BM4 and OUT2 in BM5,
// the reverse of map 0's order.
struct MapRegisters {
  int pll1N;
  int pll2N;
  int fracHigh;                           // fractional word bits 11:4
  int fracModShared;                      // fractional word bits 3:0 above, modulus bits 11:8 below
  int modLow;                             // modulus bits 7:0
  std::array<int, OUTPUT_COUNT> outputs;  // V in bits 7:5, D in bits 4:0
};

inline constexpr std::array<MapRegisters, MAP_COUNT> kMapRegisters{{
    {IDX_AF0, IDX_BF3, IDX_BF0, IDX_BF1, IDX_BF2, {IDX_ADV0, IDX_ADV1, IDX_BDV0, IDX_BDV1}},
    {IDX_AM0, IDX_BM0, IDX_BM1, IDX_BM2, IDX_BM3, {IDX_AM1, IDX_AM2, IDX_BM5, IDX_BM4}},
}};

// How the outputs hang off the two PLLs: OUT0 and OUT1 on PLL1, OUT2 and OUT3
// on PLL2. With its PLL's sync on, the odd output runs on its partner's VCO divider.
struct OutputFacts {
  std::string_view name;
  int pll;
  int syncPartner;  // -1: none
  SharedField powerDown;
};

inline constexpr std::array<OutputFacts, OUTPUT_COUNT> kOutputs{{
    {"OUT0", 0, -1, SharedField::Out0PowerDown},
    {"OUT1", 0, 0, SharedField::Out1PowerDown},
    {"OUT2", 1, -1, SharedField::Out2PowerDown},
    {"OUT3", 1, 2, SharedField::Out3PowerDown},
}};

struct PllFacts {
  std::string_view name;
  SharedField powerDown;
  SharedField sync;
  SharedField format;  // the output format code of its pair
  MapField feedback;
  bool fractional;  // PLL2 carries the sigma-delta modulator
};

inline constexpr std::array<PllFacts, PLL_COUNT> kPlls{{
    {"PLL1", SharedField::Pll1PowerDown, SharedField::Pll1Sync, SharedField::Pll1Format,
     MapField::Pll1N, false},
    {"PLL2", SharedField::Pll2PowerDown, SharedField::Pll2Sync, SharedField::Pll2Format,
     MapField::Pll2N, true},
}};

// The PLL that carries the sigma-delta modulator.
constexpr int FractionalPll() {
  for (int pll = 0; pll < PLL_COUNT; ++pll) {
    if (kPlls[pll].fractional) return pll;
  }
  return -1;
}

// A PLL's pair of outputs: the even one (OUT0, OUT2) first.
constexpr std::array<int, 2> OutputsOf(int pll) {
  std::array<int, 2> pair{-1, -1};
  int found = 0;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    if (kOutputs[k].pll == pll && found < 2) pair[found++] = k;
  }
  return pair;
}

// The output whose VCO divider drives output k when its PLL's sync is on.
constexpr int VcoDividerSource(int output, bool syncOn) {
  return syncOn && kOutputs[output].syncPartner >= 0 ? kOutputs[output].syncPartner : output;
}

// The logic family of one output, from its pair's format code.
enum LogicFamily : int {
  FAMILY_LVPECL = 0,
  FAMILY_LVDS = 1,
  FAMILY_CMOS = 2,
  FAMILY_CMOS_IN_PHASE = 3,
};

inline constexpr std::array<std::string_view, 4> kFamilyNames{"LVPECL", "LVDS", "CMOS",
                                                              "CMOS in phase"};

constexpr bool IsCmosFamily(int family) {
  return family == FAMILY_CMOS || family == FAMILY_CMOS_IN_PHASE;
}

// Each name gives the odd output's format first: "2xCMOS/LVPECL" is OUT1 CMOS, OUT0 LVPECL.
struct FormatCodeFacts {
  std::string_view name;
  LogicFamily even;
  LogicFamily odd;
};

inline constexpr std::array<FormatCodeFacts, 8> kFormatCodes{{
    {"LVPECL/LVPECL", FAMILY_LVPECL, FAMILY_LVPECL},
    {"LVDS/LVDS", FAMILY_LVDS, FAMILY_LVDS},
    {"2xCMOS/LVPECL", FAMILY_LVPECL, FAMILY_CMOS},
    {"2xCMOS/2xCMOS", FAMILY_CMOS, FAMILY_CMOS},
    {"2xCMOS/LVDS", FAMILY_LVDS, FAMILY_CMOS},
    {"LVPECL/LVDS", FAMILY_LVDS, FAMILY_LVPECL},
    {"LVPECL/2xCMOS", FAMILY_CMOS, FAMILY_LVPECL},
    {"2xCMOS/2xCMOS In Phase", FAMILY_CMOS_IN_PHASE, FAMILY_CMOS_IN_PHASE},
}};

// The family a pair's code gives its even or odd output.
constexpr int FamilyOfCode(int code, bool oddOutput) {
  const FormatCodeFacts& facts = kFormatCodes[code & 0x07];
  return oddOutput ? facts.odd : facts.even;
}

// The catalogue.
const ChipField& FieldOf(SharedField field);
const ChipField& FieldOf(int map, MapField field);
// Every field, shared ones first, then map 0's and map 1's.
std::span<const ChipField> AllChipFields();
// The fields that hold bits of one register, in catalogue order.
std::span<const ChipField* const> FieldsInRegister(int reg);
// The bits of a register that no field describes: carried through as they are.
int UnassignedBits(int reg);

// "OUT3 output divider, map 1", "PLL1 power", "Spread-spectrum clock divider (CkDiv)".
std::string FieldName(const ChipField& field);
// A field's value as a person reads it: "32", "on", "off", "5 (LVPECL/LVDS)".
std::string FieldValueText(const ChipField& field, int value);

}  // namespace qv
