// The sampled motion of the four analysed linkages. The loops are the tables' own: the same
// row count, the same angles (the double rocker's last row clamped to its limit) and the same
// kinematic routines, so a row computed here is the row every output shows.
#include "link/motion_data.h"

#include "base/fpu.h"
#include "base/numfmt.h"
#include "link/kinematics.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace {

constexpr Extended kToDeg = 180 / kPi;
// More rows than any disk holds; beyond it the step count is not a number of rows at all.
// A million rows take a few seconds and some 50 MB; a range or step typed past that would keep
// the program busy for hours, so it fails as an overflow instead.
constexpr Extended kMaxSteps = 1e6L;

// n of the rows 0 … n; negative when end lies before start.
long long stepCount(Extended start, Extended end, Extended step) {
  const Extended q = (end - start) / step;
  FpuCheck();  // a zero step
  if (!(std::fabs(q) <= kMaxSteps)) {
    std::feraiseexcept(FE_OVERFLOW);
    FpuCheck();
  }
  return static_cast<long long>(std::nearbyint(q));  // halves to even
}

// |vE| from the loop's velocity equation: a·ω1·sin(φ1 − φ3) + b·ω2·sin(φ2 − φ3) = 0 gives the
// coupler's ω2, and E turns with the coupler about B, which moves at a·ω1 about A.
Extended couplerPointSpeed(const MotionRow& r, Extended a, Extended b, Extended omega, Extended lenBE,
                           Extended delta) {
  const Extended omega2 = -a * omega * std::sin(r.phi - r.position) / (b * std::sin(r.coupler - r.position));
  const Extended vx = -a * omega * std::sin(r.phi) - omega2 * lenBE * std::sin(r.coupler + delta);
  const Extended vy = a * omega * std::cos(r.phi) + omega2 * lenBE * std::cos(r.coupler + delta);
  return std::hypot(vx, vy);
}

void crankRockerRows(const Linkage& k, const MotionSettings& s, const std::function<void(const MotionRow&)>& out) {
  const long long n = stepCount(s.start, s.end, s.step);
  MotionRow r;
  for (long long i = 0; i <= n; ++i) {
    r.i = i;
    r.phi = s.start + i * s.step;
    FourBarAt(r.phi, s.omega, k.AB, k.BC, k.CD, k.AD, s.delta, s.lenBE, r.gamma, r.coupler, r.position, r.velocity,
              r.acceleration, r.ex, r.ey);
    if (s.couplerSpeed) r.couplerSpeed = couplerPointSpeed(r, k.AB, k.BC, s.omega, s.lenBE, s.delta);
    out(r);
  }
}

void doubleRockerRows(const Linkage& k, const MotionSettings& s, const std::function<void(const MotionRow&)>& out,
                      const std::function<void()>& returnStroke) {
  Extended phi1min = 0, phi1max = 0, phi3min = 0, phi3max = 0;
  FourBarRange(k.AB, k.BC, k.CD, k.AD, phi1min, phi1max, phi3min, phi3max);
  // Only the reachable swing is tabulated.
  Extended start = std::max(s.start, phi1min);
  Extended end = std::min(s.end, phi1max);
  if (start > end) {
    start = phi1min;
    end = phi1max;
  }
  const long long n = stepCount(start, end, s.step);

  // One set of records for both strokes: a singular row repeats the previous speeds.
  TBarState input{}, coupler{}, output{};
  input.Len = k.AB;
  input.Omega = s.omega;
  coupler.Len = k.BC;
  output.Len = k.CD;
  MotionRow r;
  const auto solveRow = [&](long long i, Extended phi1) {
    input.Angle = phi1;
    SolveDyad(false, input, coupler, output, k.AD);
    CouplerPoint(coupler, s.delta, s.lenBE, r.ex, r.ey);
    Extended gamma = std::fabs(output.Angle - coupler.Angle);
    if (gamma > kPi) gamma -= kPi;
    if (gamma > kPi / 2) gamma = kPi - gamma;
    r.i = i;
    r.phi = phi1;
    r.coupler = coupler.Angle;
    r.gamma = gamma;
    r.position = output.Angle;
    r.velocity = output.Omega;
    r.acceleration = output.Epsilon;
    if (s.couplerSpeed) r.couplerSpeed = couplerPointSpeed(r, k.AB, k.BC, s.omega, s.lenBE, s.delta);
    out(r);
  };
  for (long long i = 0; i <= n; ++i) {
    Extended phi1 = start + i * s.step;
    if (i == n && phi1 > end) phi1 = end;
    solveRow(i, phi1);
  }
  if (returnStroke) returnStroke();
  r.returnStroke = true;
  for (long long i = 0; i <= n; ++i) {
    Extended phi1 = end - i * s.step;
    if (i == n && phi1 < start) phi1 = start;
    solveRow(i, phi1);
  }
}

