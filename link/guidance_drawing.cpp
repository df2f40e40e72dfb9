// The construction drawing of a rigid-body guidance design, drawn from the design's own
// numbers at one scale for x and y, so the bisectors stay perpendicular and the circles round.
#include "link/guidance.h"

#include "base/numfmt.h"
#include "link/figures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QColor kConstructionGrey{128, 128, 128};
constexpr double kMargin = 30;        // room for labels and the ground symbols
constexpr double kLabelOffset = 13;   // label centre from its point
constexpr double kBeyondPivot = 0.2;  // a bisector runs on past its pivot by this share

QPointF world(GuidancePoint p) { return {double(p.x), double(p.y)}; }

bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// The arc about `centre` from the first point through the second to the last, a little longer
// at both ends, as a polyline in mm.
std::vector<QPointF> arcThrough(QPointF centre, const std::array<GuidancePoint, 3>& P) {
  const double r = std::hypot(P[0].x - centre.x(), P[0].y - centre.y());
  double a[3];
  for (int i = 0; i < 3; ++i) a[i] = std::atan2(double(P[i].y) - centre.y(), double(P[i].x) - centre.x());
  const double twoPi = 2 * M_PI;
  auto ccw = [&](double from, double to) { return std::fmod(std::fmod(to - from, twoPi) + twoPi, twoPi); };
  double sweep = ccw(a[0], a[2]);
  if (ccw(a[0], a[1]) > sweep) sweep -= twoPi;  // the second point lies the other way round
  const double extra = std::min(0.15 * std::fabs(sweep) + 0.05, (twoPi - std::fabs(sweep)) / 2);
  const double from = a[0] - std::copysign(extra, sweep), span = sweep + std::copysign(2 * extra, sweep);
  std::vector<QPointF> arc;
  constexpr int kSegments = 72;
  for (int k = 0; k <= kSegments; ++k) {
    const double t = from + span * k / kSegments;
    arc.push_back(centre + QPointF(r * std::cos(t), r * std::sin(t)));
  }
  return arc;
}

// The construction's lines in mm, before they are mapped into the box.
struct Construction {
  std::vector<std::vector<QPointF>> arcs;
  std::vector<std::pair<QPointF, QPointF>> chords, bisectors;
  std::vector<QPointF> extent;  // every point the box must show
};

void addBisector(Construction& c, GuidancePoint p, GuidancePoint q, QPointF pivot) {
  const QPointF mid = (world(p) + world(q)) / 2;
  c.chords.push_back({world(p), world(q)});
  c.bisectors.push_back({mid, pivot + (pivot - mid) * kBeyondPivot});
  c.extent.push_back(mid);
}

Construction construction(const GuidanceDesign& d) {
  Construction c;
  for (int i = 0; i < d.count; ++i) {
    c.extent.push_back(world(d.B[i]));
    c.extent.push_back(world(d.C[i]));
    if (d.type == kGuidanceThreeOfPlane) c.extent.push_back(world(d.M[i]));
  }
  if (!d.ok()) return c;
  c.extent.push_back(world(d.A));
  c.extent.push_back(world(d.D));
  for (const auto& [P, pivot] : {std::pair{d.B, world(d.A)}, std::pair{d.C, world(d.D)}}) {
    for (int i = 0; i + 1 < d.count; ++i) addBisector(c, P[i], P[i + 1], pivot);
    if (d.count == 3) {
      c.arcs.push_back(arcThrough(pivot, P));
      c.extent.insert(c.extent.end(), c.arcs.back().begin(), c.arcs.back().end());
    }
  }
  return c;
}

