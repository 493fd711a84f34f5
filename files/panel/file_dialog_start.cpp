#include "files/panel/file_dialog_start.h"

#include <filesystem>

#include "files/panel/baseline.h"
#include "files/panel/recent_files.h"
#include "ui/toolkit.h"

namespace qv {

std::string DialogFolder() {
  const std::filesystem::path open = OpenSetupFile();
  return open.empty() ? LastSetupFolder() : open.parent_path().string();
}

FileSuggestion SuggestFile(std::string_view usualName, std::string_view ending) {
  const std::filesystem::path open = OpenSetupFile();
  if (open.empty() || open.stem().empty()) return {DialogFolder(), std::string(usualName)};
  const std::string suffix =
      ending.empty() ? std::filesystem::path(usualName).extension().string() : std::string(ending);
  return {open.parent_path().string(), open.stem().string() + suffix};
}

namespace {

std::optional<std::string> Chosen(int chosen, std::string path) {
  if (chosen != VAL_EXISTING_FILE_SELECTED && chosen != VAL_NEW_FILE_SELECTED) return std::nullopt;
  RememberFolderOf(path);
  return path;
}

}  // namespace

std::optional<std::string> ChooseFileToSave(std::string_view usualName, std::string_view filter,
                                            std::string_view title, std::string_view ending) {
  const FileSuggestion start = SuggestFile(usualName, ending);
  std::string path;
  const int chosen =
      FileSelectPopup(start.folder, start.name, filter, title, VAL_SAVE_BUTTON, 0, 0, 1, 1, &path);
  return Chosen(chosen, std::move(path));
}

std::optional<std::string> ChooseFileToOpen(std::string_view pattern, std::string_view filter,
                                            std::string_view title) {
  std::string path;
  const int chosen =
      FileSelectPopup(DialogFolder(), pattern, filter, title, VAL_LOAD_BUTTON, 0, 0, 1, 0, &path);
  return Chosen(chosen, std::move(path));
}

}  // namespace qv
