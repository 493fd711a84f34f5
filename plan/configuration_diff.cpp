#include "plan/configuration_diff.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/text_format.h"
#include "chip/field_codec.h"

namespace qv {
namespace {

// Frequencies closer than this are the same frequency.
constexpr double kSameHz = 1e-3;

bool SameFrequency(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b || std::abs(a - b) < kSameHz;
}

RegisterImage Bytes(const RegisterImage& image) {
  RegisterImage bytes{};
  for (int i = 0; i < REGISTER_COUNT; ++i) bytes[i] = image[i] & 0xFF;
  return bytes;
}

const ChipField& LookAheadField() { return FieldOf(SharedField::LookAhead); }

// What one side's plan gives: each map's outputs, and those of the map in use.
std::vector<FrequencyChange> FrequencyChanges(const PlanEvaluation& before,
                                              const PlanEvaluation& after) {
  std::vector<FrequencyChange> changes;
  for (int m = 0; m < MAP_COUNT; ++m) {
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      const double a = before.maps[m].out[k];
      const double b = after.maps[m].out[k];
      if (!SameFrequency(a, b)) changes.push_back({m, k, a, b});
    }
  }
  if (before.mapInUse != after.mapInUse) {
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      const double a = before.InUse().out[k];
      const double b = after.InUse().out[k];
      if (!SameFrequency(a, b)) changes.push_back({-1, k, a, b});
    }
  }
  return changes;
}

PlanEvaluation Evaluate(const RegisterImage& registers, const BoardInputs& board) {
  return EvaluatePlan(PlanInputsFromRegisters(registers, board));
}

std::string PinText(bool high) { return high ? "high" : "low"; }

// Each setting once: its text, and how the second side's value is taken over.
struct BoardSettingFacts {
  BoardSetting setting;
  std::string_view name;
  std::string (*text)(const BoardInputs& board);
  void (*take)(BoardInputs& to, const BoardInputs& from);
};

template <bool BoardInputs::*Pin>
constexpr BoardSettingFacts PinSetting(BoardSetting setting, std::string_view name) {
  return {setting, name, [](const BoardInputs& board) { return PinText(board.*Pin); },
          [](BoardInputs& to, const BoardInputs& from) { to.*Pin = from.*Pin; }};
}

constexpr std::array<BoardSettingFacts, 6> kBoardSettings{{
    PinSetting<&BoardInputs::refsel>(BoardSetting::Refsel, "REFSEL pin"),
    PinSetting<&BoardInputs::margin>(BoardSetting::Margin, "MARGIN pin"),
    PinSetting<&BoardInputs::sscg>(BoardSetting::Sscg, "SSCG pin"),
    PinSetting<&BoardInputs::maxbw>(BoardSetting::MaxBw, "MAX_BW pin"),
    {BoardSetting::Crystal, "Crystal (XO frequency)",
     [](const BoardInputs& board) {
       return FormatText("%g MHz", CrystalFrequency(board.crystalIndex) / 1e6);
     },
     [](BoardInputs& to, const BoardInputs& from) { to.crystalIndex = from.crystalIndex; }},
    {BoardSetting::Refclk, "External REFCLK",
     [](const BoardInputs& board) { return FormatText("%.5f MHz", board.refclkHz / 1e6); },
     [](BoardInputs& to, const BoardInputs& from) { to.refclkHz = from.refclkHz; }},
}};

int FirstRegister(const FieldChange& change) {
  return change.field ? change.field->spans[0].reg : change.reg;
}

}  // namespace

ConfigurationDiff CompareRegisters(const RegisterImage& expected, const RegisterImage& found,
                                   LookAheadBit lookAhead) {
  RegisterImage a = Bytes(expected);
  RegisterImage b = Bytes(found);
  if (lookAhead == LookAheadBit::Ignored) {
    for (const BitSpan& span : LookAheadField().Spans()) {
      a[span.reg] &= ~span.Mask();
      b[span.reg] &= ~span.Mask();
    }
  }
  ConfigurationDiff diff;
  for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
    if (a[reg] != b[reg]) diff.registers.push_back({reg, a[reg], b[reg]});
  }
  for (const ChipField& field : AllChipFields()) {
    if (lookAhead == LookAheadBit::Ignored && &field == &LookAheadField()) continue;
    const int before = codec::DecodeField(field, a);
    const int after = codec::DecodeField(field, b);
    if (before != after) diff.fields.push_back({&field, -1, before, after, {}});
  }
  for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
    const int bits = UnassignedBits(reg);
    if (((a[reg] ^ b[reg]) & bits) != 0) {
      diff.fields.push_back({nullptr, reg, a[reg] & bits, b[reg] & bits, {}});
    }
  }
  std::ranges::stable_sort(diff.fields, {}, FirstRegister);
  return diff;
}

ConfigurationDiff CompareConfigurations(const Configuration& before, const Configuration& after,
                                        LookAheadBit lookAhead) {
  ConfigurationDiff diff = CompareRegisters(before.registers, after.registers, lookAhead);
  const PlanEvaluation planBefore = Evaluate(before.registers, before.board);
  for (FieldChange& change : diff.fields) {
    if (!change.field) continue;
    RegisterImage alone = before.registers;
    codec::EncodeField(*change.field, change.after, alone);
    change.effect = FrequencyChanges(planBefore, Evaluate(alone, before.board));
  }
  for (const BoardSettingFacts& facts : kBoardSettings) {
    const std::string a = facts.text(before.board);
    const std::string b = facts.text(after.board);
    if (a == b) continue;
    BoardInputs alone = before.board;
    facts.take(alone, after.board);
    diff.board.push_back(
        {facts.setting, a, b, FrequencyChanges(planBefore, Evaluate(before.registers, alone))});
  }
  diff.frequencies = FrequencyChanges(planBefore, Evaluate(after.registers, after.board));
  return diff;
}

bool SameRegisters(const RegisterImage& a, const RegisterImage& b, LookAheadBit lookAhead) {
  std::array<int, REGISTER_COUNT> compared{};
  compared.fill(0xFF);
  if (lookAhead == LookAheadBit::Ignored) {
    for (const BitSpan& span : LookAheadField().Spans()) compared[span.reg] &= ~span.Mask();
  }
  for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
    if (((a[reg] ^ b[reg]) & compared[reg]) != 0) return false;
  }
  return true;
}

// The same answer as comparing the settings' texts, without making them: this
// runs on every recalculation.
bool SameBoard(const BoardInputs& a, const BoardInputs& b) {
  // The REFCLK's text has five decimals of MHz: steps of 10 Hz.
  constexpr double kRefclkStepHz = 10.0;
  return a.refsel == b.refsel && a.margin == b.margin && a.sscg == b.sscg && a.maxbw == b.maxbw &&
         (a.crystalIndex == b.crystalIndex ||
          CrystalFrequency(a.crystalIndex) == CrystalFrequency(b.crystalIndex)) &&
         (a.refclkHz == b.refclkHz ||
          std::llround(a.refclkHz / kRefclkStepHz) == std::llround(b.refclkHz / kRefclkStepHz));
}

std::string BoardSettingName(BoardSetting setting) {
  for (const BoardSettingFacts& facts : kBoardSettings) {
    if (facts.setting == setting) return std::string(facts.name);
  }
  return "";
}

}  // namespace qv
