// The linkage with its coupler curve, painted through a millimetre-to-pixel transform.
#include "link/linkage_scene.h"

#include "link/figures.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

const QColor kPathColour{160, 0, 160};
const QColor kTriangleFill{200, 215, 255, 140};
const QColor kRangeColour{230, 140, 20};
const QColor kConstructionColour{150, 150, 150};
constexpr double kLinkWidth = 2.5;
constexpr double kPinRadius = 4.5;

QPointF mm(Extended x, Extended y) { return {double(x), double(y)}; }

QPen linkPen(const QColor& colour, double width = kLinkWidth) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void pin(QPainter& p, QPointF at, const QColor& colour) {
  p.setPen(linkPen(colour, 1.5));
  p.setBrush(Qt::white);
  p.drawEllipse(at, kPinRadius, kPinRadius);
}

void name(QPainter& p, QPointF at, const QString& text) {
  TextOut(p, int(at.x()) + 7, int(at.y()) - 18, text, QColor(40, 40, 40));
}

struct Joints {
  QPointF A, B, C, D, E;
};

Joints jointsOf(const LinkageScene& s) {
  const CouplerPose& q = s.pose;
  const Extended d = s.linkage.isSlider() ? 0 : s.linkage.linkage.AD;
  return {mm(0, 0), mm(q.Bx, q.By), mm(q.Cx, q.Cy), mm(d, 0), mm(q.Ex, q.Ey)};
}

Extended crankOf(const LinkageScene& s) { return s.linkage.isSlider() ? s.linkage.linkage.r : s.linkage.linkage.AB; }

// The input's reach: its whole circle when it turns; otherwise the arc of its swing with
// the two limit positions, so the user sees where the crank stops.
void inputRange(QPainter& p, const LinkageScene& s, const QTransform& t) {
  const double a = double(crankOf(s));
  const QPointF A = t.map(QPointF());
  const double radius = QLineF(A, t.map(QPointF(a, 0))).length();
  QPen dashed(kConstructionColour, 1, Qt::DashLine);
  p.setBrush(Qt::NoBrush);
  if (s.range.turns) {
    p.setPen(dashed);
    p.drawEllipse(A, radius, radius);
    return;
  }
  const double from = double(s.range.phiMin) * 180 / double(kPi), span = double(s.range.phiMax - s.range.phiMin) * 180 / double(kPi);
  // Pixel y grows downward, so a counter-clockwise swing is a positive Qt arc only when the
  // transform keeps its orientation; fitted transforms flip y.
  const bool flipped = t.determinant() < 0;
  p.setPen(QPen(kRangeColour, 1.5));
  const QRectF box(A.x() - radius, A.y() - radius, 2 * radius, 2 * radius);
  p.drawArc(box, qRound((flipped ? from : -from) * 16), qRound((flipped ? span : -span) * 16));
  dashed.setColor(kRangeColour);
  p.setPen(dashed);
  for (Extended limit : {s.range.phiMin, s.range.phiMax})
    p.drawLine(A, t.map(QPointF(a * std::cos(double(limit)), a * std::sin(double(limit)))));
}

// The slider's guide line across C's travel, hatched on the far side from A.
void slideLine(QPainter& p, const LinkageScene& s, const QTransform& t) {
  const Linkage& g = s.linkage.linkage;
  const double reach = double(g.r + g.l) + 10, e = double(g.e);
  const QPointF from = t.map(QPointF(-reach, e)), to = t.map(QPointF(reach, e));
  p.setPen(linkPen(kGreen, 1.5));
  p.drawLine(from, to);
  p.setPen(QPen(kGreen, 1));
  const double side = g.e >= 0 ? -1 : 1;  // hatching away from A, in pixels (y down)
  for (double x = std::min(from.x(), to.x()) + 6; x < std::max(from.x(), to.x()); x += 10)
    p.drawLine(QPointF(x, from.y()), QPointF(x - 6, from.y() + side * 6));
}

}  // namespace

bool MakeLinkageScene(const CouplerLinkage& k, const CouplerPath& path, int index, Extended omega,
                      LinkageScene& scene) {
  if (path.samples.empty()) return false;
  index = std::clamp(index, 0, int(path.samples.size()) - 1);
  const CouplerSample& at = path.samples[index];
  // The way back of a swing turns the input the other way.
  const Extended w = !path.range.turns && index > int(path.samples.size()) / 2 ? -omega : omega;
  CouplerPose pose;
  if (!CouplerAt(k, at.phi, at.crossed, w, pose)) return false;
  scene.linkage = k;
  scene.pose = pose;
  scene.range = path.range;
  scene.path.clear();
  scene.path.reserve(qsizetype(path.samples.size()));
  Extended fastest = 0;
  for (const CouplerSample& s : path.samples) {
    scene.path << mm(s.x, s.y);
    if (!s.dead) fastest = std::max(fastest, std::hypot(s.vx, s.vy));
  }
  const QRectF box = scene.path.boundingRect();
  const double size = std::max({box.width(), box.height(), double(crankOf(scene))});
  scene.arrowScale = fastest > 0 ? size / 5 / double(fastest) : 0;
  return true;
}

