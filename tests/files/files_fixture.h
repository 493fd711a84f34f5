#pragma once
// The program started offline, with a folder for the files a test writes and
// the File menu driven as the user drives it.

#include <array>
#include <string>

#include "files/panel/setup_file_loading.h"
#include "files/setup_file_reader.h"
#include "tests/files/temp_folder.h"
#include "tests/support/program_fixture.h"
#include "ui/panel_ids.h"

namespace qv::test {

class FilesTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    StartOffline();
  }

  // File > Save Setup As..., Open Setup... and Export JSON... with `path` chosen.
  void SaveAs(const std::string& path) { ChooseWithFile(menubar::EXPORT, path); }
  void Open(const std::string& path) { ChooseWithFile(menubar::IMPORT, path); }
  void ExportJson(const std::string& path) { ChooseWithFile(menubar::EXPORTJSON, path); }

  // Loads the text from a file; the message when it was refused, else empty.
  std::string LoadText(const std::string& text) {
    const std::string path = folder.Path("load.stp");
    WriteText(path, text);
    std::array<char, SETUP_MESSAGE_CAPACITY> message{};
    const int loaded = LoadSetupFile(path, message);
    EXPECT_EQ(loaded == 1, message[0] == '\0') << message.data();
    return message.data();
  }

  std::string LastMessage() const { return ui.messages.empty() ? "" : ui.messages.back().text; }

  TempFolder folder;

 private:
  void ChooseWithFile(int item, const std::string& path) {
    ui.fileAnswers.push_back({VAL_NEW_FILE_SELECTED, path});
    ASSERT_EQ(Choose(item), UIE_NO_ERROR);
  }
};

}  // namespace qv::test
