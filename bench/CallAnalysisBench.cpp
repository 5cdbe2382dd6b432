// The analysis that runs on every keystroke of the call field: WPX prefix, country lookup and
// points, against the country lookup alone, over calls built from the real country list.
// Run: cmake -B build-release -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCH=ON && ninja -C build-release
//      call_analysis_bench && build-release/bench/call_analysis_bench
#include "logging/CountryTable.h"
#include "logging/Score.h"
#include "logging/WpxPrefix.h"
#include "platform/VbText.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>

namespace {

constexpr int kCalls = 100000;

const CountryList &countries() {
  static const CountryList list = [] {
    CountryList l;
    const auto content = vb::readLatin1(QStringLiteral(ORVEX_SOURCE_DIR "/data/arrlpre2.txt"));
    if (!content || !readCountryList(*content, l)) {
      std::cerr << "cannot read data/arrlpre2.txt\n";
      std::exit(1);
    }
    return l;
  }();
  return list;
}

// Calls as the contest brings them: a prefix of the list (uniformly over its entries, so the
// large digit, B and R blocks are well represented), a call-area digit where the prefix has
// none, a suffix of one to three letters, and now and then a portable designator.
const std::vector<QString> &calls() {
  static const std::vector<QString> all = [] {
    const CountryList &list = countries();
    std::vector<QString> out;
    out.reserve(kCalls);
    std::uint32_t seed = 12345;
    const auto next = [&seed](std::uint32_t bound) {
      seed = seed * 1664525u + 1013904223u;
      return (seed >> 8) % bound;
    };
    for (int i = 0; i < kCalls; ++i) {
      QString call = list.slot(1 + static_cast<int>(next(list.CountryCount()))).CountryPrefix;
      if (!call.back().isDigit())
        call += QChar(u'0' + next(10));
      for (std::uint32_t n = 1 + next(3); n > 0; --n)
        call += QChar(u'A' + next(26));
      switch (next(20)) {
      case 0:
        call += QStringLiteral("/P");
        break;
      case 1:
        call += u'/' + QChar(u'0' + next(10));
        break;
      default:
        break;
      }
      out.push_back(call);
    }
    return out;
  }();
  return all;
}

void BM_CallAnalysis(benchmark::State &state) {
  const CountryList &list = countries();
  const std::vector<QString> &all = calls();
  size_t i = 0;
  for (auto _ : state) {
    const QString &call = all[i];
    i = (i + 1) % all.size();
    QString prefix = wpxPrefix(call);
    const CountryMatch match = lookupCountry(list, call);
    QString points =
        contactPoints({match.name, list.slot(match.index).CountryContinent, QStringLiteral("USA"),
                       QStringLiteral("NA"), QStringLiteral("20"), QStringLiteral("CW")});
    benchmark::DoNotOptimize(prefix);
    benchmark::DoNotOptimize(points);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_CountryScan(benchmark::State &state) {
  const CountryList &list = countries();
  const std::vector<QString> &all = calls();
  size_t i = 0;
  for (auto _ : state) {
    CountryMatch match = lookupCountry(list, all[i]);
    i = (i + 1) % all.size();
    benchmark::DoNotOptimize(match);
  }
  state.SetItemsProcessed(state.iterations());
}

// One iteration is one call; the median over repetitions is the figure to compare with 5 us.
BENCHMARK(BM_CallAnalysis)->Iterations(kCalls)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_CountryScan)->Iterations(kCalls)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
