#pragma once
// The main of a benchmark program that makes windows: a QApplication, off screen unless told
// otherwise, then the registered benchmarks, then `after` (ratios and the like).

#include "app/AppContext.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

// One station PC of a benchmark: a program folder of its own, the system clock, no sound, and a
// log connection of the given name that opens no log until told to.
struct BenchPc {
  explicit BenchPc(const QString &connection)
      : ctx{Folders{dir.path(), {}, {}, {}}, dialogs, clock, settings, std::make_unique<LogDb>(connection)} {}
  QTemporaryDir dir;
  QtDialogs dialogs;
  SystemClock clock;
  SettingsStore settings{dir.filePath(QStringLiteral("settings.ini"))};
  AppContext ctx;
};

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

// Keeps each result's time so that the ratios can be printed after the run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> ms;
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &r : runs)
      ms[r.benchmark_name()] = r.GetAdjustedRealTime() *
                               benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                               benchmark::GetTimeUnitMultiplier(r.time_unit);
  }
  void ratio(const std::string &what, const std::string &against) const {
    const auto a = ms.find(what);
    const auto b = ms.find(against);
    if (a != ms.end() && b != ms.end() && b->second > 0)
      std::cout << what << " / " << against << " = " << a->second / b->second << "\n";
  }
};

inline double msSince(const QElapsedTimer &t) {
  return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

inline double median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

// Ratios measured within one benchmark, printed with the others at the end.
inline std::map<std::string, double> &sameRunRatios() {
  static std::map<std::string, double> ratios;
  return ratios;
}

inline void printSameRunRatios() {
  std::cout << "\nRatios (program / floor, medians of the same iterations):\n";
  for (const auto &[what, ratio] : sameRunRatios())
    std::cout << what << " = " << ratio << "\n";
}

// The program's work timed, and its floor run beside it in every iteration (untimed), so that
// both meet the same machine and disk: a neighbour's load or a slow flush to disk moves both.
// The ratio of their medians is kept as `what` for printSameRunRatios.
inline void sideBySide(benchmark::State &state, const std::string &what, const std::function<void()> &prepare,
                       const std::function<void()> &program, const std::function<void()> &floor) {
  std::vector<double> programMs, floorMs;
  for (auto _ : state) {
    state.PauseTiming();
    if (prepare)
      prepare();
    QElapsedTimer t;
    t.start();
    floor();
    floorMs.push_back(msSince(t));
    state.ResumeTiming();
    t.restart();
    program();
    programMs.push_back(msSince(t));
  }
  state.counters["median_ms"] = median(programMs);
  state.counters["floor_median_ms"] = median(floorMs);
  sameRunRatios()[what] = median(programMs) / median(floorMs);
}
