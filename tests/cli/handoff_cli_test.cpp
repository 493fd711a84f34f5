// qv3380 read, verify, export and diff: what each prints, its exit status, and
// that reading the chip never writes to it.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "bridge/hidbridge.h"
#include "chip/registers.h"
#include "cli/exit_status.h"
#include "tests/cli/cli_fixture.h"

namespace qv {
namespace {

using test::Bridge;
using test::DefaultSetupFile;

constexpr char kDefaultAf0[] = "&h18,&b00010100   ;14 Hex, 020 Dec (default)";
constexpr char kDefaultAdv0[] = "&h22,&b10000100   ;84 Hex, 132 Dec (default)";

enum class Chip { Programmed, Silent, FailingDr1, NoAdapter };

class HandoffCli : public test::CliTest {
 protected:
  // The defaults with PLL1 N 102 and the look-ahead bit, as `apply` of chip.stp leaves it.
  static void Program(Chip state) {
    Bridge().Reset();
    const RegisterImage image = DefaultRegisterImage();
    for (int i = 0; i < REGISTER_COUNT; ++i) Bridge().chip[kRegisters[i].address] = image[i];
    Bridge().chip[0x18] = 0x16;
    Bridge().chip[0x40] = 0x02;
    Bridge().chip[0x3F] = state == Chip::Silent ? 0 : 0x38;
    if (state == Chip::FailingDr1) Bridge().failingRead = {0x3A, HIDBRIDGE_NO_REPLY};
    if (state == Chip::NoAdapter) Bridge().forcedResult = HIDBRIDGE_NO_ADAPTER;
  }
};

TEST_F(HandoffCli, ExitStatusesAndOutputs) {
  const std::string chip =
      File("chip.stp", Replaced(DefaultSetupFile(), kDefaultAf0, "&h18,&b00010110"));
  const std::string plain = File("plain.stp");
  const std::string refused = File("refused.stp", "junk\n");
  const std::string off =
      File("off.stp", Replaced(DefaultSetupFile(), kDefaultAdv0, "&h22,&b10000101"));
  const std::string out = folder.Path("out.stp");
  struct Case {
    std::vector<std::string> args;
    Chip chip;
    int status;
    std::string out;  // the start of standard output
    std::string err;  // the start of standard error
  };
  // clang-format off
  const Case cases[] = {
      {{"read", "-o", "-"}, Chip::Programmed, cli::EXIT_DONE, ";Header contains information", ""},
      {{"read", "-o", out}, Chip::Silent, cli::EXIT_CHIP, "", "I2C communication failure"},
      {{"read", "-o", out}, Chip::FailingDr1, cli::EXIT_CHIP, "",
       "Register DR1 (0x3A) could not be read: no reply from adapter.\n"},
      {{"read", "--like", refused, "-o", out}, Chip::Programmed, cli::EXIT_FILE_REFUSED, "",
       "Line 1 invalid."},
      {{"read"}, Chip::Programmed, cli::EXIT_USAGE, "", "qv3380: read: --output is required"},
      {{"verify", chip}, Chip::Programmed, cli::EXIT_DONE,
       "Chip matches " + chip + " (32 registers)\n", ""},
      {{"verify", off}, Chip::Programmed, cli::EXIT_DIFFERS,
       "PLL1 feedback divider N, map 0: expected 100, chip holds 102\n"
       "OUT0 output divider, map 0: expected 5, chip holds 4\n",
       "The chip differs from " + off + " in 2 fields (2 registers).\n"},
      {{"verify", chip}, Chip::NoAdapter, cli::EXIT_CHIP, "", "I2C communication failure"},
      {{"verify", refused}, Chip::Programmed, cli::EXIT_FILE_REFUSED, "", "Line 1 invalid."},
      {{"export", chip, "--format", "HEX", "-o", "-"}, Chip::Programmed, cli::EXIT_DONE,
       "# QV3380 programming sequence\n", ""},
      {{"export", chip, "--format", "bin", "-o", "-"}, Chip::Programmed, cli::EXIT_USAGE, "",
       "qv3380: export: --format"},
      {{"export", refused, "--format", "c", "-o", "-"}, Chip::Programmed, cli::EXIT_FILE_REFUSED,
       "", "Line 1 invalid."},
      {{"export", chip, "--format", "i2c", "-o", folder.Path("none/x.sh")}, Chip::Programmed,
       cli::EXIT_FILE_REFUSED, "", "An error occurred when attempting to export the registers.\n"},
      {{"diff", plain, plain}, Chip::Programmed, cli::EXIT_DONE,
       plain + " and " + plain + " are the same (32 registers, pins and reference settings).\n",
       ""},
      {{"diff", plain, chip}, Chip::Programmed, cli::EXIT_DIFFERS,
       chip + " differs from " + plain + " in 1 field (1 register).\n"
       "Registers:\n"
       "  AF0 (0x18): 0x14 -> 0x16\n"
       "Fields:\n"
       "  PLL1 feedback divider N, map 0: 100 -> 102; OUT0 156.25000 -> 159.37500 MHz, "
       "OUT1 125.00000 -> 127.50000 MHz\n", ""},
      {{"diff", plain, refused}, Chip::Programmed, cli::EXIT_FILE_REFUSED, "", "Line 1 invalid."},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    Program(c.chip);
    const test::CliResult result = Run(c.args);
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_TRUE(result.out.starts_with(c.out)) << result.out;
    EXPECT_TRUE(result.err.starts_with(c.err)) << result.err;
    if (c.args[0] == "read" || c.args[0] == "verify") {
      EXPECT_TRUE(Bridge().Writes().empty()) << test::Describe(Bridge().log);
    }
  }
}

TEST_F(HandoffCli, ReadTakesTheChipsRegistersAndThePinsOfLike) {
  Program(Chip::Programmed);
  const std::string like =
      File("like.stp", Replaced(DefaultSetupFile(), "MARGIN=&h0", "MARGIN=&h1"));
  const std::string out = folder.Path("read.stp");
  ASSERT_EQ(Run({"read", "--like", like, "-o", out}).status, cli::EXIT_DONE);
  EXPECT_EQ(test::ReadText(out),
            Replaced(DefaultSetupFile(), {{kDefaultAf0, "&h18,&b00010110   ;16 Hex, 022 Dec"},
                                          {"&h40,&b00000000   ;00 Hex, 000 Dec (default)",
                                           "&h40,&b00000010   ;02 Hex, 002 Dec"},
                                          {"MARGIN=&h0", "MARGIN=&h1"}}));
}

TEST_F(HandoffCli, DiffAsJson) {
  const std::string after = File(
      "b.stp",
      Replaced(DefaultSetupFile(), {{kDefaultAf0, "&h18,&b00010110"}, {"SSCG=&h0", "SSCG=&h1"}}));
  const test::CliResult result = Run({"diff", File("a.stp"), after, "--json"});
  ASSERT_EQ(result.status, cli::EXIT_DIFFERS) << result.err;
  const nlohmann::json document = nlohmann::json::parse(result.out);
  EXPECT_FALSE(document["equal"]);
  EXPECT_EQ(document["registers"][0],
            (nlohmann::json{{"name", "AF0"}, {"address", 0x18}, {"old", 0x14}, {"new", 0x16}}));
  EXPECT_EQ(document["fields"][0]["name"], "PLL1 feedback divider N, map 0");
  EXPECT_DOUBLE_EQ(document["fields"][0]["outputs"][0]["newMHz"].get<double>(), 159.375);
  EXPECT_EQ(document["board"][0]["new"], "high");
  EXPECT_EQ(document["frequencies"].size(), 2u);
}

}  // namespace
}  // namespace qv
