// Saves in place (a file with other links, a folder that takes no new file)
// against each other, against the tool's readers and against a kill: never a
// mixture of two contents; and the user is told when a crash could tear one.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "files/panel/setup_file_saving.h"
#include "files/regular_file.h"
#include "files/replace_file.h"
#include "tests/files/files_fixture.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::WriteText;

// A content no other writer's can be mistaken for, torn or whole.
std::string ContentOf(int writer, std::size_t length) {
  const std::string head = "writer " + std::to_string(writer) + "\n";
  return head + std::string(length - head.size() - 1, static_cast<char>('a' + writer % 26)) + "\n";
}

// A file with a second link, so every save of it goes in place.
std::string LinkedFile(const test::TempFolder& folder, const std::string& content) {
  const std::string path = folder.Path("board.stp");
  WriteText(path, content);
  fs::create_hard_link(path, folder.Path("other.stp"));
  return path;
}

pid_t Writer(const std::string& path, const std::vector<std::string>& contents, int rounds) {
  const pid_t child = ::fork();
  if (child != 0) return child;
  for (int round = 0; round < rounds; ++round) {
    for (const std::string& content : contents) {
      std::string failure;
      if (!ReplaceFileContents(path, content, failure)) ::_exit(1);
    }
  }
  ::_exit(0);
}

TEST(InPlaceSave, TwentyWritersAndAReaderNeverSeeATornFile) {
  const test::TempFolder folder;
  std::vector<std::string> contents;
  for (int writer = 0; writer < 20; ++writer) {
    // Lengths that cross each other, as setup files and exports of any size do.
    contents.push_back(ContentOf(writer, 300 + static_cast<std::size_t>(writer * 397 % 5000)));
  }
  const std::string path = LinkedFile(folder, contents[0]);
  std::vector<pid_t> writers;
  for (const std::string& content : contents) writers.push_back(Writer(path, {content}, 8));

  const std::set<std::string> whole(contents.begin(), contents.end());
  int reads = 0;
  int torn = 0;
  int failed = 0;
  std::vector<int> statuses(writers.size(), -1);
  for (auto left = writers.size(); left > 0 || reads == 0;) {
    std::string reason;
    const std::optional<std::string> text = ReadRegularFile(path, 1 << 20, "too large", reason);
    ++reads;
    if (!text) {
      ++failed;
    } else if (!whole.contains(*text)) {
      ++torn;
    }
    for (std::size_t i = 0; i < writers.size(); ++i) {
      if (statuses[i] != -1) continue;
      if (int status = 0; ::waitpid(writers[i], &status, WNOHANG) == writers[i]) {
        statuses[i] = status;
        --left;
      }
    }
  }
  EXPECT_EQ(torn, 0) << "of " << reads << " reads";
  EXPECT_EQ(failed, 0);
  EXPECT_TRUE(std::ranges::all_of(statuses, [](int s) { return WIFEXITED(s) && !WEXITSTATUS(s); }))
      << "every save worked";
  EXPECT_TRUE(whole.contains(ReadText(path)));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_nlink, 2u) << "the link stays";
  EXPECT_EQ(folder.Names().size(), 2u) << "no temporary file is left";
}

// Each save a little longer than the last, within a page: the one way in place
// that a crash cannot tear, so a kill at any moment leaves one whole content.
TEST(InPlaceSave, AKillLeavesTheOldContentOrTheNew) {
  const test::TempFolder folder;
  std::vector<std::string> contents;
  for (int step = 0; step < 600; ++step) contents.push_back(ContentOf(step, 1000 + 5 * step));
  std::mt19937 random(24);
  for (int round = 0; round < 25; ++round) {
    SCOPED_TRACE(round);
    const std::string path = LinkedFile(folder, contents[0]);
    const pid_t child = Writer(path, contents, 1);
    ::usleep(std::uniform_int_distribution<useconds_t>(0, 40000)(random));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(std::ranges::find(contents, ReadText(path)) != contents.end());
    fs::remove(path);
    fs::remove(folder.Path("other.stp"));
  }
}

TEST(InPlaceSave, ReportsWhenACrashCouldTearIt) {
  const long page = ::sysconf(_SC_PAGESIZE);
  struct Case {
    const char* what;
    std::size_t before, after;
    bool crashSafe;
  };
  const Case cases[] = {
      {"the same length", 2000, 2000, true},
      {"longer, within a page", 2000, 3000, true},
      {"a whole page", 10, static_cast<std::size_t>(page), true},
      {"shorter: truncated after the write", 2000, 1999, false},
      {"beyond a page: more than one write", 10, static_cast<std::size_t>(page) + 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const test::TempFolder folder;
    const std::string path = LinkedFile(folder, ContentOf(1, c.before));
    std::string failure;
    ReplaceReport report;
    ASSERT_TRUE(ReplaceFileContents(path, ContentOf(2, c.after), failure, {}, &report)) << failure;
    EXPECT_TRUE(report.inPlace);
    EXPECT_EQ(report.why, "it has other links");
    EXPECT_EQ(report.crashSafe, c.crashSafe);
    EXPECT_EQ(ReadText(path), ContentOf(2, c.after));
  }
  const test::TempFolder folder;
  ReplaceReport report;
  std::string failure;
  ASSERT_TRUE(ReplaceFileContents(folder.Path("new.stp"), "new\n", failure, {}, &report));
  EXPECT_FALSE(report.inPlace);
  EXPECT_TRUE(report.crashSafe) << "the rename path";
}

class InPlaceSaveNote : public test::FilesTest {};

TEST_F(InPlaceSaveNote, SaidInTheStatusLineUntilTheNextAction) {
  const std::string path = LinkedFile(folder, std::string(3000, ';') + "\n");
  SaveAs(path);
  std::string message;
  GetPanelAttribute(panelHandle, ATTR_STATUS_MESSAGE, &message);
  EXPECT_EQ(message,
            "board.stp was written in place (it has other links): a crash during such a save "
            "could leave it torn.");
  EXPECT_EQ(ReadText(path), ReadText(folder.Path("other.stp")));
  ASSERT_EQ(Commit(PLL1_N, 90), UIE_NO_ERROR);
  GetPanelAttribute(panelHandle, ATTR_STATUS_MESSAGE, &message);
  EXPECT_EQ(message, "");
  ASSERT_EQ(Commit(PLL1_N, 100), UIE_NO_ERROR);
  SaveAs(path);  // the same length again: nothing to say
  GetPanelAttribute(panelHandle, ATTR_STATUS_MESSAGE, &message);
  EXPECT_EQ(message, "");
}

}  // namespace
}  // namespace qv
