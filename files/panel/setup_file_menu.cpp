#include "files/panel/setup_file_menu.h"

#include <array>

#include "files/panel/baseline.h"
#include "files/panel/file_dialog_start.h"
#include "files/panel/recent_files.h"
#include "files/panel/setup_file_loading.h"
#include "files/panel/setup_file_saving.h"
#include "files/panel/unsaved_changes.h"
#include "files/setup_file_format.h"
#include "files/setup_file_reader.h"
#include "plan/panel/register_decoding.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

bool Chosen(int result) {
  return result == VAL_EXISTING_FILE_SELECTED || result == VAL_NEW_FILE_SELECTED;
}

void LoadChosenFile(const std::string& path) {
  std::array<char, SETUP_MESSAGE_CAPACITY> message{};
  if (LoadSetupFile(path, message) == 0) {
    MessagePopup("File Open Error", message.data());
    return;
  }
  RememberSetupFile(path);
}

bool SaveTo(const std::string& path) {
  std::string failure;
  if (SaveSetupFile(path, &failure) == 0) {
    MessagePopup("File Save Error", std::string(SETUP_SAVE_ERROR) + "\n" + failure);
    return false;
  }
  RememberSetupFile(path);
  return true;
}

}  // namespace

bool SaveSetup() {
  const std::string& open = OpenSetupFile();
  return open.empty() ? SaveSetupAs() : SaveTo(open);
}

bool SaveSetupAs() {
  const FileSuggestion start = SuggestFile(SETUP_FILE_DEFAULT_NAME);
  std::string path;
  const int chosen = FileSelectPopup(start.folder, start.name, SETUP_FILE_FILTER, "Save Setup File",
                                     VAL_SAVE_BUTTON, 0, 0, 1, 1, &path);
  return Chosen(chosen) && SaveTo(path);
}

void OpenSetupFileAt(const std::string& path) {
  if (MayReplaceConfiguration(Replacing::OpenFile)) LoadChosenFile(path);
}

void OnFileImportMenuClicked(int, int, void*, int) {
  if (!MayReplaceConfiguration(Replacing::OpenFile)) return;
  std::string path;
  const int chosen = FileSelectPopup(DialogFolder(), "*.stp", SETUP_FILE_FILTER, "Open Setup File",
                                     VAL_LOAD_BUTTON, 0, 0, 1, 0, &path);
  if (Chosen(chosen)) LoadChosenFile(path);
}

void OnFileSaveMenuClicked(int, int, void*, int) { SaveSetup(); }

void OnFileExportMenuClicked(int, int, void*, int) { SaveSetupAs(); }

void OnFileResetToCfgMenuClicked(int, int, void*, int) {
  if (!MayReplaceConfiguration(Replacing::LastSetupFile)) return;
  ApplyRegistersToPanel();
  SetBaselineToLastSetupImage();
}

}  // namespace qv
