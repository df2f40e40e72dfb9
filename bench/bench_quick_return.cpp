// The quick-return designs: the crank-rocker's solution from the default start values, and the
// search for the best λ that runs each time the user leaves the γmin edit.
#include "link/quick_return.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SolveQuickReturnRocker(benchmark::State& state) {
  QuickReturnRocker r;
  for (auto _ : state) benchmark::DoNotOptimize(SolveQuickReturnRocker(45, 30, 40, 45, {9, 57, 30, 76}, 1e-7L, 100, r));
}
BENCHMARK(BM_SolveQuickReturnRocker);

void BM_LargestSliderTransmission(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(LargestSliderTransmission(30).lambda);
}
BENCHMARK(BM_LargestSliderTransmission);

void BM_DesignQuickReturnSlider(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DesignQuickReturnSlider(50, 30, 0.35L).e);
}
BENCHMARK(BM_DesignQuickReturnSlider);

}  // namespace

BENCHMARK_MAIN();
