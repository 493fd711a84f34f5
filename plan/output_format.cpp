#include "plan/output_format.h"

#include <array>

#include "model/program_state.h"
#include "model/registers.h"
#include "model/value_variables.h"
#include "model/write_path.h"
#include "plan/frequency_engine.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// Family of the even (OUT0/OUT2) and odd (OUT1/OUT3) output for each code.
constexpr std::array<int, 8> kEvenFamily{0, 1, 0, 2, 1, 1, 2, 3};
constexpr std::array<int, 8> kOddFamily{0, 1, 2, 2, 2, 0, 0, 3};

struct FormatPair {
  int ring;
  int* code;
  int shift;  // position of the code in DR1
};

constexpr std::array<FormatPair, 2> kPairs{{
    {Pll1OutputFormat, &OutputFormatPll1, 0},
    {Pll2OutputFormat, &OutputFormatPll2, 3},
}};

constexpr int DR1_POWER_BITS = 0xC0;
constexpr unsigned DR1_ADDRESS = 0x3A;

int OnFormatRing(int event, const FormatPair& pair) {
  if (event != EVENT_COMMIT) return 0;
  const bool online = OpMode != OPMODE_OFFLINE;
  if (online) QV3380_EnableLookAheads();
  GetCtrlVal(panelHandle, pair.ring, pair.code);
  SetCurrOutputFormat();
  if (online) QV3380_Acquire();
  RecalculateFrequencies();
  return 0;
}

}  // namespace

int FamilyOfCode(int code, bool oddOutput) {
  return oddOutput ? kOddFamily[code & 0x07] : kEvenFamily[code & 0x07];
}

int GetOutputFormatForChannel(int channel) {
  const int code = channel < 2 ? DR1 & 0x07 : (DR1 >> 3) & 0x07;
  return FamilyOfCode(code, (channel < 2 ? channel : channel - 2) == 1);
}

void SetCurrOutputFormat() {
  DR1 &= DR1_POWER_BITS;
  for (const FormatPair& pair : kPairs) {
    SetCtrlVal(panelHandle, pair.ring, *pair.code);
    DR1 += (*pair.code & 0x07) << pair.shift;
  }
  // Straight to the chip: the format callbacks add the look-ahead and acquisition.
  if (OpMode != OPMODE_OFFLINE) WriteChipByte(DR1_ADDRESS, DR1);
}

void SetDefaultOutputFormat() {
  for (const FormatPair& pair : kPairs) SetCtrlVal(panelHandle, pair.ring, 0);
}

int SetPll1OutputFormat(int, int, int event, void*, int, int) { return OnFormatRing(event, kPairs[0]); }
int SetPll2OutputFormat(int, int, int event, void*, int, int) { return OnFormatRing(event, kPairs[1]); }

}  // namespace qv
