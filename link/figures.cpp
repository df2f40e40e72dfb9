// Drawing primitives and mechanism figures. Every figure works out its whole geometry first
// and paints afterwards, so a numeric failure leaves the previous picture untouched.
#include "link/figures.h"

#include "base/fpu.h"
#include "base/numfmt.h"
#include "link/kinematics.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <algorithm>
#include <cfenv>
#include <climits>
#include <cmath>

bool SwingBack = false;

namespace {

constexpr Extended kTwoPi = 2 * kPi;
constexpr Extended kAngleStep = kPi / 90;  // 2° per frame
constexpr int kLinkWidth = 2;
constexpr int kPinRadius = 4;

const QColor kWhite{255, 255, 255};
const QColor kBlack{0, 0, 0};

void setPen(QPainter& canvas, const QColor& colour, int width) {
  canvas.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// The point len pixels from o in the direction dir; pixel y grows downward.
QPoint polar(QPoint o, Extended len, Extended dir) {
  return {o.x() + PixelRound(len * std::cos(dir)), o.y() - PixelRound(len * std::sin(dir))};
}

// The mechanism point (x, y) mm of a figure whose origin is at o, at k pixels per mm.
QPoint toPixel(QPoint o, Extended x, Extended y, Extended k) {
  return {o.x() + PixelRound(x * k), o.y() - PixelRound(y * k)};
}

// Clears the picture and leaves the white brush that fills pins and slider blocks.
void beginFigure(QPainter& canvas, const QImage& image) {
  canvas.fillRect(image.rect(), kWhite);
  canvas.setBrush(kWhite);
  canvas.setFont(FigureFont());
}

// The path of a moving joint.
void pathCircle(QPainter& canvas, QPoint centre, int radius) {
  setPen(canvas, kBlack, 1);
  canvas.setBrush(Qt::NoBrush);
  canvas.drawEllipse(centre, radius, radius);
  canvas.setBrush(kWhite);
}

void lengthLabel(QPainter& canvas, int x, int y, const QString& caption, Extended length,
                 const QColor& colour) {
  const QString text = caption + FormatR(length, 3) + QStringLiteral(" mm");
  // A long length moves its label left rather than losing its unit at the picture's edge.
  const int right = canvas.device()->width() - 2;
  TextOut(canvas, std::min(x, right - canvas.fontMetrics().horizontalAdvance(text)), y, text, colour);
}

// Axes of a figure: black, width 1, origin o, the y axis from the foot of the picture.
void figureAxes(QPainter& canvas, QPoint o, QPoint s, int xLen, int yLen) {
  setPen(canvas, kBlack, 1);
  DrawAxes(canvas, o, s, xLen, yLen);
}

void link(QPainter& canvas, QPoint p, QPoint q, const QColor& colour) {
  setPen(canvas, colour, kLinkWidth);
  canvas.drawLine(p, q);
}

void pin(QPainter& canvas, QPoint p, const QColor& colour) {
  setPen(canvas, colour, kLinkWidth);
  canvas.setBrush(kWhite);
  canvas.drawEllipse(p, kPinRadius, kPinRadius);
}

void groundPivot(QPainter& canvas, QPoint p, Extended dir = 3 * kPi / 2) {
  setPen(canvas, kGreen, kLinkWidth);
  canvas.setBrush(kWhite);
  DrawGroundPivot(canvas, p, dir);
}

const QColor kCouplerPath{160, 0, 160};

bool showsCoupler(const CouplerOverlay* coupler) { return coupler && coupler->lenBE != 0; }

// E's path under the links, as a thin polyline through the points at k pixels per mm from o.
void couplerPath(QPainter& canvas, QPoint o, Extended k, const CouplerOverlay& coupler) {
  if (coupler.path.size() < 2) return;
  QPolygonF line;
  line.reserve(qsizetype(coupler.path.size()));
  for (const QPointF& p : coupler.path) line << QPointF(o.x() + p.x() * double(k), o.y() - p.y() * double(k));
  setPen(canvas, kCouplerPath, 1);
  canvas.drawPolyline(line);
}

// The coupler triangle B C E over the links, E a small disc.
void couplerTriangle(QPainter& canvas, QPoint B, QPoint C, QPoint E) {
  setPen(canvas, kBlue, 1);
  canvas.drawLine(B, E);
  canvas.drawLine(C, E);
  canvas.setBrush(kCouplerPath);
  canvas.drawEllipse(E, 3, 3);
  canvas.setBrush(kWhite);
}

// The turning figures restart at exactly 0 rather than at the remainder past 360°.
void advanceTurning(Extended& phi) {
  phi += kAngleStep;
  if (phi >= kTwoPi) phi = 0;
}

// Geometry shared by the crank-rocker and the parallelogram.
struct FourBarPicture {
  QPoint A, B, C, D, E;
  int xLen, radiusA, radiusD;
  Extended k;  // pixels per mm
};

void paintCrankRockerFamily(QImage& image, const FourBarPicture& g, Extended AB, Extended BC,
                            Extended CD, Extended AD, bool note, const CouplerOverlay* coupler) {
  const int H = image.height();
  QPainter canvas(&image);
  beginFigure(canvas, image);
  pathCircle(canvas, g.D, g.radiusD);
  pathCircle(canvas, g.A, g.radiusA);
  const int x = g.A.x() + g.xLen - 80;
  lengthLabel(canvas, x, H - 130, QStringLiteral("曲柄长: "), AB, kRed);
  lengthLabel(canvas, x, H - 110, QStringLiteral("连杆长:"), BC, kBlue);
  lengthLabel(canvas, x, H - 90, QStringLiteral("摇杆长:"), CD, kMaroon);
  lengthLabel(canvas, x, H - 70, QStringLiteral("机架长:"), AD, kGreen);
  if (note) TextOut(canvas, g.A.x() + g.xLen, H - 50, QStringLiteral("说明："), kBlack);
  figureAxes(canvas, g.A, {g.A.x(), H - 10}, g.xLen, H - 30);
  if (showsCoupler(coupler)) couplerPath(canvas, g.A, g.k, *coupler);

  link(canvas, g.A, g.D, kGreen);
  link(canvas, g.A, g.B, kRed);
  link(canvas, g.B, g.C, kBlue);
  link(canvas, g.C, g.D, kMaroon);
  if (showsCoupler(coupler)) couplerTriangle(canvas, g.B, g.C, g.E);
  pin(canvas, g.B, kBlue);
  pin(canvas, g.C, kMaroon);
  groundPivot(canvas, g.A);
  groundPivot(canvas, g.D);
}

}  // namespace

int PixelRound(Extended x) {
  if (!(std::fabs(x) < static_cast<Extended>(INT_MAX))) {
    std::feraiseexcept(FE_INVALID);  // what converting it would have raised
    FpuCheck();
  }
  return static_cast<int>(std::lrint(x));  // the default rounding mode: halves to even
}

QFont FigureFont() {
  QFont font(QStringLiteral("SimSun"));
  font.setPixelSize(12);
  return font;
}

void TextOut(QPainter& canvas, int x, int y, const QString& text, const QColor& colour) {
  const QPen pen = canvas.pen();
  canvas.setPen(colour);
  canvas.drawText(x, y + canvas.fontMetrics().ascent(), text);
  canvas.setPen(pen);
}

void DrawArrow(QPainter& canvas, QPoint p, QPoint q) {
  canvas.drawLine(p, q);
  const Extended dx = p.x() - q.x(), dy = p.y() - q.y();
  const Extended len = std::sqrt(dx * dx + dy * dy);
  if (len > 0) {
    const Extended f = 8 / len;
    canvas.drawLine(q, QPoint(q.x() + PixelRound(f * (dx + dy / 2)),
                              q.y() + PixelRound(f * (dy - dx / 2))));
    canvas.drawLine(q, QPoint(q.x() + PixelRound(f * (dx - dy / 2)),
                              q.y() + PixelRound(f * (dy + dx / 2))));
  }
}

void DrawAxes(QPainter& canvas, QPoint o, QPoint s, int xLen, int yLen) {
  const QColor colour = canvas.pen().color();
  DrawArrow(canvas, o, {o.x() + xLen, o.y()});
  TextOut(canvas, o.x() + xLen - 15, o.y() - 20, QStringLiteral("X"), colour);
  DrawArrow(canvas, s, {s.x(), s.y() - yLen});
  TextOut(canvas, s.x() + 8, s.y() - yLen, QStringLiteral("Y"), colour);
}

void DrawSlider(QPainter& canvas, QPoint p, Extended dir) {
  // Axis-parallel blocks are filled rectangles; the rectangle spans 30 × 16 pixels
  // including its outline.
  if (dir == 0 || dir == kPi) {
    canvas.drawRect(p.x() - 15, p.y() - 8, 29, 15);
    return;
  }
  if (dir == kPi / 2 || dir == 3 * kPi / 2) {
    canvas.drawRect(p.x() - 8, p.y() - 15, 15, 29);
    return;
  }
  // A turned block is an outline only; a wide stroke in the brush colour first blanks the
  // guide line that runs under it.
  const QPen pen = canvas.pen();
  canvas.setPen(QPen(canvas.brush().color(), 2 * pen.width(), Qt::SolidLine, Qt::RoundCap));
  canvas.drawLine(polar(p, 13.5L, dir), polar(p, 13.5L, dir + kPi));
  canvas.setPen(pen);
  const Extended c = std::asin(Extended(8) / 17);  // corner at 17 px: half-sides 15 and 8
  const QPoint first = polar(p, 17, dir + c);
  const QPoint outline[] = {first, polar(p, 17, dir - c), polar(p, 17, dir + kPi + c),
                            polar(p, 17, dir + kPi - c), first};
  canvas.drawPolyline(outline, 5);
}

void DrawGroundPivot(QPainter& canvas, QPoint p, Extended dir) {
  canvas.drawLine(p, polar(p, 20, dir - kPi / 6));
  canvas.drawLine(p, polar(p, 20, dir + kPi / 6));
  // The base lies as far from p as the leg ends: 20·cos 30° along dir.
  const Extended r = 20 * std::cos(kPi / 6) / std::cos(kPi / 4);
  const QPoint g1 = polar(p, r, dir - kPi / 4);
  const QPoint g2 = polar(p, r, dir + kPi / 4);
  canvas.drawLine(g1, g2);
  canvas.drawEllipse(p, 4, 4);

  const QPen pen = canvas.pen();
  if (pen.width() > 1) {
    QPen thin = pen;
    thin.setWidth(PixelRound(pen.width() / 2.0L));
    canvas.setPen(thin);
  }
  const Extended deltaX = (g1.x() - g2.x()) / 6.0L, deltaY = (g1.y() - g2.y()) / 6.0L;
  const QPoint m(PixelRound((g1.x() + g2.x()) / 2.0L), PixelRound((g1.y() + g2.y()) / 2.0L));
  for (int j = -3; j <= 2; ++j) {
    const QPoint from(PixelRound(m.x() + j * deltaX), PixelRound(m.y() + j * deltaY));
    canvas.drawLine(from, polar(from, 10, dir - kPi / 4));
  }
  canvas.setPen(pen);
}

void DrawCrankRockerFrame(QImage& image, Extended& phi, Extended AB, Extended BC, Extended CD,
                          Extended AD, const CouplerOverlay* coupler) {
  const int W = image.width(), H = image.height();
  const Extended k = W / (AB + BC + CD);
  FourBarPicture g;
  g.k = k;
  g.A = {PixelRound(AB * k) + 20, PixelRound((H - 20) / 2.0L)};
  g.D = {g.A.x() + PixelRound(AD * k), g.A.y()};
  g.xLen = W - PixelRound(AB * k) - 40;
  g.radiusD = PixelRound(CD * k);
  g.radiusA = PixelRound(AB * k);
  Extended gamma, phi2, phi3, omega3, eps3, ex, ey;
  const bool withE = showsCoupler(coupler);
  FourBarAt(phi, 1, AB, BC, CD, AD, withE ? coupler->delta : 0, withE ? coupler->lenBE : 0, gamma, phi2, phi3,
            omega3, eps3, ex, ey);
  g.B = toPixel(g.A, AB * std::cos(phi), AB * std::sin(phi), k);
  g.C = toPixel(g.A, AD + CD * std::cos(phi3), CD * std::sin(phi3), k);
  if (withE) g.E = toPixel(g.A, ex, ey, k);

  paintCrankRockerFamily(image, g, AB, BC, CD, AD, false, coupler);
  advanceTurning(phi);
}

void DrawParallelogramFrame(QImage& image, Extended& phi, Extended AB, Extended BC, Extended CD,
                            Extended AD, const CouplerOverlay* coupler) {
  const int W = image.width(), H = image.height();
  const Extended k = W / (AB + BC + CD + 30);
  FourBarPicture g;
  g.k = k;
  g.A = {PixelRound(AB * k) + 10, PixelRound((H - 20) / 2.0L)};
  g.D = {g.A.x() + PixelRound(AD * k), g.A.y()};
  g.xLen = W - PixelRound(AB * k) - 25;
  g.radiusD = PixelRound(CD * k);
  g.radiusA = PixelRound(AB * k);
  // Opposite links are equal, so the coupler stays parallel to the frame: no solving needed.
  g.B = toPixel(g.A, AB * std::cos(phi), AB * std::sin(phi), k);
  g.C = {g.B.x() + PixelRound(AD * k), g.B.y()};
  if (showsCoupler(coupler))
    g.E = toPixel(g.A, AB * std::cos(phi) + coupler->lenBE * std::cos(coupler->delta),
                  AB * std::sin(phi) + coupler->lenBE * std::sin(coupler->delta), k);

  paintCrankRockerFamily(image, g, AB, BC, CD, AD, true, coupler);
  advanceTurning(phi);
}

void DrawDoubleRockerFrame(QImage& image, Extended& phi, Extended AB, Extended BC, Extended CD,
                           Extended AD, const CouplerOverlay* overlay) {
  const int W = image.width(), H = image.height();
  Extended phi1min = 0, phi1max = 0, phi3min = 0, phi3max = 0;
  FourBarRange(AB, BC, CD, AD, phi1min, phi1max, phi3min, phi3max);

  // The swing reverses at the limits of the input link and takes the other branch back.
  if (phi < phi1min) {
    phi = phi1min;
    SwingBack = false;
  }
  if (phi > phi1max) {
    phi = phi1max;
    SwingBack = true;
  }
  if (phi1min == 0 && phi1max == kTwoPi) SwingBack = false;

  // Extents left of A and right of D over the whole swing, so every position fits.
  const Extended left1 = phi1max < kPi ? -PixelRound(AB * std::cos(phi1max)) : PixelRound(AB);
  const Extended left2 =
      phi3max < kPi ? -PixelRound(CD * std::cos(phi3max)) - AD : PixelRound(CD - AD);
  const Extended right1 = phi3min > 0 ? PixelRound(CD * std::cos(phi3min)) : PixelRound(CD);
  const Extended right2 =
      phi1min > 0 ? PixelRound(AB * std::cos(phi1min) - AD) : PixelRound(AB - AD);
  const Extended L = std::max<Extended>(std::max(left1, left2), 0);
  const Extended R = std::max<Extended>(std::max(right1, right2), 0);
  const Extended k = std::min((W - 40) / (AD + L + R), (H - 40) * 0.5L / std::max(AD, AB));

  const QPoint A(PixelRound(L * k) + 20, PixelRound((H - 20) * 0.5L));
  const QPoint D(A.x() + PixelRound(AD * k), A.y());
  const int xLen = W - A.x() - 20;
  TBarState input{0, 0, AB, phi, 1, 0}, coupler{}, output{};
  coupler.Len = BC;
  output.Len = CD;
  SolveDyad(SwingBack, input, coupler, output, AD);
  const QPoint B = toPixel(A, coupler.X, coupler.Y, k);
  const QPoint C = toPixel(A, AD + CD * std::cos(output.Angle), CD * std::sin(output.Angle), k);
  const int radiusD = PixelRound(CD * k), radiusA = PixelRound(AB * k);
  const bool withE = showsCoupler(overlay);
  QPoint E;
  if (withE) {
    Extended ex, ey;
    CouplerPoint(coupler, overlay->delta, overlay->lenBE, ex, ey);
    E = toPixel(A, ex, ey, k);
  }

  {
    QPainter canvas(&image);
    beginFigure(canvas, image);
    pathCircle(canvas, D, radiusD);
    pathCircle(canvas, A, radiusA);
    const int x = A.x() + xLen - 95;
    lengthLabel(canvas, x, H - 130, QStringLiteral("摇杆AB长: "), AB, kRed);
    lengthLabel(canvas, x, H - 110, QStringLiteral("连杆BC长:"), BC, kBlue);
    lengthLabel(canvas, x, H - 90, QStringLiteral("摇杆CD长:"), CD, kMaroon);
    lengthLabel(canvas, x, H - 70, QStringLiteral("机架AD长:"), AD, kGreen);
    figureAxes(canvas, A, {A.x(), H - 10}, xLen, H - 30);
    if (withE) couplerPath(canvas, A, k, *overlay);

    link(canvas, A, B, kRed);
    link(canvas, B, C, kBlue);
    if (withE) couplerTriangle(canvas, B, C, E);
    pin(canvas, B, kBlue);
    link(canvas, C, D, kMaroon);
    pin(canvas, C, kMaroon);
    link(canvas, A, D, kGreen);
    groundPivot(canvas, A);
    groundPivot(canvas, D);
  }

  phi += SwingBack ? -kAngleStep : kAngleStep;
  if (phi >= kTwoPi) phi -= kTwoPi;
  if (phi <= -kTwoPi) phi += kTwoPi;
}

Extended CrankSliderFigureJoints(int width, int height, Extended phi, Extended r, Extended l, Extended e,
                                 QPoint& A, QPoint& B, QPoint& C) {
  const Extended k = width / (l + 2 * r + 40);
  A = QPoint(PixelRound(r * k) + 10, PixelRound((height - 20) / 2.0L));
  Extended s, v, a;
  CrankSliderAt(phi, 1, r, l, e, s, v, a);
  B = toPixel(A, r * std::cos(phi), r * std::sin(phi), k);
  // s counts from C's farthest position, sqrt((l + r)^2 - e^2) from A along the slide line.
  C = QPoint(PixelRound((std::sqrt((l + r) * (l + r) - e * e) - s) * k) + A.x(), A.y() - PixelRound(e * k));
  return k;
}

void DrawCrankSliderFrame(QImage& image, Extended& phi, Extended r, Extended l, Extended e) {
  const int W = image.width(), H = image.height();
  QPoint A, B, C;
  const Extended k = CrankSliderFigureJoints(W, H, phi, r, l, e, A, B, C);
  const int xLen = W - PixelRound(r * k) - 30;
  const int radiusA = PixelRound(r * k);
  const int guideY = PixelRound(A.y() - e * k);
  // The guide spans C's travel between its dead positions, with a margin either side.
  const QPoint guideStart(PixelRound(std::sqrt(std::max<Extended>(0, (l - r) * (l - r) - e * e)) * k + A.x() - 20), guideY);
  const QPoint guideEnd(PixelRound(std::sqrt((l + r) * (l + r) - e * e) * k + A.x() + 30), guideY);

  {
    QPainter canvas(&image);
    beginFigure(canvas, image);
    pathCircle(canvas, A, radiusA);
    const int x = A.x() + xLen - 80;
    lengthLabel(canvas, x, H - 90, QStringLiteral("曲柄长: "), r, kRed);
    lengthLabel(canvas, x, H - 70, QStringLiteral("连杆长:"), l, kBlue);
    lengthLabel(canvas, x, H - 50, QStringLiteral("偏距:"), e, kGreen);
    figureAxes(canvas, A, {A.x(), H - 10}, xLen, H - 30);

    link(canvas, guideStart, guideEnd, kGreen);
    setPen(canvas, kGreen, 1);
    for (int j = 0; j < 4; ++j)
      canvas.drawLine(guideEnd.x() - 7 - 5 * j, guideY, guideEnd.x() - 12 - 5 * j, guideY + 6);

    link(canvas, A, B, kRed);
    setPen(canvas, kMaroon, kLinkWidth);
    DrawSlider(canvas, C, 0);
    link(canvas, B, C, kBlue);
    pin(canvas, B, kBlue);
    pin(canvas, C, kMaroon);
    groundPivot(canvas, A);
  }
  advanceTurning(phi);
}

void DrawGuideBarFrame(QImage& image, Extended& phi, Extended r, Extended d) {
  const int W = image.width(), H = image.height();
  const Extended k = W / (d + r);
  const QPoint D(PixelRound((W - 20) / 2.0L), H - 120);
  const QPoint A(D.x(), D.y() - PixelRound(d * k));
  const int radiusA = PixelRound(r * k);
  const int halfWidth = PixelRound((W - 25) / 2.0L);
  Extended psi, omega2, alpha2;
  GuideBarAt(phi, 1, r, d, psi, omega2, alpha2);
  const Extended barDir = kPi / 2 - psi;  // ψ is measured from DA, the picture's vertical
  const QPoint barEnd = polar(D, PixelRound((d + r + 10) * k), barDir);
  const QPoint B = polar(A, r * k, phi);

  {
    QPainter canvas(&image);
    beginFigure(canvas, image);
    pathCircle(canvas, A, radiusA);
    const int x = D.x() + halfWidth - 80;
    lengthLabel(canvas, x, H - 200, QStringLiteral("曲柄长: "), r, kRed);
    lengthLabel(canvas, x, H - 180, QStringLiteral("机架长:"), d, kGreen);
    figureAxes(canvas, D, D, halfWidth, H - 150);

    link(canvas, D, barEnd, kBlue);
    setPen(canvas, kMaroon, kLinkWidth);
    DrawSlider(canvas, B, barDir);
    link(canvas, A, B, kRed);
    pin(canvas, B, kMaroon);
    groundPivot(canvas, A, kPi / 2);
    groundPivot(canvas, D);
  }
  advanceTurning(phi);
}
