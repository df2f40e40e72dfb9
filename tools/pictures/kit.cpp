// The drawing kit of the installation pictures: fonts, a small formula typesetter and the
// pieces of the linkage sketches, shared by every method's pictures.
#include "tools/pictures/kit.h"

#include "tools/gif_writer.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainterPath>
#include <cmath>
#include <optional>

namespace pictures {

QFont serif(double pixels, bool italic) {
  QFont f;
  f.setFamilies({kSerif, QStringLiteral("DejaVu Serif"), kCjkSerif});
  f.setPixelSize(qRound(pixels));
  f.setItalic(italic);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

QFont cjk(double pixels, const QString& family) {
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
// letters are italic variables except the names cos, sin, min and max; digits, brackets and
// operators upright; x_1, x_{i+1}, x^2, x^{...}; \frac{num}{den}; \sqrt{body}; "~" a wide
// space; Chinese in the CJK serif.


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

namespace {

class Typesetter {
public:
  explicit Typesetter(double pixels) : size_(pixels) {}

  Box parse(const QString& source) const { return parseAt(source, size_); }

private:
  // Names set upright, as functions and the subscripts of γ_{min} are.
  static bool isOperatorName(const QString& word) {
    return word == QStringLiteral("cos") || word == QStringLiteral("sin") || word == QStringLiteral("min") ||
           word == QStringLiteral("max");
  }

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
        if (isOperatorName(word) && !latinAfter) {
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

}  // namespace

Box typeset(const QString& markup, double pixels) { return Typesetter(pixels).parse(markup); }


// Lines of formulas, the picture as tall and wide as they need.
QImage formulaPicture(const std::vector<FormulaLine>& lines, double pixels, double lineGap) {
  
  std::vector<Box> boxes;
  double width = 0, height = 0;
  for (const FormulaLine& line : lines) {
    boxes.push_back(typeset(line.markup, pixels));
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
void label(QPainter& p, QPointF centre, const QString& markup, double pixels, const QColor& colour) {
  const Box box = typeset(markup, pixels);
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

void joint(QPainter& p, QPointF at, const QColor& colour) {
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
void angleArc(QPainter& p, QPointF centre, double radius, double from, double to, bool arrow) {
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

void thinLine(QPainter& p, QPointF from, QPointF to, Qt::PenStyle style) {
  QPen pen(kConstruction, 0.8, style);
  if (style == Qt::DashLine) pen.setDashPattern({5, 3});
  if (style == Qt::DashDotLine) pen.setDashPattern({10, 3, 2, 3});
  p.setPen(pen);
  p.drawLine(from, to);
}

void dimensionLine(QPainter& p, QPointF from, QPointF to) {
  p.save();
  p.setPen(QPen(kInk, 0.8));
  p.drawLine(from, to);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  for (const auto& [tip, other] : {std::pair{from, to}, std::pair{to, from}}) {
    const QPointF d = (other - tip) / std::hypot(other.x() - tip.x(), other.y() - tip.y());
    const QPointF n(-d.y(), d.x());
    p.drawPolygon(QPolygonF({tip, tip + d * 5 + n * 1.8, tip + d * 5 - n * 1.8}));
  }
  p.restore();
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

// --- Labelled angles ---

// An angle arc with its name beside the arc (outside, or inside for `outside` < 0) in the
// direction `at`: for nested angles the middle of the part of the arc no other line crosses.
void namedAngle(QPainter& p, QPointF centre, double radius, double from, double to, const QString& name, double at,
                double outside) {
  angleArc(p, centre, radius, from, to);
  label(p, polar(centre, radius + outside, at), name, 11);
}

// The result sketch in a palette of white-to-ink ramps, enough for its anti-aliased edges.
static QImage forGif(const QImage& picture) {
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
  if (path.endsWith(QStringLiteral(".png"))) return image.save(path, "PNG");
  return image.save(path, "BMP");
}

}  // namespace pictures
