#include "tests/spotting/SocatPair.h"

#include "tests/support/PortLinks.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

SocatPair::SocatPair() {
  const QString nearEnd = nearPath(), farEnd = dir_.filePath(QStringLiteral("ttyPEER"));
  socat_.start(QStringLiteral("socat"), {QStringLiteral("-d"), QStringLiteral("-d"),
                                         "pty,raw,echo=0,link=" + nearEnd, "pty,raw,echo=0,link=" + farEnd});
  if (!socat_.waitForStarted(5000))
    return;
  for (int attempt = 0; attempt < 200 && !(QFile::exists(nearEnd) && QFile::exists(farEnd)); ++attempt)
    QThread::msleep(10);
  far_ = ::open(QFile::encodeName(farEnd).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
}

SocatPair::~SocatPair() {
  if (far_ >= 0)
    ::close(far_);
  socat_.terminate();
  if (!socat_.waitForFinished(3000))
    socat_.kill();
  socat_.waitForFinished(3000);
}

bool SocatPair::linkAsPort(int port) const {
  return linkComPort(port, nearPath());
}

void SocatPair::write(const QByteArray &bytes) {
  for (qsizetype done = 0; done < bytes.size();) {
    const auto n = ::write(far_, bytes.constData() + done, size_t(bytes.size() - done));
    if (n > 0) {
      done += n;
    } else {
      // A full line: the port reads from the event loop.
      QCoreApplication::processEvents();
      QThread::msleep(1);
    }
  }
}

QByteArray SocatPair::read(int ms) {
  // The port writes from the event loop: let it run while waiting.
  QByteArray got;
  QDeadlineTimer deadline(ms);
  while (!deadline.hasExpired()) {
    QCoreApplication::processEvents();
    pollfd wait{far_, POLLIN, 0};
    if (::poll(&wait, 1, 5) <= 0)
      continue;
    char chunk[4096];
    const auto n = ::read(far_, chunk, sizeof chunk);
    if (n <= 0)
      break;
    got.append(chunk, n);
    deadline.setRemainingTime(50);
  }
  return got;
}
