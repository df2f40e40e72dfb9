// The coupler-position design on the user's click and its construction drawing on every
// repaint of the window: one design with its crank angles and branches, and one drawing of
// the three-position construction into boxes of a small and a large window.
#include "app/application.h"
#include "link/guidance.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// Fonts and painting need the application object, set up as the program does it.
void EnsureApplication() {
  static int argc = 1;
  static char name[] = "bench_guidance";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);  // lives for the whole run
  SetupApplication(*app);
}

void BM_DesignAndPositions(benchmark::State& state) {
  const GuidanceInput in = GuidanceInput::Defaults(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const GuidanceDesign d = DesignGuidance(in);
    benchmark::DoNotOptimize(GuidancePositions(d));
  }
}
BENCHMARK(BM_DesignAndPositions)->Arg(0)->Arg(1)->Arg(2);

void BM_Construction(benchmark::State& state) {
  EnsureApplication();
  const GuidanceDesign d = DesignGuidance(GuidanceInput::Defaults(static_cast<int>(state.range(0))));
  QImage image(static_cast<int>(state.range(1)), static_cast<int>(state.range(2)), QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&image);
    DrawGuidanceConstruction(p, QRectF(image.rect()), d);
    p.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_Construction)->Args({1, 440, 300})->Args({2, 1200, 800})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
