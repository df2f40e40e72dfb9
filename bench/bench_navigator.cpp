// The main window's first show, which now opens the content database and fills the navigator's
// tree (part of the start-up target of ≤ 400 ms), and one keyword search with its result list.
// Both read the staged tree beside the benchmark's folder (build/kinvora).
#include "app/application.h"
#include "app/main_frm.h"
#include "app/navigator/navigator.h"
#include "base/appdir.h"

#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "bench_navigator";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  static QApplication* app = new QApplication(argc, argv);  // lives for the whole run
  SetupApplication(*app);
  SetAppDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../kinvora"));
}

void BM_MainWindowFirstShow(benchmark::State& state) {
  EnsureApplication();
  for (auto _ : state) {
    TMainFrm frm;  // never closed, so no settings are written
    frm.show();
    benchmark::DoNotOptimize(frm.DCInfoTree1->topLevelItemCount());
  }
}
BENCHMARK(BM_MainWindowFirstShow)->Unit(benchmark::kMillisecond);

void BM_KeywordSearch(benchmark::State& state) {
  EnsureApplication();
  TMainFrm frm;
  frm.show();
  frm.txtFind->setText(QStringLiteral("设计"));
  for (auto _ : state) {
    frm.navigator()->txtFindKeyPress(Qt::Key_Return);
    benchmark::DoNotOptimize(frm.ListView1->topLevelItemCount());
  }
}
BENCHMARK(BM_KeywordSearch)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
