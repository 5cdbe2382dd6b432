#include "platform/LogDb.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <sqlite3.h>

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

constexpr int kBusyTimeoutMs = LogDb::kLockWaitMs;

const char *const kColumns =
    "calls, rstr, serialr, rsts, flddate, fldtime, points, serials, uband, trn, countryworked, prefix";

QString text(const QVariant &v) {
  return v.isNull() ? QStringLiteral("") : v.toString();
}

// A null QString would bind as SQL NULL, which the table refuses.
QString bindable(const QString &s) {
  return s.isNull() ? QStringLiteral("") : s;
}

ContactRecord recordFrom(const QSqlQuery &q) {
  return {text(q.value(0)), text(q.value(1)), text(q.value(2)),  text(q.value(3)),
          text(q.value(4)), text(q.value(5)), text(q.value(6)),  text(q.value(7)),
          text(q.value(8)), text(q.value(9)), text(q.value(10)), text(q.value(11))};
}

QStringList columnValues(const ContactRecord &r) {
  return {r.calls,  r.rstr,    r.serialr, r.rsts, r.flddate,       r.fldtime,
          r.points, r.serials, r.uband,   r.trn,  r.countryworked, r.prefix};
}

// Runs `work` on a connection of its own to the file at `path`, removed afterwards. The text of
// the failure, nothing when the file opened and `work` succeeded.
std::optional<QString> onOwnConnection(const QString &path, const QString &options,
                                       const std::function<bool(QSqlQuery &)> &work) {
  std::optional<QString> failure;
  const QString name = QStringLiteral("orvex-own-%1").arg(reinterpret_cast<quintptr>(&failure));
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(options);
    if (!db.open()) {
      failure = db.lastError().text();
    } else {
      QSqlQuery q(db);
      if (!work(q))
        failure = q.lastError().text();
    }
    db.close();
  }
  QSqlDatabase::removeDatabase(name);
  return failure;
}

} // namespace

LogDb::LogDb(QString connectionName) : connection_(std::move(connectionName)) {}

LogDb::~LogDb() {
  close();
}

bool LogDb::fail(const QString &error) {
  lastError_ = error;
  lastFailureBusy_ = false;
  return false;
}

namespace {

bool isBusy(const QSqlError &e) {
  const int code = e.nativeErrorCode().toInt();
  return (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED;
}

// Every row of the ordered read with SQLite's own interface: the rows are all read, and the
// file let go, before the first of them is handed on.
bool readOrdered(const QString &path, const std::function<bool(ContactRecord &&)> &row, QString &error) {
  sqlite3 *db = nullptr;
  std::vector<ContactRecord> rows;
  int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc == SQLITE_OK)
    rc = sqlite3_busy_timeout(db, kBusyTimeoutMs);
  sqlite3_stmt *q = nullptr;
  if (rc == SQLITE_OK)
    rc = sqlite3_prepare_v2(db,
                            "select calls, rstr, serialr, rsts, flddate, fldtime, points, serials, uband, "
                            "trn, countryworked, prefix from tblLog order by flddate, fldtime, rowid",
                            -1, &q, nullptr);
  if (rc == SQLITE_OK) {
    // Dates, bands, reports, points and countries repeat from row to row: a value met
    // lately shares that one's text instead of making its own. Calls, serials and times seldom
    // repeat and are not looked for.
    struct Seen {
      std::string bytes;
      QString text;
    };
    constexpr size_t kSeen = 16;
    constexpr std::array<bool, 12> kRepeats = {false, true,  false, true, true, false,
                                               true,  false, true,  true, true, true};
    std::array<std::array<Seen, kSeen>, 12> seen;
    const auto column = [&](int c) {
      const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(q, c));
      if (!text)
        return QStringLiteral("");
      const int size = sqlite3_column_bytes(q, c);
      if (!kRepeats[static_cast<size_t>(c)])
        return QString::fromUtf8(text, size);
      const std::string_view bytes(text, static_cast<size_t>(size));
      Seen &s = seen[static_cast<size_t>(c)][std::hash<std::string_view>{}(bytes) % kSeen];
      if (bytes != s.bytes || s.text.isNull()) {
        s.bytes = bytes;
        s.text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
      }
      return s.text;
    };
    while ((rc = sqlite3_step(q)) == SQLITE_ROW)
      rows.push_back({column(0), column(1), column(2), column(3), column(4), column(5), column(6), column(7),
                      column(8), column(9), column(10), column(11)});
    if (rc == SQLITE_DONE)
      rc = SQLITE_OK;
  }
  if (rc != SQLITE_OK)
    error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
  sqlite3_finalize(q);
  sqlite3_close(db);
  for (ContactRecord &r : rows)
    if (!row(std::move(r)))
      break;
  return rc == SQLITE_OK;
}

} // namespace

