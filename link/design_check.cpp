// The design check: the simulation of the handed-over linkage and the rows of every design type.
#include "link/design_check.h"

#include "base/numfmt.h"
#include "link/kinematics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr Extended kRad = kPi / 180;
constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();

// The sweep's step: fine enough that no extremum or crossing of a linkage we design hides
// between two samples; the refinement does the rest.
constexpr Extended kSweepStep = 0.5L;
// Where the input range ends: the closing test is sampled this finely, then bisected.
constexpr Extended kRangeStep = 0.25L;
// Refinement stops far below the 1e-6° the rows are accurate to.
constexpr Extended kRefineTol = 1e-10L;

// Tolerances of the verdicts: angles, K, lengths (relative), values read off a chart.
constexpr Extended kAngleTol = 0.01L;
constexpr Extended kRatioTol = 0.001L;
constexpr Extended kLengthTol = 0.001L;
constexpr Extended kChartAngleTol = 0.5L;
constexpr Extended kChartRelTol = 0.005L;
// The usual allowed minimum of the transmission angle.
constexpr Extended kAdvisedGamma = 40;

const QString kDeg = QStringLiteral("°");
const QString kMm = QStringLiteral(" mm");
const QString kDash = QStringLiteral("—");

Extended wrap180(Extended deg) {
  deg = std::fmod(deg, Extended(360));
  if (deg > 180) deg -= 360;
  if (deg <= -180) deg += 360;
  return deg;
}

Extended wrap360(Extended deg) {
  deg = std::fmod(deg, Extended(360));
  if (deg < 0) deg += 360;
  return deg < 360 ? deg : 0;
}

QString fixed(Extended v, const QString& unit) { return FormatFixed(v, 3) + unit; }

// A crank angle on a full turn, shown in [0, 360): 359.9999999 reads "0.000°".
QString crankAngle(Extended phi, bool fullTurn) {
  if (!fullTurn) return fixed(phi, kDeg);
  const QString text = FormatFixed(wrap360(phi), 3);
  return (text == QStringLiteral("360.000") ? QStringLiteral("0.000") : text) + kDeg;
}

bool within(Extended deviation, Extended tolerance) {
  return std::isfinite(deviation) && std::fabs(deviation) <= tolerance * (1 + 1e-9L);
}

CheckRow valueRow(const QString& item, Extended asked, Extended achieved, const QString& unit, Extended tolerance,
                  const QString& note = {}) {
  const Extended deviation = achieved - asked;
  return {item, fixed(asked, unit), fixed(achieved, unit) + note, fixed(deviation, unit),
          within(deviation, tolerance) ? CheckVerdict::Met : CheckVerdict::NotMet};
}

// An asked minimum: more than asked is as good.
CheckRow minimumRow(const QString& item, Extended asked, Extended achieved, const QString& unit, Extended tolerance,
                    const QString& note = {}) {
  CheckRow row = valueRow(item, asked, achieved, unit, tolerance, note);
  if (achieved >= asked) row.verdict = CheckVerdict::Met;
  return row;
}

CheckRow failedRow(const QString& item, const QString& asked, const QString& why) {
  return {item, asked, why, kDash, CheckVerdict::NotMet};
}

CheckRow adviceRow(const QString& item, const QString& achieved) { return {item, kDash, achieved, kDash, CheckVerdict::Advice}; }

// The bracket of golden section around a sample, on a turn also across 0°/360°.
void bracketOf(const std::vector<Extended>& x, std::size_t i, Extended& lo, Extended& hi) {
  const bool circular = x.size() > 2 && std::fabs(x.back() - x.front() - 360) < 1e-9L;
  lo = i > 0 ? x[i - 1] : circular ? x[0] - (x[1] - x[0]) : x[0];
  hi = i + 1 < x.size() ? x[i + 1] : circular ? x[i] + (x[1] - x[0]) : x[i];
}

Extremum sweepBest(const std::function<Extended(Extended)>& f, const std::vector<Extended>& x, Extended sign) {
  Extremum best{kNaN, kNaN};
  std::size_t at = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const Extended v = sign * f(x[i]);
    if (std::isfinite(v) && !(sign * best.value <= v)) best = {x[i], sign * v}, at = i;
  }
  if (!std::isfinite(best.value)) return best;
  const auto g = [&](Extended t) {
    const Extended v = sign * f(t);
    return std::isfinite(v) ? v : std::numeric_limits<Extended>::max();
  };
  Extended lo = 0, hi = 0;
  bracketOf(x, at, lo, hi);
  const Extended r = (std::sqrt(Extended(5)) - 1) / 2;
  Extended x1 = hi - r * (hi - lo), x2 = lo + r * (hi - lo), f1 = g(x1), f2 = g(x2);
  while (hi - lo > kRefineTol) {
    if (f1 < f2) {
      hi = x2, x2 = x1, f2 = f1;
      x1 = hi - r * (hi - lo);
      f1 = g(x1);
    } else {
      lo = x1, x1 = x2, f1 = f2;
      x2 = lo + r * (hi - lo);
      f2 = g(x2);
    }
  }
  const Extended t = (lo + hi) / 2, v = g(t);
  if (v < sign * best.value) best = {t, sign * v};
  return best;
}

// Bisection of a predicate's change between a (holding `atA`) and b.
Extended bisectChange(const std::function<bool(Extended)>& p, Extended a, Extended b) {
  const bool atA = p(a);
  for (int i = 0; i < 200 && std::fabs(b - a) > kRefineTol; ++i) {
    const Extended m = (a + b) / 2;
    (p(m) == atA ? a : b) = m;
  }
  return (a + b) / 2;
}

