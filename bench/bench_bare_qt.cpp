// The yardstick for the command line's whole run: a bare Qt program that starts its core
// application, as the export does before it reads anything, and ends. Time both as whole
// processes, side by side, e.g. with /usr/bin/time -v:
//   build/bench/bench_bare_qt
//   build/kinvora/kinvora --export RECORD.des --format csv --range 0:360:0.1 --output /tmp/t.csv
#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return QCoreApplication::arguments().isEmpty() ? 1 : 0;
}
