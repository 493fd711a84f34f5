// qv3380 read, verify, export and diff: what each prints, its exit status, and
// that reading the chip never writes to it.

#include <gtest/gtest.h>

#include <filesystem>
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
  const std::string dump = File("dump.sh",
                                "i2cset -y 1 0x40 0x18 0x16\n"
                                "i2cset -y 1 0x50 0x00 0x01\n"
                                "i2cset -y 1 0x40 0x3A 0x45\n");
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
      // Why a transfer failed is asked of the adapters of the machine: the
      // simulator's table test has the whole text.
      {{"read", "-o", out}, Chip::Silent, cli::EXIT_CHIP, "",
       ": the connection check's read of register 0x3F gave 0: no QV3380 answers at 0x80 behind "
       "the adapter\n"},
      {{"read", "-o", out}, Chip::FailingDr1, cli::EXIT_CHIP, "",
       ": the read of register DR1 (0x3A) failed: "},
      {{"read", "--like", refused, "-o", out}, Chip::Programmed, cli::EXIT_FILE_REFUSED, "",
       "qv3380: " + refused + ": Line 1 invalid."},
      {{"read"}, Chip::Programmed, cli::EXIT_USAGE, "", "qv3380: read: --output is required"},
      {{"verify", chip}, Chip::Programmed, cli::EXIT_DONE,
       "Chip matches " + chip + " (32 registers)\n", ""},
      {{"verify", off}, Chip::Programmed, cli::EXIT_DIFFERS,
       "PLL1 feedback divider N, map 0: expected 100, chip holds 102\n"
       "OUT0 output divider, map 0: expected 5, chip holds 4\n",
       "The chip differs from " + off + " in 2 fields (2 registers).\n"},
      {{"verify", chip}, Chip::NoAdapter, cli::EXIT_CHIP, "",
       ": the connection check's read of register 0x3F failed: "},
      {{"verify", refused}, Chip::Programmed, cli::EXIT_FILE_REFUSED, "",
       "qv3380: " + refused + ": Line 1 invalid."},
      {{"export", chip, "--format", "HEX", "-o", "-"}, Chip::Programmed, cli::EXIT_DONE,
       "#0### QV3380 programming sequence\n", ""},
      {{"export", chip, "--format", "bin", "-o", "-"}, Chip::Programmed, cli::EXIT_USAGE, "",
       "qv3380: export: --format must be one of "},
      {{"export", refused, "--format", "c", "-o", "-"}, Chip::Programmed, cli::EXIT_FILE_REFUSED,
       "", "qv3380: " + refused + ": Line 1 invalid."},
      {{"export", chip, "--format", "i2c", "-o", folder.Path("none/x.sh")}, Chip::Programmed,
       cli::EXIT_FILE_REFUSED, "",
       "qv3380: " + folder.Path("none/x.sh") +
           ": An error occurred when attempting to export the registers.\nqv3380: " +
           folder.Path("none/x.sh") + ": No such file or directory\n"},
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
      {{"diff", plain, refused}, Chip::Programmed, cli::EXIT_FILE_REFUSED, "",
       "qv3380: " + refused + ": Line 1 invalid."},
      {{"export", plain, "--format", "csv", "--i2c-bus-label", "i2c1", "-o", "-"}, Chip::Programmed,
       cli::EXIT_USAGE, "", "qv3380: export: --i2c-bus-label goes with --format dts\n"},
      {{"export", plain, "--format", "dts", "--i2c-bus-label", "1x", "-o", "-"}, Chip::Programmed,
       cli::EXIT_USAGE, "", "qv3380: export: \"1x\" is not a device-tree label"},
      {{"export", plain, "--format", "uboot", "--i2c-bus", "300", "-o", "-"}, Chip::Programmed,
       cli::EXIT_USAGE, "", "qv3380: export: I2C bus 300 is not a bus number from 0 to 255\n"},
      {{"export", plain, "--format", "uboot", "--i2c-bus", "3", "-o", "-"}, Chip::Programmed,
       cli::EXIT_DONE, "# QV3380 programming sequence for U-Boot\n", ""},
      {{"import", dump, "-o", out}, Chip::Programmed, cli::EXIT_DONE,
       "Imported 2 registers from dump.sh (i2c-tools script).\nNot placed:\n"
       "  line 2: a write to chip 0x50, not the QV3380 at 0x40\n"
       "  BP0 (0x11) is not in the input: its default 0x00 is used\n", ""},
      {{"import", dump, "-o", "-"}, Chip::Programmed, cli::EXIT_DONE,
       ";Header contains information", "Imported 2 registers from dump.sh"},
      {{"import", refused, "-o", out}, Chip::Programmed, cli::EXIT_FILE_REFUSED, "",
       "qv3380: " + refused + ": No registers found: the file is not an i2cdump"},
      {{"import", folder.Path("none.txt"), "-o", out}, Chip::Programmed, cli::EXIT_FILE_REFUSED, "",
       "qv3380: " + folder.Path("none.txt") + ": Unable to read " + folder.Path("none.txt") +
           ": No such file or directory.\n"},
      {{"import", dump, "--like", refused, "-o", out}, Chip::Programmed, cli::EXIT_FILE_REFUSED, "",
       "qv3380: " + refused + ": Line 1 invalid."},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    Program(c.chip);
    const test::CliResult result = Run(c.args);
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_TRUE(result.out.starts_with(c.out)) << result.out;
    EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
    if (c.args[0] == "read" || c.args[0] == "verify") {
      EXPECT_TRUE(Bridge().Writes().empty()) << test::Describe(Bridge().log);
    }
  }
}

