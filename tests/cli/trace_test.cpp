// qv3380 --trace: the trace adds lines to its file and changes nothing else, a
// trace that cannot be written included; an exception ends a run in words.

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"

namespace qv {
namespace {

using test::Bridge;
using test::CliResult;
using test::ReadText;

class TraceCli : public test::CliTest {};

TEST_F(TraceCli, TheTraceAddsItsLinesAndChangesNothingElse) {
  const std::string board = File("board.stp");
  const std::string bad = File("bad.stp", "not a setup file\n");
  const std::string unwritable = folder.Path("no-such-folder/trace.log");
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string traced;  // a line of the trace says this; empty: refused before it opens
  };
  const Case cases[] = {
      {{"check", board}, cli::EXIT_DONE, "file loaded setup file " + board},
      {{"show", board}, cli::EXIT_DONE, "program exit status 0"},
      {{"check", bad}, cli::EXIT_FILE_REFUSED, "refused setup file " + bad + ": Line 1 "},
      {{"edit", board, "--set", "PLL1_N=9999", "-o", folder.Path("out.stp")},
       cli::EXIT_USAGE,
       "refused setting PLL1_N=9999: PLL1_N: \"9999\" is not allowed; it takes from "},
      {{"new", "-o", folder.Path("new.stp")},
       cli::EXIT_DONE,
       "file wrote " + folder.Path("new.stp")},
      {{"apply", board},
       cli::EXIT_CHIP,
       "refused connection check: the chip did not answer (register 0x3F read 0)"},
      {{"frobnicate"}, cli::EXIT_USAGE, ""},
  };
  int run = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    const CliResult plain = Run(c.args);
    EXPECT_EQ(plain.status, c.status) << plain.err;

    const std::string trace = folder.Path("trace-" + std::to_string(++run) + ".log");
    std::vector<std::string> traced{"--trace", trace};
    traced.insert(traced.end(), c.args.begin(), c.args.end());
    const CliResult withTrace = Run(traced);
    EXPECT_EQ(withTrace.status, plain.status);
    EXPECT_EQ(withTrace.out, plain.out);
    EXPECT_EQ(withTrace.err, plain.err);
    const std::string lines = ReadText(trace);
    EXPECT_NE(lines.find(c.traced), std::string::npos) << lines;

    std::vector<std::string> untraceable{"--trace=" + unwritable};
    untraceable.insert(untraceable.end(), c.args.begin(), c.args.end());
    const CliResult withoutTrace = Run(untraceable);
    EXPECT_EQ(withoutTrace.status, plain.status);
    EXPECT_EQ(withoutTrace.out, plain.out);
    const std::string complaint =
        "qv3380: " + unwritable + ": trace not written: No such file or directory\n";
    // A command line refused before the trace is opened has nothing to complain of.
    EXPECT_EQ(withoutTrace.err, (c.traced.empty() ? "" : complaint) + plain.err);
  }
}

TEST_F(TraceCli, AnExceptionNothingCaughtIsAnInternalError) {
  const std::string board = File("board.stp");
  const std::string trace = folder.Path("trace.log");
  Bridge().chip[0x3F] = 0x5A;
  const std::vector<std::string_view> args{"--trace", trace, "apply", board};
  std::ostringstream out, err;
  // The connection check pauses before its read.
  const int status =
      cli::RunCli(args, out, err, [](double) { throw std::runtime_error("the pause broke"); });
  EXPECT_EQ(status, cli::EXIT_INTERNAL);
  EXPECT_EQ(status, 70);
  EXPECT_EQ(err.str(), "qv3380: internal error: the pause broke\n");
  EXPECT_NE(ReadText(trace).find(" error internal error: the pause broke\n"), std::string::npos);
  // The process lives on: the next run is as good as the first.
  EXPECT_EQ(Run({"check", board}).status, cli::EXIT_DONE);
}

}  // namespace
}  // namespace qv
