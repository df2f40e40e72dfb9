// The coupler point: every pose closes the loop, E's velocity and acceleration agree with
// finite differences of its positions, paths close, and Watt's figure-eight crosses itself
// where the geometry puts its double point.
#include "link/animation.h"
#include "link/coupler.h"
#include "link/kinematics.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr Extended kDeg = kPi / 180;
constexpr Extended kClosureTol = 1e-9L;  // mm, at lengths of about 100 mm
constexpr Extended kDiffTol = 1e-5L;     // central differences, relative to the largest value

Extended dist(Extended x1, Extended y1, Extended x2, Extended y2) { return std::hypot(x1 - x2, y1 - y2); }

CouplerLinkage fourBar(Extended a, Extended b, Extended c, Extended d, Extended be, Extended deltaDeg, bool crossed) {
  return {Linkage::FourBar(LinkageKind::FourBarByKind, a, b, c, d), be, deltaDeg * kDeg, crossed};
}
CouplerLinkage slider(Extended r, Extended l, Extended e, Extended be, Extended deltaDeg, bool crossed) {
  return {Linkage::CrankSlider(r, l, e), be, deltaDeg * kDeg, crossed};
}

struct MotionCase {
  const char* name;
  CouplerLinkage k;
  Extended omega;  // rad/s
};

class CouplerMotionTest : public ::testing::TestWithParam<MotionCase> {};

