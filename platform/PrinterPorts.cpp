#include "platform/PrinterPorts.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

QString parportDevice(int baseAddress, const QString &procFolder) {
  const QDir folder(procFolder);
  static const QRegularExpression portName(QStringLiteral(R"(^parport(\d+)$)"));
  for (const QString &name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
    const auto m = portName.match(name);
    if (!m.hasMatch())
      continue;
    QFile file(folder.filePath(name + "/base-addr"));
    if (!file.open(QIODevice::ReadOnly))
      continue;
    const QString first = QString::fromLatin1(file.readAll()).simplified().section(u' ', 0, 0);
    bool ok = false;
    if (first.toInt(&ok) == baseAddress && ok)
      return QStringLiteral("/dev/parport") + m.captured(1);
  }
  switch (baseAddress) {
  case 0x378:
    return QStringLiteral("/dev/parport0");
  case 0x278:
    return QStringLiteral("/dev/parport1");
  case 0x3BC:
    return QStringLiteral("/dev/parport2");
  default:
    return {};
  }
}

PpdevPrinterPorts::PpdevPrinterPorts(QString procFolder) : procFolder_(std::move(procFolder)) {}

PpdevPrinterPorts::~PpdevPrinterPorts() {
  closeAll();
}

namespace {
bool writeByte(int fd, int value) {
  unsigned char byte = static_cast<unsigned char>(value);
  return ioctl(fd, PPWCONTROL, &byte) == 0;
}
} // namespace

bool PpdevPrinterPorts::writeControl(int address, int value, Failure *failure) {
  const QString device = parportDevice(address - 2, procFolder_);
  const auto fail = [&](const QString &description) {
    if (failure)
      *failure = {device.isEmpty() ? QStringLiteral("no parallel port device") : device, description};
    return false;
  };
  if (device.isEmpty())
    return fail(QStringLiteral("no parallel port has this address"));
  Device &d = devices_[device];
  if (d.fd < 0) {
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
      return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (ioctl(fd, PPCLAIM) != 0) {
      const int claimError = errno;
      ::close(fd);
      return fail(QString::fromLocal8Bit(std::strerror(claimError)));
    }
    d.fd = fd;
  }
  if (!writeByte(d.fd, value))
    return fail(QString::fromLocal8Bit(std::strerror(errno)));
  d.last = value;
  return true;
}

void PpdevPrinterPorts::closeAll() {
  for (auto &[device, d] : devices_) {
    if (d.fd < 0)
      continue;
    if (d.last == 3)
      writeByte(d.fd, 2);
    ioctl(d.fd, PPRELEASE);
    ::close(d.fd);
  }
  devices_.clear();
}
