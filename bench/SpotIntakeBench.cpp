// Spot intake per "DX de" line over a burst of 1,000 distinct lines whose calls take their
// prefixes from the real country list, with the main window laid out off screen and its spot
// list already at 200 rows: the bare line parse (the reference), the main window's intake
// (country, table, list row), and the cluster window's whole TNC path (framing, duplicate
// window, monitor append and trim, intake) in reads of 256 characters. The figure to compare
// with 0.5 ms a line is the whole path's median time per burst / 1,000. Beside them, each cluster
// link's own framing without the intake: the TNC receive buffer in reads of 256 characters, the
// telnet line buffer in arrivals of 1,460, and packet-engine monitor frames decoded from one byte
// stream; each is timed with the bare parse run beside it in the same iterations and is to stay
// within 2x of it. Then a burst of 10,000 telnet lines through the cluster window's whole intake
// on a real socket, in lines per second beside a plain split of the same text (the goal: at least
// 20,000 lines a second with the cluster window hidden), with the longest event-loop turn. Last,
// the intake again with the main window's band map shown, where every spot redraws the strip.
// Run: cmake -B build-release -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCH=ON && ninja -C build-release
//      spot_intake_bench && build-release/bench/spot_intake_bench
#include "app/AppContext.h"
#include "bench/BenchMain.h"
#include "logging/CountryTable.h"
#include "logging/Form1.h"
#include "platform/AgwClient.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/VbText.h"
#include "spotting/AgwTraffic.h"
#include "spotting/ClusterLines.h"
#include "spotting/PacketSpotfrm.h"
#include "spotting/SpotTable.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QListWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
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
      for (QString &line : framer.take(input.mid(at, 256)))
        takeClusterLine(line, monitor, true, {LineRules::Tnc}, post);
  });
  benchmark::DoNotOptimize(posted);
}

void BM_TelnetFraming(benchmark::State &state) {
  const QString input = burst();
  besideBareParse(state, "Telnet framing", [&input] {
    ClusterLineFramer framer;
    for (qsizetype at = 0; at < input.size(); at += 1460)
      for (const QString &line : framer.take(input.mid(at, 1460)))
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

// Runs the event loop until `done` holds (at most 60 s), and returns the longest time between two
// of its turns: the longest a key typed meanwhile waits before it shows.
double longestTurnUntil(const std::function<bool()> &done) {
  QEventLoop loop;
  QTimer turn;
  turn.setInterval(0);
  QElapsedTimer sinceTurn, total;
  sinceTurn.start();
  total.start();
  double longest = 0;
  QObject::connect(&turn, &QTimer::timeout, [&] {
    longest = std::max(longest, msSince(sinceTurn));
    sinceTurn.restart();
    if (done() || total.hasExpired(60000))
      loop.quit();
  });
  turn.start();
  loop.exec();
  return longest;
}

// A burst of kBurst lines from a telnet cluster on 127.0.0.1 through the whole intake: the
// socket, the framing, the slices, the spot table, the main window's list and the cluster
// window's monitor, with the main window shown, the cluster window hidden (first argument 0) or
// shown (1), and "List DX Only" off (second argument 0) or on (1). Beside it, the same text split
// into lines plainly. Reports lines per second of both and the longest event-loop turn during
// the burst.
constexpr int kBurst = 10000;

void BM_TelnetBurst(benchmark::State &state) {
  Station &s = station();
  PacketSpotfrm &w = s.cluster;
  QTcpServer cluster;
  if (!cluster.listen(QHostAddress(QHostAddress::LocalHost))) {
    state.SkipWithError("no listening socket");
    return;
  }
  s.form.show();
  w.List1->setCurrentItem(w.List1->findItems(QStringLiteral("Telnet"), Qt::MatchExactly).value(0));
  s.form.layOutSpotArea(QStringLiteral("Telnet"), true);
  w.txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
  w.txtTelnetPort->setText(QString::number(cluster.serverPort()));
  w.Command1_Click();
  longestTurnUntil([&] { return cluster.hasPendingConnections(); });
  QTcpSocket *peer = cluster.nextPendingConnection();
  longestTurnUntil([&] { return w.Winsock1->state() == QAbstractSocket::ConnectedState; });
  w.setVisible(state.range(0) != 0);
  w.chkDX->setChecked(state.range(1) != 0);

  QString text;
  for (int i = 0; i < kBurst - 1; ++i)
    text += s.lines[static_cast<size_t>(i % kLines)];
  int burstNumber = 0;
  double longest = 0;
  const std::string what = std::string("Telnet burst, cluster window ") +
                           (state.range(0) != 0 ? "shown" : "hidden") +
                           (state.range(1) != 0 ? ", DX only" : "") + " / plain split";
  sideBySide(
      state, what, {},
      [&] {
        // The last line's call is new each time: once it is the newest spot, the burst is in.
        const QString last = QStringLiteral("Q7B%1").arg(++burstNumber);
        peer->write(
            (text + QStringLiteral("DX de Q7ABC:     14025.0  ") + last + QStringLiteral("\r\n")).toLatin1());
        longest = std::max(longest, longestTurnUntil([&] {
                             return s.ctx.spotting.SpotTable[SpottingState::kNewest].SpotCall == last;
                           }));
      },
      [&] { benchmark::DoNotOptimize(text.split(QStringLiteral("\r\n"))); });
  state.counters["lines_per_s"] = kBurst / (state.counters["median_ms"].value / 1000);
  state.counters["split_lines_per_s"] = kBurst / (state.counters["floor_median_ms"].value / 1000);
  state.counters["longest_turn_ms"] = longest;
  w.Command2_Click();
  w.hide();
  s.form.hide();
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
BENCHMARK(BM_TelnetBurst)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->Iterations(8);
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
