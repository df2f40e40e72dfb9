// Cost of one four-bar position against the transcendental calls it cannot avoid, and the
// time to write the 3601-row crank-rocker table as an HTML page and as a CSV file. Run with
// --benchmark_repetitions=N to get medians; the ratio of FourBarAt to its trigonometric budget is printed at the end.
#include "link/kinematics.h"
#include "link/tables.h"

#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr Extended kDeg = kPi / 180;
// FourBarAt needs sin and cos of the input angle and of the coupler point's direction.
constexpr int kSinCosPairs = 2;

// Input angles sweep one turn, as in an analysis, so no argument grows beyond it.
void advance(Extended& phi) {
  phi += 0.001L;
  if (phi > 2 * kPi) phi -= 2 * kPi;
}

void BM_FourBarAt(benchmark::State& state) {
  Extended phi = 0;
  for (auto _ : state) {
    Extended gamma, phi2, phi3, omega3, eps3, ex, ey;
    FourBarAt(phi, 1, 30, 100, 80, 110, 0.5L, 50, gamma, phi2, phi3, omega3, eps3, ex, ey);
    benchmark::DoNotOptimize(gamma + phi2 + phi3 + omega3 + eps3 + ex + ey);
    advance(phi);
  }
}
BENCHMARK(BM_FourBarAt);

// The budget: kSinCosPairs calls of sinl and cosl.
void BM_SinCosPairs(benchmark::State& state) {
  Extended phi = 0;
  for (auto _ : state) {
    Extended sum = 0;
    for (int i = 0; i < kSinCosPairs; ++i) {
      volatile Extended x = phi + i;  // separate arguments, as in FourBarAt
      sum += sinl(x) + cosl(x);
    }
    benchmark::DoNotOptimize(sum);
    advance(phi);
  }
}
BENCHMARK(BM_SinCosPairs);

// Every transcendental call FourBarAt makes: the two pairs, the two arc tangents of the
// half-angle solutions and their two square roots.
void BM_RequiredCalls(benchmark::State& state) {
  Extended phi = 0;
  for (auto _ : state) {
    volatile Extended x = phi, y = phi + 1, t = phi * 0.1L;
    Extended sum = sinl(x) + cosl(x) + sinl(y) + cosl(y);
    sum += atanl(t) + atanl(t + 1) + sqrtl(t + 2) + sqrtl(t + 3);
    benchmark::DoNotOptimize(sum);
    advance(phi);
  }
}
BENCHMARK(BM_RequiredCalls);

void BM_WriteCrankRockerTable3601(benchmark::State& state) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("temp.htm"));
  for (auto _ : state) {
    const bool ok = WriteCrankRockerTable(file, 30, 100, 80, 110, 60 * kDeg, 0.1L * kDeg, 0,
                                          360 * kDeg, 50, 30 * kDeg);
    if (!ok) state.SkipWithError("table not written");
  }
}
BENCHMARK(BM_WriteCrankRockerTable3601)->Unit(benchmark::kMillisecond);

// The same rows as a CSV file for other programs.
void BM_WriteCrankRockerCsv3601(benchmark::State& state) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("temp.csv"));
  const Linkage k = Linkage::FourBar(LinkageKind::CrankRocker, 30, 100, 80, 110);
  const MotionSettings s{60 * kDeg, 0.1L * kDeg, 0, 360 * kDeg, 50, 30 * kDeg};
  for (auto _ : state) {
    if (!WriteMotionTable(file, TableFormat::Csv, MotionTableKind::CrankRocker, k, s))
      state.SkipWithError("table not written");
  }
}
BENCHMARK(BM_WriteCrankRockerCsv3601)->Unit(benchmark::kMillisecond);

// Prints the console report and then the ratios of the medians (or single runs), in CPU
// time: the build machine is shared, and waiting for a core is not the routine's cost.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      if (median || r.run_type == Run::RT_Iteration)
        if (median || !m_sawMedian.count(r.run_name.function_name))
          m_time[r.run_name.function_name] = r.GetAdjustedCPUTime();
      if (median) m_sawMedian[r.run_name.function_name] = true;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double fourBar = m_time["BM_FourBarAt"];
    if (m_time["BM_SinCosPairs"] > 0)
      std::printf("FourBarAt / %d sinl+cosl pairs: %.2f\n", kSinCosPairs,
                  fourBar / m_time["BM_SinCosPairs"]);
    if (m_time["BM_RequiredCalls"] > 0)
      std::printf("FourBarAt / all its transcendental calls: %.2f\n",
                  fourBar / m_time["BM_RequiredCalls"]);
  }

private:
  std::map<std::string, double> m_time;
  std::map<std::string, bool> m_sawMedian;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
