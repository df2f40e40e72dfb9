#include "methods/CDJSJ/chart_readings.h"

#include "base/numfmt.h"
#include "link/charts.h"

namespace {

// Angles to a hundredth of a degree and ratios to three decimals: finer than any chart is read.
QString angle(double v) { return FormatR(v, 2) + QStringLiteral("°"); }
QString ratio(double v) { return FormatR(v, 3); }

}  // namespace

ChartReading CrankRockerReading(double phi12, double psi12) {
  ChartReading r;
  r.caption << QStringLiteral("φ12=") + angle(phi12) + QStringLiteral("，ψ12=") + angle(psi12);
  Extended gammaMin = 0, beta = 0;
  if (!MaxGammaMinCrankRocker(phi12, psi12, gammaMin, beta)) {
    r.caption << QStringLiteral("图中无此φ12、ψ12的值");
    return r;
  }
  r.marks = {{QStringLiteral("MAXγmin"), phi12, double(gammaMin)}, {QStringLiteral("β"), phi12, double(beta)}};
  r.caption << QStringLiteral("MAXγmin=") + angle(double(gammaMin)) << QStringLiteral("β=") + angle(double(beta));
  return r;
}

ChartReading OffsetSliderReading(double phi12) {
  ChartReading r;
  r.caption << QStringLiteral("φ12=") + angle(phi12);
  Extended gammaMin = 0, a = 0, b = 0, e = 0;
  if (!MaxGammaMinOffsetSlider(phi12, gammaMin, a, b, e)) {
    r.caption << QStringLiteral("图中无此φ12的值（180°<φ12<270°）");
    return r;
  }
  const double ab = double(a / b);
  r.marks = {{QStringLiteral("MAXγmin"), phi12, double(gammaMin)},
             {QStringLiteral("a/s"), phi12, double(a)},
             {QStringLiteral("b/s"), phi12, double(b)},
             {QStringLiteral("a/b"), phi12, ab},
             {QStringLiteral("e/s"), phi12, double(e)}};
  r.caption << QStringLiteral("MAXγmin=") + angle(double(gammaMin))
            << QStringLiteral("a/s=") + ratio(double(a)) + QStringLiteral("，b/s=") + ratio(double(b))
            << QStringLiteral("a/b=") + ratio(ab) + QStringLiteral("，e/s=") + ratio(double(e));
  return r;
}
