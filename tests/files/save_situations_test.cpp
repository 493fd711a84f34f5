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
#include <functional>
#include <map>

#include "files/extended_attributes.h"
#include "files/setup_file_writer.h"
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
  const fs::file_type type = fs::status(path).type();
  // Reading a pipe would wait for a writer.
  const std::string content = type == fs::file_type::regular ? ReadText(path) : "";
  return FileFacts{type,
                   content,
                   info.st_nlink,
                   info.st_uid,
                   info.st_gid,
                   info.st_mode & 07777U,
                   ReadExtendedAttributes(path.c_str())};
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

class SaveSituations : public test::FilesTest {
 protected:
  // A file with old content, owner and mode, and an attribute to keep.
  static void Make(const fs::path& path, std::string_view content, mode_t mode, Identity owner) {
    test::WriteText(path, std::string(content));
    ASSERT_EQ(::chown(path.c_str(), owner.user, owner.group), 0);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    // A file system without user attributes has none to keep.
    ::setxattr(path.c_str(), "user.qv3380", "kept", 4, 0);
  }
  // The user's folder for one situation; the suite's own is left open to them.
  fs::path Folder(const std::string& name) {
    ::chmod(folder.path().c_str(), 0755);
    const fs::path path = folder.path() / name;
    fs::create_directory(path);
    EXPECT_EQ(::chown(path.c_str(), User().user, User().group), 0);
    return path;
  }
};

// Fills the tiny file system at `folder` to the last byte.
void Fill(const fs::path& folder) {
  std::FILE* filler = std::fopen((folder / "filler").c_str(), "w");
  ASSERT_TRUE(filler);
  const std::string block(512, 'f');
  while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
         std::fflush(filler) == 0) {
  }
  std::fclose(filler);
}

