#pragma once
// Typing into a field is a commit once Enter or leaving the field says so. A
// press or a choice that leaves the focus where it is (a mnemonic, a menu, a
// shortcut) must commit what was typed first, or it acts on the old value.

namespace qv::qt {

// Commits the focused control's typed, uncommitted text, if there is any.
void CommitFocusedEdit();

}  // namespace qv::qt
