#include "app/planner_notes.h"

#include <string>

#include "ui/toolkit.h"

namespace qv {

void NoteApplied(int panel, int control, bool applied) {
  std::string summary;
  GetCtrlVal(panel, control, &summary);
  summary += applied ? "\nApplied to the panel." : "\nThe panel refused a value of the plan.";
  SetCtrlVal(panel, control, summary);
}

void EnableApply(int panel, int apply, int ok, bool on) {
  for (int button : {apply, ok}) SetCtrlAttribute(panel, button, ATTR_DIMMED, on ? 0 : 1);
}

}  // namespace qv
