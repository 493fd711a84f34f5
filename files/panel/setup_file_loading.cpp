#include "files/panel/setup_file_loading.h"

#include "base/text_format.h"
#include "base/trace.h"
#include "files/panel/baseline.h"
#include "files/panel/current_setup.h"
#include "files/setup_file_reader.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "plan/panel/register_decoding.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {

void ApplySetupContents(const SetupContents& contents) {
  SetupImage = contents.registers;
  ApplyBoardSettings(contents);
  ApplyRegistersToPanel();
  SetMenuBarAttribute(GetPanelMenuBar(panelHandle), menubar::RESETCFG, ATTR_DIMMED, 0);
}

int LoadSetupFile(const std::string& path, std::span<char> message) {
  if (!message.empty()) message[0] = '\0';
  const SetupFileReading reading = ReadSetupFile(path);
  if (reading.contents) {
    ApplySetupContents(*reading.contents);
    SetBaselineToCurrent(BaselineOrigin::SetupFile, path);
    Trace(TRACE_FILE, "loaded setup file %s", path.c_str());
    return 1;
  }
  const char* text =
      reading.message.empty() ? "An unexpected error occurred." : reading.message.c_str();
  FormatInto(message, "%s", text);
  return 0;
}

}  // namespace qv
