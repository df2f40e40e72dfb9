// Equation solvers and the expression evaluator.
#include "base/desktop.h"
#include "js/js.h"
#include "link/numerics.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GaussFullPivot3x3(benchmark::State& state) {
  const std::vector<TExtendedArray> a = {{2, 1, -1}, {-3, -1, 2}, {-2, 1, 2}};
  const TExtendedArray b = {8, -11, -3};
  for (auto _ : state) {
    auto m = a;
    auto x = b;
    benchmark::DoNotOptimize(GaussFullPivot(m, x));
    benchmark::DoNotOptimize(x.data());
  }
}
BENCHMARK(BM_GaussFullPivot3x3);

struct Sqrt2 : TNLequation {
  void Residual(const TExtendedArray& x, TExtendedArray& f) override { f[0] = x[0] * x[0] - 2; }
};

void BM_QuasiNewtonSqrt2(benchmark::State& state) {
  Sqrt2 eq;
  for (auto _ : state) {
    TExtendedArray x = {1};
    benchmark::DoNotOptimize(QuasiNewtonSolve(eq, x, 0.1L, 0.1L, 1e-7L, 100));
  }
}
BENCHMARK(BM_QuasiNewtonSqrt2);

void BM_TokenizeEvaluate(benchmark::State& state) {
  DegreeMode = false;
  QString result;
  for (auto _ : state) {
    TokenizeExpression(QStringLiteral("3*x^2*sin(x)/(x+1)"));
    SubstituteVariable(QStringLiteral("1.25"));
    benchmark::DoNotOptimize(EvaluateTokens(result));
  }
}
BENCHMARK(BM_TokenizeEvaluate);

}  // namespace

BENCHMARK_MAIN();
