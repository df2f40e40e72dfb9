// Rigid-body guidance: fixed pivots from the positions of the coupler's moving pivots.
#include "link/guidance.h"

#include "link/kinematics.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Extended kDeg = kPi / 180;
// Relative size below which a difference is taken as none: a few hundred units of the last place
// of the extended type, far below what three-decimal input can express.
constexpr Extended kRelTol = 1e-15L;

Extended distance(GuidancePoint p, GuidancePoint q) { return std::hypot(q.x - p.x, q.y - p.y); }

Extended magnitude(GuidancePoint p) { return std::max(std::fabs(p.x), std::fabs(p.y)); }

QString pointName(char joint, int index) { return QStringLiteral("%1%2").arg(QLatin1Char(joint)).arg(index + 1); }

GuidanceFault fault(GuidanceFailure kind, const QStringList& points) { return {kind, points}; }

// The fixed pivot of one moving pivot's positions P[0 … count-1], named joint1, joint2 …
GuidanceFault fixedPivot(const GuidanceDesign& d, const std::array<GuidancePoint, 3>& P, char joint,
                         GuidancePoint& pivot) {
  QStringList names;
  for (int i = 0; i < d.count; ++i) names << pointName(joint, i);
  const GuidanceFailure f = d.count == 2 ? BisectorOnLine(P[0], P[1], d.y0, pivot)
                                         : CircleCentre(P[0], P[1], P[2], pivot);
  return fault(f, f == GuidanceFailure::None ? QStringList() : names);
}

// A pivot on a moving pivot or on the other fixed pivot makes a link of zero length.
GuidanceFault zeroLink(const GuidanceDesign& d) {
  Extended scale = std::max(magnitude(d.A), magnitude(d.D));
  for (int i = 0; i < d.count; ++i) scale = std::max({scale, magnitude(d.B[i]), magnitude(d.C[i])});
  const Extended tol = 1e3L * kRelTol * (1 + scale);
  for (int i = 0; i < d.count; ++i) {
    if (distance(d.A, d.B[i]) <= tol) return fault(GuidanceFailure::ZeroLink, {QStringLiteral("A"), pointName('B', i)});
    if (distance(d.D, d.C[i]) <= tol) return fault(GuidanceFailure::ZeroLink, {QStringLiteral("D"), pointName('C', i)});
  }
  if (distance(d.A, d.D) <= tol) return fault(GuidanceFailure::ZeroLink, {QStringLiteral("A"), QStringLiteral("D")});
  return {};
}

// An angle in degrees brought into [0, 360).
Extended wrap360(Extended deg) {
  Extended r = std::fmod(deg, 360);
  if (r < 0) r += 360;
  return r >= 360 ? 0 : r;
}

}  // namespace

GuidanceInput GuidanceInput::Defaults(int type) {
  GuidanceInput in;
  in.type = type;
  switch (type) {
    case kGuidanceTwoOnLine:
      in.pose = {CouplerPose{30.3L, 17.5L, 28.5L}, CouplerPose{-17.5L, 30.3L, 23.0L}, CouplerPose{}};
      in.BC = 110;
      in.y0 = 0;
      break;
    case kGuidanceThreeOfPlane:
      in.pose = {CouplerPose{78.6L, 43.7L, 28.5L}, CouplerPose{60.3L, 54.0L, 21.5L}, CouplerPose{33.1L, 51.8L, 23.0L}};
      in.B = {-55, 0};
      in.C = {55, 0};
      break;
    default:
      in.pose = {CouplerPose{30.3L, 17.5L, 28.5L}, CouplerPose{9.1L, 33.8L, 21.5L}, CouplerPose{-17.5L, 30.3L, 23.0L}};
      in.BC = 110;
      break;
  }
  return in;
}

