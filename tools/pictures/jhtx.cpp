// The pictures of the quick-return window: the three linkages at the two extreme positions
// of their driven link, and the formulas of each design.
#include "tools/pictures/kit.h"

#include <cmath>

namespace pictures {
namespace {

QPointF unit(QPointF from, QPointF to) {
  const QPointF v = to - from;
  return v / std::hypot(v.x(), v.y());
}

// A dimension between two points, drawn `offset` pixels to the left of from→to with its
// extension lines, arrowheads at both ends and the name beside its middle.
void dimension(QPainter& p, QPointF from, QPointF to, double offset, const QString& name) {
  const QPointF along = unit(from, to), normal(along.y(), -along.x());
  const QPointF a = from + normal * offset, b = to + normal * offset;
  const double over = offset > 0 ? 4 : -4;
  thinLine(p, from + normal * (offset > 0 ? 3 : -3), a + normal * over, Qt::SolidLine);
  thinLine(p, to + normal * (offset > 0 ? 3 : -3), b + normal * over, Qt::SolidLine);
  p.save();
  p.setPen(QPen(kInk, 0.8));
  p.drawLine(a, b);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  const QPointF side(-along.y() * 1.8, along.x() * 1.8);
  p.drawPolygon(QPolygonF({a, a + along * 6 + side, a + along * 6 - side}));
  p.drawPolygon(QPolygonF({b, b - along * 6 + side, b - along * 6 - side}));
  p.restore();
  label(p, (a + b) / 2 + normal * (offset > 0 ? 9 : -9), name, 14);
}

// Names beside the points of a sketch.
struct Tag {
  QPointF at;
  const char* markup;
  double pixels = 13;
};

void tags(QPainter& p, std::initializer_list<Tag> list) {
  for (const Tag& t : list) label(p, t.at, QString::fromUtf8(t.markup), t.pixels);
}

void dashedCircle(QPainter& p, QPointF centre, double radius, double from = 0, double to = 360) {
  p.save();
  QPen pen(kConstruction, 0.8, Qt::DashLine);
  pen.setDashPattern({4, 3});
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), qRound(from * 16),
            qRound((to - from) * 16));
  p.restore();
}

void slider(QPainter& p, QPointF at, double heading, bool first) {
  p.save();
  p.translate(at);
  p.rotate(-heading);
  p.setPen(QPen(first ? kLink : kOther, first ? 1.6 : 1.0));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(-11, -7, 22, 14));
  p.restore();
}

// The crank-rocker at the two extreme positions of its rocker: crank and coupler overlap at
// C1 and stretch out at C2. θ is the angle C1AC2, ψ the rocker's swing, ψ0 its angle at C1
// from the line DA. The lengths (a 24.3, b 76.1, c 80, d 68) give θ = 30°, ψ = 45°.
QImage crankRockerSketch() {
  QImage image = canvas(250, 226);
  QPainter p(&image);
  smooth(p);
  const double scale = 1.4, a = 24.3 * scale, c = 80 * scale, d = 68 * scale, psi0 = 40, psi = 45;
  const QPointF A(52, 150), D = A + QPointF(d, 0);
  const QPointF C1 = polar(D, c, 180 - psi0), C2 = polar(D, c, 180 - psi0 - psi);
  const QPointF B1 = A - unit(A, C1) * a, B2 = A + unit(A, C2) * a;

  thinLine(p, A + QPointF(-36, 0), D + QPointF(60, 0), Qt::DashDotLine);
  dashedCircle(p, A, a);
  dashedCircle(p, D, c, 180 - psi0 - psi - 8, 180 - psi0 + 8);
  thinLine(p, A, C1);
  bar(p, A, B2, false);
  bar(p, B2, C2, false);
  bar(p, D, C2, false);
  bar(p, A, B1, true);
  bar(p, B1, C1, true);
  bar(p, D, C1, true);

  const double toC1 = direction(A, C1), toC2 = direction(A, C2);
  namedAngle(p, A, 56, toC2, toC1, QStringLiteral("θ"), (toC1 + toC2) / 2, -10);
  namedAngle(p, D, 46, 180 - psi0, 180 - psi0 - psi, QStringLiteral("ψ"), 180 - psi0 - psi / 2, 9);
  namedAngle(p, D, 28, 180, 180 - psi0, QStringLiteral("ψ_0"), 180 - psi0 / 2, 12);

  groundPivot(p, A);
  groundPivot(p, D);
  for (const QPointF& j : {A, D, B1, B2, C1, C2}) joint(p, j);
  tags(p, {
           {A + QPointF(-13, -4), "A", 14},
           {D + QPointF(14, -5), "D", 14},
           {B1 + QPointF(-13, 3), "B_1"},
           {B2 + QPointF(14, 3), "B_2"},
           {C1 + QPointF(-14, -5), "C_1"},
           {C2 + QPointF(4, -13), "C_2"},
           {A + (B1 - A) * 0.6 + QPointF(10, 0), "a"},
           {B1 + (C1 - B1) * 0.75 + QPointF(-10, 0), "b"},
           {(D + C2) / 2 + QPointF(10, 2), "c"},
           {(A + D) / 2 + QPointF(6, 12), "d"},
           {QPointF(125, 211), "AC_1 = b − a,~AC_2 = b + a"}});
  return image;
}

