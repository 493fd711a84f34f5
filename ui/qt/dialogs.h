#pragma once
// Message and file dialogs. Each is configured from the request, then run
// through one replaceable function, so a test can look at the configured
// dialog and answer it.

#include <QDialog>
#include <functional>
#include <string>
#include <string_view>

#include "ui/front_end.h"

class QFileDialog;

namespace qv::qt {

// Title, folder, filters, suggested name and save or open, as requested;
// the dialog itself asks before overwriting.
void ConfigureFileDialog(QFileDialog& dialog, const FileRequest& request);

class Dialogs {
 public:
  using Runner = std::function<int(QDialog& dialog)>;

  // Replaces how a configured dialog is shown (by default: modally, until closed).
  void SetRunner(Runner runner) { run_ = std::move(runner); }

  void ShowMessage(QWidget* parent, std::string_view title, std::string_view message);
  // VAL_NO_FILE_SELECTED, VAL_EXISTING_FILE_SELECTED or VAL_NEW_FILE_SELECTED.
  int SelectFile(QWidget* parent, const FileRequest& request, std::string* path);
  // The number of the answer chosen, from 1; Esc or closing chooses the last.
  int Ask(QWidget* parent, const Question& question);

 private:
  Runner run_ = [](QDialog& dialog) { return dialog.exec(); };
};

}  // namespace qv::qt
