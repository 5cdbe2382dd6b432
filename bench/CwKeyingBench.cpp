// The CW key line's element timing on this machine with the real clock: "PARIS " five times at
// 20 and 40 WPM by the Timer and the Sleep method, each element's measured length against the
// ideal (median and worst error in ms for dots, dashes, gaps inside a character, gaps between
// characters and word gaps); and the send queue's cost per character with waits that take no
// time, against a plain loop that takes the first character off a text and lets events run.
// Run: cmake -B build-release -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCH=ON && ninja -C build-release
//      cw_keying_bench && build-release/bench/cw_keying_bench
#include "app/AppContext.h"
#include "bench/BenchMain.h"
#include "bench/StampingLine.h"
#include "keying/CWFrm.h"
#include "keying/Morse.h"
#include "logging/Form1.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/SerialKeyLine.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

namespace {

// Waits that take no time, for the cost of the queue itself.
class InstantClock : public SystemClock {
public:
  void sleepMs(int) override {}
};

struct Keyer {
  explicit Keyer(Clock &clock)
      : ctx{Folders{}, dialogs, clock, settings, std::make_unique<LogDb>("cw-bench")} {
    ctx.newSerialKeyLine = [this] {
      auto l = std::make_unique<StampingLine>();
      l->stamps = &stamps;
      return l;
    };
    ctx.window<Form1>();
    w = &ctx.window<CWFrm>();
    ctx.keying.CWKeyingMethod = 1;
    w->Option1->setChecked(true);
    w->Text10->setText(QStringLiteral("1"));
  }
  QTemporaryDir dir;
  QtDialogs dialogs;
  SettingsStore settings{dir.filePath(QStringLiteral("settings.ini"))};
  AppContext ctx;
  CWFrm *w = nullptr;
  std::vector<std::pair<bool, SteadyTime>> stamps;
};

// Errors in ms by element kind ("dot", "dash", "gap", "letter gap", "word gap").
using Errors = std::map<std::string, std::vector<double>>;
std::map<std::string, Errors> timingResults;

void Timing(benchmark::State &state, bool timer, int wpm) {
  SystemClock clock;
  Keyer keyer(clock);
  (timer ? keyer.w->optTimer : keyer.w->OptSleep)->setChecked(true);
  keyer.w->Text11->setText(QString::number(wpm));
  const QString text = QStringLiteral("PARIS PARIS PARIS PARIS PARIS ");
  QString bits;
  for (const QChar c : text)
    bits += *keyedUnits(c, 0);
  Errors errors;
  for (auto _ : state) {
    keyer.w->CWSetup();
    keyer.stamps.clear();
    keyer.ctx.keying.CWBuffer = text;
    keyer.w->LoopThroughCWBuffer();
    keyer.stamps.emplace_back(false, std::chrono::steady_clock::now());
    // Runs of one state, in units as the bits say and in ms as the stamps say.
    const double unit = 1200.0 / wpm;
    size_t at = 0;
    for (size_t s = 0; s + 1 < keyer.stamps.size() && at < static_cast<size_t>(bits.size());) {
      const bool down = keyer.stamps[s].first;
      size_t next = s + 1;
      while (next + 1 < keyer.stamps.size() && keyer.stamps[next].first == down)
        ++next;
      qsizetype units = 0;
      while (at < static_cast<size_t>(bits.size()) && (bits[at] == u'1') == down) {
        ++units;
        ++at;
      }
      const double ms =
          std::chrono::duration<double, std::milli>(keyer.stamps[next].second - keyer.stamps[s].second)
              .count();
      const std::string kind = down ? (units == 1 ? "dot" : "dash")
                                    : (units == 1   ? "gap"
                                       : units == 3 ? "letter gap"
                                                    : "word gap");
      errors[kind].push_back(ms - units * unit);
      s = next;
    }
  }
  timingResults[std::string(timer ? "Timer" : "Sleep") + " " + std::to_string(wpm) + " WPM"] = errors;
}
BENCHMARK_CAPTURE(Timing, Timer20, true, 20)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Timing, Timer40, true, 40)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Timing, Sleep20, false, 20)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Timing, Sleep40, false, 40)->Iterations(1)->Unit(benchmark::kSecond);

constexpr int kCharacters = 10000;
std::map<std::string, double> perCharacterNs;

QString queueText() {
  QString text;
  while (text.size() < kCharacters)
    text += QStringLiteral("CQ TEST DE W1XYZ ");
  return text.left(kCharacters);
}

void DrainQueue(benchmark::State &state) {
  InstantClock clock;
  Keyer keyer(clock);
  keyer.w->OptSleep->setChecked(true);
  keyer.w->Text11->setText(QStringLiteral("40"));
  const QString text = queueText();
  for (auto _ : state) {
    keyer.ctx.keying.CWBuffer = text;
    keyer.w->LoopThroughCWBuffer();
  }
  state.SetItemsProcessed(state.iterations() * kCharacters);
}
BENCHMARK(DrainQueue)->Unit(benchmark::kMillisecond);

void PlainTakeAndPump(benchmark::State &state) {
  const QString text = queueText();
  for (auto _ : state) {
    QString queue = text;
    while (!queue.isEmpty()) {
      benchmark::DoNotOptimize(queue.front());
      queue.remove(0, 1);
      QCoreApplication::processEvents();
    }
  }
  state.SetItemsProcessed(state.iterations() * kCharacters);
}
BENCHMARK(PlainTakeAndPump)->Unit(benchmark::kMillisecond);

class Reporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &run : runs)
      if (run.iterations > 0 && run.benchmark_name().find("Timing") == std::string::npos)
        perCharacterNs[run.benchmark_name()] = run.GetAdjustedRealTime() * 1e6 / kCharacters;
    ConsoleReporter::ReportRuns(runs);
  }
};

void printSummary() {
  std::printf("\nElement error in ms (measured - ideal): median / worst\n");
  for (const auto &[name, errors] : timingResults) {
    std::printf("%-14s", name.c_str());
    for (auto [kind, values] : errors) {
      std::sort(values.begin(), values.end());
      const double worst = std::max(std::fabs(values.front()), std::fabs(values.back()));
      std::printf("  %s %.2f / %.2f", kind.c_str(), values[values.size() / 2], worst);
    }
    std::printf("\n");
  }
  const double drain = perCharacterNs["DrainQueue"], plain = perCharacterNs["PlainTakeAndPump"];
  if (drain > 0 && plain > 0)
    std::printf("\nQueue drain %.2f us per character, plain loop %.2f us: ratio %.2f\n", drain / 1000,
                plain / 1000, drain / plain);
}

} // namespace

int main(int argc, char **argv) {
  Reporter reporter;
  return runBenchmarks(argc, argv, &reporter, printSummary);
}
