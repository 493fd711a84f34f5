#pragma once
// The GUI's settings store: its settings file (files/settings_file.h), read
// afresh for every value and written back whole for every change, so two
// running copies add to each other's lists instead of undoing them. What it
// refuses is said once (NoteAboutFile) and loses nothing.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/toolkit.h"

namespace qv {

class SettingsFileStore final : public SettingsStore {
 public:
  explicit SettingsFileStore(std::string path) : path_(std::move(path)) {}

  std::vector<std::string> Read(std::string_view name) override;
  // A list longer than SETTING_LIST_MAX_ENTRIES, or an entry longer than
  // SETTING_VALUE_MAX_BYTES, is not kept; nor is anything while the file
  // is one the store may not read or replace.
  void Write(std::string_view name, const std::vector<std::string>& values) override;

  const std::string& path() const { return path_; }

 private:
  void Say(const std::string& problem);

  std::string path_;
  std::set<std::string> said_;
};

}  // namespace qv
