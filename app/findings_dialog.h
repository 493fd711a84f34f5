#pragma once
// A list of findings under a one-line summary, in a popup: what Verify Chip
// and Compare With Setup File found.

#include <string_view>

#include "ui/toolkit.h"

namespace qv {

// Without rows, a small popup shows the summary alone.
void ShowFindings(std::string_view title, std::string_view summary, const TableContents& list);

int OnCloseFindingsClicked(int panel, int control, int event, void* callbackData, int eventData1,
                           int eventData2);
int FindingsPanelCallback(int panel, int event, void* callbackData, int eventData1, int eventData2);

}  // namespace qv