void LogDb::setLockWaitMs(int ms) {
  if (!open_)
    return;
  // Straight on the connection's handle: a PRAGMA would be a statement to prepare each time,
  // and this runs twice around every statement of logging a contact.
  const QVariant handle = QSqlDatabase::database(connection_, false).driver()->handle();
  if (qstrcmp(handle.typeName(), "sqlite3*") == 0)
    if (sqlite3 *db = *static_cast<sqlite3 *const *>(handle.constData()))
      sqlite3_busy_timeout(db, ms);
}

std::optional<qint64> LogDb::dataVersion() {
  auto q = run(QStringLiteral("PRAGMA data_version"));
  if (!q || !q->next())
    return std::nullopt;
  return q->value(0).toLongLong();
}

bool LogDb::open(const QString &path) {
  close();
  path_ = path;
  if (!QFileInfo(path).isFile())
    return fail(QStringLiteral("The log file %1 does not exist.").arg(path));
  bool ok = false;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
      lastError_ = db.lastError().text();
    } else {
      QSqlQuery q(db);
      ok = q.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(kBusyTimeoutMs)) &&
           q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) &&
           q.exec(QStringLiteral("select count(*) from tblLog")) && q.next();
      if (!ok)
        lastError_ = q.lastError().text();
    }
    if (!ok)
      db.close();
  }
  if (!ok)
    QSqlDatabase::removeDatabase(connection_);
  open_ = ok;
  return ok;
}

bool LogDb::isOpen() const {
  return open_;
}

void LogDb::close() {
  if (!QSqlDatabase::contains(connection_))
    return;
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
  open_ = false;
}

std::optional<QSqlQuery> LogDb::run(const QString &sql, const QStringList &values) {
  if (!open_) {
    fail(QStringLiteral("The log is not open."));
    return std::nullopt;
  }
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.setForwardOnly(true);
  const bool prepared = q.prepare(sql);
  for (const QString &v : values)
    q.addBindValue(bindable(v));
  if (!prepared || !q.exec()) {
    fail(q.lastError().text());
    lastFailureBusy_ = isBusy(q.lastError());
    return std::nullopt;
  }
  return q;
}

bool LogDb::select(const QString &sql, const QStringList &values,
                   const std::function<bool(ContactRecord &&)> &row) {
  auto q = run(sql, values);
  if (!q)
    return false;
  while (q->next()) {
    if (!row(recordFrom(*q)))
      break;
  }
  return !q->lastError().isValid() || fail(q->lastError().text());
}

LogDb::RowReader LogDb::orderedReader() {
  if (!open_)
    return [](const std::function<bool(ContactRecord &&)> &, QString &error) {
      error = QStringLiteral("The log is not open.");
      return false;
    };
  return [path = path_](const std::function<bool(ContactRecord &&)> &row, QString &error) {
    return readOrdered(path, row, error);
  };
}

bool LogDb::loadAllOrdered(const std::function<bool(ContactRecord &&)> &row) {
  QString error;
  return orderedReader()(row, error) || fail(error);
}

bool LogDb::loadInTableOrder(const std::function<bool(ContactRecord &&)> &row) {
  return select(QStringLiteral("select %1 from tblLog order by rowid").arg(kColumns), {}, row);
}

