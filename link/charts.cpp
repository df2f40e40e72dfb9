// The design problems behind the charts of the transmission-angle method. Each is derived in
// the comment beside the code that solves it.
//
// Four-bars: A at the origin, D = (1, 0), crank AB = a, coupler BC = b, rocker or output DC = c.
// The angle δ = ∠BCD depends on the input only through |BD|² = 1 + a² − 2a cos φ, and grows with
// it (cos δ = (b² + c² − |BD|²) / 2bc). Over a full turn of AB it therefore runs between δ1 at
// φ = 0 (|BD| = |1 − a|) and δ2 at φ = 180° (|BD| = 1 + a), and the smallest transmission angle
// is γmin = min(δ1, 180° − δ2), or cos γmin = max(cos δ1, −cos δ2).
#include "link/charts.h"

#include "link/kinematics.h"

#include <cmath>
#include <limits>

namespace {

constexpr Extended kRad = kPi / 180;
// Marks an invalid design for the minimisers below, which look for the smallest cosine.
constexpr Extended kInvalid = std::numeric_limits<Extended>::infinity();

// The smallest value of f on (lo, hi): the best of `samples` equally spaced inner points, then a
// golden-section search between its neighbours. f is never asked at lo or hi themselves.
// Returns the argument; `best` takes the value (kInvalid when no sample was valid).
template <class F>
Extended MinimiseOnGrid(const F& f, Extended lo, Extended hi, int samples, Extended& best) {
  const Extended step = (hi - lo) / (samples + 1);
  int bestK = 0;
  best = kInvalid;
  for (int k = 1; k <= samples; ++k) {
    const Extended v = f(lo + k * step);
    if (v < best) best = v, bestK = k;
  }
  if (bestK == 0) return lo;
  // 70 steps of 0.618 shrink the bracket of two samples below 1e-14 of it.
  const Extended g = (std::sqrt(5.0L) - 1) / 2;
  Extended x0 = lo + (bestK - 1) * step, x3 = lo + (bestK + 1) * step;
  Extended x1 = x3 - g * (x3 - x0), x2 = x0 + g * (x3 - x0);
  Extended f1 = f(x1), f2 = f(x2);
  for (int i = 0; i < 70; ++i) {
    if (f1 <= f2) {
      x3 = x2, x2 = x1, f2 = f1;
      x1 = x3 - g * (x3 - x0);
      f1 = f(x1);
    } else {
      x0 = x1, x1 = x2, f1 = f2;
      x2 = x0 + g * (x3 - x0);
      f2 = f(x2);
    }
  }
  const Extended found = std::fmin(f1, f2);
  if (found > best) return lo + bestK * step;  // no better than the sample it began at
  best = found;
  return f1 <= f2 ? x1 : x2;
}

// cos γmin of the four-bar with frame 1 (see the top of the file).
Extended CosGammaMin(Extended a, Extended b, Extended c) {
  const Extended bc2 = 2 * b * c, sum = b * b + c * c;
  return std::fmax((sum - (1 - a) * (1 - a)) / bc2, ((1 + a) * (1 + a) - sum) / bc2);
}

// --- Crank-rocker with the largest minimum transmission angle ---
//
// The rocker above AD. At its far extreme C2 crank and coupler are stretched, at its near
// extreme C1 they overlap:  C2 = (a + b)·e(β),  C1 = (b − a)·e(β + θ),  θ = φ12 − 180°;
// the crank points along β at C2 and along β + θ + 180° = β + φ12 at C1, so it turns φ12
// (clockwise) from C1 to C2. In axes along and across the bisector of ∠C2AC1, at β + θ/2:
//   C2 = (a + b)(cos θ/2, −sin θ/2),  C1 = (b − a)(cos θ/2, sin θ/2),
//   midpoint M = (b cos θ/2, −a sin θ/2),  half chord (C2 − C1)/2 = (a cos θ/2, −b sin θ/2).
// D sees the chord under ψ = ψ12: it lies on the chord's perpendicular bisector, half a chord
// over tan(ψ/2) from M:
//   D = M − (b sin θ/2, a cos θ/2) / tan(ψ/2) = (b sin h, −a cos h) / sin(ψ/2),  h = (ψ − θ)/2,
// and, being at distance 1 at angle 0, D = (cos u, −sin u) with u = β + θ/2. Two equations
// linear in a and b:
//   a = sin(ψ/2) sin u / cos h,   b = sin(ψ/2) cos u / sin h,
// which with φ/2 = 90° + θ/2 are those of CrankRockerRatios, and c = |DC2| by the law of cosines.
// Only a β for which both extremes lie above AD belongs to one assembly: the rocker of a
// crank-rocker never crosses the frame line.

// The family of one φ12 and ψ12, taken by w = a/b = tan u · tan h in (0, 1] (the crank is no
// longer than the coupler) rather than by β: near ψ12 = θ the divisor sin h vanishes and every
// coupler length comes from a sliver of β, while w spreads them evenly. With
// r = hypot(w cos h, sin h): sin u = w cos h / r, cos u = sin h / r, a = sin(ψ/2) w / r,
// b = sin(ψ/2) / r, so a member costs no trigonometric call.
class CrankRockerFamily {
public:
  CrankRockerFamily(Extended theta, Extended psi) {
    const Extended h = (psi - theta) / 2;
    m_sinHalfPsi = std::sin(psi / 2);
    m_sinH = std::sin(h);
    m_cosH = std::cos(h);
    m_sinHalfTheta = std::sin(theta / 2);
    m_cosHalfTheta = std::cos(theta / 2);
  }

