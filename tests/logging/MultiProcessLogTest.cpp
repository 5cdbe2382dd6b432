// Several PCs writing one shared log at once, as separate processes.
#include "platform/LogDb.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QString sharedDir(QTemporaryDir &local) {
  const QString share = qEnvironmentVariable("ORVEX_SHARED_LOG_DIR");
  return share.isEmpty() ? local.path() : share;
}

QString integrity(const QString &path) {
  QString result;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("integrity"));
    db.setDatabaseName(path);
    db.open();
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next())
      result = q.value(0).toString();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("integrity"));
  return result;
}

QStringList loggedCalls(const QString &path) {
  LogDb db(QStringLiteral("reader"));
  EXPECT_TRUE(db.open(path));
  QStringList calls;
  db.loadAllOrdered([&](const ContactRecord &r) {
    calls << r.calls;
    return true;
  });
  return calls;
}

} // namespace

TEST(SharedLogProcesses, FourWritersLogEveryContactExactlyOnce) {
  QTemporaryDir dir;
  const QString path =
      sharedDir(dir) + QStringLiteral("/multi-%1.MDB").arg(QCoreApplication::applicationPid());
  QFile::remove(path);
  ASSERT_TRUE(LogDb::createEmpty(path));
  std::vector<std::unique_ptr<QProcess>> writers;
  for (int id = 1; id <= 4; ++id) {
    auto p = std::make_unique<QProcess>();
    p->start(QStringLiteral(LOG_WRITER_PATH), {path, QString::number(id), QStringLiteral("200")});
    writers.push_back(std::move(p));
  }
  for (auto &p : writers) {
    ASSERT_TRUE(p->waitForFinished(120000));
    EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
  }
  const QStringList calls = loggedCalls(path);
  EXPECT_EQ(calls.size(), 800);
  EXPECT_EQ(QSet<QString>(calls.begin(), calls.end()).size(), 800);
  EXPECT_EQ(integrity(path), QStringLiteral("ok"));
  QFile::remove(path);
}

TEST(SharedLogProcesses, AWriterKilledMidwayLeavesTheLogIntactWithEveryCommittedContact) {
  QTemporaryDir dir;
  const QString path =
      sharedDir(dir) + QStringLiteral("/kill-%1.MDB").arg(QCoreApplication::applicationPid());
  QFile::remove(path);
  ASSERT_TRUE(LogDb::createEmpty(path));
  QProcess other;
  other.start(QStringLiteral(LOG_WRITER_PATH), {path, QStringLiteral("1"), QStringLiteral("150")});
  QProcess victim;
  victim.start(QStringLiteral(LOG_WRITER_PATH), {path, QStringLiteral("2"), QStringLiteral("100000")});
  ASSERT_TRUE(victim.waitForStarted());
  QByteArray committed;
  while (committed.count('\n') < 60 && victim.state() == QProcess::Running) {
    victim.waitForReadyRead(1000);
    committed += victim.readAllStandardOutput();
  }
  victim.kill(); // SIGKILL
  victim.waitForFinished();
  committed += victim.readAllStandardOutput();
  ASSERT_TRUE(other.waitForFinished(120000));
  EXPECT_EQ(other.exitCode(), 0);

  EXPECT_EQ(integrity(path), QStringLiteral("ok"));
  const QStringList calls = loggedCalls(path);
  const QSet<QString> present(calls.begin(), calls.end());
  for (const QByteArray &line : committed.split('\n')) {
    if (!line.isEmpty()) {
      EXPECT_TRUE(present.contains(QString::fromLatin1(line))) << line.constData();
    }
  }
  EXPECT_EQ(calls.filter(QStringLiteral("P1C")).size(), 150);
  QFile::remove(path);
}
