// Quick-return designs checked on the linkages they give: the crank-rocker's real K and swing
// by sweeping FourBarAt, the crank-slider's stroke, θ and γmin from the loop geometry, the
// guide-bar's swing from GuideBarAt; the solver's roots, ψ0's range, the best λ and its cut.
#include "link/quick_return.h"

#include "link/kinematics.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr Extended kDeg = kPi / 180;

// Where a function of the crank angle is largest over a full turn: the best of a fine sweep,
// refined by golden section between its neighbours.
struct Extremum {
  Extended at, value;
};

Extremum largest(const std::function<Extended(Extended)>& f) {
  constexpr int kSamples = 7200;
  const Extended step = 2 * kPi / kSamples;
  int best = 0;
  for (int i = 1; i < kSamples; ++i)
    if (f(i * step) > f(best * step)) best = i;
  Extended lo = (best - 1) * step, hi = (best + 1) * step;
  const Extended g = (std::sqrt(5.0L) - 1) / 2;
  while (hi - lo > 1e-12L) {
    const Extended x1 = hi - g * (hi - lo), x2 = lo + g * (hi - lo);
    if (f(x1) > f(x2))
      hi = x2;
    else
      lo = x1;
  }
  const Extended at = (lo + hi) / 2;
  return {at, f(at)};
}

Extremum smallest(const std::function<Extended(Extended)>& f) {
  const Extremum e = largest([&](Extended x) { return -f(x); });
  return {e.at, -e.value};
}

// The crank turns from the driven link's one extreme to the other and back: the ratio of the
// slower of the two strokes to the faster, and the crank's excess over half a turn, θ.
struct Strokes {
  Extended K, theta;
};

Strokes strokes(Extended fromAngle, Extended toAngle) {
  const Extended one = std::fmod(toAngle - fromAngle + 4 * kPi, 2 * kPi), other = 2 * kPi - one;
  return {std::max(one, other) / std::min(one, other), std::fabs(one - kPi) / kDeg};
}

// --- Crank-rocker ---

struct RockerCase {
  const char* name;
  Extended psi, K, c, gammaMin;
  Extended start[4];
};

class QuickReturnRockerTest : public ::testing::TestWithParam<RockerCase> {};