void crankSliderRows(const Linkage& k, const MotionSettings& s, const std::function<void(const MotionRow&)>& out) {
  const long long n = stepCount(s.start, s.end, s.step);
  MotionRow r;
  for (long long i = 0; i <= n; ++i) {
    r.i = i;
    r.phi = s.start + i * s.step;
    CrankSliderAt(r.phi, s.omega, k.r, k.l, k.e, r.position, r.velocity, r.acceleration);
    out(r);
  }
}

void guideBarRows(const Linkage& k, const MotionSettings& s, const std::function<void(const MotionRow&)>& out) {
  const long long n = stepCount(s.start, s.end, s.step);
  MotionRow r;
  for (long long i = 0; i <= n; ++i) {
    r.i = i;
    r.phi = s.start + i * s.step;
    GuideBarAt(r.phi, s.omega, k.r, k.d, r.position, r.velocity, r.acceleration);
    out(r);
  }
}

QString fixed3(Extended v) { return FormatFixed(v, 3); }
QString sci3(Extended v) { return FormatExp(v, 3); }

}  // namespace

std::optional<MotionTableKind> MotionTableKindOf(const Linkage& k) {
  switch (k.kind) {
    case LinkageKind::FourBarByKind:
      switch (ClassifyFourBar(false, k.AB, k.BC, k.CD, k.AD)) {
        case 0: return MotionTableKind::DoubleRocker;
        case 10: return MotionTableKind::CrankRocker;
        default: return std::nullopt;
      }
    case LinkageKind::CrankRocker: return MotionTableKind::CrankRocker;
    case LinkageKind::CrankSlider: return MotionTableKind::CrankSlider;
    case LinkageKind::GuideBar: return MotionTableKind::GuideBar;
  }
  return std::nullopt;
}

void ForEachMotionRow(MotionTableKind kind, const Linkage& linkage, const MotionSettings& settings,
                      const std::function<void(const MotionRow&)>& row, const std::function<void()>& returnStroke) {
  switch (kind) {
    case MotionTableKind::CrankRocker: crankRockerRows(linkage, settings, row); break;
    case MotionTableKind::DoubleRocker: doubleRockerRows(linkage, settings, row, returnStroke); break;
    case MotionTableKind::CrankSlider: crankSliderRows(linkage, settings, row); break;
    case MotionTableKind::GuideBar: guideBarRows(linkage, settings, row); break;
  }
}

std::vector<MotionRow> MotionRows(MotionTableKind kind, const Linkage& linkage, const MotionSettings& settings) {
  std::vector<MotionRow> rows;
  ForEachMotionRow(kind, linkage, settings, [&rows](const MotionRow& r) { rows.push_back(r); });
  return rows;
}

QStringList MotionCells(MotionTableKind kind, const MotionRow& r) {
  const QString i = QString::number(r.i);
  switch (kind) {
    case MotionTableKind::CrankRocker:
    case MotionTableKind::DoubleRocker: {
      // The double rocker's speeds pass through zero at its limits, where fixed decimals
      // would show nothing.
      const auto speed = kind == MotionTableKind::DoubleRocker ? sci3 : fixed3;
      return {i,
              fixed3(r.phi * kToDeg),
              fixed3(r.coupler * kToDeg),
              fixed3(r.gamma * kToDeg),
              fixed3(r.ex),
              fixed3(r.ey),
              fixed3(r.position * kToDeg),
              speed(r.velocity * kToDeg),
              speed(r.acceleration * kToDeg)};
    }
    case MotionTableKind::CrankSlider:
      return {i, fixed3(r.phi * kToDeg), fixed3(r.position), fixed3(r.velocity), fixed3(r.acceleration)};
    case MotionTableKind::GuideBar:
      return {i, fixed3(r.phi * kToDeg), fixed3(r.position * kToDeg), fixed3(r.velocity * kToDeg),
              fixed3(r.acceleration * kToDeg)};
  }
  return {};
}

QStringList MotionHeader(MotionTableKind kind) {
  switch (kind) {
    case MotionTableKind::CrankRocker:
    case MotionTableKind::DoubleRocker:
      return {QStringLiteral("序号"),       QStringLiteral("φ1(°)"),    QStringLiteral("φ2(°)"),
              QStringLiteral("传动角γ(°)"), QStringLiteral("Ex(mm)"),   QStringLiteral("Ey(mm)"),
              QStringLiteral("φ3(°)"),      QStringLiteral("ω(°/s)"),   QStringLiteral("α(°/s²)")};
    case MotionTableKind::CrankSlider:
      return {QStringLiteral("序号"), QStringLiteral("曲柄转角φ(°)"), QStringLiteral("滑块位移s(mm)"),
              QStringLiteral("滑块速度v(mm/s)"), QStringLiteral("滑块加速度a(mm/s²)")};
    case MotionTableKind::GuideBar:
      return {QStringLiteral("序号"), QStringLiteral("曲柄转角φ(°)"), QStringLiteral("导杆摆角ψ(°)"),
              QStringLiteral("导杆角速度ω(°/s)"), QStringLiteral("导杆角加速度α(°/s²)")};
  }
  return {};
}
