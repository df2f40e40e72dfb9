#include "link/function_generation.h"

#include <cmath>

namespace {
constexpr Extended kRad = kPi / 180;
}

FunctionNodes PlaceNodes(const std::function<Extended(Extended)>& f, Extended x0, Extended xm, Extended phim,
                         Extended psim, int count) {
  FunctionNodes r;
  r.count = count;
  r.x[0] = x0;
  r.xm = xm;
  r.y[0] = f(x0);
  r.ym = f(xm);
  r.mux = (xm - x0) / phim;
  r.muy = (r.ym - r.y[0]) / psim;
  const Extended middle = (x0 + xm) / 2, half = (xm - x0) / 2;
  for (int i = 1; i <= count; ++i) {
    // Chebyshev spacing: the interpolation error is smallest when the nodes crowd the ends.
    r.x[i] = middle - half * std::cos((2 * i - 1) * kPi / (2 * count));
    r.y[i] = f(r.x[i]);
    r.phi[i] = (r.x[i] - x0) / r.mux;
    r.psi[i] = (r.y[i] - r.y[0]) / r.muy;
  }
  return r;
}

TPPP::TPPP(const std::array<Extended, kMaxNodes>& phi, const std::array<Extended, kMaxNodes>& psi)
    : m_phi(phi), m_psi(psi) {}

void TPPP::Residual(const TExtendedArray& x, TExtendedArray& f) {
  const Extended P0 = x[0], P1 = x[1], P2 = x[2], phi0 = x[3], psi0 = x[4];
  for (int i = 0; i < kMaxNodes; ++i) {
    const Extended phi = (m_phi[i] + phi0) * kRad, psi = (m_psi[i] + psi0) * kRad;
    f[i] = P0 * std::cos(psi) + P1 * std::cos(psi - phi) + P2 - std::cos(phi);
  }
}

bool SolveFiveNodes(const std::array<Extended, kMaxNodes>& phi, const std::array<Extended, kMaxNodes>& psi,
                    TExtendedArray& x, Extended eps, int maxIter) {
  TPPP system(phi, psi);
  if (!QuasiNewtonSolve(system, x, 0.1L, 0.1L, eps, maxIter)) return false;
  x[3] = NormalizeDegrees(x[3]);
  x[4] = NormalizeDegrees(x[4]);
  return true;
}
