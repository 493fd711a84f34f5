// The setup file as written: every line, the markers, the pin and reference
// blocks, and what a failed save keeps.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "files/panel/setup_file_saving.h"
#include "model/registers.h"
#include "tests/files/expected_files.h"
#include "tests/files/files_fixture.h"

namespace qv {
namespace {

using test::DefaultSetupFile;
using test::ReadText;
using test::SplitLines;
using test::WriteText;

constexpr const char* kSaveError = "An error occurred when attempting to save the setup file.";

class SetupWriter : public test::FilesTest {
 protected:
  std::vector<std::string> SavedLines() {
    const std::string path = folder.Path("saved.stp");
    SaveAs(path);
    EXPECT_TRUE(ui.messages.empty()) << LastMessage();
    return SplitLines(ReadText(path));
  }
  std::array<int, REGISTER_COUNT> Registers() const {
    std::array<int, REGISTER_COUNT> values{};
    for (int i = 0; i < REGISTER_COUNT; ++i) values[i] = *RegisterTable[i].variable;
    return values;
  }
};

TEST_F(SetupWriter, DefaultsRightAfterAnOfflineStart) {
  const std::string path = folder.Path("qv3380_setup.stp");
  SaveAs(path);
  EXPECT_EQ(ReadText(path), DefaultSetupFile());
  EXPECT_EQ(SetupImage, Registers());
  EXPECT_EQ(MenuDimmed(menubar::RESETCFG), 1) << "a save does not enable Reset To Last Setup File";
}

TEST_F(SetupWriter, ChangedRegistersLoseTheirMarker) {
  struct Case {
    int control;
    int value;
    int line;  // 1-based
    const char* text;
  };
  const Case cases[] = {
      {PLL1_N, 110, 10, "&h18,&b00011110   ;1E Hex, 030 Dec"},
      // Only the low byte of the signed step goes into the file.
      {FRACSTEP, -3, 24, "&h2A,&b11111101   ;FD Hex, 253 Dec"},
      {CH3POWER, 0, 37, "&h3A,&b10000000   ;80 Hex, 128 Dec"},
      {OUT3D_M, 32, 34, "&h37,&b10000000   ;80 Hex, 128 Dec"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Commit(c.control, c.value), UIE_NO_ERROR) << c.text;
    const auto lines = SavedLines();
    ASSERT_EQ(lines.size(), 53u);
    EXPECT_EQ(lines[c.line - 1], c.text);
  }
  EXPECT_EQ(BS1, -3);
}

TEST_F(SetupWriter, PinAndReferenceBlocks) {
  struct Case {
    int refsel, margin, sscg, maxbw, crystal;
    const char* refclkText;
    const char* pins;  // lines 44 to 47
    const char* crystalLine;
    const char* refclkLine;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 1, "25", "REFSEL=&h0 MARGIN=&h0 SSCG=&h0 MAX_BW=&h0",
       "CrystalIndex=1            ; External crystal being used (0=19.44MHz, 1=25MHz, 2=27MHz)",
       "ExternalRefclk=25.00000   ; External REFCLK frequency in MHz"},
      {1, 1, 1, 1, 0, "19.44", "REFSEL=&h1 MARGIN=&h1 SSCG=&h1 MAX_BW=&h1",
       "CrystalIndex=0            ; External crystal being used (0=19.44MHz, 1=25MHz, 2=27MHz)",
       "ExternalRefclk=19.44000   ; External REFCLK frequency in MHz"},
      {0, 1, 0, 1, 2, "1000", "REFSEL=&h0 MARGIN=&h1 SSCG=&h0 MAX_BW=&h1",
       "CrystalIndex=2            ; External crystal being used (0=19.44MHz, 1=25MHz, 2=27MHz)",
       "ExternalRefclk=1000.00000   ; External REFCLK frequency in MHz"},
      {1, 0, 1, 0, 1, "-1", "REFSEL=&h1 MARGIN=&h0 SSCG=&h1 MAX_BW=&h0",
       "CrystalIndex=1            ; External crystal being used (0=19.44MHz, 1=25MHz, 2=27MHz)",
       "ExternalRefclk=-1.00000   ; External REFCLK frequency in MHz"},
      {0, 0, 0, 0, 1, "fast", "REFSEL=&h0 MARGIN=&h0 SSCG=&h0 MAX_BW=&h0",
       "CrystalIndex=1            ; External crystal being used (0=19.44MHz, 1=25MHz, 2=27MHz)",
       "ExternalRefclk=0.00000   ; External REFCLK frequency in MHz"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Commit(REFSEL, c.refsel), UIE_NO_ERROR);
    ASSERT_EQ(Commit(MARGIN, c.margin), UIE_NO_ERROR);
    ASSERT_EQ(Commit(SSCG, c.sscg), UIE_NO_ERROR);
    ASSERT_EQ(Commit(MAXBW, c.maxbw), UIE_NO_ERROR);
    ASSERT_EQ(Commit(CrystalFreq, c.crystal), UIE_NO_ERROR);
    // The box refuses "-1" and words from the user; the writer still writes
    // whatever text it holds as the number it begins with.
    ASSERT_EQ(SetCtrlVal(panelHandle, REFFREQ, c.refclkText), UIE_NO_ERROR);
    const auto lines = SavedLines();
    ASSERT_EQ(lines.size(), 53u) << c.refclkText;
    EXPECT_EQ(lines[43] + " " + lines[44] + " " + lines[45] + " " + lines[46], c.pins);
    EXPECT_EQ(lines[50], c.crystalLine);
    EXPECT_EQ(lines[51], c.refclkLine);
  }
}

TEST_F(SetupWriter, CancellingTheDialogWritesNothing) {
  ASSERT_EQ(Commit(PLL1_N, 110), UIE_NO_ERROR);
  ASSERT_EQ(Choose(menubar::EXPORT), UIE_NO_ERROR);  // no answer queued: Cancel
  EXPECT_EQ(SetupImage, (std::array<int, REGISTER_COUNT>{}));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(SetupWriter, SaveErrorsAreShownWithTheirReasonAndTheImageIsStillRefreshed) {
  const std::string inFile = folder.Path("plain");
  WriteText(inFile, "x");
  const std::pair<std::string, const char*> cases[] = {
      {"/nonexistent-qv3380/setup.stp", "No such file or directory"},
      {inFile + "/setup.stp", "Not a directory"},
      {"/dev/full", "No space left on device"},
      {folder.path().string(), "Is a directory"},
  };
  for (const auto& [path, reason] : cases) {
    ui.messages.clear();
    SetupImage.fill(0);
    ASSERT_EQ(Commit(PLL2_N, 100), UIE_NO_ERROR);
    SaveAs(path);
    ASSERT_EQ(ui.messages.size(), 1u) << path;
    EXPECT_EQ(ui.messages[0].title, "File Save Error");
    EXPECT_EQ(ui.messages[0].text, std::string(kSaveError) + "\n" + path + ": " + reason);
    EXPECT_EQ(SetupImage, Registers()) << path;
  }
}

// A write that fails half way (the file size limit stands in for a full disk)
// must leave the file that was there before.
TEST_F(SetupWriter, FailedWriteKeepsThePreviousFile) {
  const std::string path = folder.Path("board.stp");
  SaveAs(path);
  const std::string previous = ReadText(path);
  ASSERT_EQ(Commit(PLL1_N, 110), UIE_NO_ERROR);

  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit oldLimit{};
  getrlimit(RLIMIT_FSIZE, &oldLimit);
  rlimit small = oldLimit;
  small.rlim_cur = 100;
  setrlimit(RLIMIT_FSIZE, &small);
  const int saved = SaveSetupFile(path);
  setrlimit(RLIMIT_FSIZE, &oldLimit);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(saved, 0);
  EXPECT_EQ(ReadText(path), previous);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"board.stp"}) << "no temporary file is left";
}

TEST_F(SetupWriter, ReplacingKeepsPermissionsAndLinks) {
  const std::string real = folder.Path("real.stp");
  const std::string link = folder.Path("link.stp");
  WriteText(real, "old");
  ::chmod(real.c_str(), 0640);
  std::filesystem::create_symlink(real, link);
  ASSERT_EQ(SaveSetupFile(link), 1);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadText(real), DefaultSetupFile());
  struct stat info {};
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(folder.Names().size(), 2u);
}

}  // namespace
}  // namespace qv