// Over the input's range, away from its dead points: the joints keep their distances, E sits
// on the coupler as lenBE and δ say, and v, a match differences of E over time.
TEST_P(CouplerMotionTest, PosesCloseAndMotionMatchesDifferences) {
  const MotionCase& c = GetParam();
  InputRange range;
  ASSERT_TRUE(CouplerInputRange(c.k, range));
  const Linkage& g = c.k.linkage;
  const bool slide = c.k.isSlider();
  const Extended h = 1e-4L;  // rad of input
  const Extended dt = h / std::fabs(c.omega);
  const int steps = 40;
  for (int i = 1; i < steps; ++i) {
    const Extended phi = range.phiMin + (range.phiMax - range.phiMin) * i / steps;
    SCOPED_TRACE(double(phi / kDeg));
    CouplerPose p, before, after;
    ASSERT_TRUE(CouplerAt(c.k, phi, c.k.crossed, c.omega, p));
    const Extended sign = c.omega > 0 ? 1 : -1;
    ASSERT_TRUE(CouplerAt(c.k, phi - sign * h, c.k.crossed, c.omega, before));
    ASSERT_TRUE(CouplerAt(c.k, phi + sign * h, c.k.crossed, c.omega, after));
    EXPECT_NEAR(double(dist(p.Bx, p.By, 0, 0)), double(slide ? g.r : g.AB), kClosureTol);
    EXPECT_NEAR(double(dist(p.Cx, p.Cy, p.Bx, p.By)), double(slide ? g.l : g.BC), kClosureTol);
    if (slide)
      EXPECT_NEAR(double(p.Cy), double(g.e), kClosureTol);
    else
      EXPECT_NEAR(double(dist(p.Cx, p.Cy, g.AD, 0)), double(g.CD), kClosureTol);
    EXPECT_NEAR(double(dist(p.Ex, p.Ey, p.Bx, p.By)), double(c.k.lenBE), kClosureTol);
    const Extended bc = std::atan2(p.Cy - p.By, p.Cx - p.Bx), be = std::atan2(p.Ey - p.By, p.Ex - p.Bx);
    EXPECT_NEAR(double(std::remainder(be - bc - c.k.delta, 2 * kPi)), 0, 1e-9);
    // The same assembly as the rest of the program: the dyad solution for the four-bar, the
    // slider's displacement for the open crank-slider.
    if (!slide) {
      TBarState input{0, 0, g.AB, phi, 0, 0}, coupler{}, output{};
      coupler.Len = g.BC, output.Len = g.CD;
      SolveDyad(c.k.crossed, input, coupler, output, g.AD);
      Extended ex, ey;
      CouplerPoint(coupler, c.k.delta, c.k.lenBE, ex, ey);
      EXPECT_NEAR(double(dist(ex, ey, p.Ex, p.Ey)), 0, 1e-9);
    } else if (!c.k.crossed) {
      Extended s, v, a;
      CrankSliderAt(phi, 1, g.r, g.l, g.e, s, v, a);
      EXPECT_NEAR(double(std::sqrt((g.l + g.r) * (g.l + g.r) - g.e * g.e) - s), double(p.Cx), 1e-9);
    }
    if (p.dead) continue;

    const Extended v[] = {(after.Ex - before.Ex) / (2 * dt), (after.Ey - before.Ey) / (2 * dt)};
    const Extended a[] = {(after.Ex - 2 * p.Ex + before.Ex) / (dt * dt), (after.Ey - 2 * p.Ey + before.Ey) / (dt * dt)};
    const Extended vScale = std::max<Extended>(1, std::hypot(v[0], v[1]));
    const Extended aScale = std::max<Extended>(1, std::hypot(a[0], a[1]));
    EXPECT_NEAR(double(p.vx / vScale), double(v[0] / vScale), kDiffTol);
    EXPECT_NEAR(double(p.vy / vScale), double(v[1] / vScale), kDiffTol);
    EXPECT_NEAR(double(p.ax / aScale), double(a[0] / aScale), 10 * kDiffTol);
    EXPECT_NEAR(double(p.ay / aScale), double(a[1] / aScale), 10 * kDiffTol);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Linkages, CouplerMotionTest,
    ::testing::Values(MotionCase{"crank_rocker", fourBar(40, 120, 80, 100, 60, 30, false), 2},
                      MotionCase{"crank_rocker_crossed", fourBar(40, 120, 80, 100, 60, 30, true), -1.5L},
                      MotionCase{"double_rocker", fourBar(60, 70, 80, 100, 50, -40, false), 1},
                      MotionCase{"double_crank", fourBar(60, 90, 80, 30, 45, 120, true), 3},
                      MotionCase{"offset_slider", slider(30, 100, 12, 40, 25, false), 2},
                      MotionCase{"offset_slider_crossed", slider(30, 100, -12, 70, -60, true), 1},
                      MotionCase{"swinging_slider", slider(80, 50, 10, 30, 90, false), 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct PathCase {
  const char* name;
  CouplerLinkage k;
  bool turns;
};

class CouplerPathTest : public ::testing::TestWithParam<PathCase> {};

// The longest step between neighbouring points of a path.
Extended longestStep(const CouplerPath& path) {
  Extended longest = 0;
  for (size_t i = 1; i < path.samples.size(); ++i) {
    const CouplerSample &p = path.samples[i - 1], &q = path.samples[i];
    longest = std::max(longest, dist(p.x, p.y, q.x, q.y));
  }
  return longest;
}

// A path closes on itself and has no jumps: with four times the points its longest step
// shrinks to a quarter where E moves smoothly and to a half at the ends of a swing (E's
// distance grows with the root of the input's), but a jump would stay as long as it was.
TEST_P(CouplerPathTest, ClosesWithoutJumps) {
  const PathCase& c = GetParam();
  CouplerPath path, fine;
  ASSERT_TRUE(TraceCouplerPath(c.k, 1, 720, path));
  ASSERT_TRUE(TraceCouplerPath(c.k, 1, 2880, fine));
  EXPECT_EQ(path.range.turns, c.turns);
  ASSERT_EQ(path.samples.size(), 721u);
  const CouplerSample &first = path.samples.front(), &last = path.samples.back();
  EXPECT_LT(double(dist(first.x, first.y, last.x, last.y)), 1e-6);
  EXPECT_LT(double(longestStep(fine)), 0.6 * double(longestStep(path)));
  // A swing comes back on the other assembly; a turn stays on its own.
  EXPECT_EQ(last.crossed, c.turns ? c.k.crossed : !c.k.crossed);
}

INSTANTIATE_TEST_SUITE_P(
    Linkages, CouplerPathTest,
    ::testing::Values(PathCase{"crank_rocker", fourBar(40, 120, 80, 100, 60, 30, false), true},
                      PathCase{"crank_rocker_crossed", fourBar(40, 120, 80, 100, 60, 30, true), true},
                      PathCase{"double_crank", fourBar(60, 90, 80, 30, 45, 120, false), true},
                      PathCase{"double_rocker", fourBar(60, 70, 80, 100, 50, -40, false), false},
                      PathCase{"grashof_double_rocker", fourBar(90, 30, 80, 100, 40, 60, true), false},
                      PathCase{"rocker_crank_at_cd", fourBar(80, 90, 30, 100, 40, 60, false), false},
                      PathCase{"slider", slider(30, 100, 12, 40, 25, false), true},
                      PathCase{"swinging_slider", slider(80, 50, 10, 30, 90, false), false},
                      PathCase{"swinging_slider_over_a", slider(80, 50, 40, 30, 0, false), false}),
    [](const auto& info) { return std::string(info.param.name); });

// Watt's straight-line linkage: equal rockers, the coupler's midpoint E traces a figure-eight
// whose double point is the centre of the frame (R. S. Hartenberg and J. Denavit, "Kinematic
// Synthesis of Linkages"). Rockers r, coupler b, in the middle position B = A + (r, b/2) turned
// so that D lies on the x axis; the mirror image in AD is the second pass through the centre.
TEST(CouplerPathTest, WattsFigureEightCrossesItselfAtTheCentre) {
  const Extended r = 100, b = 60;
  const Extended d = std::hypot(2 * r, b), tilt = std::atan2(b, 2 * r);
  CouplerLinkage k = fourBar(r, b, r, d, b / 2, 0, false);
  CouplerPath path;
  ASSERT_TRUE(TraceCouplerPath(k, 1, 3600, path));
  ASSERT_FALSE(path.range.turns);
  // The two poses with E at the centre: B at ±tilt from AD, one on each assembly.
  CouplerPose passes[2];
  for (int i = 0; i < 2; ++i) {
    const Extended phi = i ? -tilt : tilt;
    bool found = false;
    for (bool crossed : {false, true}) {
      CouplerPose p;
      if (CouplerAt(k, phi, crossed, 1, p) && dist(p.Ex, p.Ey, d / 2, 0) < 1e-9) passes[i] = p, found = true;
    }
    ASSERT_TRUE(found) << i;
  }
  EXPECT_NE(passes[0].crossed, passes[1].crossed);
  // Two branches cross there, not one touching: the tangents differ.
  const Extended cross = passes[0].vx * passes[1].vy - passes[0].vy * passes[1].vx;
  EXPECT_GT(double(std::fabs(cross)), 0.1 * double(std::hypot(passes[0].vx, passes[0].vy) *
                                                     std::hypot(passes[1].vx, passes[1].vy)));
  // The traced curve passes the centre twice, far apart along the path.
  QList<int> near;
  const Extended step = 2 * (path.range.phiMax - path.range.phiMin) / 3600 * (r + b);
  for (int i = 0; i < int(path.samples.size()); ++i)
    if (dist(path.samples[i].x, path.samples[i].y, d / 2, 0) < step) near << i;
  ASSERT_GE(near.size(), 2);
  EXPECT_GT(near.last() - near.first(), 900);
}

TEST(CouplerPathTest, UnassemblableLinkagesHaveNoPath) {
  CouplerPath path;
  EXPECT_FALSE(TraceCouplerPath(fourBar(40, 20, 10, 100, 10, 0, false), 1, 100, path));
  EXPECT_FALSE(TraceCouplerPath(slider(30, 50, 90, 10, 0, false), 1, 100, path));
  EXPECT_FALSE(TraceCouplerPath({Linkage::GuideBar(30, 100), 10, 0, false}, 1, 100, path));
}

TEST(CouplerPathTest, CsvHasBomHeaderAndEmptyMotionAtDeadPoints) {
  CouplerPath path;
  ASSERT_TRUE(TraceCouplerPath(fourBar(60, 70, 80, 100, 50, -40, false), 1, 4, path));
  const QByteArray csv = CouplerPathCsv(path);
  ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
  const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 7);  // header, 5 rows, the empty rest after the last CR LF
  EXPECT_EQ(lines[0], QStringLiteral("φ(°),x(mm),y(mm),vx(mm/s),vy(mm/s),ax(mm/s²),ay(mm/s²)"));
  EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",,,,")));  // the swing's end: a dead point
  EXPECT_EQ(lines[2].split(u',').size(), 7);
  EXPECT_FALSE(lines[2].contains(QStringLiteral(",,")));
  EXPECT_TRUE(lines[3].endsWith(QStringLiteral(",,,,")));  // and the other end
  EXPECT_TRUE(lines[6].isEmpty());
}

// The four-bar figures of the analysis panels draw E's path in its own colour once the
// panel gives a coupler point, and nothing of it for LenBE = 0.
TEST(CouplerFigureTest, FourBarFiguresDrawThePathOnlyForACouplerPoint) {
  const Linkage linkages[] = {Linkage::FourBar(LinkageKind::FourBarByKind, 30, 100, 80, 110),
                              Linkage::FourBar(LinkageKind::FourBarByKind, 120, 75, 100, 95),
                              Linkage::FourBar(LinkageKind::FourBarByKind, 40, 100, 40, 100),
                              Linkage::FourBar(LinkageKind::CrankRocker, 30, 100, 80, 110)};
  for (const Linkage& k : linkages) {
    for (Extended lenBE : {0.0L, 50.0L}) {
      SCOPED_TRACE(double(k.AB) + double(lenBE));
      MechanismAnimation animation;
      animation.setLinkage(k);
      animation.setCouplerPoint(lenBE, 20 * kDeg);
      animation.tick();
      int marked = 0;
      const QImage& frame = animation.frame();
      for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) marked += frame.pixelColor(x, y) == QColor(160, 0, 160);
      EXPECT_EQ(marked > 50, lenBE > 0) << marked;
    }
  }
}

}  // namespace
