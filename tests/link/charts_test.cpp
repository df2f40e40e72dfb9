// The design problems of the transmission-angle charts, checked by simulation: each solution is
// built as a linkage and turned through a whole revolution with FourBarAt or the exact slider
// geometry, and what the turn shows (swing, dead positions, quick return, smallest transmission
// angle) must be what was asked and what was reported.
#include "link/charts.h"

#include "link/kinematics.h"

#include <cfenv>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr Extended kDeg = kPi / 180;
constexpr int kSteps = 7200;             // the coarse sweep: 0.05° of crank
constexpr Extended kAngleTol = 1e-7L;    // degrees, of the values at extremes
// Where an extreme lies is found only to about the square root of the values' precision.
constexpr Extended kWhereTol = 1e-5L;
constexpr Extended kUntouched = 12345.25L;

// Degrees reduced to [0, 360).
Extended turnOf(Extended deg) {
  const Extended r = std::fmod(deg, 360);
  return r < 0 ? r + 360 : r;
}

// The argument of the largest f near `at` (golden section over ±step).
Extended refineMax(const std::function<Extended(Extended)>& f, Extended at, Extended step) {
  const Extended g = (std::sqrt(5.0L) - 1) / 2;
  Extended lo = at - step, hi = at + step;
  Extended x1 = hi - g * (hi - lo), x2 = lo + g * (hi - lo), f1 = f(x1), f2 = f(x2);
  for (int i = 0; i < 90; ++i) {
    if (f1 >= f2) hi = x2, x2 = x1, f2 = f1, x1 = hi - g * (hi - lo), f1 = f(x1);
    else lo = x1, x1 = x2, f1 = f2, x2 = lo + g * (hi - lo), f2 = f(x2);
  }
  return (lo + hi) / 2;
}

// The largest f over a turn of the crank: its argument (radians).
Extended maxOverTurn(const std::function<Extended(Extended)>& f) {
  const Extended step = 2 * kPi / kSteps;
  int best = 0;
  Extended bestValue = f(0);
  for (int k = 1; k < kSteps; ++k) {
    const Extended v = f(k * step);
    if (v > bestValue) bestValue = v, best = k;
  }
  return refineMax(f, best * step, step);
}

// --- The four-bar with frame 1, turned by FourBarAt ---

struct FourBarPosition {
  Extended coupler, output;  // angles of BC and DC, radians
};

FourBarPosition fourBarAt(Extended a, Extended b, Extended c, Extended phi) {
  Extended gamma, phi2, phi3, omega3, eps3, ex, ey;
  FourBarAt(phi, 1, a, b, c, 1, 0, 0, gamma, phi2, phi3, omega3, eps3, ex, ey);
  return {phi2, phi3};
}

// The acute angle between coupler and output, degrees.
Extended transmissionAngle(Extended a, Extended b, Extended c, Extended phi) {
  const FourBarPosition p = fourBarAt(a, b, c, phi);
  return std::acos(std::fabs(std::cos(p.output - p.coupler))) / kDeg;
}

Extended sweptGammaMin(Extended a, Extended b, Extended c) {
  const auto negGamma = [&](Extended phi) { return -transmissionAngle(a, b, c, phi); };
  return -negGamma(maxOverTurn(negGamma));
}

// The crank-rocker's extreme positions as a full turn shows them.
struct RockerTurn {
  Extended swing;                  // degrees
  Extended crankAtFar, crankAtNear;  // crank angles at the stretched and the folded extreme
  bool above;                      // the rocker works above the frame line
};

