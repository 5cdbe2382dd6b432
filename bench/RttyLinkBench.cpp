// The RTTY program link: the time from a change of an outgoing box to its line arriving at a
// peer that plays the RTTY program, over 1,000 changes, against the same lines written and read
// on a plain local-socket pair. Target: a ratio of at most 1.5 and under 1 ms a change.
// Run: cmake -B build-release -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCH=ON && ninja -C build-release
//      rtty_link_bench && build-release/bench/rtty_link_bench
#include "bench/BenchMain.h"
#include "keying/RttyLink.h"
#include "keying/frmDigitalSource.h"
#include "platform/Controls.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int kChanges = 1000;

// The RTTY program's side: counts the lines it gets.
struct Peer {
  Peer() {
    QObject::connect(&server, &QLocalServer::newConnection, [this] {
      client = server.nextPendingConnection();
      QObject::connect(client, &QLocalSocket::readyRead,
                       [this] { lines += static_cast<int>(reader.take(client->readAll()).size()); });
    });
    server.listen(name);
  }
  // Lets events run until `count` lines have come.
  void waitFor(int count) {
    while (lines < count)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  QString name = QStringLiteral("orvex-rtty-bench-%1").arg(QCoreApplication::applicationPid());
  QLocalServer server;
  QLocalSocket *client = nullptr;
  RttyLineReader reader;
  int lines = 0;
};

void BM_BoxChangeToPeer(benchmark::State &state) {
  BenchPc pc(QStringLiteral("bench-rtty"));
  Peer peer;
  frmDigitalSource &link = pc.ctx.window<frmDigitalSource>();
  link.serverName = peer.name;
  pc.ctx.logging.station.MyCall = QStringLiteral("K1ABC");
  // The connect's message box is answered as soon as it shows.
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (QWidget *box = QApplication::activeModalWidget())
      box->close();
  });
  answer.start(10);
  link.ConnectWithQ4ZD();
  answer.stop();
  peer.waitFor(2);
  int sent = peer.lines;
  for (auto _ : state) {
    for (int n = 0; n < kChanges; ++n) {
      link.txtBField8->setText(QString::number(n % 2 ? 65 : 66));
      peer.waitFor(++sent);
    }
  }
  state.SetItemsProcessed(state.iterations() * kChanges);
}

void BM_PlainSocketPair(benchmark::State &state) {
  Peer peer;
  QLocalSocket socket;
  socket.connectToServer(peer.name);
  socket.waitForConnected(2000);
  int sent = 0;
  for (auto _ : state) {
    for (int n = 0; n < kChanges; ++n) {
      socket.write(rttyLine(QStringLiteral("txtBField8"), QString::number(n % 2 ? 65 : 66)));
      socket.flush();
      peer.waitFor(++sent);
    }
  }
  state.SetItemsProcessed(state.iterations() * kChanges);
}

} // namespace

BENCHMARK(BM_BoxChangeToPeer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSocketPair)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
  RatioReporter reporter;
  return runBenchmarks(argc, argv, &reporter,
                       [&reporter] { reporter.ratio("BM_BoxChangeToPeer", "BM_PlainSocketPair"); });
}
