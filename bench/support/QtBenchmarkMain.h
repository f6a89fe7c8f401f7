#pragma once
// The main of a benchmark that measures widgets: a Qt application on the offscreen platform unless
// another one is chosen, around the usual benchmark run.
#include <benchmark/benchmark.h>

#include <QApplication>

namespace tavro::bench {

inline int run_qt_benchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace tavro::bench
