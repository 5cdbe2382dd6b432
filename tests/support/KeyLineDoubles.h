#pragma once
// Doubles of the key lines: a serial line and printer ports that record each change with the
// fake clock's millisecond counter, so that tests can check what was keyed and for how long.

#include "platform/PrinterPorts.h"
#include "platform/SerialKeyLine.h"

#include <QString>

#include <cstdint>
#include <set>
#include <vector>

class FakeClock;

// One change of a line: "RTS" or "DTR" with its state, or a printer register with its value.
struct LineChange {
  QString line;
  int value;
  std::int64_t ms;
  bool operator==(const LineChange &) const = default;
};

// A pseudo-terminal pair; the program opens the far end by its name. Its modem-line calls are
// refused as on any pseudo-terminal, or, once `failModemLines` is called, fail with an I/O error
// as on a failing adapter.
struct PseudoTerminal {
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal &) = delete;
  PseudoTerminal &operator=(const PseudoTerminal &) = delete;
  void failModemLines();
  int master = -1, slave = -1;
  QString device; // empty when none could be made
};

class FakeSerialKeyLine : public SerialKeyLine {
public:
  FakeSerialKeyLine(FakeClock &clock, std::vector<LineChange> &changes) : clock_(clock), changes_(changes) {}
  // Devices that refuse to open.
  std::set<QString> refused;

  bool open(const QString &device, QString *error) override;
  void close() override;
  bool isOpen() const override { return !device_.isEmpty(); }
  QString device() const override { return device_; }
  void setDtr(bool on) override;
  void setRts(bool on) override;

private:
  void record(const QString &line, bool on);
  FakeClock &clock_;
  std::vector<LineChange> &changes_;
  QString device_;
};

class FakePrinterPorts : public PrinterPorts {
public:
  explicit FakePrinterPorts(FakeClock &clock) : clock_(clock) {}
  std::vector<LineChange> writes; // line is the register address in decimal
  std::set<int> failing;          // register addresses that cannot be used
  int closed = 0;

  bool writeControl(int address, int value, Failure *failure) override;
  void closeAll() override { ++closed; }

private:
  FakeClock &clock_;
};
