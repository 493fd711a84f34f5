// qv3380 solve: the plan printed, the exit status it promises, the file it writes.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "tests/files/expected_files.h"
#include "tests/files/temp_folder.h"
#include "tests/support/program_fixture.h"

namespace qv {
namespace {

class Solve : public test::ProgramTest {
 protected:
  struct Result {
    int status;
    std::string out;
    std::string err;
  };
  Result Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"solve", board});
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out, err;
    const int status = cli::RunCli(views, out, err, [](double) {});
    return {status, out.str(), err.str()};
  }
  void SetUp() override {
    ProgramTest::SetUp();
    board = folder.Path("board.stp");
    test::WriteText(board, test::DefaultSetupFile());
  }
  test::TempFolder folder;
  std::string board;
};

TEST_F(Solve, ExitStatusSaysHowWellTheTargetsAreMet) {
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{"--out0", "156.25", "--out1", "125"}, cli::EXIT_DONE},
      {{"--out2", "161.1328125"}, cli::EXIT_DONE},
      {{"--out0", "33.333333"}, cli::EXIT_INEXACT},
      {{"--out0", "700"}, cli::EXIT_CHECK_FAILED},
      {{}, cli::EXIT_USAGE},
      {{"--out0", "fast"}, cli::EXIT_USAGE},
      {{"--out0", "-5"}, cli::EXIT_USAGE},
      {{"--out4", "100"}, cli::EXIT_USAGE},
      {{"--out0", "100", "--map", "2"}, cli::EXIT_USAGE},
      {{"--out0", "100", "--map", "both"}, cli::EXIT_DONE},
      {{"--out0", "100", "--out3", "700", "--map", "both"}, cli::EXIT_CHECK_FAILED},
      // The best integer plan is some hundred ppm off; with it preferred, inexact.
      {{"--out2", "161.1328125", "--prefer-integer-within", "100000"}, cli::EXIT_INEXACT},
      {{"--out2", "161.1328125", "--prefer-integer-within", "0"}, cli::EXIT_DONE},
      {{"--out2", "161.1328125", "--prefer-integer-within", "-1"}, cli::EXIT_USAGE},
      {{"--out2", "161.1328125", "--prefer-integer-within", "some"}, cli::EXIT_USAGE},
  };
  for (const Case& c : cases) {
    const Result result = Run(c.args);
    EXPECT_EQ(result.status, c.status) << testing::PrintToString(c.args) << result.err;
  }
}

TEST_F(Solve, ReportNamesTheDividersAndTheError) {
  const Result result = Run({"--out0", "33.333333", "--out3", "700"});
  EXPECT_NE(result.out.find("Plan for map 0 (MARGIN low) at PFD 25.00000 MHz"), std::string::npos);
  EXPECT_NE(result.out.find("OUT0        33.333333      33.333333       +0.010"), std::string::npos)
      << "signed: " << result.out;
  EXPECT_NE(result.out.find("OUT OF REACH"), std::string::npos);
  EXPECT_NE(result.out.find("Out of reach: OUT3 700 MHz (closest 637.500000)"), std::string::npos);
}

TEST_F(Solve, JsonIsValidAndComplete) {
  const Result result = Run({"--out2", "161.1328125", "--json"});
  const auto document = nlohmann::json::parse(result.out);
  EXPECT_EQ(document["schema"], "qv3380.solve");
  EXPECT_EQ(document["version"], 2);
  EXPECT_EQ(document["map"], 0);
  EXPECT_EQ(document["pll2"]["n"], 90) << "the smaller modulus wins a tie";
  EXPECT_EQ(document["pll2"]["mod"], 64);
  EXPECT_EQ(document["pll2"]["frac"], 15);
  EXPECT_TRUE(document["sdm_needed"].get<bool>());
  EXPECT_FALSE(document["pll1"]["changed"].get<bool>());
  EXPECT_DOUBLE_EQ(document["out2"]["achieved_hz"].get<double>(), 161132812.5);
  EXPECT_FALSE(document["out0"]["wanted"].get<bool>());
}

TEST_F(Solve, OutputFileCarriesThePlanInTheChosenMap) {
  const std::string planned = folder.Path("planned.stp");
  ASSERT_EQ(Run({"--out0", "125", "--out2", "161.1328125", "--map", "1", "-o", planned}).status,
            cli::EXIT_DONE);
  std::vector<std::string_view> show{"show", planned, "--json"};
  std::ostringstream out, err;
  ASSERT_EQ(cli::RunCli(show, out, err, [](double) {}), cli::EXIT_DONE) << err.str();
  const auto panel = nlohmann::json::parse(out.str()).at("panel");
  EXPECT_EQ(panel["OUT0FREQM"]["value"], " 125.00000");
  EXPECT_EQ(panel["OUT2FREQM"]["value"], " 161.13281");
  EXPECT_EQ(panel["Out0Freq"]["value"], " 156.25000") << "map 0 untouched";
  EXPECT_EQ(panel["BLEEDSDM"]["value"], 1);
}

// --map both: the same targets on each map, in the file and in the JSON; an
// error is signed there too.
TEST_F(Solve, BothMapsCarryThePlan) {
  const Result json = Run({"--out0", "156.26", "--map", "both", "--json"});
  const auto document = nlohmann::json::parse(json.out);
  EXPECT_EQ(document["map"], "both");
  ASSERT_EQ(document["plans"].size(), 2u);
  for (int map : {0, 1}) {
    const auto& plan = document["plans"][map];
    EXPECT_EQ(plan["map"], map);
    const double achieved = plan["out0"]["achieved_hz"].get<double>();
    const double ppm = plan["out0"]["error_ppm"].get<double>();
    EXPECT_NEAR(ppm, (achieved - 156.26e6) / 156.26e6 * 1e6, 1e-6) << "signed";
  }
  const std::string planned = folder.Path("both.stp");
  ASSERT_EQ(Run({"--out0", "125", "--out2", "161.1328125", "--map", "both", "-o", planned}).status,
            cli::EXIT_DONE);
  std::vector<std::string_view> show{"show", planned, "--json"};
  std::ostringstream out, err;
  ASSERT_EQ(cli::RunCli(show, out, err, [](double) {}), cli::EXIT_DONE) << err.str();
  const auto panel = nlohmann::json::parse(out.str()).at("panel");
  for (const char* control : {"Out0Freq", "OUT0FREQM"}) {
    EXPECT_EQ(panel[control]["value"], " 125.00000") << control;
  }
  for (const char* control : {"Out2Freq", "OUT2FREQM"}) {
    EXPECT_EQ(panel[control]["value"], " 161.13281") << control;
  }
}

}  // namespace
}  // namespace qv
