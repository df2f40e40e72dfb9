// Four-bar, crank-slider and guide-bar kinematics: known positions, classification, ranges,
// and independent checks (loop closure, finite differences of positions) over sweeps.
#include "link/kinematics.h"

#include "base/errors.h"
#include "base/fpu.h"
#include "support/scripted_desktop.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr Extended kDeg = kPi / 180;
constexpr Extended kLoopClosureTol = 1e-9L;  // relative to the link length
constexpr Extended kDiffTol = 1e-6L;         // central differences, relative to the largest value
constexpr Extended kUntouched = 12345.25L;   // marks an output the routine must not write

// The difference of two angles, reduced to (-pi, pi].
Extended angleDiff(Extended x, Extended y) { return std::remainder(x - y, 2 * kPi); }

struct Linkage {
  Extended a, b, c, d;
  friend void PrintTo(const Linkage& l, std::ostream* os) {
    *os << double(l.a) << "/" << double(l.b) << "/" << double(l.c) << "/" << double(l.d);
  }
};

struct DyadResult {
  TBarState input, coupler, output;
};

DyadResult solve(const Linkage& l, bool branch, Extended phi1, Extended omega1) {
  DyadResult r{};
  r.input.Len = l.a;
  r.input.Angle = phi1;
  r.input.Omega = omega1;
  r.coupler.Len = l.b;
  r.output.Len = l.c;
  SolveDyad(branch, r.input, r.coupler, r.output, l.d);
  return r;
}

// ---------------------------------------------------------------------------------------
// Classification

struct ClassifyCase {
  Linkage l;
  int code;
  const char* message;
  friend void PrintTo(const ClassifyCase& c, std::ostream* os) { PrintTo(c.l, os); }
};

