// Draws the design charts of the transmission-angle method into images/CDJSJ/. Every curve is
// the exact solution of its design problem (link/charts.h), and the pictures are large enough
// to stay sharp when the chart viewer zooms in twice; each has roughly the aspect of the panel
// that shows it.
//
// Beside each <name>.bmp lies <name>.axes, the axis mapping of link/chart_axes.h: a line
// "size <width> <height>", then one line per quantity drawn,
//   plot <quantity> <argument> <left> <top> <right> <bottom> <x at left> <x at right>
//        <y at bottom> <y at top>
// with the plot area in picture pixels (a pixel's centre at +0.5) and the values at its edges;
// GB18030 text with CR LF, as every text file of the system. A window reads it back with
// ParseChartAxes to put a mark at the exact pixel of a value.
//
// Usage: make_charts <staged runtime folder>
#include "base/errors.h"
#include "base/textfile.h"
#include "link/chart_axes.h"
#include "link/charts.h"
#include "tools/pictures/kit.h"

#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <bit>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

using namespace pictures;

const QColor kMinorGrid(222, 222, 222);
const QColor kMajorGrid(160, 160, 160);
// Dark hues that stay apart when the chart is shrunk into its panel; curves beyond the fifth
// take them again, dashed.
const QColor kCurveColours[] = {{16, 52, 150}, {176, 34, 34}, {20, 118, 52}, {120, 44, 150}, {190, 96, 0}};
constexpr size_t kHues = std::size(kCurveColours);

QPen curvePen(size_t k) {
  QPen pen(kCurveColours[k % kHues], 3.2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
  if (k / kHues % 2 == 1) pen.setDashPattern({5, 2.5});
  return pen;
}

// Text sizes in picture pixels; the viewer shows a chart at about a third of its size at rest.
constexpr double kTitleSize = 48, kSubtitleSize = 34, kTickSize = 34, kAxisTitleSize = 36, kLabelSize = 32;

// One axis in its own units: the range, the spacing of the major and minor grid lines, and the
// decimals of the numbers at the major lines.
struct Scale {
  double from, to, major, minor;
  int decimals;
  int numberEvery = 1;  // major lines per number, where numbers would crowd
  int minorSteps() const { return qRound((to - from) / minor); }
};

// A curve in value coordinates, broken where its design problem has no solution.
struct Curve {
  QString label;  // markup; empty for the only curve of a plot
  std::vector<std::vector<QPointF>> pieces;
};

// One plot area. The origin lies on a pixel centre and every minor step is a whole number of
// pixels, so each grid line covers exactly one column or row of pixels.
struct Panel {
  QString quantity, argument;  // their names in the axis file
  QPointF origin;              // top-left corner of the area
  int xStep, yStep;            // pixels per minor step
  Scale x, y;
  QString yTitle, xTitle;      // markup, "MAX" set upright
  std::vector<Curve> curves;
  double labelAt = 0.5;        // where along x the curve labels would rather sit (0 left, 1 right)

  QRectF area() const {
    return {origin, QSizeF(x.minorSteps() * xStep, y.minorSteps() * yStep)};
  }
  ChartPlot plot(const QString& name) const {
    ChartPlot p;
    p.quantity = name;
    p.argument = argument;
    p.area = area();
    p.xLeft = x.from, p.xRight = x.to, p.yBottom = y.from, p.yTop = y.to;
    return p;
  }
};

// Markup in which "MAX" is set upright, as in MAXγ_{min}, and the rest by the kit's typesetter.
Box mixed(const QString& markup, double pixels) {
  const QStringList parts = markup.split(QStringLiteral("MAX"));
  std::vector<Box> boxes;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    if (i > 0) boxes.push_back(textBox(QStringLiteral("MAX"), serif(pixels, false)));
    if (!parts[i].isEmpty()) boxes.push_back(typeset(parts[i], pixels));
  }
  return row(boxes);
}

void paintAt(QPainter& p, const Box& box, QPointF baselineLeft, const QColor& colour = kInk) {
  p.setPen(colour);
  box.paint(p, baselineLeft);
}

QString number(double v, int decimals) { return QString::number(v, 'f', decimals); }

// --- Sampling the design problems ---

