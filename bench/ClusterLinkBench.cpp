// The framing each cluster link puts in front of the spot intake, over one burst of 1,000
// "DX de" lines: the TNC receive buffer fed in reads of 256 bytes, the telnet line buffer in
// arrivals of 1,460 bytes, and packet-engine monitor frames decoded from one byte stream; against
// the bare parse of the same lines (frequency, call and record). The intake itself is not run.
// Run: cmake -B build-release -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCH=ON && ninja -C build-release
//      cluster_link_bench && build-release/bench/cluster_link_bench
#include "platform/AgwClient.h"
#include "spotting/AgwTraffic.h"
#include "spotting/ClusterLines.h"
#include "spotting/TelnetLink.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kLines = 1000;

// Cluster lines in the cluster's own column layout: spotter, frequency in kHz right-aligned in
// characters 16-24, the call in 27-39, a comment, the time and the spotter's locator.
const std::vector<QString> &lines() {
  static const std::vector<QString> all = [] {
    const char *prefixes[] = {"K1",  "W3",  "N6",  "VE3", "G4",  "DL1", "F5",  "I2",
                              "EA3", "OH2", "SM5", "UA3", "JA1", "VK2", "ZL1", "PY2",
                              "LU1", "ZS6", "4X4", "9A2", "OK1", "SP5", "HA5", "YO3"};
    const double bands[] = {1820, 3510, 7010, 14010, 21010, 28010};
    std::uint32_t seed = 4242;
    const auto next = [&seed](std::uint32_t bound) {
      seed = seed * 1664525u + 1013904223u;
      return (seed >> 8) % bound;
    };
    const auto call = [&] {
      QString c = prefixes[next(std::size(prefixes))];
      for (std::uint32_t n = 1 + next(3); n > 0; --n)
        c += QChar(u'A' + next(26));
      return c;
    };
    std::vector<QString> out;
    for (int i = 0; i < kLines; ++i) {
      const QString spotter = "DX de " + call() + ':';
      const double khz = bands[next(std::size(bands))] + next(2500) / 10.0;
      out.push_back(spotter.leftJustified(15) + QString::number(khz, 'f', 1).rightJustified(9) + "  " +
                    call().leftJustified(13) + QStringLiteral("CQ WPX CW").leftJustified(30) +
                    QStringLiteral("%1Z FN42\r\n").arg(next(2400), 4, 10, QChar(u'0')));
    }
    return out;
  }();
  return all;
}

QString burst() {
  QString all;
  for (const QString &line : lines())
    all += line;
  return all;
}

void BM_BareParse(benchmark::State &state) {
  for (auto _ : state) {
    for (const QString &line : lines()) {
      benchmark::DoNotOptimize(spotFreqText(line));
      benchmark::DoNotOptimize(spotCallText(line));
      benchmark::DoNotOptimize(SpotRecord(line));
    }
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_TncReceiveBuffer(benchmark::State &state) {
  const QString input = burst();
  int posted = 0;
  const PostSpotFn post = [&posted](QString &, QString &, QString &) { ++posted; };
  for (auto _ : state) {
    QString buffer = QStringLiteral("\n"), monitor;
    for (qsizetype at = 0; at < input.size(); at += 256)
      takeSpotInput(buffer, monitor, true, input.mid(at, 256), post);
  }
  benchmark::DoNotOptimize(posted);
  state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_TelnetLineBuffer(benchmark::State &state) {
  const QString input = burst();
  for (auto _ : state) {
    QString buffer;
    for (qsizetype at = 0; at < input.size(); at += 1460)
      for (const QString &line : takeCompleteLines(buffer, input.mid(at, 1460), 65536))
        benchmark::DoNotOptimize(isDXLine(line));
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_AgwMonitorFrames(benchmark::State &state) {
  QByteArray stream;
  for (const QString &line : lines()) {
    agw::Frame frame;
    frame.kind = 'U';
    frame.callFrom = "Q7CLU";
    frame.data =
        " 1:Fm Q7CLU To DX <UI pid=F0 Len=80 PF=0 >[12:34:56]\r" + line.toLatin1().chopped(2) + "\r\r";
    frame.data.append('\0');
    stream += agw::encode(frame);
  }
  for (auto _ : state) {
    QByteArray bytes = stream;
    for (const agw::Frame &frame : agw::takeFrames(bytes)) {
      const QString call = QString::fromLatin1(frame.callFrom);
      const QString data = QString::fromLatin1(frame.data.chopped(1));
      const AgwFrameTexts texts = agwFrameTexts(call, data, frame.kind, int(data.size()), false);
      benchmark::DoNotOptimize(isAgwSpotText(texts.spotText));
    }
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}

} // namespace

BENCHMARK(BM_BareParse);
BENCHMARK(BM_TncReceiveBuffer);
BENCHMARK(BM_TelnetLineBuffer);
BENCHMARK(BM_AgwMonitorFrames);
BENCHMARK_MAIN();