  // cos γmin of the member w, kInvalid where it is no crank-rocker of the one assembly.
  Extended CosGammaMinAt(Extended w) const {
    const Member m = At(w);
    if (!(m.sinBeta > 0 && m.sinBetaTheta > 0)) return kInvalid;
    if (ClassifyFourBar(false, m.a, m.b, m.c, 1) != 10) return kInvalid;
    return CosGammaMin(m.a, m.b, m.c);
  }

  Extended BetaAt(Extended w) const {
    const Member m = At(w);
    return std::atan2(m.sinBeta, m.cosBeta);
  }

private:
  struct Member {
    Extended a, b, c, sinBeta, cosBeta, sinBetaTheta;
  };

  Member At(Extended w) const {
    const Extended r = std::hypot(w * m_cosH, m_sinH);
    const Extended sinU = w * m_cosH / r, cosU = m_sinH / r;
    Member m;
    m.a = m_sinHalfPsi * w / r;
    m.b = m_sinHalfPsi / r;
    // β = u − θ/2 and β + θ = u + θ/2
    m.sinBeta = sinU * m_cosHalfTheta - cosU * m_sinHalfTheta;
    m.cosBeta = cosU * m_cosHalfTheta + sinU * m_sinHalfTheta;
    m.sinBetaTheta = sinU * m_cosHalfTheta + cosU * m_sinHalfTheta;
    const Extended ab = m.a + m.b;
    m.c = std::sqrt(1 + ab * ab - 2 * ab * m.cosBeta);
    return m;
  }

  Extended m_sinHalfPsi, m_sinH, m_cosH, m_sinHalfTheta, m_cosHalfTheta;
};

}  // namespace

void CrankRockerRatios(Extended phi12, Extended psi12, Extended beta, Extended& a, Extended& b,
                       Extended& c) {
  const Extended phi = phi12 * kRad, psi = psi12 * kRad, be = beta * kRad;
  a = -std::sin(psi / 2) * std::cos(phi / 2 + be) / std::sin(phi / 2 - psi / 2);
  b = std::sin(psi / 2) * std::sin(phi / 2 + be) / std::cos(phi / 2 - psi / 2);
  c = std::sqrt(1 + (a + b) * (a + b) - 2 * (a + b) * std::cos(be));
}

