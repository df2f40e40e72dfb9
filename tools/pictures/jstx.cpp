// The pictures of the approximate-dwell window: the crank-rocker at its two extreme positions and
// near its rear extreme with △ψ and the dwell turn φ, the crank-slider (offset and centred) near
// its rear dead position with △H, and the formulas of each step.
#include "tools/pictures/kit.h"

#include <cmath>

namespace pictures {
namespace {

// A dimension: a thin line between two points with an arrowhead at each end and the name beside
// its middle, `offset` pixels to the left of from→to.
void dimension(QPainter& p, QPointF from, QPointF to, const QString& name, double offset) {
  dimensionLine(p, from, to);
  label(p, polar((from + to) / 2, offset, direction(from, to) + 90), name, 12);
}

// A dwell turn of the crank: a thick arc about A from `from` counter-clockwise to `to`.
void dwellArc(QPainter& p, QPointF A, double radius, double from, double to) {
  p.save();
  p.setPen(QPen(QColor(200, 60, 40), 2.4, Qt::SolidLine, Qt::FlatCap));
  const QRectF circle(A.x() - radius, A.y() - radius, 2 * radius, 2 * radius);
  p.drawArc(circle, qRound(from * 16), qRound((to - from) * 16));
  p.restore();
}

// The counter-clockwise turn between two directions that passes through a third.
std::pair<double, double> turnThrough(double one, double other, double through) {
  const auto ccw = [](double from, double to) { return std::fmod(to - from + 720, 360); };
  if (ccw(one, through) <= ccw(one, other)) return {one, one + ccw(one, other)};
  return {other, other + ccw(other, one)};
}

void crankCircle(QPainter& p, QPointF A, double radius) {
  p.save();
  QPen pen(kConstruction, 0.7, Qt::DotLine);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(A, radius, radius);
  p.restore();
}

// The crank-rocker a 20, b 30, c 50, d 45 of the window's defaults, `scale` pixels to the
// millimetre.
struct Rocker {
  double a, b, c, d;
  QPointF A, D;
  Rocker(QPointF at, double scale)
      : a(20 * scale), b(30 * scale), c(50 * scale), d(45 * scale), A(at), D(at + QPointF(d, 0)) {}
  // The joint C with the rocker at ψ (deg) from DA, above the frame.
  QPointF C(double psi) const { return polar(D, c, 180 - psi); }
  // The crank positions that put the coupler's end at C: to the left and to the right of A→C.
  std::pair<QPointF, QPointF> cranks(QPointF C) const { return {closeLoop(A, C, a, b), closeLoop(C, A, b, a)}; }
  double psiOf(QPointF C) const { return 180 - direction(D, C); }
};

void frame(QPainter& p, const Rocker& r) {
  thinLine(p, r.A + QPointF(-14, 0), r.D + QPointF(18, 0), Qt::DashDotLine);
  groundPivot(p, r.A);
  groundPivot(p, r.D);
  joint(p, r.A);
  joint(p, r.D);
  label(p, r.A + QPointF(-12, -6), QStringLiteral("A"), 14);
  label(p, r.D + QPointF(12, -6), QStringLiteral("D"), 14);
}

// The two extreme positions: stretched (AC2 = a + b, φo at A) and overlapping (AC1 = b − a, the
// rear extreme, ψs at D).
QImage rockerExtremes() {
  QImage image = canvas(270, 250);
  QPainter p(&image);
  smooth(p);
  const Rocker r(QPointF(82, 148), 2.6);
  const double phiO = std::acos(0.45) / kDeg;
  const QPointF C2 = polar(r.A, r.a + r.b, phiO), B2 = polar(r.A, r.a, phiO);
  const double psiS = std::acos(4425.0 / 4500) / kDeg;
  const QPointF C1 = r.C(psiS);
  const QPointF B1 = polar(r.A, r.a, direction(C1, r.A));

  bar(p, r.A, B2, false);
  bar(p, B2, C2, false);
  bar(p, r.D, C2, false);
  bar(p, r.A, B1, true);
  bar(p, B1, C1, true);
  bar(p, r.D, C1, true);
  frame(p, r);
  for (const QPointF& j : {B1, C1, B2, C2}) joint(p, j);
  label(p, B1 + QPointF(-12, 4), QStringLiteral("B_1"), 13);
  label(p, C1 + QPointF(-8, -11), QStringLiteral("C_1"), 13);
  label(p, B2 + QPointF(-13, -2), QStringLiteral("B_2"), 13);
  label(p, C2 + QPointF(0, -12), QStringLiteral("C_2"), 13);
  label(p, (B2 + C2) / 2 + QPointF(-9, -2), QStringLiteral("b"), 13);
  label(p, (r.A + B1) / 2 + QPointF(10, 0), QStringLiteral("a"), 13);
  label(p, (r.D + C2) / 2 + QPointF(9, 2), QStringLiteral("c"), 13);
  label(p, (r.A + r.D) / 2 + QPointF(0, 10), QStringLiteral("d"), 13);
  namedAngle(p, r.A, 30, 0, phiO, QStringLiteral("φ_o"), phiO / 2 + 4, 9);
  namedAngle(p, r.D, 58, 180 - psiS, 180, QStringLiteral("ψ_s"), 180 - psiS / 2 + 2, 12);
  label(p, QPointF(135, 236), QStringLiteral("AC_1 = b − a（后极限位置），AC_2 = a + b"), 12);
  return image;
}

// Near the rear extreme: the rocker turned △ψ away from DC1 to DC′, reached by the crank at B′
// and B″; between them, through B1, the crank turns φ while the rocker stays within △ψ.
QImage rockerDwell() {
  QImage image = canvas(270, 250);
  QPainter p(&image);
  smooth(p);
  const Rocker r(QPointF(80, 134), 3.2);
  const double psiS = std::acos(4425.0 / 4500) / kDeg;
  const double dPsi = 13;  // drawn larger than the default 5°, so that it can be seen
  const QPointF C1 = r.C(psiS), Cd = r.C(psiS + dPsi);
  const QPointF B1 = polar(r.A, r.a, direction(C1, r.A));
  const auto [Bleft, Bright] = r.cranks(Cd);

  crankCircle(p, r.A, r.a);
  const auto [from, to] = turnThrough(direction(r.A, Bleft), direction(r.A, Bright), direction(r.A, B1));
  dwellArc(p, r.A, r.a, from, to);
  thinLine(p, r.A, Cd);
  bar(p, r.A, Bleft, false);
  bar(p, Bleft, Cd, false);
  bar(p, r.A, Bright, false);
  bar(p, Bright, Cd, false);
  bar(p, r.D, Cd, false);
  bar(p, r.A, B1, true);
  bar(p, B1, C1, true);
  bar(p, r.D, C1, true);
  frame(p, r);
  for (const QPointF& j : {B1, C1, Bleft, Bright, Cd}) joint(p, j);
  label(p, B1 + QPointF(-6, 12), QStringLiteral("B_1"), 13);
  label(p, C1 + QPointF(-13, 12), QStringLiteral("C_1"), 13);
  label(p, Cd + QPointF(4, -12), QStringLiteral("C′"), 13);
  label(p, polar(r.A, r.a + 12, direction(r.A, Bleft)), QStringLiteral("B′"), 13);
  label(p, polar(r.A, r.a + 12, direction(r.A, Bright)), QStringLiteral("B″"), 13);
  namedAngle(p, r.D, 0.45 * r.c, 180 - psiS - dPsi, 180 - psiS, QStringLiteral("Δψ"), 180 - psiS - dPsi / 2, 12);
  label(p, polar(r.A, r.a - 14, (from + to) / 2), QStringLiteral("φ"), 14, QColor(200, 60, 40));
  label(p, QPointF(135, 236), QStringLiteral("曲柄经B_1转过φ时，摇杆摆动不超过Δψ"), 12);
  return image;
}

// The crank-slider near its rear dead position C1, the guide at e below A (on the side of
// φ = 270°): the stroke H from C1 to C2, the slider △H from C1 at C′ with the crank at B′ (φ)
// or B″. A centred one for e = 0.
QImage sliderDwell(bool offset) {
  QImage image = canvas(320, 180);
  QPainter p(&image);
  smooth(p);
  const double scale = 3;  // a 20, b 40: the rear dead position clear of A
  const double a = 20 * scale, b = 40 * scale, e = offset ? 5 * scale : 0;
  const double dH = 8 * scale;  // drawn larger than the default 2 mm, so that it can be seen
  const QPointF A(84, 86);
  const double guideY = A.y() + e;
  const double x1 = std::sqrt((b - a) * (b - a) - e * e), x2 = std::sqrt((a + b) * (a + b) - e * e);
  const QPointF C1(A.x() + x1, guideY), C2(A.x() + x2, guideY), Cd(A.x() + x1 + dH, guideY);
  const QPointF B1 = polar(A, a, direction(C1, A));
  const QPointF Bup = closeLoop(A, Cd, a, b), Bdown = closeLoop(Cd, A, b, a);

  // Guide, hatched under the slider's path.
  p.setPen(QPen(kInk, 1.1));
  const double rail = guideY + 8;
  p.drawLine(QPointF(A.x() + 20, rail), QPointF(312, rail));
  p.setPen(QPen(kInk, 0.8));
  for (double x = A.x() + 24; x <= 312; x += 6) p.drawLine(QPointF(x, rail), QPointF(x - 5, rail + 5));
  thinLine(p, QPointF(A.x() - 30, guideY), QPointF(312, guideY), Qt::DashDotLine);
  thinLine(p, A + QPointF(-20, 0), A + QPointF(a + 24, 0), Qt::DashDotLine);

  crankCircle(p, A, a);
  const auto [from, to] = turnThrough(direction(A, Bup), direction(A, Bdown), direction(A, B1));
  dwellArc(p, A, a, from, to);
  thinLine(p, A, C2);

  const auto slider = [&](QPointF C, bool first) {
    p.setPen(QPen(first ? kLink : kOther, first ? 1.6 : 1.0));
    p.setBrush(first ? QColor(Qt::white) : QColor(Qt::transparent));
    p.drawRect(QRectF(C.x() - 10, C.y() - 7, 20, 14));
  };
  bar(p, A, Bup, false);
  bar(p, Bup, Cd, false);
  bar(p, A, Bdown, false);
  bar(p, Bdown, Cd, false);
  slider(Cd, false);
  slider(C2, false);
  bar(p, A, B1, true);
  bar(p, B1, C1, true);
  slider(C1, true);
  groundPivot(p, A);
  for (const QPointF& j : {A, B1, Bup, Bdown, C1, Cd, C2}) joint(p, j);

  label(p, A + QPointF(-10, -10), QStringLiteral("A"), 14);
  label(p, polar(A, a + 11, direction(A, Bup)), QStringLiteral("B′"), 13);
  label(p, polar(A, a + 11, direction(A, Bdown)), QStringLiteral("B″"), 13);
  label(p, polar(A, a + 11, direction(A, B1)), QStringLiteral("B_1"), 13);
  namedAngle(p, A, 20, 0, direction(A, Bup), QStringLiteral("φ"), direction(A, Bup) / 2, 8);
  label(p, polar(A, a - 14, (from + to) / 2 + 8), QStringLiteral("φ"), 13, QColor(200, 60, 40));
  // Dimensions under the guide: △H from C1 to C′ and H from C1 to C2.
  const double dimH = rail + 34, dimDH = rail + 18;
  for (const QPointF& C : {C1, Cd, C2}) thinLine(p, QPointF(C.x(), rail + 6), QPointF(C.x(), dimH + 4), Qt::SolidLine);
  dimension(p, QPointF(C1.x(), dimDH), QPointF(Cd.x(), dimDH), QStringLiteral("ΔH"), -9);
  dimension(p, QPointF(C1.x(), dimH), QPointF(C2.x(), dimH), QStringLiteral("H"), -9);
  label(p, QPointF(C1.x() - 4, rail + 10), QStringLiteral("C_1"), 12);
  label(p, QPointF(Cd.x() + 10, rail + 10), QStringLiteral("C′"), 12);
  label(p, QPointF(C2.x() + 12, rail + 10), QStringLiteral("C_2"), 12);
  if (offset) {
    const double ex = A.x() - 24;
    thinLine(p, QPointF(ex - 4, A.y()), QPointF(A.x() - 4, A.y()), Qt::SolidLine);
    dimension(p, QPointF(ex, A.y()), QPointF(ex, guideY), QStringLiteral("e"), -9);
    namedAngle(p, A, 112, direction(A, C2), 0, QStringLiteral("α"), direction(A, C2) / 2, 10);
  }
  label(p, QPointF(160, 168),
        offset ? QStringLiteral("导路在A下方e处；C_1为后极限位置，φ自导路方向逆时针量取")
               : QStringLiteral("对心曲柄滑块机构；C_1为后极限位置，φ自导路方向逆时针量取"),
        12);
  return image;
}

}  // namespace

void AddJstxPictures(const QString& root, PictureList& list) {
  const QString jstx = root + QStringLiteral("images/JSTX/");
  list.insert(list.end(), {
      {jstx + QStringLiteral("cdjstype1sp1.bmp"), rockerExtremes()},
      {jstx + QStringLiteral("cdjstype1sp11.bmp"), rockerDwell()},
      {jstx + QStringLiteral("cdjstype1sp2.bmp"),
       formulaPicture({QStringLiteral("cos φ_o = \\frac{(a + b)^2 + d^2 − c^2}{2(a + b)d}"),
                       QStringLiteral("cos ψ_s = \\frac{c^2 + d^2 − (b − a)^2}{2cd}")},
                      17)},
      {jstx + QStringLiteral("cdjstype1sp3.bmp"),
       formulaPicture({QStringLiteral("m^2 = c^2 + d^2 − 2cd·cos(ψ_s + Δψ)"),
                       QStringLiteral("cos β = \\frac{a^2 + m^2 − b^2}{2am}"), QStringLiteral("φ = 360° − 2β")},
                      17)},
      {jstx + QStringLiteral("cdjstype2sp1.bmp"), sliderDwell(true)},
      {jstx + QStringLiteral("cdjstype3sp1.bmp"), sliderDwell(false)},
      {jstx + QStringLiteral("cdjstype2sp2.bmp"),
       formulaPicture({QStringLiteral("λ = \\frac{a}{b},~k = \\frac{e}{a}"),
                       QStringLiteral("sin α = \\frac{e}{a + b},~s = H − ΔH")},
                      17)},
      {jstx + QStringLiteral("cdjstype2sp3.bmp"),
       formulaPicture({QStringLiteral("(a + b)cos α − a(cos φ + \\frac{1}{λ} − \\frac{λk^2}{2} − "
                                      "\\frac{λ}{2}(sin φ)^2 − λk·sin φ) − s = 0")},
                      16)},
  });
}

}  // namespace pictures
