#pragma once
// What the planner dialogs say alike.

namespace qv {

// After Apply: a line under the summary text `control` shows, saying whether
// the panel took the plan.
void NoteApplied(int panel, int control, bool applied);

// Apply and OK take a plan only while there is one to take.
void EnableApply(int panel, int apply, int ok, bool on);

}  // namespace qv
