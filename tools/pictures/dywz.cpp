// The pictures of the corresponding-position window: its position sketches and formulas, and
// the four-bar sketch of the result pages.
#include "tools/pictures/kit.h"

#include <cmath>

namespace pictures {
namespace {

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

  // e left of A, between A's level and C's line.
  const double ex = A.x() - 30;
  thinLine(p, QPointF(ex - 4, A.y()), QPointF(A.x() - 5, A.y()), Qt::SolidLine);
  dimensionLine(p, QPointF(ex, path), QPointF(ex, A.y()));
  label(p, QPointF(ex - 8, (path + A.y()) / 2), QStringLiteral("e"), 14);

  // C1, C2, C3 under the guide; s1, s2, s3 under them, from F.
  const double dimTop = A.y() + 32;
  thinLine(p, A + QPointF(0, 20), QPointF(F.x(), dimTop + 2 * 13 + 4), Qt::SolidLine);
  for (int i = 0; i < 3; ++i) {
    const double y = dimTop + i * 13;
    thinLine(p, QPointF(C[i].x(), guide + 6), QPointF(C[i].x(), y + 4), Qt::SolidLine);
    label(p, QPointF(C[i].x() + 10, guide + 14), QStringLiteral("C_%1").arg(i + 1), 13);
    dimensionLine(p, QPointF(F.x(), y), QPointF(C[i].x(), y));
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

}  // namespace

void AddDywzPictures(const QString& root, PictureList& list) {
  const QString dywz = root + QStringLiteral("images/DYWZ/");
  list.insert(list.end(), {
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
      {root + QStringLiteral("web/images/jlsg.gif"), resultSketch()},  });
}

}  // namespace pictures
