#pragma once
// The main panel's own events, the exit path and the About popup.

namespace qv {

int OnPanelEvent(int panel, int event, void* callbackData, int eventData1, int eventData2);
void quit();
void OnFileExitMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
void OnHelpAboutMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
int AboutPanelCallback(int panel, int event, void* callbackData, int eventData1, int eventData2);

}  // namespace qv
