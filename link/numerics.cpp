// GaussFullPivot and QuasiNewtonSolve.
#include "link/numerics.h"

#include "base/desktop.h"

#include <algorithm>
#include <cmath>
#include <numeric>

Extended GaussFullPivot(std::vector<TExtendedArray>& a, TExtendedArray& b) {
  const int rows = static_cast<int>(a.size());
  const int n = static_cast<int>(b.size());
  if (rows != n) {
    ShowMsg(QStringLiteral("系数矩阵初始化有误！a=%1 b=%2").arg(rows).arg(n));
    return 0;
  }
  std::vector<int> js(n);
  std::iota(js.begin(), js.end(), 0);
  Extended p = 1;

  for (int k = 0; k < n - 1; ++k) {
    // Only a strictly larger element replaces the candidate, so ties keep the first maximum
    // in row-major order and results are reproducible bit for bit.
    Extended best = std::fabs(a[k][k]);
    int ip = k, jp = k;
    for (int i = k; i < n; ++i) {
      for (int j = k; j < n; ++j) {
        const Extended v = std::fabs(a[i][j]);
        if (v > best) best = v, ip = i, jp = j;
      }
    }
    if (best == 0) return 0;
    if (ip != k) {
      for (int j = k; j < n; ++j) std::swap(a[k][j], a[ip][j]);
      std::swap(b[k], b[ip]);
    }
    if (jp != k) {
      for (int i = 0; i < n; ++i) std::swap(a[i][k], a[i][jp]);
      std::swap(js[k], js[jp]);
    }
    const Extended pivot = a[k][k];
    p *= pivot;
    for (int j = k + 1; j < n; ++j) a[k][j] /= pivot;
    b[k] /= pivot;
    a[k][k] = 1;
    for (int i = k + 1; i < n; ++i) {
      const Extended f = a[i][k];
      for (int j = k + 1; j < n; ++j) a[i][j] -= f * a[k][j];
      b[i] -= f * b[k];
      a[i][k] = 0;
    }
  }

  const Extended last = a[n - 1][n - 1];
  p *= last;
  if (last == 0) return 0;
  b[n - 1] /= last;
  for (int i = n - 2; i >= 0; --i) {
    Extended sum = 0;
    for (int j = i + 1; j < n; ++j) sum += a[i][j] * b[j];
    b[i] -= sum;
  }
  TExtendedArray scratch(n);
  for (int k = 0; k < n; ++k) scratch[js[k]] = b[k];
  b = scratch;
  return p;
}

bool QuasiNewtonSolve(TNLequation& eq, TExtendedArray& x, Extended t, Extended h, Extended eps,
                      int maxIter) {
  const std::size_t n = x.size();
  TExtendedArray f(n), fc(n), xt(n);
  std::vector<TExtendedArray> jac(n, TExtendedArray(n));
  // A limit below 1 would never count down to 0 and could iterate without end.
  int count = std::max(maxIter, 1);
  Extended m = eps + 1;

  while (eps < m) {
    eq.Residual(x, f);
    fc = f;
    m = 0;
    for (Extended v : f) m = std::max(m, std::fabs(v));
    if (m < eps) return true;
    if (--count == 0) return false;

    for (std::size_t j = 0; j < n; ++j) {
      xt = x;
      xt[j] += h;
      eq.Residual(xt, f);
      for (std::size_t i = 0; i < n; ++i) jac[i][j] = f[i];
    }
    if (GaussFullPivot(jac, fc) == 0) return false;
    Extended beta = 1;
    for (Extended z : fc) beta -= z;
    if (beta == 0) return false;
    for (std::size_t i = 0; i < n; ++i) x[i] -= (h / beta) * fc[i];
    h *= t;
  }
  return true;
}

Extended NormalizeDegrees(Extended degrees) {
  // The remainder, not repeated subtraction: far out, 360 is below the spacing of the reals
  // and a loop would never end (a diverging start that still met the accuracy gives such roots).
  degrees = std::fmod(degrees, Extended(360));
  if (degrees < 0) degrees += 360;
  return degrees < 360 ? degrees : 0;  // −1e-30 + 360 rounds to 360
}
