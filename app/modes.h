#pragma once
// The two operating modes and what each enables.

#include <string_view>

namespace qv {

void SetTitleSuffix(std::string_view modeText);
void SetOnline();
void SetOffline();
void ConfigurePanelForMode();

// The connection check's read: whether a chip answers at all.
bool ChipAnswersProbe();

int CheckConnection(int panel, int control, int event, void* callbackData, int eventData1,
                    int eventData2);

}  // namespace qv
