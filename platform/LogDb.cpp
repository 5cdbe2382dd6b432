#include "platform/LogDb.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <filesystem>

namespace {

constexpr int kBusyTimeoutMs = 8000;

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

void bindRecord(QSqlQuery &q, const ContactRecord &r) {
  for (const QString *v : {&r.calls, &r.rstr, &r.serialr, &r.rsts, &r.flddate, &r.fldtime, &r.points,
                           &r.serials, &r.uband, &r.trn, &r.countryworked, &r.prefix})
    q.addBindValue(bindable(*v));
}

bool exec(QSqlQuery &q, const QString &sql) {
  return q.exec(sql);
}

} // namespace

LogDb::LogDb(QString connectionName) : connection_(std::move(connectionName)) {}

LogDb::~LogDb() {
  close();
}

bool LogDb::fail(const QString &error) {
  lastError_ = error;
  return false;
}

bool LogDb::open(const QString &path) {
  close();
  path_ = path;
  if (!QFileInfo(path).isFile())
    return fail(QStringLiteral("The log file %1 does not exist.").arg(path));
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
      lastError_ = db.lastError().text();
      db = QSqlDatabase();
      QSqlDatabase::removeDatabase(connection_);
      return false;
    }
    QSqlQuery q(db);
    const bool ok = exec(q, QStringLiteral("PRAGMA busy_timeout=%1").arg(kBusyTimeoutMs)) &&
                    exec(q, QStringLiteral("PRAGMA journal_mode=DELETE")) &&
                    exec(q, QStringLiteral("select count(*) from tblLog")) && q.next();
    if (!ok) {
      lastError_ = q.lastError().text();
      q.finish();
      q = QSqlQuery();
      db.close();
      db = QSqlDatabase();
      QSqlDatabase::removeDatabase(connection_);
      return false;
    }
  }
  open_ = true;
  return true;
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

bool LogDb::select(const QString &sql, const std::function<bool(ContactRecord &&)> &row) {
  if (!open_)
    return fail(QStringLiteral("The log is not open."));
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.setForwardOnly(true);
  if (!q.exec(sql))
    return fail(q.lastError().text());
  while (q.next()) {
    if (!row(recordFrom(q)))
      break;
  }
  const bool ok = !q.lastError().isValid();
  if (!ok)
    lastError_ = q.lastError().text();
  return ok;
}

bool LogDb::loadAllOrdered(const std::function<bool(ContactRecord &&)> &row) {
  return select(QStringLiteral("select %1 from tblLog order by flddate, fldtime, rowid").arg(kColumns), row);
}

bool LogDb::loadInTableOrder(const std::function<bool(ContactRecord &&)> &row) {
  return select(QStringLiteral("select %1 from tblLog order by rowid").arg(kColumns), row);
}

std::optional<double> LogDb::count() {
  if (!open_) {
    fail(QStringLiteral("The log is not open."));
    return std::nullopt;
  }
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.setForwardOnly(true);
  if (!q.exec(QStringLiteral("select count(*) as fsizeold from tblLog")) || !q.next()) {
    fail(q.lastError().text());
    return std::nullopt;
  }
  return q.value(0).toDouble();
}

bool LogDb::insert(const ContactRecord &r) {
  if (!open_)
    return fail(QStringLiteral("The log is not open."));
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(QStringLiteral("insert into tblLog (%1) values (?,?,?,?,?,?,?,?,?,?,?,?)").arg(kColumns));
  bindRecord(q, r);
  if (!q.exec())
    return fail(q.lastError().text());
  return true;
}

