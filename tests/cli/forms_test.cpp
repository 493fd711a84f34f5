// The command line's forms: -o - for every command that writes a file, --output=,
// options ended by --, the exit-status table in every help, the REFCLK rule of
// edit, and a standard output that cannot be written.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "base/version_notice.h"
#include "cli/exit_status.h"
#include "tests/cli/cli_fixture.h"

namespace qv {
namespace {

using test::CliResult;
using test::ReadText;

class Forms : public test::CliTest {};

TEST_F(Forms, StandardOutputCarriesWhatTheFileWouldHold) {
  const std::string board = File("board.stp");
  struct Case {
    std::vector<std::string> args;  // -o PATH follows
    int status;
    bool reports;  // what the command prints besides its file goes to standard error then
  };
  const Case cases[] = {
      {{"new"}, cli::EXIT_DONE, false},
      {{"edit", board, "--set", "PLL1_N=110", "--set", "REFFREQ=19.44"}, cli::EXIT_DONE, false},
      {{"export-json", board}, cli::EXIT_DONE, false},
      {{"solve", board, "--out0", "125", "--out2", "161.1328125"}, cli::EXIT_DONE, true},
      {{"solve", board, "--out0", "33.333333"}, cli::EXIT_INEXACT, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const std::string path = folder.Path("written");
    std::vector<std::string> toFile = c.args;
    toFile.push_back("--output=" + path);
    const CliResult written = Run(toFile);
    ASSERT_EQ(written.status, c.status) << written.err;

    std::vector<std::string> toStdout = c.args;
    toStdout.insert(toStdout.end(), {"-o", "-"});
    const CliResult printed = Run(toStdout);
    EXPECT_EQ(printed.status, c.status) << printed.err;
    EXPECT_EQ(printed.out, ReadText(path));
    EXPECT_EQ(printed.err, written.out) << "the report moves to standard error";
    EXPECT_EQ(!printed.err.empty(), c.reports);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("-")));
  }
}

TEST_F(Forms, DoubleDashEndsTheOptions) {
  File("-board.stp");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  EXPECT_EQ(Run({"check", "--", "-board.stp"}).status, cli::EXIT_DONE);
  EXPECT_EQ(Run({"check", "-board.stp"}).status, cli::EXIT_USAGE);
  const CliResult edited = Run({"edit", "-o", "out.stp", "--set", "MARGIN=1", "--", "-board.stp"});
  EXPECT_EQ(edited.status, cli::EXIT_DONE) << edited.err;
  EXPECT_TRUE(std::filesystem::exists(folder.Path("out.stp")));
  std::filesystem::current_path(before);
}

TEST_F(Forms, EveryHelpEndsWithTheExitStatusTable) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, {"edit", "--help"}, {"solve", "-h"}}) {
    const CliResult result = Run(args);
    EXPECT_EQ(result.status, cli::EXIT_DONE);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.out.ends_with(cli::ExitStatusHelp() + "\n" + BugReportLine() + "\n"))
        << result.out;
  }
  EXPECT_EQ(cli::ExitStatusHelp().find("  70 internal error"),
            cli::ExitStatusHelp().rfind("\n  ") + 1);
  const CliResult all = Run({"--help"});
  for (const char* command : {"check", "show", "edit", "export-json", "new", "apply", "solve"}) {
    EXPECT_NE(all.out.find(std::string("\n") + command + "\n"), std::string::npos) << command;
  }
}

TEST_F(Forms, RefclkMustBeADecimalNumberOfMhz) {
  const std::string board = File("board.stp");
  struct Case {
    const char* value;
    const char* saved;  // the ExternalRefclk line's number; nullptr: refused
  };
  const Case cases[] = {
      {"19.44", "19.44000"}, {" 26 ", "26.00000"},     {"+.5", "0.50000"}, {"2.5e1", "25.00000"},
      {"0", "0.00000"},      {"10000", "10000.00000"}, {"19,44", nullptr}, {"nan", nullptr},
      {"inf", nullptr},      {"0x1A", nullptr},        {"25MHz", nullptr}, {"", nullptr},
      {"-5", nullptr},       {"10000.5", nullptr},     {"1e400", nullptr}, {".", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const CliResult result = Run({"edit", board, "--set", "REFSEL=Low", "--set",
                                  std::string("REFFREQ=") + c.value, "-o", "-"});
    if (c.saved) {
      EXPECT_EQ(result.status, cli::EXIT_DONE) << result.err;
      EXPECT_NE(result.out.find(std::string("ExternalRefclk=") + c.saved + " "), std::string::npos);
    } else {
      EXPECT_EQ(result.status, cli::EXIT_USAGE);
      EXPECT_EQ(result.err, std::string("qv3380: REFFREQ: \"") + c.value +
                                "\" is not allowed; it takes a decimal number of MHz from 0 to "
                                "10000, such as 19.44\n");
      EXPECT_EQ(result.out, "");
    }
  }
  // What the file could not hold is refused, so the file saves what was set.
  const CliResult tooFine = Run({"edit", board, "--set", "REFFREQ=19.440001", "-o", "-"});
  EXPECT_EQ(tooFine.status, cli::EXIT_USAGE);
  EXPECT_EQ(tooFine.err,
            "qv3380: REFFREQ: \"19.440001\" is not allowed; it takes a decimal number of MHz with "
            "at most 5 decimals, as a setup file holds it, such as 19.44\n");
}

TEST_F(Forms, AnUnwritableStandardOutputIsAFileNotWritten) {
  for (const std::vector<std::string_view>& args :
       {std::vector<std::string_view>{"new", "-o", "-"}, {"--help"}, {"solve", "--help"}, {"-V"}}) {
    std::ostream broken(nullptr);
    std::ostringstream err;
    EXPECT_EQ(cli::RunCli(args, broken, err, [](double) {}), cli::EXIT_FILE_REFUSED) << args[0];
    EXPECT_EQ(err.str(), "qv3380: standard output: could not be written\n");
  }
}

}  // namespace
}  // namespace qv
