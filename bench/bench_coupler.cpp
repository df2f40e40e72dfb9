// The coupler curve: E's 3600-point path with velocities and accelerations (target ≤ 1 ms),
// and one step of dragging E in the workbench: new BE and δ, the new curve, and the view
// rendered into an image (target ≤ 16 ms). Runs offscreen: build/bench/bench_coupler
#include "link/coupler.h"
#include "workbench/linkage_frm.h"
#include "workbench/linkage_view.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr Extended kDeg = kPi / 180;

void tracePath(benchmark::State& state, const CouplerLinkage& k) {
  CouplerPath path;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TraceCouplerPath(k, 2 * kPi, TLinkageFrm::kIntervals, path));
    benchmark::DoNotOptimize(path.samples.data());
  }
}

void BM_CouplerCurveCrankRocker(benchmark::State& state) {
  tracePath(state, {Linkage::FourBar(LinkageKind::FourBarByKind, 40, 120, 80, 100), 60, 30 * kDeg, false});
}
BENCHMARK(BM_CouplerCurveCrankRocker)->Unit(benchmark::kMicrosecond);

void BM_CouplerCurveDoubleRocker(benchmark::State& state) {
  tracePath(state, {Linkage::FourBar(LinkageKind::FourBarByKind, 60, 70, 80, 100), 50, -40 * kDeg, false});
}
BENCHMARK(BM_CouplerCurveDoubleRocker)->Unit(benchmark::kMicrosecond);

void BM_CouplerCurveCrankSlider(benchmark::State& state) {
  tracePath(state, {Linkage::CrankSlider(40, 120, 15), 60, 30 * kDeg, false});
}
BENCHMARK(BM_CouplerCurveCrankSlider)->Unit(benchmark::kMicrosecond);

// E dragged back and forth between two points of the coupler's plane; each step recomputes
// the curve and renders the view at the workbench's opening size.
void BM_DragRedraw(benchmark::State& state) {
  TLinkageFrm frm;
  frm.show();
  QApplication::processEvents();
  const CouplerPose pose = frm.view->scene().pose;
  const QPointF points[] = {QPointF(double(pose.Ex) + 5, double(pose.Ey) - 3),
                            QPointF(double(pose.Ex) - 4, double(pose.Ey) + 6)};
  int i = 0;
  for (auto _ : state) {
    frm.DragJoint(SceneJoint::E, points[i++ % 2]);
    QImage image = frm.view->renderImage(frm.view->size());
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["width"] = frm.view->width();
  state.counters["height"] = frm.view->height();
}
BENCHMARK(BM_DragRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
