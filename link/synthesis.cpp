#include "link/synthesis.h"

#include "link/numerics.h"

#include <cmath>

namespace {
constexpr Extended kRad = kPi / 180;
}

bool FourBarCoefficients(const Extended phi[3], const Extended psi[3], Extended phi0, Extended psi0,
                         Extended& P0, Extended& P1, Extended& P2) {
  std::vector<TExtendedArray> a(3);
  TExtendedArray b(3);
  for (int i = 0; i < 3; ++i) {
    const Extended f = (phi[i] + phi0) * kRad, p = (psi[i] + psi0) * kRad;
    a[i] = {std::cos(p), std::cos(p - f), 1};
    b[i] = std::cos(f);
  }
  if (GaussFullPivot(a, b) == 0) return false;
  P0 = b[0];
  P1 = b[1];
  P2 = b[2];
  return true;
}

void FourBarRatios(Extended P0, Extended P1, Extended P2, Extended& m, Extended& n, Extended& l) {
  n = P0;
  l = -n / P1;
  m = std::sqrt(l * l + n * n + 1 - 2 * l * P2);
}

bool FourBarLengths(Extended m, Extended n, Extended l, int known, Extended length, Extended& a, Extended& b,
                    Extended& c, Extended& d) {
  // Every length is a multiple of AB: scale from the known one.
  Extended ab = 0;
  switch (known) {
    case 0: ab = length; break;
    case 1: ab = length / m; break;
    case 2: ab = length / n; break;
    case 3: ab = length / l; break;
    default: return false;
  }
  a = ab;
  b = known == 1 ? length : m * ab;
  c = known == 2 ? length : n * ab;
  d = known == 3 ? length : l * ab;
  return true;
}

bool CrankSliderCoefficients(const Extended phi[3], const Extended s[3], Extended& Q1, Extended& Q2, Extended& Q3) {
  std::vector<TExtendedArray> a(3);
  TExtendedArray b(3);
  for (int i = 0; i < 3; ++i) {
    const Extended f = phi[i] * kRad;
    a[i] = {s[i] * std::cos(f), std::sin(f), -1};
    b[i] = s[i] * s[i];
  }
  if (GaussFullPivot(a, b) == 0) return false;
  Q1 = b[0];
  Q2 = b[1];
  Q3 = b[2];
  return true;
}

void CrankSliderDimensions(Extended Q1, Extended Q2, Extended Q3, Extended& a, Extended& b, Extended& e) {
  a = Q1 / 2;
  e = Q2 / (2 * a);
  b = std::sqrt(a * a + e * e - Q3);
}
