#pragma once
// A folder on a file system with no room left, made honestly. Where the test runs as root: a
// small tmpfs mounted over the folder in a mount namespace of the test thread's own (nothing
// outside the test sees it), filled to the last page. Elsewhere: the save runs in a child
// process whose files may not grow at all (RLIMIT_FSIZE 0, SIGXFSZ ignored so that the write
// fails instead of ending the process), which the system reports as a write error, as it
// reports a full disk.

#include <QString>

#include <functional>
#include <optional>

class FullDisk {
public:
  // `folder`: an empty folder of the test's own.
  explicit FullDisk(QString folder);
  ~FullDisk();
  FullDisk(const FullDisk &) = delete;
  FullDisk &operator=(const FullDisk &) = delete;

  // Runs `before` with room to spare (it writes the files already there, such as the old
  // file), then `save` with no room left in the folder, and gives what `save` returned; the
  // test's output says how the full disk was made. Nothing when no full disk can be made here,
  // or the save's process died; why() then says why. The files `before` wrote stay readable by
  // the test afterwards.
  std::optional<bool> run(const std::function<void()> &before, const std::function<bool()> &save);
  const QString &why() const { return why_; }

private:
  bool mountTmpfs();
  bool fill();
  std::optional<bool> inLimitedChild(const std::function<bool()> &save);

  QString folder_;
  bool mounted_ = false;
  QString why_;
};
