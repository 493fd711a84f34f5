// Differences in a person's words, one line each, for the dialogs and qv3380.

#include <cmath>

#include "base/text_format.h"
#include "plan/configuration_diff.h"

namespace qv {
namespace {

std::string RegisterName(int reg) {
  return FormatText("%s (0x%02X)", std::string(kRegisters[reg].name).c_str(),
                    kRegisters[reg].address);
}

bool MapUnderstood(const FieldChange& change) { return change.field && change.field->map >= 0; }

std::string WithEffect(std::string line, const std::vector<FrequencyChange>& effect,
                       bool mapUnderstood) {
  if (!effect.empty()) line += "; " + EffectText(effect, mapUnderstood);
  return line;
}

}  // namespace

std::string FieldChangeName(const FieldChange& change) {
  if (change.field) return FieldName(*change.field);
  return std::string(kRegisters[change.reg].name) + " bits no field describes";
}

std::string FieldChangeValue(const FieldChange& change, int value) {
  if (change.field) return FieldValueText(*change.field, value);
  return FormatText("0x%02X", value);
}

std::string FieldChangeRegisters(const FieldChange& change) {
  if (!change.field) return RegisterName(change.reg);
  std::string names;
  for (const BitSpan& span : change.field->Spans()) {
    if (!names.empty()) names += ", ";
    names += RegisterName(span.reg);
  }
  return names;
}

std::string FrequencyChangeText(const FrequencyChange& change, bool mapUnderstood) {
  std::string where(kOutputs[change.output].name);
  if (change.map < 0) {
    where += " (in use)";
  } else if (!mapUnderstood) {
    where += FormatText(" (map %d)", change.map);
  }
  if (std::isfinite(change.beforeHz) && std::isfinite(change.afterHz)) {
    return FormatText("%s %.5f -> %.5f MHz", where.c_str(), change.beforeHz / 1e6,
                      change.afterHz / 1e6);
  }
  return where + " " + FrequencyText(change.beforeHz, 1e6, 5, "MHz") + " -> " +
         FrequencyText(change.afterHz, 1e6, 5, "MHz");
}

std::string EffectText(const std::vector<FrequencyChange>& effect, bool mapUnderstood) {
  std::string text;
  for (const FrequencyChange& change : effect) {
    if (!text.empty()) text += ", ";
    text += FrequencyChangeText(change, mapUnderstood);
  }
  return text;
}

std::string DiffSummary(const ConfigurationDiff& diff, std::string_view before,
                        std::string_view after) {
  const std::string a(before), b(after);
  if (diff.Empty()) {
    return FormatText("%s and %s are the same (%d registers, pins and reference settings).",
                      b.c_str(), a.c_str(), REGISTER_COUNT);
  }
  const std::size_t fields = diff.fields.size(), registers = diff.registers.size();
  const std::size_t board = diff.board.size();
  std::string text = FormatText("%s differs from %s in ", b.c_str(), a.c_str());
  if (fields > 0) {
    AppendFormat(text, "%zu field%s (%zu register%s)", fields, fields == 1 ? "" : "s", registers,
                 registers == 1 ? "" : "s");
  }
  if (fields > 0 && board > 0) text += " and ";
  if (board > 0) {
    AppendFormat(text, "%zu pin or reference setting%s", board, board == 1 ? "" : "s");
  }
  return text + ".";
}

std::string RegisterChangeLine(const RegisterChange& change) {
  return RegisterName(change.reg) + FormatText(": 0x%02X -> 0x%02X", change.before, change.after);
}

std::string FieldChangeLine(const FieldChange& change) {
  return WithEffect(FieldChangeName(change) + ": " + FieldChangeValue(change, change.before) +
                        " -> " + FieldChangeValue(change, change.after),
                    change.effect, MapUnderstood(change));
}

std::string BoardChangeLine(const BoardChange& change) {
  return WithEffect(BoardSettingName(change.setting) + ": " + change.before + " -> " + change.after,
                    change.effect, false);
}

std::string MismatchLine(const FieldChange& change) {
  return FieldChangeName(change) + ": expected " + FieldChangeValue(change, change.before) +
         ", chip holds " + FieldChangeValue(change, change.after);
}

}  // namespace qv