TEST_F(SaveSituations, EachKeepsWhatItMust) {
  const Identity user = User();
  const Identity root{0, 0};
  const std::string old = "old content\n";
  struct Situation {
    const char* name;
    bool asUser;
    // "" when the save must work, else the reason it must fail with.
    const char* reason;
    // Builds the situation in `at`: the path to save to and the file it names;
    // or why it cannot be built here.
    std::function<std::string(const fs::path& at, std::string& save, std::string& target)> build;
  };
  const Situation situations[] = {
      {"plain file", true, "",
       [&](const fs::path& at, std::string& save, std::string& target) {
         Make(save = target = at / "board.stp", old, 0640, user);
         return "";
       }},
      {"hard link", true, "",
       [&](const fs::path& at, std::string& save, std::string& target) {
         Make(save = target = at / "board.stp", old, 0640, user);
         fs::create_hard_link(target, at / "other.stp");
         return "";
       }},
      {"symlink chain", true, "",
       [&](const fs::path& at, std::string& save, std::string& target) {
         Make(target = at / "board.stp", old, 0600, user);
         fs::create_symlink("board.stp", at / "middle.stp");
         fs::create_symlink(at / "middle.stp", save = at / "link.stp");
         return "";
       }},
      {"dangling symlink", true, "",
       [&](const fs::path& at, std::string& save, std::string& target) {
         fs::create_symlink("missing.stp", save = at / "link.stp");
         target = at / "missing.stp";
         return "";
       }},
      {"another owner's file saved by root", false, "",
       [&](const fs::path& at, std::string& save, std::string& target) {
         if (!kRoot) return "needs root";
         Make(save = target = at / "board.stp", old, 0640, {user.user, user.group});
         return "";
       }},
      {"an owner the user cannot give", true, "",
       [&](const fs::path& at, std::string& save, std::string& target) {
         if (!kRoot) return "needs root to make root's file";
         Make(save = target = at / "board.stp", old, 0666, root);
         return "";
       }},
      {"read-only file", true, "Permission denied",
       [&](const fs::path& at, std::string& save, std::string& target) {
         Make(save = target = at / "board.stp", old, 0444, user);
         return "";
       }},
      {"another owner's protected file in the user's folder", true, "Permission denied",
       [&](const fs::path& at, std::string& save, std::string& target) {
         if (!kRoot) return "needs root to make root's file";
         Make(save = target = at / "board.stp", old, 0644, root);
         return "";
       }},
      {"read-only folder, writable file", true, "",
       [&](const fs::path& at, std::string& save, std::string& target) {
         Make(save = target = at / "board.stp", old, 0644, user);
         ::chmod(at.c_str(), 0555);
         return "";
       }},
      {"new file in a read-only folder", true, "Permission denied",
       [&](const fs::path& at, std::string& save, std::string& target) {
         ::chmod(at.c_str(), 0555);
         save = target = at / "board.stp";
         return "";
       }},
      {"255-byte name", true, "",
       [&](const fs::path& at, std::string& save, std::string& target) {
         Make(save = target = at / (std::string(251, 'n') + ".stp"), old, 0640, user);
         return "";
       }},
      {"pipe nobody reads", true, "No such device or address",
       [&](const fs::path& at, std::string& save, std::string& target) {
         ::mkfifo((save = target = at / "board.stp").c_str(), 0666);
         ::chown(target.c_str(), user.user, user.group);
         return "";
       }},
      {"full disk", true, "No space left on device",
       [&](const fs::path& at, std::string& save, std::string& target) {
         if (!kRoot) return "needs root to mount a tmpfs";
         if (::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=32k,mode=0755") != 0) {
           return "cannot mount a tmpfs here";
         }
         ::chown(at.c_str(), user.user, user.group);
         Make(save = target = at / "board.stp", old, 0640, user);
         Fill(at);
         return "";
       }},
      {"hard link on a full disk", true, "No space left on device",
       [&](const fs::path& at, std::string& save, std::string& target) {
         if (!kRoot) return "needs root to mount a tmpfs";
         if (::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=32k,mode=0755") != 0) {
           return "cannot mount a tmpfs here";
         }
         ::chown(at.c_str(), user.user, user.group);
         // Empty, so writing in place needs space the disk does not have.
         Make(save = target = at / "board.stp", "", 0640, user);
         fs::create_hard_link(target, at / "other.stp");
         Fill(at);
         return "";
       }},
  };
  const mode_t mask = ::umask(0);
  ::umask(mask);
  int number = 0;
  for (const Situation& situation : situations) {
    SCOPED_TRACE(situation.name);
    const fs::path at = Folder("situation" + std::to_string(++number));
    std::string save, target;
    if (const std::string skipped = situation.build(at, save, target); !skipped.empty()) {
      std::printf("[  SKIPPED ] %s: %s\n", situation.name, skipped.c_str());
      continue;
    }
    const std::optional<FileFacts> before = FactsOf(target);
    auto entries = Entries(at);
    const SaveResult result = SaveInChild(save, situation.asUser);
    const std::optional<FileFacts> after = FactsOf(target);
    if (*situation.reason != '\0') {
      EXPECT_FALSE(result.saved);
      EXPECT_EQ(result.failure, target + ": " + situation.reason);
      EXPECT_EQ(after, before);
    } else {
      ASSERT_TRUE(result.saved) << result.failure;
      ASSERT_TRUE(after);
      EXPECT_EQ(after->content, test::DefaultSetupFile());
      FileFacts expected =
          before.value_or(FileFacts{fs::file_type::regular, "", 1, user.user, user.group,
                                    0666 & ~mask, ExtendedAttributes{}});
      expected.content = after->content;
      EXPECT_EQ(*after, expected);
      entries.emplace(fs::path(target).filename().string(), fs::file_type::regular);
    }
    EXPECT_EQ(Entries(at), entries) << "links stay links, and no temporary file is left";
    ::chmod(at.c_str(), 0755);
    ::umount2(at.c_str(), MNT_DETACH);
  }
}

}  // namespace
}  // namespace qv