bool LogDb::updateByCallBandTime(const QString &call, const QString &band, const QString &time,
                                 const ContactRecord &r) {
  if (!open_)
    return fail(QStringLiteral("The log is not open."));
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(QStringLiteral("update tblLog set calls = ?, rstr = ?, serialr = ?, rsts = ?, flddate = ?, "
                           "fldtime = ?, points = ?, serials = ?, uband = ?, trn = ?, countryworked = ?, "
                           "prefix = ? where calls = ? collate nocase and uband = ? collate nocase and "
                           "fldtime = ? collate nocase"));
  bindRecord(q, r);
  for (const QString *v : {&call, &band, &time})
    q.addBindValue(bindable(*v));
  if (!q.exec())
    return fail(q.lastError().text());
  // Another PC may have changed or deleted the contact since this one read the log.
  if (q.numRowsAffected() == 0)
    return fail(QStringLiteral("The contact is no longer in the log as it was listed.  Another PC may have "
                               "changed or deleted it."));
  return true;
}

std::optional<std::vector<ContactRecord>> LogDb::rowsForCall(const QString &call) {
  if (!open_) {
    fail(QStringLiteral("The log is not open."));
    return std::nullopt;
  }
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.setForwardOnly(true);
  q.prepare(QStringLiteral("select %1 from tblLog where calls = ? order by rowid").arg(kColumns));
  q.addBindValue(bindable(call));
  if (!q.exec()) {
    fail(q.lastError().text());
    return std::nullopt;
  }
  std::vector<ContactRecord> rows;
  while (q.next())
    rows.push_back(recordFrom(q));
  if (q.lastError().isValid()) {
    fail(q.lastError().text());
    return std::nullopt;
  }
  return rows;
}

bool LogDb::deleteAll() {
  if (!open_)
    return fail(QStringLiteral("The log is not open."));
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  if (!q.exec(QStringLiteral("delete from tblLog")))
    return fail(q.lastError().text());
  return true;
}

bool LogDb::deleteByCallBandTime(const QString &call, const QString &band, const QString &time) {
  if (!open_)
    return fail(QStringLiteral("The log is not open."));
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(QStringLiteral("delete from tblLog where calls = ? and uband = ? and fldtime = ?"));
  q.addBindValue(bindable(call));
  q.addBindValue(bindable(band));
  q.addBindValue(bindable(time));
  if (!q.exec())
    return fail(q.lastError().text());
  return true;
}

bool LogDb::createEmpty(const QString &path, QString *error) {
  if (QFileInfo::exists(path)) {
    if (error)
      *error = QStringLiteral("%1 already exists.").arg(path);
    return false;
  }
  const QString name = QStringLiteral("orvex-create-%1").arg(reinterpret_cast<quintptr>(&path));
  bool ok = false;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    if (db.open()) {
      QSqlQuery q(db);
      QStringList cols;
      for (const QString &c : QString::fromLatin1(kColumns).split(QStringLiteral(", ")))
        cols << QStringLiteral("%1 TEXT COLLATE NOCASE NOT NULL DEFAULT ''").arg(c);
      ok = q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) &&
           q.exec(QStringLiteral("create table tblLog (%1)").arg(cols.join(QStringLiteral(", ")))) &&
           q.exec(QStringLiteral("create index tblLog_calls on tblLog (calls)"));
      if (!ok && error)
        *error = q.lastError().text();
    } else if (error) {
      *error = db.lastError().text();
    }
    db.close();
  }
  QSqlDatabase::removeDatabase(name);
  return ok;
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
  const QString name = QStringLiteral("orvex-copy-%1").arg(reinterpret_cast<quintptr>(&work));
  QString why;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(source);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (db.open()) {
      QSqlQuery q(db);
      q.prepare(QStringLiteral("vacuum into ?"));
      q.addBindValue(copy);
      if (!q.exec())
        why = q.lastError().text();
    } else {
      why = db.lastError().text();
    }
    db.close();
  }
  QSqlDatabase::removeDatabase(name);
  if (!why.isEmpty())
    return failWith(why);
  std::error_code ec;
  std::filesystem::rename(QFile::encodeName(copy).toStdString(), QFile::encodeName(target).toStdString(), ec);
  if (ec)
    return failWith(QString::fromLocal8Bit(ec.message()));
  return true;
}
