// Renders the icon's SVG into PNGs at the sizes the desktop's icon theme
// asks for, at build time, so every size comes from the one drawing.
//   render_icon ICON.svg OUTPUT-DIR SIZE...   writes OUTPUT-DIR/SIZE/qv3380.png

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
  // No display is needed, and none may be there while building.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() < 4) {
    std::fprintf(stderr, "usage: render_icon ICON.svg OUTPUT-DIR SIZE...\n");
    return 2;
  }
  QSvgRenderer drawing(args[1]);
  if (!drawing.isValid()) {
    std::fprintf(stderr, "render_icon: %s: not an SVG drawing\n", qPrintable(args[1]));
    return 1;
  }
  for (qsizetype i = 3; i < args.size(); ++i) {
    const int size = args[i].toInt();
    if (size <= 0) {
      std::fprintf(stderr, "render_icon: %s is no size in pixels\n", qPrintable(args[i]));
      return 2;
    }
    const QString folder = args[2] + QLatin1Char('/') + args[i];
    const QString path = folder + QStringLiteral("/qv3380.png");
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing.render(&painter);
    painter.end();
    if (!QDir().mkpath(folder) || !image.save(path, "PNG")) {
      std::fprintf(stderr, "render_icon: %s could not be written\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
