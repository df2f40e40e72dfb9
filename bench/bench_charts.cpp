// Cost of one solution of each design problem behind the transmission-angle charts. A chart
// draws thousands of them, and the crank-rocker's should be cheap enough for a window to answer
// while the user types (well under 100 µs). Run with --benchmark_repetitions=N for medians.
#include "link/charts.h"

#include <benchmark/benchmark.h>

namespace {

// Calls solve(0), solve(1), ...: each call takes its arguments from its number, spread over the
// chart, so that no single easy case is timed.
template <class Solve>
void spread(benchmark::State& state, const Solve& solve) {
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(solve(i++));
}

void BM_MaxGammaMinCrankRocker(benchmark::State& state) {
  spread(state, [](int i) {
    Extended gammaMin = 0, beta = 0;
    MaxGammaMinCrankRocker(181 + (i * 7) % 89, 10 + (i * 13) % 91, gammaMin, beta);
    return gammaMin + beta;
  });
}
BENCHMARK(BM_MaxGammaMinCrankRocker);

void BM_CrankRockerK1Ratios(benchmark::State& state) {
  spread(state, [](int i) {
    Extended a = 0, b = 0, c = 0;
    CrankRockerK1Ratios(10 + (i * 13) % 91, 1 + (i * 7) % 40, a, b, c);
    return a + b + c;
  });
}
BENCHMARK(BM_CrankRockerK1Ratios);

void BM_MaxGammaMinOffsetSlider(benchmark::State& state) {
  spread(state, [](int i) {
    Extended gammaMin = 0, a = 0, b = 0, e = 0;
    MaxGammaMinOffsetSlider(181 + (i * 7) % 88, gammaMin, a, b, e);
    return gammaMin + a + b + e;
  });
}
BENCHMARK(BM_MaxGammaMinOffsetSlider);

void BM_DoubleCrankRatios(benchmark::State& state) {
  spread(state, [](int i) {
    Extended a = 0, b = 0, c = 0;
    DoubleCrankRatios(111 + (i * 7) % 68, 30 + (i * 13) % 21, a, b, c);
    return a + b + c;
  });
}
BENCHMARK(BM_DoubleCrankRatios);

}  // namespace

BENCHMARK_MAIN();
