// The design check of every window's default design, as it runs on the user's click: each must
// stay under 20 ms. The function generator also runs with f through the expression evaluator,
// as its window evaluates the typed function.
#include "methods/HSGX/hsgx_function.h"
#include "tests/support/design_check_defaults.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DefaultDesignCheck(benchmark::State& state, DesignCheckResult (*check)()) {
  for (auto _ : state) benchmark::DoNotOptimize(check());
}

DesignCheckResult typedFunctionGeneration() {
  const FunctionAsk ask = check_defaults::FunctionGeneratorAsk(
      [](Extended x) { return EvaluateFunction(QStringLiteral("lg(x)"), x); });
  return CheckFunctionGeneration(ask, check_defaults::FunctionGenerator(ask));
}

const bool kRegistered = [] {
  for (const auto& [name, check] : check_defaults::All())
    benchmark::RegisterBenchmark(name, BM_DefaultDesignCheck, check)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("FunctionGenerationTypedLgX", BM_DefaultDesignCheck, typedFunctionGeneration)
      ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
