// The coupler point E: position, velocity and acceleration from the loop solution, the input
// range and E's closed path.
#include "link/coupler.h"

#include "base/numfmt.h"
#include "link/kinematics.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

constexpr Extended kTwoPi = 2 * kPi;
constexpr Extended kDeg = 180 / kPi;
// Relative slack of the assembly check: the limits of the swing come from arc cosines and
// land a few units of the last place beyond the exact reach.
constexpr Extended kReachTol = 1e-12L;
// A transmission angle below this (rad) is a dead point of the input: at a constant input
// speed E would move faster than 1e7 times its speed elsewhere.
constexpr Extended kDeadTol = 1e-7L;

bool isFourBar(const Linkage& k) {
  return k.kind == LinkageKind::FourBarByKind || k.kind == LinkageKind::CrankRocker;
}

// The transmission angle from the sine and cosine of the angle between two links, and
// whether the input is at a dead point there. Double precision: it is a readout.
void transmission(CouplerPose& p, Extended sine, Extended cosine) {
  p.gamma = std::atan2(std::fabs(double(sine)), std::fabs(double(cosine)));
  p.dead = p.gamma < kDeadTol;
}

// The input angle with its sine and cosine, which a path steps on by rotation.
struct InputAngle {
  Extended phi, sin, cos;
  static InputAngle At(Extended phi) {
    InputAngle in{phi, 0, 0};
    ::sincosl(phi, &in.sin, &in.cos);
    return in;
  }
};

// sin and cos of δ, worked out once for a whole path.
struct PointAngle {
  Extended sin, cos;
  explicit PointAngle(Extended delta) { ::sincosl(delta, &sin, &cos); }
};

// E and its motion from B's and the coupler's, given sin and cos of φ2: B = a(cos φ1, sin φ1)
// turns at omega, so vB = omega·(−By, Bx) and aB = −omega²·B; r = E − B turns with the coupler.
void moveCouplerPoint(CouplerPose& p, Extended lenBE, const PointAngle& delta, Extended s2, Extended c2,
                      Extended omega, Extended omega2, Extended eps2) {
  // cos and sin of φ2 + δ by the addition theorems
  const Extended rx = lenBE * (c2 * delta.cos - s2 * delta.sin);
  const Extended ry = lenBE * (s2 * delta.cos + c2 * delta.sin);
  p.Ex = p.Bx + rx;
  p.Ey = p.By + ry;
  if (p.dead) {
    p.vx = p.vy = p.ax = p.ay = 0;
    return;
  }
  p.vx = -omega * p.By - omega2 * ry;
  p.vy = omega * p.Bx + omega2 * rx;
  p.ax = -omega * omega * p.Bx - eps2 * ry - omega2 * omega2 * rx;
  p.ay = -omega * omega * p.By + eps2 * rx - omega2 * omega2 * ry;
}

