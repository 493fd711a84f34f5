#include "files/file_callbacks.h"

#include <array>

#include "files/json_export.h"
#include "files/recent_files.h"
#include "files/setup_file_menu.h"

namespace qv {

std::span<const CallbackBinding> FilesCallbacks() {
  static const std::array<CallbackBinding, 7> kBindings{{
      {"OnFileImportMenuClicked", MenuCallbackPtr{OnFileImportMenuClicked}},
      {"OnFileSaveMenuClicked", MenuCallbackPtr{OnFileSaveMenuClicked}},
      {"OnFileRecentMenuClicked", MenuCallbackPtr{OnFileRecentMenuClicked}},
      {"OnFileClearRecentMenuClicked", MenuCallbackPtr{OnFileClearRecentMenuClicked}},
      {"OnFileExportMenuClicked", MenuCallbackPtr{OnFileExportMenuClicked}},
      {"OnFileResetToCfgMenuClicked", MenuCallbackPtr{OnFileResetToCfgMenuClicked}},
      {"OnFileExportJsonMenuClicked", MenuCallbackPtr{OnFileExportJsonMenuClicked}},
  }};
  return kBindings;
}

}  // namespace qv
