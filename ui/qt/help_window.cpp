#include "ui/qt/help_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QScreen>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace qv::qt {

QStringList UserGuideFolders() {
  const QString program = QCoreApplication::applicationDirPath();
  return {QDir(program).filePath(QStringLiteral("manual")),
          QDir(program).filePath(QStringLiteral("../share/qv3380/manual"))};
}

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("userGuide"));
  setWindowTitle(QStringLiteral("QV3380 User Guide"));
  browser_->setOpenExternalLinks(true);
  setCentralWidget(browser_);
  QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
  bar->setMovable(false);
  QAction* back = bar->addAction(QStringLiteral("&Back"), browser_, &QTextBrowser::backward);
  back->setShortcut(QKeySequence::Back);
  QAction* forward = bar->addAction(QStringLiteral("&Forward"), browser_, &QTextBrowser::forward);
  forward->setShortcut(QKeySequence::Forward);
  bar->addAction(QStringLiteral("&Contents"), browser_, &QTextBrowser::home);
  QObject::connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  QObject::connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  QAction* close = new QAction(this);
  close->setShortcuts({QKeySequence::Close, QKeySequence(Qt::Key_Escape)});
  QObject::connect(close, &QAction::triggered, this, &QWidget::close);
  addAction(close);
  const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800);
  resize(QSize(900, 760).boundedTo(available.size() * 0.9));
}

bool HelpWindow::Open(const QString& folder, const QString& file) {
  const QFileInfo page(QDir(folder).filePath(file));
  if (!page.isFile()) return false;
  browser_->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
  return true;
}

}  // namespace qv::qt
