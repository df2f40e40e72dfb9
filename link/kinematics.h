// Positions, velocities and accelerations of the hinged four-bar, the crank-slider and the
// guide-bar linkage; classification of four-bars and the range of their input link.
// A is the origin, D = (d, 0); angles in radians counter-clockwise, speeds in rad/s.
#pragma once

#include "base/types.h"

class QString;

// Kinematic state of one moving link; X, Y is its first joint (for the coupler: B).
struct TBarState {
  Extended X, Y, Len, Angle, Omega, Epsilon;
};

// Closes the dyad B-C-D for the input link `input` (Len, Angle, Omega). Fills coupler.X/Y (B),
// coupler.Angle/Omega/Epsilon and output.Angle/Omega/Epsilon; both Len must be set. `branch`
// picks the assembly. An unreachable position clamps the discriminant to 0; at a singular
// position or with Omega = 0 the previous speeds and accelerations are kept.
void SolveDyad(bool branch, TBarState input, TBarState& coupler, TBarState& output, Extended d);

// The four-bar at input angle phi1 (branch flag clear): transmission angle gamma, phi2, phi3,
// omega3, eps3 and the coupler point E at distance lenBE from B, at angle delta against BC.
void FourBarAt(Extended phi1, Extended omega1, Extended a, Extended b, Extended c, Extended d,
               Extended delta, Extended lenBE, Extended& gamma, Extended& phi2, Extended& phi3,
               Extended& omega3, Extended& eps3, Extended& ex, Extended& ey);

// The point E on the coupler whose joint B and angle `coupler` holds.
void CouplerPoint(const TBarState& coupler, Extended delta, Extended lenBE, Extended& ex,
                  Extended& ey);

// Kind of the four-bar by Grashof's rule: -1 no quadrilateral, 0 double rocker,
// 1 crank-rocker with CD the crank, 10 with AB the crank, 11 double crank, 110 parallelogram.
// With `show` the kind's message goes through ShowMsg.
int ClassifyFourBar(bool show, Extended a, Extended b, Extended c, Extended d);
// The message of a kind code (-1: the lengths close no quadrilateral).
QString FourBarKindText(int code);

// Limits of the input angle and (for rocking kinds) of the output angle. Limits a kind does
// not define are left untouched. Throws EFloatError when an arc cosine is out of range.
void FourBarRange(Extended a, Extended b, Extended c, Extended d, Extended& phi1min,
                  Extended& phi1max, Extended& phi3min, Extended& phi3max);

// Slider displacement s (from the position farthest from A, positive towards A), velocity v
// and acceleration a of the crank-slider with crank r, rod l and offset e of the slide line.
void CrankSliderAt(Extended phi, Extended omega, Extended r, Extended l, Extended e,
                   Extended& s, Extended& v, Extended& a);

// Angle psi of the guide bar against the frame line DA (D at distance d below A), its angular
// velocity omega2 and acceleration alpha2, for the crank r at phi turning at omega (r < d).
void GuideBarAt(Extended phi, Extended omega, Extended r, Extended d, Extended& psi,
                Extended& omega2, Extended& alpha2);
