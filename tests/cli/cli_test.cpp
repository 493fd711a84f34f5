// qv3380 from the command line: each command's output and exit status, edits
// that equal a user's commits, and the wire traffic of the online commands.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "bridge/hidbridge.h"
#include "cli/cli_session.h"
#include "files/panel/setup_file_loading.h"
#include "files/panel/setup_file_saving.h"
#include "files/setup_file_reader.h"
#include "tests/cli/cli_fixture.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

using nlohmann::json;
using test::Bridge;
using test::DefaultSetupFile;
using test::ReadText;
using test::WireEvent;
using test::WriteText;

using test::CliResult;

class Cli : public test::CliTest {
 protected:
  // Online as the user starts it, through the fixture's front end.
  void StartOnlineByHand() {
    Start();
    ASSERT_EQ(Store().PressButton(startupPanelHandle, startuppnl::RUNONLINE), UIE_NO_ERROR);
    ASSERT_EQ(Press(CheckConnectionButton), UIE_NO_ERROR);
  }
  void OpenByHand(const std::string& path) {
    ui.fileAnswers.push_back({VAL_EXISTING_FILE_SELECTED, path});
    ASSERT_EQ(Choose(menubar::IMPORT), UIE_NO_ERROR);
    ASSERT_TRUE(ui.messages.empty());
  }
  void RestartFixture() {
    TearDown();
    SetUp();
  }
};

TEST_F(Cli, UsageErrors) {
  const std::string file = File("a.stp");
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command: frobnicate"},
      {{"--frobnicate"}, "unknown option: --frobnicate"},
      {{"check"}, "check: FILE is required"},
      {{"check", file, file}, "check: unexpected argument: " + file},
      {{"check", file, "--json"}, "check: unexpected argument: --json"},
      {{"show", file, "-o", "x"}, "show: unexpected arguments: -o x"},
      {{"show", file, "--online"}, "show: unexpected argument: --online"},
      {{"edit", file, "--set", "PLL1_N=100"}, "edit: --output is required"},
      {{"edit", file, "--set", "PLL1_N", "-o", "x"},
       "edit: --set: expected CONTROL=VALUE, not \"PLL1_N\""},
      {{"edit", file, "--set", "=5", "-o", "x"}, "edit: --set: expected CONTROL=VALUE, not \"=5\""},
      {{"edit", file, "--set"}, "edit: --set needs a value (CONTROL=VALUE)\n"},
      {{"edit", file, "-o"}, "edit: --output needs a value (PATH)\n"},
      {{"edit", file, "--output", "a", "-o", "b"}, "edit: --output may be given only once\n"},
      {{"edit", file, "--adapter", "A", "-o", "x"}, "edit: --adapter needs --online\n"},
      {{"apply", file, "--adapter"}, "apply: --adapter needs a value (SERIAL|PATH)\n"},
      {{"export-json", file}, "export-json: --output is required"},
      {{"new"}, "new: --output is required"},
      {{"new", "-o", "x", "--", "y"}, "new: unexpected argument: y\n"},
      {{"new", "-o", "x", "--", "y", "z"}, "new: unexpected arguments: y z\n"},
      {{"--trace"}, "no command given\n"},
      {{"show", file, "--json=maybe"}, "show: --json takes no value\n"},
      {{"export", file, "--format", "xml", "-o", "x"},
       "export: --format must be one of c, csv, hex, i2c, dts, uboot, linux-firmware\n"},
      {{"export", file, "--format", "c", "--i2c-bus", "one", "-o", "-"},
       "export: --i2c-bus: \"one\" is not a number\n"},
      {{"ssc", file, "--pcie", "--downspread", "-1"},
       "ssc: --pcie and --downspread cannot be given together\n"},
      {{"ssc", file, "--downspread", "0.5", "--fmod", "31.5"},
       "ssc: --downspread: \"0.5\" is above 0: the chip only spreads down, so give it as -0.5\n"},
      {{"ssc", file, "--downspread", "-0.5", "--fmod", "0"},
       "ssc: --fmod: \"0\" is not a frequency in kHz above 0\n"},
      {{"report", file, "-o", "x.svg", "--map", "3"}, "report: --map must be one of 0, 1\n"},
      {{"apply", file, "--set", "A=1"}, "apply: unexpected arguments: --set A=1"},
      {{"solve", file}, "solve: one of --out0 .. --out3 is required"},
      {{"solve", file, "--out0", "fast"}, "solve: --out0: \"fast\" is not a frequency in MHz"},
      {{"solve", file, "--out1=-5"}, "solve: --out1: \"-5\" is not a frequency in MHz"},
      {{"solve", file, "--out2", "0x10"}, "solve: --out2: \"0x10\" is not a frequency in MHz"},
      {{"solve", file, "--out0", "100", "--map", "2"}, "solve: --map must be one of 0, 1, both\n"},
      {{"solve", file, "--out0"}, "solve: --out0 needs a value (MHZ)\n"},
      {{"solve", file, "--out0", "100", "--out4", "1"}, "solve: unexpected arguments: --out4 1"},
      {{"solve", file, "--out0", "100", "--json", "-o", "-"},
       "solve: --json and -o - cannot both write to standard output"},
  };
  for (const Case& c : cases) {
    const CliResult result = Run(c.args);
    EXPECT_EQ(result.status, cli::EXIT_USAGE) << c.error;
    EXPECT_TRUE(result.err.starts_with("qv3380: " + c.error)) << result.err;
    EXPECT_TRUE(result.err.ends_with("Try 'qv3380 --help'.\n")) << result.err;
    EXPECT_EQ(result.out, "");
  }
  EXPECT_TRUE(Bridge().log.empty());
}

