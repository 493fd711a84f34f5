#pragma once
// Start-up of the program: panels, defaults, the mode popup, the event loop.

#include <string_view>

namespace qv {

// The shell's state as at process start: the status line, the dialogs, the
// windows beside the panel, undo, the title and the connection check.
void ResetAppState();

// Binds every callback name the panel definitions use.
void RegisterProgramCallbacks();

// Loads the panels, sets the defaults and shows the main panel with the mode
// popup over it; the event loop has not run yet.
void StartProgram();

// Once a mode is usable (offline at once, online after a successful check):
// the recent files may be opened, and a setup file named on the command line opens.
void ModeIsUsable();

// The whole program over the installed front end: -1 when the user interface
// cannot start, else 0 when the event loop ends.
int ProgramMain(int argc, char* argv[]);

// The last resort for an exception nothing else caught: "qv3380_gui: internal
// error: WHAT" on standard error and in the trace, and in a message once the
// user interface has started. Returns the exit status to end with.
int ShowInternalError(std::string_view what);

int OnRunOnlineButtonClicked(int panel, int control, int event, void* callbackData, int eventData1,
                             int eventData2);
int OnRunOfflineButtonClicked(int panel, int control, int event, void* callbackData, int eventData1,
                              int eventData2);
int OnStartupPanelEvent(int panel, int event, void* callbackData, int eventData1, int eventData2);

}  // namespace qv
