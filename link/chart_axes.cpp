// The axis mapping of the design charts and its text form.
#include "link/chart_axes.h"

#include <cmath>

namespace {

// Seventeen digits read back to the same double; "." whatever the locale.
QString number(Extended v) { return QString::number(double(v), 'g', 17); }

}  // namespace

QPointF ChartPlot::ToPixel(Extended x, Extended y) const {
  const Extended u = (x - xLeft) / (xRight - xLeft), v = (y - yBottom) / (yTop - yBottom);
  return {double(area.left() + u * area.width()), double(area.bottom() - v * area.height())};
}

void ChartPlot::ToValue(QPointF pixel, Extended& x, Extended& y) const {
  x = xLeft + (xRight - xLeft) * Extended(pixel.x() - area.left()) / area.width();
  y = yBottom + (yTop - yBottom) * Extended(area.bottom() - pixel.y()) / area.height();
}

const ChartPlot* ChartAxes::Find(const QString& quantity) const {
  for (const ChartPlot& plot : plots)
    if (plot.quantity == quantity) return &plot;
  return nullptr;
}

QStringList FormatChartAxes(const ChartAxes& axes) {
  QStringList lines;
  lines << QStringLiteral("size %1 %2").arg(axes.size.width()).arg(axes.size.height());
  for (const ChartPlot& p : axes.plots)
    lines << QStringList{QStringLiteral("plot"), p.quantity, p.argument, number(p.area.left()),
                         number(p.area.top()), number(p.area.right()), number(p.area.bottom()),
                         number(p.xLeft), number(p.xRight), number(p.yBottom), number(p.yTop)}
                 .join(u' ');
  return lines;
}

bool ParseChartAxes(const QStringList& lines, ChartAxes& axes) {
  ChartAxes read;
  for (const QString& line : lines) {
    const QStringList f = line.split(u' ', Qt::SkipEmptyParts);
    if (f.isEmpty() || f[0].startsWith(u'#')) continue;
    bool ok = true;
    const auto num = [&](qsizetype i) {
      bool good = false;
      const double v = f[i].toDouble(&good);  // QString::toDouble reads "." in any locale
      ok = ok && good;
      return v;
    };
    if (f[0] == QStringLiteral("size") && f.size() == 3) {
      const int w = f[1].toInt(&ok), h = ok ? f[2].toInt(&ok) : 0;
      if (!ok || w <= 0 || h <= 0) return false;
      read.size = QSize(w, h);
    } else if (f[0] == QStringLiteral("plot") && f.size() == 11) {
      ChartPlot p;
      p.quantity = f[1];
      p.argument = f[2];
      const double left = num(3), top = num(4), right = num(5), bottom = num(6);
      p.area = QRectF(QPointF(left, top), QPointF(right, bottom));
      p.xLeft = num(7);
      p.xRight = num(8);
      p.yBottom = num(9);
      p.yTop = num(10);
      const bool finite = std::isfinite(p.xLeft) && std::isfinite(p.xRight) &&
                          std::isfinite(p.yBottom) && std::isfinite(p.yTop) &&
                          std::isfinite(right - left) && std::isfinite(bottom - top);
      if (!ok || !finite || !(right > left && bottom > top) || p.xLeft == p.xRight ||
          p.yBottom == p.yTop)
        return false;
      read.plots.push_back(p);
    } else {
      return false;
    }
  }
  if (read.size.isEmpty()) return false;
  axes = read;
  return true;
}
