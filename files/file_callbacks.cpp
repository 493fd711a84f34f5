#include "files/file_callbacks.h"

#include <array>

#include "files/json_export.h"
#include "files/setup_file_reader.h"
#include "files/setup_file_writer.h"

namespace qv {

std::span<const CallbackBinding> FilesCallbacks() {
  static const std::array<CallbackBinding, 4> kBindings{{
      {"OnFileImportMenuClicked", MenuCallbackPtr{OnFileImportMenuClicked}},
      {"OnFileExportMenuClicked", MenuCallbackPtr{OnFileExportMenuClicked}},
      {"OnFileResetToCfgMenuClicked", MenuCallbackPtr{OnFileResetToCfgMenuClicked}},
      {"OnFileExportJsonMenuClicked", MenuCallbackPtr{OnFileExportJsonMenuClicked}},
  }};
  return kBindings;
}

}  // namespace qv