// The designed four-bar, swept over a full turn of its crank, swings its rocker by ψ and takes
// K times as long for one stroke as for the other.
TEST_P(QuickReturnRockerTest, SweptLinkageHasTheSwingAndTheRatioAskedFor) {
  const RockerCase& c = GetParam();
  QuickReturnRocker r;
  ASSERT_TRUE(SolveQuickReturnRocker(c.psi, ThetaFromK(c.K), c.gammaMin, c.c,
                                     {c.start[0], c.start[1], c.start[2], c.start[3]}, 1e-7L, 100, r));
  ASSERT_TRUE(RockerFeasible(r));
  ASSERT_EQ(ClassifyFourBar(false, r.a, r.b, c.c, r.d), 10);
  const auto rocker = [&](Extended phi) {
    Extended gamma, phi2, phi3, omega3, eps3, ex, ey;
    FourBarAt(phi, 1, r.a, r.b, c.c, r.d, 0, 0, gamma, phi2, phi3, omega3, eps3, ex, ey);
    return phi3;
  };
  const Extremum high = largest(rocker), low = smallest(rocker);
  EXPECT_NEAR(double((high.value - low.value) / kDeg), double(c.psi), 1e-6);
  EXPECT_NEAR(double(strokes(low.at, high.at).K), double(c.K), 1e-6);
  // With the crank folded onto the frame the angle BCD is γmin.
  const Extended bd = r.d - r.a;
  EXPECT_NEAR(double(std::acos((r.b * r.b + c.c * c.c - bd * bd) / (2 * r.b * c.c)) / kDeg), double(c.gammaMin),
              1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Designs, QuickReturnRockerTest,
    ::testing::Values(RockerCase{"defaults", 45, 1.4L, 45, 40, {9, 57, 30, 76}},
                      RockerCase{"slowSwing", 40, 1.25L, 60, 45, {9, 57, 30, 76}},
                      RockerCase{"wideSwing", 60, 1.2L, 50, 40, {9, 57, 30, 76}},
                      RockerCase{"steepRatio", 50, 1.5L, 80, 35, {24, 64, 88, 10}},
                      RockerCase{"longRocker", 30, 1.6L, 100, 40, {30, 80, 110, 10}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RootCase {
  const char* name;
  Extended start[4];
  Extended a, b, d, psi0;
  bool feasible;
};

class QuickReturnRockerRootTest : public ::testing::TestWithParam<RootCase> {};

TEST_P(QuickReturnRockerRootTest, StartValuesChooseTheRoot) {
  const RootCase& c = GetParam();
  QuickReturnRocker r;
  ASSERT_TRUE(SolveQuickReturnRocker(45, 30, 40, 45, {c.start[0], c.start[1], c.start[2], c.start[3]}, 1e-7L, 100, r));
  EXPECT_NEAR(double(r.a), double(c.a), 0.01);
  EXPECT_NEAR(double(r.b), double(c.b), 0.01);
  EXPECT_NEAR(double(r.d), double(c.d), 0.01);
  EXPECT_NEAR(double(r.psi0), double(c.psi0), 0.01);
  EXPECT_EQ(RockerFeasible(r), c.feasible);
  TExtendedArray f(4);
  TNLeq eq;
  eq.Params[0] = 45, eq.Params[1] = 30, eq.Params[2] = 40, eq.Params[3] = 45;
  eq.Residual({r.a, r.b, r.d, r.psi0}, f);
  for (Extended v : f) EXPECT_LT(std::fabs(v), 1e-7L);
}

INSTANTIATE_TEST_SUITE_P(Defaults, QuickReturnRockerRootTest,
                         ::testing::Values(RootCase{"defaultStart", {9, 57, 30, 76}, 16.893, 21.265, 48.691, 2.867, true},
                                           RootCase{"otherRoot", {1, 57, 30, 200}, -8.334, 58.818, 29.474, 232.474, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The fourth equation holds the angle BCD at the crank's inner collinear position only; with
// the crank stretched out along the frame the defaults' coupler and rocker lean much further.
TEST(QuickReturnRockerTest, DefaultsTransmissionAngleOverTheWholeTurnFallsToAbout18Degrees) {
  QuickReturnRocker r;
  ASSERT_TRUE(SolveQuickReturnRocker(45, 30, 40, 45, {9, 57, 30, 76}, 1e-7L, 100, r));
  const Extended c = 45;
  const auto transmission = [&](Extended phi) {
    const Extended bd2 = r.a * r.a + r.d * r.d - 2 * r.a * r.d * std::cos(phi);
    const Extended bcd = std::acos((r.b * r.b + c * c - bd2) / (2 * r.b * c)) / kDeg;
    return std::min(bcd, 180 - bcd);
  };
  const Extremum least = smallest(transmission);
  EXPECT_NEAR(double(least.value), 17.61, 0.01);
  EXPECT_NEAR(double(least.at / kDeg), 180, 1e-3);  // crank and frame stretched out
  EXPECT_NEAR(double(transmission(0)), 40, 1e-6);
}

TEST(QuickReturnRockerTest, AZeroCrankIsFeasibleAndANegativeLengthIsNot) {
  EXPECT_TRUE(RockerFeasible({0, 20, 40, 3}));
  EXPECT_FALSE(RockerFeasible({-0.001L, 20, 40, 3}));
  EXPECT_FALSE(RockerFeasible({10, -20, 40, 3}));
  EXPECT_FALSE(RockerFeasible({10, 20, -40, 3}));
}

// --- Crank-slider ---

// The slider on the line y = e, C = B + (√(b² − (e − a·sinφ)²), e − a·sinφ): its position along
// the guide and the transmission angle, from the geometry itself.
Extended sliderX(const QuickReturnSlider& s, Extended phi) {
  const Extended rise = s.e - s.a * std::sin(phi);
  return s.a * std::cos(phi) + std::sqrt(s.b * s.b - rise * rise);
}

Extended sliderTransmission(const QuickReturnSlider& s, Extended phi) {
  return std::acos(std::fabs(s.e - s.a * std::sin(phi)) / s.b) / kDeg;
}

struct SliderCase {
  const char* name;
  Extended H, theta, lambda;
};

class QuickReturnSliderTest : public ::testing::TestWithParam<SliderCase> {};

TEST_P(QuickReturnSliderTest, LoopGeometryHasTheStrokeTheAngleAndTheReportedTransmission) {
  const SliderCase& c = GetParam();
  const QuickReturnSlider s = DesignQuickReturnSlider(c.H, c.theta, c.lambda);
  ASSERT_TRUE(s.exact);
  EXPECT_NEAR(double(s.a / s.b), double(c.lambda), 1e-15);
  const auto x = [&](Extended phi) { return sliderX(s, phi); };
  const Extremum far = largest(x), near = smallest(x);
  EXPECT_NEAR(double(far.value - near.value), double(c.H), 1e-9);
  EXPECT_NEAR(double(strokes(near.at, far.at).theta), double(c.theta), 1e-6);
  // The coupler leans most with the crank perpendicular to the guide, away from it.
  EXPECT_NEAR(double(sliderTransmission(s, -kPi / 2)), double(s.gammaMin), 1e-9);
  EXPECT_NEAR(double(smallest([&](Extended phi) { return sliderTransmission(s, phi); }).value), double(s.gammaMin),
              1e-6);
  // The analysis shows the same stroke.
  const auto travel = [&](Extended phi) {
    Extended sp, v, a;
    CrankSliderAt(phi, 1, s.a, s.b, s.e, sp, v, a);
    return sp;
  };
  EXPECT_NEAR(double(largest(travel).value - smallest(travel).value), double(c.H), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Designs, QuickReturnSliderTest,
                         ::testing::Values(SliderCase{"defaults", 50, 30, 0.35L},
                                           SliderCase{"bestRatioAt30", 50, 30, 0.493L},
                                           SliderCase{"smallAngle", 80, 10, 0.3L},
                                           SliderCase{"wideAngle", 40, 60, 0.8L},
                                           SliderCase{"centred", 50, 0, 0.4L}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QuickReturnSliderTest, DefaultsGiveTheLinkageOfTheTriangle) {
  const QuickReturnSlider s = DesignQuickReturnSlider(50, 30, 0.35L);
  EXPECT_NEAR(double(s.b), 58.717, 5e-4);
  EXPECT_NEAR(double(s.a), 20.551, 5e-4);
  EXPECT_NEAR(double(s.e), 30.253, 5e-4);
  EXPECT_NEAR(double(s.gammaMin), 30.1, 0.05);
}

TEST(QuickReturnSliderTest, ARatioBelowTanSquaredOfHalfThetaGivesNoLinkageOfTheStroke) {
  EXPECT_NEAR(double(SmallestSliderRatio(30)), 0.0718, 1e-4);
  const QuickReturnSlider s = DesignQuickReturnSlider(50, 30, 0.05L);
  EXPECT_FALSE(s.exact);
  EXPECT_EQ(s.gammaMin, 0);
  // The triangle's C1 lies beyond A's foot on the guide: the real linkage falls short of H.
  const auto x = [&](Extended phi) { return sliderX(s, phi); };
  EXPECT_LT(largest(x).value - smallest(x).value, 40);
  EXPECT_FALSE(DesignQuickReturnSlider(50, 95, 0.9L).exact);
  EXPECT_TRUE(DesignQuickReturnSlider(50, 30, 1).exact);
}

TEST(QuickReturnSliderTest, TransmissionAngleLooksAtTheLargerRiseOfTheCoupler) {
  EXPECT_EQ(SliderMinTransmission(10, 30, 20), 0);  // the crank cannot pass the guide's normal
  EXPECT_NEAR(double(SliderMinTransmission(10, 40, -10)), 60, 1e-12);
  EXPECT_NEAR(double(SliderMinTransmission(10, 40, 10)), 60, 1e-12);
}

struct BestCase {
  Extended theta;
  bool found;
  Extended lambda, gammaMin;
};

class LargestSliderTransmissionTest : public ::testing::TestWithParam<BestCase> {};

TEST_P(LargestSliderTransmissionTest, FindsTheRatioOfTheLargestTransmissionAngle) {
  const BestCase& c = GetParam();
  const BestSliderRatio best = LargestSliderTransmission(c.theta);
  ASSERT_EQ(best.found, c.found);
  if (!c.found) return;
  EXPECT_NEAR(double(best.lambda), double(c.lambda), 5e-4);
  EXPECT_NEAR(double(best.gammaMin), double(c.gammaMin), 0.05);
  // The designed linkage reaches it, and its neighbours fall short.
  EXPECT_NEAR(double(DesignQuickReturnSlider(50, c.theta, best.lambda).gammaMin), double(best.gammaMin), 1e-9);
  for (Extended step : {-0.01L, 0.01L})
    EXPECT_LT(DesignQuickReturnSlider(50, c.theta, best.lambda + step).gammaMin, best.gammaMin);
}

INSTANTIATE_TEST_SUITE_P(Angles, LargestSliderTransmissionTest,
                         ::testing::Values(BestCase{30, true, 0.494L, 32.6L}, BestCase{-30, true, 0.494L, 32.6L},
                                           BestCase{15, true, 0.353L, 49.0L}, BestCase{60, true, 0.721L, 11.2L},
                                           BestCase{0, false, 0, 0}, BestCase{90, false, 0, 0},
                                           BestCase{120, false, 0, 0}));

struct SuggestionCase {
  Extended theta, gammaMin;
  int thousandths;
};

class SuggestedSliderRatioTest : public ::testing::TestWithParam<SuggestionCase> {};

TEST_P(SuggestedSliderRatioTest, CutsTowardZeroAtTheThirdDecimal) {
  EXPECT_EQ(SuggestedSliderRatio(GetParam().theta, GetParam().gammaMin), GetParam().thousandths / 1000.0L);
}

INSTANTIATE_TEST_SUITE_P(Ratios, SuggestedSliderRatioTest,
                         ::testing::Values(SuggestionCase{30, 60, 493},  // 0.4938, not rounded up
                                           SuggestionCase{30, 20, 493},  // whatever γmin was asked
                                           SuggestionCase{0, 10, 984},   // no best ratio: cos γmin, 0.98481
                                           SuggestionCase{0, 45, 707}, SuggestionCase{120, 40, 766}));

// --- Guide-bar ---

struct GuideBarCase {
  Extended d, theta, a;
};

class GuideBarCrankTest : public ::testing::TestWithParam<GuideBarCase> {};

TEST_P(GuideBarCrankTest, BarSwingsByThetaWithTheRatioOfIt) {
  const GuideBarCase& c = GetParam();
  const Extended a = GuideBarCrank(c.d, c.theta);
  EXPECT_NEAR(double(a), double(c.a), 5e-4);
  const auto bar = [&](Extended phi) {
    Extended psi, omega2, alpha2;
    GuideBarAt(phi, 1, a, c.d, psi, omega2, alpha2);
    return psi;
  };
  const Extremum high = largest(bar), low = smallest(bar);
  EXPECT_NEAR(double((high.value - low.value) / kDeg), double(c.theta), 1e-6);
  EXPECT_NEAR(double(strokes(low.at, high.at).K), double(KFromTheta(c.theta)), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Designs, GuideBarCrankTest,
                         ::testing::Values(GuideBarCase{50, 30, 12.941L}, GuideBarCase{50, 60, 25},
                                           GuideBarCase{50, 120, 43.301L}, GuideBarCase{80, 10, 6.972L}));

}  // namespace
