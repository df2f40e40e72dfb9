// Draws the pictures of the installation: the position sketches and formula pictures of the
// design steps (BMP, under images/) and the linkage sketch of the result pages (GIF, under
// web/images/). Usage: make_pictures <staged runtime folder>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;
const QColor kInk(20, 20, 20), kLink(25, 70, 160), kThin(150, 150, 150), kAngle(190, 40, 40);

QFont textFont(int pixels, bool italic = false) {
  QFont f(QStringLiteral("Noto Serif CJK SC"));
  f.setPixelSize(pixels);
  f.setItalic(italic);
  return f;
}

QImage canvas(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// Text with "_{...}" subscripts and "^{...}" superscripts, from a baseline point; returns the
// point after it.
QPointF drawFormula(QPainter& p, QPointF at, const QString& text, int pixels) {
  const QFont normal = textFont(pixels);
  QFont small = textFont(pixels * 2 / 3);
  int i = 0;
  while (i < text.size()) {
    if ((text[i] == u'_' || text[i] == u'^') && i + 1 < text.size() && text[i + 1] == u'{') {
      const int close = text.indexOf(u'}', i);
      const QString part = text.mid(i + 2, close - i - 2);
      const double shift = text[i] == u'_' ? pixels * 0.25 : -pixels * 0.45;
      p.setFont(small);
      p.drawText(at + QPointF(0, shift), part);
      at.rx() += QFontMetricsF(small).horizontalAdvance(part);
      i = close + 1;
      continue;
    }
    int next = i;
    while (next < text.size() && !((text[next] == u'_' || text[next] == u'^') && next + 1 < text.size() &&
                                   text[next + 1] == u'{'))
      ++next;
    const QString run = text.mid(i, next - i);
    p.setFont(normal);
    p.drawText(at, run);
    at.rx() += QFontMetricsF(normal).horizontalAdvance(run);
    i = next;
  }
  return at;
}

QImage formulaPicture(int w, const QStringList& lines, int pixels = 17) {
  const int lineHeight = pixels * 2;
  QImage image = canvas(w, lineHeight * int(lines.size()) + pixels / 2);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(kInk);
  for (int i = 0; i < lines.size(); ++i) drawFormula(p, QPointF(10, lineHeight * (i + 1) - pixels / 2), lines[i], pixels);
  return image;
}

void groundPivot(QPainter& p, QPointF at) {
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(Qt::white);
  QPainterPath triangle;
  triangle.moveTo(at);
  triangle.lineTo(at + QPointF(-8, 13));
  triangle.lineTo(at + QPointF(8, 13));
  triangle.closeSubpath();
  p.drawPath(triangle);
  p.drawLine(at + QPointF(-13, 13), at + QPointF(13, 13));
  for (double x = -12; x < 13; x += 5) p.drawLine(at + QPointF(x, 13), at + QPointF(x - 5, 19));
}

void joint(QPainter& p, QPointF at) {
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(Qt::white);
  p.drawEllipse(at, 3.5, 3.5);
}

void label(QPainter& p, QPointF at, const QString& text, int pixels = 14, const QColor& colour = kInk) {
  p.setPen(colour);
  drawFormula(p, at, text, pixels);
}

// An arc from the direction `from` (deg, counter-clockwise from +x) through `sweep` degrees.
void angleArc(QPainter& p, QPointF centre, double radius, double from, double sweep) {
  p.setPen(QPen(kAngle, 1));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), int(from * 16),
            int(sweep * 16));
}

QPointF polar(QPointF origin, double length, double degrees) {
  return origin + QPointF(length * std::cos(degrees * kDeg), -length * std::sin(degrees * kDeg));
}

// C of a four-bar from B and D, the branch above the line BD.
QPointF closeLoop(QPointF B, QPointF D, double bc, double dc) {
  const QPointF bd = D - B;
  const double dist = std::hypot(bd.x(), bd.y());
  const double along = (bc * bc - dc * dc + dist * dist) / (2 * dist);
  const double h = std::sqrt(std::max(0.0, bc * bc - along * along));
  const QPointF mid = B + bd * (along / dist);
  return {mid.x() + h * bd.y() / dist, mid.y() - h * bd.x() / dist};
}