// Arguments from `from` to `to`: evenly every `step`, and crowding geometrically towards an end
// where a curve turns steep or runs off (closer than `step` down to 1e-5 of the argument).
std::vector<double> arguments(double from, double to, double step, bool crowdFrom, bool crowdTo) {
  std::vector<double> xs;
  const auto crowd = [&](double end, double sign) {
    for (double d = 1e-5; d < step; d *= 1.25) xs.push_back(end + sign * d);
  };
  if (crowdFrom) crowd(from, 1);
  const int n = qRound((to - from) / step);
  for (int i = crowdFrom ? 1 : 0; i <= (crowdTo ? n - 1 : n); ++i) xs.push_back(from + i * step);
  if (crowdTo) crowd(to, -1);
  std::sort(xs.begin(), xs.end());
  return xs;
}

// Solves a problem at every argument and returns one curve per value it gives.
using Problem = std::function<bool(double x, std::vector<double>& values)>;

std::vector<Curve> tabulate(const std::vector<double>& xs, const Problem& solve, size_t count) {
  std::vector<Curve> curves(count);
  bool inPiece = false;
  std::vector<double> values(count);
  for (double x : xs) {
    if (!solve(x, values)) {
      inPiece = false;
      continue;
    }
    for (size_t k = 0; k < count; ++k) {
      if (!inPiece) curves[k].pieces.emplace_back();
      curves[k].pieces.back().push_back(QPointF(x, values[k]));
    }
    inPiece = true;
  }
  return curves;
}

// --- Drawing ---

// The curve's points in pixels; values far beyond the range are held at a distance outside the
// area, where the clip hides them, so that the line still leaves the area where the curve does.
std::vector<std::vector<QPointF>> toPixels(const Panel& panel, const Curve& curve) {
  const ChartPlot plot = panel.plot(panel.quantity);
  const double span = panel.y.to - panel.y.from;
  std::vector<std::vector<QPointF>> out;
  for (const auto& piece : curve.pieces) {
    out.emplace_back();
    for (const QPointF& v : piece) {
      const double y = std::clamp(v.y(), panel.y.from - span, panel.y.to + span);
      out.back().push_back(plot.ToPixel(v.x(), y));
    }
  }
  return out;
}

void drawGrid(QPainter& p, const Panel& panel) {
  const QRectF a = panel.area();
  const ChartPlot plot = panel.plot(panel.quantity);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int pass = 0; pass < 2; ++pass) {  // minor lines first, the major ones over them
    const bool major = pass == 1;
    p.setPen(QPen(major ? kMajorGrid : kMinorGrid, 1));
    const int perMajorX = qRound(panel.x.major / panel.x.minor), perMajorY = qRound(panel.y.major / panel.y.minor);
    for (int i = 0; i <= panel.x.minorSteps(); ++i) {
      if ((i % perMajorX == 0) != major) continue;
      const double x = plot.ToPixel(panel.x.from + i * panel.x.minor, 0).x();
      p.drawLine(QPointF(x, a.top()), QPointF(x, a.bottom()));
    }
    for (int i = 0; i <= panel.y.minorSteps(); ++i) {
      if ((i % perMajorY == 0) != major) continue;
      const double y = plot.ToPixel(0, panel.y.from + i * panel.y.minor).y();
      p.drawLine(QPointF(a.left(), y), QPointF(a.right(), y));
    }
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(kInk, 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawRect(a);
}

void drawAxes(QPainter& p, const Panel& panel) {
  const QRectF a = panel.area();
  const ChartPlot plot = panel.plot(panel.quantity);
  const QFont tick = serif(kTickSize, false);
  for (double v = panel.x.from; v <= panel.x.to + 1e-9; v += panel.x.major * panel.x.numberEvery) {
    const Box b = textBox(number(v, panel.x.decimals), tick);
    const double x = plot.ToPixel(v, 0).x();
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(x, a.bottom()), QPointF(x, a.bottom() + 8));
    paintAt(p, b, QPointF(x - b.width / 2, a.bottom() + 14 + b.ascent));
  }
  for (double v = panel.y.from; v <= panel.y.to + 1e-9; v += panel.y.major) {
    const Box b = textBox(number(v, panel.y.decimals), tick);
    const double y = plot.ToPixel(0, v).y();
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(a.left() - 8, y), QPointF(a.left(), y));
    paintAt(p, b, QPointF(a.left() - 14 - b.width, y + b.ascent / 2));
  }
  const Box yTitle = mixed(panel.yTitle, kAxisTitleSize);
  paintAt(p, yTitle, QPointF(a.left() - 40, a.top() - 18 - yTitle.descent));
  const Box xTitle = mixed(panel.xTitle, kAxisTitleSize);
  paintAt(p, xTitle, QPointF(a.center().x() - xTitle.width / 2, a.bottom() + 60 + xTitle.ascent));
}