QString GuidanceMessage(const GuidanceFault& f) {
  const QString names = f.points.join(QStringLiteral("、"));
  switch (f.kind) {
    case GuidanceFailure::None: return {};
    case GuidanceFailure::ZeroCoupler: return QStringLiteral("连杆BC的长度为零，请重新给定B、C的位置！");
    case GuidanceFailure::CoincidentPoints:
      return QStringLiteral("%1两点重合，无法作其中垂线，请修改连杆位置！").arg(names);
    case GuidanceFailure::Collinear:
      return QStringLiteral("%1三点共线（或有两点重合），不能作圆，请修改连杆位置！").arg(names);
    case GuidanceFailure::BisectorParallel:
      return QStringLiteral("%1的中垂线与固定铰链所在直线平行，没有交点，请修改连杆位置或该直线！")
          .arg(f.points.join(QString()));
    case GuidanceFailure::ZeroLink:
      return QStringLiteral("固定铰链%1与铰链%2重合，杆长为零，请修改连杆位置！").arg(f.points.value(0), f.points.value(1));
  }
  return {};
}

GuidancePoint PosePoint(const CouplerPose& pose, GuidancePoint local) {
  const Extended s = std::sin(pose.angle * kDeg), c = std::cos(pose.angle * kDeg);
  return {pose.x + local.x * c - local.y * s, pose.y + local.x * s + local.y * c};
}

GuidanceFailure BisectorOnLine(GuidancePoint p, GuidancePoint q, Extended y0, GuidancePoint& at) {
  const Extended dx = q.x - p.x, dy = q.y - p.y;
  const Extended len = std::hypot(dx, dy);
  if (len <= kRelTol * (magnitude(p) + magnitude(q))) return GuidanceFailure::CoincidentPoints;
  // |X − p|² = |X − q|²  ⇔  2(q − p)·X = |q|² − |p|², with X = (x, y0).
  if (std::fabs(dx) <= kRelTol * len) return GuidanceFailure::BisectorParallel;
  const Extended mx = (p.x + q.x) / 2, my = (p.y + q.y) / 2;
  at = {mx - dy * (y0 - my) / dx, y0};  // from the midpoint along the bisector (−dy, dx)
  return GuidanceFailure::None;
}

GuidanceFailure CircleCentre(GuidancePoint p1, GuidancePoint p2, GuidancePoint p3, GuidancePoint& centre) {
  // Relative to p1 the centre X solves 2u·X = |u|², 2v·X = |v|² for u = p2 − p1, v = p3 − p1.
  const Extended ux = p2.x - p1.x, uy = p2.y - p1.y, vx = p3.x - p1.x, vy = p3.y - p1.y;
  const Extended cross = ux * vy - uy * vx;
  const Extended uu = ux * ux + uy * uy, vv = vx * vx + vy * vy;
  const Extended ww = (p3.x - p2.x) * (p3.x - p2.x) + (p3.y - p2.y) * (p3.y - p2.y);
  // |cross| is |u||v| sin of the angle at p1; compare the sine of the triangle's largest angle.
  if (std::fabs(cross) <= kRelTol * std::max({uu, vv, ww})) return GuidanceFailure::Collinear;
  centre = {p1.x + (vy * uu - uy * vv) / (2 * cross), p1.y + (ux * vv - vx * uu) / (2 * cross)};
  return GuidanceFailure::None;
}

GuidanceDesign DesignGuidance(const GuidanceInput& in) {
  GuidanceDesign d;
  d.type = in.type;
  d.count = in.type == kGuidanceTwoOnLine ? 2 : 3;
  d.y0 = in.y0;
  GuidancePoint localB{0, 0}, localC{in.BC, 0};
  if (in.type == kGuidanceThreeOfPlane) {
    localB = in.B;
    localC = in.C;
  }
  for (int i = 0; i < d.count; ++i) {
    d.M[i] = {in.pose[i].x, in.pose[i].y};
    d.B[i] = PosePoint(in.pose[i], localB);
    d.C[i] = PosePoint(in.pose[i], localC);
  }
  d.BC = distance(localB, localC);
  // A typed negative BC would turn the coupler round: only a positive length is a coupler.
  const bool noCoupler = in.type == kGuidanceThreeOfPlane ? !(d.BC > kRelTol * (magnitude(localB) + magnitude(localC)))
                                                          : !(in.BC > 0);
  if (noCoupler) {
    d.fault = fault(GuidanceFailure::ZeroCoupler, {QStringLiteral("B"), QStringLiteral("C")});
    return d;
  }
  d.fault = fixedPivot(d, d.B, 'B', d.A);
  if (!d.ok()) return d;
  d.fault = fixedPivot(d, d.C, 'C', d.D);
  if (!d.ok()) return d;
  d.fault = zeroLink(d);
  if (!d.ok()) return d;
  d.AB = distance(d.A, d.B[0]);
  d.CD = distance(d.D, d.C[0]);
  d.AD = distance(d.A, d.D);
  d.frameAngle = std::atan2(d.D.y - d.A.y, d.D.x - d.A.x) / kDeg;
  d.kind = ClassifyFourBar(false, d.AB, d.BC, d.CD, d.AD);
  return d;
}

