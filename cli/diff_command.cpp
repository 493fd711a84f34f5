#include "cli/diff_command.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>

#include "cli/complaint.h"
#include "cli/exit_status.h"
#include "cli/json_output.h"
#include "files/panel/current_setup.h"
#include "files/setup_file_reader.h"

namespace qv::cli {
namespace {

struct DiffOptions {
  std::string before;
  std::string after;
  bool json = false;
};

Json FrequenciesJson(const std::vector<FrequencyChange>& changes) {
  Json list = Json::array();
  for (const FrequencyChange& change : changes) {
    Json item{{"output", kOutputs[change.output].name}};
    item["map"] = change.map < 0 ? Json("in use") : Json(change.map);
    item["old_mhz"] = change.beforeHz / 1e6;
    item["new_mhz"] = change.afterHz / 1e6;
    list.push_back(item);
  }
  return list;
}

template <typename Change, typename Line>
void WriteSection(std::ostream& out, const char* title, const std::vector<Change>& changes,
                  Line line) {
  if (changes.empty()) return;
  out << title << '\n';
  for (const Change& change : changes) out << "  " << line(change) << '\n';
}

}  // namespace

Json DiffJson(const ConfigurationDiff& diff, std::string_view before, std::string_view after) {
  Json document = NewDocument(kDiffDocument);
  document["old"] = before;
  document["new"] = after;
  document["equal"] = diff.Empty();
  Json registers = Json::array();
  for (const RegisterChange& change : diff.registers) {
    registers.push_back({{"name", kRegisters[change.reg].name},
                         {"address", kRegisters[change.reg].address},
                         {"old", change.before},
                         {"new", change.after}});
  }
  Json fields = Json::array();
  for (const FieldChange& change : diff.fields) {
    fields.push_back({{"name", FieldChangeName(change)},
                      {"registers", FieldChangeRegisters(change)},
                      {"old", change.before},
                      {"new", change.after},
                      {"old_text", FieldChangeValue(change, change.before)},
                      {"new_text", FieldChangeValue(change, change.after)},
                      {"outputs", FrequenciesJson(change.effect)}});
  }
  Json board = Json::array();
  for (const BoardChange& change : diff.board) {
    board.push_back({{"name", BoardSettingName(change.setting)},
                     {"old", change.before},
                     {"new", change.after},
                     {"outputs", FrequenciesJson(change.effect)}});
  }
  document["registers"] = registers;
  document["fields"] = fields;
  document["board"] = board;
  document["frequencies"] = FrequenciesJson(diff.frequencies);
  return document;
}

void WriteDiff(std::ostream& out, const ConfigurationDiff& diff, std::string_view before,
               std::string_view after) {
  out << DiffSummary(diff, before, after) << '\n';
  WriteSection(out, "Registers:", diff.registers, RegisterChangeLine);
  WriteSection(out, "Fields:", diff.fields, FieldChangeLine);
  WriteSection(out, "Pins and reference:", diff.board, BoardChangeLine);
  WriteSection(out, "Output frequencies:", diff.frequencies,
               [](const FrequencyChange& change) { return FrequencyChangeText(change, false); });
}

CommandRun DefineDiff(CLI::App& command) {
  auto options = std::make_shared<DiffOptions>();
  command.add_option("A", options->before, "the first setup file (.stp)")
      ->required()
      ->type_name("");
  command.add_option("B", options->after, "the second, compared with the first")
      ->required()
      ->type_name("");
  command.add_flag("--json", options->json, "the differences as JSON");
  return [options](CommandContext& context) {
    // Both read and checked only: comparing changes nothing.
    std::optional<Configuration> sides[2];
    const std::string* paths[2] = {&options->before, &options->after};
    for (int i = 0; i < 2; ++i) {
      const SetupFileReading reading = ReadSetupFile(*paths[i]);
      if (!reading.contents) {
        context.err << Complaint(*paths[i], reading.message);
        return EXIT_FILE_REFUSED;
      }
      sides[i] = ConfigurationOf(*reading.contents);
    }
    const ConfigurationDiff diff = CompareConfigurations(*sides[0], *sides[1]);
    if (options->json) {
      WriteJson(context.out, DiffJson(diff, options->before, options->after));
    } else {
      WriteDiff(context.out, diff, options->before, options->after);
    }
    return diff.Empty() ? EXIT_DONE : EXIT_DIFFERS;
  };
}

}  // namespace qv::cli