// MARGIN may switch on the board: a failure of either map keeps the plan from
// firmware and from the chip, until --force; editing and saving never block.
TEST_F(HandoffCli, PlansThatFailGoNowhereUnlessForced) {
  const std::string failing =
      File("failing.stp", Replaced(DefaultSetupFile(), kDefaultAf0, "&h18,&b00011110"));
  const std::string out = folder.Path("out.h");
  const std::string said = "qv3380: " + failing + ": ";
  const std::string failures =
      said + "The plan fails 2 checks:\n" + said +
      "  Map 0 (MARGIN low): VCO1 2.75000 GHz is above 2.55 GHz\n" + said +
      "  Map 0 (MARGIN low): PLL1 N 110 is above the range 86 <= N <= 102\n" + said;
  const std::string notExported =
      "Nothing was written; --force writes it all the same, with the failures in its header.\n";
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
    bool fileWritten;
    bool chipWritten;
  };
  const Case cases[] = {
      {{"export", failing, "--format", "c", "-o", out},
       cli::EXIT_CHECK_FAILED,
       failures + notExported,
       false,
       false},
      {{"export", failing, "--format", "linux-firmware", "-o", "-"},
       cli::EXIT_CHECK_FAILED,
       failures + notExported,
       false,
       false},
      {{"apply", failing},
       cli::EXIT_CHECK_FAILED,
       failures + "Nothing was written to the chip; --force writes it all the same.\n",
       false,
       false},
      {{"export", failing, "--format", "c", "--force", "-o", out}, cli::EXIT_DONE, "", true, false},
      {{"apply", failing, "--force"}, cli::EXIT_DONE, "", false, true},
      {{"edit", failing, "--online", "--set", "PLL1_N=111", "-o", out},
       cli::EXIT_DONE,
       "",
       true,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[c.args.size() - 2] + " " + c.args.back());
    std::filesystem::remove(out);
    Program(Chip::Programmed);
    const test::CliResult result = Run(c.args);
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(std::filesystem::exists(out), c.fileWritten);
    EXPECT_EQ(!Bridge().Writes().empty(), c.chipWritten) << test::Describe(Bridge().log);
    if (c.status == cli::EXIT_CHECK_FAILED) {
      EXPECT_EQ(result.out, "");
      EXPECT_TRUE(Bridge().log.empty()) << "refused before the chip is even asked";
    }
  }
  EXPECT_NE(test::ReadText(out).find("&h18,&b00011111"), std::string::npos)
      << "the edit saved its failing plan";
  ASSERT_EQ(Run({"export", failing, "--format", "c", "--force", "-o", out}).status, 0);
  EXPECT_NE(test::ReadText(out).find(
                " * WARNING: exported all the same, although the plan fails 2 checks:\n"
                " *   Map 0 (MARGIN low): VCO1 2.75000 GHz is above 2.55 GHz\n"),
            std::string::npos);
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
  EXPECT_EQ(document["schema"], "qv3380.diff");
  EXPECT_EQ(document["version"], 2);
  EXPECT_DOUBLE_EQ(document["fields"][0]["outputs"][0]["new_mhz"].get<double>(), 159.375);
  EXPECT_EQ(document["board"][0]["new"], "high");
  EXPECT_EQ(document["frequencies"].size(), 2u);
}

}  // namespace
}  // namespace qv
