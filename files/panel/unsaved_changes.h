#pragma once
// The question before something replaces a configuration that is not saved:
// Save, Discard or Cancel.

namespace qv {

// The question's answers, numbered as GenericMessagePopup returns them.
enum UnsavedChangesAnswer { UNSAVED_SAVE = 1, UNSAVED_DISCARD = 2, UNSAVED_CANCEL = 3 };

// What is about to replace the configuration (or end the program).
enum class Replacing { Exit, OpenFile, Defaults, LastSetupFile, ImportRegisters };

// True when the action may go on: nothing is unsaved, nobody can be asked,
// the user chose Discard, or chose Save and the setup was saved. Cancel, or a
// save that failed or was not made, keeps everything as it is.
bool MayReplaceConfiguration(Replacing what);

}  // namespace qv
