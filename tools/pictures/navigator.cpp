// The figures and formulas of the navigator's teaching pages (PNG, under web/images/jc/):
// linkage sketches drawn with the kit, the motion curves drawn by the program's own plotting
// routines, and the structural error of the default function-generation design computed here.
#include "tools/pictures/kit.h"

#include "link/curves.h"
#include "link/numerics.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

namespace pictures {
namespace {

const QColor kForce(190, 40, 30);
const QColor kSpeed(20, 120, 60);
const QColor kHighlight(200, 120, 30);

// A straight arrow with its head at `to`.
void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, double width = 1.2) {
  p.save();
  p.setPen(QPen(colour, width));
  p.drawLine(from, to);
  const double heading = direction(from, to);
  const QPointF back = polar(to, 8, heading + 180);
  const QPointF side = polar(QPointF(), 2.6, heading + 90);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygonF({to, back + side, back - side}));
  p.restore();
}

// An arc about `centre` from the direction `from` to `to` with an arrowhead at its end.
void arcArrow(QPainter& p, QPointF centre, double radius, double from, double to, const QColor& colour) {
  p.save();
  p.setPen(QPen(colour, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), qRound(from * 16),
            qRound((to - from) * 16));
  const double sign = to >= from ? 1 : -1;
  const QPointF tip = polar(centre, radius, to), back = polar(centre, radius, to - sign * 7);
  arrow(p, back, tip, colour);
  p.restore();
}

// A dimension between two points, with arrowheads at both ends and its name at the middle.
void dimension(QPainter& p, QPointF from, QPointF to, const QString& name, QPointF nameOffset) {
  const QPointF mid = (from + to) / 2;
  arrow(p, mid, from, kInk, 0.8);
  arrow(p, mid, to, kInk, 0.8);
  label(p, mid + nameOffset, name, 13);
}

void caption(QPainter& p, QPointF centre, const QString& text, double pixels = 12, const QColor& colour = kInk) {
  p.setPen(colour);
  p.setFont(cjk(pixels));
  const QRectF box(centre.x() - 300, centre.y() - pixels, 600, 2 * pixels);
  p.drawText(box, Qt::AlignCenter, text);
}

// A slider block centred on `at` on a horizontal guide.
void slider(QPainter& p, QPointF at, bool first) {
  p.save();
  p.setPen(QPen(first ? kLink : kOther, first ? 1.6 : 1.0));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(at.x() - 11, at.y() - 7, 22, 14));
  p.restore();
}

// A hatched straight guide from x0 to x1 at the height y, hatching below.
void guide(QPainter& p, double x0, double x1, double y) {
  p.save();
  p.setPen(QPen(kInk, 1.1));
  p.drawLine(QPointF(x0, y), QPointF(x1, y));
  p.setPen(QPen(kInk, 0.8));
  for (double x = x0 + 4; x <= x1; x += 5) p.drawLine(QPointF(x, y), QPointF(x - 4, y + 5));
  p.restore();
}

// A dashed circle, the path of a crank pin.
void path(QPainter& p, QPointF centre, double radius) {
  QPen pen(kConstruction, 0.8);
  pen.setDashPattern({4, 3});
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(centre, radius, radius);
}

void pivots(QPainter& p, std::initializer_list<QPointF> at) {
  for (const QPointF& pivot : at) {
    groundPivot(p, pivot);
    joint(p, pivot);
  }
}

// The four-bar ABCD with A and D on the ground; C above the line BD.
struct FourBar {
  QPointF A, B, C, D;
  FourBar(QPointF a0, double a, double b, double c, double d, double phi)
      : A(a0), B(polar(a0, a, phi)), D(a0 + QPointF(d, 0)) {
    C = closeLoop(B, D, b, c);
  }
  void draw(QPainter& p, bool first = true) const {
    bar(p, A, B, first);
    bar(p, B, C, first);
    bar(p, D, C, first);
    joint(p, B, first ? kInk : kOther);
    joint(p, C, first ? kInk : kOther);
  }
};

// The extreme positions of a crank-rocker: C1 with the crank folded onto the coupler
// (AC1 = b − a), C2 with the two stretched in line (AC2 = a + b).
struct Extremes {
  QPointF B1, C1, B2, C2;
  Extremes(QPointF A, QPointF D, double a, double b, double c) {
    C1 = closeLoop(A, D, b - a, c);
    C2 = closeLoop(A, D, b + a, c);
    B1 = A - (C1 - A) * (a / (b - a));
    B2 = A + (C2 - A) * (a / (b + a));
  }
  // Both positions, the stretched one drawn as the first.
  void draw(QPainter& p, QPointF A, QPointF D) const {
    for (int k = 1; k >= 0; --k) {
      const QPointF B = k ? B2 : B1, C = k ? C2 : C1;
      bar(p, A, B, k == 1);
      bar(p, B, C, k == 1);
      bar(p, D, C, k == 1);
      joint(p, B, k ? kInk : kOther);
      joint(p, C, k ? kInk : kOther);
    }
  }
  // The pivots and the names of A, D, B2, C2, B1, C1, each beside its joint by its offset.
  void name(QPainter& p, QPointF A, QPointF D, const std::array<QPointF, 6>& offsets) const {
    pivots(p, {A, D});
    const std::pair<QPointF, const char*> joints[] = {{A, "A"},   {D, "D"},   {B2, "B_2"},
                                                      {C2, "C_2"}, {B1, "B_1"}, {C1, "C_1"}};
    for (size_t k = 0; k < std::size(joints); ++k)
      label(p, joints[k].first + offsets[k], QString::fromLatin1(joints[k].second), k < 2 ? 15 : 14);
  }
};

// --- The figures ---

