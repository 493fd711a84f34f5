// The File dialogs as the program asks for them, answered through the seam;
// and the message popup.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "tests/qt/qt_program_fixture.h"
#include "ui/qt/look.h"

namespace qv::test {
namespace {

struct SeenDialog {
  QString title;
  QStringList filters;
  QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
  QString suggested;  // the name in the dialog's file name box
  bool native = true;
};

class FileDialogs : public QtProgramTest {
 protected:
  // Answers the next file dialog with `answer` (relative to `folder`), or cancels it.
  void AnswerFileDialogs(const QString& answer) {
    ui->dialogs().SetRunner([this, answer](QDialog& dialog) {
      auto& files = static_cast<QFileDialog&>(dialog);
      auto* name = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      seen.push_back({files.windowTitle(), files.nameFilters(), files.acceptMode(),
                      name ? name->text() : QString(),
                      !files.testOption(QFileDialog::DontUseNativeDialog)});
      if (answer.isEmpty()) return int(QDialog::Rejected);
      files.setDirectory(folder.path());
      // selectFile() is ignored once the name box has focus; its text is what counts.
      name->setText(answer);
      files.open();
      static_cast<QDialog&>(files).accept();
      return files.result();
    });
  }
  int Select(const FileRequest& request, std::string* path) {
    return FileSelectPopup(request.defaultDirectory, request.defaultFileSpec, request.fileTypeList,
                           request.title, request.buttonKind, 0, 0, 1,
                           request.allowMakeDirectory ? 1 : 0, path);
  }

  QTemporaryDir folder;
  std::vector<SeenDialog> seen;
};

const FileRequest kSaveSetup{
    "", "qv3380_setup.stp", "Setup File (*.stp)", "Save Setup File", VAL_SAVE_BUTTON, true, true};
const FileRequest kOpenSetup{
    "", "*.stp", "Setup File (*.stp)", "Open Setup File", VAL_LOAD_BUTTON, true, false};
const FileRequest kExportJson{
    "", "qv3380_def.json", "JSON File (*.json)", "Export JSON File", VAL_SAVE_BUTTON, true, true};

TEST_F(FileDialogs, EachRequestConfiguresItsDialog) {
  StartOffline();
  AnswerFileDialogs("");
  struct Case {
    FileRequest request;
    QString filter;
    QFileDialog::AcceptMode mode;
    QString suggested;
  };
  for (const auto& [request, filter, mode, suggested] :
       {Case{kSaveSetup, "Setup File (*.stp)", QFileDialog::AcceptSave, "qv3380_setup.stp"},
        Case{kOpenSetup, "Setup File (*.stp)", QFileDialog::AcceptOpen, ""},
        Case{kExportJson, "JSON File (*.json)", QFileDialog::AcceptSave, "qv3380_def.json"}}) {
    std::string path = "stale";
    EXPECT_EQ(Select(request, &path), VAL_NO_FILE_SELECTED);
    EXPECT_TRUE(path.empty());
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().title, qt::ToQString(request.title));
    EXPECT_EQ(seen.back().filters.value(0), filter);
    EXPECT_EQ(seen.back().mode, mode);
    EXPECT_EQ(seen.back().suggested, suggested);
    EXPECT_FALSE(seen.back().native);
  }
}

TEST_F(FileDialogs, AChosenFileComesBackAsNewOrExisting) {
  StartOffline();
  AnswerFileDialogs("plan.stp");
  std::string path;
  EXPECT_EQ(Select(kSaveSetup, &path), VAL_NEW_FILE_SELECTED);
  EXPECT_EQ(path, QDir(folder.path()).filePath("plan.stp").toStdString());

  QFile existing(QDir(folder.path()).filePath("old.stp"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  AnswerFileDialogs("old.stp");
  EXPECT_EQ(Select(kOpenSetup, &path), VAL_EXISTING_FILE_SELECTED);
  EXPECT_EQ(path, existing.fileName().toStdString());
}

TEST_F(FileDialogs, AMessageShowsItsTitleAndText) {
  StartOffline();
  QString title, text;
  ui->dialogs().SetRunner([&](QDialog& dialog) {
    auto& box = static_cast<QMessageBox&>(dialog);
    title = box.windowTitle();
    text = box.text();
    return int(QMessageBox::Ok);
  });
  MessagePopup("File Open Error", "Line 3: \"&h1G\" is not a register value.");
  EXPECT_EQ(title, "File Open Error");
  EXPECT_EQ(text, "Line 3: \"&h1G\" is not a register value.");
}

}  // namespace
}  // namespace qv::test