QString fourBarKind(const Linkage& k) {
  switch (ClassifyFourBar(false, k.AB, k.BC, k.CD, k.AD)) {
    case 0: return QStringLiteral("双摇杆机构");
    case 1: return QStringLiteral("曲柄摇杆机构（CD为曲柄）");
    case 10: return QStringLiteral("曲柄摇杆机构（AB为曲柄）");
    case 11: return QStringLiteral("双曲柄机构");
    case 110: return QStringLiteral("平行四边形机构");
    default: return QStringLiteral("不能构成机构");
  }
}

// The transmission angle over the whole input range: its minimum, as advice or against an
// asked minimum, and the plot with the minimum marked.
Extremum gammaMinimum(const LinkageSweep& sweep, const std::vector<Extended>& x) {
  return SweepMinimum([&](Extended p) { return sweep.transmission(p); }, x);
}

QString gammaText(const Extremum& g, bool fullTurn) {
  return fixed(g.value, kDeg) + QStringLiteral("（φ=") + crankAngle(g.at, fullTurn) + QStringLiteral("）");
}

CheckRow gammaAdvice(const Extremum& g, bool fullTurn) {
  CheckRow row = adviceRow(QStringLiteral("最小传动角"), gammaText(g, fullTurn));
  if (g.value < kAdvisedGamma) row.verdict = CheckVerdict::Low;
  return row;
}

CheckPlot gammaPlot(const LinkageSweep& sweep, const std::vector<Extended>& x, const Extremum& g, Extended level) {
  CheckPlot plot;
  plot.title = QStringLiteral("传动角γ随曲柄转角φ的变化");
  plot.xLabel = QStringLiteral("φ/(°)");
  plot.yLabel = QStringLiteral("γ/(°)");
  for (Extended p : x) plot.curve.emplace_back(double(p), double(sweep.transmission(p)));
  if (std::isfinite(g.value)) plot.marks.emplace_back(double(g.at), double(g.value));
  plot.line = double(level);
  return plot;
}

// The four-bar's moving joints in its own frame (A at the origin, D = (d, 0)) for an asked pair
// of input and output angles: the assembly is the side of the diagonal BD that C lies on.
int assemblySide(const Linkage& k, Extended phi, Extended psi) {
  const Extended bx = k.AB * std::cos(phi * kRad), by = k.AB * std::sin(phi * kRad);
  const Extended cx = k.AD + k.CD * std::cos(psi * kRad), cy = k.CD * std::sin(psi * kRad);
  const Extended cross = (k.AD - bx) * (cy - by) - (0 - by) * (cx - bx);
  return cross >= 0 ? 1 : -1;
}

// "装配构形": every asked position on one assembly of the linkage.
CheckRow branchRow(bool oneBranch, const QString& positions) {
  return {QStringLiteral("装配构形"), QStringLiteral("同一构形"),
          oneBranch ? QStringLiteral("是") : QStringLiteral("否（各") + positions + QStringLiteral("分属两种装配构形）"), kDash,
          oneBranch ? CheckVerdict::Met : CheckVerdict::NotMet};
}

// "运动连续性": the input passes φ1, φ2, φ3 in order, on one assembly, without reaching an end
// of its range, where the linkage stands in a dead position.
CheckRow continuityRow(const LinkageSweep& sweep, const Extended (&phi)[3], bool oneBranch) {
  QString why;
  const bool ordered = (phi[0] < phi[1] && phi[1] < phi[2]) || (phi[0] > phi[1] && phi[1] > phi[2]);
  if (!ordered) {
    why = QStringLiteral("否（φ2不在φ1与φ3之间）");
  } else if (!oneBranch) {
    why = QStringLiteral("否（须经死点换到另一构形）");
  } else if (!sweep.fullTurn()) {
    Extended lo = std::min(phi[0], phi[2]);
    const Extended length = std::fabs(phi[2] - phi[0]);
    lo = sweep.lower() + wrap360(lo - sweep.lower());
    if (!(lo > sweep.lower() && lo + length < sweep.upper())) why = QStringLiteral("否（输入杆在两位置间到达死点）");
  }
  return {QStringLiteral("运动连续性"), QStringLiteral("依次连续通过各位置"), why.isEmpty() ? QStringLiteral("是") : why,
          kDash, why.isEmpty() ? CheckVerdict::Met : CheckVerdict::NotMet};
}

// "装配构形" and "运动连续性" of a four-bar that should pass three asked positions in order.
void positionRows(const LinkageSweep& sweep, const Extended (&phi)[3], const Extended (&psi)[3],
                  std::vector<CheckRow>& rows) {
  int sides[3];
  for (int i = 0; i < 3; ++i) sides[i] = assemblySide(sweep.linkage(), phi[i], psi[i]);
  const bool oneBranch = sides[0] == sides[1] && sides[1] == sides[2];
  rows.push_back(branchRow(oneBranch, QStringLiteral("位置")));
  rows.push_back(continuityRow(sweep, phi, oneBranch));
}

// The output's dead positions, or the failed rows that say why there are none.
bool deadPositions(const LinkageSweep& sweep, DeadPositions& dead, std::vector<CheckRow>& rows) {
  if (!sweep.valid()) {
    rows.push_back(failedRow(QStringLiteral("机构类型"), kDash, QStringLiteral("不能构成机构")));
    return false;
  }
  if (!FindDeadPositions(sweep, dead)) {
    rows.push_back(failedRow(QStringLiteral("机构类型"), QStringLiteral("曲柄整周转动"),
                             QStringLiteral("从动件无极限位置或曲柄不能整周转动")));
    return false;
  }
  return true;
}

// The larger and the smaller crank turn between the dead positions.
Extended slowTurn(const DeadPositions& d) { return std::max(d.lowToHigh, 360 - d.lowToHigh); }
Extended fastTurn(const DeadPositions& d) { return std::min(d.lowToHigh, 360 - d.lowToHigh); }
Extended travelRatio(const DeadPositions& d) { return slowTurn(d) / fastTurn(d); }

