#include "plan/panel/output_format.h"

#include <array>

#include "model/fields.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "model/value_variables.h"
#include "model/write_path.h"
#include "plan/panel/frequency_engine.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

struct FormatPair {
  int ring;
  int* code;
  SharedField field;
};

constexpr std::array<FormatPair, PLL_COUNT> kPairs{{
    {Pll1OutputFormat, &OutputFormatPll1, kPlls[0].format},
    {Pll2OutputFormat, &OutputFormatPll2, kPlls[1].format},
}};

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

int GetOutputFormatForChannel(int channel) {
  // Like the power bits, any channel past OUT2 answers for OUT3.
  const int output = channel >= 0 && channel < OUTPUT_COUNT ? channel : OUTPUT_COUNT - 1;
  const int pll = kOutputs[output].pll;
  return FamilyOfCode(ReadField(kPlls[pll].format), OutputsOf(pll)[1] == output);
}

void ShowOutputFormats() {
  for (const FormatPair& pair : kPairs) {
    SetCtrlVal(panelHandle, pair.ring, *pair.code);
    WriteField(FieldOf(pair.field), *pair.code);
  }
}

void SetCurrOutputFormat() {
  ShowOutputFormats();
  // Straight to the chip: the format callbacks add the look-ahead and acquisition.
  if (OpMode != OPMODE_OFFLINE) WriteChipByte(RegisterTable[IDX_DR1].address, DR1);
}

void SetDefaultOutputFormat() {
  for (const FormatPair& pair : kPairs) SetCtrlVal(panelHandle, pair.ring, 0);
}

int SetPll1OutputFormat(int, int, int event, void*, int, int) {
  return OnFormatRing(event, kPairs[0]);
}
int SetPll2OutputFormat(int, int, int event, void*, int, int) {
  return OnFormatRing(event, kPairs[1]);
}

}  // namespace qv
