#pragma once
// A scripted packet engine on 127.0.0.1 with a thread of its own: the client's registration
// blocks the user-interface thread, so an engine on that thread could never answer it.

#include "platform/AgwClient.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

class FakeAgwEngine {
public:
  // `registerReply` is the data byte answering a registration; a negative value never answers.
  explicit FakeAgwEngine(int registerReply = 1);
  ~FakeAgwEngine();

  std::uint16_t port() const { return port_; }
  // Connections accepted so far, and the frames every client sent, in order.
  int connections() const { return connections_; }
  std::vector<agw::Frame> received() const;
  // Bytes for the connected client (a frame, a piece of one, several at once); back once written.
  void send(const QByteArray &bytes);
  void send(const agw::Frame &frame) { send(agw::encode(frame)); }
  // Waits (up to 5 s) until `count` frames have come in, then returns them.
  std::vector<agw::Frame> waitForFrames(std::size_t count) const;

private:
  std::atomic<std::uint16_t> port_{0};
  std::atomic<int> connections_{0};
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<agw::Frame> received_;
  QByteArray outgoing_;
  std::thread thread_;
};

// A frame from the engine as it sends them: `from` padded, `data` as given.
agw::Frame engineFrame(char kind, const QByteArray &from, const QByteArray &data = {});
