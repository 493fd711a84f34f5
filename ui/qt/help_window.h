#pragma once
// Help > User Guide: the manual shipped with the program, in a window of its
// own with Back, Forward and Contents.

#include <QMainWindow>
#include <QString>
#include <QStringList>

class QTextBrowser;

namespace qv::qt {

// Where the manual is looked for: beside the program (a build), then under
// the data folder of its installation prefix.
QStringList UserGuideFolders();

class HelpWindow final : public QMainWindow {
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows `file` of the folder; false when there is no such file.
  bool Open(const QString& folder, const QString& file);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace qv::qt