// A label sits on its curve, on a white patch that interrupts the line: where the patch hides
// least of the other curves and keeps clear of the other labels, near the panel's preferred place.
struct Placed {
  QRectF patch;
  QPointF centre;
};

// Which curves pass through each 4 × 4 cell of the plot area, one bit per curve.
class CurveCells {
public:
  static constexpr int kCell = 4;

  CurveCells(const QRectF& area, const std::vector<std::vector<std::vector<QPointF>>>& pixels)
      : m_origin(area.topLeft()), m_columns(int(area.width()) / kCell + 1), m_rows(int(area.height()) / kCell + 1),
        m_bits(size_t(m_columns) * m_rows, 0) {
    for (size_t k = 0; k < pixels.size(); ++k)
      for (const auto& piece : pixels[k])
        for (size_t i = 1; i < piece.size(); ++i) {
          const QPointF d = piece[i] - piece[i - 1];
          const int n = std::max(1, int(std::ceil(std::hypot(d.x(), d.y()) / 2)));
          for (int j = 0; j <= n; ++j) mark(piece[i - 1] + d * (double(j) / n), k);
        }
  }

  // How many cells of the rectangle other curves than `own` pass through.
  int crossings(const QRectF& r, size_t own) const {
    int n = 0;
    const int c0 = std::max(0, int((r.left() - m_origin.x()) / kCell)),
              c1 = std::min(m_columns - 1, int((r.right() - m_origin.x()) / kCell));
    const int r0 = std::max(0, int((r.top() - m_origin.y()) / kCell)),
              r1 = std::min(m_rows - 1, int((r.bottom() - m_origin.y()) / kCell));
    for (int row = r0; row <= r1; ++row)
      for (int col = c0; col <= c1; ++col) n += std::popcount(m_bits[size_t(row) * m_columns + col] & ~(1u << own));
    return n;
  }

private:
  void mark(QPointF at, size_t curve) {
    const int col = int((at.x() - m_origin.x()) / kCell), row = int((at.y() - m_origin.y()) / kCell);
    if (col >= 0 && col < m_columns && row >= 0 && row < m_rows) m_bits[size_t(row) * m_columns + col] |= 1u << curve;
  }

  QPointF m_origin;
  int m_columns, m_rows;
  std::vector<uint32_t> m_bits;
};

std::vector<Placed> placeLabels(const Panel& panel, const std::vector<std::vector<std::vector<QPointF>>>& pixels,
                                const std::vector<Box>& boxes) {
  const QRectF inside = panel.area().adjusted(6, 6, -6, -6);
  const CurveCells cells(panel.area(), pixels);
  // Every place on its curve where a label's patch fits into the area.
  std::vector<std::vector<Placed>> candidates(pixels.size());
  for (size_t k = 0; k < pixels.size(); ++k) {
    const QSizeF size(boxes[k].width + 10, boxes[k].ascent + boxes[k].descent + 6);
    for (const auto& piece : pixels[k])
      for (const QPointF& at : piece) {
        const QRectF patch(at - QPointF(size.width() / 2, size.height() / 2), size);
        if (inside.contains(patch)) candidates[k].push_back({patch, at});
      }
  }
  // The curves with the fewest places choose first.
  std::vector<size_t> order(pixels.size());
  for (size_t k = 0; k < order.size(); ++k) order[k] = k;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t i, size_t j) { return candidates[i].size() < candidates[j].size(); });
  std::vector<Placed> placed(pixels.size());
  std::vector<QRectF> taken;
  for (size_t k : order) {
    double bestCost = INFINITY;
    for (const Placed& c : candidates[k]) {
      double cost = 40.0 * cells.crossings(c.patch.adjusted(-4, -4, 4, 4), k);
      for (const QRectF& other : taken) {
        const QRectF overlap = other.adjusted(-4, -4, 4, 4).intersected(c.patch);
        if (!overlap.isEmpty()) cost += 1e6 + 1e3 * overlap.width() * overlap.height();  // the least, if it must
      }
      cost += 300 * std::fabs((c.centre.x() - inside.left()) / inside.width() - panel.labelAt);
      if (cost < bestCost) bestCost = cost, placed[k] = c;
    }
    if (!placed[k].patch.isEmpty()) taken.push_back(placed[k].patch);
  }
  return placed;
}