std::optional<double> LogDb::count() {
  auto q = run(QStringLiteral("select count(*) as fsizeold from tblLog"));
  if (!q)
    return std::nullopt;
  if (!q->next()) {
    fail(q->lastError().text());
    return std::nullopt;
  }
  return q->value(0).toDouble();
}

bool LogDb::insert(const ContactRecord &r) {
  return run(QStringLiteral("insert into tblLog (%1) values (?,?,?,?,?,?,?,?,?,?,?,?)").arg(kColumns),
             columnValues(r))
      .has_value();
}

bool LogDb::updateByCallBandTime(const QString &call, const QString &band, const QString &time,
                                 const ContactRecord &r) {
  const auto q =
      run(QStringLiteral("update tblLog set calls = ?, rstr = ?, serialr = ?, rsts = ?, flddate = ?, "
                         "fldtime = ?, points = ?, serials = ?, uband = ?, trn = ?, countryworked = ?, "
                         "prefix = ? where calls = ? collate nocase and uband = ? collate nocase and "
                         "fldtime = ? collate nocase"),
          columnValues(r) << call << band << time);
  if (!q)
    return false;
  // Another PC may have changed or deleted the contact since this one read the log.
  if (q->numRowsAffected() == 0)
    return fail(QStringLiteral("The contact is no longer in the log as it was listed.  Another PC may have "
                               "changed or deleted it."));
  return true;
}

std::optional<std::vector<ContactRecord>> LogDb::rowsForCall(const QString &call) {
  std::vector<ContactRecord> rows;
  if (!select(QStringLiteral("select %1 from tblLog where calls = ? order by rowid").arg(kColumns), {call},
              [&rows](ContactRecord &&r) {
                rows.push_back(std::move(r));
                return true;
              }))
    return std::nullopt;
  return rows;
}

bool LogDb::deleteAll() {
  return run(QStringLiteral("delete from tblLog")).has_value();
}

bool LogDb::deleteByCallBandTime(const QString &call, const QString &band, const QString &time) {
  return run(QStringLiteral("delete from tblLog where calls = ? and uband = ? and fldtime = ?"),
             {call, band, time})
      .has_value();
}

bool LogDb::createEmpty(const QString &path, QString *error) {
  if (QFileInfo::exists(path)) {
    if (error)
      *error = QStringLiteral("%1 already exists.").arg(path);
    return false;
  }
  const auto failure = onOwnConnection(path, QString(), [](QSqlQuery &q) {
    QStringList cols;
    for (const QString &c : QString::fromLatin1(kColumns).split(QStringLiteral(", ")))
      cols << QStringLiteral("%1 TEXT COLLATE NOCASE NOT NULL DEFAULT ''").arg(c);
    return q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) &&
           q.exec(QStringLiteral("create table tblLog (%1)").arg(cols.join(QStringLiteral(", ")))) &&
           q.exec(QStringLiteral("create index tblLog_calls on tblLog (calls)"));
  });
  if (failure && error)
    *error = *failure;
  return !failure;
}

bool LogDb::copyLog(const QString &source, const QString &target, QString *error) {
  const auto failWith = [error](const QString &why) {
    if (error)
      *error = why;
    return false;
  };
  if (!QFileInfo(source).isFile())
    return failWith(QStringLiteral("The log file %1 does not exist.").arg(source));
  // VACUUM INTO refuses an existing file, so the copy goes to a new folder beside the target.
  QTemporaryDir work(QFileInfo(target).absolutePath() + QStringLiteral("/.archive-XXXXXX"));
  if (!work.isValid())
    return failWith(work.errorString());
  const QString copy = work.filePath(QStringLiteral("copy.mdb"));
  const auto failure = onOwnConnection(
      source, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs),
      [&copy](QSqlQuery &q) {
        q.prepare(QStringLiteral("vacuum into ?"));
        q.addBindValue(copy);
        return q.exec();
      });
  if (failure)
    return failWith(*failure);
  std::error_code ec;
  std::filesystem::rename(QFile::encodeName(copy).toStdString(), QFile::encodeName(target).toStdString(), ec);
  if (ec)
    return failWith(QString::fromLocal8Bit(ec.message()));
  return true;
}
