// The RTTY program link: the time from a change of an outgoing box to its line arriving at a
// peer that plays the RTTY program, over 1,000 changes, against the same lines written and read
// on a plain local-socket pair in the same iterations. Target: a ratio of the medians of at most
// 1.5 and under 1 ms a change.
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

// A side of the RTTY program: counts the lines it gets.
struct Peer {
  explicit Peer(const QString &side)
      : name(QStringLiteral("orvex-rtty-bench-%1-%2").arg(QCoreApplication::applicationPid()).arg(side)) {
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
  QString name;
  QLocalServer server;
  QLocalSocket *client = nullptr;
  RttyLineReader reader;
  int lines = 0;
};

QString keyCode(int n) {
  return QString::number(n % 2 ? 65 : 66);
}

// Each iteration changes the box 1,000 times, and writes as many lines on a plain socket pair
// beside it, so that both meet the same load of the machine.
void BM_BoxChangeToPeer(benchmark::State &state) {
  BenchPc pc(QStringLiteral("bench-rtty"));
  Peer peer(QStringLiteral("program"));
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

  Peer floorPeer(QStringLiteral("floor"));
  QLocalSocket socket;
  socket.connectToServer(floorPeer.name);
  socket.waitForConnected(2000);
  int floorSent = 0;

  sideBySide(
      state, "Box change to the peer / plain socket pair", {},
      [&] {
        for (int n = 0; n < kChanges; ++n) {
          link.txtBField8->setText(keyCode(n));
          peer.waitFor(++sent);
        }
      },
      [&] {
        for (int n = 0; n < kChanges; ++n) {
          socket.write(rttyLine(QStringLiteral("txtBField8"), keyCode(n)));
          socket.flush();
          floorPeer.waitFor(++floorSent);
        }
      });
  state.SetItemsProcessed(state.iterations() * kChanges);
}

} // namespace

// Medians of a few seconds: the ratio then holds from run to run.
BENCHMARK(BM_BoxChangeToPeer)->Unit(benchmark::kMillisecond)->MinTime(3);

int main(int argc, char **argv) {
  return runBenchmarks(argc, argv, nullptr, printSameRunRatios);
}
