#include "tests/spotting/FakeAgwEngine.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <chrono>
#include <future>

FakeAgwEngine::FakeAgwEngine(int registerReply) {
  std::promise<void> listening;
  auto ready = listening.get_future();
  thread_ = std::thread([this, registerReply, &listening] {
    QTcpServer server;
    server.listen(QHostAddress(QHostAddress::LocalHost));
    port_ = server.serverPort();
    listening.set_value();
    std::unique_ptr<QTcpSocket> client;
    QByteArray stream;
    while (!stop_) {
      if (!client || client->state() != QAbstractSocket::ConnectedState) {
        if (server.waitForNewConnection(10)) {
          client.reset(server.nextPendingConnection());
          // Each frame leaves at once, not held back for the previous one's acknowledgement.
          client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
          ++connections_;
          stream.clear();
        }
        continue;
      }
      {
        std::lock_guard lock(mutex_);
        if (!outgoing_.isEmpty()) {
          client->write(outgoing_);
          client->waitForBytesWritten(1000);
          outgoing_.clear();
        }
      }
      if (!client->waitForReadyRead(10))
        continue;
      stream += client->readAll();
      for (agw::Frame &frame : agw::takeFrames(stream)) {
        if (frame.kind == 'X' && registerReply >= 0) {
          client->write(agw::encode(engineFrame('X', frame.callFrom, QByteArray(1, char(registerReply)))));
          client->waitForBytesWritten(1000);
        }
        std::lock_guard lock(mutex_);
        received_.push_back(std::move(frame));
      }
    }
  });
  ready.wait();
}

FakeAgwEngine::~FakeAgwEngine() {
  stop_ = true;
  thread_.join();
}

std::vector<agw::Frame> FakeAgwEngine::received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

void FakeAgwEngine::send(const QByteArray &bytes) {
  {
    std::lock_guard lock(mutex_);
    outgoing_ += bytes;
  }
  // Back once the bytes are on their way, so the client's next look finds them.
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < until) {
    {
      std::lock_guard lock(mutex_);
      if (outgoing_.isEmpty())
        break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

std::vector<agw::Frame> FakeAgwEngine::waitForFrames(std::size_t count) const {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (received().size() < count && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return received();
}

agw::Frame engineFrame(char kind, const QByteArray &from, const QByteArray &data) {
  agw::Frame frame;
  frame.kind = kind;
  frame.callFrom = from;
  frame.data = data;
  return frame;
}
