#include "app/compare_dialog.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/findings_dialog.h"
#include "base/text_format.h"
#include "files/panel/current_setup.h"
#include "files/panel/file_dialog_start.h"
#include "files/setup_file_format.h"
#include "files/setup_file_reader.h"

namespace qv {
namespace {

constexpr std::string_view kTitle = "Compare With Setup File";
constexpr int kEffectColor = 0xF0F0F0;  // the outputs a change moves, under it

std::string Megahertz(double hz) { return FrequencyText(hz, 1e6, 5, "MHz"); }

std::string FrequencyName(const FrequencyChange& change, bool mapUnderstood) {
  std::string name = std::string(kOutputs[change.output].name) + " frequency";
  if (change.map < 0) return name + " in use";
  return mapUnderstood ? name : name + FormatText(", map %d", change.map);
}

void AddRow(TableContents& table, std::vector<std::string> cells, int color = TABLE_NO_COLOR) {
  table.rows.push_back(std::move(cells));
  table.rowColors.push_back(color);
}

void AddEffects(TableContents& table, const std::vector<FrequencyChange>& effect,
                bool mapUnderstood) {
  for (const FrequencyChange& change : effect) {
    AddRow(table,
           {"", "    " + FrequencyName(change, mapUnderstood), Megahertz(change.beforeHz),
            Megahertz(change.afterHz)},
           kEffectColor);
  }
}

// Whether the changes, each alone, already tell every frequency both sides give.
bool EffectsTellAll(const ConfigurationDiff& diff) {
  std::vector<std::string> alone, together;
  for (const FieldChange& change : diff.fields) {
    for (const FrequencyChange& f : change.effect) alone.push_back(FrequencyChangeText(f, false));
  }
  for (const BoardChange& change : diff.board) {
    for (const FrequencyChange& f : change.effect) alone.push_back(FrequencyChangeText(f, false));
  }
  for (const FrequencyChange& f : diff.frequencies)
    together.push_back(FrequencyChangeText(f, false));
  std::ranges::sort(alone);
  std::ranges::sort(together);
  return alone == together;
}

}  // namespace

TableContents ComparisonTable(const ConfigurationDiff& diff, std::string_view before,
                              std::string_view after) {
  TableContents table{{"Register", "Setting", std::string(before), std::string(after)}, {}, {}};
  for (const FieldChange& change : diff.fields) {
    AddRow(table,
           {FieldChangeRegisters(change), FieldChangeName(change),
            FieldChangeValue(change, change.before), FieldChangeValue(change, change.after)});
    AddEffects(table, change.effect, change.field && change.field->map >= 0);
  }
  for (const BoardChange& change : diff.board) {
    AddRow(table, {"-", BoardSettingName(change.setting), change.before, change.after});
    AddEffects(table, change.effect, false);
  }
  if (!EffectsTellAll(diff)) {
    AddRow(table, {"", "All changes together:", "", ""});
    AddEffects(table, diff.frequencies, false);
  }
  return table;
}

void OnFileCompareMenuClicked(int, int, void*, int) {
  const std::optional<std::string> chosen = ChooseFileToOpen("*.stp", SETUP_FILE_FILTER, kTitle);
  if (!chosen) return;
  const std::string& path = *chosen;
  // Only read and checked: comparing changes nothing.
  const SetupFileReading reading = ReadSetupFile(path);
  if (!reading.contents) {
    MessagePopup("File Open Error", reading.message);
    return;
  }
  const std::string name = std::filesystem::path(path).filename().string();
  // Online the tool has set the panel's look-ahead bit itself; a file that
  // lacks it is loaded with it all the same.
  const ConfigurationDiff diff = CompareConfigurations(
      ConfigurationOf(CurrentSetup()), ConfigurationOf(*reading.contents), LookAheadBit::Ignored);
  ShowFindings(kTitle, DiffSummary(diff, "the panel", name), ComparisonTable(diff, "Panel", name));
}

}  // namespace qv
