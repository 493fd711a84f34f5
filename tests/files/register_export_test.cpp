// The exports for firmware: each format against its fixture, and the three
// sequences against what the recording bridge saw the tool send for the
// same file.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "files/panel/register_export_file.h"
#include "files/panel/setup_file_loading.h"
#include "files/setup_file_reader.h"
#include "tests/files/temp_folder.h"
#include "tests/support/program_fixture.h"

namespace qv {
namespace {

using test::Bridge;
using test::ReadText;
using test::WireEvent;

const std::string kFixtures = QV_EXPORT_FIXTURES;
const ExportProvenance kFixedProvenance{"qv3380 TEST", "board.stp", "2024-05-01 12:00:00 UTC"};

SetupContents Board() {
  const SetupFileReading reading = ReadSetupFile(kFixtures + "/board.stp");
  EXPECT_TRUE(reading.contents) << reading.message;
  return reading.contents.value_or(SetupContents{});
}

std::string FixtureOf(ExportFormat format) {
  const std::string extension =
      std::filesystem::path(FormatFacts(format).defaultFile).extension().string();
  return ReadText(kFixtures + "/board" + extension);
}

TEST(RegisterExportFormats, EachFormatMatchesItsFixture) {
  const SetupContents board = Board();
  for (const ExportFormatFacts& facts : ExportFormats()) {
    SCOPED_TRACE(std::string(facts.name));
    EXPECT_EQ(RenderRegisterExport(facts.format, board, kFixedProvenance), FixtureOf(facts.format));
  }
}

TEST(RegisterExportFormats, NoSourceNameBreaksOutOfTheHeader) {
  const ExportProvenance odd{"qv3380 TEST", "a*/b\nc.stp", "today"};
  const std::string c = RenderRegisterExport(ExportFormat::C, Board(), odd);
  EXPECT_NE(c.find(" * Source: a* /b c.stp\n"), std::string::npos);
  const std::string hex = RenderRegisterExport(ExportFormat::Hex, Board(), odd);
  EXPECT_NE(hex.find("# Source: a* /b c.stp\n"), std::string::npos);
}

// How each sequence format writes a transfer and a pause.
struct SequenceSyntax {
  ExportFormat format;
  std::regex write;  // register and value in hexadecimal
  std::regex pause;
  double pauseUnit;  // seconds per number in the pause
};

std::vector<WireEvent> Parse(const SequenceSyntax& syntax, const std::string& text) {
  std::vector<WireEvent> events;
  std::istringstream lines(text);
  std::string line;
  std::smatch match;
  while (std::getline(lines, line)) {
    if (std::regex_search(line, match, syntax.write)) {
      events.push_back(
          WireEvent::Write(std::stoi(match[1], nullptr, 16), std::stoi(match[2], nullptr, 16)));
    } else if (std::regex_search(line, match, syntax.pause)) {
      events.push_back(WireEvent::Pause(std::stod(match[1]) * syntax.pauseUnit));
    }
  }
  return events;
}

class SequenceExport : public test::ProgramTest {};

TEST_F(SequenceExport, CarriesExactlyWhatTheToolSendsForTheWholeSet) {
  // What the program sends when it loads the file online.
  StartOnlineConnected();
  std::array<char, SETUP_MESSAGE_CAPACITY> message{};
  ASSERT_EQ(LoadSetupFile(kFixtures + "/board.stp", message), 1) << message.data();
  std::vector<WireEvent> sent;
  for (const WireEvent& event : Bridge().log) {
    if (event.kind != WireEvent::Kind::Read) sent.push_back(event);
  }
  ASSERT_EQ(sent.size(), 43u) << test::Describe(sent);

  const SequenceSyntax syntaxes[] = {
      {ExportFormat::C, std::regex(R"(^\s*\{0x([0-9A-F]{2}), 0x([0-9A-F]{2})\},)"),
       std::regex(R"(^\s*\{QV3380_DELAY, (\d+)\},)"), 0.001},
      {ExportFormat::Hex, std::regex(R"(^([0-9A-F]{2}) ([0-9A-F]{2})$)"),
       std::regex(R"(^# wait (\d+) ms)"), 0.001},
      {ExportFormat::I2c, std::regex(R"(^i2cset -y \$BUS 0x40 0x([0-9A-F]{2}) 0x([0-9A-F]{2})$)"),
       std::regex(R"(^sleep ([0-9.]+)$)"), 1.0},
  };
  for (const SequenceSyntax& syntax : syntaxes) {
    SCOPED_TRACE(std::string(FormatFacts(syntax.format).name));
    const std::vector<WireEvent> exported =
        Parse(syntax, RenderRegisterExport(syntax.format, Board(), kFixedProvenance));
    EXPECT_EQ(exported, sent) << test::Describe(exported);
  }
}

}  // namespace
}  // namespace qv
