// The design problems behind the charts of the transmission-angle method, solved exactly.
// Angles in degrees, in and out; lengths relative to the frame d = 1 (four-bars) or to the
// slider stroke s = 1. A problem without a solution answers false and leaves its outputs alone.
// The four solvers leave no floating-point fault behind, whatever they are asked, so a window
// may call them inside its guarded handlers.
#pragma once

#include "base/types.h"

// The crank-rocker whose rocker swings psi12 while the crank turns phi12 from the rocker's near
// extreme to its far one, beta being the crank–frame angle at the far extreme: a/d, b/d, c/d.
// Plain arithmetic without guards; phi12 = psi12 divides by zero.
void CrankRockerRatios(Extended phi12, Extended psi12, Extended beta, Extended& a, Extended& b,
                       Extended& c);

// The largest minimum transmission angle of those crank-rockers over beta, and the beta that
// gives it. False where no beta gives a crank-rocker, or where gamma min only grows as the crank
// shrinks to nothing (phi12 = 180° and, for large psi12, below).
bool MaxGammaMinCrankRocker(Extended phi12, Extended psi12, Extended& gammaMin, Extended& beta);

// The crank-rocker with travel-speed ratio 1 whose rocker swings psi12 and whose minimum
// transmission angle is gammaMin: a/d, b/d, c/d. False where that is no crank-rocker.
bool CrankRockerK1Ratios(Extended psi12, Extended gammaMin, Extended& a, Extended& b, Extended& c);

// The offset crank-slider whose crank turns phi12 (180° < phi12 < 270°) while the slider runs
// its stroke, with the largest minimum transmission angle: that angle and a/s, b/s, e/s.
bool MaxGammaMinOffsetSlider(Extended phi12, Extended& gammaMin, Extended& aS, Extended& bS,
                             Extended& eS);

// The double crank whose output turns psi while its input turns 180° from one position of
// minimum transmission angle to the other, both minima being gammaMin: a/d, b/d, c/d.
bool DoubleCrankRatios(Extended psi, Extended gammaMin, Extended& a, Extended& b, Extended& c);