// The four-bar and the names of its links, with the crank's full turn and the rocker's swing.
QImage partsSketch() {
  QImage image = canvas(440, 250);
  QPainter p(&image);
  smooth(p);
  const FourBar fb(QPointF(90, 185), 58, 190, 130, 240, 62);
  path(p, fb.A, 58);
  arcArrow(p, fb.A, 72, 20, 55, kHighlight);
  // the rocker swings to and fro about its present position
  const double rocker = direction(fb.D, fb.C);
  arcArrow(p, fb.D, 146, rocker, rocker + 12, kConstruction);
  arcArrow(p, fb.D, 146, rocker, rocker - 12, kConstruction);
  p.setPen(QPen(kInk, 1.6));
  p.drawLine(fb.A, fb.D);
  fb.draw(p);
  pivots(p, {fb.A, fb.D});
  label(p, fb.A + QPointF(-14, 2), QStringLiteral("A"), 15);
  label(p, fb.B + QPointF(-12, -6), QStringLiteral("B"), 15);
  label(p, fb.C + QPointF(4, -13), QStringLiteral("C"), 15);
  label(p, fb.D + QPointF(14, 2), QStringLiteral("D"), 15);
  caption(p, (fb.A + fb.B) / 2 + QPointF(-44, 4), QStringLiteral("曲柄（连架杆）"));
  caption(p, (fb.B + fb.C) / 2 + QPointF(-6, -16), QStringLiteral("连杆"));
  caption(p, (fb.C + fb.D) / 2 + QPointF(48, 0), QStringLiteral("摇杆（连架杆）"));
  caption(p, (fb.A + fb.D) / 2 + QPointF(0, 30), QStringLiteral("机架"));
  caption(p, polar(fb.A, 84, 66) + QPointF(-8, 0), QStringLiteral("整周转动"), 11, kHighlight);
  caption(p, polar(fb.D, 150, rocker - 14) + QPointF(30, 0), QStringLiteral("往复摆动"), 11, kConstruction);
  return image;
}

// The loop A→B→C = A→D→C with the angles of the three moving links.
QImage loopSketch() {
  QImage image = canvas(420, 240);
  QPainter p(&image);
  smooth(p);
  const FourBar fb(QPointF(80, 180), 70, 200, 120, 230, 58);
  // x and y axes at A
  arrow(p, fb.A, fb.A + QPointF(320, 0), kConstruction, 0.8);
  arrow(p, fb.A, fb.A + QPointF(0, -160), kConstruction, 0.8);
  label(p, fb.A + QPointF(316, 10), QStringLiteral("x"), 13);
  label(p, fb.A + QPointF(-10, -156), QStringLiteral("y"), 13);
  fb.draw(p);
  pivots(p, {fb.A, fb.D});
  const double phi2 = direction(fb.B, fb.C), phi3 = direction(fb.D, fb.C);
  thinLine(p, fb.B, fb.B + QPointF(60, 0));
  thinLine(p, fb.D, fb.D + QPointF(50, 0));
  namedAngle(p, fb.A, 26, 0, 58, QStringLiteral("φ_1"), 30, 10);
  namedAngle(p, fb.B, 40, 0, phi2, QStringLiteral("φ_2"), phi2 / 2, 10);
  namedAngle(p, fb.D, 22, 0, phi3, QStringLiteral("φ_3"), 50, 10);
  label(p, fb.A + QPointF(-13, 3), QStringLiteral("A"), 15);
  label(p, fb.B + QPointF(-12, -6), QStringLiteral("B"), 15);
  label(p, fb.C + QPointF(2, -13), QStringLiteral("C"), 15);
  label(p, fb.D + QPointF(-12, -10), QStringLiteral("D"), 15);
  label(p, (fb.A + fb.B) / 2 + QPointF(-10, 2), QStringLiteral("a"), 14);
  label(p, (fb.B + fb.C) / 2 + QPointF(0, -11), QStringLiteral("b"), 14);
  label(p, (fb.C + fb.D) / 2 + QPointF(11, 2), QStringLiteral("c"), 14);
  label(p, (fb.A + fb.D) / 2 + QPointF(0, 12), QStringLiteral("d"), 14);
  return image;
}

