#pragma once
// A real packet engine for tests: direwolf on 127.0.0.1:8000 inside the test program's own
// network namespace (it listens on every interface, and the namespace holds only loopback).

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Call first thing in main: moves the process into a network namespace of its own with loopback
// up. Afterwards `direwolfUnavailable()` says why the engine tests must skip, or is empty.
void enterPrivateNetwork();
QString direwolfUnavailable();

class DirewolfEngine {
public:
  // Starts direwolf with its input on a UDP port nobody sends to and waits for its API port.
  DirewolfEngine();
  ~DirewolfEngine();
  bool ready() const { return ready_; }
  // What direwolf printed so far, for a failing test's message.
  QString output() { return QString::fromLocal8Bit(process_.readAll()); }

private:
  QTemporaryDir dir_;
  QProcess process_;
  bool ready_ = false;
};