// Away from φ12 = 180° a vanishing crank (w → 0) sends u = β + θ/2 to 0° or 180°, and one of
// β, β + θ out of (0°, 180°): the valid members keep clear of it. γmin over them has one smooth
// maximum (set by δ1; δ2 stays far from 180°), which a grid of w and a golden section find.
bool MaxGammaMinCrankRocker(Extended phi12, Extended psi12, Extended& gammaMin, Extended& beta) {
  if (!(psi12 > 0 && psi12 < 180 && phi12 > 0 && phi12 < 360)) return false;
  const Extended theta = (phi12 - 180) * kRad, psi = psi12 * kRad;
  // |h| ≥ 90° puts D behind A: a > 0 would need β + θ < 0, the near extreme below AD.
  if (!(std::fabs(psi - theta) < kPi)) return false;
  // φ12 = 180° is K = 1, where γmin grows towards 90° − ψ12/2 as the crank vanishes (see
  // CrankRockerK1Ratios: cos γ = sin(ψ/2) / b, b → 1): no maximum.
  if (theta == 0) return false;
  const CrankRockerFamily family(theta, psi);
  Extended cosGamma;
  const auto f = [&](Extended w) { return family.CosGammaMinAt(w); };
  const Extended w = MinimiseOnGrid(f, 0, 1, 64, cosGamma);
  if (cosGamma == kInvalid) return false;
  gammaMin = std::acos(std::fmin(cosGamma, Extended(1))) / kRad;
  beta = family.BetaAt(w) / kRad;
  return true;
}

// --- Crank-rocker with travel-speed ratio 1 ---
//
// K = 1: A lies on the line C1C2 (θ = 0), so C1C2 = 2a, and as a chord of the rocker's circle
// C1C2 = 2c sin(ψ/2): a = c sin(ψ/2). The midpoint M of C1C2 is at b from A, and DM ⟂ C1C2 with
// DM = c cos(ψ/2), so 1 = b² + c² cos²(ψ/2) = b² + c² − a². Then the two collinear positions give
// cos δ1 = (b² + c² − (1 − a)²) / 2bc = a / bc and cos δ2 = −a / bc: every such crank-rocker has
// the same transmission angle at both, cos γ = a / bc = sin(ψ/2) / b. Hence
//   b² = sin²(ψ/2) / cos²γ = (1 − cos ψ) / (2 cos²γ),
//   c² = (1 − b²) / cos²(ψ/2) = (1 − b²) / (1 − cos²γ · b²),   a² = b² + c² − 1.
bool CrankRockerK1Ratios(Extended psi12, Extended gammaMin, Extended& a, Extended& b, Extended& c) {
  if (!(psi12 > 0 && psi12 < 180 && gammaMin > 0 && gammaMin < 90)) return false;
  const Extended psi = psi12 * kRad, gamma = gammaMin * kRad;
  const Extended cos2 = std::cos(gamma) * std::cos(gamma);
  const Extended bb = std::sqrt((1 - std::cos(psi)) / (2 * cos2));
  const Extended cc2 = (1 - bb * bb) / (1 - cos2 * bb * bb);
  if (!(cc2 > 0)) return false;
  const Extended cc = std::sqrt(cc2);
  const Extended aa2 = bb * bb + cc * cc - 1;
  if (!(aa2 > 0)) return false;
  const Extended aa = std::sqrt(aa2);
  if (ClassifyFourBar(false, aa, bb, cc, 1) != 10) return false;
  a = aa, b = bb, c = cc;
  return true;
}