class ClassifyFourBarTest : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyFourBarTest, ReturnsTheCodeAndShowsItsMessageOnlyWhenAsked) {
  const ClassifyCase& c = GetParam();
  ScriptedDesktop desktop;
  EXPECT_EQ(ClassifyFourBar(false, c.l.a, c.l.b, c.l.c, c.l.d), c.code);
  EXPECT_TRUE(desktop.messages.isEmpty());
  EXPECT_EQ(ClassifyFourBar(true, c.l.a, c.l.b, c.l.c, c.l.d), c.code);
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_EQ(desktop.messages[0].toStdString(), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ClassifyFourBarTest,
    ::testing::Values(
        // Grashof's condition holds with equality and BC is the shortest
        ClassifyCase{{120, 75, 100, 95}, 0, "该机构是双摇杆机构"},
        ClassifyCase{{60, 70, 80, 100}, 0, "该机构是双摇杆机构"},  // Grashof fails
        ClassifyCase{{30, 100, 80, 110}, 10, "该机构是曲柄摇杆机构(AB为曲柄)"},
        ClassifyCase{{80, 90, 30, 100}, 1, "该机构是曲柄摇杆机构(CD为曲柄)"},
        ClassifyCase{{60, 90, 80, 30}, 11, "该机构是双曲柄机构"},
        ClassifyCase{{50, 80, 50, 80}, 110, "该机构是平行四边形（双曲柄）机构"},
        // ties: the parallelogram beats a shortest frame, the frame beats AB,
        // AB beats BC, CD beats BC
        ClassifyCase{{50, 50, 50, 50}, 110, "该机构是平行四边形（双曲柄）机构"},
        ClassifyCase{{40, 60, 60, 40}, 11, "该机构是双曲柄机构"},
        ClassifyCase{{30, 30, 80, 80}, 10, "该机构是曲柄摇杆机构(AB为曲柄)"},
        ClassifyCase{{80, 30, 30, 80}, 1, "该机构是曲柄摇杆机构(CD为曲柄)"},
        ClassifyCase{{10, 10, 10, 30}, -1, "所给尺寸不能构成四边形，也不能构成机构！"},
        ClassifyCase{{10, 10, 10, 40}, -1, "所给尺寸不能构成四边形，也不能构成机构！"},
        ClassifyCase{{90, 10, 20, 30}, -1, "所给尺寸不能构成四边形，也不能构成机构！"}));

// ---------------------------------------------------------------------------------------
// Ranges of the input link

struct Limits {
  Extended phi1min = kUntouched, phi1max = kUntouched, phi3min = kUntouched,
           phi3max = kUntouched;
};

Limits range(const Linkage& l) {
  Limits r;
  FourBarRange(l.a, l.b, l.c, l.d, r.phi1min, r.phi1max, r.phi3min, r.phi3max);
  return r;
}

TEST(FourBarRangeTest, SwingThroughZeroWhenCouplerAndInputFoldOntoTheFrame) {
  const Limits r = range({120, 75, 100, 95});  // a + b = c + d
  EXPECT_NEAR(r.phi1max / kDeg, 108.40848, 1e-5);
  EXPECT_EQ(r.phi1min, -r.phi1max);
  EXPECT_EQ(r.phi3min, -r.phi3max);
  EXPECT_NEAR(r.phi3max / kDeg, 153.47465, 1e-5);
}

TEST(FourBarRangeTest, SwingThroughHalfTurnWhenInputCanStretchAlongTheFrame) {
  const Limits r = range({100, 40, 110, 50});  // a + d = b + c, BC shortest
  EXPECT_NEAR(r.phi1min / kDeg, std::acos(0.76L) / kDeg, 1e-12);
  EXPECT_EQ(r.phi1max, 2 * kPi - r.phi1min);
  EXPECT_EQ(r.phi3max, 2 * kPi - r.phi3min);
}

TEST(FourBarRangeTest, CranksTurnFullyAndLeaveTheOutputLimitsAlone) {
  for (const Linkage& l : {Linkage{30, 100, 80, 110}, Linkage{60, 90, 80, 30}}) {
    const Limits r = range(l);
    EXPECT_EQ(r.phi1min, 0);
    EXPECT_EQ(r.phi1max, 2 * kPi);
    EXPECT_EQ(r.phi3min, kUntouched);
    EXPECT_EQ(r.phi3max, kUntouched);
  }
  EXPECT_EQ(range({80, 90, 30, 100}).phi3min, kUntouched);  // AB rocks, CD is the crank
}

// At each finite limit the coupler and the output link are in line (|BD| = b + c or |b - c|),
// inside the limit the dyad can be assembled and just beyond it cannot.
class FourBarRangeLimitTest : public ::testing::TestWithParam<Linkage> {};

TEST_P(FourBarRangeLimitTest, LimitsAreTheDeadCentresOfTheDyad) {
  const Linkage& l = GetParam();
  const Limits r = range(l);
  const auto bd = [&](Extended phi) {
    return std::hypot(l.a * std::cos(phi) - l.d, l.a * std::sin(phi));
  };
  const auto assemblable = [&](Extended phi) {
    return bd(phi) >= std::fabs(l.b - l.c) && bd(phi) <= l.b + l.c;
  };
  for (const auto& [limit, inward] : {std::pair{r.phi1min, 1}, std::pair{r.phi1max, -1}}) {
    const Extended dist = bd(limit);
    EXPECT_NEAR(std::min(std::fabs(dist - (l.b + l.c)), std::fabs(dist - std::fabs(l.b - l.c))),
                0, 1e-9)
        << double(limit / kDeg);
    EXPECT_TRUE(assemblable(limit + inward * 1e-3L));
    EXPECT_FALSE(assemblable(limit - inward * 1e-3L));
  }
}

INSTANTIATE_TEST_SUITE_P(Rockers, FourBarRangeLimitTest,
                         ::testing::Values(Linkage{60, 70, 80, 100},   // d the longest
                                           Linkage{60, 70, 100, 80},   // c the longest
                                           Linkage{80, 40, 60, 35},    // a the longest
                                           Linkage{60, 100, 70, 80},   // b the longest
                                           Linkage{80, 90, 30, 100},   // CD is the crank
                                           Linkage{70, 30, 90, 60}));  // BC shortest

TEST(FourBarRangeTest, AnArcCosineOutOfRangeIsAFloatErrorNotANaN) {
  FpuClear();
  Limits r;
  EXPECT_THROW(FourBarRange(1, 1, 1, 10, r.phi1min, r.phi1max, r.phi3min, r.phi3max),
               EFloatError);
  EXPECT_THROW(FourBarRange(0, 0, 0, 0, r.phi1min, r.phi1max, r.phi3min, r.phi3max),
               EFloatError);
}

// ---------------------------------------------------------------------------------------
// Four-bar positions

TEST(FourBarAtTest, CrankRockerAtZeroInputAngle) {
  Extended gamma, phi2, phi3, omega3, eps3, ex, ey;
  FourBarAt(0, 1, 30, 100, 80, 110, 0, 100, gamma, phi2, phi3, omega3, eps3, ex, ey);
  EXPECT_NEAR(phi2 / kDeg, 51.3178, 1e-4);
  EXPECT_NEAR(phi3 / kDeg, 102.6356, 1e-4);
  EXPECT_NEAR(gamma / kDeg, 51.3178, 1e-4);
  // E at the far end of BC is C
  EXPECT_NEAR(ex, 92.5, 1e-12);
  EXPECT_NEAR(ey, 78.0625, 1e-4);
  EXPECT_NEAR(ex, 110 + 80 * std::cos(phi3), 1e-12);
  EXPECT_NEAR(ey, 80 * std::sin(phi3), 1e-12);
}

TEST(FourBarAtTest, CrankRockerStaysOnThePositiveSideWithAnAcuteTransmissionAngle) {
  for (int i = 0; i <= 360; i += 5) {
    Extended gamma, phi2, phi3, omega3, eps3, ex, ey;
    FourBarAt(i * kDeg, 1, 30, 100, 80, 110, 0, 100, gamma, phi2, phi3, omega3, eps3, ex, ey);
    EXPECT_GT(ey, 0) << i;
    EXPECT_GT(phi3 - phi2, 0) << i;
    EXPECT_LT(phi3 - phi2, kPi) << i;
    EXPECT_GT(gamma, 0) << i;
    EXPECT_LE(gamma, kPi / 2) << i;
  }
}

TEST(FourBarAtTest, ZeroInputSpeedGivesPositionsAndZeroSpeeds) {
  Extended gamma, phi2, phi3, omega3 = kUntouched, eps3 = kUntouched, ex, ey;
  FourBarAt(0, 0, 30, 100, 80, 110, 0, 0, gamma, phi2, phi3, omega3, eps3, ex, ey);
  EXPECT_NEAR(phi3 / kDeg, 102.6356, 1e-4);
  EXPECT_EQ(omega3, 0);
  EXPECT_EQ(eps3, 0);
}

TEST(SolveDyadTest, ZeroInputSpeedKeepsThePreviousSpeeds) {
  DyadResult r{};
  r.input = {0, 0, 30, 0.5L, 0, 0};
  r.coupler = {0, 0, 100, 0, 7, 8};
  r.output = {0, 0, 80, 0, 9, 10};
  SolveDyad(false, r.input, r.coupler, r.output, 110);
  EXPECT_NEAR(r.coupler.X, 30 * std::cos(0.5L), 1e-15);
  EXPECT_NE(r.output.Angle, 0);
  EXPECT_EQ(r.coupler.Omega, 7);
  EXPECT_EQ(r.coupler.Epsilon, 8);
  EXPECT_EQ(r.output.Omega, 9);
  EXPECT_EQ(r.output.Epsilon, 10);
}

TEST(SolveDyadTest, FoldedPositionGivesExactlyPiAndKeepsSpeeds) {
  // c = |a - d - b|: at phi1 = 0 C lies on the x axis left of B, so B - C = 0 in both
  // half-angle equations.
  DyadResult r{};
  r.input = {0, 0, 30, 0, 1, 0};
  r.coupler = {0, 0, 100, 0, 7, 8};
  r.output = {0, 0, 180, 0, 9, 10};
  SolveDyad(false, r.input, r.coupler, r.output, 110);
  EXPECT_EQ(r.coupler.Angle, kPi);
  EXPECT_EQ(r.output.Angle, kPi);
  EXPECT_EQ(r.coupler.Omega, 7);  // singular: sin(phi2 - phi3) = 0
  EXPECT_EQ(r.output.Epsilon, 10);
}

TEST(SolveDyadTest, UnreachablePositionIsClampedWithoutAFault) {
  FpuClear();
  const DyadResult r = solve({60, 70, 80, 100}, false, kPi, 1);  // |BD| = 160 > b + c
  EXPECT_NO_THROW(FpuCheck());
  EXPECT_TRUE(std::isfinite(r.coupler.Angle));
  EXPECT_TRUE(std::isfinite(r.output.Angle));
}

// ---------------------------------------------------------------------------------------
// Sweeps: loop closure and finite differences on both assemblies

struct SweepCase {
  Linkage l;
  bool branch;
  friend void PrintTo(const SweepCase& c, std::ostream* os) {
    PrintTo(c.l, os);
    *os << (c.branch ? " branch set" : " branch clear");
  }
};

class FourBarSweepTest : public ::testing::TestWithParam<SweepCase> {
protected:
  // Input angles 2 degrees inside the range, where the position is regular.
  std::vector<Extended> angles() const {
    const Limits r = range(GetParam().l);
    const bool fullTurn = r.phi1min == 0 && r.phi1max == 2 * kPi;
    const Extended lo = fullTurn ? 0 : r.phi1min + 2 * kDeg;
    const Extended hi = fullTurn ? 2 * kPi : r.phi1max - 2 * kDeg;
    std::vector<Extended> out;
    for (int i = 0; i <= 40; ++i) out.push_back(lo + (hi - lo) * i / 40);
    return out;
  }
};

TEST_P(FourBarSweepTest, PositionClosesTheLoop) {
  const auto& [l, branch] = GetParam();
  for (Extended phi1 : angles()) {
    const DyadResult r = solve(l, branch, phi1, 1);
    EXPECT_NEAR(r.coupler.X, l.a * std::cos(phi1), 1e-12);
    EXPECT_NEAR(r.coupler.Y, l.a * std::sin(phi1), 1e-12);
    const Extended cx = l.d + l.c * std::cos(r.output.Angle);
    const Extended cy = l.c * std::sin(r.output.Angle);
    EXPECT_NEAR(std::hypot(cx - r.coupler.X, cy - r.coupler.Y), l.b, kLoopClosureTol * l.b)
        << double(phi1 / kDeg);
    const Extended cx2 = r.coupler.X + l.b * std::cos(r.coupler.Angle);
    const Extended cy2 = r.coupler.Y + l.b * std::sin(r.coupler.Angle);
    EXPECT_NEAR(std::hypot(cx2 - l.d, cy2), l.c, kLoopClosureTol * l.c) << double(phi1 / kDeg);
  }
}

TEST_P(FourBarSweepTest, SpeedsAreDerivativesOfThePositions) {
  const auto& [l, branch] = GetParam();
  const Extended omega1 = 2.5L;
  const Extended h1 = 1e-6L, h2 = 1e-5L;
  for (Extended phi1 : angles()) {
    const DyadResult r = solve(l, branch, phi1, omega1);
    const DyadResult p1 = solve(l, branch, phi1 + h1, omega1);
    const DyadResult m1 = solve(l, branch, phi1 - h1, omega1);
    const DyadResult p2 = solve(l, branch, phi1 + h2, omega1);
    const DyadResult m2 = solve(l, branch, phi1 - h2, omega1);
    // d/dt = omega1 d/dphi1
    const auto first = [&](auto member) {
      return angleDiff(member(p1).Angle, member(m1).Angle) / (2 * h1) * omega1;
    };
    const auto second = [&](auto member) {
      return (angleDiff(member(p2).Angle, member(r).Angle) -
              angleDiff(member(r).Angle, member(m2).Angle)) /
             (h2 * h2) * omega1 * omega1;
    };
    const auto coupler = [](const DyadResult& x) { return x.coupler; };
    const auto output = [](const DyadResult& x) { return x.output; };
    const Extended scale1 = 1 + std::fabs(r.output.Omega) + std::fabs(r.coupler.Omega);
    const Extended scale2 = 1 + std::fabs(r.output.Epsilon) + std::fabs(r.coupler.Epsilon);
    EXPECT_NEAR(r.coupler.Omega, first(coupler), kDiffTol * scale1) << double(phi1 / kDeg);
    EXPECT_NEAR(r.output.Omega, first(output), kDiffTol * scale1) << double(phi1 / kDeg);
    EXPECT_NEAR(r.coupler.Epsilon, second(coupler), kDiffTol * scale2) << double(phi1 / kDeg);
    EXPECT_NEAR(r.output.Epsilon, second(output), kDiffTol * scale2) << double(phi1 / kDeg);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FourBarSweepTest,
    ::testing::Values(SweepCase{{30, 100, 80, 110}, false}, SweepCase{{30, 100, 80, 110}, true},
                      SweepCase{{60, 90, 80, 30}, false}, SweepCase{{60, 90, 80, 30}, true},
                      SweepCase{{80, 90, 30, 100}, false}, SweepCase{{60, 70, 80, 100}, false},
                      SweepCase{{60, 70, 80, 100}, true}, SweepCase{{70, 30, 90, 60}, false},
                      SweepCase{{0.3L, 1.2L, 0.9L, 1.1L}, false}));

// ---------------------------------------------------------------------------------------
// Crank-slider

struct SliderCase {
  Extended phi, omega, r, l, e, s, v, a;
};

class CrankSliderValueTest : public ::testing::TestWithParam<SliderCase> {};

TEST_P(CrankSliderValueTest, KnownValues) {
  const SliderCase& c = GetParam();
  Extended s, v, a;
  CrankSliderAt(c.phi, c.omega, c.r, c.l, c.e, s, v, a);
  EXPECT_NEAR(s, c.s, 1e-12);
  EXPECT_NEAR(v, c.v, 1e-12);
  if (!std::isnan(c.a)) EXPECT_NEAR(a, c.a, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, CrankSliderValueTest,
    ::testing::Values(SliderCase{0, 1, 30, 100, 0, 0, 0, 39},
                      SliderCase{kPi, 1, 30, 100, 0, 60, 0, -30 * (1 - 0.3L)},  // the stroke 2r
                      // offset 10: x_C = 30 + sqrt(100^2 - 10^2), v = 2·30·(0 - 10/sqrt(9900))
                      SliderCase{0, 2, 30, 100, 10, std::sqrt(16800.0L) - 30 - std::sqrt(9900.0L),
                                 -60 * 10 / std::sqrt(9900.0L), NAN}));

// The offset slider against the loop geometry: C on the slide line y = e at the rod's length
// from B, the displacement counted from the farthest position.
class CrankSliderOffsetTest : public ::testing::TestWithParam<std::array<Extended, 3>> {};

TEST_P(CrankSliderOffsetTest, MovesAlongTheExactLoop) {
  const auto [r, l, e] = GetParam();
  const Extended far = std::sqrt((l + r) * (l + r) - e * e), near = std::sqrt((l - r) * (l - r) - e * e);
  const Extended stroke = far - near;
  for (int i = 0; i < 3600; ++i) {
    const Extended phi = i * kDeg / 10;
    Extended s, v, a;
    CrankSliderAt(phi, 1, r, l, e, s, v, a);
    const Extended bx = r * std::cos(phi), by = r * std::sin(phi), cx = far - s;
    EXPECT_NEAR(std::hypot(cx - bx, e - by), l, 1e-12 * l) << i;  // the rod keeps its length
    EXPECT_GE(s, -1e-12 * l) << i;
    EXPECT_LE(s, stroke + 1e-12 * l) << i;
  }
  // The dead positions, crank and rod in line: s is 0 and the whole stroke there.
  Extended s, v, a;
  CrankSliderAt(std::asin(e / (l + r)), 1, r, l, e, s, v, a);
  EXPECT_NEAR(s, 0, 1e-12 * l);
  EXPECT_NEAR(v, 0, 1e-12 * l);
  CrankSliderAt(kPi + std::asin(e / (l - r)), 1, r, l, e, s, v, a);
  EXPECT_NEAR(s, stroke, 1e-12 * l);
  EXPECT_NEAR(v, 0, 1e-12 * l);
}

// The quick-return offsets the design windows produce (e/l of 0.3 to 0.5) and a negative one.
INSTANTIATE_TEST_SUITE_P(Offsets, CrankSliderOffsetTest,
                         ::testing::Values(std::array<Extended, 3>{30, 100, 10},
                                           std::array<Extended, 3>{20.551L, 58.717L, 30.253L},
                                           std::array<Extended, 3>{0.4655L, 1.149L, 0.3774L},
                                           std::array<Extended, 3>{30, 100, -15}));

class CrankSliderSweepTest : public ::testing::TestWithParam<Extended> {};

TEST_P(CrankSliderSweepTest, SpeedsAreDerivativesOfTheDisplacement) {
  const Extended r = 30, l = 100, e = GetParam(), omega = 1.7L, h = 1e-5L;
  for (int i = 0; i <= 360; i += 9) {
    const Extended phi = i * kDeg;
    Extended s, v, a, sp, vp, ap, sm, vm, am;
    CrankSliderAt(phi, omega, r, l, e, s, v, a);
    CrankSliderAt(phi + h, omega, r, l, e, sp, vp, ap);
    CrankSliderAt(phi - h, omega, r, l, e, sm, vm, am);
    EXPECT_NEAR(v, (sp - sm) / (2 * h) * omega, kDiffTol * (1 + std::fabs(v))) << i;
    EXPECT_NEAR(a, (vp - vm) / (2 * h) * omega, kDiffTol * (1 + std::fabs(a))) << i;
    if (e == 0) {
      // against the geometry: s = r + l - x_C with C on the x axis
      const Extended xc = r * std::cos(phi) + std::sqrt(l * l - std::pow(r * std::sin(phi), 2));
      EXPECT_NEAR(s, r + l - xc, 1e-12) << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Offsets, CrankSliderSweepTest, ::testing::Values(0.0L, 10.0L, -15.0L, 45.0L));

TEST(CrankSliderTest, CrankLongerThanTheRodIsAFloatFault) {
  FpuClear();
  Extended s, v, a;
  CrankSliderAt(kPi / 2, 1, 120, 100, 0, s, v, a);
  EXPECT_THROW(FpuCheck(), EFloatError);
}

// ---------------------------------------------------------------------------------------
// Guide bar

TEST(GuideBarTest, KnownPositions) {
  const Extended r = 40, d = 100, w = 2;
  Extended psi, w2, a2;
  GuideBarAt(kPi / 2, w, r, d, psi, w2, a2);
  EXPECT_NEAR(psi, 0, 1e-18);
  EXPECT_NEAR(w2, -w * r / (d + r), 1e-15);
  EXPECT_NEAR(a2, 0, 1e-15);
  GuideBarAt(-kPi / 2, w, r, d, psi, w2, a2);
  EXPECT_NEAR(psi, 0, 1e-18);
  EXPECT_NEAR(w2, w * r / (d - r), 1e-15);  // the quick return
  GuideBarAt(0, w, r, d, psi, w2, a2);
  EXPECT_NEAR(psi, std::atan(r / d), 1e-18);
  EXPECT_NEAR(w2, -w * r * r / (r * r + d * d), 1e-15);
}

TEST(GuideBarTest, SweepAgreesWithGeometryAndFiniteDifferences) {
  const Extended r = 40, d = 100, omega = -1.3L, h = 1e-5L;
  for (int i = 0; i <= 360; i += 9) {
    const Extended phi = i * kDeg;
    Extended psi, w2, a2, pp, wp, ap, pm, wm, am;
    GuideBarAt(phi, omega, r, d, psi, w2, a2);
    GuideBarAt(phi + h, omega, r, d, pp, wp, ap);
    GuideBarAt(phi - h, omega, r, d, pm, wm, am);
    // angle from DA to DB, D = (0, -d)
    EXPECT_NEAR(psi, std::atan2(r * std::cos(phi), r * std::sin(phi) + d), 1e-15) << i;
    EXPECT_NEAR(w2, (pp - pm) / (2 * h) * omega, kDiffTol * (1 + std::fabs(w2))) << i;
    EXPECT_NEAR(a2, (wp - wm) / (2 * h) * omega, kDiffTol * (1 + std::fabs(a2))) << i;
  }
}

}  // namespace