// The crank angles before and after the driven link's extreme where its output f crosses
// level: between them it stays nearer the extreme than that.
bool bandAround(const std::function<Extended(Extended)>& f, const std::vector<Extended>& samples,
                const Extremum& extreme, Extended level, Extended& before, Extended& after) {
  const std::vector<Extended> crossings = SweepCrossings(f, level, samples);
  if (crossings.size() < 2) return false;
  Extended bestBefore = 361, bestAfter = 361;
  for (Extended c : crossings) {
    const Extended ahead = wrap360(c - extreme.at), behind = wrap360(extreme.at - c);
    if (ahead < bestAfter) bestAfter = ahead, after = extreme.at + ahead;
    if (behind < bestBefore) bestBefore = behind, before = extreme.at - behind;
  }
  return true;
}

// The dwell plot: how far the driven link is from its extreme over the crank angles around it.
CheckPlot dwellPlot(const LinkageSweep& sweep, const Extremum& extreme, Extended span, Extended band,
                    Extended shadedFrom, Extended shadedTo, const QString& yLabel) {
  CheckPlot plot;
  plot.title = QStringLiteral("后极限位置附近从动件的运动");
  plot.xLabel = QStringLiteral("φ/(°)");
  plot.yLabel = yLabel;
  const Extended half = std::min<Extended>(180, span / 2 + 30);
  const int n = int(std::ceil(2 * half / kSweepStep));
  for (int i = 0; i <= n; ++i) {
    const Extended p = extreme.at - half + 2 * half * i / n;
    plot.curve.emplace_back(double(p), double(std::fabs(sweep.output(p) - extreme.value)));
  }
  plot.marks.emplace_back(double(extreme.at), 0.0);
  plot.band = std::make_pair(0.0, double(band));
  plot.shaded = std::make_pair(double(std::min(shadedFrom, shadedTo)), double(std::max(shadedFrom, shadedTo)));
  return plot;
}

// The four-bar output relative to a reference direction, so that a rocker's swing does not
// jump at ±180°.
struct RockerAngle {
  const LinkageSweep& sweep;
  Extended reference;
  Extended operator()(Extended p) const { return reference + wrap180(sweep.output(p) - reference); }
};

}  // namespace

QString VerdictText(CheckVerdict verdict) {
  switch (verdict) {
    case CheckVerdict::Met: return QStringLiteral("满足");
    case CheckVerdict::NotMet: return QStringLiteral("不满足");
    case CheckVerdict::Low: return QStringLiteral("偏小");
    case CheckVerdict::Advice: break;
  }
  return kDash;
}

int DesignCheckResult::failures() const {
  return int(std::count_if(rows.begin(), rows.end(), [](const CheckRow& r) { return r.verdict == CheckVerdict::NotMet; }));
}

QStringList DesignCheckResult::failedItems() const {
  QStringList items;
  for (const CheckRow& r : rows)
    if (r.verdict == CheckVerdict::NotMet) items << r.item;
  return items;
}

QStringList CheckColumnTitles() {
  return {QStringLiteral("校核项目"), QStringLiteral("设计要求"), QStringLiteral("实际结果"), QStringLiteral("偏差"),
          QStringLiteral("结论")};
}

QString CheckTabCaption(const DesignCheckResult& result) {
  const int n = result.failures();
  return n == 0 ? QStringLiteral("设计校核") : QStringLiteral("设计校核（%1项不满足）").arg(n);
}

QString CheckSummaryLine(const DesignCheckResult& result) {
  const int n = result.failures();
  if (n == 0) return QStringLiteral("设计校核：全部满足");
  return QStringLiteral("设计校核：%1项不满足（").arg(n) + result.failedItems().join(QStringLiteral("、")) +
         QStringLiteral("）");
}

QStringList CheckReportLines(const DesignCheckResult& result) {
  QStringList lines{QStringLiteral("设计校核")};
  int number = 0;
  for (const CheckRow& r : result.rows)
    lines << QStringLiteral("    %1. ").arg(++number) + r.item + QStringLiteral("：设计要求 ") + r.asked +
                 QStringLiteral("，实际结果 ") + r.achieved + QStringLiteral("，偏差 ") + r.deviation +
                 QStringLiteral("，结论：") + VerdictText(r.verdict);
  lines << QStringLiteral("    ") + CheckSummaryLine(result);
  return lines;
}

// --- LinkageSweep ---

LinkageSweep::LinkageSweep(const Linkage& linkage) : m_linkage(linkage) {
  const int n = int(360 / kRangeStep);
  std::vector<bool> closing(n);
  int count = 0;
  for (int i = 0; i < n; ++i) count += (closing[i] = closes(i * kRangeStep)) ? 1 : 0;
  if (count == 0) return;
  m_valid = true;
  if (count == n) {
    m_fullTurn = true;
    return;
  }
  // The longest run of closing samples on the circle; the first one found wins a tie, which
  // is the arc above the frame line, as the analysis takes it.
  int first = 0;
  while (closing[first]) ++first;
  int bestStart = 0, bestLength = 0;
  for (int j = 1; j <= n; ++j) {
    const int i = (first + j) % n;
    if (!closing[i]) continue;
    int length = 0;
    while (closing[(i + length) % n]) ++length;
    if (length > bestLength) bestStart = i, bestLength = length;
    j += length;
  }
  const auto inside = [this](Extended p) { return closes(p); };
  const Extended start = bestStart * kRangeStep;
  const Extended end = start + (bestLength - 1) * kRangeStep;
  m_lower = bisectChange(inside, start, start - kRangeStep);
  m_upper = bisectChange(inside, end, end + kRangeStep);
  if (m_lower >= 180) m_lower -= 360, m_upper -= 360;
}

