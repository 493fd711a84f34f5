#include "files/panel/kept_settings.h"

#include <algorithm>

#include "base/text_format.h"
#include "files/panel/file_notes.h"
#include "files/settings_file.h"

namespace qv {

void SettingsFileStore::Say(const std::string& problem) {
  if (said_.insert(problem).second) NoteAboutFile({path_, problem, problem});
}

std::vector<std::string> SettingsFileStore::Read(std::string_view name) {
  const SettingsFileReading reading = ReadSettingsFile(path_);
  if (!reading.document) {
    Say(reading.problem);
    return {};
  }
  for (const std::string& leftOut : reading.document->leftOut) {
    Say(FormatText("Left out of the settings in %s: %s.", path_.c_str(), leftOut.c_str()));
  }
  const auto found = reading.document->values.find(name);
  return found == reading.document->values.end() ? std::vector<std::string>() : found->second;
}

void SettingsFileStore::Write(std::string_view name, const std::vector<std::string>& values) {
  const bool tooLong = std::ranges::any_of(
      values, [](const std::string& value) { return value.size() > SETTING_VALUE_MAX_BYTES; });
  if (values.size() > SETTING_LIST_MAX_ENTRIES || tooLong) {
    Say(FormatText(
        "Not kept in the settings: %.*s, %s.", static_cast<int>(name.size()), name.data(),
        tooLong ? FormatText("a value over %zu bytes", SETTING_VALUE_MAX_BYTES).c_str()
                : FormatText("a list of more than %zu entries", SETTING_LIST_MAX_ENTRIES).c_str()));
    return;
  }
  // Afresh: another copy of the program may have written since.
  SettingsFileReading reading = ReadSettingsFile(path_);
  if (!reading.document) {
    Say(reading.problem);
    return;
  }
  auto& kept = reading.document->values;
  if (values.empty()) {
    kept.erase(std::string(name));
  } else {
    kept.insert_or_assign(std::string(name), values);
  }
  std::string problem;
  if (!WriteSettingsFile(path_, *reading.document, problem)) Say(problem);
}

}  // namespace qv
