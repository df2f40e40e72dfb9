// The rows of a kinematic result table as values: the input angle, the driven member's
// position, velocity and acceleration and, for four-bars, the coupler angle, the transmission
// angle and the coupler point E. The HTML page, the CSV file and the plot window all take
// their numbers from here, so they agree row for row.
#pragma once

#include "base/types.h"
#include "link/linkage.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// The four tables there are; a hinged four-bar of another kind has none.
enum class MotionTableKind { CrankRocker, DoubleRocker, CrankSlider, GuideBar };

// The table a linkage gets: a four-bar "by kind" is classified here (no message shown).
std::optional<MotionTableKind> MotionTableKindOf(const Linkage& linkage);

// Angles in radians, omega in rad/s; lenBE in mm and delta in radians place E on the coupler.
struct MotionSettings {
  Extended omega = 0, step = 0, start = 0, end = 0;
  Extended lenBE = 0, delta = 0;
  bool couplerSpeed = false;  // also compute |vE| (the tables do not show it)
};

struct MotionRow {
  long long i = 0;            // the row number the table shows; it starts again for the return
  bool returnStroke = false;  // the double rocker's second block
  Extended phi = 0;           // input angle
  // The driven member: rocker or guide bar angle (rad, rad/s, rad/s²), or the slider's
  // displacement (mm, mm/s, mm/s²).
  Extended position = 0, velocity = 0, acceleration = 0;
  // Four-bars only: coupler angle φ2, transmission angle γ, the point E and its speed.
  Extended coupler = 0, gamma = 0, ex = 0, ey = 0, couplerSpeed = 0;
};

// Computes the rows in table order and hands each to `row`; `returnStroke` runs once between
// the double rocker's two blocks. A zero step or more than a million rows raises EFloatError
// before the first row; a row's own numeric faults are left in the floating-point flags for
// the caller to judge, row by row.
void ForEachMotionRow(MotionTableKind kind, const Linkage& linkage, const MotionSettings& settings,
                      const std::function<void(const MotionRow&)>& row,
                      const std::function<void()>& returnStroke = {});

// All rows at once, for the plot window.
std::vector<MotionRow> MotionRows(MotionTableKind kind, const Linkage& linkage, const MotionSettings& settings);

// The cells of one row exactly as the table prints them: the row number, then degrees and
// millimetres with three decimals (the double rocker's speeds in scientific notation).
QStringList MotionCells(MotionTableKind kind, const MotionRow& row);

// The column headings in plain text with their units, for files other programs read.
QStringList MotionHeader(MotionTableKind kind);
