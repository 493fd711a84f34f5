// Reading setup files: every message with its line, the tolerances, the order
// in which a valid file is applied, and that a refused file changes nothing.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <functional>

#include "files/panel/setup_file_loading.h"
#include "files/panel/setup_file_saving.h"
#include "files/setup_file_reader.h"
#include "model/registers.h"
#include "model/value_variables.h"
#include "plan/plan_colors.h"
#include "tests/files/expected_files.h"
#include "tests/files/files_fixture.h"
#include "tests/files/program_snapshot.h"

namespace qv {
namespace {

using test::Bridge;
using test::DefaultSetupFile;
using test::kDefaultSetupLines;
using test::ReadText;

// The default file with physical line `line` (1-based) replaced; an empty
// replacement list removes it.
std::string WithLine(int line, std::initializer_list<std::string_view> replacement) {
  std::string text;
  for (int n = 1; n <= static_cast<int>(kDefaultSetupLines.size()); ++n) {
    if (n != line) {
      text += std::string(kDefaultSetupLines[n - 1]) + "\n";
      continue;
    }
    for (std::string_view piece : replacement) text += std::string(piece) + "\n";
  }
  return text;
}
std::string WithLine(int line, std::string_view replacement) {
  return WithLine(line, {replacement});
}
std::string WithoutLine(int line) { return WithLine(line, {}); }

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  return text.replace(text.find(from), from.size(), to);
}

constexpr int kProductLine = 3, kVersionLine = 4, kSeparatorLine = 5, kAbf0Line = 15,
              kRefselLine = 44, kMarginLine = 45, kSscgLine = 46, kCrystalLine = 51,
              kRefclkLine = 52, kLastLine = 53;

class SetupReader : public test::FilesTest {};

TEST_F(SetupReader, EveryMessageWithItsLine) {
  const std::string pair =
      "invalid. Expected register address/value pair like \"&h1D,&b11010000\".";
  const std::string outside =
      "invalid. Expected <Header>, <RegisterMap>, <PinStates>, or <SoftwareSettings>.";
  const std::string version =
      "Setup file is not compatible with this version of the software. Updated software "
      "required to process file of version %.  Max file version: 1.0.";
  auto withVersion = [&](const std::string& v) {
    std::string text = version;
    return text.replace(text.find('%'), 1, v);
  };
  const std::string pinsMissing =
      "One or more input pin state is missing: REFSEL, MARGIN, SSCG, MAX_BW.";
  const std::string settingsMissing =
      "The selected crystal index and the external REFCLK frequency must both be specified.";
  const std::string crystal = "Line 51 invalid. Crystal index must be 0, 1 or 2.";
  const std::string refclk = "Line 52 invalid. ExternalRefclk must be a decimal number of MHz.";
  const std::string refclkDecimals =
      "Line 52 invalid. ExternalRefclk has more than the 5 decimals a setup file holds.";
  auto pinFormat = [](const std::string& pin) {
    return "invalid. " + pin +
           " must be &h followed by hexadecimal digits, such as &h0 (low) or &h1 (high).";
  };
  const std::string margin = "Line 45 " + pinFormat("MARGIN");
  struct Case {
    std::string file;
    std::string message;
  };
  const std::string longComment = ";" + std::string(199, 'x');
  const Case cases[] = {
      // Outside any section.
      {"junk\n" + DefaultSetupFile(), "Line 1 " + outside},
      {WithLine(7, "</Header>"), "Line 7 " + outside},
      // Header.
      {WithLine(kSeparatorLine, "DecimalSeparator"),
       "Line 5 invalid in Header section. Expected format is \"Key = Value\"."},
      {WithLine(kSeparatorLine, "<Header>"),
       "Line 5 invalid in Header section. Expected format is \"Key = Value\"."},
      // Register lines.
      {WithLine(kAbf0Line, "&H1D,&b11010000"), "Line 15 " + pair},
      {WithLine(kAbf0Line, "&h1D,&b1101x000"), "Line 15 " + pair},
      {WithLine(kAbf0Line, "&h1D,&b"), "Line 15 " + pair},
      {WithLine(kAbf0Line, "&h1D ,&b11010000"), "Line 15 " + pair},
      {WithLine(kAbf0Line, "<PinStates>"), "Line 15 " + pair},
      {WithLine(kAbf0Line, "&h00,&b00000000"),
       "Line 15 invalid. Register address is not valid or is not configurable: 00"},
      {WithLine(kAbf0Line, "&h3f,&b00000000"),
       "Line 15 invalid. Register address is not valid or is not configurable: 3F"},
      {WithLine(kAbf0Line, "&h11D,&b00000000"),
       "Line 15 invalid. Register address is not valid or is not configurable: 11D"},
      // Pins.
      {WithLine(kRefselLine, "REFSEL"),
       "Line 44 invalid in PinStates section. Expected format is \"Pin = Value\"."},
      {WithLine(kRefselLine, "Foo=1"), "Line 44 invalid. Pin name is unexpected: Foo."},
      {WithLine(kRefselLine, "=5"), "Line 44 invalid. Pin name is unexpected: ."},
      // Software settings.
      {WithLine(kCrystalLine, "CrystalIndex"),
       "Line 51 invalid in SoftwareSettings section. Expected format is \"Setting = Value\"."},
      {WithLine(kCrystalLine, "Foo=1"), "Line 51 invalid. Setting is unexpected: Foo."},
      {WithLine(kCrystalLine, "CrystalIndex=3"),
       "Line 51 invalid. Crystal index must be 0, 1 or 2."},
      {WithLine(kCrystalLine, "CrystalIndex=-1"),
       "Line 51 invalid. Crystal index must be 0, 1 or 2."},
      // Values the reader cannot read exactly: refused on their line, never
      // read as the number they begin with.
      {WithLine(kCrystalLine, "CrystalIndex=0x1"), crystal},
      {WithLine(kCrystalLine, "CrystalIndex=1.9"), crystal},
      {WithLine(kCrystalLine, "CrystalIndex=+1"), crystal},
      {WithLine(kCrystalLine, "CrystalIndex=1 2"), crystal},
      {WithLine(kCrystalLine, "CrystalIndex=two"), crystal},
      {WithLine(kCrystalLine, "CrystalIndex="), crystal},
      {WithLine(kRefclkLine, "ExternalRefclk=19,44"), refclk},
      {WithLine(kRefclkLine, "ExternalRefclk=19 44"), refclk},
      {WithLine(kRefclkLine, "ExternalRefclk=25abc"), refclk},
      {WithLine(kRefclkLine, "ExternalRefclk=0x19"), refclk},
      {WithLine(kRefclkLine, "ExternalRefclk=0x1p4"), refclk},
      {WithLine(kRefclkLine, "ExternalRefclk=+25"), refclk},
      {WithLine(kRefclkLine, "ExternalRefclk=nan"), refclk},
      {WithLine(kRefclkLine, "ExternalRefclk="), refclk},
      {WithLine(kRefclkLine, "ExternalRefclk=0.000001"), refclkDecimals},
      {WithLine(kRefclkLine, "ExternalRefclk=19.440001"), refclkDecimals},
      {WithLine(kRefclkLine, "ExternalRefclk=9999.9999999"), refclkDecimals},
      {WithLine(kRefselLine, "REFSEL=junk"), "Line 44 " + pinFormat("REFSEL")},
      {WithLine(kMarginLine, "MARGIN=High"), margin},
      {WithLine(kMarginLine, "MARGIN=&h0junk"), margin},
      {WithLine(kMarginLine, "MARGIN=&h"), margin},
      {WithLine(kMarginLine, "MARGIN=&h-1"), margin},
      {WithLine(kMarginLine, "MARGIN=&h+1"), margin},
      {WithLine(kMarginLine, "MARGIN=&h0x1"), margin},
      {WithLine(kMarginLine, "MARGIN=&H1"), margin},
      {WithLine(kMarginLine, "MARGIN=&h1 1"), margin},
      {WithLine(kMarginLine, "MARGIN="), margin},
      // Whole-file checks, in their order.
      {WithoutLine(kLastLine), "End of file reached without finding section closing tag."},
      {WithLine(kLastLine, {"</SoftwareSettings>", "<Header>"}),
       "End of file reached without finding section closing tag."},
      {"", "Product is incorrect. Expected: QV3380, Found: "},
      {WithoutLine(kProductLine), "Product is incorrect. Expected: QV3380, Found: "},
      {WithLine(kProductLine, "Product ="), "Product is incorrect. Expected: QV3380, Found: ="},
      {WithLine(kProductLine, "Product = QV3381"),
       "Product is incorrect. Expected: QV3380, Found: QV3381"},
      {WithLine(kProductLine, "Product = QV3380QV3380QV3380QV3380"),
       "Product is incorrect. Expected: QV3380, Found: QV3380QV3380QV3380QV"},
      {WithLine(kVersionLine, "FileVersion = 1.00"), withVersion("1.00")},
      {WithLine(kVersionLine, "FileVersion = 1"), withVersion("1")},
      {WithLine(kVersionLine, "FileVersion = 2.0.0.0.0.0"), withVersion("2.0.0.0.")},
      {WithoutLine(kVersionLine), withVersion("")},
      {WithoutLine(kSscgLine), pinsMissing},
      {WithLine(kRefselLine, "REFSEL=1"), pinsMissing},
      {WithLine(kRefselLine, "REFSEL=&hFFFFFFFF"), pinsMissing},
      {WithoutLine(kCrystalLine), settingsMissing},
      {WithLine(kRefclkLine, "ExternalRefclk=-1"), settingsMissing},
      {WithLine(kRefclkLine, "ExternalRefclk=-1.00000"), settingsMissing},
      // A read takes at most 149 characters; the rest is the next line.
      {longComment + "\n" + DefaultSetupFile(), "Line 2 " + outside},
      {";" + std::string(148, 'x') + "\njunk\n", "Line 3 " + outside},
      {";" + std::string(147, 'x') + "\njunk\n", "Line 2 " + outside},
      // The first error stops the reading.
      {WithLine(kAbf0Line, {"&h00,&b0", "junk"}),
       "Line 15 invalid. Register address is not valid or is not configurable: 00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadText(c.file), c.message) << c.file.substr(0, 200);
  }
}

// Inputs no setup file is: each refused at once, with its reason, changing nothing.
TEST_F(SetupReader, UntrustedInputsAreRefusedAtOnce) {
  const std::string fifo = folder.Path("nobody-writes.stp");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string oversize = folder.Path("oversize.stp");
  test::WriteText(oversize, DefaultSetupFile() + std::string(SETUP_FILE_MAX_BYTES, ';'));
  const std::string atTheLimit = folder.Path("limit.stp");
  const std::string valid = DefaultSetupFile();
  test::WriteText(atTheLimit, valid + std::string(SETUP_FILE_MAX_BYTES - valid.size(), '\n'));
  const std::string missing = folder.Path("missing.stp");
  const std::string nul = "Line 15 invalid. The line contains a NUL character.";
  const std::string notConfigurable =
      "Line 10 invalid. Register address is not valid or is not configurable: ";
  const std::string crystal = "Line 51 invalid. Crystal index must be 0, 1 or 2.";
  const std::string refclk = "Line 52 invalid. ExternalRefclk must be a decimal number of MHz.";
  const std::string refclkRange = "Line 52 invalid. ExternalRefclk must be from 0 to 10000 MHz.";
  using namespace std::string_literals;
  const std::pair<std::string, std::string> byPath[] = {
      {"/dev/zero", "Unable to open file: /dev/zero\nnot a regular file"},
      {"/dev/full", "Unable to open file: /dev/full\nnot a regular file"},
      {fifo, "Unable to open file: " + fifo + "\nnot a regular file"},
      {folder.path().string(),
       "Unable to open file: " + folder.path().string() + "\nnot a regular file"},
      {oversize, "Unable to open file: " + oversize + "\nlarger than 1 MiB"},
      {missing, "Unable to open file: " + missing + "\nNo such file or directory"},
      {atTheLimit, ""},
  };
  const std::pair<std::string, std::string> byText[] = {
      {WithLine(kAbf0Line, "\0&h1D,&b11010000"s), nul},
      {WithLine(kAbf0Line, "&h1D,&b11010000 ;\0"s), nul},
      {WithLine(kAbf0Line, "\0"s), nul},
      {WithLine(10, "&h100000018,&b00011110"), notConfigurable + "100000018"},
      {WithLine(10, "&h-FFFFFFE8,&b00011110"), notConfigurable + "-FFFFFFE8"},
      {WithLine(10, "&h1000000000000000018,&b00011110"), notConfigurable + "1000000000000000018"},
      {WithLine(10, "&hFFFFFFFF,&b00011110"), notConfigurable + "FFFFFFFF"},
      {WithLine(kCrystalLine, "CrystalIndex=4294967296"), crystal},
      {WithLine(kCrystalLine, "CrystalIndex=-4294967295"), crystal},
      {WithLine(kCrystalLine, "CrystalIndex=99999999999999999999999"), crystal},
      {WithLine(kRefclkLine, "ExternalRefclk=nan"), refclk},
      {WithLine(kRefclkLine, "ExternalRefclk=-inf"), refclk},
      {WithLine(kRefclkLine, "ExternalRefclk=1e308"), refclkRange},
      {WithLine(kRefclkLine, "ExternalRefclk=10000.001"), refclkRange},
      {WithLine(kRefclkLine, "ExternalRefclk=-5"), refclkRange},
      {WithLine(kRefclkLine, "ExternalRefclk=-1.0"),
       "The selected crystal index and the external REFCLK frequency must both be specified."},
  };
  StartOnlineConnected();
  ClearWire();
  const test::ProgramSnapshot before = test::TakeSnapshot();
  auto check = [&](const std::string& path, const std::string& expected) {
    std::array<char, SETUP_MESSAGE_CAPACITY> message{};
    EXPECT_EQ(LoadSetupFile(path, message), expected.empty() ? 1 : 0) << path;
    EXPECT_EQ(message.data(), expected) << path;
    if (expected.empty()) return;
    EXPECT_EQ(test::DescribeDifferences(before, test::TakeSnapshot()), "") << path;
    EXPECT_TRUE(Bridge().Writes().empty()) << path;
  };
  for (const auto& [text, expected] : byText) {
    test::WriteText(folder.Path("bad.stp"), text);
    check(folder.Path("bad.stp"), expected);
  }
  for (const auto& [path, expected] : byPath) check(path, expected);
}

TEST_F(SetupReader, MessagesAreCutToTheBuffer) {
  const std::string path = folder.Path("bad.stp");
  test::WriteText(path, "junk\n");
  std::array<char, 12> small{};
  EXPECT_EQ(LoadSetupFile(path, small), 0);
  EXPECT_STREQ(small.data(), "Line 1 inva");
  EXPECT_EQ(LoadSetupFile(path, std::span<char>()), 0) << "no buffer at all is no fault";
}

TEST_F(SetupReader, TolerancesThatLoad) {
  struct Case {
    std::string file;
    std::function<void()> check;
  };
  std::string crlf;
  for (std::string_view line : kDefaultSetupLines) crlf += std::string(line) + "\r\n";
  const Case cases[] = {
      {crlf, [] { EXPECT_EQ(ABF0, 0xD0); }},
      {WithLine(2, "<header>"), [] {}},
      {WithLine(kProductLine, "PRODUCT = qv3380"), [] {}},
      {WithLine(kVersionLine, "fileversion = 1.0"), [] {}},
      {WithLine(kProductLine, "  Product=QV3380   ; the product"), [] {}},
      {WithLine(kSeparatorLine, "Foo=1"), [] {}},
      {WithLine(kAbf0Line, "&h1d,&b11000000"), [] { EXPECT_EQ(ABF0, 0xC0); }},
      {WithLine(kAbf0Line, "&h1D,&b110100001"), [] { EXPECT_EQ(ABF0, 0xD0); }},
      {WithLine(kAbf0Line, "&h1D,&b101"), [] { EXPECT_EQ(ABF0, 5); }},
      {WithLine(kAbf0Line, "&h1D,&b   11000000"), [] { EXPECT_EQ(ABF0, 0xC0); }},
      {WithLine(kAbf0Line, {"&h1D,&b00000001", "&h1D,&b00000010"}), [] { EXPECT_EQ(ABF0, 2); }},
      {WithLine(kRefselLine, "REFSEL=&h2"), [this] { EXPECT_EQ(Value(REFSEL), 1); }},
      {WithLine(kRefselLine, "refsel = &h0"), [this] { EXPECT_EQ(Value(REFSEL), 0); }},
      {WithLine(kRefselLine, {"REFSEL=1", "REFSEL=&h0", "REFSEL=1"}),
       [this] { EXPECT_EQ(Value(REFSEL), 0); }},
      {WithLine(kRefselLine, "REFSEL=&h 0  ; blanks after &h, as scanf skips them"),
       [this] { EXPECT_EQ(Value(REFSEL), 0); }},
      {WithLine(kMarginLine, "MARGIN=&h0000000000000000001"),
       [this] { EXPECT_EQ(Value(MARGIN), 1); }},
      {WithLine(kMarginLine, "MARGIN=&hfF"), [this] { EXPECT_EQ(Value(MARGIN), 1); }},
      {WithLine(kCrystalLine, "CrystalIndex=2"), [this] { EXPECT_EQ(Value(CrystalFreq), 2); }},
      {WithLine(kCrystalLine, " crystalindex = 02 "), [this] { EXPECT_EQ(Value(CrystalFreq), 2); }},
      {WithLine(kCrystalLine, {"CrystalIndex=2", "CrystalIndex=0"}),
       [this] { EXPECT_EQ(Value(CrystalFreq), 0); }},
      {WithLine(kRefclkLine, "EXTERNALREFCLK =  19.440000  ; six decimals, the same number"),
       [this] { EXPECT_EQ(Text(REFFREQ), "19.440000"); }},
      // Sections in any order and more than once; later values win.
      {"<PinStates>\nREFSEL=&h0\nMARGIN=&h1\nSSCG=&h0\nMAX_BW=&h0\n</PinStates>\n" +
           DefaultSetupFile() + "<RegisterMap>\n&h18,&b00011110\n</RegisterMap>\n",
       [this] {
         EXPECT_EQ(Value(REFSEL), 1);
         EXPECT_EQ(Value(MARGIN), 0);
         EXPECT_EQ(AF0, 0x1E);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.substr(0, 300));
    EXPECT_EQ(LoadText(c.file), "");
    c.check();
  }
}

TEST_F(SetupReader, UnlistedRegistersTakeTheirDefaults) {
  ASSERT_EQ(Commit(BLEEDSDM, 1), UIE_NO_ERROR);
  ASSERT_NE(ABF0, 0xD0);
  EXPECT_EQ(LoadText(WithoutLine(kAbf0Line)), "");
  EXPECT_EQ(ABF0, 0xD0);
  EXPECT_EQ(SetupImage[IDX_ABF0], 0xD0);
}

TEST_F(SetupReader, AppliesPinsAndReferenceBeforeRecomputing) {
  ASSERT_EQ(Text(NRANGE), "86 <= N <= 102");
  const std::string file = Replaced(Replaced(DefaultSetupFile(), "REFSEL=&h1", "REFSEL=&h0"),
                                    "ExternalRefclk=25.00000", "ExternalRefclk=19.44");
  EXPECT_EQ(LoadText(file), "");
  EXPECT_EQ(Value(REFSEL), 0);
  EXPECT_EQ(Text(REFFREQ), "19.440000");
  EXPECT_EQ(Text(NRANGE), "111 <= N <= 131") << "the plan already uses the loaded REFCLK";
  EXPECT_EQ(Text(VCO1FREQ), "   1.94400");
  EXPECT_EQ(Attribute(PLL1_N, ATTR_TEXT_BGCOLOR), VALIDATE_BAD_COLOR);
  EXPECT_EQ(MenuDimmed(menubar::RESETCFG), 0);
}

TEST_F(SetupReader, ReferenceTextIsSixDecimals) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"25.00000", "25.000000"}, {"19.44", "19.440000"},     {"0", "0.000000"},
      {"10000", "10000.000000"}, {"2.5e1", "25.000000"},     {"0.00001", "0.000010"},
  };
  // clang-format on
  for (const auto& [written, shown] : cases) {
    EXPECT_EQ(LoadText(WithLine(kRefclkLine, std::string("ExternalRefclk=") + written)), "");
    EXPECT_EQ(Text(REFFREQ), shown) << written;
  }
}

