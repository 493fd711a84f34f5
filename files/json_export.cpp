#include "files/json_export.h"

#include <array>
#include <string_view>

#include "chip/fields.h"
#include "files/baseline.h"
#include "files/json_writer.h"
#include "files/replace_file.h"
#include "files/setup_image.h"
#include "model/fields.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

struct PllSection {
  std::string_view configKey;
  std::string_view frequencyKey;
};

constexpr std::array<PllSection, PLL_COUNT> kPllSections{{
    {"Pll1Config", "Pll1FreqConfig"},
    {"Pll2Config", "Pll2FreqConfig"},
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

int Read(SharedField field) { return ReadField(field); }
int Read(int map, MapField field) { return ReadField(FieldOf(map, field)); }

void WriteFracNConfig(JsonWriter& json) {
  JsonOpenObject(json, "FracNConfig");
  JsonWriteBool(json, "BleedOn", Read(SharedField::Bleed));
  JsonWriteBool(json, "SdmPowered", IsSdmPowered());
  JsonWriteBool(json, "DitherEnabled", Read(SharedField::Dither));
  JsonWriteBool(json, "SSOvershootCompEnabled", Read(SharedField::OvershootComp));
  JsonWriteBool(json, "SSOvershootCompBoostEnabled", Read(SharedField::OvershootBoost));
  // The step as the variable holds it: negative after an edit, a byte after a load.
  JsonWriteInt(json, "SSFracWordStepSize", BS1);
  JsonWriteInt(json, "SSNumSteps", Read(SharedField::StepCount));
  JsonWriteInt(json, "SSCkDiv", Read(SharedField::ClockDivider));
  JsonCloseObject(json);
}

void WritePllConfig(JsonWriter& json, int pll) {
  const PllFacts& facts = kPlls[pll];
  JsonOpenObject(json, kPllSections[pll].configKey);
  JsonWriteBool(json, "PllPowered", Read(facts.powerDown) == 0);
  JsonWriteBool(json, "SyncChannels", Read(facts.sync));
  JsonWriteInt(json, "OutFormatCode", Read(facts.format));
  for (int k : OutputsOf(pll)) JsonWriteBool(json, kOutputKeys[k].powered, IsOutputPowered(k));
  if (facts.fractional) WriteFracNConfig(json);
  JsonCloseObject(json);
}

void WriteFrequencyMap(JsonWriter& json, int m) {
  JsonOpenObject(json, kMapKeys[m]);
  JsonWriteString(json, "Frefclk", "auto");
  for (int pll = 0; pll < PLL_COUNT; ++pll) {
    const PllFacts& facts = kPlls[pll];
    JsonOpenObject(json, kPllSections[pll].frequencyKey);
    JsonWriteInt(json, "N", Read(m, facts.feedback));
    for (int k : OutputsOf(pll)) {
      JsonWriteInt(json, kOutputKeys[k].vcoDivider, Read(m, VcoDividerField(k)));
      JsonWriteInt(json, kOutputKeys[k].outputDivider, Read(m, OutputDividerField(k)));
    }
    if (facts.fractional) {
      JsonWriteInt(json, "Frac", Read(m, MapField::Frac));
      JsonWriteInt(json, "Mod", Read(m, MapField::Mod));
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
  JsonWriteBool(json, "RefDivEnabled", Read(SharedField::RefDivider));
  JsonWriteBool(json, "RefOutPowered", IsRefOutPowered());
  for (int pll = 0; pll < PLL_COUNT; ++pll) WritePllConfig(json, pll);
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
  SetBaselineToCurrent(BaselineOrigin::JsonExport, path);
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
