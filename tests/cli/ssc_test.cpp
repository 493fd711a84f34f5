// qv3380 ssc: the settings printed, the exit status they earn, the file written.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "tests/cli/cli_fixture.h"

namespace qv {
namespace {

class SscCommand : public test::CliTest {
 protected:
  test::CliResult Plan(std::vector<std::string> args) {
    args.insert(args.begin(), {"ssc", board});
    return Run(args);
  }
  void SetUp() override {
    CliTest::SetUp();
    board = File("board.stp");
  }
  std::string board;
};

TEST_F(SscCommand, ExitStatusSaysHowWellTheRequestIsMet) {
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{"--downspread", "-0.5", "--fmod", "25"}, cli::EXIT_DONE},
      {{"--downspread=-0.5", "--fmod", "31.5"}, cli::EXIT_INEXACT},
      {{"--pcie"}, cli::EXIT_INEXACT},
      {{"--pcie", "--map", "1"}, cli::EXIT_INEXACT},
      {{"--downspread", "-10", "--fmod", "31.5"}, cli::EXIT_CHECK_FAILED},
      {{"--downspread", "-0.5", "--fmod", "10000"}, cli::EXIT_CHECK_FAILED},
      {{}, cli::EXIT_USAGE},
      {{"--downspread", "-0.5"}, cli::EXIT_USAGE},
      {{"--pcie", "--fmod", "30"}, cli::EXIT_USAGE},
      {{"--downspread", "0", "--fmod", "31.5"}, cli::EXIT_USAGE},
      {{"--downspread", "0.5", "--fmod", "31.5"}, cli::EXIT_USAGE},  // never read as -0.5
      {{"--downspread", "-0.5", "--fmod", "fast"}, cli::EXIT_USAGE},
      {{"--pcie", "--map", "2"}, cli::EXIT_USAGE},
      {{"--pcie", "--map", "both"}, cli::EXIT_INEXACT},
  };
  for (const Case& c : cases) {
    const test::CliResult result = Plan(c.args);
    EXPECT_EQ(result.status, c.status) << testing::PrintToString(c.args) << result.err;
  }
}

// --map both: the steps once, each map's PLL2 and depth; the file holds them.
TEST_F(SscCommand, BothMapsShareTheSteps) {
  const test::CliResult json = Plan({"--pcie", "--map", "both", "--json"});
  ASSERT_EQ(json.status, cli::EXIT_INEXACT) << json.err;
  const auto document = nlohmann::json::parse(json.out);
  EXPECT_EQ(document["map"], "both");
  ASSERT_EQ(document["plans"].size(), 2u);
  for (int map : {0, 1}) {
    const auto& plan = document["plans"][map];
    EXPECT_EQ(plan["map"], map);
    EXPECT_EQ(plan["settings"], document["plans"][0]["settings"]) << "shared steps";
    EXPECT_TRUE(plan["within_window"].get<bool>()) << map;
  }
  const test::CliResult text = Plan({"--pcie", "--map", "both"});
  for (const char* line : {"Map 0 (MARGIN low)\n", "Map 1 (MARGIN high)\n", "Map 0 PLL2: ",
                           "Map 1 PLL2: ", "Met within the window on both maps.\n"}) {
    EXPECT_NE(text.out.find(line), std::string::npos) << line << text.out;
  }
}

TEST_F(SscCommand, ReportAndJsonGiveTheSameSettings) {
  const test::CliResult text = Plan({"--pcie"});
  EXPECT_EQ(text.out,
            "Map 0 (MARGIN low)\n"
            "Downspread -0.5000 %  asked -0.5000 %  error 0\n"
            "Fmod       31.5657 kHz  asked 31.5000 kHz  error +65.7 Hz (+0.208 %)\n"
            "Window: -0.500 to 0.000 %, 30.000 to 33.000 kHz\n"
            "FracStep -2, NumSteps 198, CkDiv 2\n"
            "Map 0 PLL2: N 96, word 0, modulus 825 (was N 96, word 0, modulus 0)\n"
            "VCO2 stays at 2.400000 GHz\n"
            "Met within the window.\n"
            "Spread spectrum stays off until the board changes: the SSCG pin is low.\n");
  const auto json = nlohmann::json::parse(Plan({"--pcie", "--json"}).out);
  EXPECT_EQ(json["settings"]["fracstep"], -2);
  EXPECT_EQ(json["settings"]["numstep"], 198);
  EXPECT_EQ(json["pll2"]["mod"], 825);
  EXPECT_EQ(json["achieved"]["downspread_percent"], -0.5);
  EXPECT_TRUE(json["within_window"].get<bool>());
  EXPECT_FALSE(json["exact"].get<bool>());
  EXPECT_EQ(json["off_because"], "the SSCG pin is low");
}

TEST_F(SscCommand, OutputFileCarriesTheSettings) {
  const std::string planned = folder.Path("ssc.stp");
  ASSERT_EQ(Plan({"--downspread", "-0.5", "--fmod", "25", "--map", "1", "-o", planned}).status,
            cli::EXIT_DONE);
  const auto panel = nlohmann::json::parse(Run({"show", planned, "--json"}).out).at("panel");
  // Map 1's N is 102: -51 x 25 / 2500 / 102 = -0.5 %, 25 MHz / (2 x 25 x 20) = 25 kHz.
  EXPECT_EQ(panel["FRACSTEP"]["value"], -51);
  EXPECT_EQ(panel["NUMSTEP"]["value"], 25);
  EXPECT_EQ(panel["CKDIV"]["value"], 20);
  EXPECT_EQ(panel["BLEEDSDM"]["value"], 1);
  EXPECT_EQ(panel["PLL2MODM"]["value"], 2500);
  EXPECT_EQ(panel["PLL2_MOD"]["value"], 0) << "map 0 untouched";
}

}  // namespace
}  // namespace qv
