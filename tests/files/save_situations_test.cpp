// Saving over what a user's disk really holds: links, other owners, protected
// files and folders, long names, a full disk. Afterwards the file keeps its
// links, owner, mode and attributes, and its old content unless the save worked.
// Saves said to be the user's run in a child that drops root to nobody.

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "files/extended_attributes.h"
#include "files/panel/setup_file_saving.h"
#include "tests/files/expected_files.h"
#include "tests/files/files_fixture.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::ReadText;

const bool kRoot = ::geteuid() == 0;

struct Identity {
  uid_t user;
  gid_t group;
};
// Who "the user" is: nobody when the suite runs as root.
Identity User() {
  if (!kRoot) return {::geteuid(), ::getegid()};
  const passwd* nobody = ::getpwnam("nobody");
  const group* nogroup = ::getgrnam("nogroup");
  return {nobody ? nobody->pw_uid : 65534, nogroup ? nogroup->gr_gid : 65534};
}

struct FileFacts {
  fs::file_type type;
  std::string content;
  nlink_t links;
  uid_t owner;
  gid_t group;
  mode_t mode;
  std::optional<ExtendedAttributes> attributes;
  bool operator==(const FileFacts&) const = default;
};

std::optional<FileFacts> FactsOf(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  FileFacts facts{fs::status(path).type(),
                  "",
                  info.st_nlink,
                  info.st_uid,
                  info.st_gid,
                  info.st_mode & 07777U,
                  ReadExtendedAttributes(path.c_str())};
  // Reading a pipe would wait for a writer.
  if (facts.type == fs::file_type::regular) facts.content = ReadText(path);
  return facts;
}

std::map<std::string, fs::file_type> Entries(const fs::path& folder) {
  std::map<std::string, fs::file_type> entries;
  for (const auto& entry : fs::directory_iterator(folder)) {
    entries[entry.path().filename().string()] = entry.symlink_status().type();
  }
  return entries;
}

struct SaveResult {
  bool saved = false;
  std::string failure;
};

// SaveSetupFile in a child process, as the user when `asUser` (and the suite
// runs as root), so a drop of privileges never reaches the suite.
SaveResult SaveInChild(const std::string& path, bool asUser) {
  int pipe[2];
  if (::pipe(pipe) != 0) return {false, "no pipe"};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe[0]);
    const Identity user = User();
    if (asUser && kRoot &&
        (::setgroups(0, nullptr) != 0 || ::setresgid(user.group, user.group, user.group) != 0 ||
         ::setresuid(user.user, user.user, user.user) != 0)) {
      ::_exit(3);
    }
    std::string failure;
    const std::string report = (SaveSetupFile(path, &failure) == 1 ? "1" : "0") + failure;
    const bool told = ::write(pipe[1], report.data(), report.size()) == ssize_t(report.size());
    ::_exit(told ? 0 : 4);
  }
  ::close(pipe[1]);
  std::string report;
  char buffer[512];
  for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;) report.append(buffer, got);
  ::close(pipe[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || report.empty()) {
    return {false, "the saving child failed"};
  }
  return {report[0] == '1', report.substr(1)};
}

// Fills the tiny file system at `folder` to the last byte.
void Fill(const fs::path& folder) {
  std::ofstream filler(folder / "filler");
  const std::string block(512, 'f');
  while (filler.write(block.data(), block.size()) && filler.flush()) {
  }
}

enum class Twist {
  None,
  HardLink,
  SymlinkChain,
  DanglingSymlink,
  LongName,
  ReadOnlyFolder,
  Pipe,
  FullDisk,
  FullDiskHardLink
};
struct Situation {
  const char* name;
  Twist twist;
  bool rootsFile;      // the file belongs to root, not to the user
  mode_t mode;         // 0: there is no file yet
  bool byRoot;         // saved by root, not by the user
  const char* reason;  // "" when the save must work
};