bool LinkageSweep::closes(Extended phi) const {
  const Linkage& k = m_linkage;
  const Extended c = std::cos(phi * kRad), s = std::sin(phi * kRad);
  switch (k.kind) {
    case LinkageKind::FourBarByKind:
    case LinkageKind::CrankRocker: {
      if (!(k.AB > 0 && k.BC > 0 && k.CD > 0 && k.AD > 0)) return false;
      const Extended bd2 = k.AB * k.AB + k.AD * k.AD - 2 * k.AB * k.AD * c;
      return bd2 >= (k.BC - k.CD) * (k.BC - k.CD) && bd2 <= (k.BC + k.CD) * (k.BC + k.CD);
    }
    case LinkageKind::CrankSlider:
      return k.r > 0 && k.l > 0 && std::fabs(k.e - k.r * s) <= k.l;
    case LinkageKind::GuideBar:
      return k.r > 0 && k.d > k.r;
  }
  return false;
}

Extended LinkageSweep::output(Extended phi, bool otherBranch) const {
  if (!closes(phi)) return kNaN;
  const Linkage& k = m_linkage;
  switch (k.kind) {
    case LinkageKind::FourBarByKind:
    case LinkageKind::CrankRocker: {
      TBarState input{0, 0, k.AB, phi * kRad, 1, 0}, coupler{}, output{};
      coupler.Len = k.BC;
      output.Len = k.CD;
      SolveDyad(otherBranch, input, coupler, output, k.AD);
      return output.Angle / kRad;
    }
    case LinkageKind::CrankSlider: {
      if (otherBranch) {  // C behind B on the guide
        const Extended u = k.e - k.r * std::sin(phi * kRad);
        return k.r * std::cos(phi * kRad) - std::sqrt(k.l * k.l - u * u);
      }
      Extended s, v, a;
      CrankSliderAt(phi * kRad, 1, k.r, k.l, k.e, s, v, a);
      return std::sqrt((k.l + k.r) * (k.l + k.r) - k.e * k.e) - s;
    }
    case LinkageKind::GuideBar: {
      Extended psi, omega, alpha;
      GuideBarAt(phi * kRad, 1, k.r, k.d, psi, omega, alpha);
      return psi / kRad;
    }
  }
  return kNaN;
}

Extended LinkageSweep::transmission(Extended phi) const {
  if (!closes(phi)) return kNaN;
  const Linkage& k = m_linkage;
  switch (k.kind) {
    case LinkageKind::FourBarByKind:
    case LinkageKind::CrankRocker: {
      TBarState input{0, 0, k.AB, phi * kRad, 1, 0}, coupler{}, output{};
      coupler.Len = k.BC;
      output.Len = k.CD;
      SolveDyad(false, input, coupler, output, k.AD);
      const Extended g = std::fmod(std::fabs(output.Angle - coupler.Angle) / kRad, Extended(180));
      return std::min(g, 180 - g);
    }
    case LinkageKind::CrankSlider: {
      // The rod against the normal of the guide.
      const Extended u = std::fabs(k.e - k.r * std::sin(phi * kRad)) / k.l;
      return std::acos(std::min<Extended>(u, 1)) / kRad;
    }
    case LinkageKind::GuideBar:
      return 90;  // the block presses square onto the bar
  }
  return kNaN;
}

std::vector<Extended> LinkageSweep::samples() const {
  std::vector<Extended> x;
  if (!m_valid) return x;
  const Extended lo = m_fullTurn ? 0 : m_lower, hi = m_fullTurn ? 360 : m_upper;
  const int n = std::max(2, int(std::ceil((hi - lo) / kSweepStep)));
  x.reserve(n + 1);
  for (int i = 0; i <= n; ++i) x.push_back(lo + (hi - lo) * i / n);
  return x;
}

Extremum SweepMinimum(const std::function<Extended(Extended)>& f, const std::vector<Extended>& samples) {
  return sweepBest(f, samples, 1);
}

Extremum SweepMaximum(const std::function<Extended(Extended)>& f, const std::vector<Extended>& samples) {
  return sweepBest(f, samples, -1);
}

std::vector<Extended> SweepCrossings(const std::function<Extended(Extended)>& f, Extended level,
                                     const std::vector<Extended>& samples) {
  std::vector<Extended> found;
  for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
    const Extended a = f(samples[i]) - level, b = f(samples[i + 1]) - level;
    if (!std::isfinite(a) || !std::isfinite(b)) continue;
    if (a == 0) {
      found.push_back(samples[i]);
    } else if ((a < 0) != (b < 0) && b != 0) {
      found.push_back(bisectChange([&](Extended p) { return f(p) - level < 0; }, samples[i], samples[i + 1]));
    }
  }
  return found;
}

bool FindDeadPositions(const LinkageSweep& sweep, DeadPositions& dead) {
  if (!sweep.valid() || !sweep.fullTurn()) return false;
  const std::vector<Extended> x = sweep.samples();
  const Linkage& k = sweep.linkage();
  const bool fourBar = k.kind == LinkageKind::FourBarByKind || k.kind == LinkageKind::CrankRocker;
  std::function<Extended(Extended)> out = [&](Extended p) { return sweep.output(p); };
  if (fourBar) {
    // Unwrapped over the turn, a rocker comes back where it started; a crank has turned 360°.
    const Extended start = sweep.output(x[0]);
    Extended previous = start, unwrapped = start, lo = start, hi = start;
    for (Extended p : x) {
      const Extended v = sweep.output(p);
      unwrapped += wrap180(v - previous);
      previous = v;
      lo = std::min(lo, unwrapped), hi = std::max(hi, unwrapped);
    }
    if (std::fabs(unwrapped - start) > 180) return false;
    out = RockerAngle{sweep, (lo + hi) / 2};
  }
  dead.low = SweepMinimum(out, x);
  dead.high = SweepMaximum(out, x);
  dead.low.at = wrap360(dead.low.at);
  dead.high.at = wrap360(dead.high.at);
  dead.lowToHigh = wrap360(dead.high.at - dead.low.at);
  return std::isfinite(dead.low.value) && std::isfinite(dead.high.value) && dead.lowToHigh > 0;
}