// The dyad B C D closed by intersecting the circles about B (radius b) and D (radius c):
// no arc tangents, so a whole path costs a square root per point. The usual assembly (the
// branch flag of SolveDyad clear) has C to the left of B→D. Speeds from vC = vB + ω2 × BC =
// ω3 × DC, solved for ω2 and ω3 by Cramer's rule; accelerations likewise.
bool fourBarAt(const CouplerLinkage& k, const PointAngle& delta, const InputAngle& in, bool crossed,
               Extended omega, CouplerPose& p) {
  const Linkage& g = k.linkage;
  const Extended a = g.AB, b = g.BC, c = g.CD, d = g.AD;
  const Extended s1 = in.sin, c1 = in.cos;
  p.phi = in.phi;
  p.crossed = crossed;
  p.Bx = a * c1;
  p.By = a * s1;
  const Extended ux = d - p.Bx, uy = -p.By;  // B → D
  const Extended f2 = ux * ux + uy * uy;
  const Extended f = std::sqrt(f2);
  const Extended along = (b * b - c * c + f2) / (2 * f);  // from B towards D to the chord
  const Extended h2 = b * b - along * along;
  if (!(h2 >= -kReachTol * b * b) || f == 0) return false;
  const bool parallelogram = a == c && b == d;
  Extended rx, ry;  // C − B
  if (parallelogram && !crossed) {
    // The intersection changes side between the parallel and the anti-parallel form at 0°
    // and 180°; the parallel form keeps the coupler along the frame, as its figure draws it.
    rx = b, ry = 0;
  } else {
    const bool left = parallelogram ? s1 <= 0 : !crossed;
    const Extended h = (left ? 1 : -1) * std::sqrt(std::max<Extended>(0, h2));
    rx = (along * ux - h * uy) / f;
    ry = (along * uy + h * ux) / f;
  }
  p.Cx = p.Bx + rx;
  p.Cy = p.By + ry;
  const Extended qx = p.Cx - d, qy = p.Cy;  // C − D
  const Extended cross = rx * qy - ry * qx;
  transmission(p, cross / (b * c), (rx * qx + ry * qy) / (b * c));
  if (parallelogram && !crossed) p.dead = false;  // the parallel form turns through its folds
  Extended omega2 = 0, eps2 = 0;
  if (!p.dead && cross != 0) {
    const Extended vBx = -omega * p.By, vBy = omega * p.Bx;
    omega2 = -(vBx * qx + vBy * qy) / cross;
    const Extended omega3 = -(vBx * rx + vBy * ry) / cross;
    const Extended wx = omega2 * omega2 * rx - omega3 * omega3 * qx + omega * omega * p.Bx;
    const Extended wy = omega2 * omega2 * ry - omega3 * omega3 * qy + omega * omega * p.By;
    eps2 = (wx * qx + wy * qy) / cross;
  }
  moveCouplerPoint(p, k.lenBE, delta, ry / b, rx / b, omega, omega2, eps2);
  return true;
}

// The slide line y = e: C = (Bx ± w, e) with u = e − By the rise from B to the line and
// w = √(l² − u²); the rod's angle φ2 has l sin φ2 = u and l cos φ2 = ±w.
bool sliderAt(const CouplerLinkage& k, const PointAngle& delta, const InputAngle& in, bool crossed,
              Extended omega, CouplerPose& p) {
  const Linkage& g = k.linkage;
  const Extended r = g.r, l = g.l, e = g.e;
  const Extended sn = in.sin, cs = in.cos;
  p.phi = in.phi;
  p.crossed = crossed;
  p.Bx = r * cs;
  p.By = r * sn;
  const Extended u = e - p.By;
  if (std::fabs(u) > l * (1 + kReachTol)) return false;
  Extended w = std::sqrt(std::max<Extended>(0, l * l - u * u));
  if (crossed) w = -w;
  p.Cx = p.Bx + w;
  p.Cy = e;
  transmission(p, w, u);  // the rod against the slide's normal
  // Differentiating l sin φ2 = e − r sin φ once and twice at constant omega.
  const Extended omega2 = p.dead ? 0 : -omega * p.Bx / w;
  const Extended eps2 = p.dead ? 0 : (omega * omega * p.By + u * omega2 * omega2) / w;
  moveCouplerPoint(p, k.lenBE, delta, u / l, w / l, omega, omega2, eps2);
  return true;
}

bool poseAt(const CouplerLinkage& k, const PointAngle& delta, const InputAngle& in, bool crossed, Extended omega,
            CouplerPose& pose) {
  if (k.isSlider()) return sliderAt(k, delta, in, crossed, omega, pose);
  if (isFourBar(k.linkage)) return fourBarAt(k, delta, in, crossed, omega, pose);
  return false;
}

// Where sin φ1 may range for the slider to stay on its line: |e − r sin φ| ≤ l.
bool sliderRange(const Linkage& g, InputRange& range) {
  const Extended hi = (g.e + g.l) / g.r, lo = (g.e - g.l) / g.r;
  if (hi < -1 || lo > 1) return false;
  range.turns = hi >= 1 && lo <= -1;
  if (range.turns) {
    range.phiMin = 0;
    range.phiMax = kTwoPi;
  } else if (lo <= -1) {  // below the top: the swing passes under A
    range.phiMin = -kPi - std::asin(hi);
    range.phiMax = std::asin(hi);
  } else if (hi >= 1) {  // above the bottom: the swing passes over A
    range.phiMin = std::asin(lo);
    range.phiMax = kPi - std::asin(lo);
  } else {  // two separate swings; the one on the side of the slide's far end
    range.phiMin = std::asin(lo);
    range.phiMax = std::asin(hi);
  }
  return true;
}

}  // namespace

