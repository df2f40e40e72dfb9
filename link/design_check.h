// The design check: the linkage a design hands to its analysis is simulated over its whole input
// range with the loop geometry of the kinematics, and what it really does is set beside what the
// designer asked for, one row per quantity, with a plot of the quantity that matters most.
// Extrema and crossings found on a sweep are refined on the exact functions to 1e-6° / 1e-6 mm.
// Angles in degrees, lengths in mm (or the design's own ratios). Values in, values out: nothing
// here shows a window or a message.
#pragma once

#include "base/types.h"
#include "link/linkage.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

// "满足", "不满足", "偏小" (an unasked transmission angle under 40°) and "—" (advice only).
enum class CheckVerdict { Met, NotMet, Low, Advice };
QString VerdictText(CheckVerdict verdict);

struct CheckRow {
  QString item, asked, achieved, deviation;
  CheckVerdict verdict = CheckVerdict::Advice;
};

// A curve over the input range: marks are points of interest (a minimum, the nodes), line an
// asked level, band a range of the vertical value and shaded a range of the horizontal one.
struct CheckPlot {
  QString title, xLabel, yLabel;
  std::vector<QPointF> curve;
  std::vector<QPointF> marks;
  std::optional<double> line;
  std::optional<std::pair<double, double>> band, shaded;
};

struct DesignCheckResult {
  std::vector<CheckRow> rows;
  CheckPlot plot;
  // The rows judged "不满足", and their captions for the simple report.
  int failures() const;
  QStringList failedItems() const;
};

// The table's column titles: "校核项目", "设计要求", "实际结果", "偏差", "结论".
QStringList CheckColumnTitles();
// The tab's caption: "设计校核", or "设计校核（N项不满足）" when judged rows fail.
QString CheckTabCaption(const DesignCheckResult& result);
// The simple report's line: "设计校核：全部满足" or "设计校核：N项不满足（caption、caption）".
QString CheckSummaryLine(const DesignCheckResult& result);
// The detailed report's section: its heading "设计校核", then one line per row.
QStringList CheckReportLines(const DesignCheckResult& result);

// --- The simulation every check runs ---

// The linkage driven by its input link over the angles where its loop closes: a four-bar by AB
// (assembly as the analysis draws it), a crank-slider by its crank, a guide bar by its crank.
class LinkageSweep {
public:
  explicit LinkageSweep(const Linkage& linkage);

  // False when the loop closes nowhere (no quadrilateral, a rod too short for any position).
  bool valid() const { return m_valid; }
  // The input range: [0, 360) for a full turn, otherwise the arc between two dead positions.
  bool fullTurn() const { return m_fullTurn; }
  Extended lower() const { return m_lower; }
  Extended upper() const { return m_upper; }
  bool closes(Extended phi) const;

  // The driven link: the rocker's or guide bar's angle against the x axis (deg), or the slider's
  // distance from A along its guide (mm). A four-bar may be asked for the other assembly.
  Extended output(Extended phi, bool otherBranch = false) const;
  // The acute angle between coupler and driven link (deg); 90 for the guide bar.
  Extended transmission(Extended phi) const;

  // The input angles of the sweep, a step of at most 0.5° over the range.
  std::vector<Extended> samples() const;

  const Linkage& linkage() const { return m_linkage; }

private:
  Linkage m_linkage;
  bool m_valid = false, m_fullTurn = false;
  Extended m_lower = 0, m_upper = 360;
};

struct Extremum {
  Extended at = 0, value = 0;  // input angle and value there
};

// The smallest (or largest) value of f over [lower, upper] sampled at the given angles,
// refined by golden section between the neighbours of the best sample.
Extremum SweepMinimum(const std::function<Extended(Extended)>& f, const std::vector<Extended>& samples);
Extremum SweepMaximum(const std::function<Extended(Extended)>& f, const std::vector<Extended>& samples);
// Every angle where f crosses level between two samples, refined by bisection.
std::vector<Extended> SweepCrossings(const std::function<Extended(Extended)>& f, Extended level,
                                     const std::vector<Extended>& samples);

