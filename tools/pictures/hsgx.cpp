// The pictures of the function-generation window: the side links as the dials of x and y, and
// the five-node equations.
#include "tools/pictures/kit.h"

namespace pictures {
namespace {

// The hinged four-bar with its input link AB reading x and its output link DC reading y: each
// link swings from its start line (at φ0, ψ0 from the frame line) through φm and ψm while x runs
// from x0 to xm and y from y0 to ym. The position drawn is consistent with the link lengths.
QImage positionSketch() {
  QImage image = canvas(290, 172);
  QPainter p(&image);
  smooth(p);
  const QPointF A(58, 108), D(190, 108);
  const double a = 52, b = 132, c = 60;
  const double phi0 = 30, phim = 85, phi = 50;
  const QPointF B = polar(A, a, phi0 + phi);
  const QPointF C = closeLoop(B, D, b, c);
  const double psiNow = direction(D, C);
  const double psi0 = psiNow - 38, psim = 64;

  thinLine(p, A + QPointF(-22, 0), D + QPointF(62, 0), Qt::DashDotLine);
  // Start and end lines of both swings.
  thinLine(p, A, polar(A, a + 30, phi0));
  thinLine(p, A, polar(A, a + 30, phi0 + phim));
  thinLine(p, D, polar(D, c + 30, psi0));
  thinLine(p, D, polar(D, c + 30, psi0 + psim));

  bar(p, A, B, true);
  bar(p, B, C, true);
  bar(p, D, C, true);

  // φ0 and ψ0 from the frame line, φ and ψ from the start lines, the swings φm and ψm outside.
  namedAngle(p, A, 18, 0, phi0, QStringLiteral("φ_0"), phi0 / 2, 9);
  namedAngle(p, A, 32, phi0, phi0 + phi, QStringLiteral("φ"), phi0 + phi / 2, 7);
  namedAngle(p, A, a + 14, phi0, phi0 + phim, QStringLiteral("φ_m"), phi0 + phim * 0.2, -11);  // inside: the coupler passes outside
  namedAngle(p, D, 18, 0, psi0, QStringLiteral("ψ_0"), psi0 / 2, 9);
  namedAngle(p, D, 32, psi0, psiNow, QStringLiteral("ψ"), (psi0 + psiNow) / 2, 7);
  namedAngle(p, D, c + 14, psi0, psi0 + psim, QStringLiteral("ψ_m"), psi0 + psim * 0.3, 9);

  // The dials: x0, x, xm where AB's line meets the swing, y0, y, ym on DC's.
  const double dialA = a + 27, dialD = c + 27;
  label(p, polar(A, dialA + 4, phi0 - 6), QStringLiteral("x_0"), 13);
  label(p, polar(A, dialA, phi0 + phi), QStringLiteral("x"), 13);
  label(p, polar(A, dialA + 8, phi0 + phim + 2), QStringLiteral("x_m"), 13);
  label(p, polar(D, dialD + 4, psi0 - 6), QStringLiteral("y_0"), 13);
  label(p, polar(D, dialD + 2, psiNow + 8), QStringLiteral("y"), 13);
  label(p, polar(D, dialD + 6, psi0 + psim + 5), QStringLiteral("y_m"), 13);

  groundPivot(p, A);
  groundPivot(p, D);
  for (const QPointF& j : {A, B, C, D}) joint(p, j);
  label(p, A + QPointF(-13, 2), QStringLiteral("A"), 14);
  label(p, B + QPointF(-11, -6), QStringLiteral("B"), 14);
  label(p, C + QPointF(10, -6), QStringLiteral("C"), 14);
  label(p, D + QPointF(-13, 2), QStringLiteral("D"), 14);
  label(p, QPointF(145, 155), QStringLiteral("φ = \\frac{x − x_0}{μ_x},~ψ = \\frac{y − y_0}{μ_y}"), 13);
  return image;
}

}  // namespace

void AddHsgxPictures(const QString& root, PictureList& list) {
  const QString hsgx = root + QStringLiteral("images/HSGX/");
  list.insert(list.end(),
              {{hsgx + QStringLiteral("hsgxsyt.bmp"), positionSketch()},
               {hsgx + QStringLiteral("PPPXY.bmp"),
                formulaPicture({{QStringLiteral("P_0 cos(ψ_i + ψ_0) + P_1 cos[(ψ_i + ψ_0) − (φ_i + φ_0)] + P_2 − "
                                                "cos(φ_i + φ_0) = 0")},
                                {QStringLiteral("(i = 1, 2, 3, 4, 5)"), true},
                                {QStringLiteral("未知量：P_0、P_1、P_2、φ_0、ψ_0")}},
                               16)}});
}

}  // namespace pictures
