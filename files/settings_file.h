#pragma once
// The GUI's settings file: a few values kept from one run to the next (the
// recent files, the last folder), each a list of byte strings, so any file
// name the system allows survives exactly. Written with the care of a setup
// file, never into anything but a regular file, and bounded on the way in.
//
//   [Files]
//   lastFolder=/home/me/boards
//   recentFiles=/home/me/boards/a.stp
//   recentFiles=/home/me/b%0Ac.stp
//
// One line per entry of a list; a byte a line cannot hold (a line end, a
// control character, "%", a byte that is not UTF-8) is written %XX. Other
// sections and lines are kept as they are; the keys of the old layout
// ([General], one recent file a line) are read once and replaced.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Beyond these an entry is no path a system takes, or a list no menu shows.
inline constexpr std::size_t SETTING_VALUE_MAX_BYTES = 4096;
inline constexpr std::size_t SETTING_LIST_MAX_ENTRIES = 8;
inline constexpr std::size_t SETTINGS_FILE_MAX_BYTES = 16 * 1024 * 1024;

struct SettingsDocument {
  std::map<std::string, std::vector<std::string>, std::less<>> values;
  // Everything of the file that is not ours, as it was.
  std::string others;
  // What reading left out, for the user ("a value over 4096 bytes").
  std::vector<std::string> leftOut;
};

SettingsDocument ParseSettings(std::string_view text);
std::string FormatSettings(const SettingsDocument& document);

struct SettingsFileReading {
  // Nothing when the file may neither be read nor written over.
  std::optional<SettingsDocument> document;
  std::string problem;  // why not, for the user
};

// A file that does not exist (or a link to one that does not) reads as empty.
SettingsFileReading ReadSettingsFile(const std::string& path);
// Creates the file's folder when there is none; refuses any file that is not
// a regular one. False with `problem` set for the user.
bool WriteSettingsFile(const std::string& path, const SettingsDocument& document,
                       std::string& problem);

// ${XDG_CONFIG_HOME:-~/.config}/qv3380/qv3380_gui.conf
std::string DefaultSettingsPath();

}  // namespace qv
