#include "tests/support/KeyLineDoubles.h"

#include "tests/support/ScriptedDialogs.h"

#include <atomic>
#include <cerrno>
#include <cstdarg>

#include <dlfcn.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The device whose modem-line calls fail, 0 for none.
std::atomic<dev_t> failingModemLines{0};

dev_t deviceOf(int fd) {
  struct stat st = {};
  return fd >= 0 && fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) ? st.st_rdev : 0;
}
} // namespace

// The C library's ioctl for every caller in the test program (Qt's serial port among them), but
// for the modem-line calls on a failing pseudo-terminal.
extern "C" int ioctl(int fd, unsigned long request, ...) noexcept {
  va_list args;
  va_start(args, request);
  void *argument = va_arg(args, void *);
  va_end(args);
  const dev_t failing = failingModemLines;
  if (failing != 0 && (request == TIOCMBIS || request == TIOCMBIC || request == TIOCMSET) &&
      deviceOf(fd) == failing) {
    errno = EIO;
    return -1;
  }
  using Ioctl = int (*)(int, unsigned long, ...);
  static const auto next = reinterpret_cast<Ioctl>(dlsym(RTLD_NEXT, "ioctl"));
  return next(fd, request, argument);
}

PseudoTerminal::PseudoTerminal() {
  char name[256] = {};
  if (openpty(&master, &slave, name, nullptr, nullptr) == 0)
    device = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal() {
  dev_t mine = deviceOf(slave);
  failingModemLines.compare_exchange_strong(mine, 0);
  if (master >= 0)
    ::close(master);
  if (slave >= 0)
    ::close(slave);
}

void PseudoTerminal::failModemLines() {
  failingModemLines = deviceOf(slave);
}

bool FakeSerialKeyLine::open(const QString &device, QString *error) {
  close();
  if (refused.count(device)) {
    if (error)
      *error = QStringLiteral("No such file or directory");
    return false;
  }
  device_ = device;
  return true;
}

void FakeSerialKeyLine::close() {
  device_.clear();
}

void FakeSerialKeyLine::setDtr(bool on) {
  record(QStringLiteral("DTR"), on);
}

void FakeSerialKeyLine::setRts(bool on) {
  record(QStringLiteral("RTS"), on);
}

void FakeSerialKeyLine::record(const QString &line, bool on) {
  // Asked for while closed too: what counts is what the program asked for.
  changes_.push_back({line, on ? 1 : 0, clock_.counter});
}

bool FakePrinterPorts::writeControl(int address, int value, Failure *failure) {
  if (failing.count(address)) {
    if (failure)
      *failure = {QStringLiteral("/dev/parport0"), QStringLiteral("Permission denied")};
    return false;
  }
  writes.push_back({QString::number(address), value, clock_.counter});
  return true;
}
