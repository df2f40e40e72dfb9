// The design check of every window's default design, as it runs on the user's click: each must
// stay under 20 ms. The function generator also runs with f through the expression evaluator,
// as its window evaluates the typed function.
#include "methods/HSGX/hsgx_function.h"
#include "tests/support/design_check_defaults.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DefaultDesignCheck(benchmark::State& state, const std::function<DesignCheckResult()>& check) {
  for (auto _ : state) benchmark::DoNotOptimize(check());
}

DesignCheckResult typedFunctionGeneration() {
  const auto f = [](Extended x) { return EvaluateFunction(QStringLiteral("lg(x)"), x); };
  const FunctionNodes nodes = PlaceNodes(f, 1, 2, 60, 90, 3);
  const Extended phi[3] = {nodes.phi[1], nodes.phi[2], nodes.phi[3]}, psi[3] = {nodes.psi[1], nodes.psi[2], nodes.psi[3]};
  const FunctionAsk ask{f, 1, 2, 60, 90, 86, 23.5L, {nodes.x[1], nodes.x[2], nodes.x[3]}};
  return CheckFunctionGeneration(ask, check_defaults::FourBarThrough(phi, psi, 86, 23.5L));
}

const bool kRegistered = [] {
  for (const auto& design : check_defaults::All())
    benchmark::RegisterBenchmark(design.name, BM_DefaultDesignCheck, design.check)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("FunctionGenerationTypedLgX", BM_DefaultDesignCheck, typedFunctionGeneration)
      ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
