// GaussFullPivot and QuasiNewtonSolve.
#include "link/numerics.h"
#include "support/scripted_desktop.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

using Matrix = std::vector<TExtendedArray>;

namespace {

TExtendedArray multiply(const Matrix& a, const TExtendedArray& x) {
  TExtendedArray r(a.size(), 0);
  for (std::size_t i = 0; i < a.size(); ++i)
    for (std::size_t j = 0; j < x.size(); ++j) r[i] += a[i][j] * x[j];
  return r;
}

}  // namespace

TEST(GaussFullPivotTest, SolvesWithBothExchangesInTheOriginalColumnOrder) {
  Matrix a = {{1, 2}, {3, 4}};
  TExtendedArray b = {5, 6};
  const Extended p = GaussFullPivot(a, b);
  EXPECT_NEAR(b[0], -4, 1e-15);
  EXPECT_NEAR(b[1], 4.5, 1e-15);
  EXPECT_NEAR(std::fabs(p), 2, 1e-15);  // |det|; exchanges do not change the sign
}

TEST(GaussFullPivotTest, OneByOneAndSingularSystemsReturnZero) {
  Matrix one = {{4}};
  TExtendedArray b1 = {2};
  EXPECT_EQ(GaussFullPivot(one, b1), 4);
  EXPECT_EQ(b1[0], 0.5L);

  Matrix zero = {{0}};
  TExtendedArray b0 = {1};
  EXPECT_EQ(GaussFullPivot(zero, b0), 0);

  Matrix equalRows = {{1, 2, 3}, {1, 2, 3}, {4, 5, 7}};
  TExtendedArray b2 = {1, 1, 1};
  EXPECT_EQ(GaussFullPivot(equalRows, b2), 0);

  Matrix zeroRow = {{1, 2, 3}, {4, 5, 6}, {0, 0, 0}};
  TExtendedArray b3 = {1, 2, 3};
  EXPECT_EQ(GaussFullPivot(zeroRow, b3), 0);
}

TEST(GaussFullPivotTest, SizeMismatchShowsTheMessageAndTouchesNothing) {
  ScriptedDesktop desktop;
  Matrix a = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  TExtendedArray b = {7, 8};
  EXPECT_EQ(GaussFullPivot(a, b), 0);
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_EQ(desktop.messages[0], "系数矩阵初始化有误！a=3 b=2");
  EXPECT_EQ(b, (TExtendedArray{7, 8}));
  EXPECT_EQ(a[0][0], 1);
}

TEST(GaussFullPivotTest, RandomSystemsMultiplyBackAndRepeatBitForBit) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> dist(-10, 10);
  for (int n = 1; n <= 6; ++n) {
    for (int trial = 0; trial < 20; ++trial) {
      Matrix a(n, TExtendedArray(n));
      TExtendedArray b(n);
      for (auto& row : a)
        for (auto& v : row) v = std::round(dist(rng));  // integers give exact ties too
      for (auto& v : b) v = dist(rng);
      Matrix work = a, again = a;
      TExtendedArray x = b, y = b;
      if (GaussFullPivot(work, x) == 0) continue;
      const TExtendedArray back = multiply(a, x);
      for (int i = 0; i < n; ++i) EXPECT_NEAR(back[i], b[i], 1e-9L) << n << "/" << trial;
      GaussFullPivot(again, y);
      EXPECT_EQ(x, y);
    }
  }
}

namespace {

struct Sqrt2 : TNLequation {
  int calls = 0;
  void Residual(const TExtendedArray& x, TExtendedArray& f) override {
    ++calls;
    f[0] = x[0] * x[0] - 2;
  }
};

// x² + y² = 4, x·y = 1
struct Circle : TNLequation {
  void Residual(const TExtendedArray& x, TExtendedArray& f) override {
    f[0] = x[0] * x[0] + x[1] * x[1] - Params[0];
    f[1] = x[0] * x[1] - Params[1];
  }
};

struct Twice : TNLequation {
  void Residual(const TExtendedArray& x, TExtendedArray& f) override {
    f[0] = x[0] + x[1] - 3;
    f[1] = x[0] + x[1] - 3;
  }
};

}  // namespace

TEST(QuasiNewtonSolveTest, FindsSquareRootOfTwoInFourUpdates) {
  Sqrt2 eq;
  TExtendedArray x = {1};
  EXPECT_TRUE(QuasiNewtonSolve(eq, x, 0.1L, 0.1L, 1e-7L, 100));
  EXPECT_NEAR(x[0], std::sqrt(2.0L), 1e-8L);
  // five evaluations of the iterate and one difference each for the four updates
  EXPECT_EQ(eq.calls, 5 + 4);
}

TEST(QuasiNewtonSolveTest, SolvesATwoDimensionalSystem) {
  Circle eq;
  eq.Params[0] = 4;
  eq.Params[1] = 1;
  TExtendedArray x = {2, 0.5L};
  ASSERT_TRUE(QuasiNewtonSolve(eq, x, 0.1L, 0.1L, 1e-10L, 50));
  EXPECT_NEAR(x[0] * x[0] + x[1] * x[1], 4, 1e-9L);
  EXPECT_NEAR(x[0] * x[1], 1, 1e-9L);
}

TEST(QuasiNewtonSolveTest, IterationLimitAndFailures) {
  Sqrt2 solved;
  TExtendedArray exact = {std::sqrt(2.0L)};
  const TExtendedArray start = exact;
  EXPECT_TRUE(QuasiNewtonSolve(solved, exact, 0.1L, 0.1L, 1e-7L, 1));
  EXPECT_EQ(solved.calls, 1);
  EXPECT_EQ(exact, start);

  Sqrt2 once;
  TExtendedArray x = {1};
  EXPECT_FALSE(QuasiNewtonSolve(once, x, 0.1L, 0.1L, 1e-7L, 1));
  EXPECT_EQ(x[0], 1);

  // Limits below 1 count as 1 instead of iterating without end.
  for (int limit : {0, -5}) {
    Sqrt2 eq;
    TExtendedArray y = {1};
    EXPECT_FALSE(QuasiNewtonSolve(eq, y, 0.1L, 0.1L, 1e-7L, limit));
    EXPECT_EQ(eq.calls, 1);
  }

  Twice singular;
  TExtendedArray z = {0, 0};
  EXPECT_FALSE(QuasiNewtonSolve(singular, z, 0.1L, 0.1L, 1e-7L, 100));
}

// --- Angles into [0, 360) ---

namespace {

struct AngleCase {
  Extended in, out;
};

class NormalizeDegreesTest : public ::testing::TestWithParam<AngleCase> {};

TEST_P(NormalizeDegreesTest, BringsTheAngleIntoOneTurn) {
  EXPECT_EQ(NormalizeDegrees(GetParam().in), GetParam().out) << double(GetParam().in);
}

INSTANTIATE_TEST_SUITE_P(Angles, NormalizeDegreesTest,
                         ::testing::Values(AngleCase{-10, 350}, AngleCase{725, 5}, AngleCase{360, 0}, AngleCase{0, 0},
                                           AngleCase{-360, 0}, AngleCase{-720, 0}, AngleCase{-720.5L, 359.5L},
                                           AngleCase{359.5L, 359.5L}, AngleCase{359.75L, 359.75L},
                                           AngleCase{-1e-30L, 0},  // 360 − 1e-30 is 360
                                           // regression: subtracting 360 at a time never got back from these
                                           AngleCase{1e25L, std::fmod(1e25L, 360.0L)}, AngleCase{3.6e22L, 0}));

}  // namespace
