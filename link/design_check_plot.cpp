// The plot of a design check, drawn the same way on the window's tab and in the reports.
#include "base/numfmt.h"
#include "link/design_check.h"
#include "link/figures.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// Room for the tick values on the left, the title on top and the axis labels below.
constexpr double kLeft = 56, kRight = 16, kTop = 26, kBottom = 40;
constexpr int kTargetTicks = 6;

const QColor kShade(255, 236, 179);  // the reported interval
const QColor kBand(204, 229, 255);   // the allowed band of the output

struct Range {
  double lo = 0, hi = 0;
  bool empty = true;
  void add(double v) {
    if (!std::isfinite(v)) return;
    lo = empty ? v : std::min(lo, v);
    hi = empty ? v : std::max(hi, v);
    empty = false;
  }
};

// A tick step of 1, 2 or 5 times a power of ten giving about kTargetTicks ticks.
double tickStep(double span) {
  const double raw = span / kTargetTicks;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0})
    if (m * power >= raw) return m * power;
  return 10 * power;
}

// The range widened to whole ticks; a flat range gets some height.
double niceRange(Range& r) {
  if (r.empty) r = {0, 1, false};
  if (r.hi - r.lo < 1e-9 * std::max(1.0, std::fabs(r.hi))) {
    const double pad = std::max(1.0, std::fabs(r.hi) * 0.1);
    r.lo -= pad, r.hi += pad;
  }
  const double step = tickStep(r.hi - r.lo);
  r.lo = std::floor(r.lo / step + 1e-9) * step;
  r.hi = std::ceil(r.hi / step - 1e-9) * step;
  return step;
}

QString tickText(double v, double step) {
  const int decimals = std::max(0, -int(std::floor(std::log10(step) + 1e-9)));
  return FormatFixed(v, decimals);
}

}  // namespace

void DrawCheckPlot(QPainter& painter, const QRectF& rect, const CheckPlot& plot) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.fillRect(rect, Qt::white);
  painter.setFont(FigureFont());
  const QFontMetricsF metrics(painter.font());

  Range xs, ys;
  for (const QPointF& p : plot.curve) xs.add(p.x()), ys.add(p.y());
  for (const QPointF& p : plot.marks) xs.add(p.x()), ys.add(p.y());
  if (plot.line) ys.add(*plot.line);
  if (plot.band) ys.add(plot.band->first), ys.add(plot.band->second);
  if (plot.shaded) xs.add(plot.shaded->first), xs.add(plot.shaded->second);
  // A whole crank turn reads best in steps of 60°.
  const bool turn = !xs.empty && xs.lo >= 0 && xs.hi <= 360 && xs.hi - xs.lo >= 240;
  const double xStep = turn ? 60 : niceRange(xs), yStep = niceRange(ys);
  if (turn) xs.lo = 0, xs.hi = 360;

  const QRectF area(rect.left() + kLeft, rect.top() + kTop, std::max(10.0, rect.width() - kLeft - kRight),
                    std::max(10.0, rect.height() - kTop - kBottom));
  const auto px = [&](double x) { return area.left() + (x - xs.lo) / (xs.hi - xs.lo) * area.width(); };
  const auto py = [&](double y) { return area.bottom() - (y - ys.lo) / (ys.hi - ys.lo) * area.height(); };
  const auto at = [&](QPointF p) { return QPointF(px(p.x()), py(p.y())); };

  painter.setClipRect(area.adjusted(-1, -1, 1, 1));
  if (plot.shaded)
    painter.fillRect(QRectF(QPointF(px(plot.shaded->first), area.top()), QPointF(px(plot.shaded->second), area.bottom())),
                     kShade);
  if (plot.band)
    painter.fillRect(QRectF(QPointF(area.left(), py(plot.band->second)), QPointF(area.right(), py(plot.band->first))),
                     kBand);
  painter.setClipping(false);

  // Grid, ticks and their values.
  painter.setPen(QPen(QColor(220, 220, 220), 0));
  for (double x = xs.lo; x <= xs.hi + xStep * 1e-6; x += xStep) painter.drawLine(QPointF(px(x), area.top()), QPointF(px(x), area.bottom()));
  for (double y = ys.lo; y <= ys.hi + yStep * 1e-6; y += yStep) painter.drawLine(QPointF(area.left(), py(y)), QPointF(area.right(), py(y)));
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(area);
  for (double x = xs.lo; x <= xs.hi + xStep * 1e-6; x += xStep) {
    const QString text = tickText(x, xStep);
    painter.drawLine(QPointF(px(x), area.bottom()), QPointF(px(x), area.bottom() + 4));
    painter.drawText(QPointF(px(x) - metrics.horizontalAdvance(text) / 2, area.bottom() + 6 + metrics.ascent()), text);
  }
  for (double y = ys.lo; y <= ys.hi + yStep * 1e-6; y += yStep) {
    const QString text = tickText(y, yStep);
    painter.drawLine(QPointF(area.left() - 4, py(y)), QPointF(area.left(), py(y)));
    painter.drawText(QPointF(area.left() - 6 - metrics.horizontalAdvance(text), py(y) + metrics.ascent() / 2 - 1), text);
  }
  painter.drawText(QPointF(area.right() - metrics.horizontalAdvance(plot.xLabel), rect.bottom() - 4), plot.xLabel);
  painter.drawText(QPointF(rect.left() + 4, rect.top() + metrics.ascent() + 2), plot.yLabel);
  painter.drawText(QPointF(rect.center().x() - metrics.horizontalAdvance(plot.title) / 2, rect.top() + metrics.ascent() + 2),
                   plot.title);

  painter.setClipRect(area.adjusted(-3, -3, 3, 3));
  if (plot.line) {
    painter.setPen(QPen(kRed, 1, Qt::DashLine));
    painter.drawLine(QPointF(area.left(), py(*plot.line)), QPointF(area.right(), py(*plot.line)));
  }
  // The curve, broken where the linkage cannot be assembled.
  QPainterPath path;
  bool open = false;
  for (const QPointF& p : plot.curve) {
    if (!std::isfinite(p.x()) || !std::isfinite(p.y())) {
      open = false;
      continue;
    }
    if (open)
      path.lineTo(at(p));
    else
      path.moveTo(at(p));
    open = true;
  }
  painter.setPen(QPen(kBlue, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
  painter.setPen(QPen(kRed, 1.5));
  for (const QPointF& p : plot.marks)
    if (std::isfinite(p.x()) && std::isfinite(p.y())) painter.drawEllipse(at(p), 3.5, 3.5);
  painter.restore();
}
