// The exact values a design chart of the transmission-angle window shows for the designer's own
// input, to be marked on the chart: the charts are computed, so the window knows what the user
// is about to read off them.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// A point of one plot of a chart: the plot's quantity (as named in the chart's axis file) at
// the argument x.
struct ChartMark {
  QString quantity;
  double x = 0, y = 0;
};

struct ChartReading {
  std::vector<ChartMark> marks;  // none where the chart has no value for the input
  QStringList caption;           // the input, then the values read (or why there are none)
};

// MAXγmin and β of the crank-rocker chart at φ12 for the curve of ψ12 (degrees).
ChartReading CrankRockerReading(double phi12, double psi12);
// MAXγmin, a/s, b/s, a/b and e/s of the offset crank-slider chart at φ12 (degrees).
ChartReading OffsetSliderReading(double phi12);
