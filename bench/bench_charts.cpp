// Cost of one solution of each design problem behind the transmission-angle charts. A chart
// draws thousands of them, and the crank-rocker's should be cheap enough for a window to answer
// while the user types (well under 100 µs). Run with --benchmark_repetitions=N for medians.
#include "link/charts.h"

#include <benchmark/benchmark.h>

namespace {

// Arguments spread over each chart, so that no single easy case is timed.
void BM_MaxGammaMinCrankRocker(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    Extended gammaMin, beta;
    const Extended phi12 = 181 + (i * 7) % 89, psi12 = 10 + (i * 13) % 91;
    benchmark::DoNotOptimize(MaxGammaMinCrankRocker(phi12, psi12, gammaMin, beta));
    benchmark::DoNotOptimize(gammaMin + beta);
    ++i;
  }
}
BENCHMARK(BM_MaxGammaMinCrankRocker);

void BM_CrankRockerK1Ratios(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    Extended a, b, c;
    const Extended psi12 = 10 + (i * 13) % 91, gammaMin = 1 + (i * 7) % 40;
    benchmark::DoNotOptimize(CrankRockerK1Ratios(psi12, gammaMin, a, b, c));
    benchmark::DoNotOptimize(a + b + c);
    ++i;
  }
}
BENCHMARK(BM_CrankRockerK1Ratios);

void BM_MaxGammaMinOffsetSlider(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    Extended gammaMin, a, b, e;
    const Extended phi12 = 181 + (i * 7) % 88;
    benchmark::DoNotOptimize(MaxGammaMinOffsetSlider(phi12, gammaMin, a, b, e));
    benchmark::DoNotOptimize(gammaMin + a + b + e);
    ++i;
  }
}
BENCHMARK(BM_MaxGammaMinOffsetSlider);

void BM_DoubleCrankRatios(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    Extended a, b, c;
    const Extended psi = 111 + (i * 7) % 68, gammaMin = 30 + (i * 13) % 21;
    benchmark::DoNotOptimize(DoubleCrankRatios(psi, gammaMin, a, b, c));
    benchmark::DoNotOptimize(a + b + c);
    ++i;
  }
}
BENCHMARK(BM_DoubleCrankRatios);

}  // namespace

BENCHMARK_MAIN();
