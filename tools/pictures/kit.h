// The drawing kit of the installation pictures (used by make_pictures and make_charts).
// Lengths are pixels, angles degrees counter-clockwise from +x on the screen.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <utility>
#include <vector>

namespace pictures {

constexpr double kDeg = 3.14159265358979323846 / 180;
const QColor kInk(25, 25, 25);        // lines of the frame, angles, text
const QColor kLink(16, 52, 120);      // links in the first (drawn) position
const QColor kOther(95, 120, 170);    // links in the other positions
const QColor kConstruction(120, 120, 120);

// Latin and Greek in a Times-like serif, Chinese in the CJK serif of fonts-noto-cjk.
const QString kSerif = QStringLiteral("Liberation Serif");
const QString kCjkSerif = QStringLiteral("Noto Serif CJK SC");
const QString kCjkSans = QStringLiteral("Noto Sans CJK SC");

QFont serif(double pixels, bool italic);
QFont cjk(double pixels, const QString& family = kCjkSans);
QImage canvas(int w, int h);
void smooth(QPainter& p);

// A typeset piece, measured from its baseline and painted at the left end of it.
struct Box {
  double width = 0, ascent = 0, descent = 0;
  std::function<void(QPainter&, QPointF)> paint = [](QPainter&, QPointF) {};
};

Box textBox(const QString& text, const QFont& font);
Box space(double width);
Box row(const std::vector<Box>& items);
// The markup: letters are italic variables except cos, sin, min and max; digits, brackets and
// operators upright; x_1, x_{i+1}, x^2; \frac{num}{den}; \sqrt{body}; "~" a wide space; Chinese
// in the CJK serif.
Box typeset(const QString& markup, double pixels);

struct FormulaLine {
  FormulaLine(const QString& text, bool flushRight = false) : markup(text), right(flushRight) {}
  QString markup;
  bool right;  // set flush right, as "(i = 1, 2, 3)" under a long equation
};

// Lines of formulas, the picture as tall and wide as they need.
QImage formulaPicture(const std::vector<FormulaLine>& lines, double pixels = 17, double lineGap = 10);

// A point `length` away in the direction `degrees`.
QPointF polar(QPointF origin, double length, double degrees);
double direction(QPointF from, QPointF to);
// A label centred on `centre`.
void label(QPainter& p, QPointF centre, const QString& markup, double pixels = 14, const QColor& colour = kInk);
// A fixed pivot: the hinge on a small triangle standing on hatched ground.
void groundPivot(QPainter& p, QPointF at);
void joint(QPainter& p, QPointF at, const QColor& colour = kInk);
void bar(QPainter& p, QPointF from, QPointF to, bool first);
// An angle from the direction `from` to `to`, with an arrowhead at its end.
void angleArc(QPainter& p, QPointF centre, double radius, double from, double to, bool arrow = true);
void thinLine(QPainter& p, QPointF from, QPointF to, Qt::PenStyle style = Qt::DashLine);
// A dimension line with an arrowhead at each end.
void dimensionLine(QPainter& p, QPointF from, QPointF to);
// C of a four-bar from B and D, on the side to the left of B→D.
QPointF closeLoop(QPointF B, QPointF D, double bc, double dc);
// An angle arc with its name beside the arc (outside, or inside for `outside` < 0) in the
// direction `at`.
void namedAngle(QPainter& p, QPointF centre, double radius, double from, double to, const QString& name, double at,
                double outside = 6);

// Writes a picture as BMP, or as GIF or PNG where the name ends so, making its folder.
bool save(const QString& path, const QImage& image);

// The pictures to write: each path under the runtime folder with its image.
using PictureList = std::vector<std::pair<QString, QImage>>;

}  // namespace pictures