TEST_F(Cli, HelpAndVersion) {
  for (const char* help : {"--help", "-h"}) {
    const CliResult result = Run({help});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("Usage: qv3380 [OPTIONS] COMMAND"), std::string::npos) << result.out;
    EXPECT_EQ(result.err, "");
  }
  // As GNU asks: the version, the copyright line of LICENSE, the licence.
  for (const char* version : {"--version", "-V"}) {
    EXPECT_EQ(Run({version}).out,
              "qv3380 1.0.0\n"
              "Copyright (c) the QV3380 tool developers\n"
              "License MIT: the terms in the file LICENSE that comes with the program.\n"
              "This is free software: you are free to change and redistribute it.\n"
              "There is NO WARRANTY, to the extent permitted by law.\n");
  }
}

TEST_F(Cli, NewWritesTheFileOfAFreshStart) {
  const std::string path = folder.Path("new.stp");
  const CliResult result = Run({"new", "-o", path});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out + result.err, "");
  EXPECT_EQ(ReadText(path), DefaultSetupFile());

  const CliResult full = Run({"new", "-o", "/dev/full"});
  EXPECT_EQ(full.status, cli::EXIT_FILE_REFUSED);
  EXPECT_EQ(full.err,
            "qv3380: /dev/full: An error occurred when attempting to save the setup file.\n"
            "qv3380: /dev/full: No space left on device\n");
}

TEST_F(Cli, CheckReportsTheReadersMessage) {
  EXPECT_EQ(Run({"check", File("good.stp")}).status, 0);
  const std::pair<std::string, std::string> cases[] = {
      {"junk\n",
       "Line 1 invalid. Expected <Header>, <RegisterMap>, <PinStates>, or <SoftwareSettings>."},
      {Replaced(DefaultSetupFile(), "Product = QV3380", "Product = QV3381"),
       "Product is incorrect. Expected: QV3380, Found: QV3381"},
      {Replaced(DefaultSetupFile(), "CrystalIndex=1", "CrystalIndex=5"),
       "Line 51 invalid. Crystal index must be 0, 1 or 2."},
  };
  const std::string bad = folder.Path("bad.stp");
  for (const auto& [text, message] : cases) {
    const CliResult result = Run({"check", File("bad.stp", text)});
    EXPECT_EQ(result.status, cli::EXIT_FILE_REFUSED);
    EXPECT_EQ(result.err, "qv3380: " + bad + ": " + message + "\n");
    EXPECT_EQ(result.out, "");
  }
  const std::string missing = folder.Path("missing.stp");
  const CliResult absent = Run({"check", missing});
  EXPECT_EQ(absent.status, cli::EXIT_FILE_REFUSED);
  EXPECT_EQ(absent.err, "qv3380: " + missing + ": Unable to open file: " + missing +
                            "\nqv3380: " + missing + ": No such file or directory\n");
}

