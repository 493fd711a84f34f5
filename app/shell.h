#pragma once
// The main panel's own events, the exit path and the About popup.

#include <string>

namespace qv {

int OnPanelEvent(int panel, int event, void* callbackData, int eventData1, int eventData2);
void quit();
void OnFileExitMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
void OnHelpAboutMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
// About's lines: "Version 1.0.0, built 2026-03-02"; "Qt 6.4.2, hidapi 0.13.1".
std::string AboutVersionText();
std::string AboutLibrariesText();
int AboutPanelCallback(int panel, int event, void* callbackData, int eventData1, int eventData2);

}  // namespace qv
