#include "tests/spotting/DirewolfEngine.h"

#include <QFile>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString &unavailable() {
  static QString reason = QStringLiteral("no private network namespace was entered");
  return reason;
}

bool loopbackUp() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0)
    return false;
  ifreq request{};
  std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
  bool up = ::ioctl(fd, SIOCGIFFLAGS, &request) == 0;
  request.ifr_flags = short(request.ifr_flags | IFF_UP);
  up = up && ::ioctl(fd, SIOCSIFFLAGS, &request) == 0;
  ::close(fd);
  return up;
}

} // namespace

void enterPrivateNetwork() {
  // Without the privilege for a network namespace, a user namespace may still grant it.
  if (::unshare(CLONE_NEWNET) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) {
    unavailable() =
        QStringLiteral("unshare of the network namespace is not permitted: ") + std::strerror(errno);
    return;
  }
  if (!loopbackUp()) {
    unavailable() = QStringLiteral("loopback could not be brought up: ") + std::strerror(errno);
    return;
  }
  unavailable() = QStandardPaths::findExecutable(QStringLiteral("direwolf")).isEmpty()
                      ? QStringLiteral("direwolf is not installed")
                      : QString();
}

QString direwolfUnavailable() {
  return unavailable();
}

DirewolfEngine::DirewolfEngine() {
  const QString conf = dir_.filePath(QStringLiteral("direwolf.conf"));
  QFile file(conf);
  if (!file.open(QIODevice::WriteOnly))
    return;
  file.write("ADEVICE UDP:7355 null\nARATE 44100\nCHANNEL 0\nMYCALL Q7AAA\nMODEM 1200\n"
             "AGWPORT 8000\nKISSPORT 0\nFRACK 1\nRETRY 2\n");
  file.close();
  process_.setProcessChannelMode(QProcess::MergedChannels);
  process_.setWorkingDirectory(dir_.path());
  process_.start(QStringLiteral("direwolf"),
                 {QStringLiteral("-c"), conf, QStringLiteral("-t"), QStringLiteral("0")});
  if (!process_.waitForStarted(5000))
    return;
  for (int attempt = 0; attempt < 100 && !ready_; ++attempt) {
    QTcpSocket probe;
    probe.connectToHost(QHostAddress(QHostAddress::LocalHost), 8000);
    ready_ = probe.waitForConnected(100);
    if (!ready_)
      QThread::msleep(50);
  }
}

DirewolfEngine::~DirewolfEngine() {
  process_.terminate();
  if (!process_.waitForFinished(3000))
    process_.kill();
  process_.waitForFinished(3000);
}
