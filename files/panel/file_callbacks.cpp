#include "files/panel/file_callbacks.h"

#include <array>

#include "files/panel/json_export.h"
#include "files/panel/recent_files.h"
#include "files/panel/setup_file_menu.h"

namespace qv {

std::span<const CallbackBinding> FilesCallbacks() {
  static const auto kBindings = std::to_array<CallbackBinding>({
      {"OnFileImportMenuClicked", MenuCallbackPtr{OnFileImportMenuClicked}},
      {"OnFileSaveMenuClicked", MenuCallbackPtr{OnFileSaveMenuClicked}},
      {"OnFileRecentMenuClicked", MenuCallbackPtr{OnFileRecentMenuClicked}},
      {"OnFileClearRecentMenuClicked", MenuCallbackPtr{OnFileClearRecentMenuClicked}},
      {"OnFileExportMenuClicked", MenuCallbackPtr{OnFileExportMenuClicked}},
      {"OnFileResetToCfgMenuClicked", MenuCallbackPtr{OnFileResetToCfgMenuClicked}},
      {"OnFileExportJsonMenuClicked", MenuCallbackPtr{OnFileExportJsonMenuClicked}},
  });
  return kBindings;
}

}  // namespace qv
