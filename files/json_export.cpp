#include "files/json_export.h"

#include <array>
#include <string_view>

#include "files/json_writer.h"
#include "files/replace_file.h"
#include "files/setup_image.h"
#include "model/field_codec.h"
#include "model/fields.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "plan/frequency_maps.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

int Reg(int index) { return *RegisterTable[index].variable; }

struct PllSection {
  std::string_view configKey;
  std::string_view frequencyKey;
  int (*powered)();
  int syncRegister;
  int (*formatCode)(int dr1);
  int FrequencyMap::*feedbackRegister;
  // PLL2 carries the fractional-N modulator.
  bool fractional;
};

constexpr std::array<PllSection, 2> kPllSections{{
    {"Pll1Config", "Pll1FreqConfig", IsPll1Powered, IDX_ADV2, codec::DecodeFormatPll1,
     &FrequencyMap::regPll1N, false},
    {"Pll2Config", "Pll2FreqConfig", IsPll2Powered, IDX_BDV2, codec::DecodeFormatPll2,
     &FrequencyMap::regPll2N, true},
}};

struct OutputKeys {
  std::string_view powered;
  std::string_view vcoDivider;
  std::string_view outputDivider;
};

constexpr std::array<OutputKeys, OUTPUT_COUNT> kOutputKeys{{
    {"Out0Powered", "V0", "D0"},
    {"Out1Powered", "V1", "D1"},
    {"Out2Powered", "V2", "D2"},
    {"Out3Powered", "V3", "D3"},
}};

constexpr std::array<std::string_view, MAP_COUNT> kMapKeys{"FreqMap0", "FreqMap1"};

bool OnPll(int output, int pll) { return kOutputWiring[output].pll == pll; }

void WriteFracNConfig(JsonWriter& json) {
  JsonOpenObject(json, "FracNConfig");
  JsonWriteBool(json, "BleedOn", IsBitSet(BP0, 2));
  JsonWriteBool(json, "SdmPowered", IsSdmPowered());
  JsonWriteBool(json, "DitherEnabled", IsBitSet(G0, 0));
  JsonWriteBool(json, "SSOvershootCompEnabled", IsBitSet(BS0, 7));
  JsonWriteBool(json, "SSOvershootCompBoostEnabled", IsBitSet(BS0, 6));
  // The step as the variable holds it: negative after an edit, a byte after a load.
  JsonWriteInt(json, "SSFracWordStepSize", BS1);
  JsonWriteInt(json, "SSNumSteps", codec::DecodeNumStep(BS2, BS3));
  JsonWriteInt(json, "SSCkDiv", codec::DecodeCkDiv(BS3));
  JsonCloseObject(json);
}

void WritePllConfig(JsonWriter& json, int pll) {
  const PllSection& section = kPllSections[pll];
  JsonOpenObject(json, section.configKey);
  JsonWriteBool(json, "PllPowered", section.powered());
  JsonWriteBool(json, "SyncChannels", IsBitSet(Reg(section.syncRegister), 0));
  JsonWriteInt(json, "OutFormatCode", section.formatCode(DR1));
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    if (OnPll(k, pll)) JsonWriteBool(json, kOutputKeys[k].powered, IsOutputPowered(k));
  }
  if (section.fractional) WriteFracNConfig(json);
  JsonCloseObject(json);
}

void WriteFrequencyMap(JsonWriter& json, int m) {
  const FrequencyMap& map = kFrequencyMaps[m];
  JsonOpenObject(json, kMapKeys[m]);
  JsonWriteString(json, "Frefclk", "auto");
  for (int pll = 0; pll < static_cast<int>(kPllSections.size()); ++pll) {
    const PllSection& section = kPllSections[pll];
    JsonOpenObject(json, section.frequencyKey);
    JsonWriteInt(json, "N", codec::DecodeN(Reg(map.*section.feedbackRegister)));
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      if (!OnPll(k, pll)) continue;
      JsonWriteInt(json, kOutputKeys[k].vcoDivider, codec::DecodeV(Reg(map.outputs[k].reg)));
      JsonWriteInt(json, kOutputKeys[k].outputDivider, codec::DecodeD(Reg(map.outputs[k].reg)));
    }
    if (section.fractional) {
      JsonWriteInt(json, "Frac",
                   codec::DecodeFrac(Reg(map.regFracHigh), Reg(map.regFracModShared)));
      JsonWriteInt(json, "Mod", codec::DecodeMod(Reg(map.regFracModShared), Reg(map.regModLow)));
    }
    JsonCloseObject(json);
  }
  JsonCloseObject(json);
}

}  // namespace

std::string FormatJsonDefinition() {
  std::string out;
  JsonWriter json{&out};
  JsonOpenObject(json, "");
  JsonWriteInt(json, "ProductID", 0);
  JsonWriteBool(json, "RefDivEnabled", IsBitSet(G0, 1));
  JsonWriteBool(json, "RefOutPowered", IsRefOutPowered());
  for (int pll = 0; pll < static_cast<int>(kPllSections.size()); ++pll) WritePllConfig(json, pll);
  for (int m = 0; m < MAP_COUNT; ++m) WriteFrequencyMap(json, m);
  JsonCloseObject(json);
  out += "\n";
  return out;
}

int ExportJsonDefinition(const std::string& path, std::string* failure) {
  CaptureSetupImage();
  std::string reason;
  const bool written = ReplaceFileContents(path, FormatJsonDefinition(), reason);
  if (failure) *failure = reason;
  if (!written) return 0;
  SetMenuBarAttribute(GetPanelMenuBar(panelHandle), menubar::RESETCFG, ATTR_DIMMED, 0);
  return 1;
}

void OnFileExportJsonMenuClicked(int, int, void*, int) {
  std::string path;
  const int chosen = FileSelectPopup("", JSON_DEFAULT_NAME, "JSON File (*.json)",
                                     "Export JSON File", VAL_SAVE_BUTTON, 0, 0, 1, 1, &path);
  if (chosen != VAL_EXISTING_FILE_SELECTED && chosen != VAL_NEW_FILE_SELECTED) return;
  std::string failure;
  if (ExportJsonDefinition(path, &failure) == 0) {
    MessagePopup("JSON Export Error", std::string(JSON_EXPORT_ERROR) + "\n" + failure);
  }
}

}  // namespace qv