// --- Corresponding positions ---

DesignCheckResult CheckCorrespondingFourBar(const CorrespondingAsk& ask, const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  if (!sweep.valid()) {
    r.rows.push_back(failedRow(QStringLiteral("机构类型"), kDash, QStringLiteral("不能构成机构")));
    return r;
  }
  Extended phi[3], psi[3];
  for (int i = 0; i < 3; ++i) {
    phi[i] = ask.phi[i] + ask.phi0;
    psi[i] = ask.psi[i] + ask.psi0;
    const QString item = QStringLiteral("位置%1（φ%1+φ0=").arg(i + 1) + fixed(phi[i], kDeg) + QStringLiteral("）");
    if (!sweep.closes(phi[i])) {
      r.rows.push_back(failedRow(item, fixed(psi[i], kDeg), QStringLiteral("机构不能到达该位置")));
      continue;
    }
    const Extended deviation = wrap180(sweep.output(phi[i]) - psi[i]);
    r.rows.push_back(valueRow(item, psi[i], psi[i] + deviation, kDeg, kAngleTol));
  }
  positionRows(sweep, phi, psi, r.rows);
  r.rows.push_back(adviceRow(QStringLiteral("机构类型"), fourBarKind(linkage)));
  const std::vector<Extended> x = sweep.samples();
  const Extremum g = gammaMinimum(sweep, x);
  r.rows.push_back(gammaAdvice(g, sweep.fullTurn()));
  r.plot = gammaPlot(sweep, x, g, kAdvisedGamma);
  return r;
}

DesignCheckResult CheckCorrespondingCrankSlider(const CorrespondingSliderAsk& ask, const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  if (!sweep.valid()) {
    r.rows.push_back(failedRow(QStringLiteral("机构类型"), kDash, QStringLiteral("不能构成机构")));
    return r;
  }
  int sides[3];
  for (int i = 0; i < 3; ++i) {
    const QString item = QStringLiteral("位置%1（φ%1=").arg(i + 1) + fixed(ask.phi[i], kDeg) + QStringLiteral("）");
    // The asked slider position lies ahead of B or behind it: the two assemblies.
    sides[i] = ask.s[i] >= linkage.r * std::cos(ask.phi[i] * kRad) ? 1 : -1;
    if (!sweep.closes(ask.phi[i])) {
      r.rows.push_back(failedRow(item, fixed(ask.s[i], kMm), QStringLiteral("机构不能到达该位置")));
      continue;
    }
    r.rows.push_back(valueRow(item, ask.s[i], sweep.output(ask.phi[i]), kMm, kLengthTol * std::fabs(ask.s[i])));
  }
  const bool oneBranch = sides[0] == sides[1] && sides[1] == sides[2];
  r.rows.push_back(branchRow(oneBranch, QStringLiteral("位置")));
  r.rows.push_back(continuityRow(sweep, ask.phi, oneBranch));
  r.rows.push_back(adviceRow(QStringLiteral("机构类型"), sweep.fullTurn() ? QStringLiteral("曲柄滑块机构（曲柄可整周转动）")
                                                                          : QStringLiteral("曲柄不能整周转动")));
  const std::vector<Extended> x = sweep.samples();
  const Extremum g = gammaMinimum(sweep, x);
  r.rows.push_back(gammaAdvice(g, sweep.fullTurn()));
  r.plot = gammaPlot(sweep, x, g, kAdvisedGamma);
  return r;
}

// --- Function generation ---

DesignCheckResult CheckFunctionGeneration(const FunctionAsk& ask, const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  if (!sweep.valid() || !ask.f || ask.phim == 0 || ask.psim == 0 || ask.xm == ask.x0) {
    r.rows.push_back(failedRow(QStringLiteral("机构类型"), kDash, QStringLiteral("不能构成机构")));
    return r;
  }
  const Extended y0 = ask.f(ask.x0), ym = ask.f(ask.xm);
  const Extended mux = (ask.xm - ask.x0) / ask.phim, muy = (ym - y0) / ask.psim;
  const auto phiOf = [&](Extended x) { return ask.phi0 + (x - ask.x0) / mux; };
  // The structural error as an angle of the output: what the linkage turns minus what f asks.
  const auto error = [&](Extended x) {
    return wrap180(sweep.output(phiOf(x)) - ask.psi0 - (ask.f(x) - y0) / muy);
  };

  Extremum node{kNaN, -1};
  int firstSide = 0;
  bool oneBranch = true, nodesClose = true;
  for (Extended x : ask.nodes) {
    const Extended e = std::fabs(error(x));
    nodesClose = nodesClose && std::isfinite(e);
    if (e > node.value) node = {x, e};
    const int side = assemblySide(linkage, phiOf(x), ask.psi0 + (ask.f(x) - y0) / muy);
    if (firstSide == 0) firstSide = side;
    oneBranch = oneBranch && side == firstSide;
  }
  if (!nodesClose || ask.nodes.empty())
    r.rows.push_back(failedRow(QStringLiteral("结点处误差"), fixed(0, kDeg), QStringLiteral("结点处机构不能装配")));
  else
    r.rows.push_back(valueRow(QStringLiteral("结点处误差"), 0, node.value, kDeg, kAngleTol,
                              QStringLiteral("（x=") + FormatFixed(node.at, 3) + QStringLiteral("）")));

  // Over [x0, xm] in steps of the sweep, then refined.
  std::vector<Extended> xs;
  const int n = std::max(8, int(std::ceil(std::fabs(ask.phim) / kSweepStep)));
  bool closes = true;
  for (int i = 0; i <= n; ++i) {
    xs.push_back(ask.x0 + (ask.xm - ask.x0) * i / n);
    closes = closes && sweep.closes(phiOf(xs.back()));
  }
  if (!closes) {
    r.rows.push_back(failedRow(QStringLiteral("最大结构误差"), kDash, QStringLiteral("工作区间内有位置不能装配")));
  } else {
    const Extremum worst = SweepMaximum([&](Extended x) { return std::fabs(error(x)); }, xs);
    r.rows.push_back(adviceRow(QStringLiteral("最大结构误差"),
                               fixed(worst.value, kDeg) + QStringLiteral("（x=") + FormatFixed(worst.at, 3) +
                                   QStringLiteral("，Δy=") + FormatFixed(worst.value * std::fabs(muy), 3) +
                                   QStringLiteral("）")));
  }
  r.rows.push_back(branchRow(oneBranch, QStringLiteral("结点")));

  std::vector<Extended> working;
  for (Extended x : xs) working.push_back(phiOf(x));
  if (working.front() > working.back()) std::reverse(working.begin(), working.end());
  const Extremum g = gammaMinimum(sweep, working);
  CheckRow gamma = gammaAdvice(g, false);
  gamma.item = QStringLiteral("最小传动角（工作区间内）");
  r.rows.push_back(gamma);

  r.plot.title = QStringLiteral("结构误差随x的变化");
  r.plot.xLabel = QStringLiteral("x");
  r.plot.yLabel = QStringLiteral("Δψ/(°)");
  for (Extended x : xs) r.plot.curve.emplace_back(double(x), double(error(x)));
  for (Extended x : ask.nodes) r.plot.marks.emplace_back(double(x), double(error(x)));
  r.plot.line = 0.0;
  return r;
}

