// Function generation by a hinged four-bar: the input angle stands for x and the output angle
// for y = f(x) over [x0, xm]; the linkage is exact at Chebyshev nodes. The node placement with
// its scales, and the five-node system whose unknowns are P0, P1, P2 and the start angles φ0,
// ψ0. Angles in degrees.
#pragma once

#include "base/types.h"
#include "link/numerics.h"

#include <array>
#include <functional>

inline constexpr int kMaxNodes = 5;

// The interval's ends, the scales and the nodes with their angles; index 1 … count of the
// node arrays holds node i, index 0 the interval's start (x0, y0 and angle 0).
struct FunctionNodes {
  int count = 0;
  Extended xm = 0, ym = 0;
  Extended mux = 0, muy = 0;  // x per degree of φ, y per degree of ψ
  std::array<Extended, kMaxNodes + 1> x{}, y{}, phi{}, psi{};
};

// Places `count` Chebyshev nodes on [x0, xm] in increasing order, evaluates f at the ends and
// at the nodes (in that order), and turns x into φ by the scale (xm − x0)/φm and y into ψ by
// (ym − y0)/ψm. f may throw; ym = y0 divides by zero (the caller's FPU check reports it).
FunctionNodes PlaceNodes(const std::function<Extended(Extended)>& f, Extended x0, Extended xm, Extended phim,
                         Extended psim, int count);

// The position equation at five nodes as residuals, with the unknowns
// x = (P0, P1, P2, φ0, ψ0):
//   F_i = P0·cos(ψi + ψ0) + P1·cos((ψi + ψ0) − (φi + φ0)) + P2 − cos(φi + φ0).
class TPPP : public TNLequation {
public:
  // The node angles φ1 … φ5 and ψ1 … ψ5.
  TPPP(const std::array<Extended, kMaxNodes>& phi, const std::array<Extended, kMaxNodes>& psi);
  void Residual(const TExtendedArray& x, TExtendedArray& f) override;

private:
  std::array<Extended, kMaxNodes> m_phi, m_psi;
};

// Solves the five-node system from the start vector x = (P0, P1, P2, φ0, ψ0) with the
// difference step 0.1 shrinking tenfold per iteration. On success x holds the root with φ0
// and ψ0 brought into [0, 360); on failure the last iterate.
bool SolveFiveNodes(const std::array<Extended, kMaxNodes>& phi, const std::array<Extended, kMaxNodes>& psi,
                    TExtendedArray& x, Extended eps, int maxIter);

