// The coupler point E of a hinged four-bar (on the coupler BC) or of a crank-slider (on the
// rod BC): its position, velocity and acceleration at one input angle, the range of the input
// link, and the closed path E traces over that range.
// Coordinates as in link/kinematics.h: A at the origin, D at (d, 0), angles counter-clockwise
// from AD; E = B + lenBE·(cos(φ2 + δ), sin(φ2 + δ)).
#pragma once

#include "base/types.h"
#include "link/linkage.h"

#include <QByteArray>
#include <QString>
#include <vector>

// A linkage with its coupler point. Four-bar kinds use AB, BC, CD, AD; the crank-slider uses
// r, l and the offset e of the slide line y = e. `crossed` picks the assembly: clear is the
// one every other part of the program draws (SolveDyad's branch flag clear; the slider right
// of B), set is the other.
struct CouplerLinkage {
  Linkage linkage;
  Extended lenBE = 0, delta = 0;  // mm, rad
  bool crossed = false;

  bool isSlider() const { return linkage.kind == LinkageKind::CrankSlider; }
};

// The linkage at one input angle, the input turning at the constant speed omega (rad/s).
struct CouplerPose {
  Extended phi = 0;
  bool crossed = false;
  Extended Bx = 0, By = 0, Cx = 0, Cy = 0, Ex = 0, Ey = 0;  // mm
  Extended phi2 = 0;                 // coupler (rod) angle, rad
  Extended vx = 0, vy = 0;           // E's velocity, mm/s
  Extended ax = 0, ay = 0;           // E's acceleration, mm/s²
  Extended gamma = 0;                // transmission angle, 0 … π/2
  // A dead point of the input (coupler and output in line, or the rod square to the slide):
  // E's speed at a constant input speed is unbounded there, so v and a are left 0.
  bool dead = false;
};

// The pose at phi on the given assembly; false where the linkage cannot be assembled there
// (and for kinds without a coupler point). The solution is fresh for every call.
bool CouplerAt(const CouplerLinkage& k, Extended phi, bool crossed, Extended omega, CouplerPose& pose);

// The range of the input link: a full turn, or a swing between phiMin and phiMax.
struct InputRange {
  bool turns = true;
  Extended phiMin = 0, phiMax = 2 * kPi;
};

// False when the linkage cannot be assembled at any input angle (or has no coupler point).
bool CouplerInputRange(const CouplerLinkage& k, InputRange& range);

struct CouplerSample {
  Extended phi, x, y, vx, vy, ax, ay, gamma;
  bool crossed, dead;
};

struct CouplerPath {
  InputRange range;
  std::vector<CouplerSample> samples;  // intervals + 1, the last where the first is
};

// E's path in `intervals` steps (at least 2, even). A turning input goes once round on k's
// assembly. A swinging input runs from phiMin to phiMax on k's assembly and back on the other,
// turning at -omega on the way back, so the curve closes where the real linkage closes it:
// both assemblies meet at the limits of the swing. False as CouplerInputRange; a float
// fault of extreme lengths propagates.
bool TraceCouplerPath(const CouplerLinkage& k, Extended omega, int intervals, CouplerPath& path);

// The path as a table for spreadsheet programs: UTF-8 with a byte-order mark, a Chinese
// header, φ in degrees, one row per sample, CR LF; a dead point leaves its v and a empty.
QByteArray CouplerPathCsv(const CouplerPath& path);

// What the workbench says of the linkage: ClassifyFourBar's text, or the crank-slider's kind.
QString CouplerLinkageKindText(const CouplerLinkage& k);
