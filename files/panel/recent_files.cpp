#include "files/panel/recent_files.h"

#include <algorithm>
#include <filesystem>

#include "base/text_format.h"
#include "files/panel/setup_file_menu.h"
#include "model/program_state.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

constexpr std::size_t kKept = menubar::RECENT_COUNT;
constexpr std::string_view kRecentFilesSetting = "recentFiles";
constexpr std::string_view kLastFolderSetting = "lastFolder";

// A list, so a name with a line end in it stays one name.
void Keep(const std::vector<std::string>& files) { SetPersistentList(kRecentFilesSetting, files); }

// The name as a menu shows it: a control character (a line end in a name)
// would break the line, so it shows as "?"; the list keeps the name exact.
std::string Shown(const std::string& file) {
  std::string shown = file;
  std::ranges::replace_if(
      shown, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
  return shown;
}

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::vector<std::string> RecentSetupFiles() {
  std::vector<std::string> files = GetPersistentList(kRecentFilesSetting);
  std::erase(files, std::string());
  if (files.size() > kKept) files.resize(kKept);
  return files;
}

void RememberSetupFile(const std::string& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) absolute = path;
  const std::string file = absolute.lexically_normal().string();
  std::vector<std::string> files = RecentSetupFiles();
  std::erase(files, file);
  files.insert(files.begin(), file);
  if (files.size() > kKept) files.resize(kKept);
  Keep(files);
  SetPersistentSetting(kLastFolderSetting, absolute.parent_path().string());
  ShowRecentFiles();
}

std::string LastSetupFolder() { return GetPersistentSetting(kLastFolderSetting); }

void RememberFolderOf(const std::string& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) absolute = path;
  SetPersistentSetting(kLastFolderSetting, absolute.lexically_normal().parent_path().string());
}

void ShowRecentFiles() {
  const int menuBar = GetPanelMenuBar(panelHandle);
  if (menuBar == 0) return;
  const std::vector<std::string> files = RecentSetupFiles();
  for (int k = 0; k < menubar::RECENT_COUNT; ++k) {
    const int item = menubar::RECENT1 + k;
    const bool shown = k < static_cast<int>(files.size());
    SetMenuBarAttribute(menuBar, item, ATTR_VISIBLE, shown ? 1 : 0);
    if (!shown) continue;
    SetMenuBarAttribute(menuBar, item, ATTR_ITEM_NAME,
                        FormatText("__%d  %s", k + 1, Shown(files[k]).c_str()));
    SetMenuBarAttribute(menuBar, item, ATTR_DIMMED, Exists(files[k]) ? 0 : 1);
  }
  int openDimmed = 1;
  GetMenuBarAttribute(menuBar, menubar::IMPORT, ATTR_DIMMED, &openDimmed);
  SetMenuBarAttribute(menuBar, menubar::RECENT, ATTR_DIMMED, files.empty() || openDimmed ? 1 : 0);
}

void OnFileRecentMenuClicked(int, int menuItem, void*, int) {
  const std::vector<std::string> files = RecentSetupFiles();
  const std::size_t k = static_cast<std::size_t>(menuItem - menubar::RECENT1);
  if (k < files.size()) OpenSetupFileAt(files[k]);
}

void OnFileClearRecentMenuClicked(int, int, void*, int) {
  Keep({});
  ShowRecentFiles();
}

}  // namespace qv
