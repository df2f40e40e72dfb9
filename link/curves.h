// Motion curves of the driven member over a range of the input angle: position, velocity and
// acceleration in one picture, each scaled to its own largest absolute value.
#pragma once

#include "base/types.h"
#include "link/linkage.h"

class QImage;

// Angles and step in radians, omega in rad/s, lengths in mm. An empty range, a zero step or
// more than a million points raises EFloatError; a range that runs backwards draws the frame
// of the plot only.
void PlotCrankRockerCurves(QImage& image, Extended omega, Extended step, Extended start,
                           Extended end, Extended AB, Extended BC, Extended CD, Extended AD);
void PlotCrankSliderCurves(QImage& image, Extended omega, Extended step, Extended start,
                           Extended end, Extended r, Extended l, Extended e);
void PlotGuideBarCurves(QImage& image, Extended omega, Extended step, Extended start,
                        Extended end, Extended r, Extended d);
// A double rocker gets no series: the range fitted to the reachable swing, the axes (the y axis
// in the middle when the swing passes through 0) and the legend.
void PlotDoubleRockerCurves(QImage& image, Extended omega, Extended step, Extended start,
                            Extended end, Extended AB, Extended BC, Extended CD, Extended AD);

// The panel's "绘图" settings as typed: degrees and degrees per second.
struct CurveSettings {
  Extended step = 3, omega = 1, start = 0, end = 360;
  bool checkSpeed = true;  // the transmission-angle panels draw at any speed
};

enum class CurveOutcome {
  Drawn,
  ZeroSpeed,     // "角速度不能为零！" was shown; the panel puts the focus in the speed edit
  StepDeclined,  // the small-step question was answered No; focus in the step edit
  NoPlot,        // the four-bar's kind has no plot; its message was shown
};

// The drawing command of an analysis panel: checks the speed, asks before a step below 0.1°
// and chooses the plot by the linkage (a four-bar by its kind). Numeric failures of the plot
// propagate as EFloatError.
CurveOutcome DrawMotionCurves(QImage& image, const Linkage& linkage, const CurveSettings& settings);
