// The GUI's settings file: lists that keep any file name exactly, what the
// file holds besides them, the old layout, and everything it refuses to read
// or replace, each said once and left as it was.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "files/panel/baseline.h"
#include "files/panel/file_notes.h"
#include "files/panel/kept_settings.h"
#include "files/panel/recent_files.h"
#include "files/settings_file.h"
#include "tests/files/files_fixture.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::WriteText;

// Names a file system takes that a line, a menu or UTF-8 would not.
const std::vector<std::string> kAwkwardNames{
    "/boards/a\nb.stp",
    "/boards/\xff\xfe latin-1 \xe9.stp",
    "/boards/Gr\xc3\xb6\xc3\x9f"
    "e.stp",
    " lead and trail ",
    "/boards/100%.stp",
    "/boards/a&b__c.stp",
    "/boards/cr\r.stp",
    "/boards/tab\t;#=[x].stp",
};

class NoteRecorder {
 public:
  NoteRecorder()
      : id_(AddFileNoteListener([this](const FileNote& n) { notes.push_back(n.text); })) {}
  ~NoteRecorder() { RemoveFileNoteListener(id_); }
  NoteRecorder(const NoteRecorder&) = delete;
  NoteRecorder& operator=(const NoteRecorder&) = delete;
  std::vector<std::string> notes;

 private:
  int id_;
};

TEST(SettingsFile, ListsKeepEveryNameExactlyAndTheRestOfTheFileStays) {
  const test::TempFolder folder;
  const std::string path = folder.Path("qv3380/qv3380_gui.conf");
  fs::create_directory(folder.Path("qv3380"));
  WriteText(path, "[Window]\ngeometry=@ByteArray(\\x1\\0)\n; a comment\n");
  // Kept in a dotfiles folder, linked both ways: both links stay.
  fs::create_hard_link(path, folder.Path("dotfiles.conf"));
  fs::create_symlink(path, folder.Path("linked.conf"));
  NoteRecorder recorder;
  SettingsFileStore store(folder.Path("linked.conf"));
  store.Write("recentFiles", kAwkwardNames);
  store.Write("lastFolder", {"/boards/a\nb"});
  EXPECT_EQ(SettingsFileStore(path).Read("recentFiles"), kAwkwardNames);
  EXPECT_EQ(SettingsFileStore(path).Read("lastFolder"), std::vector<std::string>{"/boards/a\nb"});
  const std::string text = ReadText(path);
  EXPECT_TRUE(text.starts_with("[Window]\ngeometry=@ByteArray(\\x1\\0)\n; a comment\n[Files]\n"))
      << text;
  EXPECT_NE(text.find("recentFiles=/boards/a%0Ab.stp\n"), std::string::npos) << text;
  EXPECT_NE(text.find("recentFiles=/boards/Gr\xc3\xb6\xc3\x9f"
                      "e.stp\n"),
            std::string::npos);
  EXPECT_NE(text.find("recentFiles=%20lead and trail%20\n"), std::string::npos);
  EXPECT_EQ(ReadText(folder.Path("dotfiles.conf")), text);
  EXPECT_TRUE(fs::is_symlink(folder.Path("linked.conf")));
  store.Write("recentFiles", {});
  EXPECT_TRUE(store.Read("recentFiles").empty());
  EXPECT_EQ(recorder.notes, std::vector<std::string>{});
}

// What Qt's settings wrote before: one recent file a line, in [General].
TEST(SettingsFile, TheOldLayoutIsReadAndReplacedOnTheFirstWrite) {
  const test::TempFolder folder;
  const std::string path = folder.Path("old.conf");
  WriteText(path,
            "[General]\nlastFolder=/home/me/My Boards\n"
            "recentFiles=\"/home/me/a.stp\\n/home/me/b,c.stp\\n/home/me/\\x20ac.stp\\n\"\n"
            "other=1\n");
  SettingsFileStore store(path);
  EXPECT_EQ(store.Read("recentFiles"),
            (std::vector<std::string>{"/home/me/a.stp", "/home/me/b,c.stp",
                                      "/home/me/\xe2\x82\xac.stp"}));
  EXPECT_EQ(store.Read("lastFolder"), std::vector<std::string>{"/home/me/My Boards"});
  store.Write("lastFolder", {"/home/me"});
  EXPECT_EQ(store.Read("recentFiles").size(), 3u) << "carried over";
  const std::string text = ReadText(path);
  EXPECT_EQ(text.substr(0, text.find("[Files]")), "[General]\nother=1\n");
}

// Each builds a situation at `path`; false where this machine cannot.
using Situation = std::function<bool(const fs::path& path)>;
Situation Fifo(const char* name = nullptr) {
  return [name](const fs::path& path) {
    const fs::path fifo = name ? path.parent_path() / name : path;
    return ::mkfifo(fifo.c_str(), 0600) == 0 && (!name || ::symlink(name, path.c_str()) == 0);
  };
}
Situation LinkTo(const char* target, std::function<bool(const fs::path&)> make = {}) {
  return [=](const fs::path& path) {
    return (!make || make(path.parent_path() / target)) && ::symlink(target, path.c_str()) == 0;
  };
}
Situation Holding(std::string text, bool unreadable = false) {
  return [=](const fs::path& path) {
    WriteText(path, text);
    return !unreadable || (::geteuid() != 0 && ::chmod(path.c_str(), 0) == 0);
  };
}