QTransform view(const QRectF& box, const std::vector<QPointF>& extent) {
  double x0 = extent[0].x(), x1 = x0, y0 = extent[0].y(), y1 = y0;
  for (const QPointF& p : extent) {
    x0 = std::min(x0, p.x()), x1 = std::max(x1, p.x());
    y0 = std::min(y0, p.y()), y1 = std::max(y1, p.y());
  }
  const double margin = std::min(kMargin, std::min(box.width(), box.height()) / 6);
  const double w = std::max(box.width() - 2 * margin, 1.0), h = std::max(box.height() - 2 * margin, 1.0);
  double k = std::min(x1 > x0 ? w / (x1 - x0) : HUGE_VAL, y1 > y0 ? h / (y1 - y0) : HUGE_VAL);
  if (!std::isfinite(k)) k = 1;  // a single point
  const QPointF centre = box.center();
  // y up in mm, down in pixels; the drawing's middle on the box's middle.
  return QTransform(k, 0, 0, -k, centre.x() - k * (x0 + x1) / 2, centre.y() + k * (y0 + y1) / 2);
}

void pen(QPainter& p, const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) {
  p.setPen(QPen(colour, width, style, Qt::RoundCap, Qt::RoundJoin));
}

// A joint's name as textbooks set it: the letter with its position's number as a subscript,
// centred on `at`.
void name(QPainter& p, QPointF at, const QString& letter, int index, const QColor& colour) {
  const QFont big = FigureFont();
  QFont small = big;
  small.setPixelSize(9);
  const QString sub = index > 0 ? QString::number(index) : QString();
  const QFontMetricsF mb(big), ms(small);
  const double width = mb.horizontalAdvance(letter) + ms.horizontalAdvance(sub);
  const QPointF base(at.x() - width / 2, at.y() + mb.ascent() / 2 - 1);
  p.setPen(colour);
  p.setFont(big);
  p.drawText(base, letter);
  p.setFont(small);
  p.drawText(base + QPointF(mb.horizontalAdvance(letter), 3), sub);
}

// The distance of c from the segment pq.
double segmentDistance(QPointF c, QPointF p, QPointF q) {
  const QPointF pq = q - p, pc = c - p;
  const double len2 = QPointF::dotProduct(pq, pq);
  const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(pc, pq) / len2, 0.0, 1.0) : 0;
  const QPointF foot = p + pq * t;
  return std::hypot(c.x() - foot.x(), c.y() - foot.y());
}

void pinAt(QPainter& p, QPointF at, const QColor& colour, double radius) {
  pen(p, colour, 1.5);
  p.setBrush(Qt::white);
  p.drawEllipse(at, radius, radius);
}

}  // namespace

QTransform GuidanceConstructionView(const QRectF& box, const GuidanceDesign& design) {
  return view(box, construction(design).extent);
}

