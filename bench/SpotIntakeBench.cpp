// Spot intake per "DX de" line over a burst of 1,000 distinct lines whose calls take their
// prefixes from the real country list, with the main window laid out off screen and its spot
// list already at 200 rows: the bare line parse (the reference), the main window's intake
// (country, table, list row), and the cluster window's whole TNC path (framing, duplicate
// window, monitor append and trim, intake) in reads of 256 characters. The figure to compare
// with 0.5 ms a line is the whole path's median time per burst / 1,000. Beside them, each cluster
// link's own framing without the intake: the TNC receive buffer in reads of 256 characters, the
// telnet line buffer in arrivals of 1,460, and packet-engine monitor frames decoded from one byte
// stream; each is timed with the bare parse run beside it in the same iterations and is to stay
// within 2x of it. Last, the intake again with the main window's band map shown, where every spot
// redraws the strip.
// Run: cmake -B build-release -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCH=ON && ninja -C build-release
//      spot_intake_bench && build-release/bench/spot_intake_bench
#include "app/AppContext.h"
#include "bench/BenchMain.h"
#include "logging/CountryTable.h"
#include "logging/Form1.h"
#include "platform/AgwClient.h"
#include "platform/Clock.h"
#include "platform/VbText.h"
#include "spotting/AgwTraffic.h"
#include "spotting/ClusterLines.h"
#include "spotting/PacketSpotfrm.h"

#include <QTreeWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 1000;

// One station PC with the real country list, its main window laid out and its cluster window
// loaded without a settings file.
struct Station : BenchPc {
  Form1 &form = ctx.window<Form1>();
  PacketSpotfrm &cluster = ctx.window<PacketSpotfrm>();
  std::vector<QString> lines;

  Station() : BenchPc(QStringLiteral("bench-spots")) {
    const auto content = vb::readLatin1(QStringLiteral(ORVEX_SOURCE_DIR "/data/arrlpre2.txt"));
    if (!content || !readCountryList(*content, ctx.logging.CountryTable))
      qFatal("country list not readable");
    form.ScaleToScreen();
    form.AddListColumns();
    makeLines();
    for (int i = 0; i < 200; ++i)
      take(lines[static_cast<size_t>(i)]);
  }

  // Calls of prefixes spread over the whole list (those that are plain letters and digits).
  void makeLines() {
    const CountryList &list = ctx.logging.CountryTable;
    std::uint32_t seed = 2024;
    const auto next = [&seed](std::uint32_t bound) {
      seed = seed * 1664525u + 1013904223u;
      return (seed >> 8) % bound;
    };
    const double bands[] = {1820, 3510, 7010, 14010, 21010, 28010};
    for (int i = 0; lines.size() < kLines; ++i) {
      const QString prefix = list.slot(1 + (i * 37) % list.CountryCount()).CountryPrefix;
      if (prefix.isEmpty() || prefix.contains(u'/'))
        continue;
      QString call = prefix + QString::number(next(10));
      for (std::uint32_t n = 1 + next(3); n > 0; --n)
        call += QChar(u'A' + next(26));
      const double khz = bands[next(std::size(bands))] + next(2500) / 10.0;
      lines.push_back(QStringLiteral("DX de Q7ABC:").leftJustified(15) +
                      QString::number(khz, 'f', 1).rightJustified(9) + QStringLiteral("  ") +
                      call.leftJustified(13) + QStringLiteral("CQ WPX CW").leftJustified(30) +
                      QStringLiteral("%1Z FN42\r\n").arg(i % 2400, 4, 10, QChar(u'0')));
    }
  }

  void take(const QString &line) {
    QString freq = spotFreqText(line), call = spotCallText(line), record = SpotRecord(line);
    form.BandMapSpots(call, freq, record);
  }
};

Station &station() {
  static Station s;
  return s;
}

void bareParse(const std::vector<QString> &lines) {
  for (const QString &line : lines) {
    benchmark::DoNotOptimize(spotFreqText(line));
    benchmark::DoNotOptimize(spotCallText(line));
    benchmark::DoNotOptimize(SpotRecord(line));
  }
}

void BM_BareParse(benchmark::State &state) {
  const auto &lines = station().lines;
  for (auto _ : state)
    bareParse(lines);
}

void BM_BandMapSpots(benchmark::State &state) {
  Station &s = station();
  for (auto _ : state) {
    for (const QString &line : s.lines)
      s.take(line);
  }
  benchmark::DoNotOptimize(s.form.txtDX->topLevelItemCount());
}

