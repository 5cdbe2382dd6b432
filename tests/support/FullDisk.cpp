#include "tests/support/FullDisk.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString systemError(const char *what) {
  return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

FullDisk::FullDisk(QString folder) : folder_(std::move(folder)) {}

FullDisk::~FullDisk() {
  if (mounted_)
    ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

bool FullDisk::mountTmpfs() {
  if (::geteuid() != 0) {
    why_ = QStringLiteral("not root, so no tmpfs can be mounted");
    return false;
  }
  // A mount namespace of this thread's own, its mounts kept from the rest of the system.
  if (::unshare(CLONE_NEWNS) != 0) {
    why_ = systemError("unshare(CLONE_NEWNS)");
    return false;
  }
  if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    why_ = systemError("making the mounts private");
    return false;
  }
  if (::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
              "size=64k,mode=0700") != 0) {
    why_ = systemError("mounting a tmpfs");
    return false;
  }
  mounted_ = true;
  return true;
}

bool FullDisk::fill() {
  const QByteArray path = QFile::encodeName(folder_ + QStringLiteral("/filler"));
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    why_ = systemError("creating the filler");
    return false;
  }
  const QByteArray page(4096, 'f');
  while (::write(fd, page.constData(), static_cast<size_t>(page.size())) > 0) {
  }
  const bool full = errno == ENOSPC;
  ::close(fd);
  struct statvfs room {};
  if (!full || ::statvfs(QFile::encodeName(folder_).constData(), &room) != 0 || room.f_bavail != 0) {
    why_ = QStringLiteral("the tmpfs did not fill up");
    return false;
  }
  return true;
}

std::optional<bool> FullDisk::inLimitedChild(const std::function<bool()> &save) {
  const pid_t child = ::fork();
  if (child < 0) {
    why_ += QStringLiteral("; ") + systemError("fork");
    return std::nullopt;
  }
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 0;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
      ::_exit(3);
    ::_exit(save() ? 0 : 1);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 1))
    return WEXITSTATUS(status) == 0;
  why_ += WIFEXITED(status) ? QStringLiteral("; the limited process could not limit its files")
                            : QStringLiteral("; the limited process died of signal %1").arg(WTERMSIG(status));
  return std::nullopt;
}

std::optional<bool> FullDisk::run(const std::function<void()> &before, const std::function<bool()> &save) {
  if (mountTmpfs()) {
    before();
    if (!fill())
      return std::nullopt;
    std::cout << "The full disk: a full 64 KiB tmpfs\n";
    return save();
  }
  before();
  std::cout << "The full disk: a child process with RLIMIT_FSIZE 0 (" << why_.toStdString() << ")\n";
  return inLimitedChild(save);
}
