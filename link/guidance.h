// A hinged four-bar that guides its coupler through given positions. Each moving pivot of the
// coupler runs on a circle about a fixed pivot, so the fixed pivot is equidistant from the
// pivot's positions: on the perpendicular bisector of two positions, at the centre of the
// circle through three. Lengths in mm, angles in degrees counter-clockwise from +x.
// Nothing here checks the floating-point flags: numbers far out of range leave the results
// infinite or NaN and the flag set for the caller's FpuCheck().
#pragma once

#include "base/types.h"
#include "link/linkage.h"

#include <QStringList>
#include <array>

class QPainter;
class QRectF;
class QTransform;

struct GuidancePoint {
  Extended x = 0, y = 0;
};

// A position of the coupler: a point fixed in it and the angle of a line fixed in it.
struct CouplerPose {
  Extended x = 0, y = 0, angle = 0;
};

// The design types, in the order of the window's type list.
enum GuidanceType {
  kGuidanceTwoOnLine = 0,      // two positions of BC, the fixed pivots on the line y = y0
  kGuidanceThreeOfBC = 1,      // three positions of BC
  kGuidanceThreeOfPlane = 2,   // three positions of a line MN, B and C chosen in the coupler
};

struct GuidanceInput {
  int type = kGuidanceThreeOfBC;
  std::array<CouplerPose, 3> pose{};  // B and BC's angle (types 0, 1: the first two for type 0)
                                      // or M and MN's angle (type 2)
  Extended BC = 0;                    // types 0 and 1
  Extended y0 = 0;                    // type 0
  GuidancePoint B{}, C{};             // type 2: relative to M, x along MN

  // The numbers a new design of the type starts from.
  static GuidanceInput Defaults(int type);
};

enum class GuidanceFailure {
  None,
  ZeroCoupler,       // BC of zero length (points: B, C)
  CoincidentPoints,  // two positions of a pivot coincide, so their bisector is undefined
  Collinear,         // three positions of a pivot on one line: no circle through them
  BisectorParallel,  // the bisector runs parallel to the pivot line y = y0
  ZeroLink,          // a fixed pivot falls on a moving pivot or on the other fixed pivot
};

struct GuidanceFault {
  GuidanceFailure kind = GuidanceFailure::None;
  QStringList points;  // the names of the points concerned, as the construction labels them
};

// The message of a failure, naming its points; empty for None.
QString GuidanceMessage(const GuidanceFault& fault);

struct GuidanceDesign {
  int type = kGuidanceThreeOfBC;
  int count = 3;  // positions given: 2 for type 0
  GuidanceFault fault;
  std::array<GuidancePoint, 3> B{}, C{}, M{};  // M: type 2's marked point
  Extended y0 = 0;
  // The rest is set only when there is no fault.
  GuidancePoint A{}, D{};
  Extended AB = 0, BC = 0, CD = 0, AD = 0;
  Extended frameAngle = 0;  // of A→D, in (−180, 180]
  int kind = -1;            // ClassifyFourBar's code

  bool ok() const { return fault.kind == GuidanceFailure::None; }
};

// The point fixed in the coupler at `local` (x along the coupler's line, y to its left) when
// the coupler stands at `pose`.
GuidancePoint PosePoint(const CouplerPose& pose, GuidancePoint local);

// Where the perpendicular bisector of pq meets the line y = y0: None, CoincidentPoints or
// BisectorParallel (at untouched).
GuidanceFailure BisectorOnLine(GuidancePoint p, GuidancePoint q, Extended y0, GuidancePoint& at);

// The centre of the circle through three points: None, or Collinear (two points coinciding
// included) with centre untouched.
GuidanceFailure CircleCentre(GuidancePoint p1, GuidancePoint p2, GuidancePoint p3, GuidancePoint& centre);

// The moving pivots of every position, the fixed pivots, the lengths, the frame's angle and the
// kind; the first failure met otherwise.
GuidanceDesign DesignGuidance(const GuidanceInput& input);

// The linkage the analysis panel receives.
Linkage GuidanceLinkage(const GuidanceDesign& design);

// How the designed linkage reaches the given positions, in the frame the analysis draws (A at
// the origin, D on +x). `branch` is the branch flag of SolveDyad that assembles position i.
// The positions are in order when the input link can move from the first through the second to
// the third without leaving its range (a crank always can, in one of its two directions).
// A rocking input's range comes from FourBarRange, with its float error for lengths that do
// not close.
struct GuidanceMotion {
  int count = 0;
  std::array<Extended, 3> phi{};  // crank angle AB at position i, in [0, 360)
  std::array<bool, 3> branch{};
  bool sameBranch = false;
  bool inOrder = false;
  bool counterClockwise = false;  // the input's direction from the first to the last position
};
GuidanceMotion GuidancePositions(const GuidanceDesign& design);

// The construction at the real scale, fitted into `box`: the coupler positions, the bisectors
// (type 0, with the pivot line) or the circles through the pivots' positions (types 1, 2), A
// and D, and the linkage at position 1, labelled B₁, C₁ … A, D. Only the positions when the
// design failed; nothing but the blank box when a coordinate is not finite.
void DrawGuidanceConstruction(QPainter& canvas, const QRectF& box, const GuidanceDesign& design);

// The mapping from mm to the box's pixels that the construction uses.
QTransform GuidanceConstructionView(const QRectF& box, const GuidanceDesign& design);