TEST(SettingsFile, WhatItRefusesItSaysOnceAndLeavesAlone) {
  const auto device = [](const fs::path& at) {
    return ::geteuid() == 0 && ::mknod(at.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  };
  std::string nine = "[Files]\n";
  for (int i = 0; i < 9; ++i) nine += "recentFiles=/" + std::to_string(i) + ".stp\n";
  const std::string notRegular = "Settings are not kept: %s is not a regular file.";
  struct Refusal {
    const char* what;
    Situation build;
    std::vector<std::string> read;  // what Read gives
    bool written;                   // Write took the new list
    std::string note;               // said once; %s: the settings path
  };
  const Refusal refusals[] = {
      {"a FIFO nobody writes", Fifo(), {}, false, notRegular},
      {"a link to a FIFO",
       Fifo("fifo"),
       {},
       false,
       "Settings are not kept: %s is a link to fifo, which is not a regular file."},
      {"a link to a device",
       LinkTo("device", device),
       {},
       false,
       "Settings are not kept: %s is a link to device, which is not a regular file."},
      {"a folder",
       [](const fs::path& p) { return fs::create_directory(p); },
       {},
       false,
       notRegular},
      {"a dangling link into a missing folder",
       LinkTo("missing/settings.conf"),
       {},
       false,
       "Settings are not kept: %s is a link to missing/settings.conf, which does not exist and "
       "cannot be created (No such file or directory)."},
      {"a dangling link: its file is made", LinkTo("made.conf"), {}, true, ""},
      {"a 10 MB entry beside a good one",
       Holding("[Files]\nrecentFiles=" + std::string(10 << 20, 'x') + "\nrecentFiles=/g.stp\n"),
       {"/g.stp"},
       true,
       "Left out of the settings in %s: a value of recentFiles over 4096 bytes."},
      {"nine entries",
       Holding(nine),
       {},
       true,
       "Left out of the settings in %s: recentFiles, a list of more than 8 entries."},
      {"a file larger than 16 MiB",
       Holding(std::string(SETTINGS_FILE_MAX_BYTES + 1, ';')),
       {},
       false,
       "Settings are not kept: %s is larger than 16 MiB."},
      {"a file the user may not read",
       Holding("[Files]\n", true),
       {},
       false,
       "Settings are not kept: %s cannot be read (Permission denied)."},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.what);
    const test::TempFolder folder;
    const std::string path = folder.Path("qv3380_gui.conf");
    if (!r.build(path)) {
      std::printf("  (not built here: %s)\n", r.what);
      continue;
    }
    const fs::file_type entry = fs::symlink_status(path).type();
    const fs::file_type type = fs::status(path).type();
    NoteRecorder recorder;
    SettingsFileStore store(path);
    EXPECT_EQ(store.Read("recentFiles"), r.read);
    store.Write("recentFiles", {"/new.stp"});
    store.Write("recentFiles", {"/new.stp"});
    EXPECT_EQ(store.Read("recentFiles"), r.written ? std::vector<std::string>{"/new.stp"} : r.read);
    std::string note = r.note;
    if (const std::size_t at = note.find("%s"); at != std::string::npos) note.replace(at, 2, path);
    EXPECT_EQ(recorder.notes, note.empty() ? std::vector<std::string>{} : std::vector{note})
        << "said once";
    EXPECT_EQ(fs::symlink_status(path).type(), entry) << "a link stays a link";
    if (!r.written) {
      EXPECT_EQ(fs::status(path).type(), type) << "left as it was";
    }
  }
}

// The list in the menu: any name shows and opens exactly as it was saved.
class RecentFilesInTheSettingsFile : public test::FilesTest {
 protected:
  void SetUp() override {
    test::FilesTest::SetUp();
    InstallSettingsStore(&store);
  }
  SettingsFileStore store{folder.Path("settings.conf")};
};

TEST_F(RecentFilesInTheSettingsFile, AnyNameShowsAndOpensAsSaved) {
  const std::vector<std::string> names{"a&b__c.stp", "a\nb.stp", "\xff\xfe.stp"};
  for (const std::string& name : names) SaveAs(folder.Path(name));
  WriteText(folder.Path("b.stp"), "not the file saved\n");
  EXPECT_EQ(RecentSetupFiles(),
            (std::vector<std::string>{folder.Path(names[2]), folder.Path(names[1]),
                                      folder.Path(names[0])}));
  EXPECT_EQ(MenuText(menubar::RECENT2), "__2  " + folder.Path("a?b.stp"));
  EXPECT_EQ(MenuText(menubar::RECENT3), "__3  " + folder.Path("a&b__c.stp"));
  ASSERT_EQ(Commit(PLL1_N, 90), UIE_NO_ERROR);
  ui.questionAnswers.assign(1, 2);  // Discard
  ASSERT_EQ(Choose(menubar::RECENT2), UIE_NO_ERROR);
  EXPECT_EQ(OpenSetupFile(), folder.Path(names[1]));
  EXPECT_TRUE(ui.messages.empty()) << ui.messages.back().text;
  EXPECT_EQ(Value(PLL1_N), 100);
}

}  // namespace
}  // namespace qv
