// The exports for firmware and boot: each format against its fixture, every
// sequence against what the recording bridge saw the tool send for the same
// file, and a failing plan that each format carries with its failures.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
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
const ExportOptions kOnBus{"i2c1", 0, false};

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
    const ExportOptions options = facts.format == ExportFormat::Dts ? kOnBus : ExportOptions{};
    EXPECT_EQ(RenderRegisterExport(facts.format, board, kFixedProvenance, options),
              FixtureOf(facts.format));
  }
}

TEST(RegisterExportFormats, NoSourceNameBreaksOutOfTheHeader) {
  const ExportProvenance odd{"qv3380 TEST", "a*/b\nc.stp", "today"};
  const std::string c = RenderRegisterExport(ExportFormat::C, Board(), odd);
  EXPECT_NE(c.find(" * Source: a* /b c.stp\n"), std::string::npos);
  const std::string hex = RenderRegisterExport(ExportFormat::Hex, Board(), odd);
  EXPECT_NE(hex.find("#0### Source: a* /b c.stp\n"), std::string::npos);
  const std::string csv = RenderRegisterExport(ExportFormat::Csv, Board(), odd, {"", 0, true});
  EXPECT_NE(csv.find(",\"a*/b\nc.stp\","), std::string::npos) << "one RFC 4180 field";
}

TEST(RegisterExportFormats, OptionsAFormatCannotTakeAreNamed) {
  const struct {
    ExportFormat format;
    ExportOptions options;
    std::string problem;  // its start; empty: none
  } cases[] = {
      {ExportFormat::Dts, {"i2c1", 0, false}, ""},
      {ExportFormat::Dts, {"", 0, false}, ""},
      {ExportFormat::Dts, {"_bus_2", 0, false}, ""},
      {ExportFormat::Dts, {"1i2c", 0, false}, "\"1i2c\" is not a device-tree label"},
      {ExportFormat::Dts, {"i2c-1", 0, false}, "\"i2c-1\" is not a device-tree label"},
      {ExportFormat::Dts, {"i2c1 {", 0, false}, "\"i2c1 {\" is not a device-tree label"},
      {ExportFormat::Uboot, {"", 255, false}, ""},
      {ExportFormat::Uboot, {"", 256, false}, "I2C bus 256 is not a bus number from 0 to 255"},
      {ExportFormat::Uboot, {"", -1, false}, "I2C bus -1 is not"},
      {ExportFormat::Csv, {"1i2c", -1, true}, ""},
  };
  for (const auto& c : cases) {
    const std::string problem = ExportOptionsProblem(c.format, c.options);
    EXPECT_TRUE(c.problem.empty() ? problem.empty() : problem.starts_with(c.problem)) << problem;
  }
}

// How each sequence format writes a transfer and a pause.
struct SequenceSyntax {
  ExportFormat format;
  ExportOptions options;
  std::regex write;  // register and value in hexadecimal
  std::regex pause;
  double pauseUnit;   // seconds per number in the pause
  bool wholeSeconds;  // a shell's and U-Boot's sleep: at least the pause, in whole seconds
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
      const double number = syntax.pauseUnit == 0.0 ? 0.0 : std::stod(match[1]);
      events.push_back(WireEvent::Pause(number * syntax.pauseUnit));
    }
  }
  return events;
}

