// The pictures of the transmission-angle window (its charts are drawn by make_charts): the
// position sketches of its four types, drawn from designs the window's own defaults give, the
// formula pictures of its two calculations, and the transmission angle of the notes pages.
#include "tools/pictures/kit.h"

#include <cmath>

namespace pictures {
namespace {

// A design in frame units (A at the origin, D at (1, 0), y up) drawn on a picture: A at `origin`,
// `scale` pixels to the unit.
struct Frame {
  QPointF origin;
  double scale;
  QPointF at(double x, double y) const { return origin + QPointF(x * scale, -y * scale); }
};

// The smaller angle at `vertex` between its rays to p and q: {from, to} for angleArc, sweeping
// counter-clockwise.
std::pair<double, double> innerAngle(QPointF vertex, QPointF p, QPointF q) {
  double from = direction(vertex, p), to = direction(vertex, q);
  double sweep = std::fmod(to - from + 720, 360);
  if (sweep > 180) std::swap(from, to), sweep = 360 - sweep;
  return {from, from + sweep};
}

void named(QPainter& p, QPointF at, const QString& name, double pixels = 13) { label(p, at, name, pixels); }

// A four-bar ABCD in two positions, the second drawn as the first (bold) one, on its frame line.
void twoPositions(QPainter& p, QPointF A, QPointF D, QPointF B1, QPointF C1, QPointF B2, QPointF C2) {
  thinLine(p, A + QPointF(-40, 0), D + QPointF(40, 0), Qt::DashDotLine);
  bar(p, A, B1, false);
  bar(p, B1, C1, false);
  bar(p, D, C1, false);
  bar(p, A, B2, true);
  bar(p, B2, C2, true);
  bar(p, D, C2, true);
}

// The pivots and joints over what is drawn, and the names of the links.
void jointsAndLinks(QPainter& p, QPointF A, QPointF D, std::initializer_list<QPointF> joints, QPointF B2,
                    QPointF C2) {
  groundPivot(p, A);
  groundPivot(p, D);
  for (const QPointF& j : joints) joint(p, j);
  joint(p, A);
  joint(p, D);
  named(p, (B2 + C2) / 2 + QPointF(-10, 2), QStringLiteral("b"));
  named(p, (D + C2) / 2 + QPointF(9, 0), QStringLiteral("c"));
  named(p, (A + D) / 2 + QPointF(0, 11), QStringLiteral("d"));
}

// The crank-rocker with the largest minimum transmission angle in its two extreme positions:
// φ12 = 205°, ψ12 = 40°, β = 60° (the window's defaults). At the far extreme C2 crank and coupler
// are stretched along β, at the near one C1 they overlap along β + θ, θ = φ12 − 180°.
QImage crankRockerSketch() {
  QImage image = canvas(320, 270);
  QPainter p(&image);
  smooth(p);
  const double a = 0.32901, b = 0.78794, beta = 60, phi12 = 205, theta = phi12 - 180;
  const Frame f{{88, 188}, 165};
  const QPointF A = f.at(0, 0), D = f.at(1, 0);
  const QPointF B2 = polar(A, a * f.scale, beta), C2 = polar(A, (a + b) * f.scale, beta);
  const QPointF B1 = polar(A, a * f.scale, beta + phi12), C1 = polar(A, (b - a) * f.scale, beta + theta);

  twoPositions(p, A, D, B1, C1, B2, C2);
  namedAngle(p, A, 30, 0, beta, QStringLiteral("β"), 24, 9);
  namedAngle(p, A, 20, beta + phi12, beta, QStringLiteral("φ_{12}"), 205, 16);
  const double d1 = direction(D, C1), d2 = direction(D, C2);
  namedAngle(p, D, 44, d1, d2, QStringLiteral("ψ_{12}"), (d1 + d2) / 2, 14);

  jointsAndLinks(p, A, D, {B1, B2, C1, C2}, B2, C2);
  named(p, A + QPointF(21, 11), QStringLiteral("A"), 14);
  named(p, D + QPointF(16, -6), QStringLiteral("D"), 14);
  named(p, B1 + QPointF(-14, 2), QStringLiteral("B_1"));
  named(p, B2 + QPointF(14, 2), QStringLiteral("B_2"));
  named(p, C1 + QPointF(-15, -4), QStringLiteral("C_1"));
  named(p, C2 + QPointF(2, -13), QStringLiteral("C_2"));
  named(p, polar(A, 46, 44), QStringLiteral("a"));
  label(p, QPointF(190, 256), QStringLiteral("1、2为摇杆的近、远极限位置"), 12);
  return image;
}

// The crank-rocker with K = 1 (ψ12 = 40°, γmin = 50°) in its two extreme positions: A lies on
// C1C2 and the crank turns 180° between them.
QImage k1Sketch() {
  QImage image = canvas(320, 270);
  QPainter p(&image);
  smooth(p);
  const double a = 0.308169, b = 0.532089, c = 0.901027;
  const double beta = std::acos((1 + (a + b) * (a + b) - c * c) / (2 * (a + b))) / kDeg;
  const Frame f{{98, 178}, 175};
  const QPointF A = f.at(0, 0), D = f.at(1, 0);
  const QPointF B2 = polar(A, a * f.scale, beta), C2 = polar(A, (a + b) * f.scale, beta);
  const QPointF B1 = polar(A, a * f.scale, beta + 180), C1 = polar(A, (b - a) * f.scale, beta);

  thinLine(p, B1 + (B1 - A) * 0.15, C2 + (C2 - A) * 0.12);  // the line C1C2 through A
  twoPositions(p, A, D, B1, C1, B2, C2);

  namedAngle(p, A, 24, beta + 180, beta, QStringLiteral("φ_{12}"), 150, 16);
  const double d1 = direction(D, C1), d2 = direction(D, C2);
  namedAngle(p, D, 50, d1, d2, QStringLiteral("ψ_{12}"), (d1 + d2) / 2, 15);

  jointsAndLinks(p, A, D, {B1, B2, C1, C2}, B2, C2);
  named(p, A + QPointF(21, 3), QStringLiteral("A"), 14);
  named(p, D + QPointF(16, -6), QStringLiteral("D"), 14);
  named(p, B1 + QPointF(-14, 4), QStringLiteral("B_1"));
  named(p, B2 + QPointF(-15, -2), QStringLiteral("B_2"));
  named(p, C1 + QPointF(16, -2), QStringLiteral("C_1"));
  named(p, C2 + QPointF(2, -13), QStringLiteral("C_2"));
  label(p, QPointF(170, 256), QStringLiteral("K=1：A在C_1C_2上，φ_{12}=180°"), 12);
  return image;
}

// The offset crank-slider of the largest minimum transmission angle for φ12 = 200°: stroke 1,
// a/s 0.4655, b/s 1.1490, e/s 0.3774; the guide below A, the slider right of it.
QImage crankSliderSketch() {
  QImage image = canvas(380, 196);
  QPainter p(&image);
  smooth(p);
  const double a = 0.46552, b = 1.14896, e = 0.37738;
  const Frame f{{100, 78}, 160};
  const double x2 = std::sqrt((a + b) * (a + b) - e * e), x1 = std::sqrt((b - a) * (b - a) - e * e);
  const QPointF A = f.at(0, 0), C1 = f.at(x1, -e), C2 = f.at(x2, -e);
  const double u1 = direction(A, C1), u2 = direction(A, C2);
  const QPointF B1 = polar(A, a * f.scale, u1 + 180), B2 = polar(A, a * f.scale, u2);

  // The guide, hatched below the slider's line.
  const double guideY = C1.y() + 8;
  p.setPen(QPen(kInk, 1.1));
  p.drawLine(QPointF(C1.x() - 30, guideY), QPointF(C2.x() + 30, guideY));
  p.setPen(QPen(kInk, 0.8));
  for (double x = C1.x() - 26; x <= C2.x() + 30; x += 5) p.drawLine(QPointF(x, guideY), QPointF(x - 4, guideY + 5));
  thinLine(p, QPointF(A.x() - 66, C1.y()), QPointF(C2.x() + 30, C1.y()), Qt::DashDotLine);
  thinLine(p, A + QPointF(-66, 0), A + QPointF(70, 0), Qt::DashDotLine);
  thinLine(p, A, QPointF(A.x(), C1.y()));

  for (int i = 1; i >= 0; --i) {
    const bool first = i == 1;
    const QPointF B = first ? B2 : B1, C = first ? C2 : C1;
    bar(p, A, B, first);
    bar(p, B, C, first);
    p.setPen(QPen(first ? kLink : kOther, first ? 1.6 : 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(C.x() - 11, C.y() - 7, 22, 14));
  }
  namedAngle(p, A, 24, u1 + 180, u2 + 360, QStringLiteral("φ_{12}"), 290, 16);
  namedAngle(p, A, 64, u1, u2, QStringLiteral("θ"), (u1 + u2) / 2, 9);

  // e left of A between its level and the slider's line; s under the guide.
  const double eX = A.x() - 52;
  dimensionLine(p, QPointF(eX, A.y()), QPointF(eX, C1.y()));
  named(p, QPointF(eX - 9, (A.y() + C1.y()) / 2), QStringLiteral("e"));
  const double sY = guideY + 20;
  thinLine(p, QPointF(C1.x(), guideY + 6), QPointF(C1.x(), sY + 4), Qt::SolidLine);
  thinLine(p, QPointF(C2.x(), guideY + 6), QPointF(C2.x(), sY + 4), Qt::SolidLine);
  dimensionLine(p, QPointF(C1.x(), sY), QPointF(C2.x(), sY));
  named(p, QPointF((C1.x() + C2.x()) / 2, sY + 10), QStringLiteral("s"));

  groundPivot(p, A);
  for (const QPointF& j : {A, B1, B2, C1, C2}) joint(p, j);
  named(p, A + QPointF(10, -12), QStringLiteral("A"), 14);
  named(p, B1 + QPointF(-8, -12), QStringLiteral("B_1"));
  named(p, B2 + QPointF(2, -13), QStringLiteral("B_2"));
  named(p, C1 + QPointF(0, -17), QStringLiteral("C_1"));
  named(p, C2 + QPointF(0, -17), QStringLiteral("C_2"));
  named(p, polar((A + B1) / 2, 10, u1 + 90), QStringLiteral("a"));
  named(p, (B2 + C2) / 2 + QPointF(0, -11), QStringLiteral("b"));
  return image;
}

// The double crank of ψ = 100°, γmin = 35° (a/d 2.109, b/d 1.901, c/d 1.354) in the two positions
// of its minimum transmission angles: the input along the frame line, with AD and against it.
QImage doubleCrankSketch() {
  QImage image = canvas(350, 250);
  QPainter p(&image);
  smooth(p);
  const double a = 2.10897, b = 1.90084, c = 1.35443;
  const Frame f{{172, 96}, 70};
  const QPointF A = f.at(0, 0), D = f.at(1, 0);
  const QPointF B1 = f.at(a, 0), B2 = f.at(-a, 0);
  const QPointF C1 = closeLoop(B1, D, b * f.scale, c * f.scale), C2 = closeLoop(B2, D, b * f.scale, c * f.scale);

  thinLine(p, B2 + QPointF(-12, 0), B1 + QPointF(12, 0), Qt::DashDotLine);
  bar(p, A, B1, true);
  bar(p, B1, C1, true);
  bar(p, D, C1, true);
  bar(p, A, B2, false);
  bar(p, B2, C2, false);
  bar(p, D, C2, false);

  const auto [g10, g11] = innerAngle(C1, B1, D);
  namedAngle(p, C1, 22, g10, g11, QStringLiteral("γ_{min1}"), (g10 + g11) / 2, 20);
  // At C2 the angle BCD is obtuse: γmin2 lies between the coupler's line beyond C2 and DC2.
  const QPointF beyond = C2 + (C2 - B2) * (40 / std::hypot(C2.x() - B2.x(), C2.y() - B2.y()));
  thinLine(p, C2, beyond);
  const auto [g20, g21] = innerAngle(C2, beyond, D);
  namedAngle(p, C2, 22, g20, g21, QStringLiteral("γ_{min2}"), (g20 + g21) / 2, 18);
  const double d1 = direction(D, C1), d2 = direction(D, C2);
  namedAngle(p, D, 28, d1 + 360, d2, QStringLiteral("ψ"), (d1 + 360 + d2) / 2, 9);

  groundPivot(p, A);
  groundPivot(p, D);
  for (const QPointF& j : {A, B1, B2, C1, C2, D}) joint(p, j);
  named(p, A + QPointF(-20, 8), QStringLiteral("A"), 14);
  named(p, D + QPointF(20, 9), QStringLiteral("D"), 14);
  named(p, B1 + QPointF(4, -12), QStringLiteral("B_1"));
  named(p, B2 + QPointF(-4, -12), QStringLiteral("B_2"));
  named(p, C1 + QPointF(14, 4), QStringLiteral("C_1"));
  named(p, C2 + QPointF(-4, -14), QStringLiteral("C_2"));
  label(p, QPointF(170, 238), QStringLiteral("AB由AB_1转180°到AB_2，DC由DC_1转ψ到DC_2"), 12);
  return image;
}

// The transmission angle of the notes: the coupler brings the force F to C along BC, C moves
// across DC; γ lies between the coupler's line and the rocker, α = 90° − γ between F and v_C.
QImage transmissionAngle() {
  QImage image = canvas(300, 180);
  QPainter p(&image);
  smooth(p);
  const QPointF A(70, 130), D(222, 130);
  const QPointF B = polar(A, 40, 160);
  const QPointF C = closeLoop(B, D, 128, 86);
  thinLine(p, A + QPointF(-60, 0), D + QPointF(40, 0), Qt::DashDotLine);
  bar(p, A, B, true);
  bar(p, B, C, true);
  bar(p, D, C, true);
  const double f = direction(B, C), cd = direction(C, D);
  // v_C across DC, on F's side
  const double v = std::cos((f - (cd + 90)) * kDeg) > 0 ? cd + 90 : cd - 90;
  const auto arrow = [&](double heading, double length, const QString& name, QPointF offset) {
    const QPointF tip = polar(C, length, heading);
    p.setPen(QPen(kInk, 1.1));
    p.drawLine(C, tip);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({tip, polar(tip, 8, heading + 160), polar(tip, 8, heading - 160)}));
    label(p, tip + offset, name, 13);
  };
  arrow(f, 58, QStringLiteral("F"), QPointF(10, 0));
  arrow(v, 50, QStringLiteral("v_C"), QPointF(10, -4));
  const auto [g0, g1] = innerAngle(C, polar(C, 10, f), D);
  namedAngle(p, C, 22, g0, g1, QStringLiteral("γ"), (g0 + g1) / 2, 9);
  const auto [a0, a1] = innerAngle(C, polar(C, 10, f), polar(C, 10, v));
  namedAngle(p, C, 36, a0, a1, QStringLiteral("α"), (a0 + a1) / 2, 9);
  groundPivot(p, A);
  groundPivot(p, D);
  for (const QPointF& j : {A, B, C, D}) joint(p, j);
  label(p, A + QPointF(16, 6), QStringLiteral("A"), 14);
  label(p, D + QPointF(16, 6), QStringLiteral("D"), 14);
  label(p, B + QPointF(-4, -13), QStringLiteral("B"), 14);
  label(p, C + QPointF(-14, -8), QStringLiteral("C"), 14);
  label(p, QPointF(150, 168), QStringLiteral("γ=90°−α，γ越大传力越好"), 12);
  return image;
}

}  // namespace

void AddCdjsjPictures(const QString& root, PictureList& list) {
  const QString cdjsj = root + QStringLiteral("images/CDJSJ/");
  list.insert(list.end(), {
      {cdjsj + QStringLiteral("yg1image1.bmp"), crankRockerSketch()},
      {cdjsj + QStringLiteral("yg1image3.bmp"),
       formulaPicture({QStringLiteral("\\frac{a}{d} = −\\frac{sin(ψ_{12}/2)·cos(φ_{12}/2 + β)}{sin(φ_{12}/2 − ψ_{12}/2)}"),
                       QStringLiteral("\\frac{b}{d} = \\frac{sin(ψ_{12}/2)·sin(φ_{12}/2 + β)}{cos(φ_{12}/2 − ψ_{12}/2)}"),
                       QStringLiteral("\\frac{c}{d} = \\sqrt{1 + (a/d + b/d)^2 − 2(a/d + b/d)cosβ}")},
                      19, 14)},
      {cdjsj + QStringLiteral("yg2image1.bmp"), k1Sketch()},
      {cdjsj + QStringLiteral("yg2image32.bmp"),
       formulaPicture({QStringLiteral("\\frac{b}{d} = \\sqrt{\\frac{1 − cosψ_{12}}{2(cosγ_{min})^2}}"),
                       QStringLiteral("\\frac{c}{d} = \\sqrt{\\frac{1 − (b/d)^2}{1 − (cosγ_{min})^2·(b/d)^2}}"),
                       QStringLiteral("\\frac{a}{d} = \\sqrt{(b/d)^2 + (c/d)^2 − 1}")},
                      19, 14)},
      {cdjsj + QStringLiteral("qbhkimage1.bmp"), crankSliderSketch()},
      {cdjsj + QStringLiteral("sqbimage1.bmp"), doubleCrankSketch()},
      {root + QStringLiteral("web/images/cdjsj_gamma.gif"), transmissionAngle()},
  });
}

}  // namespace pictures
