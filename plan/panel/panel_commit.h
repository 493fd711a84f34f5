#pragma once
// Planned settings reach the main panel as a user's commits, so online every
// change goes through its usual handler to the chip.

namespace qv {

// Commits the value to a main-panel control unless its value variable holds it
// already (online every commit costs a chip exchange; the variable says what
// the chip holds, a control may show a coerced value). False when the control
// refused the value.
bool CommitIfChanged(int control, int value);

}  // namespace qv