// The blob as a driver reads it: records after the header, 0xFF a pause in ms.
std::vector<WireEvent> ParseFirmware(const std::string& blob) {
  std::vector<WireEvent> events;
  for (std::size_t at = FIRMWARE_HEADER_BYTES; at + 1 < blob.size(); at += 2) {
    const auto reg = static_cast<unsigned char>(blob[at]);
    const auto value = static_cast<unsigned char>(blob[at + 1]);
    events.push_back(reg == SEQUENCE_DELAY_MARKER ? WireEvent::Pause(value / 1000.0)
                                                  : WireEvent::Write(reg, value));
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
  std::vector<WireEvent> inWholeSeconds = sent;
  for (WireEvent& event : inWholeSeconds) {
    if (event.kind == WireEvent::Kind::Delay) event = WireEvent::Pause(std::ceil(event.seconds));
  }

  // clang-format off
  const SequenceSyntax syntaxes[] = {
      {ExportFormat::C, {}, std::regex(R"(^\s*\{0x([0-9A-F]{2}), 0x([0-9A-F]{2})\},)"),
       std::regex(R"(^\s*\{QV3380_DELAY, (\d+)\},)"), 0.001, false},
      {ExportFormat::Hex, {}, std::regex(R"(^([0-9A-F]{2}) ([0-9A-F]{2})$)"),
       std::regex(R"(^#0### wait (\d+) ms)"), 0.001, false},
      {ExportFormat::I2c, {},
       std::regex(R"(^i2cset -y "\$BUS" 0x40 0x([0-9A-F]{2}) 0x([0-9A-F]{2})$)"),
       std::regex(R"(^sleep (\d+)$)"), 1.0, true},
      {ExportFormat::Uboot, {}, std::regex(R"(^i2c mw 0x40 0x([0-9A-F]{2}) 0x([0-9A-F]{2})$)"),
       std::regex(R"(^sleep (\d+)$)"), 1.0, true},
      {ExportFormat::Dts, kOnBus, std::regex(R"(^\t+0x([0-9A-E][0-9A-F]) 0x([0-9A-F]{2}) /\*)"),
       std::regex(R"(^\t+0xFF 0xFA /\*)"), 0.0, false},
  };
  // clang-format on
  for (const SequenceSyntax& syntax : syntaxes) {
    SCOPED_TRACE(std::string(FormatFacts(syntax.format).name));
    std::vector<WireEvent> exported = Parse(
        syntax, RenderRegisterExport(syntax.format, Board(), kFixedProvenance, syntax.options));
    if (syntax.format == ExportFormat::Dts) {
      // 0xFA: 250 ms.
      for (WireEvent& event : exported) {
        if (event.kind == WireEvent::Kind::Delay) event = WireEvent::Pause(0.250);
      }
    }
    EXPECT_EQ(exported, syntax.wholeSeconds ? inWholeSeconds : sent) << test::Describe(exported);
  }
  EXPECT_EQ(
      ParseFirmware(RenderRegisterExport(ExportFormat::LinuxFirmware, Board(), kFixedProvenance)),
      sent);
}

// Every divider 0: no output frequency exists, and every check of the VCOs fails.
SetupContents Failing() {
  SetupContents setup = Board();
  setup.registers.fill(0);
  return setup;
}

TEST(FailingPlanExport, EveryFormatSaysWhatFailsAndNeverInfOrNan) {
  const SetupContents setup = Failing();
  const std::vector<std::string> failures = FailedChecks(setup);
  ASSERT_GE(failures.size(), 2u);
  EXPECT_EQ(failures.front(), "Map 0 (MARGIN low): VCO1 2.00000 GHz is below 2.15 GHz");
  EXPECT_NE(std::find(failures.begin(), failures.end(),
                      "Map 1 (MARGIN high): OUT3 frequency is not defined"),
            failures.end());
  const std::regex infOrNan(R"(\b(inf|nan)\b)", std::regex::icase);
  for (const ExportFormatFacts& facts : ExportFormats()) {
    SCOPED_TRACE(std::string(facts.name));
    const std::string text = RenderRegisterExport(facts.format, setup, kFixedProvenance, kOnBus);
    if (facts.format == ExportFormat::LinuxFirmware) {
      ASSERT_GE(text.size(), FIRMWARE_HEADER_BYTES);
      EXPECT_EQ(text[12] & FIRMWARE_FLAG_CHECKS_FAIL, 1) << "the flag of a forced export";
      const std::string passing =
          RenderRegisterExport(facts.format, Board(), kFixedProvenance, kOnBus);
      EXPECT_EQ(passing[12], 0);
      continue;
    }
    EXPECT_FALSE(std::regex_search(text, infOrNan));
    for (const std::string& failure : failures) {
      EXPECT_NE(text.find(failure), std::string::npos) << failure;
    }
    if (facts.format == ExportFormat::Csv) {
      EXPECT_TRUE(
          text.starts_with("index,address,name,value_hex,value_bin,default,written_by,"
                           "written_on,source,failed_checks\r\n"))
          << "a forced table never loses its failures";
    } else {
      EXPECT_NE(text.find("WARNING: exported all the same, although the plan fails"),
                std::string::npos);
      EXPECT_NE(text.find("OUT0: not defined in map 0, not defined in map 1"), std::string::npos);
    }
  }
  EXPECT_EQ(FailedChecks(Board()), std::vector<std::string>{});
}

}  // namespace
}  // namespace qv
