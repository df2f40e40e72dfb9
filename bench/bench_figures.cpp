// One animation frame of each mechanism figure on the panel's 191 × 402 picture (target
// ≤ 0.5 ms, so the 1 ms timer at "快" holds) and the crank-rocker curves over a full turn at
// step 0.05° on the 425 × 402 curve picture (target ≤ 10 ms).
#include "app/application.h"
#include "link/link.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

constexpr Extended kDeg = kPi / 180;

// Fonts and painting need the application object, set up as the program does it.
void EnsureApplication() {
  static int argc = 1;
  static char name[] = "bench_figures";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  static QApplication* app = new QApplication(argc, argv);  // lives for the whole run
  SetupApplication(*app);
}

template <class Frame>
void RunFrames(benchmark::State& state, Frame frame) {
  EnsureApplication();
  QImage image(191, 402, QImage::Format_RGB32);
  Extended phi = 0;
  for (auto _ : state) {
    frame(image, phi);
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_CrankRockerFrame(benchmark::State& state) {
  RunFrames(state, [](QImage& im, Extended& phi) { DrawCrankRockerFrame(im, phi, 30, 100, 80, 110); });
}
void BM_ParallelogramFrame(benchmark::State& state) {
  RunFrames(state, [](QImage& im, Extended& phi) { DrawParallelogramFrame(im, phi, 40, 100, 40, 100); });
}
void BM_DoubleRockerFrame(benchmark::State& state) {
  RunFrames(state, [](QImage& im, Extended& phi) { DrawDoubleRockerFrame(im, phi, 120, 75, 100, 95); });
}
void BM_CrankSliderFrame(benchmark::State& state) {
  RunFrames(state, [](QImage& im, Extended& phi) { DrawCrankSliderFrame(im, phi, 30, 100, 10); });
}
void BM_GuideBarFrame(benchmark::State& state) {
  RunFrames(state, [](QImage& im, Extended& phi) { DrawGuideBarFrame(im, phi, 50, 100); });
}

void BM_CrankRockerCurvesStep005(benchmark::State& state) {
  EnsureApplication();
  QImage image(425, 402, QImage::Format_RGB32);
  for (auto _ : state) {
    PlotCrankRockerCurves(image, 1, 0.05L * kDeg, 0, 2 * kPi, 30, 100, 80, 110);
    benchmark::DoNotOptimize(image.constBits());
  }
}

}  // namespace

BENCHMARK(BM_CrankRockerFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParallelogramFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DoubleRockerFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CrankSliderFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GuideBarFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CrankRockerCurvesStep005)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
