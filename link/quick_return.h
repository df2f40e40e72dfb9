// Design of linkages with a quick return: the travel-speed ratio K and the extreme-position
// angle θ, the crank-rocker's four nonlinear equations, the offset crank-slider from the
// triangle of its two extreme positions, and the swinging guide-bar. Angles in degrees,
// lengths in mm.
#pragma once

#include "base/types.h"
#include "link/numerics.h"

// θ = 180·(K − 1)/(K + 1) and its inverse K = (180 + θ)/(180 − θ).
Extended ThetaFromK(Extended K);
Extended KFromTheta(Extended theta);

// The crank-rocker at its two extreme positions (crank and coupler collinear, AC1 = b − a,
// AC2 = b + a). Params: 0 ψ, 1 θ, 2 γmin, 3 c; the variables: a, b, d, ψ0.
class TNLeq : public TNLequation {
public:
  void Residual(const TExtendedArray& x, TExtendedArray& f) override;
};

struct QuickReturnRocker {
  Extended a = 0, b = 0, d = 0, psi0 = 0;  // psi0 in [0, 360)
};

// Solves TNLeq from the start vector (a, b, d, ψ0) with the quasi-Newton solver (difference
// step 0.1, reduced by 0.1 per iteration); false when the solver fails.
bool SolveQuickReturnRocker(Extended psi, Extended theta, Extended gammaMin, Extended c,
                            const TExtendedArray& start, Extended eps, int limit, QuickReturnRocker& result);

// A root is a linkage when no length is negative (a crank of 0 passes).
bool RockerFeasible(const QuickReturnRocker& r);

// The offset crank-slider with stroke H, extreme-position angle θ and λ = a/b. The triangle
// A C1 C2 gives b (law of cosines) and the offset e (its area). The linkage has exactly H and
// θ when `exact`: for tan²(θ/2) ≤ λ ≤ 1 (|θ| < 90°); a smaller λ puts C1 on the far side of
// A's foot on the guide, where no crank reaches it. gammaMin is the smallest transmission
// angle of an exact linkage, with the crank perpendicular to the guide; 0 otherwise or when
// the crank cannot turn past that position (a + |e| ≥ b).
struct QuickReturnSlider {
  Extended a = 0, b = 0, e = 0, gammaMin = 0;
  bool exact = false;
};
QuickReturnSlider DesignQuickReturnSlider(Extended H, Extended theta, Extended lambda);

// The smallest λ of a crank-slider with the extreme-position angle θ, tan²(θ/2); above 1
// (none) for |θ| ≥ 90°.
Extended SmallestSliderRatio(Extended theta);

// Smallest transmission angle of a crank-slider, acos((a + |e|)/b), 0 when a + |e| ≥ b.
Extended SliderMinTransmission(Extended a, Extended b, Extended e);

// The λ whose crank-slider has the largest γmin for this θ. Every λ in [tan²(θ/2), 1] gives
// a linkage, with γmin = 0 at both ends. There is none, and `found` is false, for θ = 0
// (γmin = acos λ approaches 90° as λ → 0 and b grows without bound) or |θ| ≥ 90°.
struct BestSliderRatio {
  bool found = false;
  Extended lambda = 0, gammaMin = 0;
};
BestSliderRatio LargestSliderTransmission(Extended theta);

// The λ written on leaving the γmin edit, cut toward zero to three decimals: the one of the
// largest γmin for θ; where there is none, cos γmin, the largest λ of a centred slider that
// keeps γmin.
Extended SuggestedSliderRatio(Extended theta, Extended gammaMin);

// x cut toward zero to three decimals.
Extended TruncateToThousandths(Extended x);

// The crank of the swinging guide-bar: its extreme positions are perpendicular to the bar,
// so the bar swings by θ and a = d·sin(θ/2).
Extended GuideBarCrank(Extended d, Extended theta);
