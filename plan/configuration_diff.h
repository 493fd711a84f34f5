#pragma once
// Two configurations compared: which register bytes differ, what each
// differing field of the chip means, which pins and reference settings
// differ, and what each change does to the output frequencies. Verify Chip,
// Compare With Setup File, `qv3380 verify` and `qv3380 diff` read it.

#include <string>
#include <vector>

#include "chip/fields.h"
#include "plan/plan_evaluation.h"

namespace qv {

struct Configuration {
  RegisterImage registers{};
  BoardInputs board;
};

struct RegisterChange {
  int reg = 0;  // table index
  int before = 0;
  int after = 0;
};

// One output frequency of one map; map -1: the map MARGIN selects on each
// side, when the two sides select different maps.
struct FrequencyChange {
  int map = 0;
  int output = 0;
  double beforeHz = 0.0;
  double afterHz = 0.0;
};

// A field of the catalogue, or the bits of one register no field describes
// (field null): those are compared as they stand.
struct FieldChange {
  const ChipField* field = nullptr;
  int reg = -1;  // the register of undescribed bits
  int before = 0;
  int after = 0;
  // The outputs this change alone moves, from the first configuration.
  std::vector<FrequencyChange> effect;
};

enum class BoardSetting { Refsel, Margin, Sscg, MaxBw, Crystal, Refclk };

struct BoardChange {
  BoardSetting setting;
  std::string before;  // as a person reads it: "low", "25 MHz", "19.44000 MHz"
  std::string after;
  std::vector<FrequencyChange> effect;
};

struct ConfigurationDiff {
  std::vector<RegisterChange> registers;
  std::vector<FieldChange> fields;  // in register order
  std::vector<BoardChange> board;
  // Every output frequency the two plans give differently.
  std::vector<FrequencyChange> frequencies;

  bool Empty() const { return registers.empty() && board.empty(); }
};

// The tool sets C0's look-ahead bit itself online: a chip holding it is no mismatch.
enum class LookAheadBit { Compared, Ignored };

// Registers and fields only: the chip holds no pins.
ConfigurationDiff CompareRegisters(const RegisterImage& expected, const RegisterImage& found,
                                   LookAheadBit lookAhead);
// Everything, with the frequency changes of both plans.
ConfigurationDiff CompareConfigurations(const Configuration& before, const Configuration& after,
                                        LookAheadBit lookAhead = LookAheadBit::Compared);

// The same register bytes (C0's look-ahead bit aside where ignored): what
// CompareRegisters finds Empty, without describing a difference.
bool SameRegisters(const RegisterImage& a, const RegisterImage& b, LookAheadBit lookAhead);
// The same pins and reference settings, as a person reads them (REFCLK to
// the setup file's five decimals of MHz).
bool SameBoard(const BoardInputs& a, const BoardInputs& b);

// How people read each piece of a difference.
std::string BoardSettingName(BoardSetting setting);  // "MARGIN pin", "External REFCLK"
// "PLL1 feedback divider N, map 0", or "X0 bits no field describes".
std::string FieldChangeName(const FieldChange& change);
// "4", "on", "5 (LVPECL/LVDS)", or "0x01" for undescribed bits.
std::string FieldChangeValue(const FieldChange& change, int value);
// The registers that hold the field: "BF0 (0x19), BF1 (0x1A)".
std::string FieldChangeRegisters(const FieldChange& change);
// "OUT0 156.25000 -> 159.37500 MHz", with " (map 1)" after the output unless
// the map is understood.
std::string FrequencyChangeText(const FrequencyChange& change, bool mapUnderstood);
std::string EffectText(const std::vector<FrequencyChange>& effect, bool mapUnderstood);

// "board.stp and the panel are the same (32 registers, pins and reference
// settings)", or what differs: "board.stp differs from the panel in 2 fields
// (2 registers) and 1 pin or reference setting."
std::string DiffSummary(const ConfigurationDiff& diff, std::string_view before,
                        std::string_view after);

// "AF0 (0x18): 0x14 -> 0x16"
std::string RegisterChangeLine(const RegisterChange& change);
// "PLL1 feedback divider N, map 0: 100 -> 102; OUT0 156.25000 -> 159.37500 MHz"
std::string FieldChangeLine(const FieldChange& change);
// "MARGIN pin: low -> high; OUT0 (in use) 156.25000 -> 100.00000 MHz"
std::string BoardChangeLine(const BoardChange& change);
// "OUT0 output divider, map 0: expected 4, chip holds 5"
std::string MismatchLine(const FieldChange& change);

}  // namespace qv