Linkage GuidanceLinkage(const GuidanceDesign& d) {
  return Linkage::FourBar(LinkageKind::FourBarByKind, d.AB, d.BC, d.CD, d.AD);
}

GuidanceMotion GuidancePositions(const GuidanceDesign& d) {
  GuidanceMotion m;
  if (!d.ok()) return m;
  m.count = d.count;
  const Extended turn = -d.frameAngle * kDeg;
  const Extended s = std::sin(turn), c = std::cos(turn);
  // A point in the analysis frame: A at the origin, A→D along +x.
  auto frame = [&](GuidancePoint p) {
    const Extended x = p.x - d.A.x, y = p.y - d.A.y;
    return GuidancePoint{x * c - y * s, x * s + y * c};
  };
  for (int i = 0; i < d.count; ++i) {
    const GuidancePoint B = frame(d.B[i]), C = frame(d.C[i]);
    m.phi[i] = wrap360(std::atan2(B.y, B.x) / kDeg);
    // The branch whose closure puts C, from both the coupler and the output link, nearest the
    // position asked.
    Extended miss[2];
    for (int flag = 0; flag < 2; ++flag) {
      TBarState input{}, coupler{}, output{};
      input.Len = d.AB;
      input.Angle = m.phi[i] * kDeg;
      coupler.Len = d.BC;
      output.Len = d.CD;
      SolveDyad(flag == 1, input, coupler, output, d.AD);
      const GuidancePoint viaCoupler{coupler.X + d.BC * std::cos(coupler.Angle), coupler.Y + d.BC * std::sin(coupler.Angle)};
      const GuidancePoint viaOutput{d.AD + d.CD * std::cos(output.Angle), d.CD * std::sin(output.Angle)};
      miss[flag] = distance(viaCoupler, C) + distance(viaOutput, C);
    }
    m.branch[i] = miss[1] < miss[0];
  }
  m.sameBranch = std::all_of(m.branch.begin(), m.branch.begin() + m.count, [&](bool b) { return b == m.branch[0]; });

  const Extended to2 = wrap360(m.phi[1] - m.phi[0]), toLast = wrap360(m.phi[m.count - 1] - m.phi[0]);
  if (d.kind == 10 || d.kind == 11 || d.kind == 110) {
    // A crank reaches every angle; it meets the second position first in one direction.
    m.inOrder = true;
    m.counterClockwise = m.count == 2 ? to2 <= 180 : to2 < toLast;
    return m;
  }
  // A rocking input swings between its limits: unwrap the positions into that range.
  Extended lo = 0, hi = 2 * kPi, phi3lo = 0, phi3hi = 0;
  FourBarRange(d.AB, d.BC, d.CD, d.AD, lo, hi, phi3lo, phi3hi);
  lo /= kDeg;
  hi /= kDeg;
  Extended u[3];
  bool inRange = true;
  for (int i = 0; i < m.count; ++i) {
    u[i] = lo + wrap360(m.phi[i] - lo);
    inRange = inRange && u[i] <= hi + 1e-9L;
  }
  m.counterClockwise = u[m.count - 1] > u[0];
  m.inOrder = inRange && (m.count == 2 || (u[1] - u[0]) * (u[2] - u[1]) > 0);
  return m;
}