// --- Offset crank-slider with the largest minimum transmission angle ---
//
// Stroke 1. At the dead positions the slider is at C2 with crank and rod stretched
// (AC2 = a + b) and at C1 with them overlapping (AC1 = b − a); the crank turns φ12 from one to the
// other, so ∠C1AC2 = θ = φ12 − 180°. In the triangle A C1 C2 on the base C1C2 = 1, with y = AC2
// and x = t·y, the law of cosines gives y² (1 + t² − 2t cos θ) = 1, and
//   a = (y − x) / 2,   b = (y + x) / 2,   e = x y sin θ  (A's height over the base, from the area).
// The rod makes γ with the normal of the guide: cos γ = |e − a sin φ| / b, φ from the guide
// direction, largest with the crank pointing away from the guide, so cos γmin = (a + e) / b:
//   cos γmin(t) = [(1 − t) + 2t sin θ / √(1 + t² − 2t cos θ)] / (1 + t).
// The rod of one assembly never turns past the normal of the guide, so both dead positions lie on
// the same side of A's foot on the guide: ∠AC1C2 ≥ 90°, t ≤ cos θ. At both ends of 0 < t < cos θ
// cos γmin is 1; its minimum in between is the design.
bool MaxGammaMinOffsetSlider(Extended phi12, Extended& gammaMin, Extended& aS, Extended& bS,
                             Extended& eS) {
  if (!(phi12 > 180 && phi12 < 270)) return false;
  const Extended theta = (phi12 - 180) * kRad;
  const Extended s = std::sin(theta), c = std::cos(theta);
  const auto f = [&](Extended t) {
    return ((1 - t) + 2 * t * s / std::sqrt(1 + t * t - 2 * t * c)) / (1 + t);
  };
  Extended cosGamma;
  const Extended t = MinimiseOnGrid(f, 0, c, 32, cosGamma);
  const Extended y = 1 / std::sqrt(1 + t * t - 2 * t * c), x = t * y;
  gammaMin = std::acos(std::fmin(cosGamma, Extended(1))) / kRad;
  aS = (y - x) / 2;
  bS = (y + x) / 2;
  eS = x * y * s;
  return true;
}

// --- Double crank ---
//
// Frame 1, the shortest link. The extremes δ1 (φ = 0, |BD| = a − 1) and δ2 (φ = 180°,
// |BD| = a + 1) are the two positions of minimum transmission angle, 180° of input apart. Both
// minima equal γ: (a ∓ 1)² = b² + c² ∓ 2bc cos γ, that is
//   a = bc cos γ,   b² + c² = a² + 1.
// At φ = 0 DC makes ε1 with DB (pointing away from A), at φ = 180° ε2 with DB (pointing at A) on
// the other side of the frame, as the assembly keeps its sense: the output turns
// ψ = 180° − (ε1 − ε2).
// With x = c², bc sin γ = a tan γ and c² + (a ∓ 1)² − b² = 2(x ∓ a), the laws of sines and cosines
// in BCD give tan ε1 = a tan γ / (x − a) and tan ε2 = a tan γ / (x + a), so
//   tan(ε1 − ε2) = 2a² tan γ / (x² − a² (1 − tan²γ)),
//   x = a m,   m² = 1 − tan²γ − 2 tan γ cot ψ = sin(ψ − 2γ) / (sin ψ cos²γ).
// Then (a² + 1 − x) x = b²c² = a² / cos²γ becomes a + 1/a = m + 1/(m cos²γ) = p, and a is its
// root above 1, (p + √(p² − 4)) / 2 (p ≥ 2/cos γ > 2). Beyond ψ = 180° the same linkage serves
// from the second position back to the first, where the output turns 360° − ψ.
bool DoubleCrankRatios(Extended psi, Extended gammaMin, Extended& a, Extended& b, Extended& c) {
  if (!(psi > 0 && psi < 360 && psi != 180 && gammaMin > 0 && gammaMin < 90)) return false;
  if (psi > 180) psi = 360 - psi;
  const Extended p1 = psi * kRad, gamma = gammaMin * kRad;
  const Extended cosG = std::cos(gamma);
  const Extended m2 = std::sin(p1 - 2 * gamma) / (std::sin(p1) * cosG * cosG);
  if (!(m2 > 0)) return false;
  const Extended m = std::sqrt(m2);
  const Extended p = m + 1 / (m * cosG * cosG);
  const Extended aa = (p + std::sqrt(p * p - 4)) / 2;
  const Extended x = aa * m;
  const Extended bb2 = aa * aa + 1 - x;
  if (!(bb2 > 0)) return false;
  const Extended bb = std::sqrt(bb2), cc = std::sqrt(x);
  if (ClassifyFourBar(false, aa, bb, cc, 1) != 11) return false;
  a = aa, b = bb, c = cc;
  return true;
}
