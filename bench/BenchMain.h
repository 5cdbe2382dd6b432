#pragma once
// The main of a benchmark program that makes windows: a QApplication, off screen unless told
// otherwise, then the registered benchmarks, then `after` (ratios and the like).

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

inline int runBenchmarks(int argc, char **argv, benchmark::BenchmarkReporter *reporter = nullptr,
                         const std::function<void()> &after = {}) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks(reporter);
  if (after)
    after();
  benchmark::Shutdown();
  return 0;
}