RockerTurn sweepRocker(Extended a, Extended b, Extended c) {
  const Extended ref = fourBarAt(a, b, c, 0).output;
  // The rocker never turns half a circle: its angle near `ref` is unambiguous.
  const auto rocker = [&](Extended phi) { return ref + std::remainder(fourBarAt(a, b, c, phi).output - ref, 2 * kPi); };
  const Extended atMax = maxOverTurn(rocker);
  const Extended atMin = maxOverTurn([&](Extended phi) { return -rocker(phi); });
  // Crank and coupler point the same way at the stretched extreme, opposite ways at the folded.
  const bool maxStretched = std::cos(fourBarAt(a, b, c, atMax).coupler - atMax) > 0;
  RockerTurn t;
  t.swing = (rocker(atMax) - rocker(atMin)) / kDeg;
  t.crankAtFar = turnOf((maxStretched ? atMax : atMin) / kDeg);
  t.crankAtNear = turnOf((maxStretched ? atMin : atMax) / kDeg);
  t.above = std::sin(rocker(atMax)) > 0;
  return t;
}

// --- The offset crank-slider: A at the origin, the guide the line y = e ---

struct SliderTurn {
  Extended stroke, quickReturn, gammaMin;  // stroke in lengths, angles in degrees
};

SliderTurn sweepSlider(Extended a, Extended b, Extended e) {
  const auto x = [&](Extended phi) {
    const Extended rise = e - a * std::sin(phi);
    return a * std::cos(phi) + std::sqrt(b * b - rise * rise);
  };
  const Extended far = maxOverTurn(x), near = maxOverTurn([&](Extended phi) { return -x(phi); });
  const auto cosGamma = [&](Extended phi) { return std::fabs(e - a * std::sin(phi)) / b; };
  SliderTurn t;
  t.stroke = x(far) - x(near);
  t.quickReturn = std::fabs(turnOf((far - near) / kDeg) - 180);
  t.gammaMin = std::acos(cosGamma(maxOverTurn(cosGamma))) / kDeg;
  return t;
}

// ---------------------------------------------------------------------------------------
// Crank-rocker with the largest minimum transmission angle

struct RockerCase {
  Extended phi12, psi12;
  friend void PrintTo(const RockerCase& c, std::ostream* os) {
    *os << "phi12 " << double(c.phi12) << " psi12 " << double(c.psi12);
  }
};

class MaxGammaMinCrankRockerTest : public ::testing::TestWithParam<RockerCase> {};

TEST_P(MaxGammaMinCrankRockerTest, TheLinkageFromBetaHasTheAnglesAskedAndTheGammaMinReported) {
  const RockerCase& k = GetParam();
  Extended gammaMin, beta, a, b, c;
  ASSERT_TRUE(MaxGammaMinCrankRocker(k.phi12, k.psi12, gammaMin, beta));
  CrankRockerRatios(k.phi12, k.psi12, beta, a, b, c);
  ASSERT_EQ(ClassifyFourBar(false, a, b, c, 1), 10);

  const RockerTurn t = sweepRocker(a, b, c);
  EXPECT_NEAR(t.swing, k.psi12, kAngleTol);
  // From the near extreme to the far one the crank turns φ12: clockwise with the rocker above
  // the frame line, counter-clockwise in the mirrored assembly.
  const Extended turned = t.above ? t.crankAtNear - t.crankAtFar : t.crankAtFar - t.crankAtNear;
  EXPECT_NEAR(turnOf(turned), k.phi12, kWhereTol);
  EXPECT_NEAR(turnOf(t.above ? t.crankAtFar : -t.crankAtFar), beta, kWhereTol);
  EXPECT_NEAR(sweptGammaMin(a, b, c), gammaMin, kAngleTol);
}

