// Renders the program's icon (an SVG kept in dist/linux/) into the PNG sizes the desktop's icon
// theme looks for. Usage: make_icons <icon.svg> <output folder> <size>...
// Each size goes to <output folder>/<size>x<size>/kinvora.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_icons <icon.svg> <output folder> <size>...\n");
    return 2;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "make_icons: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString out = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    const int size = QByteArray(argv[i]).toInt();
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    const QString folder = out + QStringLiteral("/%1x%1").arg(size);
    if (!QDir().mkpath(folder) || !icon.save(folder + QStringLiteral("/kinvora.png"), "PNG")) {
      std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
