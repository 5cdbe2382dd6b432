#pragma once
// Test devices reach the program as real ones do: through a "COM<n>" link in the ports folder.

#include "platform/SerialPorts.h"

#include <QDir>
#include <QFile>
#include <QString>

// Points "COM<port>" in the per-user ports folder at `device`, replacing a link already there;
// false when the link could not be made.
inline bool linkComPort(int port, const QString &device) {
  const QString folder = serialports::portsFolder();
  const QString link = folder + QStringLiteral("/COM%1").arg(port);
  QDir().mkpath(folder);
  QFile::remove(link);
  return QFile::link(device, link);
}
