#include "ui/paint/picture_files.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImage>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/paint/scene_painter.h"

namespace qv::paint {
namespace {

constexpr int kPdfResolution = 96;  // layout in the same pixels as the screen
constexpr double kFooterHeight = 28.0;
constexpr const char* kFigurePrefix = "figure:";

// Draws the pictures of a document where its text has image objects named
// "figure:N", so a picture stays vectors on the page.
class FigureObjects : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

 public:
  explicit FigureObjects(const PrintDocument& document) : document_(document) {}

  QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override {
    const QTextImageFormat image = format.toImageFormat();
    return {image.width(), image.height()};
  }

  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                  const QTextFormat& format) override {
    const QString name = format.toImageFormat().name();
    if (!name.startsWith(QLatin1String(kFigurePrefix))) return;
    const auto index =
        name.mid(static_cast<qsizetype>(std::char_traits<char>::length(kFigurePrefix)))
            .toULongLong();
    if (index < document_.blocks.size() && document_.blocks[index].figure) {
      PaintScene(*painter, *document_.blocks[index].figure, rect);
    }
  }

 private:
  const PrintDocument& document_;
};

// The document's HTML with each picture as an image object as wide as the
// page, or less where that would take more than this share of its height.
constexpr double kMostOfPageHeight = 0.58;

QString DocumentHtml(const PrintDocument& document, QSizeF page) {
  QString html;
  for (std::size_t i = 0; i < document.blocks.size(); ++i) {
    const PrintBlock& block = document.blocks[i];
    if (!block.figure) {
      html += QString::fromStdString(block.html);
      continue;
    }
    const Scene& scene = *block.figure;
    const double scale =
        std::min(page.width() / scene.width, page.height() * kMostOfPageHeight / scene.height);
    html += QStringLiteral("<p align=\"center\"><img src=\"%1%2\" width=\"%3\" height=\"%4\"></p>")
                .arg(QLatin1String(kFigurePrefix))
                .arg(i)
                .arg(std::floor(scene.width * scale))
                .arg(std::floor(scene.height * scale));
  }
  return html;
}

}  // namespace

std::string PngBytes(const Scene& scene) {
  QImage image(static_cast<int>(std::ceil(scene.width * PNG_SCALE)),
               static_cast<int>(std::ceil(scene.height * PNG_SCALE)),
               QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return "";
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintScene(painter, scene, QRectF(0, 0, image.width(), image.height()));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return "";
  return bytes.toStdString();
}

std::string PdfBytes(const PrintDocument& document) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(QString::fromStdString(document.title));
    writer.setCreator(QStringLiteral("qv3380"));
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter));
    const QRectF paintArea = writer.pageLayout().paintRectPixels(kPdfResolution);
    const QSizeF body(paintArea.width(), paintArea.height() - kFooterHeight);

    QTextDocument text;
    text.documentLayout()->setPaintDevice(&writer);
    text.setUseDesignMetrics(true);
    QFont font(QString::fromLatin1(SCENE_FONT_FAMILY));
    font.setPointSizeF(8.5);
    // No ligatures: text copied or searched in the PDF reads "Offline", not "O\uFB04ine".
    font.setStyleStrategy(QFont::PreferNoShaping);
    text.setDefaultFont(font);
    text.setPageSize(body);
    FigureObjects figures(document);
    text.documentLayout()->registerHandler(QTextFormat::ImageObject, &figures);
    text.setHtml(DocumentHtml(document, body));

    QPainter painter(&writer);
    if (!painter.isActive()) return "";
    const int pages = text.pageCount();
    QFont footerFont(font);
    footerFont.setPointSizeF(7.5);
    for (int page = 0; page < pages; ++page) {
      if (page > 0) writer.newPage();
      painter.save();
      painter.translate(0, -page * body.height());
      text.drawContents(&painter, QRectF(QPointF(0, page * body.height()), body));
      painter.restore();
      painter.setFont(footerFont);
      painter.setPen(QColor(0x40, 0x40, 0x40));
      const QRectF footer(0, body.height() + 8, body.width(), kFooterHeight - 8);
      painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromStdString(document.footer));
      painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("page %1 of %2").arg(page + 1).arg(pages));
    }
  }
  buffer.close();
  return bytes.toStdString();
}

}  // namespace qv::paint

#include "picture_files.moc"