// The offset crank-slider at the two extreme positions of its slider, with the stroke H,
// the offset e and θ = ∠C1AC2; drawn with the defaults H = 50, θ = 30°, λ = 0.35.
QImage crankSliderSketch() {
  QImage image = canvas(292, 232);
  QPainter p(&image);
  smooth(p);
  const double scale = 2.6;
  const double a = 20.551 * scale, b = 58.717 * scale, e = 30.253 * scale;
  const QPointF A(66, 150);
  const double guide = A.y() - e;
  const QPointF C1(A.x() + std::sqrt((b - a) * (b - a) - e * e), guide);
  const QPointF C2(A.x() + std::sqrt((b + a) * (b + a) - e * e), guide);
  const QPointF B1 = A - unit(A, C1) * a, B2 = A + unit(A, C2) * a;

  // The guide above the slider's pin line, hatched.
  const double rail = guide - 8;
  p.setPen(QPen(kInk, 1.1));
  p.drawLine(QPointF(C1.x() - 30, rail), QPointF(C2.x() + 24, rail));
  p.setPen(QPen(kInk, 0.8));
  for (double x = C1.x() - 28; x <= C2.x() + 24; x += 5) p.drawLine(QPointF(x, rail), QPointF(x + 4, rail - 5));
  thinLine(p, QPointF(A.x() - 30, guide), QPointF(C2.x() + 24, guide), Qt::DashDotLine);
  thinLine(p, A + QPointF(-30, 0), A + QPointF(60, 0), Qt::DashDotLine);
  dashedCircle(p, A, a);
  thinLine(p, A, C1);

  bar(p, A, B2, false);
  bar(p, B2, C2, false);
  slider(p, C2, 0, false);
  bar(p, A, B1, true);
  bar(p, B1, C1, true);
  slider(p, C1, 0, true);
  namedAngle(p, A, 40, direction(A, C2), direction(A, C1), QStringLiteral("θ"),
             (direction(A, C2) + direction(A, C1)) / 2, 8);

  dimension(p, C1, C2, 30, QStringLiteral("H"));
  dimension(p, QPointF(A.x(), guide), A, -26, QStringLiteral("e"));

  groundPivot(p, A);
  for (const QPointF& j : {A, B1, B2, C1, C2}) joint(p, j);
  tags(p, {
           {A + QPointF(-13, -9), "A", 14},
           {B1 + QPointF(14, 4), "B_1"},
           {B2 + QPointF(6, 12), "B_2"},
           {C1 + QPointF(14, 16), "C_1"},
           {C2 + QPointF(0, 17), "C_2"},
           {QPointF(190, 216), "AC_1 = b − a,~AC_2 = b + a"}});
  return image;
}