// One chain of links (shortest s, then p, q, l around the loop) with each link as the frame:
// crank-rocker, double crank, double rocker.
QImage inversionsSketch() {
  QImage image = canvas(520, 240);
  QPainter p(&image);
  smooth(p);
  const double s = 26, pl = 77, q = 58, l = 69;  // s + p ≤ q + l
  struct Panel {
    double crank, coupler, rocker, frame, phi;
    QPointF A;
    QString title, rule;
    bool inputTurns, outputTurns;
  };
  const Panel panels[] = {
      {s, pl, q, l, 70, QPointF(28, 120), QStringLiteral("曲柄摇杆机构"), QStringLiteral("最短杆的邻边为机架"), true, false},
      {l, q, pl, s, 112, QPointF(215, 120), QStringLiteral("双曲柄机构"), QStringLiteral("最短杆为机架"), true, true},
      {pl, s, l, q, 62, QPointF(385, 120), QStringLiteral("双摇杆机构"), QStringLiteral("最短杆的对边为机架"), false, false},
  };
  for (const Panel& panel : panels) {
    const FourBar fb(panel.A, panel.crank, panel.coupler, panel.rocker, panel.frame, panel.phi);
    if (panel.inputTurns) path(p, fb.A, panel.crank);
    if (panel.outputTurns) path(p, fb.D, panel.rocker);
    p.setPen(QPen(kInk, 1.6));
    p.drawLine(fb.A, fb.D);
    fb.draw(p);
    // the shortest link drawn thick in the highlight colour
    const QPointF* ends[4][2] = {{&fb.A, &fb.B}, {&fb.B, &fb.C}, {&fb.D, &fb.C}, {&fb.A, &fb.D}};
    const double lengths[] = {panel.crank, panel.coupler, panel.rocker, panel.frame};
    for (int k = 0; k < 4; ++k)
      if (lengths[k] == s) {
        p.setPen(QPen(kHighlight, 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(*ends[k][0], *ends[k][1]);
      }
    pivots(p, {fb.A, fb.D});
    for (const QPointF& j : {fb.B, fb.C}) joint(p, j);
    label(p, fb.A + QPointF(-11, 3), QStringLiteral("A"), 13);
    label(p, fb.D + QPointF(11, 3), QStringLiteral("D"), 13);
    label(p, fb.B + QPointF(-10, -6), QStringLiteral("B"), 13);
    label(p, fb.C + QPointF(8, -8), QStringLiteral("C"), 13);
    const double cx = panel.A.x() + panel.frame / 2;
    caption(p, QPointF(cx, 210), panel.title, 13);
    caption(p, QPointF(cx, 228), panel.rule, 11, kConstruction);
  }
  caption(p, QPointF(260, 14), QStringLiteral("同一组杆长（最短杆以粗线表示），满足杆长条件，取不同构件为机架"), 12);
  return image;
}

// The transmission angle γ at C and the pressure angle α between the force F along the
// coupler and the velocity of C.
QImage transmissionSketch() {
  QImage image = canvas(440, 300);
  QPainter p(&image);
  smooth(p);
  const FourBar fb(QPointF(60, 250), 80, 200, 160, 220, 30);
  fb.draw(p);
  pivots(p, {fb.A, fb.D});
  p.setPen(QPen(kInk, 1.6));
  p.drawLine(fb.A, fb.D);
  const double toB = direction(fb.C, fb.B), toD = direction(fb.C, fb.D);
  const double alongBC = direction(fb.B, fb.C);
  // F along BC pushing on C; v_C perpendicular to DC, on the side of F
  const QPointF force = polar(fb.C, 70, alongBC);
  double velocity = direction(fb.D, fb.C) + 90;
  if (std::cos((velocity - alongBC) * kDeg) < 0) velocity -= 180;
  thinLine(p, fb.C, polar(fb.C, 60, direction(fb.D, fb.C)));
  arrow(p, fb.C, force, kForce, 1.6);
  arrow(p, fb.C, polar(fb.C, 62, velocity), kSpeed, 1.6);
  label(p, force + polar(QPointF(), 10, alongBC + 60), QStringLiteral("F"), 15, kForce);
  label(p, polar(fb.C, 72, velocity), QStringLiteral("v_C"), 14, kSpeed);
  // γ: the acute angle between the coupler's line and CD; α between F and v_C
  const double bcd = std::abs(std::remainder(toB - toD, 360.0));
  double from = std::min(bcd <= 90 ? toB : alongBC, toD), to = std::max(bcd <= 90 ? toB : alongBC, toD);
  if (to - from > 180) std::swap(from, to), to += 360;
  namedAngle(p, fb.C, 26, from, to, QStringLiteral("γ"), (from + to) / 2, 9);
  double a0 = alongBC, a1 = velocity;
  if (a1 < a0) std::swap(a0, a1);
  if (a1 - a0 > 180) std::swap(a0, a1), a1 += 360;
  namedAngle(p, fb.C, 40, a0, a1, QStringLiteral("α"), (a0 + a1) / 2, 9);
  label(p, fb.A + QPointF(-12, 3), QStringLiteral("A"), 15);
  label(p, fb.B + QPointF(-13, -2), QStringLiteral("B"), 15);
  label(p, fb.C + QPointF(-6, -14), QStringLiteral("C"), 15);
  label(p, fb.D + QPointF(14, 3), QStringLiteral("D"), 15);
  caption(p, QPointF(220, 288), QStringLiteral("γ + α = 90°：传动角越大，推动从动件的有效分力越大"), 12);
  return image;
}

// The two dead positions of a crank-rocker driven by its rocker: crank and coupler in line.
QImage deadPointSketch() {
  QImage image = canvas(440, 250);
  QPainter p(&image);
  smooth(p);
  const QPointF A(150, 170), D(300, 170);
  const double a = 52, b = 170, c = 120;
  const Extremes ex(A, D, a, b, c);
  path(p, A, a);
  p.setPen(QPen(kInk, 1.6));
  p.drawLine(A, D);
  // the force line through A at both dead points
  thinLine(p, ex.C2, polar(A, 40, direction(ex.C2, A)), Qt::DashDotLine);
  thinLine(p, ex.C1, polar(ex.B1, 30, direction(ex.C1, ex.B1)), Qt::DashDotLine);
  ex.draw(p, A, D);
  arrow(p, polar(D, 58, direction(D, ex.C2) - 18), polar(D, 58, direction(D, ex.C2) - 2), kHighlight);
  caption(p, polar(D, 70, direction(D, ex.C2) - 24) + QPointF(36, 0), QStringLiteral("主动摇杆"), 11, kHighlight);
  ex.name(p, A, D, {QPointF(-6, 22), QPointF(14, 3), QPointF(10, -8), QPointF(6, -13), QPointF(-14, 8), QPointF(-14, -8)});
  caption(p, QPointF(220, 18), QStringLiteral("摇杆主动时，曲柄与连杆共线的两个位置：力的作用线通过A，γ = 0"), 12);
  return image;
}

// The extreme positions of the rocker, the angle θ between them at A and the swing ψ at D.
QImage quickReturnSketch() {
  QImage image = canvas(440, 270);
  QPainter p(&image);
  smooth(p);
  // the default quick-return design (θ = 30°, ψ = 45°) drawn 3.5 times its size in mm
  const QPointF A(150, 175), D(150 + 170.5, 175);
  const double a = 59.2, b = 74.6, c = 157.5;
  const Extremes ex(A, D, a, b, c);
  path(p, A, a);
  p.setPen(QPen(kInk, 1.6));
  p.drawLine(A, D);
  const double dirC1 = direction(A, ex.C1), dirC2 = direction(A, ex.C2);
  thinLine(p, A, polar(A, 150, dirC1));
  ex.draw(p, A, D);
  namedAngle(p, A, 136, dirC2, dirC1, QStringLiteral("θ"), (dirC1 + dirC2) / 2, 10);
  const double dC1 = direction(D, ex.C1), dC2 = direction(D, ex.C2);
  namedAngle(p, D, 40, dC2, dC1, QStringLiteral("ψ"), (dC1 + dC2) / 2, 9);
  // the crank's two strokes between B1 and B2
  // turning counter-clockwise from B2 to B1 the crank sweeps 180° + θ: the slow stroke
  const double b1 = direction(A, ex.B1), b2 = direction(A, ex.B2);
  const double slow = std::fmod(b1 - b2 + 720, 360);
  p.setPen(QPen(kHighlight, 1.4));
  const QRectF ring(A.x() - a - 10, A.y() - a - 10, 2 * a + 20, 2 * a + 20);
  p.drawArc(ring, qRound(b2 * 16), qRound(slow * 16));
  caption(p, polar(A, a + 34, b2 + slow / 2) + QPointF(-20, 0), QStringLiteral("φ1 = 180° + θ"), 11, kHighlight);
  ex.name(p, A, D, {QPointF(-6, 24), QPointF(14, 3), QPointF(8, -10), QPointF(8, -12), QPointF(-16, 6), QPointF(-10, -13)});
  caption(p, QPointF(220, 240), QStringLiteral("曲柄逆时针转动：B2→B1（摇杆C2→C1）为慢行程，"), 12);
  caption(p, QPointF(220, 260), QStringLiteral("B1→B2为快速空回，曲柄转过φ2 = 180° − θ"), 12);
  return image;
}

// The offset crank-slider at its two dead positions: stroke H, offset e, angle θ.
QImage crankSliderSketch() {
  QImage image = canvas(460, 240);
  QPainter p(&image);
  smooth(p);
  const QPointF A(90, 110);
  const double a = 45, b = 150, e = 50, y = A.y() + e;
  auto onGuide = [&](double reach) { return QPointF(A.x() + std::sqrt(reach * reach - e * e), y); };
  const QPointF C1 = onGuide(b - a), C2 = onGuide(b + a);
  const QPointF B1 = A - (C1 - A) * (a / (b - a)), B2 = A + (C2 - A) * (a / (b + a));
  path(p, A, a);
  guide(p, C1.x() - 40, C2.x() + 40, y + 7);
  thinLine(p, A + QPointF(-30, 0), QPointF(C2.x() + 30, A.y()), Qt::DashDotLine);
  thinLine(p, A, C1);
  for (int k = 1; k >= 0; --k) {
    const QPointF B = k ? B2 : B1, C = k ? C2 : C1;
    bar(p, A, B, k == 1);
    bar(p, B, C, k == 1);
    slider(p, C, k == 1);
    joint(p, B, k ? kInk : kOther);
    joint(p, C, k ? kInk : kOther);
  }
  namedAngle(p, A, 70, direction(A, C1), direction(A, C2), QStringLiteral("θ"),
             (direction(A, C1) + direction(A, C2)) / 2, 10);
  dimension(p, QPointF(C1.x(), y + 30), QPointF(C2.x(), y + 30), QStringLiteral("H"), QPointF(0, 10));
  thinLine(p, C1 + QPointF(0, 8), QPointF(C1.x(), y + 36), Qt::SolidLine);
  thinLine(p, C2 + QPointF(0, 8), QPointF(C2.x(), y + 36), Qt::SolidLine);
  dimension(p, QPointF(A.x() - 34, A.y()), QPointF(A.x() - 34, y), QStringLiteral("e"), QPointF(-10, 0));
  thinLine(p, QPointF(A.x() - 40, y), QPointF(C1.x() - 40, y), Qt::SolidLine);
  pivots(p, {A});
  label(p, A + QPointF(-4, -16), QStringLiteral("A"), 15);
  label(p, B2 + QPointF(4, -12), QStringLiteral("B_2"), 14);
  label(p, B1 + QPointF(-16, 4), QStringLiteral("B_1"), 14);
  label(p, C1 + QPointF(0, -16), QStringLiteral("C_1"), 14);
  label(p, C2 + QPointF(0, -16), QStringLiteral("C_2"), 14);
  caption(p, QPointF(230, 226), QStringLiteral("AC1 = b − a，AC2 = b + a；偏距e使θ > 0，机构有急回特性"), 12);
  return image;
}

// The swinging guide bar at its extreme positions: the crank perpendicular to the bar, θ = ψ.
QImage guideBarSketch() {
  QImage image = canvas(360, 300);
  QPainter p(&image);
  smooth(p);
  const double d = 150, theta = 40, a = d * std::sin(theta / 2 * kDeg);
  const QPointF D(180, 250), A(180, 250 - d);
  path(p, A, a);
  p.setPen(QPen(kInk, 1.6));
  p.drawLine(A, D);
  const double reach = std::sqrt(d * d - a * a);
  for (int k = 0; k < 2; ++k) {
    const double heading = 90 + (k ? theta / 2 : -theta / 2);
    const QPointF B = polar(D, reach, heading), end = polar(D, d + a + 30, heading);
    bar(p, D, end, k == 0);
    bar(p, A, B, k == 0);
    p.save();
    p.translate(B);
    p.rotate(-heading);
    p.setPen(QPen(k == 0 ? kLink : kOther, k == 0 ? 1.6 : 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(-10, -6, 20, 12));
    p.restore();
    joint(p, B);
    label(p, B + QPointF(k ? -16 : 16, -10), QStringLiteral("B_%1").arg(k + 1), 14);
  }
  namedAngle(p, D, 52, 90 - theta / 2, 90 + theta / 2, QStringLiteral("ψ"), 90 + theta / 4, 10);
  caption(p, A + QPointF(0, -a - 16), QStringLiteral("工作行程 φ1 = 180° + θ"), 11, kHighlight);
  caption(p, A + QPointF(0, a + 18), QStringLiteral("回程 φ2 = 180° − θ"), 11, kHighlight);
  pivots(p, {A, D});
  label(p, A + QPointF(14, 4), QStringLiteral("A"), 15);
  label(p, D + QPointF(14, 4), QStringLiteral("D"), 15);
  label(p, (A + D) / 2 + QPointF(-9, -8), QStringLiteral("d"), 14);
  caption(p, QPointF(180, 12), QStringLiteral("曲柄与导杆垂直时导杆处于极限位置：θ = ψ，a = d·sin(θ/2)"), 12);
  return image;
}

// The four-bar with the angles of the corresponding-position equation, in three positions.
QImage positionsSketch() {
  QImage image = canvas(440, 250);
  QPainter p(&image);
  smooth(p);
  const QPointF A(90, 190);
  const double a = 60, b = 150, c = 100, d = 200;
  const double phis[] = {40, 80, 120};
  arrow(p, A, A + QPointF(310, 0), kConstruction, 0.8);
  label(p, A + QPointF(306, 10), QStringLiteral("x"), 13);
  for (int i = 2; i >= 0; --i) {
    const FourBar fb(A, a, b, c, d, phis[i]);
    fb.draw(p, i == 1);
    label(p, polar(fb.B, 13, phis[i] + 50), QStringLiteral("B_%1").arg(i + 1), 12);
    label(p, fb.C + QPointF(i == 2 ? -8 : 10, -10), QStringLiteral("C_%1").arg(i + 1), 12);
  }
  const FourBar mid(A, a, b, c, d, phis[1]);
  const double psi = direction(mid.D, mid.C);
  namedAngle(p, A, 24, 0, phis[1], QStringLiteral("φ_2"), phis[1] / 2, 10);
  namedAngle(p, mid.D, 26, 0, psi, QStringLiteral("ψ_2"), 30, 12);
  pivots(p, {A, mid.D});
  label(p, A + QPointF(-13, 3), QStringLiteral("A"), 15);
  label(p, mid.D + QPointF(-14, -8), QStringLiteral("D"), 15);
  caption(p, QPointF(220, 238), QStringLiteral("每一组对应位置 (φᵢ, ψᵢ) 给出一个位置方程"), 12);
  return image;
}

// The design of the function-generation example: f = lg x on [1, 2], φm = 60°, ψm = 90°,
// three Chebyshev nodes, φ0 = 86°, ψ0 = 23.5°; the function with its nodes above, the
// structural error of the designed four-bar below.
QImage structuralErrorSketch() {
  const double x0 = 1, xm = 2, phiM = 60, psiM = 90, phi0 = 86, psi0 = 23.5;
  const int n = 3;
  auto f = [](double x) { return std::log10(x); };
  const double y0 = f(x0), ym = f(xm), mux = (xm - x0) / phiM, muy = (ym - y0) / psiM;
  double nodes[n];
  std::vector<TExtendedArray> rows;
  TExtendedArray rhs;
  for (int i = 1; i <= n; ++i) {
    const double x = (x0 + xm) / 2 - (xm - x0) / 2 * std::cos((2 * i - 1) * M_PI / (2 * n));
    nodes[i - 1] = x;
    const double phi = ((x - x0) / mux + phi0) * kDeg, psi = ((f(x) - y0) / muy + psi0) * kDeg;
    rows.push_back({std::cos(psi), std::cos(psi - phi), 1});
    rhs.push_back(std::cos(phi));
  }
  GaussFullPivot(rows, rhs);
  const double P0 = double(rhs[0]), P1 = double(rhs[1]), P2 = double(rhs[2]);
  // The output angle the four-bar really takes: cos φ = P0 cos ψ + P1 cos(ψ − φ) + P2 solved
  // for ψ, on the branch nearest the wanted angle.
  auto errorAt = [&](double x) {
    const double phi = ((x - x0) / mux + phi0) * kDeg, wanted = ((f(x) - y0) / muy + psi0) * kDeg;
    const double A = P0 + P1 * std::cos(phi), B = P1 * std::sin(phi), C = std::cos(phi) - P2;
    const double base = std::atan2(B, A), spread = std::acos(std::clamp(C / std::hypot(A, B), -1.0, 1.0));
    double best = 1e9;
    for (double psi : {base + spread, base - spread}) {
      const double diff = std::remainder(psi - wanted, 2 * M_PI);
      if (std::abs(diff) < std::abs(best)) best = diff;
    }
    return muy * best / kDeg;  // Δy = μy · Δψ
  };

  QImage image = canvas(440, 350);
  QPainter p(&image);
  smooth(p);
  const double left = 60, right = 410;
  auto px = [&](double x) { return left + (x - x0) / (xm - x0) * (right - left); };
  // upper plot: y = lg x
  const double top0 = 30, top1 = 150;
  auto pyTop = [&](double y) { return top1 - (y - y0) / (ym - y0) * (top1 - top0); };
  // lower plot: Δy, scaled to its largest value
  double worst = 0;
  for (int k = 0; k <= 400; ++k) worst = std::max(worst, std::abs(errorAt(x0 + (xm - x0) * k / 400)));
  const double mid1 = 250, half = 60;
  auto pyErr = [&](double e) { return mid1 - e / worst * half; };

  p.setPen(QPen(kInk, 1));
  p.drawLine(QPointF(left, top1), QPointF(right + 10, top1));
  p.drawLine(QPointF(left, top1), QPointF(left, top0 - 10));
  p.drawLine(QPointF(left, mid1), QPointF(right + 10, mid1));
  p.drawLine(QPointF(left, mid1 + half + 10), QPointF(left, mid1 - half - 10));
  QPainterPath curve, error;
  for (int k = 0; k <= 200; ++k) {
    const double x = x0 + (xm - x0) * k / 200;
    const QPointF c(px(x), pyTop(f(x))), e(px(x), pyErr(errorAt(x)));
    if (k == 0) curve.moveTo(c), error.moveTo(e);
    else curve.lineTo(c), error.lineTo(e);
  }
  p.setPen(QPen(QColor(0, 0, 255), 1.6));
  p.drawPath(curve);
  p.setPen(QPen(QColor(200, 0, 0), 1.6));
  p.drawPath(error);
  for (int i = 0; i < n; ++i) {
    const double x = px(nodes[i]);
    thinLine(p, QPointF(x, pyTop(f(nodes[i]))), QPointF(x, mid1 + half), Qt::DashLine);
    joint(p, QPointF(x, pyTop(f(nodes[i]))), QColor(0, 0, 255));
    joint(p, QPointF(x, mid1), QColor(200, 0, 0));
    label(p, QPointF(x + 12, mid1 + 12), QStringLiteral("x_%1").arg(i + 1), 13);
  }
  label(p, QPointF(px(x0), top1 + 12), QStringLiteral("x_0 = 1"), 12);
  label(p, QPointF(px(xm), top1 + 12), QStringLiteral("x_m = 2"), 12);
  label(p, QPointF(left - 24, top0 - 6), QStringLiteral("y"), 14);
  label(p, QPointF(left - 28, mid1 - half - 8), QStringLiteral("Δy"), 14);
  caption(p, QPointF(250, 18), QStringLiteral("要求的函数 y = lg x 与三个切比雪夫插值结点"), 12);
  caption(p, QPointF(250, 178), QStringLiteral("所设计机构的结构误差 Δy（结点处为零）"), 12);
  p.setPen(kInk);
  p.setFont(serif(12, false));
  p.drawText(QPointF(right - 110, mid1 + half + 8), QStringLiteral("|Δy|max ≈ %1×10⁻³").arg(worst * 1000, 0, 'f', 2));
  caption(p, QPointF(220, 338), QStringLiteral("φm = 60°，ψm = 90°，φ0 = 86°，ψ0 = 23.5°"), 11, kConstruction);
  return image;
}

// The rocker near its rear extreme position and the crank angle φ of the approximate dwell.
QImage dwellSketch() {
  QImage image = canvas(440, 280);
  QPainter p(&image);
  smooth(p);
  const QPointF A(150, 170), D(330, 170);
  const double a = 45, b = 100, c = 150, dpsi = 14;  // △ψ enlarged to be seen
  const double psiS = direction(D, closeLoop(A, D, b - a, c));
  const QPointF C1 = polar(D, c, psiS), Cp = polar(D, c, psiS - dpsi);
  const QPointF B1 = A - (C1 - A) * (a / (b - a));
  // crank positions with C at C′: circle (A, a) ∩ circle (C′, b)
  const QPointF Bu = closeLoop(A, Cp, a, b), Bl = closeLoop(Cp, A, b, a);
  path(p, A, a);
  p.setPen(QPen(kInk, 1.6));
  p.drawLine(A, D);
  p.setPen(QPen(kConstruction, 0.8, Qt::DashLine));
  p.drawArc(QRectF(D.x() - c, D.y() - c, 2 * c, 2 * c), qRound((psiS - dpsi - 10) * 16), qRound((dpsi + 20) * 16));
  thinLine(p, A, Cp);
  for (const QPointF& B : {Bu, Bl}) {
    bar(p, A, B, false);
    bar(p, B, Cp, false);
    joint(p, B, kOther);
  }
  bar(p, D, Cp, false);
  bar(p, A, B1, true);
  bar(p, B1, C1, true);
  bar(p, D, C1, true);
  joint(p, B1);
  joint(p, C1);
  joint(p, Cp, kOther);
  // the dwell arc of the crank: from Bl round through B1 to Bu, away from C′
  const double toCp = direction(A, Cp), bu = direction(A, Bu);
  double beta = std::remainder(bu - toCp, 360.0);
  p.setPen(QPen(kHighlight, 2.2));
  const QRectF ring(A.x() - a - 9, A.y() - a - 9, 2 * a + 18, 2 * a + 18);
  p.drawArc(ring, qRound(bu * 16), qRound((360 - 2 * std::abs(beta)) * 16 * (beta > 0 ? 1 : -1)));
  namedAngle(p, A, 26, toCp, bu, QStringLiteral("β"), (toCp + bu) / 2, 8);
  namedAngle(p, D, 60, psiS - dpsi, psiS, QStringLiteral("Δψ"), psiS - dpsi / 2, 14);
  caption(p, polar(A, a + 30, toCp + 180) + QPointF(-10, 0), QStringLiteral("φ = 360° − 2β"), 12, kHighlight);
  pivots(p, {A, D});
  label(p, A + QPointF(-4, 24), QStringLiteral("A"), 15);
  label(p, D + QPointF(14, 3), QStringLiteral("D"), 15);
  label(p, B1 + QPointF(-14, 6), QStringLiteral("B_1"), 13);
  label(p, C1 + QPointF(-6, -13), QStringLiteral("C_1"), 13);
  label(p, Cp + QPointF(12, -8), QStringLiteral("C′"), 13);
  caption(p, QPointF(220, 16), QStringLiteral("曲柄在φ角内转动时，摇杆停留在后极限位置DC1附近Δψ的范围内"), 12);
  caption(p, QPointF(220, 266), QStringLiteral("图中Δψ已放大；实际设计中Δψ通常只有几度"), 11, kConstruction);
  return image;
}

// The motion curves exactly as an analysis panel draws them.
QImage crankRockerCurves() {
  QImage image(425, 402, QImage::Format_RGB32);
  PlotCrankRockerCurves(image, 1, 1 * kDeg, 0, 2 * M_PI, 30, 100, 80, 110);
  return image;
}

QImage crankSliderCurves() {
  QImage image(425, 402, QImage::Format_RGB32);
  PlotCrankSliderCurves(image, 1, 1 * kDeg, 0, 2 * M_PI, 30, 100, 0);
  return image;
}

// The steps of a design window as a chain of buttons, wrapped into rows.
QImage stepFlow(const QStringList& steps) {
  const QFont font = cjk(13);
  const QFontMetricsF metrics(font);
  const double gap = 26, height = 30, rowGap = 22, maxWidth = 480;
  std::vector<std::vector<std::pair<QString, double>>> rows(1);
  double x = 0, widest = 0;
  for (const QString& step : steps) {
    const double w = metrics.horizontalAdvance(step) + 22;
    if (x > 0 && x + w > maxWidth) rows.emplace_back(), x = 0;
    rows.back().push_back({step, w});
    x += w + gap;
    widest = std::max(widest, x - gap);
  }
  QImage image = canvas(int(widest) + 20, int(rows.size() * (height + rowGap) - rowGap) + 20);
  QPainter p(&image);
  smooth(p);
  p.setFont(font);
  double y = 10;
  QPointF lastEnd;
  for (size_t r = 0; r < rows.size(); ++r) {
    double left = 10;
    for (size_t k = 0; k < rows[r].size(); ++k) {
      const auto& [text, w] = rows[r][k];
      const QRectF box(left, y, w, height);
      if (k > 0) arrow(p, lastEnd, QPointF(left - 1, y + height / 2), kInk, 1.0);
      else if (r > 0) {  // from the end of the row above down to the start of this one
        QPainterPath turn;
        turn.moveTo(lastEnd);
        turn.lineTo(lastEnd + QPointF(8, 0));
        turn.lineTo(lastEnd + QPointF(8, height / 2 + rowGap / 2));
        turn.lineTo(QPointF(left + w / 2, lastEnd.y() + height / 2 + rowGap / 2));
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(turn);
        arrow(p, QPointF(left + w / 2, lastEnd.y() + height / 2 + rowGap / 2), QPointF(left + w / 2, y - 1), kInk, 1.0);
      }
      const bool analysis = text.contains(QStringLiteral("运动分析"));
      p.setPen(QPen(kLink, 1.2));
      p.setBrush(analysis ? QColor(255, 240, 215) : QColor(232, 240, 250));
      p.drawRoundedRect(box, 5, 5);
      p.setPen(analysis ? QColor(150, 80, 10) : kLink);
      p.drawText(box, Qt::AlignCenter, text);
      lastEnd = QPointF(left + w, y + height / 2);
      left += w + gap;
    }
    y += height + rowGap;
  }
  return image;
}

// The files of a run, as a folder tree.
QImage filesSketch() {
  struct Line {
    int depth;
    QString name, note;
    bool folder;
  };
  const Line lines[] = {
      {0, QStringLiteral("kinvora/（程序所在的文件夹）"), {}, true},
      {1, QStringLiteral("config.ini"), QStringLiteral("窗口位置与显示设置"), false},
      {1, QStringLiteral("result/"), QStringLiteral("全部输出，首次需要时建立"), true},
      {2, QStringLiteral("四杆设计.txt"), QStringLiteral("设计记录（设计过程的文字）"), false},
      {2, QStringLiteral("四杆设计.des"), QStringLiteral("设计数据，与同名 .txt 成对"), false},
      {2, QStringLiteral("temp.htm"), QStringLiteral("运动分析数据表（“输出数据”）"), false},
      {2, QStringLiteral("运动分析曲线.bmp"), QStringLiteral("保存的运动线图"), false},
      {2, QStringLiteral("Temp.~txt"), QStringLiteral("详细报表所用的设计记录副本"), false},
      {1, QStringLiteral("data/data.db"), QStringLiteral("目录与简单报表的数据库"), false},
      {1, QStringLiteral("web/、images/、help/"), QStringLiteral("教学页面、图片与帮助"), true},
  };
  QImage image = canvas(500, 28 * int(std::size(lines)) + 16);
  QPainter p(&image);
  smooth(p);
  const double step = 28, indent = 26;
  double y = 22;
  double parentX[4] = {0, 0, 0, 0}, parentY[4] = {0, 0, 0, 0};
  for (const Line& line : lines) {
    const double x = 14 + line.depth * indent;
    if (line.depth > 0) {
      p.setPen(QPen(kConstruction, 0.8));
      p.drawLine(QPointF(parentX[line.depth - 1] + 7, parentY[line.depth - 1] + 8), QPointF(parentX[line.depth - 1] + 7, y));
      p.drawLine(QPointF(parentX[line.depth - 1] + 7, y), QPointF(x - 2, y));
    }
    // a folder or a page glyph
    p.setPen(QPen(kLink, 1));
    if (line.folder) {
      p.setBrush(QColor(250, 215, 120));
      p.drawRect(QRectF(x, y - 6, 16, 12));
      p.drawRect(QRectF(x, y - 9, 7, 3));
    } else {
      p.setBrush(Qt::white);
      p.drawRect(QRectF(x + 2, y - 8, 11, 15));
    }
    p.setPen(kInk);
    p.setFont(cjk(13));
    p.drawText(QPointF(x + 22, y + 5), line.name);
    if (!line.note.isEmpty()) {
      p.setPen(kConstruction);
      p.setFont(cjk(12));
      p.drawText(QPointF(260, y + 5), line.note);
    }
    parentX[line.depth] = x;
    parentY[line.depth] = y;
    y += step;
  }
  return image;
}

}  // namespace

void AddNavigatorPictures(const QString& root, PictureList& list) {
  const QString jc = root + QStringLiteral("web/images/jc/");
  list.insert(list.end(), {
      {jc + QStringLiteral("sgjg.png"), partsSketch()},
      {jc + QStringLiteral("loop.png"), loopSketch()},
      {jc + QStringLiteral("f_loop.png"),
       formulaPicture({QStringLiteral("a cosφ_1 + b cosφ_2 = d + c cosφ_3"),
                       QStringLiteral("a sinφ_1 + b sinφ_2 = c sinφ_3")})},
      {jc + QStringLiteral("grashof.png"), inversionsSketch()},
      {jc + QStringLiteral("f_grashof.png"), formulaPicture({QStringLiteral("l_{min} + l_{max}~≤~l′ + l″")})},
      {jc + QStringLiteral("cdj.png"), transmissionSketch()},
      {jc + QStringLiteral("sd.png"), deadPointSketch()},
      {jc + QStringLiteral("f_cdj.png"),
       formulaPicture({QStringLiteral("cos∠BCD = \\frac{b^2 + c^2 − a^2 − d^2 + 2ad cosφ_1}{2bc}"),
                       QStringLiteral("∠BCD_{min} = ∠BCD(φ_1 = 0°),~∠BCD_{max} = ∠BCD(φ_1 = 180°)"),
                       QStringLiteral("γ_{min} = min(∠BCD_{min},~180° − ∠BCD_{max})")})},
      {jc + QStringLiteral("jhtx.png"), quickReturnSketch()},
      {jc + QStringLiteral("f_k.png"),
       formulaPicture({QStringLiteral("K = \\frac{t_1}{t_2} = \\frac{180° + θ}{180° − θ}"),
                       QStringLiteral("θ = 180°·\\frac{K − 1}{K + 1}")})},
      {jc + QStringLiteral("f_jhtx.png"),
       formulaPicture({QStringLiteral("(2c sin\\frac{ψ}{2})^2 = (a + b)^2 + (b − a)^2 − 2(a + b)(b − a) cosθ"),
                       QStringLiteral("2cd cosψ_0 = c^2 + d^2 − (b − a)^2"),
                       QStringLiteral("2cd cos(ψ_0 + ψ) = c^2 + d^2 − (a + b)^2"),
                       QStringLiteral("2bc cosγ_{min} = b^2 + c^2 − (d − a)^2")},
                      16)},
      {jc + QStringLiteral("qbhk.png"), crankSliderSketch()},
      {jc + QStringLiteral("dg.png"), guideBarSketch()},
      {jc + QStringLiteral("f_qbhk.png"),
       formulaPicture({QStringLiteral("H^2 = (b + a)^2 + (b − a)^2 − 2(b + a)(b − a) cosθ"),
                       QStringLiteral("e = \\frac{(b + a)(b − a) sinθ}{H}"),
                       QStringLiteral("cosγ_{min} = \\frac{a + e}{b}")},
                      16)},
      {jc + QStringLiteral("dywz.png"), positionsSketch()},
      {jc + QStringLiteral("f_freud.png"),
       formulaPicture({QStringLiteral("K_1 cosψ − K_2 cosφ + K_3 = cos(φ − ψ)"),
                       QStringLiteral("K_1 = \\frac{d}{a},~K_2 = \\frac{d}{c},~K_3 = \\frac{a^2 − b^2 + c^2 + d^2}{2ac}")})},
      {jc + QStringLiteral("hssc.png"), structuralErrorSketch()},
      {jc + QStringLiteral("f_cheb.png"),
       formulaPicture({{QStringLiteral("x_i = \\frac{x_0 + x_m}{2} − \\frac{x_m − x_0}{2} cos\\frac{(2i − 1)π}{2N}")},
                       {QStringLiteral("(i = 1, 2, …, N)"), true},
                       {QStringLiteral("μ_x = \\frac{x_m − x_0}{φ_m},~μ_y = \\frac{y_m − y_0}{ψ_m}")},
                       {QStringLiteral("φ_i = \\frac{x_i − x_0}{μ_x},~ψ_i = \\frac{y_i − y_0}{μ_y}")}})},
      {jc + QStringLiteral("jstx.png"), dwellSketch()},
      {jc + QStringLiteral("f_jstx.png"),
       formulaPicture({QStringLiteral("cosφ_o = \\frac{(a + b)^2 + d^2 − c^2}{2(a + b)d},~cosψ_s = \\frac{c^2 + d^2 − (b − a)^2}{2cd}"),
                       QStringLiteral("m^2 = c^2 + d^2 − 2cd cos(ψ_s + Δψ)"),
                       QStringLiteral("cosβ = \\frac{a^2 + m^2 − b^2}{2am},~φ = 360° − 2β")},
                      16)},
      {jc + QStringLiteral("f_cdjsj.png"),
       formulaPicture({QStringLiteral("\\frac{b}{d} = \\sqrt{\\frac{1 − cosψ}{2cos^2γ_{min}}}"),
                       QStringLiteral("\\frac{c}{d} = \\sqrt{\\frac{1 − (b/d)^2}{1 − cos^2γ_{min}·(b/d)^2}}"),
                       QStringLiteral("\\frac{a}{d} = \\sqrt{(b/d)^2 + (c/d)^2 − 1}")},
                      16)},
      {jc + QStringLiteral("f_qbyg1.png"),
       formulaPicture({QStringLiteral("\\frac{a}{d} = −\\frac{sin(ψ/2)·cos(φ/2 + β)}{sin(φ/2 − ψ/2)},~\\frac{b}{d} = \\frac{sin(ψ/2)·sin(φ/2 + β)}{cos(φ/2 − ψ/2)}"),
                       QStringLiteral("\\frac{c}{d} = \\sqrt{1 + (\\frac{a}{d} + \\frac{b}{d})^2 − 2(\\frac{a}{d} + \\frac{b}{d}) cosβ}")},
                      16)},
      {jc + QStringLiteral("qx.png"), crankRockerCurves()},
      {jc + QStringLiteral("qx_hk.png"), crankSliderCurves()},
      {jc + QStringLiteral("flow1.png"),
       stepFlow({QStringLiteral("开始新的计算"), QStringLiteral("选择类型"), QStringLiteral("初始条件"),
                 QStringLiteral("计算P0、P1、P2的值"), QStringLiteral("计算m、n、l的值"), QStringLiteral("确定已知长度杆"),
                 QStringLiteral("计算各杆杆长"), QStringLiteral("运动分析"), QStringLiteral("结束")})},
      {jc + QStringLiteral("flow2.png"),
       stepFlow({QStringLiteral("开始新的计算"), QStringLiteral("输入初始条件"), QStringLiteral("计算位置角"),
                 QStringLiteral("计算P0、P1、P2（五结点时连同φ0、ψ0）"), QStringLiteral("计算m、n、l的值"),
                 QStringLiteral("确定已知长度杆"), QStringLiteral("计算各杆杆长"), QStringLiteral("运动分析"),
                 QStringLiteral("结束")})},
      {jc + QStringLiteral("flow3.png"),
       stepFlow({QStringLiteral("开始新的计算"), QStringLiteral("选择类型"), QStringLiteral("初始条件"),
                 QStringLiteral("计算a、b、d及ψ0 / a、b、e / a"), QStringLiteral("运动分析"), QStringLiteral("结束")})},
      {jc + QStringLiteral("flow4.png"),
       stepFlow({QStringLiteral("开始新的计算"), QStringLiteral("选择类型"), QStringLiteral("初始条件"),
                 QStringLiteral("计算φo、ψs / λ、k、α、s"), QStringLiteral("计算φ的值"), QStringLiteral("运动分析"),
                 QStringLiteral("结束")})},
      {jc + QStringLiteral("flow5.png"),
       stepFlow({QStringLiteral("开始新的计算"), QStringLiteral("选择类型"), QStringLiteral("点击继续"),
                 QStringLiteral("初始条件"), QStringLiteral("查图或公式计算"), QStringLiteral("相对长度"),
                 QStringLiteral("运动分析"), QStringLiteral("结束")})},
      {jc + QStringLiteral("wj.png"), filesSketch()},
  });
}

}  // namespace pictures
