// What the writer puts out, the reader takes back unchanged.

#include <gtest/gtest.h>

#include <random>

#include "files/panel/setup_file_loading.h"
#include "files/panel/setup_file_saving.h"
#include "files/setup_file_reader.h"
#include "model/registers.h"
#include "plan/panel/register_decoding.h"
#include "tests/files/files_fixture.h"

namespace qv {
namespace {

using test::ReadText;

class RoundTrip : public test::FilesTest {
 protected:
  std::string Load(const std::string& path) {
    std::array<char, SETUP_MESSAGE_CAPACITY> message{};
    LoadSetupFile(path, message);
    return message.data();
  }
};

TEST_F(RoundTrip, SaveLoadSaveGivesTheSameFile) {
  ASSERT_EQ(Commit(PLL1_N, 117), UIE_NO_ERROR);
  ASSERT_EQ(Commit(OUT2D_M, 32), UIE_NO_ERROR);
  ASSERT_EQ(Commit(FRACSTEP, -3), UIE_NO_ERROR);
  ASSERT_EQ(Commit(REFSEL, 0), UIE_NO_ERROR);
  ASSERT_EQ(Commit(MARGIN, 1), UIE_NO_ERROR);
  ASSERT_EQ(Commit(CrystalFreq, 2), UIE_NO_ERROR);
  ASSERT_EQ(CommitText(REFFREQ, "19.44"), UIE_NO_ERROR);
  const std::string first = folder.Path("first.stp"), second = folder.Path("second.stp");
  ASSERT_EQ(SaveSetupFile(first), 1);
  ASSERT_EQ(Choose(menubar::RESETDEFAULT), UIE_NO_ERROR);
  ASSERT_EQ(Load(first), "");
  ASSERT_EQ(SaveSetupFile(second), 1);
  EXPECT_EQ(ReadText(second), ReadText(first));
  EXPECT_EQ(Value(PLL1_N), 117);
  EXPECT_EQ(Value(CrystalFreq), 2);
}

TEST_F(RoundTrip, RandomRegisterImagesAndPinsComeBack) {
  std::mt19937 random(3380);
  std::uniform_int_distribution<int> byte(0, 255), bit(0, 1), crystal(0, 2);
  const std::string path = folder.Path("random.stp");
  for (int round = 0; round < 100; ++round) {
    std::array<int, REGISTER_COUNT> image{};
    for (int i = 0; i < REGISTER_COUNT; ++i) *RegisterTable[i].variable = image[i] = byte(random);
    const std::array<int, 4> pins{bit(random), bit(random), bit(random), bit(random)};
    const int crystalIndex = crystal(random);
    const std::string refclk = std::to_string(byte(random)) + ".5";
    const std::array pinControls{REFSEL, MARGIN, SSCG, MAXBW};
    for (int k = 0; k < 4; ++k) ASSERT_EQ(Commit(pinControls[k], pins[k]), UIE_NO_ERROR);
    ASSERT_EQ(Commit(CrystalFreq, crystalIndex), UIE_NO_ERROR);
    ASSERT_EQ(CommitText(REFFREQ, refclk), UIE_NO_ERROR);
    // The commits above change no register.
    for (int i = 0; i < REGISTER_COUNT; ++i) ASSERT_EQ(*RegisterTable[i].variable, image[i]);
    ASSERT_EQ(SaveSetupFile(path), 1);

    LoadDefaultRegisters();
    ASSERT_EQ(Commit(CrystalFreq, (crystalIndex + 1) % 3), UIE_NO_ERROR);
    ASSERT_EQ(Load(path), "") << "round " << round;
    for (int i = 0; i < REGISTER_COUNT; ++i) {
      EXPECT_EQ(*RegisterTable[i].variable, image[i])
          << RegisterTable[i].name << " round " << round;
    }
    EXPECT_EQ(Value(REFSEL), pins[0]);
    EXPECT_EQ(Value(MARGIN), pins[1]);
    EXPECT_EQ(Value(SSCG), pins[2]);
    EXPECT_EQ(Value(MAXBW), pins[3]);
    EXPECT_EQ(Value(CrystalFreq), crystalIndex);
    EXPECT_EQ(std::stod(Text(REFFREQ)), std::stod(refclk));
  }
}

}  // namespace
}  // namespace qv