QImage fourBarSketch() {
  QImage image = canvas(230, 300);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF A(62, 185), D(185, 185);
  const double a = 55, b = 125, c = 95;
  const double phis[] = {60, 95, 130}, psis[] = {70, 95, 118};
  // Three corresponding positions: the first drawn strong, the others thin.
  for (int i = 2; i >= 0; --i) {
    const QPointF B = polar(A, a, phis[i]);
    const QPointF C = polar(D, c, psis[i]);
    p.setPen(QPen(i == 0 ? kLink : kThin, i == 0 ? 2.5 : 1, i == 0 ? Qt::SolidLine : Qt::DashLine));
    p.drawLine(A, B);
    p.drawLine(B, C);
    p.drawLine(D, C);
    joint(p, B);
    joint(p, C);
    label(p, B + QPointF(-16, -4), QStringLiteral("B_{%1}").arg(i + 1), 13);
    label(p, C + QPointF(6, -4), QStringLiteral("C_{%1}").arg(i + 1), 13);
  }
  Q_UNUSED(b);
  p.setPen(QPen(kInk, 1, Qt::DashDotLine));
  p.drawLine(A, D + QPointF(30, 0));
  angleArc(p, A, 22, 0, phis[0]);
  angleArc(p, D, 26, 0, psis[0]);
  label(p, A + QPointF(22, -8), QStringLiteral("φ_{1}"), 13, kAngle);
  label(p, D + QPointF(20, -14), QStringLiteral("ψ_{1}"), 13, kAngle);
  groundPivot(p, A);
  groundPivot(p, D);
  joint(p, A);
  joint(p, D);
  label(p, A + QPointF(-18, 4), QStringLiteral("A"));
  label(p, D + QPointF(-18, 4), QStringLiteral("D"));
  p.setPen(kInk);
  p.setFont(textFont(12));
  p.drawText(QRectF(0, 230, 230, 50), Qt::AlignCenter | Qt::TextWordWrap,
             QStringLiteral("φ、ψ自机架线AD起\n逆时针量取"));
  return image;
}

QImage crankSliderSketch() {
  QImage image = canvas(230, 300);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF A(40, 150);
  const double a = 35, b = 110, e = 25;
  const double lineY = A.y() + e;  // the slider's line, e below A here
  p.setPen(QPen(kInk, 1));
  p.drawLine(QPointF(20, lineY + 9), QPointF(225, lineY + 9));
  for (double x = 22; x < 225; x += 6) p.drawLine(QPointF(x, lineY + 9), QPointF(x - 5, lineY + 15));
  const double phis[] = {60, 95, 140};
  for (int i = 2; i >= 0; --i) {
    const QPointF B = polar(A, a, phis[i]);
    const double dy = lineY - B.y();
    const QPointF C(B.x() + std::sqrt(b * b - dy * dy), lineY);
    p.setPen(QPen(i == 0 ? kLink : kThin, i == 0 ? 2.5 : 1, i == 0 ? Qt::SolidLine : Qt::DashLine));
    p.drawLine(A, B);
    p.drawLine(B, C);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(C.x() - 12, lineY - 8, 24, 16));
    joint(p, B);
    joint(p, C);
    if (i == 0) {
      label(p, B + QPointF(-14, -5), QStringLiteral("B"));
      label(p, C + QPointF(-4, -12), QStringLiteral("C"));
      // s from the foot of the perpendicular from A
      p.setPen(QPen(kAngle, 1));
      const double y = lineY + 30;
      p.drawLine(QPointF(A.x(), y), QPointF(C.x(), y));
      p.drawLine(QPointF(A.x(), y - 4), QPointF(A.x(), y + 4));
      p.drawLine(QPointF(C.x(), y - 4), QPointF(C.x(), y + 4));
      label(p, QPointF((A.x() + C.x()) / 2 - 8, y + 16), QStringLiteral("s_{1}"), 13, kAngle);
    }
  }
  p.setPen(QPen(kInk, 1, Qt::DashDotLine));
  p.drawLine(A, QPointF(225, A.y()));
  p.drawLine(A, QPointF(A.x(), lineY));
  p.setPen(QPen(kAngle, 1));
  p.drawLine(QPointF(A.x() - 22, A.y()), QPointF(A.x() - 22, lineY));
  label(p, QPointF(A.x() - 34, A.y() + e / 2 + 5), QStringLiteral("e"), 13, kAngle);
  angleArc(p, A, 20, 0, phis[0]);
  label(p, A + QPointF(20, -6), QStringLiteral("φ_{1}"), 13, kAngle);
  groundPivot(p, A);
  joint(p, A);
  label(p, A + QPointF(-18, 4), QStringLiteral("A"));
  return image;
}

// The four-bar of the result pages, with the point E on BC.
QImage resultSketch() {
  QImage image = canvas(200, 160);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF A(35, 125), D(165, 125);
  const QPointF B = polar(A, 40, 70);
  const QPointF C = closeLoop(B, D, 110, 70);
  const QPointF bc = C - B;
  const double bcAngle = std::atan2(-bc.y(), bc.x()) / kDeg;
  const QPointF E = polar(B, 60, bcAngle + 25);
  p.setPen(QPen(kLink, 2));
  p.drawLine(A, B);
  p.drawLine(B, C);
  p.drawLine(D, C);
  p.setPen(QPen(kThin, 1, Qt::DashLine));
  p.drawLine(B, E);
  p.drawLine(C, E);
  p.setPen(QPen(kInk, 1, Qt::DashDotLine));
  p.drawLine(A, D);
  angleArc(p, B, 22, bcAngle, 25);
  for (const QPointF& j : {B, C, E}) joint(p, j);
  groundPivot(p, A);
  groundPivot(p, D);
  joint(p, A);
  joint(p, D);
  label(p, A + QPointF(-16, 4), QStringLiteral("A"), 13);
  label(p, B + QPointF(-15, -3), QStringLiteral("B"), 13);
  label(p, C + QPointF(5, -3), QStringLiteral("C"), 13);
  label(p, D + QPointF(6, 4), QStringLiteral("D"), 13);
  label(p, E + QPointF(-4, -7), QStringLiteral("E"), 13);
  label(p, B + QPointF(22, -2), QStringLiteral("δ"), 12, kAngle);
  return image;
}