void DrawGuidanceConstruction(QPainter& p, const QRectF& box, const GuidanceDesign& d) {
  p.save();
  p.setClipRect(box);
  p.fillRect(box, Qt::white);
  const Construction c = construction(d);
  const QTransform t = view(box, c.extent);
  for (const QPointF& q : c.extent)
    if (!finite(t.map(q))) {
      p.restore();
      return;
    }
  p.setRenderHint(QPainter::Antialiasing);
  auto at = [&](GuidancePoint q) { return t.map(world(q)); };

  // The construction behind everything: chords, bisectors, circles and the pivot line.
  pen(p, kConstructionGrey, 1, Qt::DotLine);
  for (const auto& [from, to] : c.chords) p.drawLine(t.map(from), t.map(to));
  pen(p, kConstructionGrey, 1, Qt::DashLine);
  for (const auto& [from, to] : c.bisectors) p.drawLine(t.map(from), t.map(to));
  pen(p, kConstructionGrey, 1);
  p.setBrush(Qt::NoBrush);
  for (const std::vector<QPointF>& arc : c.arcs) p.drawPolyline(t.map(QPolygonF(QList<QPointF>(arc.begin(), arc.end()))));
  if (d.type == kGuidanceTwoOnLine && d.ok()) {
    const double y = t.map(QPointF(0, double(d.y0))).y();
    pen(p, kGreen, 1, Qt::DashDotLine);
    p.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
    p.setFont(FigureFont());
    const QString text = QStringLiteral("y = ") + FormatR(d.y0, 3);
    TextOut(p, int(box.right() - QFontMetricsF(FigureFont()).horizontalAdvance(text) - 4), int(y + 3), text, kGreen);
  }

  // The coupler in each position, the first one drawn last and bold.
  for (int i = d.count - 1; i >= 0; --i) {
    const QPointF B = at(d.B[i]), C = at(d.C[i]);
    pen(p, kBlue, i == 0 ? 2.5 : 1.2);
    p.drawLine(B, C);
    if (d.type == kGuidanceThreeOfPlane) {
      const QPointF M = at(d.M[i]);
      pen(p, kBlue, 0.8, Qt::DashLine);
      p.drawLine(B, M);
      p.drawLine(M, C);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::black);
      p.drawEllipse(M, 2.5, 2.5);
    }
  }

  // The linkage at the first position.
  const QPointF A = at(d.A), D = at(d.D), B1 = at(d.B[0]), C1 = at(d.C[0]);
  if (d.ok()) {
    pen(p, kGreen, 1.5);
    p.drawLine(A, D);
    pen(p, kRed, 2.5);
    p.drawLine(A, B1);
    pen(p, kMaroon, 2.5);
    p.drawLine(D, C1);
  }
  for (int i = 0; i < d.count; ++i) {
    pinAt(p, at(d.B[i]), kBlue, i == 0 ? 4 : 3);
    pinAt(p, at(d.C[i]), kBlue, i == 0 ? 4 : 3);
  }
  if (d.ok()) {
    for (const QPointF& pivot : {A, D}) {
      pen(p, kGreen, 1.5);
      p.setBrush(Qt::white);
      DrawGroundPivot(p, QPoint(PixelRound(pivot.x()), PixelRound(pivot.y())), 3 * kPi / 2);
    }
  }

  // Names of the moving pivots where they keep farthest from every link and every name placed
  // before them; A's and D's beside their ground symbols, away from each other.
  std::vector<std::pair<QPointF, QPointF>> drawn;
  std::vector<QPointF> names;
  for (int i = 0; i < d.count; ++i) {
    drawn.push_back({at(d.B[i]), at(d.C[i])});
    if (d.type == kGuidanceThreeOfPlane) drawn.push_back({at(d.M[i]), at(d.M[i])});
  }
  if (d.ok()) drawn.insert(drawn.end(), {{A, B1}, {D, C1}, {A, D}});
  for (const auto& [from, to] : c.bisectors) drawn.push_back({t.map(from), t.map(to)});
  for (const std::vector<QPointF>& arc : c.arcs)
    for (size_t k = 0; k + 1 < arc.size(); ++k) drawn.push_back({t.map(arc[k]), t.map(arc[k + 1])});
  auto place = [&](QPointF joint, const QString& letter, int index, const QColor& colour) {
    QPointF best = joint;
    double clearance = -1;
    for (int k = 0; k < 16; ++k) {
      const double t = k * M_PI / 8;
      const QPointF c = joint + QPointF(std::cos(t), std::sin(t)) * kLabelOffset;
      double nearest = HUGE_VAL;
      for (const auto& [from, to] : drawn) nearest = std::min(nearest, segmentDistance(c, from, to));
      for (const QPointF& n : names) nearest = std::min(nearest, std::hypot(c.x() - n.x(), c.y() - n.y()) - 6);
      if (nearest > clearance) clearance = nearest, best = c;
    }
    names.push_back(best);
    name(p, best, letter, index, colour);
  };
  for (int i = 0; i < d.count; ++i) {
    place(at(d.B[i]), QStringLiteral("B"), i + 1, kBlue);
    place(at(d.C[i]), QStringLiteral("C"), i + 1, kBlue);
    if (d.type == kGuidanceThreeOfPlane) place(at(d.M[i]), QStringLiteral("M"), i + 1, Qt::black);
  }
  if (d.ok()) {
    const double side = D.x() >= A.x() ? 1 : -1;
    name(p, A + QPointF(-side * 2 * kLabelOffset, 4), QStringLiteral("A"), 0, kGreen);
    name(p, D + QPointF(side * 2 * kLabelOffset, 4), QStringLiteral("D"), 0, kGreen);
  }
  p.restore();
}