// --- Quick return ---

DesignCheckResult CheckQuickReturnCrankRocker(Extended K, Extended psi, Extended gammaMin, const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  DeadPositions dead;
  if (!deadPositions(sweep, dead, r.rows)) return r;
  r.rows.push_back(valueRow(QStringLiteral("行程速比系数K"), K, travelRatio(dead), {}, kRatioTol));
  r.rows.push_back(valueRow(QStringLiteral("摇杆摆角ψ"), psi, dead.high.value - dead.low.value, kDeg, kAngleTol));
  const std::vector<Extended> x = sweep.samples();
  const Extremum g = gammaMinimum(sweep, x);
  r.rows.push_back(minimumRow(QStringLiteral("最小传动角"), gammaMin, g.value, kDeg, kAngleTol,
                              QStringLiteral("（φ=") + crankAngle(g.at, true) + QStringLiteral("）")));
  r.plot = gammaPlot(sweep, x, g, gammaMin);
  return r;
}

DesignCheckResult CheckQuickReturnCrankSlider(Extended H, Extended K, Extended gammaMin, const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  DeadPositions dead;
  if (!deadPositions(sweep, dead, r.rows)) return r;
  r.rows.push_back(valueRow(QStringLiteral("冲程H"), H, dead.high.value - dead.low.value, kMm, kLengthTol * std::fabs(H)));
  r.rows.push_back(valueRow(QStringLiteral("行程速比系数K"), K, travelRatio(dead), {}, kRatioTol));
  const std::vector<Extended> x = sweep.samples();
  const Extremum g = gammaMinimum(sweep, x);
  r.rows.push_back(minimumRow(QStringLiteral("最小传动角"), gammaMin, g.value, kDeg, kAngleTol,
                              QStringLiteral("（φ=") + crankAngle(g.at, true) + QStringLiteral("）")));
  r.plot = gammaPlot(sweep, x, g, gammaMin);
  return r;
}

DesignCheckResult CheckQuickReturnGuideBar(Extended K, Extended theta, const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  DeadPositions dead;
  if (!deadPositions(sweep, dead, r.rows)) return r;
  r.rows.push_back(valueRow(QStringLiteral("行程速比系数K"), K, travelRatio(dead), {}, kRatioTol));
  r.rows.push_back(valueRow(QStringLiteral("导杆摆角"), theta, dead.high.value - dead.low.value, kDeg, kAngleTol));
  r.plot.title = QStringLiteral("导杆摆角随曲柄转角φ的变化");
  r.plot.xLabel = QStringLiteral("φ/(°)");
  r.plot.yLabel = QStringLiteral("导杆角/(°)");
  for (Extended p : sweep.samples()) r.plot.curve.emplace_back(double(p), double(sweep.output(p)));
  r.plot.marks = {{double(dead.low.at), double(dead.low.value)}, {double(dead.high.at), double(dead.high.value)}};
  return r;
}

// --- Approximate dwell ---

DesignCheckResult CheckDwellCrankRocker(Extended dPsi, Extended phi, const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  DeadPositions dead;
  if (!deadPositions(sweep, dead, r.rows)) return r;
  // The rear extreme: crank and coupler overlap, C nearest A.
  const auto reachAC = [&](const Extremum& e) {
    const Extended cx = linkage.AD + linkage.CD * std::cos(e.value * kRad), cy = linkage.CD * std::sin(e.value * kRad);
    return std::hypot(cx, cy);
  };
  const bool lowIsRear = reachAC(dead.low) < reachAC(dead.high);
  const Extremum rear = lowIsRear ? dead.low : dead.high;
  const RockerAngle angle{sweep, rear.value};
  Extended before = 0, after = 0;
  const std::vector<Extended> x = sweep.samples();
  if (!bandAround(angle, x, rear, rear.value + (lowIsRear ? dPsi : -dPsi), before, after)) {
    r.rows.push_back(failedRow(QStringLiteral("停歇区间φ"), fixed(phi, kDeg), QStringLiteral("摇杆不离开△ψ范围")));
  } else {
    r.rows.push_back(valueRow(QStringLiteral("停歇区间φ"), phi, after - before, kDeg, kAngleTol,
                              QStringLiteral("（φ=") + crankAngle(before, true) + QStringLiteral("～") +
                                  crankAngle(after, true) + QStringLiteral("）")));
  }
  const Extremum g = gammaMinimum(sweep, x);
  r.rows.push_back(gammaAdvice(g, true));
  CheckPlot plot = dwellPlot(sweep, rear, std::max(phi, after - before), dPsi, rear.at - phi / 2, rear.at + phi / 2,
                             QStringLiteral("距后极限位置/(°)"));
  // The rocker's angle is measured through the reference so that it does not jump at ±180°.
  for (QPointF& p : plot.curve) p.setY(double(std::fabs(angle(p.x()) - rear.value)));
  r.plot = plot;
  return r;
}