QRectF LinkageSceneBounds(const LinkageScene& s) {
  QRectF box = s.path.boundingRect();
  const auto circle = [&box](QPointF centre, double radius) {
    box |= QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  };
  const Linkage& g = s.linkage.linkage;
  circle(QPointF(), double(crankOf(s)));
  if (s.linkage.isSlider()) {
    const double reach = double(g.r + g.l);
    box |= QRectF(-reach, double(g.e), 2 * reach, 0).normalized();
  } else {
    circle(mm(g.AD, 0), double(g.CD));
  }
  return box;
}

QTransform FitLinkageScene(const QRectF& bounds, const QSizeF& size, double margin) {
  const double w = std::max(size.width() - 2 * margin, 1.0), h = std::max(size.height() - 2 * margin, 1.0);
  const double bw = std::max(bounds.width(), 1e-9), bh = std::max(bounds.height(), 1e-9);
  const double k = std::min(w / bw, h / bh);
  const QPointF c = bounds.center();
  return QTransform(k, 0, 0, -k, size.width() / 2 - k * c.x(), size.height() / 2 + k * c.y());
}

void PaintLinkageScene(QPainter& p, const LinkageScene& s, const QTransform& t) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(FigureFont());
  const Joints mmJoints = jointsOf(s);
  const Joints j{t.map(mmJoints.A), t.map(mmJoints.B), t.map(mmJoints.C), t.map(mmJoints.D), t.map(mmJoints.E)};
  const bool slider = s.linkage.isSlider();

  inputRange(p, s, t);
  if (slider) {
    slideLine(p, s, t);
  } else {
    p.setPen(linkPen(kGreen, 1.5));
    p.drawLine(j.A, j.D);
  }
  p.setPen(QPen(kPathColour, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(t.map(s.path));

  // The coupler as a triangle B C E, then the links over it.
  p.setPen(linkPen(kBlue, 1));
  p.setBrush(kTriangleFill);
  p.drawPolygon(QPolygonF({j.B, j.C, j.E}));
  p.setPen(linkPen(kRed));
  p.drawLine(j.A, j.B);
  p.setPen(linkPen(kBlue));
  p.drawLine(j.B, j.C);
  if (slider) {
    p.setPen(linkPen(kMaroon, 2));
    p.setBrush(Qt::white);
    DrawSlider(p, j.C.toPoint(), 0);
  } else {
    p.setPen(linkPen(kMaroon));
    p.drawLine(j.D, j.C);
  }
  p.setPen(linkPen(kGreen, 2));
  p.setBrush(Qt::white);
  DrawGroundPivot(p, j.A.toPoint(), 3 * kPi / 2);
  if (!slider) DrawGroundPivot(p, j.D.toPoint(), 3 * kPi / 2);
  pin(p, j.B, kBlue);
  pin(p, j.C, kMaroon);

  if (s.arrowScale > 0 && !s.pose.dead) {
    const QPointF tip = t.map(mmJoints.E + QPointF(double(s.pose.vx), double(s.pose.vy)) * s.arrowScale);
    p.setPen(linkPen(QColor(0, 140, 70), 1.5));
    DrawArrow(p, j.E.toPoint(), tip.toPoint());
  }
  p.setPen(linkPen(kPathColour, 1));
  p.setBrush(kPathColour);
  p.drawEllipse(j.E, 5, 5);

  name(p, j.A, QStringLiteral("A"));
  name(p, j.B, QStringLiteral("B"));
  name(p, j.C, QStringLiteral("C"));
  if (!slider) name(p, j.D, QStringLiteral("D"));
  name(p, j.E, QStringLiteral("E"));
  p.restore();
}

SceneJoint LinkageSceneJointAt(const LinkageScene& s, const QTransform& t, QPointF pixel, double radius) {
  const Joints j = jointsOf(s);
  const std::pair<SceneJoint, QPointF> order[] = {
      {SceneJoint::E, j.E}, {SceneJoint::B, j.B}, {SceneJoint::C, j.C}, {SceneJoint::D, j.D}};
  for (const auto& [joint, at] : order) {
    if (joint == SceneJoint::D && s.linkage.isSlider()) continue;
    if (QLineF(t.map(at), pixel).length() <= radius) return joint;
  }
  return SceneJoint::None;
}