TEST_P(MaxGammaMinCrankRockerTest, BetaEitherSideOfTheReadingGivesASmallerGammaMin) {
  const RockerCase& k = GetParam();
  Extended gammaMin, beta;
  ASSERT_TRUE(MaxGammaMinCrankRocker(k.phi12, k.psi12, gammaMin, beta));
  for (Extended nudge : {-1.0L, -0.05L, 0.05L, 1.0L}) {
    Extended a, b, c;
    CrankRockerRatios(k.phi12, k.psi12, beta + nudge, a, b, c);
    if (ClassifyFourBar(false, a, b, c, 1) != 10) continue;  // no crank-rocker there at all
    EXPECT_LT(sweptGammaMin(a, b, c), gammaMin - 1e-9L) << "beta " << double(beta + nudge);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Designs, MaxGammaMinCrankRockerTest,
    ::testing::Values(RockerCase{205, 40}, RockerCase{181, 100}, RockerCase{185, 10},
                      RockerCase{190, 70}, RockerCase{230, 100}, RockerCase{250, 30},
                      RockerCase{260, 60},
                      // a quicker stroke from the near extreme to the far one
                      RockerCase{170, 40}));

TEST(MaxGammaMinCrankRockerTest, MeetsTheKnownReadingAndTheDefaultsOfTheRatioFormulas) {
  Extended gammaMin, beta, a, b, c;
  ASSERT_TRUE(MaxGammaMinCrankRocker(205, 40, gammaMin, beta));
  EXPECT_NEAR(gammaMin, 39.08, 0.005);
  EXPECT_NEAR(beta, 60.62, 0.005);
  CrankRockerRatios(205, 40, 60, a, b, c);
  EXPECT_NEAR(a, 0.33, 0.005);
  EXPECT_NEAR(b, 0.79, 0.005);
  EXPECT_NEAR(c, 1.06, 0.005);
}

// ψ12 = φ12 − 180° makes the ratio formulas 0/0 in b: β no longer tells the coupler's length.
// The chart still runs smoothly through it, at β = 90° − θ/2.
TEST(MaxGammaMinCrankRockerTest, RunsThroughTheSwingEqualToTheQuickReturnAngle) {
  Extended gammaMin, beta, before, after, ignored;
  ASSERT_TRUE(MaxGammaMinCrankRocker(220, 40, gammaMin, beta));
  EXPECT_NEAR(beta, 70, 1e-9);
  ASSERT_TRUE(MaxGammaMinCrankRocker(220, 39.999L, before, ignored));
  ASSERT_TRUE(MaxGammaMinCrankRocker(220, 40.001L, after, ignored));
  EXPECT_NEAR(gammaMin, before, 1e-4);
  EXPECT_NEAR(gammaMin, after, 1e-4);
}

// A rocker of endless length is a slider: as ψ12 shrinks with φ12 kept, the best crank-rocker
// tends to the best offset crank-slider, found by an unrelated derivation.
TEST(MaxGammaMinCrankRockerTest, TendsToTheOffsetSliderAsTheSwingShrinks) {
  for (Extended phi12 : {190.0L, 200.0L, 230.0L}) {
    Extended rocker, slider, beta, aS, bS, eS;
    ASSERT_TRUE(MaxGammaMinOffsetSlider(phi12, slider, aS, bS, eS));
    ASSERT_TRUE(MaxGammaMinCrankRocker(phi12, 0.001L, rocker, beta));
    EXPECT_NEAR(rocker, slider, 1e-3) << double(phi12);
  }
}

TEST(MaxGammaMinCrankRockerTest, FalseWithoutAMaximumAndOutputsUntouched) {
  const RockerCase none[] = {
      {180, 40},  // K = 1: γmin only grows as the crank vanishes
      {300, 10},  // no crank-rocker has these angles
      {100, 170}, {205, 0}, {205, 180}, {0, 40}, {360, 40}};
  for (const RockerCase& k : none) {
    Extended gammaMin = kUntouched, beta = kUntouched;
    EXPECT_FALSE(MaxGammaMinCrankRocker(k.phi12, k.psi12, gammaMin, beta)) << double(k.phi12) << " " << double(k.psi12);
    EXPECT_EQ(gammaMin, kUntouched);
    EXPECT_EQ(beta, kUntouched);
  }
}

// ---------------------------------------------------------------------------------------
// Crank-rocker with travel-speed ratio 1

struct K1Case {
  Extended psi12, gammaMin;
  friend void PrintTo(const K1Case& c, std::ostream* os) {
    *os << "psi12 " << double(c.psi12) << " gamma " << double(c.gammaMin);
  }
};

class CrankRockerK1RatiosTest : public ::testing::TestWithParam<K1Case> {};

TEST_P(CrankRockerK1RatiosTest, TheRockerSwingsPsiInHalfATurnEachWayWithTheGammaMinAsked) {
  const K1Case& k = GetParam();
  Extended a, b, c;
  ASSERT_TRUE(CrankRockerK1Ratios(k.psi12, k.gammaMin, a, b, c));
  ASSERT_EQ(ClassifyFourBar(false, a, b, c, 1), 10);
  const RockerTurn t = sweepRocker(a, b, c);
  EXPECT_NEAR(t.swing, k.psi12, kAngleTol);
  EXPECT_NEAR(turnOf(t.crankAtNear - t.crankAtFar), 180, kWhereTol);
  EXPECT_NEAR(sweptGammaMin(a, b, c), k.gammaMin, kAngleTol);
  // both collinear positions carry it
  EXPECT_NEAR(transmissionAngle(a, b, c, 0), k.gammaMin, kAngleTol);
  EXPECT_NEAR(transmissionAngle(a, b, c, kPi), k.gammaMin, kAngleTol);
}

INSTANTIATE_TEST_SUITE_P(Designs, CrankRockerK1RatiosTest,
                         ::testing::Values(K1Case{40, 50}, K1Case{60, 40}, K1Case{100, 20},
                                           K1Case{10, 80}, K1Case{140, 5}));

TEST(CrankRockerK1RatiosTest, GivesTheFormulaDefaultsOfTheWindow) {
  Extended a, b, c;
  ASSERT_TRUE(CrankRockerK1Ratios(40, 50, a, b, c));
  EXPECT_NEAR(a, 0.308169, 1e-6);
  EXPECT_NEAR(b, 0.532089, 1e-6);
  EXPECT_NEAR(c, 0.901027, 1e-6);
  ASSERT_TRUE(CrankRockerK1Ratios(60, 40, a, b, c));
  EXPECT_NEAR(a, 0.44, 0.005);
  EXPECT_NEAR(b, 0.65, 0.005);
  EXPECT_NEAR(c, 0.87, 0.005);
}

TEST(CrankRockerK1RatiosTest, FalseWhereTheFormulasGiveNoCrankRocker) {
  const K1Case none[] = {{40, 70},  // 90° − ψ12/2: the coupler reaches the frame's length
                         {40, 75}, {40, 0}, {40, 90}, {0, 50}, {180, 10}};
  for (const K1Case& k : none) {
    Extended a = kUntouched, b = kUntouched, c = kUntouched;
    EXPECT_FALSE(CrankRockerK1Ratios(k.psi12, k.gammaMin, a, b, c)) << double(k.psi12) << " " << double(k.gammaMin);
    EXPECT_EQ(a, kUntouched);
  }
}

// ---------------------------------------------------------------------------------------
// Offset crank-slider with the largest minimum transmission angle

class MaxGammaMinOffsetSliderTest : public ::testing::TestWithParam<Extended> {};

TEST_P(MaxGammaMinOffsetSliderTest, TheSliderRunsTheStrokeWithTheQuickReturnAndTheGammaMin) {
  const Extended phi12 = GetParam();
  Extended gammaMin, a, b, e;
  ASSERT_TRUE(MaxGammaMinOffsetSlider(phi12, gammaMin, a, b, e));
  const SliderTurn t = sweepSlider(a, b, e);
  EXPECT_NEAR(t.stroke, 1, 1e-12);
  EXPECT_NEAR(t.quickReturn, phi12 - 180, kWhereTol);
  EXPECT_NEAR(t.gammaMin, gammaMin, kAngleTol);
}

// The free parameter: the crank pivot A on the circle through the dead positions C1 and C2,
// which keeps the stroke and the angle C1AC2.
TEST_P(MaxGammaMinOffsetSliderTest, MovingTheCrankPivotAlongItsCircleLowersGammaMin) {
  const Extended phi12 = GetParam();
  Extended gammaMin, a, b, e;
  ASSERT_TRUE(MaxGammaMinOffsetSlider(phi12, gammaMin, a, b, e));
  const Extended x1 = std::sqrt((b - a) * (b - a) - e * e), x2 = std::sqrt((a + b) * (a + b) - e * e);
  const Extended ox = (x1 + x2) / 2, oy = (e * e - x1 * x2) / (2 * e);  // |OA| = |OC1| = |OC2|
  const Extended radius = std::hypot(ox, oy), toA = std::atan2(-oy, -ox);
  for (Extended nudge : {-0.5L, -0.01L, 0.01L, 0.5L}) {
    const Extended ax = ox + radius * std::cos(toA + nudge * kDeg);
    const Extended ay = oy + radius * std::sin(toA + nudge * kDeg);
    const Extended to1 = std::hypot(x1 - ax, e - ay), to2 = std::hypot(x2 - ax, e - ay);
    const SliderTurn t = sweepSlider((to2 - to1) / 2, (to2 + to1) / 2, e - ay);
    EXPECT_NEAR(t.stroke, 1, 1e-9);
    EXPECT_NEAR(t.quickReturn, phi12 - 180, kWhereTol);
    EXPECT_LT(t.gammaMin, gammaMin - 1e-9L) << "moved by " << double(nudge) << "°";
  }
}

INSTANTIATE_TEST_SUITE_P(Designs, MaxGammaMinOffsetSliderTest,
                         ::testing::Values(181.0L, 190.0L, 200.0L, 225.0L, 260.0L));

TEST(MaxGammaMinOffsetSliderTest, MeetsTheKnownReading) {
  Extended gammaMin, a, b, e;
  ASSERT_TRUE(MaxGammaMinOffsetSlider(200, gammaMin, a, b, e));
  EXPECT_NEAR(gammaMin, 42.81, 0.005);
  EXPECT_NEAR(a, 0.4655, 0.00005);
  EXPECT_NEAR(b, 1.149, 0.0005);
  EXPECT_NEAR(e, 0.3774, 0.00005);
}

TEST(MaxGammaMinOffsetSliderTest, FalseOutsideTheQuickReturnRange) {
  for (Extended phi12 : {180.0L, 270.0L, 150.0L, 300.0L}) {
    Extended gammaMin = kUntouched, a = kUntouched, b = kUntouched, e = kUntouched;
    EXPECT_FALSE(MaxGammaMinOffsetSlider(phi12, gammaMin, a, b, e)) << double(phi12);
    EXPECT_EQ(gammaMin, kUntouched);
  }
}

// ---------------------------------------------------------------------------------------
// Double crank

struct DoubleCrankCase {
  Extended psi, gammaMin;
  friend void PrintTo(const DoubleCrankCase& c, std::ostream* os) {
    *os << "psi " << double(c.psi) << " gamma " << double(c.gammaMin);
  }
};

class DoubleCrankRatiosTest : public ::testing::TestWithParam<DoubleCrankCase> {};

TEST_P(DoubleCrankRatiosTest, BothMinimaAreGammaMinHalfATurnApartWhileTheOutputTurnsPsi) {
  const DoubleCrankCase& k = GetParam();
  Extended a, b, c;
  ASSERT_TRUE(DoubleCrankRatios(k.psi, k.gammaMin, a, b, c));
  ASSERT_EQ(ClassifyFourBar(false, a, b, c, 1), 11);
  EXPECT_NEAR(sweptGammaMin(a, b, c), k.gammaMin, kAngleTol);
  EXPECT_NEAR(transmissionAngle(a, b, c, 0), k.gammaMin, kAngleTol);
  EXPECT_NEAR(transmissionAngle(a, b, c, kPi), k.gammaMin, kAngleTol);
  // The output's turn over the first half of the input's, followed step by step.
  Extended turned = 0, last = fourBarAt(a, b, c, 0).output;
  for (int i = 1; i <= kSteps / 2; ++i) {
    const Extended now = fourBarAt(a, b, c, i * 2 * kPi / kSteps).output;
    turned += std::remainder(now - last, 2 * kPi);
    last = now;
  }
  turned = std::fabs(turned) / kDeg;
  // one half-turn of the input gives ψ, the other 360° − ψ
  EXPECT_NEAR(std::fmin(turned, 360 - turned), std::fmin(k.psi, 360 - k.psi), kAngleTol);
}

INSTANTIATE_TEST_SUITE_P(Designs, DoubleCrankRatiosTest,
                         ::testing::Values(DoubleCrankCase{100, 35}, DoubleCrankCase{120, 30},
                                           DoubleCrankCase{150, 45}, DoubleCrankCase{80, 35},
                                           DoubleCrankCase{175, 50},
                                           // the other half-turn of a 110° design
                                           DoubleCrankCase{250, 40}));

TEST(DoubleCrankRatiosTest, MeetsTheKnownDesignAndTheWindowsDefaults) {
  Extended a, b, c;
  ASSERT_TRUE(DoubleCrankRatios(120, 30, a, b, c));
  EXPECT_NEAR(a, std::sqrt(3.0L), 1e-15);
  EXPECT_NEAR(b, std::sqrt(2.0L), 1e-15);
  EXPECT_NEAR(c, std::sqrt(2.0L), 1e-15);
  ASSERT_TRUE(DoubleCrankRatios(100, 35, a, b, c));  // read off a chart as 2.1, 1.9, 1.37
  EXPECT_NEAR(a, 2.1, 0.02);
  EXPECT_NEAR(b, 1.9, 0.02);
  EXPECT_NEAR(c, 1.37, 0.02);
}

TEST(DoubleCrankRatiosTest, FalseWhereNoDoubleCrankHasTwoEqualMinima) {
  const DoubleCrankCase none[] = {{60, 35},  // ψ ≤ 2γmin
                                  {70, 35}, {180, 30}, {120, 0}, {120, 90}, {0, 30}, {360, 30}};
  for (const DoubleCrankCase& k : none) {
    Extended a = kUntouched, b = kUntouched, c = kUntouched;
    EXPECT_FALSE(DoubleCrankRatios(k.psi, k.gammaMin, a, b, c)) << double(k.psi) << " " << double(k.gammaMin);
    EXPECT_EQ(a, kUntouched);
  }
}

// ---------------------------------------------------------------------------------------
// Any question, in range or not: a window's guard must not find a fault the solvers left.

TEST(ChartSolversTest, LeaveNoFloatingPointFaultBehind) {
  constexpr int kFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
  std::feclearexcept(FE_ALL_EXCEPT);
  Extended g, beta, a, b, c, e;
  for (Extended x = 0; x <= 360; x += 2.5L)
    for (Extended y = 0; y <= 180; y += 2.5L) {
      MaxGammaMinCrankRocker(x, y, g, beta);
      CrankRockerK1Ratios(y, x / 4, a, b, c);
      DoubleCrankRatios(x, y / 2, a, b, c);
      ASSERT_EQ(std::fetestexcept(kFaults), 0) << double(x) << " " << double(y);
    }
  for (Extended phi12 = 170; phi12 <= 280; phi12 += 0.25L) MaxGammaMinOffsetSlider(phi12, g, a, b, e);
  EXPECT_EQ(std::fetestexcept(kFaults), 0);
}

}  // namespace
