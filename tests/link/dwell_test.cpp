// Approximate dwell: the crank-rocker's closed formulas and the crank-slider's equation, each
// checked on the linkage it describes by sweeping it with the link kinematics.
#include "link/dwell.h"

#include "base/errors.h"
#include "base/fpu.h"
#include "support/dwell_sweep.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <limits>

namespace {

using namespace dwell_sweep;

constexpr Extended kNone = std::numeric_limits<Extended>::quiet_NaN();

// --- Crank-rocker ---

struct RockerCase {
  const char* name;
  Extended a, b, c, d, dPsi;
  Extended phiO, psiS, phi;  // the worked numbers where there are some, to 0.05°, 0.05°, 0.5°
};
void PrintTo(const RockerCase& c, std::ostream* os) { *os << c.name; }

class RockerDwellTest : public ::testing::TestWithParam<RockerCase> {};

TEST_P(RockerDwellTest, SweptWithFourBarAtTheRockerStaysInItsBandOverTheTurnFound) {
  const RockerCase& r = GetParam();
  Extended phiO = 0, psiS = 0;
  RockerExtremes(r.a, r.b, r.c, r.d, phiO, psiS);
  const Extended phi = RockerDwellAngle(r.a, r.b, r.c, r.d, psiS, r.dPsi);
  if (!std::isnan(r.phiO)) {
    EXPECT_NEAR(double(phiO), double(r.phiO), 0.05);
    EXPECT_NEAR(double(psiS), double(r.psiS), 0.05);
    EXPECT_NEAR(double(phi), double(r.phi), 0.5);
  }

  // With the crank at ±φo crank and coupler are stretched: C is a + b from A.
  const auto reach = [&](Extended phi1) {
    Extended gamma, phi2, phi3, omega3, eps3, ex, ey;
    FourBarAt(phi1 * kRad, 1, r.a, r.b, r.c, r.d, 0, 0, gamma, phi2, phi3, omega3, eps3, ex, ey);
    return std::hypot(r.d + r.c * std::cos(phi3), r.c * std::sin(phi3));
  };
  EXPECT_NEAR(double(std::max(reach(phiO), reach(-phiO))), double(r.a + r.b), 1e-9);

  constexpr Extended step = 0.01;
  Extended psiMin = 0;
  const Arc arc = RockerBand(r.a, r.b, r.c, r.d, r.dPsi, step, psiMin);
  EXPECT_NEAR(double(psiMin), double(psiS), 1e-4);  // the rear extreme is the smallest angle
  EXPECT_EQ(arc.runs, 1);
  // One grid step at each end of the turn.
  EXPECT_NEAR(double(arc.length), double(phi), 2 * double(step));
}

INSTANTIATE_TEST_SUITE_P(
    CrankRockers, RockerDwellTest,
    ::testing::Values(RockerCase{"defaults", 20, 30, 50, 45, 5, 63.3L, 10.5L, 111},
                      RockerCase{"smallSwing", 20, 30, 50, 45, 1, kNone, kNone, kNone},
                      RockerCase{"longCoupler", 25, 60, 50, 70, 3, kNone, kNone, kNone},
                      RockerCase{"shortCrank", 10, 40, 30, 45, 8, kNone, kNone, kNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RockerDwellTest, LengthsThatFormNoTriangleLeaveAnInvalidOperation) {
  FpuClear();
  Extended phiO = 0, psiS = 0;
  RockerExtremes(20, 30, 10, 15, phiO, psiS);  // c + d < a + b
  EXPECT_TRUE(std::isnan(phiO));
  EXPECT_THROW(FpuCheck(), EFloatError);
}

// --- Crank-slider ---

TEST(SliderDwellTest, ParametersOfTheCentredAndTheOffsetDefaults) {
  struct {
    Extended e, lambda, k, alpha, s;
  } rows[] = {{0, 2.0L / 3, 0, 0, 13}, {5, 2.0L / 3, 0.25L, 5.7391704772667865L, 13}};
  for (const auto& r : rows) {
    Extended lambda, k, alpha, s;
    SliderDwellParameters(20, 30, r.e, 15, 2, lambda, k, alpha, s);
    EXPECT_NEAR(double(lambda), double(r.lambda), 1e-15);
    EXPECT_NEAR(double(k), double(r.k), 1e-15);
    EXPECT_NEAR(double(alpha), double(r.alpha), 1e-12);
    EXPECT_EQ(s, r.s);
  }
}

DwellDesign slider(Extended a, Extended b, Extended e, Extended H, Extended dH) {
  DwellDesign q;
  q.a = a, q.b = b, q.e = e, q.H = H, q.dH = dH;
  SliderDwellParameters(a, b, e, H, dH, q.lambda, q.k, q.alpha, q.s);
  return q;
}

struct SolveCase {
  const char* name;
  Extended e, start;
  int limit;
  bool solved;
  Extended phi;  // to 0.05°
};
void PrintTo(const SolveCase& c, std::ostream* os) { *os << c.name; }

class SliderSolveTest : public ::testing::TestWithParam<SolveCase> {};

TEST_P(SliderSolveTest, RootInAFullTurn) {
  const SolveCase& c = GetParam();
  Extended phi = -1;
  EXPECT_EQ(SolveSliderDwell(slider(20, 30, c.e, 15, 2), c.start, 1e-7L, c.limit, phi), c.solved);
  if (c.solved) {
    EXPECT_NEAR(double(phi), double(c.phi), 0.05);
    EXPECT_GE(phi, 0);
    EXPECT_LT(phi, 360);
  } else {
    EXPECT_EQ(phi, -1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, SliderSolveTest,
    ::testing::Values(SolveCase{"centred", 0, 40, 100, true, 55.0L},
                      SolveCase{"rootNearMinus55", 0, -40, 100, true, 305.0L},
                      SolveCase{"offset", 5, 40, 100, true, 48.1L},
                      // a thousand turns away: brought back in one step, not a thousand
                      SolveCase{"farTurn", 0, 40 + 360 * 1000, 100, true, 55.0L},
                      SolveCase{"oneIteration", 0, 40, 1, false, 0},
                      SolveCase{"oneIterationAtTheRoot", 0, 54.995264642015L, 1, true, 54.995264642015L}),
    [](const auto& info) { return std::string(info.param.name); });

// The stroke against the largest displacement of the swept linkage.
TEST(SliderDwellTest, StrokeIsTheSweptTravelAndNeedsACrankThatTurns) {
  for (Extended e : {Extended(0), Extended(5), Extended(-5), Extended(9.5)}) {
    Extended H = 0;
    ASSERT_TRUE(CrankSliderStroke(20, 30, e, H)) << double(e);
    EXPECT_NEAR(double(H), double(SweptStroke(20, 30, e)), 1e-6) << double(e);
  }
  Extended H = -1;
  EXPECT_FALSE(CrankSliderStroke(20, 24, 5, H));  // the crank stops short of the guide
  EXPECT_FALSE(CrankSliderStroke(0, 30, 0, H));
  EXPECT_EQ(H, -1);
}

struct BandCase {
  const char* name;
  Extended a, b, e, dH;
  Extended before, after;  // start values on either side of the rear dead position
  Extended tolerance;      // how far the equation's second-order expansion may move the ends (deg)
};
void PrintTo(const BandCase& c, std::ostream* os) { *os << c.name; }

class SliderBandTest : public ::testing::TestWithParam<BandCase> {};

// With H the swept stroke, the two roots bound the crank turn over which the exactly swept slider
// stays within △H of its rear dead position, and it leaves that band just outside them.
TEST_P(SliderBandTest, RootsBoundTheTurnNearTheRearDeadPosition) {
  const BandCase& c = GetParam();
  const DwellDesign q = slider(c.a, c.b, c.e, SweptStroke(c.a, c.b, c.e), c.dH);
  Extended first = 0, last = 0;
  ASSERT_TRUE(SolveSliderDwell(q, c.before, 1e-10L, 100, first));
  ASSERT_TRUE(SolveSliderDwell(q, c.after, 1e-10L, 100, last));
  EXPECT_TRUE(SliderBandBoundedBy(c.a, c.b, c.e, c.dH, first, last, c.tolerance));
}

INSTANTIATE_TEST_SUITE_P(
    Sliders, SliderBandTest,
    ::testing::Values(BandCase{"longRod", 20, 100, 0, 2, 150, 210, 0.05L},
                      BandCase{"longRodOffset", 20, 100, 10, 1, 150, 210, 0.3L},
                      // λ = 2/3: the expansion puts the ends 1.5° out
                      BandCase{"defaultProportions", 20, 30, 0, 2, 150, 210, 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