// The two dead positions of the driven link on a full crank turn (the extremes of output),
// with the crank turn from the first to the second counter-clockwise; false for a driven link
// that turns fully or an input that does not.
struct DeadPositions {
  Extremum low, high;     // smallest and largest output
  Extended lowToHigh = 0;  // crank turn from low to high, (0, 360)
};
bool FindDeadPositions(const LinkageSweep& sweep, DeadPositions& dead);

// --- The checks, one per window and type ---

// Corresponding positions, four-bar: φi + φ0 and ψi + ψ0 as typed.
struct CorrespondingAsk {
  Extended phi[3] = {}, psi[3] = {};
  Extended phi0 = 0, psi0 = 0;
};
DesignCheckResult CheckCorrespondingFourBar(const CorrespondingAsk& ask, const Linkage& linkage);

// Corresponding positions, crank-slider: the slider at si from A when the crank stands at φi.
struct CorrespondingSliderAsk {
  Extended phi[3] = {}, s[3] = {};
};
DesignCheckResult CheckCorrespondingCrankSlider(const CorrespondingSliderAsk& ask, const Linkage& linkage);

// Function generation: y = f(x) on [x0, xm] mapped onto φm and ψm from the start angles φ0, ψ0,
// exact at the nodes.
struct FunctionAsk {
  std::function<Extended(Extended)> f;
  Extended x0 = 0, xm = 0, phim = 0, psim = 0, phi0 = 0, psi0 = 0;
  std::vector<Extended> nodes;
};
DesignCheckResult CheckFunctionGeneration(const FunctionAsk& ask, const Linkage& linkage);

// Quick return: the asked K, the rocker's swing ψ or the stroke H, and γmin.
DesignCheckResult CheckQuickReturnCrankRocker(Extended K, Extended psi, Extended gammaMin, const Linkage& linkage);
DesignCheckResult CheckQuickReturnCrankSlider(Extended H, Extended K, Extended gammaMin, const Linkage& linkage);
DesignCheckResult CheckQuickReturnGuideBar(Extended K, Extended theta, const Linkage& linkage);

// Approximate dwell: the crank turn φ reported for the rocker within △ψ of its rear extreme;
// for the slider the stroke H asked and the crank angle φ reported where it is △H from its rear
// dead position.
DesignCheckResult CheckDwellCrankRocker(Extended dPsi, Extended phi, const Linkage& linkage);
DesignCheckResult CheckDwellCrankSlider(Extended H, Extended dH, Extended phi, const Linkage& linkage);

// Transmission angle: the crank-rocker of the largest γmin (φ12, ψ12 and the MAXγmin read off
// the chart); the crank-rocker with K = 1 (ψ12, γmin; readOffChart when the ratios were read
// off the chart); the offset crank-slider of stroke 1 (φ12 and the MAXγmin read); the double
// crank (its output's turn ψ and γmin at both positions).
DesignCheckResult CheckTransmissionCrankRocker1(Extended phi12, Extended psi12, Extended maxGammaMin,
                                                const Linkage& linkage);
DesignCheckResult CheckTransmissionCrankRocker2(Extended psi12, Extended gammaMin, bool readOffChart,
                                                const Linkage& linkage);
DesignCheckResult CheckTransmissionCrankSlider(Extended phi12, Extended maxGammaMin, const Linkage& linkage);
DesignCheckResult CheckDoubleCrank(Extended psi, Extended gammaMin, const Linkage& linkage);

// Coupler positions: the fixed pivots A, D and the moving pivots' positions Bi, Ci; the linkage
// in its own frame (A at the origin, D on the x axis).
struct CouplerPositionsAsk {
  QPointF A, D;
  QPointF B[3], C[3];
};
DesignCheckResult CheckCouplerPositions(const CouplerPositionsAsk& ask, const Linkage& linkage);

// The check's plot in rect: axes with tick values, the shaded interval, the band, the asked
// line, the curve and its marks.
void DrawCheckPlot(QPainter& painter, const QRectF& rect, const CheckPlot& plot);
