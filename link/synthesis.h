// The corresponding-position synthesis of the hinged four-bar and the crank-slider: the linear
// position equations through three positions, and the link dimensions they give. Angles in
// degrees, lengths in mm.
#pragma once

#include "base/types.h"

// Freudenstein's equation cos(φ + φ0) = P0·cos(ψ + ψ0) + P1·cos((ψ + ψ0) − (φ + φ0)) + P2
// through the three positions (φi, ψi); false when the system is singular.
bool FourBarCoefficients(const Extended phi[3], const Extended psi[3], Extended phi0, Extended psi0,
                         Extended& P0, Extended& P1, Extended& P2);

// The ratios m = b/a, n = c/a, l = d/a from P0 = n, P1 = −n/l, P2 = (l² + n² + 1 − m²)/(2l).
void FourBarRatios(Extended P0, Extended P1, Extended P2, Extended& m, Extended& n, Extended& l);

// The four lengths AB, BC, CD, AD from the ratios and one known link (0 AB, 1 BC, 2 CD, 3 AD);
// false, with nothing changed, for any other link.
bool FourBarLengths(Extended m, Extended n, Extended l, int known, Extended length, Extended& a, Extended& b,
                    Extended& c, Extended& d);

// Q1·s·cos φ + Q2·sin φ − Q3 = s² through the three positions (φi, si) of a crank-slider;
// false when the system is singular.
bool CrankSliderCoefficients(const Extended phi[3], const Extended s[3], Extended& Q1, Extended& Q2, Extended& Q3);

// Crank a, rod b and offset e from Q1 = 2a, Q2 = 2a·e, Q3 = a² + e² − b².
void CrankSliderDimensions(Extended Q1, Extended Q2, Extended Q3, Extended& a, Extended& b, Extended& e);
