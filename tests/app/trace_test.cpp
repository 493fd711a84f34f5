// The diagnostic trace of a session on the panel: one line for each transfer,
// file operation and refusal, and nothing once it is closed.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "base/text_format.h"
#include "base/trace.h"
#include "tests/files/temp_folder.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

class Trace : public test::ProgramTest {
 protected:
  void ChooseFile(int menuItem, int answer, const std::string& path) {
    ui.fileAnswers.push_back({answer, path});
    ASSERT_EQ(Choose(menuItem), UIE_NO_ERROR);
  }
  test::TempFolder folder;
};

// The text after the time and the category, one per line of that category.
std::vector<std::string> Facts(const std::vector<std::string>& lines, const std::string& category) {
  std::vector<std::string> facts;
  for (const std::string& line : lines) {
    if (line.compare(25, category.size() + 1, category + " ") == 0) {
      facts.push_back(line.substr(25 + category.size() + 1));
    }
  }
  return facts;
}

// A message's line ends as the trace writes them.
std::string Escaped(std::string text) {
  for (std::size_t at = 0; (at = text.find_first_of("\r\n", at)) != std::string::npos; at += 2) {
    text.replace(at, 1, text[at] == '\n' ? "\\n" : "\\r");
  }
  return text;
}

TEST_F(Trace, ASessionLeavesALineForEachTransferFileAndRefusal) {
  const std::string tracePath = folder.Path("trace.log");
  const std::string saved = folder.Path("saved.stp");
  const std::string bad = folder.Path("bad.stp");
  const std::string badText = "QV3380 configuration\r\nnot a register\r\n";
  test::WriteText(bad, badText);
  const std::string missing = folder.Path("missing.stp");
  {
    const TraceFile trace(tracePath, "qv3380_gui");
    ASSERT_EQ(trace.complaint(), "");
    Start();
    ASSERT_EQ(Store().PressButton(startupPanelHandle, startuppnl::RUNONLINE), UIE_NO_ERROR);
    test::Bridge().chip[0x3F] = 0x5A;
    ASSERT_EQ(Press(CheckConnectionButton), UIE_NO_ERROR);
    ASSERT_EQ(Commit(PLL1_N, 102), UIE_NO_ERROR);
    test::Bridge().transfersUntilUnplugged = 0;
    ASSERT_EQ(Commit(PLL1_N, 103), UIE_NO_ERROR);
    test::Bridge().transfersUntilUnplugged.reset();
    ASSERT_EQ(CommitText(REFFREQ, "19,44"), UIE_VALUE_NOT_ALLOWED);
    ChooseFile(menubar::EXPORT, VAL_NEW_FILE_SELECTED, saved);
    ChooseFile(menubar::IMPORT, VAL_EXISTING_FILE_SELECTED, bad);
    ChooseFile(menubar::IMPORT, VAL_EXISTING_FILE_SELECTED, missing);
    ASSERT_EQ(ui.messages.size(), 2U);
  }
  const std::string text = test::ReadText(tracePath);
  const std::vector<test::WireEvent> log = test::Bridge().log;
  ASSERT_EQ(Commit(PLL1_N, 104), UIE_NO_ERROR);
  EXPECT_EQ(test::ReadText(tracePath), text) << "nothing is written once the trace is closed";

  const std::vector<std::string> lines = test::SplitLines(text);
  const std::regex shape(
      R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z (program|transfer|file|refused) \S.*)");
  for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, shape)) << line;

  // Every transfer on the wire, in order, and no other.
  std::vector<std::string> wire;
  for (const test::WireEvent& event : log) {
    if (event.kind == test::WireEvent::Kind::Delay) continue;
    const bool write = event.kind == test::WireEvent::Kind::Write;
    wire.push_back(FormatText("%s register 0x%02X value 0x%02X result ", write ? "write" : "read",
                              event.reg, event.value));
  }
  std::vector<std::string> transfers = Facts(lines, TRACE_TRANSFER);
  for (std::string& fact : transfers) fact.erase(fact.find(" result ") + 8);
  EXPECT_EQ(transfers, wire);

  struct Expected {
    const char* what;
    std::vector<std::string> parts;  // all on one line, the lines in this order
  };
  const Expected expected[] = {
      {"the trace opened", {"program qv3380_gui ", ", trace opened"}},
      {"the connection check", {"transfer read register 0x3F value 0x5A result 90"}},
      {"a write that reached the chip", {"transfer write register ", " result 0 HIDBRIDGE_DONE"}},
      {"a write that did not", {"transfer write register ", " result -2 HIDBRIDGE_NO_ADAPTER"}},
      {"the refused commit",
       {"refused commit PANEL.REFFREQ: \"19,44\"; it takes ", " (UIE_VALUE_NOT_ALLOWED, -5)"}},
      {"the file written", {"file wrote " + saved + " (", " bytes)"}},
      {"the save", {"file saved setup file " + saved}},
      {"the file read", {"file read " + bad + " (" + std::to_string(badText.size()) + " bytes)"}},
      {"the refused setup file",
       {"refused setup file " + bad + ": " + Escaped(ui.messages[0].text)}},
      {"the file not read", {"file not read " + missing + ": No such file or directory"}},
      {"its message on one line",
       {"refused setup file " + missing + ": " + Escaped(ui.messages[1].text)}},
  };
  auto line = lines.begin();
  for (const Expected& fact : expected) {
    line = std::find_if(line, lines.end(), [&](const std::string& candidate) {
      std::size_t at = 0;
      for (const std::string& part : fact.parts) {
        at = candidate.find(part, at);
        if (at == std::string::npos) return false;
      }
      return true;
    });
    ASSERT_NE(line, lines.end()) << fact.what << " is not traced, in order, in\n" << text;
  }
}

}  // namespace
}  // namespace qv
