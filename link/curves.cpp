// Motion curves and the drawing command of the analysis panels.
#include "link/curves.h"

#include "base/desktop.h"
#include "base/fpu.h"
#include "base/numfmt.h"
#include "link/figures.h"
#include "link/kinematics.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <vector>
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdlib>

namespace {

constexpr Extended kToDegrees = 180 / kPi;
// A series that stays (almost) zero is drawn flat on the x axis instead of being blown up.
constexpr Extended kSmallestScale = 1e-6L;
// Points are handed to the painter in batches; a polyline draws the same pixels as its
// segments drawn one by one.
constexpr int kBatch = 4096;
// Points whose values the scale pass keeps for the drawing pass (48 bytes each).
constexpr int kKeptPoints = 1 << 18;
constexpr Extended kMaxPoints = 1e6L;

const QColor kSeriesColour[3] = {kBlue, kRed, kGreen};

const QString kAngularLegend[3] = {QStringLiteral("Blue : 角位置曲线"),
                                   QStringLiteral("Red  : 角速度曲线"),
                                   QStringLiteral("Green: 角加速度曲线")};
const QString kLinearLegend[3] = {QStringLiteral("Blue : 位置曲线"),
                                  QStringLiteral("Red  : 速度曲线"),
                                  QStringLiteral("Green: 加速度曲线")};

// The float fault the arithmetic unit would have raised; FpuCheck throws it.
[[noreturn]] void raiseFloat(int exception) {
  std::feraiseexcept(exception);
  FpuCheck();
  std::abort();
}

struct PlotLayout {
  explicit PlotLayout(const QImage& image)
      : W(image.width()),
        H(image.height()),
        O(10, PixelRound((H - 20) / 2.0L)),
        X(W - 45),
        Y(PixelRound((H - 30) / 2.0L) - 15) {}
  int W, H;
  QPoint O;  // origin of the x axis
  int X;     // plot width
  int Y;     // half plot height
};

// White picture, black axes with the y axis from yStart, the two range labels.
void paintPlotFrame(QPainter& canvas, const QImage& image, const PlotLayout& g, QPoint yStart,
                    const QString& startText, const QString& endText, int endX) {
  canvas.fillRect(image.rect(), Qt::white);
  canvas.setFont(FigureFont());
  canvas.setPen(QPen(Qt::black, 1));
  DrawAxes(canvas, g.O, yStart, g.W - 30, g.H - 30);
  TextOut(canvas, 15, g.O.y() + 5, startText, Qt::black);
  TextOut(canvas, endX, g.O.y() + 8, endText, Qt::black);
}

void paintLegend(QPainter& canvas, const PlotLayout& g, const QString (&legend)[3]) {
  for (int j = 0; j < 3; ++j)
    TextOut(canvas, 40, g.O.y() + g.Y - 50 + 20 * j, legend[j], kSeriesColour[j]);
}

// The three series of eval(phi, values) over start, start + step, … in one picture. The scale
// pass runs before anything is painted, so a failing mechanism leaves the old picture.
template <class Eval>
void plotSeries(QImage& image, Extended step, Extended start, Extended end,
                const QString (&legend)[3], Eval eval) {
  if (step == 0) raiseFloat(FE_DIVBYZERO);
  if (end == start) raiseFloat(FE_INVALID);  // x of the first point would be 0/0
  // A range or step typed past a million points would keep the program busy for minutes: it
  // fails as an overflow, as the table of the same range does.
  if (!((end - start) / step <= kMaxPoints)) raiseFloat(FE_OVERFLOW);
  const int n = PixelRound((end - start) / step);

  // The drawing pass reuses the values of the scale pass when they fit in memory; beyond
  // that it evaluates them again, which gives the same values.
  std::vector<Extended> kept;
  const bool keep = n < kKeptPoints;
  if (keep) kept.reserve(3 * static_cast<std::size_t>(std::max(n + 1, 0)));
  Extended largest[3] = {kSmallestScale, kSmallestScale, kSmallestScale};
  Extended v[3];
  for (int i = 0; i <= n; ++i) {
    eval(start + i * step, v);
    for (int j = 0; j < 3; ++j) {
      if (!std::isfinite(v[j])) raiseFloat(FE_INVALID);
      largest[j] = std::max(largest[j], std::fabs(v[j]));
      if (keep) kept.push_back(v[j]);
    }
  }

  const PlotLayout g(image);
  QPainter canvas(&image);
  paintPlotFrame(canvas, image, g, {10, g.H - 20}, FormatG(start * kToDegrees) + u'°',
                 FormatG(end * kToDegrees) + u'°', g.W - 40);

  QPolygon line[3];
  const auto flush = [&](int j) {
    if (line[j].size() > 1) {
      canvas.setPen(QPen(kSeriesColour[j], 1));
      canvas.drawPolyline(line[j]);
    }
    const QPoint last = line[j].isEmpty() ? QPoint() : line[j].last();
    line[j].clear();
    line[j] << last;
  };
  for (int i = 0; i <= n; ++i) {
    if (keep)
      std::copy_n(kept.begin() + 3 * static_cast<std::size_t>(i), 3, v);
    else
      eval(start + i * step, v);
    const int x = PixelRound(i * step * g.X / (end - start)) + 10;
    for (int j = 0; j < 3; ++j) {
      const QPoint p(x, g.O.y() - PixelRound(v[j] / largest[j] * g.Y));
      if (line[j].isEmpty() || line[j].last() != p) line[j] << p;
      if (line[j].size() >= kBatch) flush(j);
    }
  }
  for (int j = 0; j < 3; ++j) flush(j);
  paintLegend(canvas, g, legend);
}

}  // namespace

