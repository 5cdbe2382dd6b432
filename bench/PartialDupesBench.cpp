// The partial-dupe search that runs on every key typed into the call field, over a full log of
// 14,000 contacts on six bands: a call typed so far that matches a few contacts, and one that
// matches so many that the list fills and the scan stops early.
// Run: cmake -B build-release -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCH=ON && ninja -C build-release
//      partial_dupes_bench && build-release/bench/partial_dupes_bench
#include "logging/Bands.h"
#include "logging/EntryKeys.h"
#include "logging/LogArrays.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kContacts = 14000;

const LogArrays &fullLog() {
  static const LogArrays log = [] {
    const QStringList &bands = bandCodes();
    LogArrays l;
    for (int n = 0; n < kContacts; ++n) {
      LogEntry e;
      // Prefixes from AA0 to ZZ9, suffixes of three letters.
      e.calls = QStringLiteral("%1%2%3%4")
                    .arg(QChar(u'A' + n % 26))
                    .arg(QChar(u'A' + n / 26 % 26))
                    .arg(n % 10)
                    .arg(QStringLiteral("XYZ"));
      e.uband = bands[n % bands.size()];
      l.append(e);
    }
    return l;
  }();
  return log;
}

void BM_PartialDupesFewMatches(benchmark::State &state) {
  const LogArrays &log = fullLog();
  for (auto _ : state)
    benchmark::DoNotOptimize(partialDupeList(log, QStringLiteral("20"), QStringLiteral("DL1")));
}
BENCHMARK(BM_PartialDupesFewMatches);

void BM_PartialDupesListFills(benchmark::State &state) {
  const LogArrays &log = fullLog();
  for (auto _ : state)
    benchmark::DoNotOptimize(partialDupeList(log, QStringLiteral("20"), QStringLiteral("D")));
}
BENCHMARK(BM_PartialDupesListFills);

} // namespace

BENCHMARK_MAIN();