// Reading alone hands back what the file states and touches nothing.
TEST_F(SetupReader, ReadingWithoutApplying) {
  const std::string path = folder.Path("board.stp");
  test::WriteText(path, Replaced(Replaced(DefaultSetupFile(), "MARGIN=&h0", "MARGIN=&h2"),
                                 "&h18,&b00010100", "&h18,&b00011110"));
  const test::ProgramSnapshot before = test::TakeSnapshot();
  const SetupFileReading reading = ReadSetupFile(path);
  ASSERT_TRUE(reading.contents) << reading.message;
  EXPECT_EQ(reading.message, "");
  EXPECT_EQ(reading.contents->registers[IDX_AF0], 0x1E);
  EXPECT_EQ(reading.contents->registers[IDX_ABF0], 0xD0);
  EXPECT_EQ(reading.contents->pins, (std::array<int, SETUP_PIN_COUNT>{1, 1, 0, 0}));
  EXPECT_EQ(reading.contents->crystalIndex, 1u);
  EXPECT_EQ(reading.contents->externalRefclkMHz, 25.0);
  EXPECT_EQ(test::DescribeDifferences(before, test::TakeSnapshot()), "");
  EXPECT_EQ(CheckSetupText(ReadText(path)).contents, reading.contents);

  ApplySetupContents(*reading.contents);
  EXPECT_EQ(AF0, 0x1E);
  EXPECT_EQ(Value(MARGIN), 1);
}

