#pragma once
// File > Recent Files: the setup files last opened or saved, most recent
// first, and the folder of the last one. Both are kept from one run to the next.

#include <string>
#include <vector>

namespace qv {

std::vector<std::string> RecentSetupFiles();
// To the front of the list (once), which keeps the last eight; its folder
// becomes the last folder.
void RememberSetupFile(const std::string& path);
// Empty until a setup file was opened or saved, or another file chosen.
std::string LastSetupFolder();
// The folder of a file chosen in any file dialog becomes the last folder.
void RememberFolderOf(const std::string& path);

// The list in the menu: one entry per file, dimmed when the file is gone, the
// submenu dimmed while the list is empty or nothing may be opened yet.
void ShowRecentFiles();

void OnFileRecentMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
void OnFileClearRecentMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
