// Approximate dwell of the crank-rocker and the crank-slider.
#include "link/dwell.h"

#include <cmath>

namespace {

constexpr Extended kRad = kPi / 180;

}  // namespace

void RockerExtremes(Extended a, Extended b, Extended c, Extended d, Extended& phiO, Extended& psiS) {
  // Law of cosines in the triangles A C2 D (AC2 = a + b) and A C1 D (AC1 = b − a).
  phiO = std::acos(((a + b) * (a + b) + d * d - c * c) / (2 * (a + b) * d)) / kRad;
  psiS = std::acos((c * c + d * d - (b - a) * (b - a)) / (2 * c * d)) / kRad;
}

Extended RockerDwellAngle(Extended a, Extended b, Extended c, Extended d, Extended psiS, Extended dPsi) {
  // C′, the coupler–rocker joint with the rocker turned dPsi away from the rear extreme, is m
  // from A. The crank reaches it in the two positions ±β about AC′ (triangle A B C′); between
  // them, through the overlapping position where β = 180°, the rocker stays within dPsi.
  const Extended m2 = c * c + d * d - 2 * c * d * std::cos((psiS + dPsi) * kRad);
  const Extended m = std::sqrt(m2);
  const Extended beta = std::acos((a * a + m2 - b * b) / (2 * a * m)) / kRad;
  return 360 - 2 * beta;
}

void SliderDwellParameters(Extended a, Extended b, Extended e, Extended H, Extended dH, Extended& lambda,
                           Extended& k, Extended& alpha, Extended& s) {
  lambda = a / b;
  alpha = std::asin(e / (a + b)) / kRad;
  k = e / a;
  s = H - dH;
}

bool CrankSliderStroke(Extended a, Extended b, Extended e, Extended& H) {
  // Dead positions with crank and coupler stretched (AC2 = a + b) and overlapping (AC1 = b − a).
  if (!(a > 0) || !(b >= a + std::fabs(e))) return false;
  H = std::sqrt((a + b) * (a + b) - e * e) - std::sqrt((b - a) * (b - a) - e * e);
  return true;
}

void TCDJS::Residual(const TExtendedArray& x, TExtendedArray& f) {
  const DwellDesign& q = m_design;
  const Extended phi = x[0] * kRad;
  const Extended sn = std::sin(phi);
  const Extended bracket = std::cos(phi) + 1 / q.lambda - q.lambda * q.k * q.k / 2 - q.lambda / 2 * sn * sn -
                           q.lambda * q.k * sn;
  f[0] = (q.a + q.b) * std::cos(q.alpha * kRad) - q.a * bracket - q.s;
}

bool SolveSliderDwell(const DwellDesign& design, Extended start, Extended eps, int maxIter, Extended& phi) {
  TCDJS equation(design);
  TExtendedArray x = {start};
  if (!QuasiNewtonSolve(equation, x, 0.1L, 0.1L, eps, maxIter)) return false;
  phi = NormalizeDegrees(x[0]);
  return true;
}

Linkage DwellCrankSliderAnalysisLinkage(const DwellDesign& design) {
  return Linkage::CrankSlider(design.a, design.b, -design.e);
}