// Every refused file, after a load that made the state anything but fresh.
TEST_F(SetupReader, RefusedFilesChangeNothing) {
  SetUp();
  StartOnlineConnected();
  ASSERT_EQ(LoadText(WithLine(kRefselLine, "REFSEL=&h0")), "");
  ASSERT_EQ(Commit(PLL1_N, 120), UIE_NO_ERROR);
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  ClearWire();
  const test::ProgramSnapshot before = test::TakeSnapshot();
  for (const std::string& file :
       {std::string("junk"), WithLine(kAbf0Line, "&h00,&b0"), WithoutLine(kLastLine),
        WithLine(kProductLine, "Product = X"), WithoutLine(kSscgLine), WithoutLine(kRefclkLine),
        WithLine(kCrystalLine, "CrystalIndex=7"), std::string("")}) {
    ui.fileAnswers.push_back({VAL_EXISTING_FILE_SELECTED, folder.Path("refused.stp")});
    test::WriteText(folder.Path("refused.stp"), file);
    ASSERT_EQ(ChooseDiscarding(menubar::IMPORT), UIE_NO_ERROR);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().title, "File Open Error");
    EXPECT_EQ(test::DescribeDifferences(before, test::TakeSnapshot()), "") << file;
    EXPECT_TRUE(Bridge().Writes().empty()) << "nothing reaches the chip";
  }
}

TEST_F(SetupReader, ResetToLastSetupFileAfterARefusedLoad) {
  ASSERT_EQ(LoadText(WithLine(10, "&h18,&b00011110")), "");  // PLL1 N 110
  ASSERT_EQ(Commit(PLL1_N, 120), UIE_NO_ERROR);
  ASSERT_NE(LoadText(WithLine(10, {"&h18,&b00100000", "junk"})), "");
  ASSERT_EQ(ChooseDiscarding(menubar::RESETCFG), UIE_NO_ERROR);
  EXPECT_EQ(Value(PLL1_N), 110);
  EXPECT_EQ(AF0, 0x1E);
}

TEST_F(SetupReader, OpenMenuShowsTheMessageOrNothing) {
  const std::string path = folder.Path("board.stp");
  test::WriteText(path, DefaultSetupFile());
  Open(path);
  EXPECT_TRUE(ui.messages.empty());
  test::WriteText(path, "<Header>\n");
  Open(path);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "File Open Error");
  EXPECT_EQ(ui.messages[0].text, "End of file reached without finding section closing tag.");
}

}  // namespace
}  // namespace qv
