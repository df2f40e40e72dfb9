// The design charts the build draws into the staged images/CDJSJ/: readable pictures shaped like
// the chart panels that show them, and axis files whose mapping lands on the curves.
#include "base/textfile.h"
#include "link/chart_axes.h"

#include <QImage>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString kCharts = QStringLiteral(KV_TEST_APPDIR "images/CDJSJ/");

struct ChartCase {
  const char* name;
  QSize size;
  QSize panel;  // the picture box of the chart viewer at rest
  QStringList quantities;
  friend void PrintTo(const ChartCase& c, std::ostream* os) { *os << c.name; }
};

ChartAxes readAxes(const QString& name) {
  ChartAxes axes;
  EXPECT_TRUE(ParseChartAxes(ReadTextLines(kCharts + name + QStringLiteral(".axes")), axes)) << name.toStdString();
  return axes;
}

class DesignChartTest : public ::testing::TestWithParam<ChartCase> {};

TEST_P(DesignChartTest, IsAPictureShapedLikeItsPanelWithAnAxisFileThatFitsIt) {
  const ChartCase& c = GetParam();
  const QImage chart(kCharts + QString::fromLatin1(c.name) + QStringLiteral(".bmp"), "BMP");
  ASSERT_FALSE(chart.isNull());
  EXPECT_EQ(chart.size(), c.size);
  // sharp after two steps of 1.2 in the viewer, and no bars or stretching when fitted
  EXPECT_GE(std::max(chart.width(), chart.height()), 1200);
  EXPECT_NEAR(double(chart.width()) / chart.height(), double(c.panel.width()) / c.panel.height(), 0.01);
  EXPECT_EQ(chart.pixel(2, 2), qRgb(255, 255, 255));

  const ChartAxes axes = readAxes(QString::fromLatin1(c.name));
  EXPECT_EQ(axes.size, chart.size());
  ASSERT_EQ(int(axes.plots.size()), c.quantities.size());
  for (const QString& q : c.quantities) {
    const ChartPlot* plot = axes.Find(q);
    ASSERT_NE(plot, nullptr) << q.toStdString();
    EXPECT_TRUE(QRectF(chart.rect()).contains(plot->area)) << q.toStdString();
    // the frame of the plot area is drawn where the file says
    const QPoint corner = plot->area.topLeft().toPoint();
    EXPECT_LT(qGray(chart.pixel(corner)), 80) << q.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Charts, DesignChartTest,
    ::testing::Values(
        ChartCase{"yg1image2", {1208, 1432}, {345, 409}, {QStringLiteral("MAXγmin"), QStringLiteral("β")}},
        ChartCase{"yg2image31", {1200, 1472}, {353, 433},
                  {QStringLiteral("a/d"), QStringLiteral("b/d"), QStringLiteral("c/d")}},
        ChartCase{"qbhkimage2", {1500, 802}, {557, 298},
                  {QStringLiteral("MAXγmin"), QStringLiteral("a/s"), QStringLiteral("b/s"), QStringLiteral("a/b"),
                   QStringLiteral("e/s")}},
        ChartCase{"sqbimage2", {1227, 1323}, {409, 441}, {QStringLiteral("a/d")}},
        ChartCase{"sqbimage3", {1227, 1323}, {409, 441}, {QStringLiteral("b/d")}},
        ChartCase{"sqbimage4", {1227, 1323}, {409, 441}, {QStringLiteral("c/d")}}));

// A curve passes within 3 pixels of where the axis file puts a known design: a strongly coloured
// pixel there, where grid and text are grey and black.
bool curveNear(const QImage& chart, QPointF at) {
  for (int dy = -3; dy <= 3; ++dy)
    for (int dx = -3; dx <= 3; ++dx) {
      const QRgb p = chart.pixel(qRound(at.x()) + dx, qRound(at.y()) + dy);
      const int hi = std::max({qRed(p), qGreen(p), qBlue(p)}), lo = std::min({qRed(p), qGreen(p), qBlue(p)});
      if (hi - lo > 80) return true;
    }
  return false;
}

TEST(DesignChartTest, TheAxisFilePutsKnownDesignsOnTheirCurves) {
  const struct {
    const char* chart;
    QString quantity;
    Extended x, y, clear;  // clear: a value at the same x that no curve comes near
  } known[] = {
      {"qbhkimage2", QStringLiteral("MAXγmin"), 200, 42.81L, 80},     // offset crank-slider, φ12 200°
      {"qbhkimage2", QStringLiteral("e/s"), 200, 0.3774L, 1.5L},
      {"sqbimage2", QStringLiteral("a/d"), 120, std::sqrt(3.0L), 1.2L},  // double crank, ψ 120°, γmin 30°
      {"sqbimage3", QStringLiteral("b/d"), 120, std::sqrt(2.0L), 1.05L},
  };
  for (const auto& k : known) {
    const QString name = QString::fromLatin1(k.chart);
    const QImage chart(kCharts + name + QStringLiteral(".bmp"), "BMP");
    const ChartAxes axes = readAxes(name);
    const ChartPlot* plot = axes.Find(k.quantity);
    ASSERT_NE(plot, nullptr);
    EXPECT_TRUE(curveNear(chart, plot->ToPixel(k.x, k.y))) << k.chart << " " << k.quantity.toStdString();
    EXPECT_FALSE(curveNear(chart, plot->ToPixel(k.x, k.clear))) << k.chart << " " << k.quantity.toStdString();
  }
}

}  // namespace
