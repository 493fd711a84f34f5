#pragma once
// The output format code of each output pair (0..7 in DR1) and the logic
// family it gives each output.

namespace qv {

enum LogicFamily : int {
  FAMILY_LVPECL = 0,
  FAMILY_LVDS = 1,
  FAMILY_CMOS = 2,
  FAMILY_CMOS_IN_PHASE = 3,
};

constexpr bool IsCmosFamily(int family) {
  return family == FAMILY_CMOS || family == FAMILY_CMOS_IN_PHASE;
}

// The family a pair's code gives its even (OUT0/OUT2) or odd (OUT1/OUT3) output.
int FamilyOfCode(int code, bool oddOutput);
// The family of OUT0..OUT3, from DR1.
int GetOutputFormatForChannel(int channel);
// DR1 bits 5:0 rebuilt from the two codes, shown in the rings, sent online.
void SetCurrOutputFormat();
// Both rings show code 0; neither the codes nor DR1 change.
void SetDefaultOutputFormat();

int SetPll1OutputFormat(int panel, int control, int event, void* callbackData, int eventData1,
                        int eventData2);
int SetPll2OutputFormat(int panel, int control, int event, void* callbackData, int eventData1,
                        int eventData2);

}  // namespace qv
