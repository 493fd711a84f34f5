// The JSON definition: the exact default document, what each value is decoded
// from, and what an export leaves behind.

#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>

#include "files/panel/json_export.h"
#include "model/registers.h"
#include "tests/files/expected_files.h"
#include "tests/files/files_fixture.h"

namespace qv {
namespace {

using nlohmann::json;
using test::ReadText;

class JsonExport : public test::FilesTest {
 protected:
  json Exported() {
    const std::string path = folder.Path("def.json");
    ExportJson(path);
    EXPECT_TRUE(ui.messages.empty()) << LastMessage();
    return json::parse(ReadText(path));
  }
};

TEST_F(JsonExport, DefaultDocumentLineByLine) {
  const std::string path = folder.Path("qv3380_def.json");
  ExportJson(path);
  const std::string text = ReadText(path);
  EXPECT_EQ(text, test::DefaultJsonDocument());
  EXPECT_EQ(test::SplitLines(text).size(), 76u);
  const json document = json::parse(text);
  EXPECT_EQ(document.size(), 7u);
  EXPECT_EQ(document["FreqMap1"]["Pll2FreqConfig"]["N"], 102);
}

TEST_F(JsonExport, ValuesFollowTheRegisters) {
  struct Case {
    std::function<void()> change;
    const char* pointer;
    json expected;
  };
  auto commit = [this](int control, int value) {
    return [this, control, value] { ASSERT_EQ(Commit(control, value), UIE_NO_ERROR); };
  };
  auto load = [this](const char* registerLine) {
    return [this, registerLine] {
      std::string file = test::DefaultSetupFile();
      file.replace(file.find("</RegisterMap>"), 0, std::string(registerLine) + "\n");
      ASSERT_EQ(LoadText(file), "");
    };
  };
  const Case cases[] = {
      {commit(OUT0D, 32), "/FreqMap0/Pll1FreqConfig/D0", 32},
      {commit(OUT0D_M, 7), "/FreqMap1/Pll1FreqConfig/D0", 7},
      // Map 1 keeps OUT2 at 0x38 and OUT3 at 0x37.
      {commit(OUT2D_M, 9), "/FreqMap1/Pll2FreqConfig/D2", 9},
      {commit(OUT3V_M, 6), "/FreqMap1/Pll2FreqConfig/V3", 6},
      {commit(PLL2N_M, 120), "/FreqMap1/Pll2FreqConfig/N", 120},
      {commit(PLL2_FRAC, 300), "/FreqMap0/Pll2FreqConfig/Frac", 300},
      {commit(PLL2MODM, 4095), "/FreqMap1/Pll2FreqConfig/Mod", 4095},
      {commit(FRACSTEP, -3), "/Pll2Config/FracNConfig/SSFracWordStepSize", -3},
      {load("&h2A,&b11111101"), "/Pll2Config/FracNConfig/SSFracWordStepSize", 253},
      {commit(NUMSTEP, 5), "/Pll2Config/FracNConfig/SSNumSteps", 5},
      {commit(CKDIV, 10), "/Pll2Config/FracNConfig/SSCkDiv", 10},
      {commit(Pll2OutputFormat, 5), "/Pll2Config/OutFormatCode", 5},
      {commit(Pll1OutputFormat, 7), "/Pll1Config/OutFormatCode", 7},
      {commit(REFDIV, 1), "/RefDivEnabled", true},
      {commit(PLL1SYNC, 1), "/Pll1Config/SyncChannels", true},
      {commit(PLL2SYNC, 1), "/Pll2Config/SyncChannels", true},
      // Power flags are the inverse of the power-down bits.
      {commit(CH3POWER, 0), "/Pll2Config/Out3Powered", false},
      {commit(CH0POWER, 0), "/Pll1Config/Out0Powered", false},
      {commit(PLL2POWER, 0), "/Pll2Config/PllPowered", false},
      {commit(REFPOWER, 0), "/RefOutPowered", false},
      {commit(BLEEDSDM, 1), "/Pll2Config/FracNConfig/SdmPowered", true},
      {commit(BLEEDSDM, 1), "/Pll2Config/FracNConfig/BleedOn", true},
      {load("&h3D,&b00000001"), "/Pll2Config/FracNConfig/DitherEnabled", true},
      {load("&h29,&b01000000"), "/Pll2Config/FracNConfig/SSOvershootCompEnabled", false},
      {load("&h29,&b01000000"), "/Pll2Config/FracNConfig/SSOvershootCompBoostEnabled", true},
      {commit(REFSEL, 0), "/FreqMap1/Frefclk", "auto"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pointer);
    ASSERT_EQ(ChooseDiscarding(menubar::RESETDEFAULT), UIE_NO_ERROR);
    c.change();
    EXPECT_EQ(Exported().at(json::json_pointer(c.pointer)), c.expected);
  }
}

TEST_F(JsonExport, SpreadSpectrumStepsComeFromTwoRegisters) {
  BS2 = 2;
  BS3 = 0x80 | 10;
  const json document = Exported();
  EXPECT_EQ(document["Pll2Config"]["FracNConfig"]["SSNumSteps"], 5);
  EXPECT_EQ(document["Pll2Config"]["FracNConfig"]["SSCkDiv"], 10);
  EXPECT_EQ(document["ProductID"], 0);
}

TEST_F(JsonExport, RefreshesTheImageAndEnablesResetToLastSetupFile) {
  ASSERT_EQ(Commit(PLL1_N, 110), UIE_NO_ERROR);
  Exported();
  EXPECT_EQ(SetupImage[IDX_AF0], 0x1E);
  EXPECT_EQ(MenuDimmed(menubar::RESETCFG), 0);
  ASSERT_EQ(Commit(PLL1_N, 120), UIE_NO_ERROR);
  ASSERT_EQ(ChooseDiscarding(menubar::RESETCFG), UIE_NO_ERROR);
  EXPECT_EQ(Value(PLL1_N), 110);
}

TEST_F(JsonExport, ErrorsAreShownAndLeaveTheMenuAsItWas) {
  const std::pair<std::string, const char*> cases[] = {
      {"/nonexistent-qv3380/def.json", "No such file or directory"},
      {"/dev/full", "No space left on device"},
  };
  for (const auto& [path, reason] : cases) {
    ui.messages.clear();
    ASSERT_EQ(Commit(PLL1_N, 111), UIE_NO_ERROR);
    ExportJson(path);
    ASSERT_EQ(ui.messages.size(), 1u) << path;
    EXPECT_EQ(ui.messages[0].title, "JSON Export Error");
    EXPECT_EQ(ui.messages[0].text, "An error occurred when attempting to export the JSON file.\n" +
                                       path + ": " + reason);
    EXPECT_EQ(MenuDimmed(menubar::RESETCFG), 1);
    EXPECT_EQ(SetupImage[IDX_AF0], AF0) << "the image is replaced all the same";
  }
}

}  // namespace
}  // namespace qv
