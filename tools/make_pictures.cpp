// Draws the pictures of the installation: the position sketches and formula pictures of the
// design steps (BMP, under images/) and the linkage sketch of the result pages (GIF, under
// web/images/). Usage: make_pictures <staged runtime folder>
#include "tools/gif_writer.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;
const QColor kInk(25, 25, 25);        // lines of the frame, angles, text
const QColor kLink(16, 52, 120);      // links in the first (drawn) position
const QColor kOther(95, 120, 170);    // links in the other positions
const QColor kConstruction(120, 120, 120);

// Latin and Greek in a Times-like serif, Chinese in the CJK serif of fonts-noto-cjk.
const QString kSerif = QStringLiteral("Liberation Serif");
const QString kCjkSerif = QStringLiteral("Noto Serif CJK SC");
const QString kCjkSans = QStringLiteral("Noto Sans CJK SC");

QFont serif(double pixels, bool italic) {
  QFont f;
  f.setFamilies({kSerif, QStringLiteral("DejaVu Serif"), kCjkSerif});
  f.setPixelSize(qRound(pixels));
  f.setItalic(italic);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

QFont cjk(double pixels, const QString& family = kCjkSans) {
  QFont f(family);
  f.setPixelSize(qRound(pixels));
  return f;
}

QImage canvas(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

void smooth(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
}

// --- A small formula typesetter ---
//
// Boxes are measured from their baseline and painted at the left end of it. The markup:
// letters are italic variables except the function names cos and sin; digits, brackets and
// operators upright; x_1, x_{i+1}, x^2, x^{...}; \frac{num}{den}; \sqrt{body}; "~" a wide
// space; Chinese in the CJK serif.

struct Box {
  double width = 0, ascent = 0, descent = 0;
  std::function<void(QPainter&, QPointF)> paint = [](QPainter&, QPointF) {};
};

Box textBox(const QString& text, const QFont& font) {
  const QFontMetricsF m(font);
  Box b;
  b.width = m.horizontalAdvance(text);
  b.ascent = m.ascent() * 0.8;  // the caps height, not the font's full ascent, keeps lines tight
  b.descent = m.descent() * 0.7;
  b.paint = [text, font](QPainter& p, QPointF at) {
    p.setFont(font);
    p.drawText(at, text);
  };
  return b;
}

Box space(double width) {
  Box b;
  b.width = width;
  return b;
}

Box row(const std::vector<Box>& items) {
  Box b;
  for (const Box& item : items) {
    b.width += item.width;
    b.ascent = std::max(b.ascent, item.ascent);
    b.descent = std::max(b.descent, item.descent);
  }
  b.paint = [items](QPainter& p, QPointF at) {
    for (const Box& item : items) {
      item.paint(p, at);
      at.rx() += item.width;
    }
  };
  return b;
}

class Typesetter {
public:
  explicit Typesetter(double pixels) : size_(pixels) {}

  Box parse(const QString& source) const { return parseAt(source, size_); }

private:
  static bool isLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'α' && c <= u'ω'); }

  // The group "{...}" starting at `i`, or the single character there.
  static QString group(const QString& s, qsizetype& i) {
    if (i < s.size() && s[i] == u'{') {
      int depth = 0;
      const qsizetype start = i;
      for (; i < s.size(); ++i) {
        if (s[i] == u'{') ++depth;
        if (s[i] == u'}' && --depth == 0) break;
      }
      return s.mid(start + 1, (i++) - start - 1);
    }
    return i < s.size() ? QString(s[i++]) : QString();
  }

  Box scripts(const Box& base, const Box* sub, const Box* sup, double size) const {
    Box b = base;
    const double subShift = size * 0.22, supShift = size * 0.42;
    double extra = 0;
    if (sub) {
      extra = sub->width;
      b.descent = std::max(b.descent, sub->descent + subShift);
    }
    if (sup) {
      extra = std::max(extra, sup->width);
      b.ascent = std::max(b.ascent, sup->ascent + supShift);
    }
    b.width += extra + size * 0.04;
    const double baseWidth = base.width;
    const Box subCopy = sub ? *sub : Box{}, supCopy = sup ? *sup : Box{};
    const bool hasSub = sub, hasSup = sup;
    b.paint = [=](QPainter& p, QPointF at) {
      base.paint(p, at);
      const QPointF after = at + QPointF(baseWidth + size * 0.03, 0);
      if (hasSub) subCopy.paint(p, after + QPointF(0, subShift));
      if (hasSup) supCopy.paint(p, after - QPointF(0, supShift));
    };
    return b;
  }

  Box fraction(const Box& num, const Box& den, double size) const {
    const double axis = size * 0.3, gap = size * 0.16, pad = size * 0.12;
    Box b;
    b.width = std::max(num.width, den.width) + 2 * pad;
    b.ascent = axis + gap + num.descent + num.ascent;
    b.descent = -axis + gap + den.ascent + den.descent;
    const double width = b.width;
    b.paint = [=](QPainter& p, QPointF at) {
      num.paint(p, at + QPointF((width - num.width) / 2, -axis - gap - num.descent));
      den.paint(p, at + QPointF((width - den.width) / 2, -axis + gap + den.ascent));
      p.save();
      p.setPen(QPen(p.pen().color(), std::max(1.0, size * 0.06)));
      p.drawLine(at + QPointF(pad * 0.5, -axis), at + QPointF(width - pad * 0.5, -axis));
      p.restore();
    };
    return b;
  }

  Box radical(const Box& body, double size) const {
    const double sign = size * 0.55, gap = size * 0.14;
    Box b;
    b.width = sign + body.width + size * 0.12;
    b.ascent = body.ascent + gap + size * 0.08;
    b.descent = body.descent + size * 0.05;
    const double top = b.ascent - size * 0.02, bottom = b.descent;
    b.paint = [=](QPainter& p, QPointF at) {
      body.paint(p, at + QPointF(sign, 0));
      p.save();
      p.setPen(QPen(p.pen().color(), std::max(1.0, size * 0.06), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      QPainterPath path;
      path.moveTo(at + QPointF(0, -size * 0.22));
      path.lineTo(at + QPointF(sign * 0.22, -size * 0.3));
      path.lineTo(at + QPointF(sign * 0.5, bottom));
      path.lineTo(at + QPointF(sign * 0.9, -top));
      path.lineTo(at + QPointF(sign + body.width + size * 0.08, -top));
      p.setBrush(Qt::NoBrush);
      p.drawPath(path);
      p.restore();
    };
    return b;
  }

  Box parseAt(const QString& s, double size) const {
    const QFont upright = serif(size, false), italic = serif(size, true);
    std::vector<Box> items;
    bool afterOperand = false;  // a following + or − is binary
    qsizetype i = 0;
    auto attachScripts = [&] {
      // Subscripts and superscripts following the last item, in either order.
      std::optional<Box> sub, sup;
      while (i < s.size() && (s[i] == u'_' || s[i] == u'^')) {
        const bool isSub = s[i] == u'_';
        ++i;
        const Box script = parseAt(group(s, i), size * 0.7);
        (isSub ? sub : sup) = script;
      }
      if ((sub || sup) && !items.empty())
        items.back() = scripts(items.back(), sub ? &*sub : nullptr, sup ? &*sup : nullptr, size);
    };
    while (i < s.size()) {
      const QChar c = s[i];
      if (c == u'\\') {
        qsizetype j = i + 1;
        while (j < s.size() && s[j].isLetter()) ++j;
        const QString command = s.mid(i + 1, j - i - 1);
        i = j;
        if (command == QStringLiteral("frac")) {
          const Box num = parseAt(group(s, i), size * 0.92);
          const Box den = parseAt(group(s, i), size * 0.92);
          items.push_back(fraction(num, den, size));
        } else if (command == QStringLiteral("sqrt")) {
          items.push_back(radical(parseAt(group(s, i), size), size));
        }
        afterOperand = true;
      } else if (isLetter(c)) {
        const QString word = s.mid(i, 3);
        const qsizetype j = i + 3;
        const bool latinAfter = j < s.size() && s[j].unicode() < 0x80 && isLetter(s[j]);
        if ((word == QStringLiteral("cos") || word == QStringLiteral("sin")) && !latinAfter) {
          // a thin space from a factor before it and from a bare argument after it
          if (afterOperand) items.push_back(space(size * 0.16));
          items.push_back(textBox(word, upright));
          if (j < s.size() && s[j] != u'(' && s[j] != u'[') items.push_back(space(size * 0.16));
          i = j;
        } else {
          // One letter at a time, so that scripts attach to the letter they follow.
          Box letter = textBox(QString(c), italic);
          letter.width += size * 0.03;  // the italic's overhang
          items.push_back(letter);
          ++i;
        }
        afterOperand = true;
      } else if (c == u'=' || c == u'+' || c == u'−' || c == u'<' || c == u'>') {
        const bool binary = c == u'=' || afterOperand;
        const double gap = binary ? size * (c == u'=' ? 0.28 : 0.22) : size * 0.04;
        items.push_back(space(gap));
        items.push_back(textBox(QString(c), upright));
        items.push_back(space(gap));
        ++i;
        afterOperand = false;
        continue;
      } else if (c == u' ') {
        ++i;  // operators and commas bring their own spacing
        continue;
      } else if (c == u'~') {
        items.push_back(space(size * 1.5));
        ++i;
        continue;
      } else if (c == u'·') {
        items.push_back(space(size * 0.06));
        items.push_back(textBox(QString(c), upright));
        items.push_back(space(size * 0.06));
        ++i;
        afterOperand = false;
        continue;
      } else if (c.unicode() >= 0x3000) {
        items.push_back(textBox(QString(c), cjk(size * 0.95, kCjkSerif)));
        ++i;
        afterOperand = false;
        continue;
      } else {
        items.push_back(textBox(QString(c), upright));
        if (c == u'(' || c == u'[' || c == u',' || c == u'/') afterOperand = false;
        else afterOperand = true;
        ++i;
        if (c == u',') items.push_back(space(size * 0.22));
      }
      attachScripts();
    }
    return row(items);
  }

  double size_;
};

struct FormulaLine {
  FormulaLine(const QString& text, bool flushRight = false) : markup(text), right(flushRight) {}
  QString markup;
  bool right;  // set flush right, as "(i = 1, 2, 3)" under a long equation
};

// Lines of formulas, the picture as tall and wide as they need.
QImage formulaPicture(const std::vector<FormulaLine>& lines, double pixels = 17, double lineGap = 10) {
  const Typesetter typesetter(pixels);
  std::vector<Box> boxes;
  double width = 0, height = 0;
  for (const FormulaLine& line : lines) {
    boxes.push_back(typesetter.parse(line.markup));
    width = std::max(width, boxes.back().width);
    height += boxes.back().ascent + boxes.back().descent;
  }
  const double margin = 8;
  height += lineGap * (lines.size() - 1) + 2 * margin;
  QImage image = canvas(int(std::ceil(width + 2 * margin)), int(std::ceil(height)));
  QPainter p(&image);
  smooth(p);
  p.setPen(kInk);
  double y = margin;
  for (size_t i = 0; i < boxes.size(); ++i) {
    const Box& box = boxes[i];
    box.paint(p, QPointF(lines[i].right ? image.width() - margin - box.width : margin, y + box.ascent));
    y += box.ascent + box.descent + lineGap;
  }
  return image;
}

// --- Pieces of the sketches ---

// A point `length` away in the direction `degrees`, counter-clockwise from +x on the screen.
QPointF polar(QPointF origin, double length, double degrees) {
  return origin + QPointF(length * std::cos(degrees * kDeg), -length * std::sin(degrees * kDeg));
}

double direction(QPointF from, QPointF to) { return std::atan2(from.y() - to.y(), to.x() - from.x()) / kDeg; }

// A label centred on `centre`.
void label(QPainter& p, QPointF centre, const QString& markup, double pixels = 14, const QColor& colour = kInk) {
  const Box box = Typesetter(pixels).parse(markup);
  p.setPen(colour);
  box.paint(p, centre + QPointF(-box.width / 2, (box.ascent - box.descent) / 2));
}

// A fixed pivot: the hinge on a small triangle standing on hatched ground.
void groundPivot(QPainter& p, QPointF at) {
  p.save();
  p.setPen(QPen(kInk, 1.1));
  p.setBrush(Qt::white);
  QPolygonF triangle({at, at + QPointF(-7, 12), at + QPointF(7, 12)});
  p.drawPolygon(triangle);
  p.drawLine(at + QPointF(-13, 12), at + QPointF(13, 12));
  p.setPen(QPen(kInk, 0.8));
  for (double x = -11; x <= 13; x += 4) p.drawLine(at + QPointF(x, 12), at + QPointF(x - 4, 17));
  p.restore();
}

void joint(QPainter& p, QPointF at, const QColor& colour = kInk) {
  p.save();
  p.setPen(QPen(colour, 1.1));
  p.setBrush(Qt::white);
  p.drawEllipse(at, 3, 3);
  p.restore();
}

void bar(QPainter& p, QPointF from, QPointF to, bool first) {
  p.setPen(QPen(first ? kLink : kOther, first ? 2.2 : 1.1, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
}

// An angle from the direction `from` to `to` (degrees, counter-clockwise), with an arrowhead
// at its end.
void angleArc(QPainter& p, QPointF centre, double radius, double from, double to, bool arrow = true) {
  p.save();
  p.setPen(QPen(kInk, 0.8));
  p.setBrush(Qt::NoBrush);
  const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  p.drawArc(circle, qRound(from * 16), qRound((to - from) * 16));
  if (arrow) {
    const double sign = to >= from ? 1 : -1;
    const QPointF tip = polar(centre, radius, to);
    // tangent pointing along the sweep
    const double heading = to + sign * 90;
    const QPointF back = polar(tip, 5, heading + 180);
    const QPointF side(std::sin(heading * kDeg) * 1.8, std::cos(heading * kDeg) * 1.8);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({tip, back + side, back - side}));
  }
  p.restore();
}

void thinLine(QPainter& p, QPointF from, QPointF to, Qt::PenStyle style = Qt::DashLine) {
  QPen pen(kConstruction, 0.8, style);
  if (style == Qt::DashLine) pen.setDashPattern({5, 3});
  if (style == Qt::DashDotLine) pen.setDashPattern({10, 3, 2, 3});
  p.setPen(pen);
  p.drawLine(from, to);
}

// C of a four-bar from B and D, on the side to the left of B→D (above for the usual layout).
QPointF closeLoop(QPointF B, QPointF D, double bc, double dc) {
  const QPointF bd = D - B;
  const double dist = std::hypot(bd.x(), bd.y());
  const double along = (bc * bc - dc * dc + dist * dist) / (2 * dist);
  const double h = std::sqrt(std::max(0.0, bc * bc - along * along));
  const QPointF mid = B + bd * (along / dist);
  return {mid.x() + h * bd.y() / dist, mid.y() - h * bd.x() / dist};
}

// --- The pictures ---

// An angle arc with its name beside the arc (outside, or inside for `outside` < 0) in the
// direction `at`: for nested angles the middle of the part of the arc no other line crosses.
void namedAngle(QPainter& p, QPointF centre, double radius, double from, double to, const QString& name, double at,
                double outside = 6) {
  angleArc(p, centre, radius, from, to);
  label(p, polar(centre, radius + outside, at), name, 11);
}

// The hinged four-bar in three positions, each angle measured from its start line, the start
// lines at φ0 and ψ0 from the frame line A→D.
QImage fourBarSketch() {
  QImage image = canvas(230, 180);
  QPainter p(&image);
  smooth(p);
  const QPointF A(54, 112), D(158, 112);
  const double a = 62, b = 106, c = 72;
  const double phi0 = 12, psi0 = 14;
  const double phis[] = {34, 72, 110};
  QPointF B[3], C[3];
  double psis[3];
  for (int i = 0; i < 3; ++i) {
    B[i] = polar(A, a, phi0 + phis[i]);
    C[i] = closeLoop(B[i], D, b, c);
    psis[i] = direction(D, C[i]) - psi0;
  }

  // Frame line and the two start lines.
  thinLine(p, A + QPointF(-16, 0), D + QPointF(70, 0), Qt::DashDotLine);
  thinLine(p, A, polar(A, a + 6, phi0));
  thinLine(p, D, polar(D, c - 8, psi0));

  for (int i = 2; i >= 0; --i) {
    bar(p, A, B[i], i == 0);
    bar(p, B[i], C[i], i == 0);
    bar(p, D, C[i], i == 0);
  }
  for (int i = 0; i < 3; ++i) {
    joint(p, B[i]);
    joint(p, C[i]);
    label(p, polar(B[i], 13, i == 2 ? 95 : phi0 + phis[i] + 40), QStringLiteral("B_%1").arg(i + 1), 13);
    label(p, polar(C[i], 13, psi0 + psis[i] - (i == 0 ? 40 : 0)), QStringLiteral("C_%1").arg(i + 1), 13);
  }

  // φ0 and ψ0 from the frame line, φi and ψi from the start lines.
  angleArc(p, A, 56, 0, phi0);
  label(p, polar(A, 68, phi0 / 2), QStringLiteral("φ_0"), 11);
  angleArc(p, D, 50, 0, psi0);
  label(p, polar(D, 62, psi0 / 2), QStringLiteral("ψ_0"), 11);
  for (int i = 0; i < 3; ++i) {
    const double phiBefore = i == 0 ? 0 : phis[i - 1], psiBefore = i == 0 ? 0 : psis[i - 1];
    namedAngle(p, A, 20 + 12 * i, phi0, phi0 + phis[i], QStringLiteral("φ_%1").arg(i + 1),
               phi0 + (phiBefore + phis[i]) / 2);
    namedAngle(p, D, 18 + 11 * i, psi0, psi0 + psis[i], QStringLiteral("ψ_%1").arg(i + 1),
               psi0 + (psiBefore + psis[i]) / 2);
  }

  groundPivot(p, A);
  groundPivot(p, D);
  joint(p, A);
  joint(p, D);
  label(p, A + QPointF(-13, 2), QStringLiteral("A"), 14);
  label(p, D + QPointF(-13, 2), QStringLiteral("D"), 14);
  label(p, QPointF(115, 162), QStringLiteral("角度自各自的起始线量取，逆时针为正"), 12);
  return image;
}

// The offset crank-slider in three positions: φ from the direction of the slider's line, s
// along it from the foot F of the perpendicular from A, the line at e from A on the side of
// φ = 90°, as (s − a·cosφ)² + (e − a·sinφ)² = b² has it.
QImage crankSliderSketch() {
  QImage image = canvas(230, 190);
  QPainter p(&image);
  smooth(p);
  const double e = 40, path = 52;
  const QPointF A(62, path + e), F(A.x(), path);
  const double a = 66, b = 100;
  const double phis[] = {50, 85, 120};
  QPointF B[3], C[3];
  for (int i = 0; i < 3; ++i) {
    B[i] = polar(A, a, phis[i]);
    const double rise = B[i].y() - path;
    C[i] = QPointF(B[i].x() + std::sqrt(b * b - rise * rise), path);
  }

  // The guide under the slider, hatched, and C's line through F.
  const double guide = path + 7;
  p.setPen(QPen(kInk, 1.1));
  p.drawLine(QPointF(F.x() + 44, guide), QPointF(226, guide));
  p.setPen(QPen(kInk, 0.8));
  for (double x = F.x() + 48; x <= 226; x += 5) p.drawLine(QPointF(x, guide), QPointF(x - 4, guide + 5));
  thinLine(p, F + QPointF(-4, 0), QPointF(226, path), Qt::DashDotLine);
  thinLine(p, A + QPointF(-8, 0), A + QPointF(56, 0), Qt::DashDotLine);
  thinLine(p, A, F);

  for (int i = 2; i >= 0; --i) {
    bar(p, A, B[i], i == 0);
    bar(p, B[i], C[i], i == 0);
    p.setPen(QPen(i == 0 ? kLink : kOther, i == 0 ? 1.6 : 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(C[i].x() - 10, path - 7, 20, 14));
  }
  for (int i = 0; i < 3; ++i) {
    joint(p, B[i]);
    joint(p, C[i]);
    label(p, polar(B[i], 13, phis[i] + 40), QStringLiteral("B_%1").arg(i + 1), 13);
  }

  // φi from the line through A parallel to C's line.
  for (int i = 0; i < 3; ++i)
    namedAngle(p, A, 14 + 10 * i, 0, phis[i], QStringLiteral("φ_%1").arg(i + 1), ((i ? phis[i - 1] : 0) + phis[i]) / 2,
               i == 2 ? -7 : 6);  // φ3 inside its arc, clear of C's line

  auto arrowLine = [&](QPointF from, QPointF to) {
    p.setPen(QPen(kInk, 0.8));
    p.drawLine(from, to);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (const auto& [tip, other] : {std::pair{from, to}, std::pair{to, from}}) {
      const QPointF d = (other - tip) / std::hypot(other.x() - tip.x(), other.y() - tip.y());
      const QPointF n(-d.y(), d.x());
      p.drawPolygon(QPolygonF({tip, tip + d * 5 + n * 1.8, tip + d * 5 - n * 1.8}));
    }
  };
  // e left of A, between A's level and C's line.
  const double ex = A.x() - 30;
  thinLine(p, QPointF(ex - 4, A.y()), QPointF(A.x() - 5, A.y()), Qt::SolidLine);
  arrowLine(QPointF(ex, path), QPointF(ex, A.y()));
  label(p, QPointF(ex - 8, (path + A.y()) / 2), QStringLiteral("e"), 14);

  // C1, C2, C3 under the guide; s1, s2, s3 under them, from F.
  const double dimTop = A.y() + 32;
  thinLine(p, A + QPointF(0, 20), QPointF(F.x(), dimTop + 2 * 13 + 4), Qt::SolidLine);
  for (int i = 0; i < 3; ++i) {
    const double y = dimTop + i * 13;
    thinLine(p, QPointF(C[i].x(), guide + 6), QPointF(C[i].x(), y + 4), Qt::SolidLine);
    label(p, QPointF(C[i].x() + 10, guide + 14), QStringLiteral("C_%1").arg(i + 1), 13);
    arrowLine(QPointF(F.x(), y), QPointF(C[i].x(), y));
    label(p, QPointF(C[i].x() + 10, y - 1), QStringLiteral("s_%1").arg(i + 1), 12);
  }
  groundPivot(p, A);
  joint(p, A);
  label(p, A + QPointF(-12, 2), QStringLiteral("A"), 14);
  label(p, F + QPointF(-11, -7), QStringLiteral("F"), 13);
  label(p, QPointF(115, 174), QStringLiteral("φ自导路方向起逆时针量取，s自垂足F量起"), 12);
  return image;
}

// The four-bar of the result tables: links a, b, c, d, the angles φ1, φ3 and the coupler
// point E at LenBE from B, δ from BC.
QImage resultSketch() {
  QImage image = canvas(200, 160);
  QPainter p(&image);
  smooth(p);
  const QPointF A(34, 122), D(160, 122);
  const double phi1 = 62;
  const QPointF B = polar(A, 44, phi1);
  const QPointF C = closeLoop(B, D, 104, 72);
  const double bc = direction(B, C);
  const double delta = 32;
  const QPointF E = polar(B, 62, bc + delta);

  thinLine(p, A, D + QPointF(26, 0), Qt::DashDotLine);
  p.setPen(QPen(kOther, 1.0));
  p.drawLine(B, E);
  p.drawLine(C, E);
  bar(p, A, B, true);
  bar(p, B, C, true);
  bar(p, D, C, true);
  angleArc(p, A, 18, 0, phi1);
  angleArc(p, D, 16, 0, direction(D, C));
  angleArc(p, B, 26, bc, bc + delta);
  groundPivot(p, A);
  groundPivot(p, D);
  for (const QPointF& j : {A, B, C, D, E}) joint(p, j);
  label(p, A + QPointF(-11, 3), QStringLiteral("A"), 13);
  label(p, B + QPointF(-10, -5), QStringLiteral("B"), 13);
  label(p, C + QPointF(9, -4), QStringLiteral("C"), 13);
  label(p, D + QPointF(11, 4), QStringLiteral("D"), 13);
  label(p, E + QPointF(0, -10), QStringLiteral("E"), 13);
  label(p, (A + B) / 2 + QPointF(-8, 0), QStringLiteral("a"), 13);
  label(p, (B + C) / 2 + QPointF(4, 9), QStringLiteral("b"), 13);
  label(p, (C + D) / 2 + QPointF(8, 0), QStringLiteral("c"), 13);
  label(p, (A + D) / 2 + QPointF(0, 9), QStringLiteral("d"), 13);
  label(p, polar(A, 27, phi1 / 2), QStringLiteral("φ_1"), 11);
  label(p, polar(D, 26, direction(D, C) / 2 + 4), QStringLiteral("φ_3"), 11);
  label(p, polar(B, 33, bc + delta / 2), QStringLiteral("δ"), 11);
  // x and y from A, as Ex and Ey are measured.
  p.setPen(QPen(kInk, 0.8));
  p.setBrush(kInk);
  const QPointF xEnd = D + QPointF(30, 0), yEnd = A + QPointF(0, -50);
  p.drawLine(A, yEnd);
  p.drawPolygon(QPolygonF({xEnd, xEnd + QPointF(-6, -2), xEnd + QPointF(-6, 2)}));
  p.drawPolygon(QPolygonF({yEnd, yEnd + QPointF(-2, 6), yEnd + QPointF(2, 6)}));
  label(p, xEnd + QPointF(-3, 9), QStringLiteral("x"), 12);
  label(p, yEnd + QPointF(-8, 3), QStringLiteral("y"), 12);
  return image;
}

// The result sketch in a palette of white-to-ink ramps, enough for its anti-aliased edges.
QImage forGif(const QImage& picture) {
  QList<QRgb> palette;
  const QColor inks[] = {kInk, kLink, kOther, kConstruction};
  const int steps = 256 / int(std::size(inks));
  for (const QColor& ink : inks)
    for (int k = 0; k < steps; ++k) {
      const double t = double(k) / (steps - 1);
      palette.append(qRgb(qRound(255 + (ink.red() - 255) * t), qRound(255 + (ink.green() - 255) * t),
                          qRound(255 + (ink.blue() - 255) * t)));
    }
  return picture.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither | Qt::AvoidDither);
}

bool save(const QString& path, const QImage& image) {
  QDir().mkpath(path.left(path.lastIndexOf(u'/')));
  if (path.endsWith(QStringLiteral(".gif"))) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(EncodeGif(forGif(image))) > 0;
  }
  return image.save(path, "BMP");
}

}  // namespace

int main(int argc, char** argv) {
  // Drawn without a display, on the build machine.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures <runtime folder>\n");
    return 2;
  }
  for (const QString& family : {kSerif, kCjkSerif, kCjkSans})
    if (!QFontDatabase::hasFamily(family))
      std::fprintf(stderr, "make_pictures: warning: font \"%s\" is missing, the pictures use a substitute\n",
                   qPrintable(family));
  const QString root = QString::fromLocal8Bit(argv[1]) + u'/';
  const QString dywz = root + QStringLiteral("images/DYWZ/");
  const std::vector<std::pair<QString, QImage>> pictures = {
      {dywz + QStringLiteral("jlsgsyt.bmp"), fourBarSketch()},
      {dywz + QStringLiteral("PPP1.bmp"),
       formulaPicture({{QStringLiteral("cos(φ_i + φ_0) = P_0 cos(ψ_i + ψ_0) + P_1 cos[(ψ_i + ψ_0) − (φ_i + φ_0)] + P_2")},
                       {QStringLiteral("(i = 1, 2, 3)"), true}},
                      16)},
      {dywz + QStringLiteral("PPP2.bmp"),
       formulaPicture({QStringLiteral("P_0 = n,~P_1 = −\\frac{n}{l},~P_2 = \\frac{l^2 + n^2 + 1 − m^2}{2l}"),
                       QStringLiteral("m = \\frac{b}{a},~n = \\frac{c}{a},~l = \\frac{d}{a}")},
                      16)},
      {dywz + QStringLiteral("mnl.bmp"),
       formulaPicture({QStringLiteral("n = P_0"), QStringLiteral("l = −\\frac{n}{P_1}"),
                       QStringLiteral("m = \\sqrt{l^2 + n^2 + 1 − 2l·P_2}")},
                      17)},
      {dywz + QStringLiteral("qbhksyt.bmp"), crankSliderSketch()},
      {dywz + QStringLiteral("QQQ.bmp"),
       formulaPicture({QStringLiteral("Q_1 s_i cosφ_i + Q_2 sinφ_i − Q_3 = s_i^2~(i = 1, 2, 3)"),
                       QStringLiteral("Q_1 = 2a,~Q_2 = 2ae,~Q_3 = a^2 + e^2 − b^2")},
                      16)},
      {dywz + QStringLiteral("abe.bmp"),
       formulaPicture({QStringLiteral("a = \\frac{Q_1}{2}"), QStringLiteral("e = \\frac{Q_2}{2a}"),
                       QStringLiteral("b = \\sqrt{a^2 + e^2 − Q_3}")},
                      17)},
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