void drawCurves(QPainter& p, const Panel& panel) {
  std::vector<std::vector<std::vector<QPointF>>> pixels;
  std::vector<Box> boxes;
  for (const Curve& c : panel.curves) {
    pixels.push_back(toPixels(panel, c));
    boxes.push_back(typeset(c.label, kLabelSize));
  }
  p.save();
  p.setClipRect(panel.area().adjusted(1.5, 1.5, -1.5, -1.5));
  for (size_t k = 0; k < pixels.size(); ++k) {
    p.setPen(curvePen(k));
    for (const auto& piece : pixels[k]) p.drawPolyline(piece.data(), int(piece.size()));
  }
  p.restore();
  if (panel.curves.size() < 2) return;
  const std::vector<Placed> placed = placeLabels(panel, pixels, boxes);
  for (size_t k = 0; k < placed.size(); ++k) {
    if (placed[k].patch.isEmpty()) continue;
    const QColor colour = kCurveColours[k % kHues];
    p.setPen(QPen(colour, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(placed[k].patch, 6, 6);
    const Box& b = boxes[k];
    paintAt(p, b, placed[k].centre + QPointF(-b.width / 2, (b.ascent - b.descent) / 2), colour);
  }
}

void drawPanel(QPainter& p, const Panel& panel) {
  drawGrid(p, panel);
  drawCurves(p, panel);
  drawAxes(p, panel);
}

// Title lines centred at the top, and notes left-aligned under the last plot.
void drawTitle(QPainter& p, double width, const QString& title, const QString& subtitle) {
  QFont heading = cjk(kTitleSize);
  heading.setBold(true);
  const Box t = textBox(title, heading);
  paintAt(p, t, QPointF((width - t.width) / 2, 26 + t.ascent));
  const Box s = mixed(subtitle, kSubtitleSize);
  paintAt(p, s, QPointF((width - s.width) / 2, 26 + t.ascent + t.descent + 22 + s.ascent));
}

void drawNote(QPainter& p, QPointF baselineLeft, const QString& note) {
  paintAt(p, mixed(note, 26), baselineLeft, kConstruction.darker(140));
}

// --- The charts ---

struct Chart {
  QString name;
  QImage image;
  ChartAxes axes;
};

// A chart's picture being drawn, its titles already on it.
struct Page {
  Page(int width, int height, const QString& title, const QString& subtitle) : image(canvas(width, height)) {
    p.begin(&image);
    smooth(p);
    drawTitle(p, width, title, subtitle);
  }
  QImage image;
  QPainter p;
};

// The picture and the axis file of the panels; `quantities` names what each panel holds where
// that is more than its own quantity.
Chart finish(const QString& name, Page& page, const std::vector<Panel>& panels,
             const std::vector<std::vector<QString>>& quantities = {}) {
  page.p.end();
  Chart c{name, page.image, {}};
  c.axes.size = page.image.size();
  for (size_t i = 0; i < panels.size(); ++i) {
    if (i < quantities.size())
      for (const QString& q : quantities[i]) c.axes.plots.push_back(panels[i].plot(q));
    else
      c.axes.plots.push_back(panels[i].plot(panels[i].quantity));
  }
  return c;
}

const int kPsi12[] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};

QString psi12Label(int psi) { return QStringLiteral("ψ_{12}=%1°").arg(psi); }

// MAXγmin and β over φ12, a curve per ψ12 (the crank-rocker of the largest minimum
// transmission angle). Portrait, as the panel of 345 × 409.
Chart crankRockerChart() {
  Page page(1208, 1432, QStringLiteral("按最小传动角具有最大值的条件设计曲柄摇杆机构"),
            QStringLiteral("MAXγ_{min}及β与φ_{12}的关系（d=1，各曲线为ψ_{12}）"));
  const Scale phi{180, 270, 10, 2, 0};
  Panel gamma{QStringLiteral("MAXγmin"), QStringLiteral("φ12"), {160.5, 195.5}, 22, 12, phi, {0, 90, 10, 2, 0},
              QStringLiteral("MAXγ_{min}/(°)"), QStringLiteral("φ_{12}/(°)"), {}, 0.3};
  Panel beta{QStringLiteral("β"), QStringLiteral("φ12"), {160.5, 875.5}, 22, 8, phi, {0, 100, 10, 2, 0},
             QStringLiteral("β/(°)"), QStringLiteral("φ_{12}/(°)"), {}, 0.55};
  const std::vector<double> xs = arguments(180, 270, 0.05, true, false);
  for (int psi12 : kPsi12) {
    const std::vector<Curve> both = tabulate(
        xs,
        [&](double phi12, std::vector<double>& v) {
          Extended g, b;
          if (!MaxGammaMinCrankRocker(phi12, psi12, g, b)) return false;
          v = {double(g), double(b)};
          return true;
        },
        2);
    gamma.curves.push_back({psi12Label(psi12), both[0].pieces});
    beta.curves.push_back({psi12Label(psi12), both[1].pieces});
  }
  drawPanel(page.p, gamma);
  drawPanel(page.p, beta);
  drawNote(page.p, QPointF(60, 1414), QStringLiteral("β：摇杆在远极限位置时曲柄与机架间的夹角；φ_{12}=180°时无最大值。"));
  return finish(QStringLiteral("yg1image2"), page, {gamma, beta});
}

// a/d, b/d, c/d over γmin, a curve per ψ12 (the crank-rocker with K = 1 from its formulas).
// Portrait, as the panel of 353 × 433.
Chart k1Chart() {
  Page page(1200, 1472, QStringLiteral("按最小传动角设计行程速比系数K=1的曲柄摇杆机构"),
            QStringLiteral("a/d、b/d、c/d与γ_{min}的关系（d=1，各曲线为ψ_{12}）"));
  const Scale gammaScale{0, 90, 10, 2, 0}, ratio{0, 1, 0.1, 0.05, 1};
  const QString names[] = {QStringLiteral("a/d"), QStringLiteral("b/d"), QStringLiteral("c/d")};
  const double tops[] = {170.5, 600.5, 1030.5};
  const double prefer[] = {0.35, 0.6, 0.45};
  std::vector<Panel> panels;
  for (int i = 0; i < 3; ++i)
    panels.push_back({names[i], QStringLiteral("γmin"), {160.5, tops[i]}, 22, 16, gammaScale, ratio, names[i],
                      QStringLiteral("γ_{min}/(°)"), {}, prefer[i]});
  for (int psi12 : kPsi12) {
    // a and c fall steeply to 0 where γmin reaches 90° − ψ12/2
    const std::vector<Curve> abc = tabulate(
        arguments(0, 90 - psi12 / 2.0, 0.05, false, true),
        [&](double gammaMin, std::vector<double>& v) {
          Extended a, b, c;
          if (!CrankRockerK1Ratios(psi12, gammaMin, a, b, c)) return false;
          v = {double(a), double(b), double(c)};
          return true;
        },
        3);
    for (int i = 0; i < 3; ++i) panels[i].curves.push_back({psi12Label(psi12), abc[i].pieces});
  }
  for (const Panel& panel : panels) drawPanel(page.p, panel);
  return finish(QStringLiteral("yg2image31"), page, panels);
}

// MAXγmin and a/s, b/s, a/b, e/s over φ12 (the offset crank-slider of the largest minimum
// transmission angle). Landscape, as the panel of 557 × 298.
Chart sliderChart() {
  Page page(1500, 802, QStringLiteral("按最小传动角具有最大值的条件设计偏置曲柄-滑块机构"),
            QStringLiteral("MAXγ_{min}及a/s、b/s、a/b、e/s与φ_{12}的关系（s为滑块行程）"));
  const Scale phi{180, 270, 10, 2, 0, 2};
  Panel gamma{QStringLiteral("MAXγmin"), QStringLiteral("φ12"), {120.5, 190.5}, 12, 10, phi, {0, 90, 10, 2, 0},
              QStringLiteral("MAXγ_{min}/(°)"), QStringLiteral("φ_{12}/(°)"), {}, 0.5};
  Panel ratios{QStringLiteral("a/s"), QStringLiteral("φ12"), {860.5, 200.5}, 12, 11, phi, {0, 2, 0.5, 0.05, 1},
               QStringLiteral("a/s、b/s、a/b、e/s"), QStringLiteral("φ_{12}/(°)"), {}, 0.45};
  const std::vector<double> xs = arguments(180, 270, 0.05, true, true);
  const std::vector<Curve> all = tabulate(
      xs,
      [](double phi12, std::vector<double>& v) {
        Extended g, a, b, e;
        if (!MaxGammaMinOffsetSlider(phi12, g, a, b, e)) return false;
        v = {double(g), double(a), double(b), double(a / b), double(e)};
        return true;
      },
      5);
  gamma.curves.push_back(all[0]);
  const QString names[] = {QStringLiteral("a/s"), QStringLiteral("b/s"), QStringLiteral("a/b"), QStringLiteral("e/s")};
  for (int i = 0; i < 4; ++i) ratios.curves.push_back({names[i], all[i + 1].pieces});
  drawPanel(page.p, gamma);
  drawPanel(page.p, ratios);
  drawNote(page.p, QPointF(60, 782), QStringLiteral("θ=φ_{12}−180°为极位夹角；e为偏距；φ_{12}=180°时不适用。"));
  return finish(QStringLiteral("qbhkimage2"), page, {gamma, ratios},
                {{QStringLiteral("MAXγmin")}, {names[0], names[1], names[2], names[3]}});
}

// One of a/d, b/d, c/d over ψ, a curve per γmin (the double crank). Square-ish, as the panel of
// 409 × 441.
Chart doubleCrankChart(int which) {
  const QString name = QStringList{QStringLiteral("a/d"), QStringLiteral("b/d"), QStringLiteral("c/d")}[which];
  // full-width letters, upright in the CJK face, as the window's text names the charts (a), (b), (c)
  const QString letter = QStringList{QStringLiteral("ａ"), QStringLiteral("ｂ"), QStringLiteral("ｃ")}[which];
  Page page(1227, 1323, QStringLiteral("根据最小传动角设计双曲柄机构"),
            QStringLiteral("（%1）%2与ψ的关系（d=1，各曲线为γ_{min}）").arg(letter, name));
  // c/d stays low but for the last few degrees before 180°
  const Scale ratio = which == 2 ? Scale{1, 3, 0.25, 0.05, 2} : Scale{1, 5, 0.5, 0.1, 1};
  Panel panel{name, QStringLiteral("ψ"), {170.5, 180.5}, 15, 25, {50, 180, 10, 2, 0}, ratio, name,
              QStringLiteral("ψ/(°)"), {}, which == 0 ? 0.5 : which == 1 ? 0.35 : 0.5};
  for (int gammaMin = 25; gammaMin <= 55; gammaMin += 5) {
    // the curve starts where ψ = 2γmin
    std::vector<double> own = arguments(2 * gammaMin, 180, 0.05, true, true);
    const std::vector<Curve> one = tabulate(
        own,
        [&](double psi, std::vector<double>& v) {
          Extended a, b, c;
          if (!DoubleCrankRatios(psi, gammaMin, a, b, c)) return false;
          v = {double(which == 0 ? a : which == 1 ? b : c)};
          return true;
        },
        1);
    panel.curves.push_back({QStringLiteral("γ_{min}=%1°").arg(gammaMin), one[0].pieces});
  }
  drawPanel(page.p, panel);
  drawNote(page.p, QPointF(60, 1300), QStringLiteral("输入杆AB转180°时输出杆DC转ψ，两个最小传动角相等，均为γ_{min}。"));
  return finish(QStringLiteral("sqbimage%1").arg(which + 2), page, {panel});
}

}  // namespace

