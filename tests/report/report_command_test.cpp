// qv3380 report: what each kind of file says of a known setup file (the PDF
// read back with pdftotext), and the command's statuses.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "app/report_export.h"
#include "base/text_format.h"
#include "base/version.h"
#include "chip/fields.h"
#include "files/setup_file_reader.h"
#include "report/clock_tree.h"
#include "report/numbers.h"
#include "report/svg_writer.h"
#include "tests/cli/cli_fixture.h"
#include "tests/report/painter_environment.h"
#include "tests/report/svg_groups.h"

namespace qv {
namespace {

using test::ReadText;

// The text a reader of the PDF gets, with every run of white space one space.
std::string PdfText(const std::string& path) {
  std::string text;
  if (FILE* pipe = ::popen(("pdftotext -enc UTF-8 '" + path + "' - 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

bool HavePdfToText() { return std::system("pdftotext -v >/dev/null 2>&1") == 0; }

std::string OneLine(const std::string& text) {
  return std::regex_replace(text, std::regex("\\s+"), " ");
}

class ReportCommand : public test::CliTest {
 protected:
  // A board under review: spread spectrum on, OUT1 off, OUT3 on OUT2's divider,
  // and map 1 with a VCO out of range.
  std::string Board() {
    const std::string path = folder.Path("board.stp");
    const test::CliResult edited =
        Run({"edit",  File("start.stp"), "--set", "BLEEDSDM=1",    "--set", "SSCG=High",
             "--set", "PLL2_MOD=1000",   "--set", "PLL2_FRAC=250", "--set", "FRACSTEP=-5",
             "--set", "NUMSTEP=20",      "--set", "CKDIV=4",       "--set", "CH1POWER=0",
             "--set", "PLL2SYNC=1",      "--set", "PLL1N_M=130",   "-o",    path});
    EXPECT_EQ(edited.status, 0) << edited.err;
    return path;
  }

  // The plan of the file as the plan value states it, read from the file alone.
  static PlanEvaluation PlanOf(const std::string& path) {
    const SetupContents contents = *ReadSetupFile(path).contents;
    BoardInputs board;
    board.refsel = contents.pins[0] != 0;
    board.margin = contents.pins[1] != 0;
    board.sscg = contents.pins[2] != 0;
    board.maxbw = contents.pins[3] != 0;
    board.crystalIndex = static_cast<int>(contents.crystalIndex);
    board.refclkHz = contents.externalRefclkMHz * 1e6;
    return EvaluatePlan(PlanInputsFromRegisters(contents.registers, board));
  }
};

TEST_F(ReportCommand, EachKindStatesTheFrequenciesVerdictsAndRegistersOfThePlan) {
  const test::WithPainter painter;
  const std::string board = Board();
  const PlanEvaluation plan = PlanOf(board);
  const RegisterImage registers = ReadSetupFile(board).contents->registers;
  ASSERT_TRUE(plan.maps[1].Fails()) << "the file has a failure to report";
  ASSERT_TRUE(plan.InUse().active.ssc);

  std::vector<std::string> expected{"qv3380 " + std::string(kToolVersion), board, "Offline Mode",
                                    report::Mhz(plan.pfdHz)};
  for (const MapEvaluation& map : plan.maps) {
    for (int pll = 0; pll < PLL_COUNT; ++pll) {
      expected.push_back(FormatText("%.6f", map.vco[pll] / 1e6));
      expected.push_back(FormatText("%.9f", map.vco[pll] / 1e9));
    }
    for (int k = 0; k < OUTPUT_COUNT; ++k) expected.push_back(FormatText("%.9f", map.out[k] / 1e6));
    for (const Check& check : map.checks) expected.push_back(check.Reason());
  }
  expected.push_back("96 + 250/1000 = 96.250000000000");
  expected.push_back(report::Percent(plan.InUse().ssc.downspreadPercent) + " (" +
                     report::Ppm(plan.InUse().ssc.downspreadPercent * 1e4) + ")");
  for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
    expected.push_back(report::Hex(static_cast<int>(kRegisters[reg].address)));
    expected.push_back(std::string(kRegisters[reg].name));
    expected.push_back(report::Binary(registers[reg]));
  }
  expected.push_back("PLL2 channel-divider sync: on");
  expected.push_back("OUT1 power: off");

  struct Kind {
    const char* extension;
    bool dated;
  };
  for (const Kind kind : {Kind{"md", false}, Kind{"html", true}, Kind{"pdf", true}}) {
    SCOPED_TRACE(kind.extension);
    if (std::string(kind.extension) == "pdf" && (!test::Painter() || !HavePdfToText())) {
      ADD_FAILURE() << "needs the painter and pdftotext (poppler-utils)";
      continue;
    }
    const std::string out = folder.Path(std::string("review.") + kind.extension);
    const test::CliResult result = Run({"report", board, "-o", out});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string bytes = ReadText(out);
    std::string text;
    if (std::string(kind.extension) == "pdf") {
      EXPECT_TRUE(bytes.starts_with("%PDF-"));
      text = OneLine(PdfText(out));
    } else if (std::string(kind.extension) == "html") {
      text = OneLine(test::Unescaped(std::regex_replace(bytes, std::regex("<[^>]*>"), " ")));
      // Self-contained: the pictures inline, nothing fetched from elsewhere.
      EXPECT_EQ(std::regex_search(bytes, std::regex("(src|href)=")), false);
      EXPECT_NE(bytes.find("<g id=\"vco1\" class=\"block"), std::string::npos);
      EXPECT_NE(bytes.find("<g id=\"ssc-map0-sweep\""), std::string::npos);
    } else {
      text = OneLine(bytes);
      EXPECT_EQ(bytes.find("<svg"), std::string::npos) << "no pictures in Markdown";
    }
    for (const std::string& wanted : expected) {
      EXPECT_NE(text.find(OneLine(wanted)), std::string::npos) << wanted;
    }
    for (const char* verdict : {"pass", "fail", "inactive"}) {
      EXPECT_NE(text.find(verdict), std::string::npos) << verdict;
    }
    EXPECT_EQ(std::regex_search(text, std::regex("Date \\|? ?\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}")),
              kind.dated);
  }

  // Regenerated from an unchanged file, the Markdown report is the same file.
  const std::string first = ReadText(folder.Path("review.md"));
  ASSERT_EQ(Run({"report", board, "-o", folder.Path("again.md")}).status, 0);
  EXPECT_EQ(ReadText(folder.Path("again.md")), first);
  const test::CliResult piped = Run({"report", board, "-o", "-", "--format", "md"});
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.out, first);
}

TEST_F(ReportCommand, WritesTheClockTreeOfEitherMapAsSvgOrPng) {
  const test::WithPainter painter;
  const std::string board = Board();
  const PlanEvaluation plan = PlanOf(board);
  for (int map : {0, 1}) {
    const std::string svg = folder.Path(FormatText("tree%d.svg", map));
    ASSERT_EQ(Run({"report", board, "-o", svg, "--map", std::to_string(map)}).status, 0);
    EXPECT_EQ(ReadText(svg), report::SvgFile(report::ClockTreeScene(plan, map)));
  }
  EXPECT_EQ(test::SvgGroups(ReadText(folder.Path("tree1.svg"))).at("vco1").classes, "block fail");
  ASSERT_EQ(Run({"report", board, "-o", folder.Path("tree.png")}).status, 0);
  EXPECT_EQ(ReadText(folder.Path("tree.png")).substr(0, 8), "\x89PNG\r\n\x1a\n");
}

TEST_F(ReportCommand, StatusesSayWhatWentWrong) {
  const std::string board = File("board.stp");
  const std::string bad = File("bad.stp", "not a setup file\n");
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;  // the start of what it says
  };
  const std::string missing = folder.Path("missing/report.md");
  const Case cases[] = {
      {{"report", board, "-o", folder.Path("report.txt")},
       2,
       "qv3380: report: the kind of file is unknown: give -o a name ending in .pdf, .html, .md, "
       ".svg or .png, or name it with --format"},
      {{"report", board, "-o", "-"}, 2, "qv3380: report: the kind of file is unknown"},
      {{"report", board, "-o", "x.md", "--format", "doc"},
       2,
       "qv3380: report: --format must be one of pdf, html, md, svg or png\n"},
      {{"report", board, "-o", "x.md", "--map", "1"},
       2,
       "qv3380: report: --map: a report draws the map in use"},
      {{"report", board}, 2, "qv3380: report: --output is required"},
      {{"report", bad, "-o", folder.Path("bad.md")}, 1, ""},
      {{"report", board, "-o", missing},
       1,
       "qv3380: " + missing + ": " + REPORT_EXPORT_ERROR + "\nqv3380: " + missing + ": "},
      {{"report", board, "-o", folder.Path("nopainter.pdf")},
       1,
       "qv3380: " + folder.Path("nopainter.pdf") + ": " + REPORT_EXPORT_ERROR +
           "\nqv3380: " + folder.Path("nopainter.pdf") + ": " + NO_PICTURE_RENDERER},
      {{"report", board, "-o", folder.Path("fine.html")}, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    const test::CliResult result = Run(c.args);
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_TRUE(result.err.starts_with(c.err)) << result.err;
    if (c.status != 0) {
      EXPECT_EQ(result.out, "");
    }
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Path("bad.md"))) << "a refused file writes nothing";
  EXPECT_FALSE(std::filesystem::exists(folder.Path("nopainter.pdf")));
}

}  // namespace
}  // namespace qv
