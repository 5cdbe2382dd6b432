#pragma once
// A WinKey keyer on the master side of a pseudo-terminal, on a thread of its own. It answers the
// host commands the driver uses, records every byte it receives, and can be scripted to
// misbehave.

#include <QByteArray>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

class WinKeySimulator {
public:
  enum class Echo { Right, None, Wrong };

  WinKeySimulator();
  ~WinKeySimulator();
  WinKeySimulator(const WinKeySimulator &) = delete;
  WinKeySimulator &operator=(const WinKeySimulator &) = delete;

  // The device the program opens (the slave side).
  QString device() const { return device_; }
  // Makes the link COM<port> in the ports folder point at this keyer.
  void linkAs(int port) const;

  static constexpr std::uint8_t kVersion = 23;

  // Scripting.
  std::atomic<Echo> echo{Echo::Right};
  std::atomic<bool> answersOpen{true};
  std::atomic<bool> silent{false}; // answers nothing at all
  // The status bits (wkstatus) given to the next status requests, one each; the last one stays.
  void scriptStatuses(std::initializer_list<std::uint8_t> statuses);
  // A status byte sent on the keyer's own, as when its status changes.
  void sendStatus(std::uint8_t status);

  // Every byte received so far; waits up to five seconds (a loaded machine) until there are at least `count`.
  QByteArray received(int count = 0);
  // Every byte the program wrote before this call: a mark written behind them on the port shows
  // when they are all in, however late the keyer's thread gets to them.
  QByteArray receivedAll();
  void clearReceived();
  // Status requests received so far.
  int statusRequests() const { return statusRequests_; }

private:
  void run();
  void take(std::uint8_t byte);

  int master_ = -1, slave_ = -1;
  QString device_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable arrived_;
  QByteArray received_;
  std::deque<std::uint8_t> statuses_;
  std::uint8_t status_ = 0;
  std::atomic<int> statusRequests_{0};
  int marks_ = 0;      // marks taken, guarded by mutex_
  QByteArray command_; // the command being received, until its arguments are complete
};