// The swinging guide-bar at its two extreme positions: the crank stands perpendicular to the
// bar, so the bar swings by θ; the frame d between the crank's pivot A and the bar's pivot D.
QImage guideBarSketch() {
  QImage image = canvas(250, 240);
  QPainter p(&image);
  smooth(p);
  const double d = 120, theta = 40, a = d * std::sin(theta / 2 * kDeg), bar = 1.45 * d;
  const QPointF D(118, 210), A = polar(D, d, 90);
  const QPointF B1 = polar(D, d * std::cos(theta / 2 * kDeg), 90 + theta / 2);
  const QPointF B2 = polar(D, d * std::cos(theta / 2 * kDeg), 90 - theta / 2);

  thinLine(p, D + QPointF(0, 6), A + QPointF(0, -40), Qt::DashDotLine);
  dashedCircle(p, A, a);
  pictures::bar(p, D, polar(D, bar, 90 - theta / 2), false);
  pictures::bar(p, A, B2, false);
  slider(p, B2, 90 - theta / 2, false);
  pictures::bar(p, D, polar(D, bar, 90 + theta / 2), true);
  pictures::bar(p, A, B1, true);
  slider(p, B1, 90 + theta / 2, true);
  thinLine(p, B1 + (B1 - A) * 0.25, B1, Qt::SolidLine);
  namedAngle(p, D, 42, 90 + theta / 2, 90 - theta / 2, QStringLiteral("θ"), 90 + 6, 9);

  groundPivot(p, A);
  groundPivot(p, D);
  for (const QPointF& j : {A, D, B1, B2}) joint(p, j);
  tags(p, {
           {A + QPointF(13, -6), "A", 14},
           {D + QPointF(14, 2), "D", 14},
           {B1 + QPointF(-20, -12), "B_1"},
           {B2 + QPointF(19, -12), "B_2"},
           {(A + B2) / 2 + QPointF(2, 9), "a"},
           {D + QPointF(-9, -67), "d"},
           {QPointF(125, 12), "AB ⊥ DB：θ = ψ"}});
  return image;
}

const QString kRatio = QStringLiteral("θ = 180°\\frac{K − 1}{K + 1}");

}  // namespace

void AddJhtxPictures(const QString& root, PictureList& list) {
  const QString jhtx = root + QStringLiteral("images/JHTX/");
  list.insert(list.end(), {
      {jhtx + QStringLiteral("qbygsyt.bmp"), crankRockerSketch()},
      {jhtx + QStringLiteral("qbyggs.bmp"),
       formulaPicture({kRatio,
                       QStringLiteral("(2c sin\\frac{ψ}{2})^2 = (a + b)^2 + (b − a)^2 − 2(a + b)(b − a)cos θ"),
                       QStringLiteral("(b − a)^2 = c^2 + d^2 − 2cd cos ψ_0"),
                       QStringLiteral("(a + b)^2 = c^2 + d^2 − 2cd cos(ψ_0 + ψ)"),
                       QStringLiteral("(d − a)^2 = b^2 + c^2 − 2bc cos γ_{min}")},
                      16, 8)},
      {jhtx + QStringLiteral("qbhksyt.bmp"), crankSliderSketch()},
      {jhtx + QStringLiteral("qbhkgs.bmp"),
       formulaPicture({kRatio,
                       QStringLiteral("b = \\frac{H}{\\sqrt{2(1 + λ^2) − 2(1 − λ^2)cos θ}},~a = λb"),
                       QStringLiteral("e = \\frac{(b^2 − a^2)sin θ}{H},~cos γ_{min} = \\frac{a + e}{b}")},
                      16, 10)},
      {jhtx + QStringLiteral("dgjgsyt.bmp"), guideBarSketch()},
      {jhtx + QStringLiteral("dgjggs.bmp"),
       formulaPicture({kRatio, QStringLiteral("a = d sin\\frac{θ}{2}")}, 17, 12)},
  });
}

}  // namespace pictures