bool CouplerAt(const CouplerLinkage& k, Extended phi, bool crossed, Extended omega, CouplerPose& pose) {
  if (!poseAt(k, PointAngle(k.delta), InputAngle::At(phi), crossed, omega, pose)) return false;
  pose.phi2 = std::atan2(pose.Cy - pose.By, pose.Cx - pose.Bx);  // a path needs no angle
  return true;
}

bool CouplerInputRange(const CouplerLinkage& k, InputRange& range) {
  const Linkage& g = k.linkage;
  if (k.isSlider()) return sliderRange(g, range);
  if (!isFourBar(g)) return false;
  switch (ClassifyFourBar(false, g.AB, g.BC, g.CD, g.AD)) {
    case -1: return false;
    case 10:
    case 11:
    case 110:
      range = InputRange{};
      return true;
    default: {
      Extended phi3min = 0, phi3max = 0;
      range.turns = false;
      FourBarRange(g.AB, g.BC, g.CD, g.AD, range.phiMin, range.phiMax, phi3min, phi3max);
      return true;
    }
  }
}

bool TraceCouplerPath(const CouplerLinkage& k, Extended omega, int intervals, CouplerPath& path) {
  if (!CouplerInputRange(k, path.range)) return false;
  intervals = std::max(2, intervals + intervals % 2);
  path.samples.resize(intervals + 1);
  const InputRange& r = path.range;
  const int half = intervals / 2;
  const Extended span = r.phiMax - r.phiMin;
  const PointAngle delta(k.delta);
  // The input steps by rotating its sine and cosine, exact again at every 256th step and at
  // the turn of a swing: rounding then stays near 1e-17, far below anything drawn or written.
  const Extended step = r.turns ? span / intervals : span / half;
  Extended sinStep, cosStep;
  ::sincosl(step, &sinStep, &cosStep);
  CouplerPose pose;
  InputAngle in{};
  for (int i = 0; i <= intervals; ++i) {
    Extended phi;
    bool crossed = k.crossed;
    Extended w = omega;
    if (r.turns) {
      phi = r.phiMin + span * i / intervals;
    } else if (i <= half) {
      phi = r.phiMin + span * i / half;
    } else {
      phi = r.phiMax - span * (i - half) / half;
      crossed = !crossed;
      w = -omega;
    }
    if (i % 256 == 0 || i == half + 1) {
      in = InputAngle::At(phi);
    } else {
      const Extended turn = !r.turns && i > half ? -sinStep : sinStep;
      in = {phi, in.sin * cosStep + in.cos * turn, in.cos * cosStep - in.sin * turn};
    }
    if (!poseAt(k, delta, in, crossed, w, pose)) return false;
    path.samples[i] = {phi, pose.Ex, pose.Ey, pose.vx, pose.vy, pose.ax, pose.ay, pose.gamma, crossed, pose.dead};
  }
  return true;
}

QByteArray CouplerPathCsv(const CouplerPath& path) {
  QStringList lines{QStringLiteral("φ(°),x(mm),y(mm),vx(mm/s),vy(mm/s),ax(mm/s²),ay(mm/s²)")};
  for (const CouplerSample& s : path.samples) {
    QStringList cells{FormatR(s.phi * kDeg, 6), FormatR(s.x, 6), FormatR(s.y, 6)};
    for (Extended v : {s.vx, s.vy, s.ax, s.ay}) cells << (s.dead ? QString() : FormatR(v, 6));
    lines << cells.join(u',');
  }
  return QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

QString CouplerLinkageKindText(const CouplerLinkage& k) {
  const Linkage& g = k.linkage;
  if (!k.isSlider()) return FourBarKindText(ClassifyFourBar(false, g.AB, g.BC, g.CD, g.AD));
  InputRange range;
  if (!sliderRange(g, range)) return QStringLiteral("偏距过大，曲柄滑块机构不能装配！");
  const QString centred = g.e == 0 ? QStringLiteral("对心") : QStringLiteral("偏置");
  return range.turns ? QStringLiteral("该机构是%1曲柄滑块机构").arg(centred)
                     : QStringLiteral("该机构是%1摇杆滑块机构（AB不能整周转动）").arg(centred);
}