DesignCheckResult CheckDwellCrankSlider(Extended H, Extended dH, Extended phi, const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  DeadPositions dead;
  if (!deadPositions(sweep, dead, r.rows)) return r;
  const Extended stroke = dead.high.value - dead.low.value;
  r.rows.push_back(valueRow(QStringLiteral("冲程H"), H, stroke, kMm, kLengthTol * std::fabs(H)));
  // The rear dead position is the one nearest A.
  const Extremum& rear = dead.low;
  Extended before = 0, after = 0;
  const std::vector<Extended> x = sweep.samples();
  if (!bandAround([&](Extended p) { return sweep.output(p); }, x, rear, rear.value + dH, before, after)) {
    r.rows.push_back(failedRow(QStringLiteral("停歇区间φ"), fixed(phi, kDeg), QStringLiteral("滑块不离开△H范围")));
  } else {
    // The reported φ is one end of the dwell: it is set against the nearer of the real ends.
    const Extended toBefore = wrap180(before - phi), toAfter = wrap180(after - phi);
    const Extended deviation = std::fabs(toBefore) <= std::fabs(toAfter) ? toBefore : toAfter;
    r.rows.push_back({QStringLiteral("停歇区间φ"), fixed(phi, kDeg),
                      crankAngle(phi + deviation, true) + QStringLiteral("（停歇区间") + crankAngle(before, true) +
                          QStringLiteral("～") + crankAngle(after, true) + QStringLiteral("）"),
                      fixed(deviation, kDeg), within(deviation, kAngleTol) ? CheckVerdict::Met : CheckVerdict::NotMet});
  }
  const Extremum g = gammaMinimum(sweep, x);
  r.rows.push_back(gammaAdvice(g, true));
  // The reported φ drawn on the turn around the rear dead position, with its mirror image.
  const Extended near = rear.at + wrap180(phi - rear.at);
  r.plot = dwellPlot(sweep, rear, 2 * std::fabs(near - rear.at), dH, near, 2 * rear.at - near,
                     QStringLiteral("距后极限位置/mm"));
  return r;
}

// --- Transmission angle ---

DesignCheckResult CheckTransmissionCrankRocker1(Extended phi12, Extended psi12, Extended maxGammaMin,
                                                const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  DeadPositions dead;
  if (!deadPositions(sweep, dead, r.rows)) return r;
  r.rows.push_back(valueRow(QStringLiteral("φ12"), phi12, phi12 >= 180 ? slowTurn(dead) : fastTurn(dead), kDeg, kAngleTol));
  r.rows.push_back(valueRow(QStringLiteral("ψ12"), psi12, dead.high.value - dead.low.value, kDeg, kAngleTol));
  const std::vector<Extended> x = sweep.samples();
  const Extremum g = gammaMinimum(sweep, x);
  r.rows.push_back(valueRow(QStringLiteral("最小传动角"), maxGammaMin, g.value, kDeg, kChartAngleTol,
                            QStringLiteral("（φ=") + crankAngle(g.at, true) + QStringLiteral("）")));
  r.plot = gammaPlot(sweep, x, g, maxGammaMin);
  return r;
}

DesignCheckResult CheckTransmissionCrankRocker2(Extended psi12, Extended gammaMin, bool readOffChart,
                                                const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  DeadPositions dead;
  if (!deadPositions(sweep, dead, r.rows)) return r;
  const Extended angleTol = readOffChart ? kChartAngleTol : kAngleTol;
  r.rows.push_back(valueRow(QStringLiteral("行程速比系数K"), 1, travelRatio(dead), {}, readOffChart ? kChartRelTol : kRatioTol));
  r.rows.push_back(valueRow(QStringLiteral("ψ12"), psi12, dead.high.value - dead.low.value, kDeg, angleTol));
  const std::vector<Extended> x = sweep.samples();
  const Extremum g = gammaMinimum(sweep, x);
  r.rows.push_back(minimumRow(QStringLiteral("最小传动角"), gammaMin, g.value, kDeg, angleTol,
                              QStringLiteral("（φ=") + crankAngle(g.at, true) + QStringLiteral("）")));
  r.plot = gammaPlot(sweep, x, g, gammaMin);
  return r;
}

DesignCheckResult CheckTransmissionCrankSlider(Extended phi12, Extended maxGammaMin, const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  DeadPositions dead;
  if (!deadPositions(sweep, dead, r.rows)) return r;
  r.rows.push_back(valueRow(QStringLiteral("冲程"), 1, dead.high.value - dead.low.value, {}, kChartRelTol,
                            QStringLiteral("（与冲程s之比）")));
  r.rows.push_back(valueRow(QStringLiteral("极位夹角θ"), phi12 - 180, slowTurn(dead) - 180, kDeg, kChartAngleTol));
  const std::vector<Extended> x = sweep.samples();
  const Extremum g = gammaMinimum(sweep, x);
  r.rows.push_back(valueRow(QStringLiteral("最小传动角"), maxGammaMin, g.value, kDeg, kChartAngleTol,
                            QStringLiteral("（φ=") + crankAngle(g.at, true) + QStringLiteral("）")));
  r.plot = gammaPlot(sweep, x, g, maxGammaMin);
  return r;
}

