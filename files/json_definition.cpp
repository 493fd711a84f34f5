#include "files/json_definition.h"

#include <array>
#include <string_view>

#include "chip/field_codec.h"
#include "files/json_writer.h"

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

// The register image the document describes.
class Decoder {
 public:
  explicit Decoder(const RegisterImage& registers) : registers_(registers) {}
  int operator()(SharedField field) const { return codec::DecodeField(FieldOf(field), registers_); }
  int operator()(int map, MapField field) const {
    return codec::DecodeField(FieldOf(map, field), registers_);
  }
  bool Powered(SharedField powerDown) const { return (*this)(powerDown) == 0; }
  int Raw(int index) const { return registers_[index]; }

 private:
  const RegisterImage& registers_;
};

void WriteFracNConfig(JsonWriter& json, const Decoder& read) {
  JsonOpenObject(json, "FracNConfig");
  JsonWriteBool(json, "BleedOn", read(SharedField::Bleed));
  JsonWriteBool(json, "SdmPowered", read.Powered(SharedField::SdmPowerDown));
  JsonWriteBool(json, "DitherEnabled", read(SharedField::Dither));
  JsonWriteBool(json, "SSOvershootCompEnabled", read(SharedField::OvershootComp));
  JsonWriteBool(json, "SSOvershootCompBoostEnabled", read(SharedField::OvershootBoost));
  // The step as the variable holds it: negative after an edit, a byte after a load.
  JsonWriteInt(json, "SSFracWordStepSize", read.Raw(IDX_BS1));
  JsonWriteInt(json, "SSNumSteps", read(SharedField::StepCount));
  JsonWriteInt(json, "SSCkDiv", read(SharedField::ClockDivider));
  JsonCloseObject(json);
}

void WritePllConfig(JsonWriter& json, const Decoder& read, int pll) {
  const PllFacts& facts = kPlls[pll];
  JsonOpenObject(json, kPllSections[pll].configKey);
  JsonWriteBool(json, "PllPowered", read(facts.powerDown) == 0);
  JsonWriteBool(json, "SyncChannels", read(facts.sync));
  JsonWriteInt(json, "OutFormatCode", read(facts.format));
  for (int k : OutputsOf(pll))
    JsonWriteBool(json, kOutputKeys[k].powered, read.Powered(kOutputs[k].powerDown));
  if (facts.fractional) WriteFracNConfig(json, read);
  JsonCloseObject(json);
}

void WriteFrequencyMap(JsonWriter& json, const Decoder& read, int m) {
  JsonOpenObject(json, kMapKeys[m]);
  JsonWriteString(json, "Frefclk", "auto");
  for (int pll = 0; pll < PLL_COUNT; ++pll) {
    const PllFacts& facts = kPlls[pll];
    JsonOpenObject(json, kPllSections[pll].frequencyKey);
    JsonWriteInt(json, "N", read(m, facts.feedback));
    for (int k : OutputsOf(pll)) {
      JsonWriteInt(json, kOutputKeys[k].vcoDivider, read(m, VcoDividerField(k)));
      JsonWriteInt(json, kOutputKeys[k].outputDivider, read(m, OutputDividerField(k)));
    }
    if (facts.fractional) {
      JsonWriteInt(json, "Frac", read(m, MapField::Frac));
      JsonWriteInt(json, "Mod", read(m, MapField::Mod));
    }
    JsonCloseObject(json);
  }
  JsonCloseObject(json);
}

}  // namespace

std::string FormatJsonDefinition(const RegisterImage& registers) {
  const Decoder read(registers);
  std::string out;
  JsonWriter json{&out};
  JsonOpenObject(json, "");
  JsonWriteInt(json, "ProductID", 0);
  JsonWriteBool(json, "RefDivEnabled", read(SharedField::RefDivider));
  JsonWriteBool(json, "RefOutPowered", read.Powered(SharedField::RefOutPowerDown));
  for (int pll = 0; pll < PLL_COUNT; ++pll) WritePllConfig(json, read, pll);
  for (int m = 0; m < MAP_COUNT; ++m) WriteFrequencyMap(json, read, m);
  JsonCloseObject(json);
  out += "\n";
  return out;
}

}  // namespace qv
