#include "tests/support/WinKeySimulator.h"

#include "tests/support/PortLinks.h"

#include <chrono>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace {

// The length of a host command from its first bytes, arguments included.
int commandLength(const QByteArray &command) {
  const auto first = static_cast<std::uint8_t>(command[0]);
  if (first >= 0x20)
    return 1; // text
  if (first == 0x00) {
    if (command.size() < 2)
      return 2;
    const auto admin = static_cast<std::uint8_t>(command[1]);
    return admin == 0x00 || admin == 0x04 || admin == 0x0E ? 3 : 2;
  }
  // Arguments of commands 0x01 to 0x1F.
  static constexpr int kArguments[32] = {0, 1, 1, 1, 2, 3, 1, 0, 0, 1, 0, 1, 1, 1, 1, 15,
                                         1, 1, 1, 0, 1, 0, 1, 1, 1, 1, 1, 2, 1, 1, 0, 0};
  return 1 + kArguments[first];
}

// Written behind the program's bytes by receivedAll(). The driver never sends it where a command
// starts, as text stops at 0x7E.
constexpr std::uint8_t kMark = 0xFF;

} // namespace

WinKeySimulator::WinKeySimulator() {
  char name[256] = {};
  termios raw{};
  cfmakeraw(&raw);
  if (openpty(&master_, &slave_, name, &raw, nullptr) != 0)
    throw std::runtime_error("openpty failed");
  device_ = QString::fromLocal8Bit(name);
  // The slave side stays open here too, so that the master never reads a hang-up while the
  // program has the port closed.
  thread_ = std::thread([this] { run(); });
}

WinKeySimulator::~WinKeySimulator() {
  stop_ = true;
  thread_.join();
  ::close(master_);
  ::close(slave_);
}

void WinKeySimulator::linkAs(int port) const {
  linkComPort(port, device_);
}

void WinKeySimulator::scriptStatuses(std::initializer_list<std::uint8_t> statuses) {
  const std::lock_guard lock(mutex_);
  statuses_.assign(statuses);
}

void WinKeySimulator::sendStatus(std::uint8_t status) {
  const std::uint8_t byte = 0xC0 | status;
  (void)!::write(master_, &byte, 1);
}

QByteArray WinKeySimulator::received(int count) {
  std::unique_lock lock(mutex_);
  arrived_.wait_for(lock, std::chrono::seconds(5), [&] { return received_.size() >= count; });
  return received_;
}

QByteArray WinKeySimulator::receivedAll() {
  std::unique_lock lock(mutex_);
  const int mark = marks_ + 1;
  (void)!::write(slave_, &kMark, 1);
  arrived_.wait_for(lock, std::chrono::seconds(5), [&] { return marks_ >= mark; });
  return received_;
}

void WinKeySimulator::clearReceived() {
  const std::lock_guard lock(mutex_);
  received_.clear();
}

void WinKeySimulator::run() {
  while (!stop_) {
    pollfd fd{master_, POLLIN, 0};
    if (::poll(&fd, 1, 10) <= 0 || !(fd.revents & POLLIN))
      continue;
    unsigned char buffer[256];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    for (ssize_t i = 0; i < n; ++i)
      take(buffer[i]);
  }
}

void WinKeySimulator::take(std::uint8_t byte) {
  const bool mark = byte == kMark && command_.isEmpty();
  {
    const std::lock_guard lock(mutex_);
    if (mark)
      ++marks_;
    else
      received_.append(static_cast<char>(byte));
  }
  arrived_.notify_all();
  if (mark)
    return;
  command_.append(static_cast<char>(byte));
  if (command_.size() < commandLength(command_))
    return;
  const QByteArray command = command_;
  command_.clear();
  if (silent)
    return;
  std::uint8_t reply;
  if (command.startsWith(QByteArray("\x00\x04", 2))) {
    if (echo == Echo::None)
      return;
    reply = static_cast<std::uint8_t>(command[2]) ^ (echo == Echo::Wrong ? 0x01 : 0x00);
  } else if (command == QByteArray("\x00\x02", 2)) {
    if (!answersOpen)
      return;
    reply = kVersion;
  } else if (command == "\x15") {
    ++statusRequests_;
    const std::lock_guard lock(mutex_);
    if (!statuses_.empty()) {
      status_ = statuses_.front();
      if (statuses_.size() > 1)
        statuses_.pop_front();
    }
    reply = 0xC0 | status_;
  } else {
    return;
  }
  (void)!::write(master_, &reply, 1);
}