DesignCheckResult CheckDoubleCrank(Extended psi, Extended gammaMin, const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  if (!sweep.valid() || !sweep.fullTurn()) {
    r.rows.push_back(failedRow(QStringLiteral("机构类型"), QStringLiteral("双曲柄机构"), fourBarKind(linkage)));
    return r;
  }
  const std::vector<Extended> x = sweep.samples();
  const auto gamma = [&](Extended p) { return sweep.transmission(p); };
  // The two local minima of γ on the turn, the smaller first.
  std::vector<Extremum> minima;
  const std::size_t n = x.size() - 1;  // x[n] is x[0] again
  for (std::size_t i = 0; i < n; ++i) {
    const Extended v = gamma(x[i]), before = gamma(x[(i + n - 1) % n]), after = gamma(x[(i + 1) % n]);
    if (v <= before && v < after) {
      Extremum m = SweepMinimum(gamma, {x[i] - kSweepStep, x[i], x[i] + kSweepStep});
      m.at = wrap360(m.at);
      minima.push_back(m);
    }
  }
  std::sort(minima.begin(), minima.end(), [](const Extremum& a, const Extremum& b) { return a.value < b.value; });
  if (minima.size() == 1) minima.push_back(minima[0]);
  for (std::size_t i = 0; i < 2 && i < minima.size(); ++i)
    r.rows.push_back(minimumRow(QStringLiteral("最小传动角（位置%1）").arg(i + 1), gammaMin, minima[i].value, kDeg,
                                kChartAngleTol, QStringLiteral("（φ=") + crankAngle(minima[i].at, true) + QStringLiteral("）")));
  if (minima.size() >= 2) {
    // The output's turn while the input turns from one minimum to the other, either way round.
    const Extremum& first = minima[0].at <= minima[1].at ? minima[0] : minima[1];
    const Extremum& second = minima[0].at <= minima[1].at ? minima[1] : minima[0];
    const Extended turn = wrap360(sweep.output(second.at) - sweep.output(first.at));
    const Extended achieved = std::fabs(turn - psi) <= std::fabs(360 - turn - psi) ? turn : 360 - turn;
    r.rows.push_back(valueRow(QStringLiteral("从动曲柄转角ψ"), psi, achieved, kDeg, kChartAngleTol));
  }
  const Extremum g = gammaMinimum(sweep, x);
  r.plot = gammaPlot(sweep, x, g, gammaMin);
  for (std::size_t i = 1; i < minima.size(); ++i) r.plot.marks.emplace_back(double(minima[i].at), double(minima[i].value));
  return r;
}

// --- Coupler positions ---

DesignCheckResult CheckCouplerPositions(const CouplerPositionsAsk& ask, const Linkage& linkage) {
  DesignCheckResult r;
  const LinkageSweep sweep(linkage);
  if (!sweep.valid()) {
    r.rows.push_back(failedRow(QStringLiteral("机构类型"), kDash, QStringLiteral("不能构成机构")));
    return r;
  }
  // The linkage's frame: A at the origin, the x axis along AD.
  const Extended alpha = std::atan2(Extended(ask.D.y() - ask.A.y()), Extended(ask.D.x() - ask.A.x()));
  const Extended ca = std::cos(alpha), sa = std::sin(alpha);
  const auto toWorld = [&](Extended x, Extended y) {
    return QPointF(double(ask.A.x() + x * ca - y * sa), double(ask.A.y() + x * sa + y * ca));
  };
  const auto angleFrom = [&](QPointF from, QPointF to) {
    return std::atan2(Extended(to.y() - from.y()), Extended(to.x() - from.x())) / kRad - alpha / kRad;
  };
  Extended phi[3], psi[3];
  for (int i = 0; i < 3; ++i) {
    // Unwrapped from position to position, so that the order of the crank angles shows.
    phi[i] = angleFrom(ask.A, ask.B[i]);
    psi[i] = angleFrom(ask.D, ask.C[i]);
    if (i > 0) phi[i] = phi[i - 1] + wrap180(phi[i] - phi[i - 1]);
    const QString item = QStringLiteral("位置%1").arg(i + 1);
    const QString asked = QStringLiteral("B%1、C%1到达给定位置").arg(i + 1);
    if (!sweep.closes(phi[i])) {
      r.rows.push_back(failedRow(item, asked, QStringLiteral("机构不能到达该位置")));
      continue;
    }
    const Extended theta = sweep.output(phi[i]) * kRad;
    const QPointF B = toWorld(linkage.AB * std::cos(phi[i] * kRad), linkage.AB * std::sin(phi[i] * kRad));
    const QPointF C = toWorld(linkage.AD + linkage.CD * std::cos(theta), linkage.CD * std::sin(theta));
    const Extended errB = std::hypot(B.x() - ask.B[i].x(), B.y() - ask.B[i].y());
    const Extended errC = std::hypot(C.x() - ask.C[i].x(), C.y() - ask.C[i].y());
    const Extended worst = std::max(errB, errC);
    r.rows.push_back({item, asked,
                      QStringLiteral("B误差") + fixed(errB, kMm) + QStringLiteral("，C误差") + fixed(errC, kMm),
                      fixed(worst, kMm), within(worst, kLengthTol * linkage.BC) ? CheckVerdict::Met : CheckVerdict::NotMet});
  }
  positionRows(sweep, phi, psi, r.rows);
  r.rows.push_back(adviceRow(QStringLiteral("机构类型"), fourBarKind(linkage)));
  const std::vector<Extended> x = sweep.samples();
  const Extremum g = gammaMinimum(sweep, x);
  r.rows.push_back(gammaAdvice(g, sweep.fullTurn()));
  r.plot = gammaPlot(sweep, x, g, kAdvisedGamma);
  return r;
}
