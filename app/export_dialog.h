#pragma once
// File > Export Registers...: the format chosen in a small popup, then the file.

namespace qv {

void OnFileExportRegistersMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
int OnExportFormatChosen(int panel, int control, int event, void* callbackData, int eventData1,
                         int eventData2);
// The options are read when Export is pressed.
int OnExportOptionChanged(int panel, int control, int event, void* callbackData, int eventData1,
                          int eventData2);
int OnExportRegistersClicked(int panel, int control, int event, void* callbackData, int eventData1,
                             int eventData2);
int OnCancelExportClicked(int panel, int control, int event, void* callbackData, int eventData1,
                          int eventData2);
int ExportPanelCallback(int panel, int event, void* callbackData, int eventData1, int eventData2);

}  // namespace qv