void PlotCrankRockerCurves(QImage& image, Extended omega, Extended step, Extended start,
                           Extended end, Extended AB, Extended BC, Extended CD, Extended AD) {
  plotSeries(image, step, start, end, kAngularLegend, [&](Extended phi, Extended* v) {
    Extended gamma, phi2, ex, ey;
    FourBarAt(phi, omega, AB, BC, CD, AD, 0, 0, gamma, phi2, v[0], v[1], v[2], ex, ey);
  });
}

void PlotCrankSliderCurves(QImage& image, Extended omega, Extended step, Extended start,
                           Extended end, Extended r, Extended l, Extended e) {
  plotSeries(image, step, start, end, kLinearLegend, [&](Extended phi, Extended* v) {
    CrankSliderAt(phi, omega, r, l, e, v[0], v[1], v[2]);
  });
}

void PlotGuideBarCurves(QImage& image, Extended omega, Extended step, Extended start,
                        Extended end, Extended r, Extended d) {
  plotSeries(image, step, start, end, kAngularLegend, [&](Extended phi, Extended* v) {
    GuideBarAt(phi, omega, r, d, v[0], v[1], v[2]);
  });
}

void PlotDoubleRockerCurves(QImage& image, Extended omega, Extended step, Extended start,
                            Extended end, Extended AB, Extended BC, Extended CD, Extended AD) {
  (void)omega;
  (void)step;
  Extended phi1min = 0, phi1max = 0, phi3min = 0, phi3max = 0;
  FourBarRange(AB, BC, CD, AD, phi1min, phi1max, phi3min, phi3max);
  start = std::max(start, phi1min);
  end = std::min(end, phi1max);
  if (start > end) start = phi1min, end = phi1max;

  const PlotLayout g(image);
  const QPoint yStart(phi1min < 0 ? PixelRound((g.W - 30) / 2.0L) + 10 : 10, g.H - 20);
  QPainter canvas(&image);
  paintPlotFrame(canvas, image, g, yStart, FormatR(start * kToDegrees, 4) + u'°',
                 FormatR(end * kToDegrees, 4) + u'°', g.W - 55);
  paintLegend(canvas, g, kAngularLegend);
}

CurveOutcome DrawMotionCurves(QImage& image, const Linkage& k, const CurveSettings& s) {
  const Extended toRadians = kPi / 180;
  const Extended step = s.step * toRadians, omega = s.omega * toRadians;
  const Extended start = s.start * toRadians, end = s.end * toRadians;

  if (s.checkSpeed && s.omega == 0) {
    ShowMsg(QStringLiteral("角速度不能为零！"));
    return CurveOutcome::ZeroSpeed;
  }
  if (s.step < 0.1L &&
      Desktop().Question(QStringLiteral("为节省绘图时间，建议步长值不小于0.1！继续吗？"),
                         MsgButtons::YesNo) != MsgAnswer::Yes)
    return CurveOutcome::StepDeclined;

  switch (k.kind) {
    case LinkageKind::FourBarByKind:
      switch (ClassifyFourBar(false, k.AB, k.BC, k.CD, k.AD)) {
        case 0:
          PlotDoubleRockerCurves(image, omega, step, start, end, k.AB, k.BC, k.CD, k.AD);
          return CurveOutcome::Drawn;
        case 10:
          PlotCrankRockerCurves(image, omega, step, start, end, k.AB, k.BC, k.CD, k.AD);
          return CurveOutcome::Drawn;
        default:
          ShowMsg(QStringLiteral("暂无该类型机构的运动曲线绘制程序！"));
          return CurveOutcome::NoPlot;
      }
    case LinkageKind::CrankRocker:
      PlotCrankRockerCurves(image, omega, step, start, end, k.AB, k.BC, k.CD, k.AD);
      return CurveOutcome::Drawn;
    case LinkageKind::CrankSlider:
      PlotCrankSliderCurves(image, omega, step, start, end, k.r, k.l, k.e);
      return CurveOutcome::Drawn;
    case LinkageKind::GuideBar:
      PlotGuideBarCurves(image, omega, step, start, end, k.r, k.d);
      return CurveOutcome::Drawn;
  }
  return CurveOutcome::NoPlot;
}
