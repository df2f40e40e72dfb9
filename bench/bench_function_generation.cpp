// The five-node function generation from the window's defaults: f = lg x on [1, 2], φm = 60°,
// ψm = 90°, the start vector (10, 10, 10, 10, 10), accuracy 1e-7 and the limit 100. The step
// must answer at once: the node computation and the solve together well under 10 ms.
#include "link/function_generation.h"
#include "methods/HSGX/hsgx_function.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

const TExtendedArray kStart = {10, 10, 10, 10, 10};
constexpr Extended kEps = 1e-7L;
constexpr int kLimit = 100;

FunctionNodes defaultNodes() {
  return PlaceNodes([](Extended x) { return EvaluateFunction(QStringLiteral("lg(x)"), x); }, 1, 2, 60, 90, 5);
}

void angles(const FunctionNodes& n, std::array<Extended, kMaxNodes>& phi, std::array<Extended, kMaxNodes>& psi) {
  for (int i = 0; i < kMaxNodes; ++i) {
    phi[i] = n.phi[i + 1];
    psi[i] = n.psi[i + 1];
  }
}

// The updates the solve makes: the smallest limit that succeeds evaluates the residual that
// many times and updates one time fewer.
int updatesToConverge(const std::array<Extended, kMaxNodes>& phi, const std::array<Extended, kMaxNodes>& psi) {
  for (int limit = 1; limit <= kLimit; ++limit) {
    TExtendedArray x = kStart;
    if (SolveFiveNodes(phi, psi, x, kEps, limit)) return limit - 1;
  }
  return -1;
}

void BM_FiveNodeSolve(benchmark::State& state) {
  std::array<Extended, kMaxNodes> phi, psi;
  angles(defaultNodes(), phi, psi);
  bool solved = true;
  for (auto _ : state) {
    TExtendedArray x = kStart;
    solved = SolveFiveNodes(phi, psi, x, kEps, kLimit) && solved;
    benchmark::DoNotOptimize(x.data());
  }
  if (!solved) state.SkipWithError("the default start did not converge");
  state.counters["updates"] = updatesToConverge(phi, psi);
}
BENCHMARK(BM_FiveNodeSolve);

// What "计算" of the angles step and "计算" of the coefficients step do together: f through
// the evaluator at the ends and the five nodes, then the solve.
void BM_FiveNodeNodesAndSolve(benchmark::State& state) {
  for (auto _ : state) {
    std::array<Extended, kMaxNodes> phi, psi;
    angles(defaultNodes(), phi, psi);
    TExtendedArray x = kStart;
    benchmark::DoNotOptimize(SolveFiveNodes(phi, psi, x, kEps, kLimit));
    benchmark::DoNotOptimize(x.data());
  }
}
BENCHMARK(BM_FiveNodeNodesAndSolve);

void BM_FiveNodeNodes(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(defaultNodes());
}
BENCHMARK(BM_FiveNodeNodes);

}  // namespace

BENCHMARK_MAIN();
