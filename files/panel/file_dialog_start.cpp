#include "files/panel/file_dialog_start.h"

#include <filesystem>

#include "files/panel/baseline.h"
#include "files/panel/recent_files.h"

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

}  // namespace qv
