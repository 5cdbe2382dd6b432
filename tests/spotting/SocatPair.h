#pragma once
// A TNC's serial line for tests: a socat pseudo-terminal pair, one end linked as port COM1 in
// the per-user ports folder of the current (temporary) home, the far end open for the test.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class SocatPair {
public:
  SocatPair();
  ~SocatPair();
  bool ready() const { return far_ >= 0; }
  QString nearPath() const { return dir_.filePath(QStringLiteral("ttyTNC")); }
  // Links "COM<port>" in the ports folder to the near end.
  bool linkAsPort(int port) const;
  void write(const QByteArray &bytes);
  // What reached the far end within `ms`.
  QByteArray read(int ms = 300);

private:
  QTemporaryDir dir_;
  QProcess socat_;
  int far_ = -1;
};
