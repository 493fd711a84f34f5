#include "app/reset_commands.h"

#include "files/panel/unsaved_changes.h"
#include "plan/panel/register_decoding.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

void ResetToDefaults() {
  if (MayReplaceConfiguration(Replacing::Defaults)) LoadDefaultRegisters();
}

}  // namespace

int ResetRegs(int, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) ResetToDefaults();
  return 0;
}

void OnFileResetToDefaultsMenuClicked(int, int, void*, int) { ResetToDefaults(); }

}  // namespace qv
