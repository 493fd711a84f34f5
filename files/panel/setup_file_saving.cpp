#include "files/panel/setup_file_saving.h"

#include "base/trace.h"
#include "files/panel/baseline.h"
#include "files/panel/current_setup.h"
#include "files/panel/file_notes.h"
#include "files/panel/setup_image.h"
#include "files/setup_file_writer.h"
#include "model/registers.h"

namespace qv {

std::string FormatSetupFile() {
  SetupContents setup = CurrentSetup();
  setup.registers = SetupImage;
  return FormatSetupText(setup);
}

int SaveSetupFile(const std::string& path, std::string* failure) {
  CaptureSetupImage();
  std::string reason;
  const bool written = ReplaceFileNoting(path, FormatSetupFile(), reason);
  if (failure) *failure = reason;
  if (!written) return 0;
  SetBaselineToCurrent(BaselineOrigin::Saved, path);
  Trace(TRACE_FILE, "saved setup file %s", path.c_str());
  return 1;
}

}  // namespace qv
