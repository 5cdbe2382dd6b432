#pragma once
// The shared log: table tblLog in an SQLite file that every PC of the station opens over the
// LAN. Every value is bound as a parameter, every query is finished before the next statement
// (an unfinished one makes other PCs' writes fail), and the journal stays in DELETE mode
// because WAL does not work on a network share.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QSqlQuery;

// One contact: the twelve columns of tblLog in table order, all text.
struct ContactRecord {
  QString calls, rstr, serialr, rsts, flddate, fldtime, points, serials, uband, trn, countryworked, prefix;
  bool operator==(const ContactRecord &) const = default;
};

class LogDb {
public:
  explicit LogDb(QString connectionName);
  virtual ~LogDb();
  LogDb(const LogDb &) = delete;
  LogDb &operator=(const LogDb &) = delete;

  // Fails on a missing file (it is never created here) and on any file that is not a log:
  // the first statement runs at once so that such a file is found now, not at the first query.
  virtual bool open(const QString &path);
  virtual bool isOpen() const;
  virtual void close();
  QString lastError() const { return lastError_; }
  // The last failure was another PC holding the file locked beyond the wait allowed.
  bool lastFailureBusy() const { return lastFailureBusy_; }
  // How long each statement waits for another PC's lock; the default is kLockWaitMs.
  static constexpr int kLockWaitMs = 8000;
  void setLockWaitMs(int ms);
  // A number that changes whenever another connection has committed a change to the file.
  virtual std::optional<qint64> dataVersion();
  QString path() const { return path_; }

  // Every row ordered by date and time (row id last, so equal times keep one order). The
  // callback is called per row; a false return from it stops the read. The rows are read on a
  // connection of the read's own and the file is let go before the first callback.
  bool loadAllOrdered(const std::function<bool(ContactRecord &&)> &row);
  // That read as a self-contained piece of work, which may run on another thread: it holds the
  // path, nothing of this object. It answers false with the failure's text in `error`.
  using RowReader = std::function<bool(const std::function<bool(ContactRecord &&)> &row, QString &error)>;
  virtual RowReader orderedReader();
  // Every row in the order the table holds them, as another log is read for appending.
  virtual bool loadInTableOrder(const std::function<bool(ContactRecord &&)> &row);
  virtual std::optional<double> count();
  virtual bool insert(const ContactRecord &record);
  // Rows whose call equals `call` without regard to case, in table order.
  virtual std::optional<std::vector<ContactRecord>> rowsForCall(const QString &call);
  virtual bool deleteAll();
  virtual bool deleteByCallBandTime(const QString &call, const QString &band, const QString &time);
  // Rewrites every row whose call, band and time equal the old ones (without regard to case)
  // with the twelve values of `record`; false when no row matches.
  virtual bool updateByCallBandTime(const QString &call, const QString &band, const QString &time,
                                    const ContactRecord &record);

  // Writes a new empty log with tblLog; refuses to replace an existing file.
  static bool createEmpty(const QString &path, QString *error = nullptr);
  // Writes a consistent copy of the log at `source` to `target` (SQLite's VACUUM INTO, which
  // reads one snapshot even while other PCs write). The copy is made under a new name in the
  // target's folder and renamed over `target` only when complete.
  static bool copyLog(const QString &source, const QString &target, QString *error = nullptr);

protected:
  bool fail(const QString &error);
  // The statement run on the open log with `values` bound in order; none, with the error kept,
  // when the log is not open or the statement fails.
  std::optional<QSqlQuery> run(const QString &sql, const QStringList &values = {});
  // Each row of a query of the twelve columns to `row`, until it answers false.
  bool select(const QString &sql, const QStringList &values,
              const std::function<bool(ContactRecord &&)> &row);
  QString connection_;
  QString path_;
  QString lastError_;
  bool open_ = false;
  bool lastFailureBusy_ = false;
};

// Holds the lock wait of `db` at `ms` while it lives.
class LockWait {
public:
  LockWait(LogDb &db, int ms) : db_(db) { db_.setLockWaitMs(ms); }
  ~LockWait() { db_.setLockWaitMs(LogDb::kLockWaitMs); }
  LockWait(const LockWait &) = delete;
  LockWait &operator=(const LockWait &) = delete;

private:
  LogDb &db_;
};