class SaveSituations : public test::FilesTest {
 protected:
  // Builds the situation in a folder of the user's: the path to save to, with
  // `target` the file it names; or why it cannot be built here.
  std::string Build(const Situation& s, const fs::path& at, fs::path& target) {
    const bool fullDisk = s.twist == Twist::FullDisk || s.twist == Twist::FullDiskHardLink;
    if (!kRoot && (s.rootsFile || s.byRoot || fullDisk)) return "needs root";
    if (fullDisk && ::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=32k") != 0) return "no tmpfs";
    const Identity owner = s.rootsFile ? Identity{0, 0} : User();
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(::chown(at.c_str(), User().user, User().group), 0);
    target = at / (s.twist == Twist::LongName ? std::string(251, 'n') + ".stp" : "board.stp");
    if (s.twist == Twist::Pipe) {
      ::mkfifo(target.c_str(), s.mode);
    } else if (s.mode != 0 && s.twist != Twist::DanglingSymlink) {
      // Empty on a full disk, so even writing in place needs space it lacks.
      test::WriteText(target, s.twist == Twist::FullDiskHardLink ? "" : "old content\n");
      ::chmod(target.c_str(), s.mode);
      // A file system without user attributes has none to keep.
      ::setxattr(target.c_str(), "user.qv3380", "kept", 4, 0);
    }
    ::chown(target.c_str(), owner.user, owner.group);
    if (s.twist == Twist::HardLink || s.twist == Twist::FullDiskHardLink) {
      fs::create_hard_link(target, at / "other.stp");
    }
    if (fullDisk) Fill(at);
    if (s.twist == Twist::ReadOnlyFolder) ::chmod(at.c_str(), 0555);
    if (s.twist == Twist::SymlinkChain) {
      fs::create_symlink(target.filename(), at / "middle.stp");
      fs::create_symlink(at / "middle.stp", at / "link.stp");
      return at / "link.stp";
    }
    if (s.twist == Twist::DanglingSymlink) {
      fs::create_symlink(target.filename(), at / "link.stp");
      return at / "link.stp";
    }
    return target;
  }
};

TEST_F(SaveSituations, EachKeepsWhatItMust) {
  const char* denied = "Permission denied";
  const Situation situations[] = {
      {"plain file", Twist::None, false, 0640, false, ""},
      {"hard link", Twist::HardLink, false, 0640, false, ""},
      {"symlink chain", Twist::SymlinkChain, false, 0600, false, ""},
      {"dangling symlink", Twist::DanglingSymlink, false, 0, false, ""},
      {"the user's file, saved by root", Twist::None, false, 0640, true, ""},
      {"root's file the user may write", Twist::None, true, 0666, false, ""},
      {"read-only file", Twist::None, false, 0444, false, denied},
      {"root's protected file in the user's folder", Twist::None, true, 0644, false, denied},
      {"read-only folder, writable file", Twist::ReadOnlyFolder, false, 0644, false, ""},
      {"new file in a read-only folder", Twist::ReadOnlyFolder, false, 0, false, denied},
      {"255-byte name", Twist::LongName, false, 0640, false, ""},
      {"pipe nobody reads", Twist::Pipe, false, 0666, false, "No such device or address"},
      {"full disk", Twist::FullDisk, false, 0640, false, "No space left on device"},
      {"hard link on a full disk", Twist::FullDiskHardLink, false, 0640, false,
       "No space left on device"},
  };
  const mode_t mask = ::umask(0);
  ::umask(mask);
  int number = 0;
  for (const Situation& situation : situations) {
    SCOPED_TRACE(situation.name);
    const fs::path at = folder.path() / ("situation" + std::to_string(++number));
    fs::create_directory(at);
    fs::path target;
    const std::string save = Build(situation, at, target);
    if (target.empty()) {
      std::printf("[  SKIPPED ] %s: %s\n", situation.name, save.c_str());
      continue;
    }
    const std::optional<FileFacts> before = FactsOf(target);
    auto entries = Entries(at);
    const SaveResult result = SaveInChild(save, !situation.byRoot);
    const std::optional<FileFacts> after = FactsOf(target);
    if (*situation.reason != '\0') {
      EXPECT_FALSE(result.saved);
      EXPECT_EQ(result.failure, target.string() + ": " + situation.reason);
      EXPECT_EQ(after, before);
    } else {
      ASSERT_TRUE(result.saved) << result.failure;
      FileFacts expected =
          before.value_or(FileFacts{fs::file_type::regular, "", 1, User().user, User().group,
                                    0666 & ~mask, ExtendedAttributes{}});
      expected.content = test::DefaultSetupFile();
      EXPECT_EQ(after, expected);
      entries.emplace(target.filename().string(), fs::file_type::regular);
    }
    EXPECT_EQ(Entries(at), entries) << "links stay links, and no temporary file is left";
    ::chmod(at.c_str(), 0755);
    ::umount2(at.c_str(), MNT_DETACH);
  }
}

}  // namespace
}  // namespace qv
