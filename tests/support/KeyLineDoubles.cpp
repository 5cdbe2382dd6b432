#include "tests/support/KeyLineDoubles.h"

#include "tests/support/ScriptedDialogs.h"

#include <pty.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal() {
  char name[256] = {};
  if (openpty(&master, &slave, name, nullptr, nullptr) == 0)
    device = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal() {
  if (master >= 0)
    ::close(master);
  if (slave >= 0)
    ::close(slave);
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
