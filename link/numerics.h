// The linear and the nonlinear equation solvers of the design steps.
#pragma once

#include "base/types.h"

// Solves a·x = b by Gaussian elimination with complete pivoting. The matrix is consumed; on
// success b holds x and the result is the product of the pivots, on failure exactly 0.
Extended GaussFullPivot(std::vector<TExtendedArray>& a, TExtendedArray& b);

// A system of n equations in n variables; a design type derives it and keeps its constants
// in Params.
class TNLequation {
public:
  virtual ~TNLequation() = default;
  virtual void Residual(const TExtendedArray& x, TExtendedArray& f) = 0;

  Extended Params[20] = {};
};

// Discrete Newton iteration with a difference step h that shrinks by t per iteration.
// True when every residual fell below eps within maxIter evaluations (a limit below 1 is
// taken as 1); x then holds the solution, otherwise the last iterate.
bool QuasiNewtonSolve(TNLequation& eq, TExtendedArray& x, Extended t, Extended h, Extended eps,
                      int maxIter);

// An angle in degrees brought into [0, 360).
Extended NormalizeDegrees(Extended degrees);
