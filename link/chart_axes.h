// The axis mapping kept beside each design chart: for every quantity drawn, the pixel rectangle
// of its plot area and the values at the area's edges, so that a value can be marked at its
// exact pixel and a pixel read back as a value.
//
// The text, one record per line, fields separated by blanks (names contain none):
//   size <width> <height>
//   plot <quantity> <argument> <left> <top> <right> <bottom> <x at left> <x at right>
//        <y at bottom> <y at top>
// Pixel edges are picture coordinates (the top-left corner of the picture is 0 0, a pixel's
// centre is at +0.5); numbers are written with "." as the decimal point. Blank lines and lines
// starting with "#" are ignored.
#pragma once

#include "base/types.h"

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

struct ChartPlot {
  QString quantity;  // the value on the vertical axis: "MAXγmin", "β", "a/d" ...
  QString argument;  // the value on the horizontal axis: "φ12", "γmin", "ψ"
  QRectF area;       // in pixels of the picture
  Extended xLeft = 0, xRight = 1, yBottom = 0, yTop = 1;

  QPointF ToPixel(Extended x, Extended y) const;
  void ToValue(QPointF pixel, Extended& x, Extended& y) const;
};

struct ChartAxes {
  QSize size;  // of the picture
  std::vector<ChartPlot> plots;

  // The plot of a quantity, nullptr when the chart has none.
  const ChartPlot* Find(const QString& quantity) const;
};

QStringList FormatChartAxes(const ChartAxes& axes);
// False on any line it cannot read, on a plot with an empty area or value range, or without a
// size; `axes` is then left alone.
bool ParseChartAxes(const QStringList& lines, ChartAxes& axes);
