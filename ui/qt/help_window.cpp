#include "ui/qt/help_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QKeySequence>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QToolBar>
#include <QUrl>

namespace qv::qt {
namespace {

// The guide shows its window pictures narrower than they were taken; the text
// browser would scale them without smoothing, which makes their text unreadable.
class GuideBrowser final : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

  QVariant loadResource(int type, const QUrl& name) override {
    QVariant resource = QTextBrowser::loadResource(type, name);
    const double width = PageWidthOf(name);
    if (type != QTextDocument::ImageResource || width <= 0) return resource;
    QImage picture = resource.typeId() == QMetaType::QImage
                         ? resource.value<QImage>()
                         : QImage::fromData(resource.toByteArray());
    if (picture.isNull() || picture.width() <= width) return resource;
    const double ratio = devicePixelRatioF();
    picture = picture.scaledToWidth(static_cast<int>(width * ratio), Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    return picture;
  }

 private:
  // The width the page gives the picture `name`; 0 when it gives none.
  double PageWidthOf(const QUrl& name) const {
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
      for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
        const QTextCharFormat format = piece.fragment().charFormat();
        if (format.isImageFormat() &&
            source().resolved(QUrl(format.toImageFormat().name())) == name) {
          return format.toImageFormat().width();
        }
      }
    }
    return 0;
  }
};

}  // namespace

QStringList UserGuideFolders() {
  const QString program = QCoreApplication::applicationDirPath();
  return {QDir(program).filePath(QStringLiteral("manual")),
          QDir(program).filePath(QStringLiteral("../share/qv3380/manual"))};
}

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent), browser_(new GuideBrowser(this)) {
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
