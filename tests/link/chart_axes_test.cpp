// The axis mapping beside the design charts: value ↔ pixel, and its text read back.
#include "link/chart_axes.h"

#include <gtest/gtest.h>

namespace {

ChartAxes twoPlots() {
  ChartAxes axes;
  axes.size = QSize(1208, 1432);
  ChartPlot top;
  top.quantity = QStringLiteral("MAXγmin");
  top.argument = QStringLiteral("φ12");
  top.area = QRectF(QPointF(150.5, 90.25), QPointF(1150.5, 650.75));
  top.xLeft = 180, top.xRight = 270, top.yBottom = 0, top.yTop = 90;
  ChartPlot bottom = top;
  bottom.quantity = QStringLiteral("β");
  bottom.area.translate(0, 700);
  bottom.yBottom = 100, bottom.yTop = 0;  // an axis may run downwards
  axes.plots = {top, bottom};
  return axes;
}

TEST(ChartAxesTest, TheAreaCornersAreTheEndsOfTheRanges) {
  const ChartPlot p = twoPlots().plots[0];
  EXPECT_EQ(p.ToPixel(180, 0), p.area.bottomLeft());
  EXPECT_EQ(p.ToPixel(270, 90), p.area.topRight());
  EXPECT_EQ(p.ToPixel(225, 45), p.area.center());
}

TEST(ChartAxesTest, PixelAndValueRoundTrip) {
  for (const ChartPlot& p : twoPlots().plots)
    for (Extended x : {180.0L, 205.0L, 269.9L, 300.0L})  // 300 lies beyond the area: no clamping
      for (Extended y : {0.0L, 39.08L, 100.0L}) {
        Extended bx, by;
        p.ToValue(p.ToPixel(x, y), bx, by);
        EXPECT_NEAR(bx, x, 1e-9);
        EXPECT_NEAR(by, y, 1e-9);
      }
}

TEST(ChartAxesTest, TextReadsBackToTheSameMapping) {
  const ChartAxes axes = twoPlots();
  QStringList lines = FormatChartAxes(axes);
  lines.insert(1, QStringLiteral("# comments and blank lines are skipped"));
  lines.insert(2, QString());
  ChartAxes read;
  ASSERT_TRUE(ParseChartAxes(lines, read));
  EXPECT_EQ(read.size, axes.size);
  ASSERT_EQ(read.plots.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(read.plots[i].quantity, axes.plots[i].quantity);
    EXPECT_EQ(read.plots[i].argument, axes.plots[i].argument);
    EXPECT_EQ(read.plots[i].area, axes.plots[i].area);
    EXPECT_EQ(read.plots[i].ToPixel(205, 39.08L), axes.plots[i].ToPixel(205, 39.08L));
  }
  ASSERT_NE(read.Find(QStringLiteral("β")), nullptr);
  EXPECT_EQ(read.Find(QStringLiteral("β"))->yBottom, 100);
  EXPECT_EQ(read.Find(QStringLiteral("a/d")), nullptr);
}

TEST(ChartAxesTest, RejectsWhatItCannotMapAndKeepsTheOldAxes) {
  const QString good = QStringLiteral("plot a/d ψ 10 10 110 60 60 180 1 5");
  const QString bad[] = {
      QStringLiteral("plot a/d ψ 10 10 110 60 60 180 1"),        // a field short
      QStringLiteral("plot a/d ψ 10 10 10 60 60 180 1 5"),       // no width
      QStringLiteral("plot a/d ψ 10 10 110 60 60 60 1 5"),       // no x range
      QStringLiteral("plot a/d ψ 10 10 110 60 60 180 1 nan"),    // no y range
      QStringLiteral("plot a/d ψ 10 10 110 60 60 180 1 5,5"),    // not a number
      QStringLiteral("axis a/d ψ 10 10 110 60 60 180 1 5"),      // unknown record
  };
  ChartAxes axes = twoPlots();
  for (const QString& line : bad)
    EXPECT_FALSE(ParseChartAxes({QStringLiteral("size 100 100"), line}, axes)) << line.toStdString();
  EXPECT_FALSE(ParseChartAxes({good}, axes));  // no size
  EXPECT_FALSE(ParseChartAxes({QStringLiteral("size 0 100"), good}, axes));
  EXPECT_EQ(axes.plots.size(), 2u);
  ASSERT_TRUE(ParseChartAxes({QStringLiteral("size 409 441"), good}, axes));
  EXPECT_EQ(axes.plots.size(), 1u);
}

}  // namespace
