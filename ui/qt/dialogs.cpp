#include "ui/qt/dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeView>
#include <vector>

#include "ui/qt/look.h"

namespace qv::qt {
namespace {

// "Setup File (*.stp)" is a Qt filter already; a bare "*.stp;*.txt" gets one.
QStringList NameFilters(const QString& fileTypeList) {
  QStringList filters;
  if (!fileTypeList.isEmpty()) {
    if (fileTypeList.contains(QLatin1Char('('))) {
      filters << fileTypeList.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    } else {
      QString patterns = fileTypeList;
      patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
      filters << QStringLiteral("%1 (%1)").arg(patterns.simplified());
    }
  }
  filters << QStringLiteral("All Files (*)");
  return filters;
}

// The extension of the first pattern of the first filter, for names typed without one.
QString DefaultSuffix(const QStringList& filters) {
  static const QRegularExpression kPattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
  const QRegularExpressionMatch match = kPattern.match(filters.value(0));
  return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

void ConfigureFileDialog(QFileDialog& dialog, const FileRequest& request) {
  const bool save = request.buttonKind == VAL_SAVE_BUTTON;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setWindowTitle(ToQString(request.title));
  // Wide enough, and the last column given the room, that the dates are not cut.
  dialog.resize(760, 460);
  if (auto* files = dialog.findChild<QTreeView*>("treeView")) {
    files->header()->setStretchLastSection(true);
    files->header()->resizeSection(0, 280);
  }
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.allowMakeDirectory) dialog.setOption(QFileDialog::ReadOnly);
  const QString directory = ToQString(request.defaultDirectory);
  dialog.setDirectory(directory.isEmpty() ? QDir::currentPath() : directory);
  const QStringList filters = NameFilters(ToQString(request.fileTypeList));
  dialog.setNameFilters(filters);
  if (save) {
    dialog.setDefaultSuffix(DefaultSuffix(filters));
    // A name typed without an extension takes the one of the kind chosen.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(DefaultSuffix({filter})); });
  }
  // A wildcard only narrows the list; a plain name is the suggested file.
  const QString fileSpec = ToQString(request.defaultFileSpec);
  const bool wildcard = fileSpec.contains(QLatin1Char('*')) || fileSpec.contains(QLatin1Char('?'));
  if (!fileSpec.isEmpty() && !wildcard) {
    dialog.selectFile(fileSpec);
  }
}

void Dialogs::ShowMessage(QWidget* parent, std::string_view title, std::string_view message) {
  // The program reports only failures this way.
  QMessageBox box(QMessageBox::Warning, ToQString(title), ToQString(message), QMessageBox::Ok,
                  parent);
  box.setObjectName(QStringLiteral("messagePopup"));
  run_(box);
}

int Dialogs::SelectFile(QWidget* parent, const FileRequest& request, std::string* path) {
  QFileDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("fileSelectPopup"));
  ConfigureFileDialog(dialog, request);
  if (run_(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return VAL_NO_FILE_SELECTED;
  }
  const QString chosen = dialog.selectedFiles().constFirst();
  *path = QDir::toNativeSeparators(chosen).toStdString();
  return QFileInfo::exists(chosen) ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
}

int Dialogs::Ask(QWidget* parent, const Question& question) {
  QMessageBox box(QMessageBox::Question, ToQString(question.title), ToQString(question.message),
                  QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("genericMessagePopup"));
  const int count = static_cast<int>(question.answers.size());
  std::vector<QAbstractButton*> buttons;
  for (int i = 0; i < count; ++i) {
    // The roles place the buttons as the desktop orders them: the default
    // first, the way out last, anything between as the risky alternative.
    const QMessageBox::ButtonRole role = i == count - 1 && count > 1 ? QMessageBox::RejectRole
                                         : i == 0                    ? QMessageBox::AcceptRole
                                                                     : QMessageBox::DestructiveRole;
    QPushButton* button = box.addButton(MnemonicText(question.answers[i]), role);
    button->setObjectName(QStringLiteral("answer%1").arg(i + 1));
    buttons.push_back(button);
  }
  if (!buttons.empty()) {
    box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
    box.setEscapeButton(buttons.back());
  }
  run_(box);
  for (int i = 0; i < count; ++i) {
    if (box.clickedButton() == buttons[i]) return i + 1;
  }
  return count;
}

}  // namespace qv::qt
