// Prints where to click a control: its centre in panel coordinates.
//   control_center StartupModeSelect.uir RUNOFFLINE  ->  "176 116"

#include <cstdio>

#include "ui/panel_defs.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PANEL_FILE CONTROL_CONSTANT\n", argv[0]);
    return 2;
  }
  const qv::PanelDef* panel = qv::FindPanelDef(argv[1], 1);
  const qv::ControlDef* control = panel ? qv::FindControlDef(*panel, argv[2]) : nullptr;
  if (!control) {
    std::fprintf(stderr, "%s: no control %s in %s\n", argv[0], argv[2], argv[1]);
    return 1;
  }
  std::printf("%d %d\n", control->rect.left + control->rect.width / 2,
              control->rect.top + control->rect.height / 2);
  return 0;
}