// --- GIF: a fixed palette and LZW codes written uncompressed, which every reader accepts ---

void put16(QByteArray& out, int v) {
  out.append(char(v & 0xff));
  out.append(char((v >> 8) & 0xff));
}

QByteArray encodeGif(const QImage& source) {
  // 8-bit codes over a 6×6×6 colour cube: plenty for line drawings.
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  QByteArray out("GIF89a");
  put16(out, image.width());
  put16(out, image.height());
  out.append(char(0xF7));  // global table of 256 colours
  out.append(char(0));
  out.append(char(0));
  for (int i = 0; i < 256; ++i) {
    const int r = i < 216 ? (i / 36) * 51 : 0, g = i < 216 ? ((i / 6) % 6) * 51 : 0, b = i < 216 ? (i % 6) * 51 : 0;
    out.append(char(r));
    out.append(char(g));
    out.append(char(b));
  }
  out.append(',');
  put16(out, 0);
  put16(out, 0);
  put16(out, image.width());
  put16(out, image.height());
  out.append(char(0));
  out.append(char(8));  // minimum code size

  constexpr int kClear = 256, kEnd = 257, kWidth = 9;
  QByteArray data;
  quint32 bits = 0;
  int count = 0;
  auto put = [&](int code) {
    bits |= quint32(code) << count;
    count += kWidth;
    while (count >= 8) {
      data.append(char(bits & 0xff));
      bits >>= 8;
      count -= 8;
    }
  };
  int sinceClear = 0;
  put(kClear);
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      // A clear before the table would need 10-bit codes keeps every code 9 bits wide.
      if (sinceClear == 254) {
        put(kClear);
        sinceClear = 0;
      }
      const auto level = [](int c) { return (c + 25) / 51; };
      put(level(qRed(row[x])) * 36 + level(qGreen(row[x])) * 6 + level(qBlue(row[x])));
      ++sinceClear;
    }
  }
  put(kEnd);
  if (count > 0) data.append(char(bits & 0xff));
  for (int i = 0; i < data.size(); i += 255) {
    const QByteArray block = data.mid(i, 255);
    out.append(char(block.size()));
    out.append(block);
  }
  out.append(char(0));
  out.append(';');
  return out;
}

bool save(const QString& path, const QImage& image) {
  QDir().mkpath(path.left(path.lastIndexOf(u'/')));
  if (path.endsWith(QStringLiteral(".gif"))) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(encodeGif(image)) > 0;
  }
  return image.save(path, "BMP");
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures <runtime folder>\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]) + u'/';
  const QString dywz = root + QStringLiteral("images/DYWZ/");
  const std::vector<std::pair<QString, QImage>> pictures = {
      {dywz + QStringLiteral("jlsgsyt.bmp"), fourBarSketch()},
      {dywz + QStringLiteral("PPP1.bmp"),
       formulaPicture(560, {QStringLiteral("cos(φ_{i}+φ_{0}) = P_{0}cos(ψ_{i}+ψ_{0}) + P_{1}cos[(ψ_{i}+ψ_{0})−(φ_{i}+φ_{0})] + P_{2}"),
                            QStringLiteral("                                                         (i = 1, 2, 3)")})},
      {dywz + QStringLiteral("PPP2.bmp"),
       formulaPicture(560, {QStringLiteral("P_{0} = n,   P_{1} = −n/l,   P_{2} = (l^{2} + n^{2} + 1 − m^{2}) / (2l)"),
                            QStringLiteral("m = b/a,   n = c/a,   l = d/a")})},
      {dywz + QStringLiteral("mnl.bmp"),
       formulaPicture(420, {QStringLiteral("n = P_{0}"), QStringLiteral("l = −n / P_{1}"),
                            QStringLiteral("m = √(l^{2} + n^{2} + 1 − 2·l·P_{2})")})},
      {dywz + QStringLiteral("qbhksyt.bmp"), crankSliderSketch()},
      {dywz + QStringLiteral("QQQ.bmp"),
       formulaPicture(560, {QStringLiteral("Q_{1}·s_{i}·cosφ_{i} + Q_{2}·sinφ_{i} − Q_{3} = s_{i}^{2}      (i = 1, 2, 3)"),
                            QStringLiteral("Q_{1} = 2a,   Q_{2} = 2a·e,   Q_{3} = a^{2} + e^{2} − b^{2}")})},
      {dywz + QStringLiteral("abe.bmp"),
       formulaPicture(420, {QStringLiteral("a = Q_{1} / 2"), QStringLiteral("e = Q_{2} / (2a)"),
                            QStringLiteral("b = √(a^{2} + e^{2} − Q_{3})")})},
      {root + QStringLiteral("web/images/jlsg.gif"), resultSketch()},
  };
  for (const auto& [path, image] : pictures) {
    if (!save(path, image)) {
      std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