void BM_WholeTncPath(benchmark::State &state) {
  Station &s = station();
  QString burst;
  for (const QString &line : s.lines)
    burst += line;
  for (auto _ : state) {
    for (qsizetype at = 0; at < burst.size(); at += 256)
      s.cluster.ReadTNCInput(burst.mid(at, 256));
  }
  benchmark::DoNotOptimize(s.form.txtDX->topLevelItemCount());
}

QString burst() {
  QString all;
  for (const QString &line : station().lines)
    all += line;
  return all;
}

// A framing timed, and the bare parse of the same burst run beside it in every iteration
// (untimed), so that a neighbour's load moves both and leaves their ratio alone.
void besideBareParse(benchmark::State &state, const std::string &framing,
                     const std::function<void()> &frame) {
  const auto &lines = station().lines;
  sideBySide(state, framing + " / bare parse", {}, frame, [&lines] { bareParse(lines); });
}

void BM_TncFraming(benchmark::State &state) {
  const QString input = burst();
  int posted = 0;
  const PostSpotFn post = [&posted](QString &, QString &, QString &) { ++posted; };
  besideBareParse(state, "TNC framing", [&] {
    ClusterLineFramer framer;
    QString monitor;
    for (qsizetype at = 0; at < input.size(); at += 256)
      for (QString &line : framer.take(QStringView(input).mid(at, 256)))
        takeClusterLine(line, monitor, true, {LineRules::Tnc}, post);
  });
  benchmark::DoNotOptimize(posted);
}

void BM_TelnetFraming(benchmark::State &state) {
  const QString input = burst();
  besideBareParse(state, "Telnet framing", [&input] {
    ClusterLineFramer framer;
    for (qsizetype at = 0; at < input.size(); at += 1460)
      for (const QString &line : framer.take(QStringView(input).mid(at, 1460)))
        benchmark::DoNotOptimize(isDXLine(line));
  });
}

// What direwolf sends for a heard "DX de" line: a monitor header, the line, NUL-terminated.
void BM_AgwFraming(benchmark::State &state) {
  QByteArray stream;
  for (const QString &line : station().lines) {
    agw::Frame frame;
    frame.kind = 'U';
    frame.callFrom = "Q7CLU";
    frame.data =
        " 1:Fm Q7CLU To DX <UI pid=F0 Len=80 PF=0 >[12:34:56]\r" + line.toLatin1().chopped(2) + "\r\r";
    frame.data.append('\0');
    stream += agw::encode(frame);
  }
  besideBareParse(state, "AGW framing", [&stream] {
    QByteArray bytes = stream;
    for (const agw::Frame &frame : agw::takeFrames(bytes)) {
      const QString call = QString::fromLatin1(frame.callFrom);
      const QString data = QString::fromLatin1(QByteArrayView(frame.data).chopped(1));
      const AgwFrameTexts texts = agwFrameTexts(call, data, frame.kind, int(data.size()), false);
      for (const QString &line : wholeClusterLines(texts.spotText))
        benchmark::DoNotOptimize(isAgwSpotText(line));
    }
  });
}

// Last, since it opens the main window's band map for good: every spot then redraws the strip.
void BM_BandMapSpotsBandMapShown(benchmark::State &state) {
  Station &s = station();
  s.form.layOutSpotArea(QStringLiteral("Telnet"), false);
  for (auto _ : state) {
    for (const QString &line : s.lines)
      s.take(line);
  }
  benchmark::DoNotOptimize(s.form.txtDX->topLevelItemCount());
}

} // namespace

BENCHMARK(BM_BareParse)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BandMapSpots)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_WholeTncPath)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
// Each framing a few seconds, so that its median and the parse's beside it hold run to run.
BENCHMARK(BM_TncFraming)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_TelnetFraming)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_AgwFraming)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_BandMapSpotsBandMapShown)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv) {
  RatioReporter reporter;
  return runBenchmarks(argc, argv, &reporter, [&reporter] {
    std::cout << "\nRatios against the bare parse (medians of a burst of " << kLines << " lines):\n";
    reporter.ratio("BM_BandMapSpots/repeats:5_median", "BM_BareParse/repeats:5_median");
    reporter.ratio("BM_WholeTncPath/repeats:5_median", "BM_BareParse/repeats:5_median");
    reporter.ratio("BM_BandMapSpotsBandMapShown/repeats:5_median", "BM_BareParse/repeats:5_median");
    printSameRunRatios();
  });
}
