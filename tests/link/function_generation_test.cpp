// Function generation: the Chebyshev nodes with their angles, and the five-node system solved
// for linkages whose positions come from the kinematics, so the coefficients and start angles
// to recover are known independently of the equations.
#include "link/function_generation.h"

#include "base/errors.h"
#include "base/fpu.h"
#include "link/kinematics.h"

#include <cfenv>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr Extended kRad = kPi / 180;

// --- Nodes ---

struct NodesCase {
  const char* name;
  Extended x0, xm, phim, psim;
  int count;
};

class NodesTest : public ::testing::TestWithParam<NodesCase> {};

// The nodes are the roots of the Chebyshev polynomial T_n on the interval, in increasing order;
// a linear f turns them into angles in the ratio of the swings; f(x0) is the zero of ψ.
TEST_P(NodesTest, ChebyshevRootsAndLinearScales) {
  const NodesCase& c = GetParam();
  int calls = 0;
  const auto linear = [&calls](Extended x) {
    ++calls;
    return 3 - 2 * x;  // falling: μy is negative and ψ still grows with x
  };
  const FunctionNodes r = PlaceNodes(linear, c.x0, c.xm, c.phim, c.psim, c.count);
  EXPECT_EQ(calls, c.count + 2);
  EXPECT_EQ(r.count, c.count);
  EXPECT_EQ(r.x[0], c.x0);
  EXPECT_EQ(r.y[0], 3 - 2 * c.x0);
  EXPECT_EQ(r.ym, 3 - 2 * c.xm);
  for (int i = 1; i <= c.count; ++i) {
    const Extended t = (2 * r.x[i] - c.x0 - c.xm) / (c.xm - c.x0);  // mapped onto [−1, 1]
    EXPECT_NEAR(double(std::cos(c.count * std::acos(t))), 0, 1e-15) << i;
    if (i > 1) EXPECT_GT(r.x[i], r.x[i - 1]) << i;
    EXPECT_NEAR(double(r.phi[i] / c.phim), double((r.x[i] - c.x0) / (c.xm - c.x0)), 1e-15) << i;
    EXPECT_NEAR(double(r.psi[i] / c.psim), double(r.phi[i] / c.phim), 1e-15) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Intervals, NodesTest,
                         ::testing::Values(NodesCase{"three", 1, 2, 60, 90, 3}, NodesCase{"five", 1, 2, 60, 90, 5},
                                           NodesCase{"negativeInterval", -7.5, -0.25, 100, 45, 5},
                                           NodesCase{"negativeSwing", 0, 10, -60, 30, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

// The worked example: f = lg x on [1, 2] with φm = 60°, ψm = 90°.
TEST(NodesTest, LogarithmOnOneToTwo) {
  const auto lg = [](Extended x) { return std::log10(x); };
  const FunctionNodes three = PlaceNodes(lg, 1, 2, 60, 90, 3);
  EXPECT_NEAR(double(three.x[1]), 1.5 - 0.5 * std::cos(kPi / 6), 1e-15);
  EXPECT_NEAR(double(three.x[2]), 1.5, 1e-15);
  EXPECT_NEAR(double(three.mux), 1.0 / 60, 1e-17);
  EXPECT_NEAR(double(three.muy), std::log10(2.0) / 90, 1e-17);
  const double phi3[] = {4.02, 30, 55.98}, psi3[] = {8.42, 52.65, 85.58};
  for (int i = 1; i <= 3; ++i) {
    EXPECT_NEAR(double(three.phi[i]), phi3[i - 1], 0.005) << i;
    EXPECT_NEAR(double(three.psi[i]), psi3[i - 1], 0.005) << i;
  }
  const FunctionNodes five = PlaceNodes(lg, 1, 2, 60, 90, 5);
  const double phi5[] = {1.47, 12.37, 30, 47.63, 58.53}, psi5[] = {3.14, 24.33, 52.65, 75.88, 88.40};
  for (int i = 1; i <= 5; ++i) {
    EXPECT_NEAR(double(five.phi[i]), phi5[i - 1], 0.005) << i;
    EXPECT_NEAR(double(five.psi[i]), psi5[i - 1], 0.005) << i;
  }
}

TEST(NodesTest, EqualEndValuesLeaveNoScaleForPsi) {
  FpuClear();
  const FunctionNodes r = PlaceNodes([](Extended x) { return (x - 1.5) * (x - 1.5); }, 1, 2, 60, 90, 3);
  EXPECT_EQ(r.muy, 0);
  EXPECT_THROW(FpuCheck(), EFloatError);
}

// --- The five-node system ---

// A linkage (AB = 1) and the start angles of its design; the five node angles come from the
// kinematics, on the assembly that `branch` picks.
struct FiveNodeCase {
  const char* name;
  Extended m, n, l;        // BC, CD, AD
  Extended phi0, psi0;     // the start angles of the design
  bool branch;
  Extended startPhi0, startPsi0;  // the solver's start for them
  Extended wantPhi0, wantPsi0;    // what the solve returns
};

struct Nodes5 {
  std::array<Extended, kMaxNodes> phi, psi;
};

Nodes5 nodesOf(const FiveNodeCase& c) {
  Nodes5 r;
  const Extended inputs[] = {20, 32, 45, 58, 70};
  for (int i = 0; i < kMaxNodes; ++i) {
    TBarState input{}, coupler{}, output{};
    input.Len = 1;
    input.Angle = (inputs[i] + c.phi0) * kRad;
    coupler.Len = c.m;
    output.Len = c.n;
    SolveDyad(c.branch, input, coupler, output, c.l);
    r.phi[i] = inputs[i];
    r.psi[i] = output.Angle / kRad - c.psi0;
  }
  return r;
}

class FiveNodeTest : public ::testing::TestWithParam<FiveNodeCase> {};

TEST_P(FiveNodeTest, RecoversTheLinkageAndItsStartAngles) {
  const FiveNodeCase& c = GetParam();
  const Nodes5 nodes = nodesOf(c);
  const Extended P0 = c.n, P1 = -c.n / c.l, P2 = (c.l * c.l + c.n * c.n + 1 - c.m * c.m) / (2 * c.l);
  // Started off the root in every unknown.
  TExtendedArray x = {P0 * 1.05L, P1 * 0.95L, P2 + 0.02L, c.startPhi0, c.startPsi0};
  ASSERT_TRUE(SolveFiveNodes(nodes.phi, nodes.psi, x, 1e-12L, 100));
  EXPECT_NEAR(double(x[0]), double(P0), 1e-8);
  EXPECT_NEAR(double(x[1]), double(P1), 1e-8);
  EXPECT_NEAR(double(x[2]), double(P2), 1e-8);
  EXPECT_NEAR(double(x[3]), double(c.wantPhi0), 1e-6);
  EXPECT_NEAR(double(x[4]), double(c.wantPsi0), 1e-6);
  TPPP system(nodes.phi, nodes.psi);
  TExtendedArray f(5);
  system.Residual(x, f);
  for (Extended r : f) EXPECT_LT(std::fabs(double(r)), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Linkages, FiveNodeTest,
    ::testing::Values(FiveNodeCase{"crankRocker", 2.6L, 2.2L, 3, 15, 40, false, 13, 42, 15, 40},
                      FiveNodeCase{"otherAssembly", 2.6L, 2.2L, 3, 15, 40, true, 13, 42, 15, 40},
                      // φ0 = −10° is given back as 350°, ψ0 = 725° as 5°
                      FiveNodeCase{"negativeStart", 2.6L, 2.2L, 3, -10, 5, false, -8, 3, 350, 5},
                      FiveNodeCase{"startTwoTurnsOn", 2.6L, 2.2L, 3, -10, 5, false, -12, 723, 350, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FiveNodeTest, LimitOfOneFailsAndLeavesTheStartVector) {
  const FiveNodeCase c{"", 2.6L, 2.2L, 3, 15, 40, false, 0, 0, 0, 0};
  const Nodes5 nodes = nodesOf(c);
  const TExtendedArray start = {10, 10, 10, 10, 10};
  TExtendedArray x = start;
  EXPECT_FALSE(SolveFiveNodes(nodes.phi, nodes.psi, x, 1e-7L, 1));
  EXPECT_EQ(x, start);
}

}  // namespace
