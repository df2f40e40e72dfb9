// The pictures of the coupler-position window: the sketch of what each type's step one asks
// (BMP, under images/LWZ/), and the figures and formulas of its teaching page (PNG, under
// web/images/jc/): the pole of two positions, the construction of the default design drawn by
// the program's own routine, and the two assemblies that make a branch defect.
#include "tools/pictures/kit.h"

#include "link/guidance.h"

#include <cmath>

namespace pictures {
namespace {

// Thin axes x and y through `o`, as the positions are measured.
void axes(QPainter& p, QPointF o, double xLen, double yLen) {
  thinLine(p, o, o + QPointF(xLen, 0), Qt::SolidLine);
  thinLine(p, o, o - QPointF(0, yLen), Qt::SolidLine);
  label(p, o + QPointF(xLen - 4, 9), QStringLiteral("x"), 12);
  label(p, o - QPointF(9, yLen - 4), QStringLiteral("y"), 12);
  label(p, o + QPointF(-8, 8), QStringLiteral("O"), 12);
}

// A position of the coupler: its line from `from`, `length` long at `angle`, with the angle
// measured from a short horizontal through `from`.
void pose(QPainter& p, QPointF from, double length, double angle, bool first, const QString& angleName) {
  const QPointF to = polar(from, length, angle);
  bar(p, from, to, first);
  joint(p, from, first ? kInk : kOther);
  joint(p, to, first ? kInk : kOther);
  if (!angleName.isEmpty()) {
    thinLine(p, from, from + QPointF(34, 0));
    namedAngle(p, from, 24, 0, angle, angleName, angle / 2, 7);
  }
}

// Types 0 and 1: B's coordinates and BC's angle for each position, with BC given.
QImage positionsOfBC(int count) {
  QImage image = canvas(260, 190);
  QPainter p(&image);
  smooth(p);
  const QPointF O(22, 176);
  axes(p, O, 230, 166);
  const QPointF B[] = {QPointF(70, 126), QPointF(56, 96), QPointF(36, 78)};
  const double angles[] = {28.5, 21.5, 23};
  for (int i = count - 1; i >= 0; --i) {
    const int at = count == 2 && i == 1 ? 2 : i;  // two positions: the first and the last
    pose(p, B[at], 110, angles[at], i == 0, i == 0 ? QStringLiteral("θ_1") : QString());
    label(p, B[at] + QPointF(-12, -6), QStringLiteral("B_%1").arg(i + 1), 13);
    label(p, polar(B[at], 122, angles[at] + 3), QStringLiteral("C_%1").arg(i + 1), 13);
  }
  label(p, (B[0] + polar(B[0], 110, angles[0])) / 2 + QPointF(4, 10), QStringLiteral("l_{BC}"), 12);
  if (count == 2) {
    thinLine(p, QPointF(8, 156), QPointF(252, 156), Qt::DashDotLine);
    label(p, QPointF(196, 147), QStringLiteral("y = y_0（A、D所在直线）"), 11);
  }
  return image;
}

// Type 2: the coupler plane in three positions, each given by M and the angle of MN; B and C
// fixed in the plane, measured from M along MN (x′) and across it (y′).
QImage positionsOfPlane() {
  QImage image = canvas(260, 190);
  QPainter p(&image);
  smooth(p);
  const QPointF O(22, 176);
  axes(p, O, 230, 166);
  const QPointF M[] = {QPointF(150, 110), QPointF(118, 80), QPointF(74, 62)};
  const double angles[] = {28.5, 21.5, 23};
  for (int i = 2; i >= 0; --i) {
    const double t = angles[i];
    const QPointF B = polar(M[i], 52, t + 180), C = polar(M[i], 52, t), N = polar(M[i], 26, t);
    const QPointF lift = polar(QPointF(), 16, t + 90);
    p.setPen(QPen(i == 0 ? kLink : kOther, i == 0 ? 1.4 : 0.8));
    p.setBrush(QColor(225, 232, 245, i == 0 ? 255 : 120));
    p.drawPolygon(QPolygonF({B - lift / 2, C - lift / 2, C + lift, B + lift}));
    bar(p, B, C, i == 0);
    joint(p, M[i], i == 0 ? kInk : kOther);
    label(p, M[i] + lift * 0.7, QStringLiteral("M_%1").arg(i + 1), 12);
    if (i == 0) {
      joint(p, B);
      joint(p, C);
      label(p, B + QPointF(-6, 12), QStringLiteral("B"), 13);
      label(p, C + QPointF(8, 10), QStringLiteral("C"), 13);
      label(p, N + lift * 0.7, QStringLiteral("N"), 12);
      thinLine(p, M[i], M[i] + QPointF(40, 0));
      namedAngle(p, M[i], 38, 0, t, QStringLiteral("θ_1"), t / 2, -9);
    }
  }
  label(p, QPointF(150, 18), QStringLiteral("B、C在连杆平面内的坐标自M沿MN量取"), 11);
  return image;
}

// Two positions of a coupler are one turn about their pole P12, where the bisectors of B1B2
// and C1C2 meet; any A on b12 and D on c12 guide it between them.
QImage poleSketch() {
  QImage image = canvas(440, 260);
  QPainter p(&image);
  smooth(p);
  const QPointF P(210, 214);
  const double turn = -42;  // position 2 is position 1 turned about P
  const double rB = 120, rC = 150, aB = 128, aC = 70;
  const QPointF B1 = polar(P, rB, aB), C1 = polar(P, rC, aC);
  const QPointF B2 = polar(P, rB, aB + turn), C2 = polar(P, rC, aC + turn);

  for (const auto& [from, to] : {std::pair{B1, B2}, std::pair{C1, C2}}) {
    thinLine(p, from, to, Qt::DotLine);
    const QPointF mid = (from + to) / 2;
    thinLine(p, polar(P, -28, direction(P, mid)), polar(P, std::hypot(mid.x() - P.x(), mid.y() - P.y()) + 34, direction(P, mid)));
  }
  thinLine(p, P, B1, Qt::SolidLine);  // the turn θ12 carries B1 to B2
  thinLine(p, P, B2, Qt::SolidLine);
  const QPointF A = polar(P, 66, direction(P, (B1 + B2) / 2)), D = polar(P, 60, direction(P, (C1 + C2) / 2));
  bar(p, A, B1, false);
  bar(p, D, C1, false);
  bar(p, B2, C2, false);
  bar(p, B1, C1, true);
  for (const QPointF& j : {B1, C1, B2, C2}) joint(p, j);
  p.setPen(QPen(kInk, 0.8));
  p.setBrush(kInk);
  p.drawEllipse(P, 2.5, 2.5);
  angleArc(p, P, 40, aB, aB + turn);
  label(p, polar(P, 52, aB + turn / 2), QStringLiteral("θ_{12}"), 12);
  label(p, P + QPointF(0, 13), QStringLiteral("P_{12}"), 13);
  label(p, B1 + QPointF(-12, -8), QStringLiteral("B_1"), 13);
  label(p, C1 + QPointF(-6, -12), QStringLiteral("C_1"), 13);
  label(p, B2 + QPointF(-4, -13), QStringLiteral("B_2"), 13);
  label(p, C2 + QPointF(12, 4), QStringLiteral("C_2"), 13);
  label(p, polar(P, 150, direction(P, (B1 + B2) / 2)) + QPointF(-8, 0), QStringLiteral("b_{12}"), 13);
  label(p, polar(P, 178, direction(P, (C1 + C2) / 2)) + QPointF(10, 0), QStringLiteral("c_{12}"), 13);
  for (const QPointF& pivot : {A, D}) {
    groundPivot(p, pivot);
    joint(p, pivot);
  }
  label(p, A + QPointF(-14, 0), QStringLiteral("A"), 14);
  label(p, D + QPointF(14, 0), QStringLiteral("D"), 14);
  label(p, QPointF(330, 246), QStringLiteral("A取在b₁₂上，D取在c₁₂上"), 12);
  return image;
}

// The default design of a type, drawn as the window draws it.
QImage defaultConstruction(int type) {
  QImage image = canvas(440, 300);
  QPainter p(&image);
  DrawGuidanceConstruction(p, QRectF(image.rect()), DesignGuidance(GuidanceInput::Defaults(type)));
  return image;
}

// One crank position, two assemblies: C on either side of BD. Positions taken on different
// sides cannot be passed in one motion of the linkage.
QImage branchSketch() {
  QImage image = canvas(440, 240);
  QPainter p(&image);
  smooth(p);
  const QPointF A(110, 140), D(290, 140);
  const double a = 50, b = 150, c = 110;
  const QPointF B1 = polar(A, a, 70), B2 = polar(A, a, 130);
  const QPointF C1 = closeLoop(B1, D, b, c);
  // The other assembly: C mirrored in the line B2 D.
  const QPointF Cup = closeLoop(B2, D, b, c);
  const QPointF u = (D - B2) / std::hypot(D.x() - B2.x(), D.y() - B2.y());
  const QPointF w = Cup - B2;
  const double along = w.x() * u.x() + w.y() * u.y();
  const QPointF C2 = B2 + 2 * along * u - w;

  thinLine(p, A + QPointF(-30, 0), D + QPointF(40, 0), Qt::DashDotLine);
  thinLine(p, B2, D, Qt::DotLine);
  bar(p, A, B2, false);
  bar(p, B2, C2, false);
  bar(p, D, C2, false);
  bar(p, A, B1, true);
  bar(p, B1, C1, true);
  bar(p, D, C1, true);
  for (const QPointF& j : {B1, C1, B2, C2}) joint(p, j);
  for (const QPointF& pivot : {A, D}) {
    groundPivot(p, pivot);
    joint(p, pivot);
  }
  label(p, A + QPointF(-14, -2), QStringLiteral("A"), 14);
  label(p, D + QPointF(14, -4), QStringLiteral("D"), 14);
  label(p, B1 + QPointF(4, -12), QStringLiteral("B_1"), 13);
  label(p, C1 + QPointF(10, -8), QStringLiteral("C_1"), 13);
  label(p, B2 + QPointF(-14, -6), QStringLiteral("B_2"), 13);
  label(p, C2 + QPointF(10, 8), QStringLiteral("C_2"), 13);
  label(p, QPointF(220, 226), QStringLiteral("C₁在B₁D的左侧，C₂在B₂D的右侧：两位置分属两种装配构形"), 12);
  return image;
}

}  // namespace

void AddLwzPictures(const QString& root, PictureList& list) {
  const QString lwz = root + QStringLiteral("images/LWZ/");
  const QString jc = root + QStringLiteral("web/images/jc/");
  list.insert(list.end(), {
      {lwz + QStringLiteral("lwzsyt0.bmp"), positionsOfBC(2)},
      {lwz + QStringLiteral("lwzsyt1.bmp"), positionsOfBC(3)},
      {lwz + QStringLiteral("lwzsyt2.bmp"), positionsOfPlane()},
      {jc + QStringLiteral("lwz_pole.png"), poleSketch()},
      {jc + QStringLiteral("lwz_line.png"), defaultConstruction(0)},
      {jc + QStringLiteral("lwz_circle.png"), defaultConstruction(1)},
      {jc + QStringLiteral("lwz_plane.png"), defaultConstruction(2)},
      {jc + QStringLiteral("lwz_branch.png"), branchSketch()},
      {jc + QStringLiteral("f_lwz.png"),
       formulaPicture({QStringLiteral("x_{Ci} = x_{Bi} + l_{BC} cosθ_i,~y_{Ci} = y_{Bi} + l_{BC} sinθ_i"),
                       QStringLiteral("(x_A − x_{B1})^2 + (y_A − y_{B1})^2 = (x_A − x_{Bi})^2 + (y_A − y_{Bi})^2"),
                       QStringLiteral("2(x_{Bi} − x_{B1}) x_A + 2(y_{Bi} − y_{B1}) y_A = x_{Bi}^2 + y_{Bi}^2 − x_{B1}^2 − y_{B1}^2"),
                       {QStringLiteral("(i = 2, 3)"), true},
                       QStringLiteral("x_B = x_M + x′_B cosθ − y′_B sinθ,~y_B = y_M + x′_B sinθ + y′_B cosθ")},
                      16)},
  });
}

}  // namespace pictures