TEST_F(Cli, ShowPrintsThePlanAndTheChecksOfBothMaps) {
  const CliResult result = Run({"show", File("board.stp")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(result.out.starts_with(
      "PFD: 25.00000 MHz\n"
      "Feedback divider range: 86 <= N <= 102\n"
      "Map 0 (MARGIN low), in use\n"
      "  VCO1: 2.50000 GHz\n"
      "  VCO2: 2.40000 GHz\n"
      "  OUT0: 156.25000 MHz\n"
      "  OUT1: 125.00000 MHz\n"
      "  OUT2: 100.00000 MHz\n"
      "  OUT3: 33.33333 MHz\n"
      "Map 1 (MARGIN high)\n"
      "  VCO1: 2.50000 GHz\n"
      "  VCO2: 2.55000 GHz\n"
      "  OUT0: 156.25000 MHz\n"
      "  OUT1: 125.00000 MHz\n"
      "  OUT2: 212.50000 MHz\n"
      "  OUT3: 106.25000 MHz\n"
      "SSCG: disabled (the SDM is powered down; map 0's modulus is 0; the SSCG pin is low)\n"
      "Checks, Map 0 (MARGIN low), in use:\n"
      "  PFD: ok\n"
      "  VCO1: ok\n"))
      << result.out;
  EXPECT_NE(result.out.find("Checks, Map 1 (MARGIN high):\n  PFD: ok\n"), std::string::npos);
  EXPECT_NE(result.out.find("  Fractional word: inactive\n"), std::string::npos);
}

// Either map failing fails the plan, since MARGIN can switch on the board; a
// warning does not. check names every failure but still only judges the file.
TEST_F(Cli, ShowAndCheckJudgeBothMaps) {
  // Spread spectrum running at -0.625 %: deep enough to warn, within the span limit.
  const std::string spread = Replaced(DefaultSetupFile(), {{"SSCG=&h0", "SSCG=&h1"},
                                                           {"&h1D,&b11010000", "&h1D,&b11000000"},
                                                           {"&h1A,&b00000000", "&h1A,&b00000011"},
                                                           {"&h1B,&b00000000", "&h1B,&b11101000"},
                                                           {"&h2A,&b00000000", "&h2A,&b11111010"},
                                                           {"&h2B,&b00000000", "&h2B,&b00110010"},
                                                           {"&h2C,&b00000000", "&h2C,&b00000100"}});
  struct Case {
    std::string name;
    std::string text;
    int status;
    std::string showLine;
    std::string checkOut;
  };
  const Case cases[] = {
      {"map 0 in use", Replaced(DefaultSetupFile(), "&h18,&b00010100", "&h18,&b00110011"),
       cli::EXIT_CHECK_FAILED, "  PLL1 N: FAILED - PLL1 N 131 is above the range 86 <= N <= 102\n",
       "Map 0 (MARGIN low): VCO1 3.27500 GHz is above 2.55 GHz\n"
       "Map 0 (MARGIN low): PLL1 N 131 is above the range 86 <= N <= 102\n"},
      {"map 1 not in use", Replaced(DefaultSetupFile(), "&h30,&b00010100", "&h30,&b00110011"),
       cli::EXIT_CHECK_FAILED, "  VCO1: FAILED - VCO1 3.27500 GHz is above 2.55 GHz\n",
       "Map 1 (MARGIN high): VCO1 3.27500 GHz is above 2.55 GHz\n"
       "Map 1 (MARGIN high): PLL1 N 131 is above the range 86 <= N <= 102\n"},
      {"a deep downspread only warns", spread, cli::EXIT_DONE,
       "  Downspread: warning - Downspread -0.625% is at or beyond -0.55%\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = File("plan.stp", c.text);
    const CliResult show = Run({"show", path});
    EXPECT_EQ(show.status, c.status) << show.err;
    EXPECT_NE(show.out.find(c.showLine), std::string::npos) << show.out;
    const CliResult check = Run({"check", path});
    EXPECT_EQ(check.status, cli::EXIT_DONE) << check.err;
    EXPECT_EQ(check.out, c.checkOut);
  }
  EXPECT_EQ(Run({"show", File("bad.stp", "junk")}).status, cli::EXIT_FILE_REFUSED);
}

TEST_F(Cli, ShowJsonIsThePlanDocumentWithTheWholePanel) {
  const std::string file = Replaced(DefaultSetupFile(), "SSCG=&h0", "SSCG=&h1");
  const CliResult result = Run({"show", File("board.stp", file), "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  const json document = json::parse(result.out);
  EXPECT_EQ(document.at("schema"), "qv3380.plan");
  EXPECT_EQ(document.at("version"), 2);
  EXPECT_EQ(document.at("pfd_hz"), 25e6);
  ASSERT_EQ(document.at("maps").size(), 2u);
  EXPECT_EQ(document["maps"][1]["outputs"][2]["frequency_hz"], 212.5e6);
  EXPECT_EQ(document["maps"][0]["spread_spectrum"]["off_because"],
            "the SDM is powered down; map 0's modulus is 0");
  EXPECT_EQ(document.at("checks").size(), 40u) << "every check of each map";
  EXPECT_EQ(document.at("fails"), false);
  const json& panel = document.at("panel");
  const PanelState* state = Store().Find(panelHandle);
  ASSERT_NE(state, nullptr);
  ASSERT_EQ(panel.size(), state->controls.size());
  auto color = [](int rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", rgb);
    return std::string(text);
  };
  for (const ControlState& control : state->controls) {
    const std::string constant(control.def->constant);
    SCOPED_TRACE(constant);
    const json& entry = panel.at(constant);
    if (control.def->holdsNumber()) {
      EXPECT_EQ(entry.at("value"), control.value);
    } else if (control.def->holdsText()) {
      EXPECT_EQ(entry.at("value"), control.text);
    }
    EXPECT_EQ(entry.at("dimmed"), control.dimmed);
    EXPECT_EQ(entry.at("visible"), control.visible);
    EXPECT_EQ(entry.at("text_bg_color"), color(control.textBgColor));
    EXPECT_EQ(entry.at("text_color"), color(control.textColor));
    EXPECT_EQ(entry.at("label_color"), color(control.labelColor));
  }
  EXPECT_EQ(panel["SSCG"]["value"], 1);
  EXPECT_EQ(panel["REFFREQ"]["value"], "25.000000");
  EXPECT_EQ(panel["PLL1SYNC"]["on_color"], "#FFFFFF");
  EXPECT_TRUE(panel["BOXSSCGHIGH"].contains("frame_color"));
  EXPECT_FALSE(panel["PLL1_N"].contains("on_color"));
  EXPECT_FALSE(panel["ResetRegisters"].contains("value"));
}

TEST_F(Cli, EditEqualsTheSameCommitsThroughTheStore) {
  const std::string input = File("in.stp");
  const std::string edited = folder.Path("edited.stp");
  const CliResult result = Run({"edit",  input,         "--set", "PLL1_N=110",
                                "--set", "OUT0D_M=7",   "--set", "REFFREQ=19.44",
                                "--set", "REFSEL=Low",  "--set", "MARGIN=1",
                                "--set", "CH2POWER=0",  "--set", "Pll2OutputFormat=lvds/lvds",
                                "--set", "FRACSTEP=-3", "-o",    edited});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out + result.err, "");

  RestartFixture();
  StartOffline();
  std::array<char, SETUP_MESSAGE_CAPACITY> message{};
  ASSERT_EQ(LoadSetupFile(input, message), 1);
  ASSERT_EQ(Commit(PLL1_N, 110), UIE_NO_ERROR);
  ASSERT_EQ(Commit(OUT0D_M, 7), UIE_NO_ERROR);
  ASSERT_EQ(CommitText(REFFREQ, "19.44"), UIE_NO_ERROR);
  ASSERT_EQ(Commit(REFSEL, 0), UIE_NO_ERROR);
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(CH2POWER, 0), UIE_NO_ERROR);
  ASSERT_EQ(Commit(Pll2OutputFormat, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(FRACSTEP, -3), UIE_NO_ERROR);
  const std::string byHand = folder.Path("by-hand.stp");
  ASSERT_EQ(SaveSetupFile(byHand), 1);
  EXPECT_EQ(ReadText(edited), ReadText(byHand));
  EXPECT_NE(ReadText(edited), DefaultSetupFile());
}

// --copy-map is Edit > Copy Map, in the order given among the --set: the
// map copied is the one as the settings before it left it.
TEST_F(Cli, EditCopiesAMapInTheOrderGiven) {
  const std::string input = File("in.stp");
  const std::string edited = folder.Path("copied.stp");
  const CliResult result = Run({"edit", input, "--set", "PLL2_N=100", "--copy-map", "0:1", "--set",
                                "PLL2_N=98", "-o", edited});
  ASSERT_EQ(result.status, 0) << result.err;

  RestartFixture();
  StartOffline();
  std::array<char, SETUP_MESSAGE_CAPACITY> message{};
  ASSERT_EQ(LoadSetupFile(input, message), 1);
  ASSERT_EQ(Commit(PLL2_N, 100), UIE_NO_ERROR);
  ASSERT_EQ(Choose(menubar::COPYMAP01), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL2_N, 98), UIE_NO_ERROR);
  EXPECT_EQ(Value(PLL2N_M), 100);
  const std::string byHand = folder.Path("by-hand.stp");
  ASSERT_EQ(SaveSetupFile(byHand), 1);
  EXPECT_EQ(ReadText(edited), ReadText(byHand));

  const CliResult wrong = Run({"edit", input, "--copy-map", "0:0", "-o", edited});
  EXPECT_EQ(wrong.status, cli::EXIT_USAGE);
  EXPECT_NE(wrong.err.find("--copy-map must be one of 0:1, 1:0\n"), std::string::npos) << wrong.err;
}

TEST_F(Cli, EditRefusesWhatAUserCouldNotEnter) {
  const std::string input = File("in.stp");
  const std::string output = folder.Path("out.stp");
  const std::pair<const char*, const char*> cases[] = {
      {"FOO=1", "unknown control: FOO"},
      {"pll1_n=100", "unknown control: pll1_n"},
      {"PLL1_N=200", "PLL1_N: \"200\" is not allowed; it takes from 80 to 143"},
      {"PLL1_N=1e2", "PLL1_N: \"1e2\" is not allowed; it takes from 80 to 143"},
      {"PLL1_N=", "PLL1_N: \"\" is not allowed; it takes from 80 to 143"},
      {"MARGIN=5", "MARGIN: \"5\" is not allowed; it takes one of 0 (Low), 1 (High)"},
      {"CrystalFreq=3",
       "CrystalFreq: \"3\" is not allowed; it takes one of 0 (19.44MHz), "
       "1 (25MHz), 2 (27MHz)"},
      {"CH2POWER=2", "CH2POWER: \"2\" is not allowed; it takes 0 or 1"},
      {"VCO1FREQ=3", "VCO1FREQ does not take input"},
      {"TextConnCheck=x", "TextConnCheck does not take input"},
      {"ResetRegisters=1", "ResetRegisters does not take input"},
  };
  for (const auto& [setting, error] : cases) {
    const CliResult result =
        Run({"edit", input, "--set", "PLL1_N=110", "--set", setting, "-o", output});
    EXPECT_EQ(result.status, cli::EXIT_USAGE) << setting;
    EXPECT_EQ(result.err, std::string("qv3380: ") + error + "\n");
    EXPECT_FALSE(std::filesystem::exists(output)) << "nothing is written";
  }
  const CliResult refused =
      Run({"edit", File("bad.stp", "junk"), "--set", "PLL1_N=110", "-o", output});
  EXPECT_EQ(refused.status, cli::EXIT_FILE_REFUSED);
  EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(Cli, ExportJson) {
  const std::string output = folder.Path("def.json");
  const CliResult result = Run({"export-json", File("board.stp"), "-o", output});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadText(output), test::DefaultJsonDocument());
  const CliResult full = Run({"export-json", File("board.stp"), "-o", "/dev/full"});
  EXPECT_EQ(full.status, cli::EXIT_FILE_REFUSED);
  EXPECT_EQ(full.err,
            "qv3380: /dev/full: An error occurred when attempting to export the JSON file.\n"
            "qv3380: /dev/full: No space left on device\n");
}

TEST_F(Cli, ApplySendsWhatTheGuiSends) {
  const std::string file =
      File("board.stp", Replaced(DefaultSetupFile(), "&h18,&b00010100", "&h18,&b00011110"));
  Bridge().chip[0x3F] = 0x5A;
  // A plan that fails (VCO1 2.75 GHz) reaches the chip only when forced.
  const CliResult result = Run({"apply", file, "--force"});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::vector<WireEvent> byCli = Bridge().log;
  ASSERT_GE(byCli.size(), 2u);
  EXPECT_EQ(byCli[0], WireEvent::Pause(0.5)) << "the probe waits first, as the button does";
  EXPECT_EQ(byCli[1].kind, WireEvent::Kind::Read);
  EXPECT_EQ(byCli[1].reg, 0x3F);

  RestartFixture();
  Bridge().chip[0x3F] = 0x5A;
  StartOnlineByHand();
  OpenByHand(file);
  EXPECT_EQ(test::Describe(byCli), test::Describe(Bridge().log));
  EXPECT_EQ(Bridge().chip[0x18], 0x1E);
}

TEST_F(Cli, EditOnlineSendsEachCommitAsTheGuiDoes) {
  const std::string input = File("in.stp");
  const std::string output = folder.Path("out.stp");
  Bridge().chip[0x3F] = 0x5A;
  const CliResult result =
      Run({"edit", input, "--online", "--set", "PLL2_N=100", "--set", "CH1POWER=0", "-o", output});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::vector<WireEvent> byCli = Bridge().log;

  RestartFixture();
  Bridge().chip[0x3F] = 0x5A;
  StartOnlineByHand();
  OpenByHand(input);
  ASSERT_EQ(Commit(PLL2_N, 100), UIE_NO_ERROR);
  ASSERT_EQ(Commit(CH1POWER, 0), UIE_NO_ERROR);
  EXPECT_EQ(test::Describe(byCli), test::Describe(Bridge().log));
  const std::string byHand = folder.Path("by-hand.stp");
  ASSERT_EQ(SaveSetupFile(byHand), 1);
  EXPECT_EQ(ReadText(output), ReadText(byHand));
}

TEST_F(Cli, NoChipMeansExit4AndNothingWritten) {
  Bridge().chip[0x3F] = 0;  // a chip that answers 0 is no chip
  const std::string output = folder.Path("out.stp");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"apply", File("board.stp")},
        std::vector<std::string>{"edit", File("board.stp"), "--online", "-o", output}}) {
    const CliResult result = Run(args);
    EXPECT_EQ(result.status, cli::EXIT_CHIP);
    // Which adapter answered depends on the machine: the simulator's table test names it.
    EXPECT_TRUE(result.err.starts_with("qv3380: ")) << result.err;
    EXPECT_TRUE(result.err.ends_with(
        ": the connection check's read of register 0x3F gave 0: no QV3380 answers at 0x80 "
        "behind the adapter\n"))
        << result.err;
  }
  EXPECT_TRUE(Bridge().Writes().empty());
  EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(Cli, SessionNotesTheFirstFailedChipWrite) {
  Bridge().chip[0x3F] = 0x5A;
  std::ostringstream messages;
  cli::CliSession session(messages, [](double) {});
  ASSERT_TRUE(session.Start(true));
  EXPECT_FALSE(session.FirstChipWriteFailure());
  Bridge().forcedResult = HIDBRIDGE_NO_ADAPTER;
  EXPECT_TRUE(session.Open(File("board.stp")));
  Bridge().forcedResult = HIDBRIDGE_NO_REPLY;
  ASSERT_EQ(Store().CommitValue(panelHandle, PLL1_N, 110), UIE_NO_ERROR);
  EXPECT_EQ(session.FirstChipWriteFailure()->result, HIDBRIDGE_NO_ADAPTER);
  EXPECT_EQ(messages.str(), "");
}

}  // namespace
}  // namespace qv