int main(int argc, char** argv) {
  // Drawn without a display, on the build machine.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_charts <runtime folder>\n");
    return 2;
  }
  for (const QString& family : {kSerif, kCjkSans})
    if (!QFontDatabase::hasFamily(family))
      std::fprintf(stderr, "make_charts: warning: font \"%s\" is missing, the charts use a substitute\n",
                   qPrintable(family));
  QElapsedTimer clock;
  clock.start();
  const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/images/CDJSJ/");
  const std::vector<Chart> charts = {crankRockerChart(), k1Chart(),           sliderChart(),
                                     doubleCrankChart(0), doubleCrankChart(1), doubleCrankChart(2)};
  for (const Chart& c : charts) {
    if (!save(folder + c.name + QStringLiteral(".bmp"), c.image)) {
      std::fprintf(stderr, "make_charts: cannot write %s.bmp\n", qPrintable(c.name));
      return 1;
    }
    try {
      WriteTextLines(folder + c.name + QStringLiteral(".axes"), FormatChartAxes(c.axes));
    } catch (const EFileError&) {
      std::fprintf(stderr, "make_charts: cannot write %s.axes\n", qPrintable(c.name));
      return 1;
    }
  }
  std::printf("make_charts: %zu charts in %lld ms\n", charts.size(), static_cast<long long>(clock.elapsed()));
  return 0;
}
