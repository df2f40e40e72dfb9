// Quick-return designs of the crank-rocker, the offset crank-slider and the guide-bar.
#include "link/quick_return.h"

#include <cmath>

namespace {

constexpr Extended kRad = kPi / 180;

// Difference step and its reduction per iteration of the quasi-Newton solver for TNLeq.
constexpr Extended kStep = 0.1L, kStepReduction = 0.1L;

// cos γmin of the slider with λ = a/b at θ (radians), by the triangle's offset:
// (a + e)/b = λ + (1 − λ²)·sin θ·b/H.
Extended sliderCosGamma(Extended lambda, Extended theta) {
  const Extended l2 = lambda * lambda;
  return lambda + (1 - l2) * std::sin(theta) / std::sqrt(2 * (1 + l2) - 2 * (1 - l2) * std::cos(theta));
}

}  // namespace

Extended ThetaFromK(Extended K) { return 180 * (K - 1) / (K + 1); }

Extended KFromTheta(Extended theta) { return (180 + theta) / (180 - theta); }

void TNLeq::Residual(const TExtendedArray& x, TExtendedArray& f) {
  const Extended psi = Params[0] * kRad, theta = Params[1] * kRad, gamma = Params[2] * kRad, c = Params[3];
  const Extended a = x[0], b = x[1], d = x[2], psi0 = x[3] * kRad;
  // The chord C1C2 of the rocker's arc is the side opposite θ in the triangle A C1 C2.
  const Extended chord = 2 * c * std::sin(psi / 2);
  f[0] = chord * chord - (a + b) * (a + b) - (b - a) * (b - a) + 2 * (a + b) * (b - a) * std::cos(theta);
  // Triangles A C1 D and A C2 D: the rocker at ψ0 and at ψ0 + ψ.
  f[1] = 2 * c * d * std::cos(psi0) + (b - a) * (b - a) - c * c - d * d;
  f[2] = 2 * c * d * std::cos(psi0 + psi) + (a + b) * (a + b) - c * c - d * d;
  // Crank folded onto the frame (BD = d − a): the angle BCD is γmin.
  f[3] = 2 * b * c * std::cos(gamma) + (d - a) * (d - a) - b * b - c * c;
}

bool SolveQuickReturnRocker(Extended psi, Extended theta, Extended gammaMin, Extended c,
                            const TExtendedArray& start, Extended eps, int limit, QuickReturnRocker& result) {
  TNLeq eq;
  eq.Params[0] = psi;
  eq.Params[1] = theta;
  eq.Params[2] = gammaMin;
  eq.Params[3] = c;
  TExtendedArray x = start;
  if (!QuasiNewtonSolve(eq, x, kStepReduction, kStep, eps, limit)) return false;
  result = {x[0], x[1], x[2], NormalizeDegrees(x[3])};
  return true;
}

bool RockerFeasible(const QuickReturnRocker& r) { return r.a >= 0 && r.b >= 0 && r.d >= 0; }

QuickReturnSlider DesignQuickReturnSlider(Extended H, Extended theta, Extended lambda) {
  const Extended t = theta * kRad, l2 = lambda * lambda;
  QuickReturnSlider s;
  // Law of cosines in A C1 C2: H² = (b + a)² + (b − a)² − 2(b + a)(b − a)·cos θ with a = λb.
  s.b = H / std::sqrt(2 * (1 + l2) - 2 * (1 - l2) * std::cos(t));
  s.a = lambda * s.b;
  // Twice the area of A C1 C2 two ways: (b − a)(b + a)·sin θ = H·e, e the height over C1C2.
  s.e = (s.b * s.b - s.a * s.a) * std::sin(t) / H;
  s.exact = std::fabs(theta) < 90 && lambda >= SmallestSliderRatio(theta) && lambda <= 1;
  s.gammaMin = s.exact ? SliderMinTransmission(s.a, s.b, s.e) : 0;
  return s;
}

Extended SmallestSliderRatio(Extended theta) {
  // C1 at the foot of A on the guide: (b + a)² = (b − a)² + H², so 4ab = H².
  const Extended half = std::tan(std::fabs(theta) * kRad / 2);
  return std::fabs(theta) < 90 ? half * half : 2;
}

Extended SliderMinTransmission(Extended a, Extended b, Extended e) {
  // The coupler leans most with the crank perpendicular to the guide, on the side away from it.
  const Extended rise = a + std::fabs(e);
  if (!(b > 0) || rise >= b) return 0;
  return std::acos(rise / b) / kRad;
}

BestSliderRatio LargestSliderTransmission(Extended theta) {
  const Extended t = std::fabs(theta) * kRad;
  BestSliderRatio best;
  if (!(t > 0 && t < kPi / 2)) return best;
  // From tan²(θ/2) to 1, γmin rises from 0 to its one maximum and falls to 0 again. Golden
  // section on cos γmin.
  Extended lo = SmallestSliderRatio(theta), hi = 1;
  const Extended g = (std::sqrt(5.0L) - 1) / 2;
  Extended x1 = hi - g * (hi - lo), x2 = lo + g * (hi - lo);
  Extended f1 = sliderCosGamma(x1, t), f2 = sliderCosGamma(x2, t);
  while (hi - lo > 1e-15L) {
    if (f1 < f2) {
      hi = x2, x2 = x1, f2 = f1;
      x1 = hi - g * (hi - lo);
      f1 = sliderCosGamma(x1, t);
    } else {
      lo = x1, x1 = x2, f1 = f2;
      x2 = lo + g * (hi - lo);
      f2 = sliderCosGamma(x2, t);
    }
  }
  best.found = true;
  best.lambda = (lo + hi) / 2;
  best.gammaMin = std::acos(sliderCosGamma(best.lambda, t)) / kRad;
  return best;
}

Extended SuggestedSliderRatio(Extended theta, Extended gammaMin) {
  const BestSliderRatio best = LargestSliderTransmission(theta);
  return TruncateToThousandths(best.found ? best.lambda : std::cos(gammaMin * kRad));
}

Extended TruncateToThousandths(Extended x) { return std::trunc(x * 1000) / 1000; }

Extended GuideBarCrank(Extended d, Extended theta) { return d * std::sin(theta * kRad / 2); }
