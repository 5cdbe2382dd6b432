#include "platform/SerialPorts.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace serialports {

QString portsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Q7TLV_Software/ports";
}

QString deviceForPort(int port) {
  if (port <= 0)
    return {};
  const QString name = QStringLiteral("COM%1").arg(port);
  const QDir folder(portsFolder());
  // System files too: a dangling link is still the operator's choice for that port.
  const auto entries = folder.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
  for (const QFileInfo &entry : entries) {
    if (entry.fileName().compare(name, Qt::CaseInsensitive) != 0)
      continue;
    if (entry.isSymLink())
      return entry.symLinkTarget();
    return entry.absoluteFilePath();
  }
  return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

} // namespace serialports
