// The animation of an analysis panel at its fastest speed ("快", 1 ms per frame), shown in a
// real window for five seconds: frames painted per second and the main thread's CPU share.
// Run it on a display, or as: xvfb-run -a build/bench/bench_animation
#include "analysis/analysis_panel.h"
#include "app/application.h"
#include "base/desktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSlider>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

double threadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Messages would block a timed run; the crank-rocker shows none.
class SilentDesktop : public DesktopServices {
public:
  void ShowMsg(const QString&) override {}
  void AppMessageBox(const QString&) override {}
  MsgAnswer Question(const QString&, MsgButtons) override { return MsgAnswer::Yes; }
  void ShowError(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  QString GetOpenFileName(const QString&, const QString&, const QString&) override { return {}; }
  QString GetSaveFileName(const QString&, const QString&, const QString&) override { return {}; }
  bool ShellOpen(const QString&) override { return false; }
  bool StartProgram(const QString&, const QStringList&) override { return false; }
  void PrintPreview(const QString&, const std::function<void(QPrinter&)>&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetupApplication(app);
  SilentDesktop desktop;
  SetDesktop(&desktop);

  const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
  AnalysisPanel panel(AnalysisPanelConfig::CorrespondingFourBar());
  panel.setLinkage(Linkage::FourBar(LinkageKind::FourBarByKind, 100, 178.302, 153.304, 144.239));
  panel.show();
  int frames = 0;
  QObject::connect(&panel.animation(), &MechanismAnimation::framePainted, [&] { ++frames; });
  panel.drawClick();
  panel.startClick();
  panel.trackBar->setValue(panel.trackBar->minimum());  // moving it sets the speed ...
  panel.trackBar->setValue(panel.trackBar->maximum());  // ... and "快" is 1 ms per frame

  QElapsedTimer wall;
  const double cpu0 = threadCpuSeconds();
  wall.start();
  QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
  app.exec();
  const double elapsed = wall.nsecsElapsed() * 1e-9;
  const double cpu = threadCpuSeconds() - cpu0;
  std::printf("platform %s, interval %d ms, %.2f s: %d frames, %.0f frames/s, main thread CPU %.0f %%\n",
              qPrintable(QGuiApplication::platformName()), panel.animation().interval(), elapsed, frames,
              frames / elapsed, 100 * cpu / elapsed);
  return 0;
}
