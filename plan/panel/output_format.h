#pragma once
// The output format code of each output pair (0..7 in DR1), shown in its
// ring and sent to the chip.

#include "chip/fields.h"

namespace qv {

// The family of OUT0..OUT3, from DR1.
int GetOutputFormatForChannel(int channel);
// DR1 bits 5:0 rebuilt from the two codes, shown in the rings, sent online.
void SetCurrOutputFormat();
// The same without sending anything.
void ShowOutputFormats();
// Both rings show code 0; neither the codes nor DR1 change.
void SetDefaultOutputFormat();

int SetPll1OutputFormat(int panel, int control, int event, void* callbackData, int eventData1,
                        int eventData2);
int SetPll2OutputFormat(int panel, int control, int event, void* callbackData, int eventData1,
                        int eventData2);

}  // namespace qv
