#include "platform/LogDb.h"
#include "platform/VbText.h"
#include "tests/support/TestContext.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
ContactRecord contact(const QString &call, const QString &band,
                      const QString &date = QStringLiteral("2024/03/30"),
                      const QString &time = QStringLiteral("14:05:09")) {
  return {call,
          QStringLiteral("599"),
          QStringLiteral("12"),
          QStringLiteral("599"),
          date,
          time,
          QStringLiteral("2"),
          QStringLiteral("001"),
          band,
          QStringLiteral("1"),
          QStringLiteral("United States"),
          QStringLiteral("K1")};
}

struct LogDbTest : ::testing::Test {
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("OrvexLog.MDB"));
  LogDb db{QStringLiteral("logdb-test")};
  void SetUp() override {
    ASSERT_TRUE(LogDb::createEmpty(path));
    ASSERT_TRUE(db.open(path)) << db.lastError().toStdString();
  }
  std::vector<ContactRecord> all() {
    std::vector<ContactRecord> rows;
    EXPECT_TRUE(db.loadAllOrdered([&](const ContactRecord &r) {
      rows.push_back(r);
      return true;
    }));
    return rows;
  }
};
} // namespace

TEST(LogDbOpen, RefusesMissingFilesAndFilesThatAreNoLog) {
  QTemporaryDir dir;
  LogDb db(QStringLiteral("open-test"));
  const QString missing = dir.filePath(QStringLiteral("OrvexLog.MDB"));
  EXPECT_FALSE(db.open(missing));
  EXPECT_FALSE(QFile::exists(missing)) << "opening must never create a log";

  ASSERT_TRUE(vb::writeLatin1Atomic(missing, QStringLiteral("Standard Jet DB, not a log\r\n")));
  EXPECT_FALSE(db.open(missing));
  EXPECT_FALSE(db.isOpen());

  QFile::remove(missing);
  EXPECT_FALSE(LogDb::createEmpty(dir.path())) << "never replaces what is there";
  EXPECT_FALSE(db.count().has_value());
  EXPECT_FALSE(db.insert(contact(QStringLiteral("K1ABC"), QStringLiteral("20"))));
}

TEST_F(LogDbTest, QuotesAndApostrophesAreStoredAndReadBackUnchanged) {
  ContactRecord r = contact(QStringLiteral("K1ABC"), QStringLiteral("20"));
  r.countryworked = QStringLiteral("Cote d'Ivoire");
  r.prefix = QStringLiteral("x'); delete from tblLog; --");
  r.serialr = QStringLiteral("\"12\"");
  ASSERT_TRUE(db.insert(r));
  const auto rows = all();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], r);
}

TEST_F(LogDbTest, CallLookupIgnoresCaseAndCountsFollowInsertsAndDeletes) {
  ASSERT_TRUE(db.insert(contact(QStringLiteral("K1ABC"), QStringLiteral("20"))));
  ASSERT_TRUE(db.insert(contact(QStringLiteral("K1ABC"), QStringLiteral("15"))));
  ASSERT_TRUE(db.insert(contact(QStringLiteral("W9XYZ"), QStringLiteral("20"))));
  const auto rows = db.rowsForCall(QStringLiteral("k1abc"));
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 2u);
  EXPECT_EQ((*rows)[0].uband, QStringLiteral("20"));
  EXPECT_EQ(db.count(), 3.0);

  // Two rows sharing call, band and time both go.
  ASSERT_TRUE(db.insert(contact(QStringLiteral("K1ABC"), QStringLiteral("20"))));
  ASSERT_TRUE(
      db.deleteByCallBandTime(QStringLiteral("K1ABC"), QStringLiteral("20"), QStringLiteral("14:05:09")));
  EXPECT_EQ(db.count(), 2.0);
  ASSERT_TRUE(db.deleteAll());
  EXPECT_EQ(db.count(), 0.0);
}

TEST_F(LogDbTest, LoadIsOrderedByDateTimeThenByEntry) {
  ASSERT_TRUE(db.insert(contact(QStringLiteral("B"), QStringLiteral("20"), QStringLiteral("2024/03/31"),
                                QStringLiteral("00:00:01"))));
  ASSERT_TRUE(db.insert(contact(QStringLiteral("C"), QStringLiteral("20"), QStringLiteral("2024/03/30"),
                                QStringLiteral("23:59:59"))));
  ASSERT_TRUE(db.insert(contact(QStringLiteral("D"), QStringLiteral("20"), QStringLiteral("2024/03/30"),
                                QStringLiteral("23:59:59"))));
  ASSERT_TRUE(db.insert(contact(QStringLiteral("A"), QStringLiteral("20"), QStringLiteral("2024/03/30"),
                                QStringLiteral("12:00:00"))));
  QStringList calls;
  for (const auto &r : all())
    calls << r.calls;
  EXPECT_EQ(calls, QStringList({"A", "C", "D", "B"}));
}

TEST_F(LogDbTest, NullsFromForeignRowsReadAsEmptyText) {
  // A row written by another tool may hold NULLs; it must still load.
  db.close();
  {
    QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
    raw.setDatabaseName(path);
    ASSERT_TRUE(raw.open());
    QSqlQuery q(raw);
    ASSERT_TRUE(q.exec(QStringLiteral("create table t2 as select * from tblLog")));
    ASSERT_TRUE(q.exec(QStringLiteral("drop table tblLog")));
    ASSERT_TRUE(q.exec(QStringLiteral("create table tblLog (calls, rstr, serialr, rsts, flddate, fldtime, "
                                      "points, serials, uband, trn, countryworked, prefix)")));
    ASSERT_TRUE(q.exec(QStringLiteral("insert into tblLog (calls, points) values ('K1ABC', NULL)")));
    raw.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("raw"));
  ASSERT_TRUE(db.open(path));
  const auto rows = all();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].calls, QStringLiteral("K1ABC"));
  EXPECT_EQ(rows[0].points, QString(""));
}

TEST_F(LogDbTest, UpdateRewritesEveryRowOfTheOldCallBandAndTimeWhateverTheirCase) {
  ASSERT_TRUE(db.insert(contact(QStringLiteral("K1ABC"), QStringLiteral("20"))));
  ASSERT_TRUE(db.insert(contact(QStringLiteral("k1abc"), QStringLiteral("20"))));
  ASSERT_TRUE(db.insert(contact(QStringLiteral("K1ABC"), QStringLiteral("15"))));
  ASSERT_TRUE(db.insert(contact(QStringLiteral("K1ABC"), QStringLiteral("20"), QStringLiteral("2024/03/30"),
                                QStringLiteral("15:00:00"))));
  ContactRecord edited = contact(QStringLiteral("O'K1\"X"), QStringLiteral("40"), QStringLiteral("2024/3/31"),
                                 QStringLiteral("1:02"));
  edited.countryworked = QStringLiteral("x' where 1=1; --");
  ASSERT_TRUE(db.updateByCallBandTime(QStringLiteral("K1ABC"), QStringLiteral("20"),
                                      QStringLiteral("14:05:09"), edited));
  std::vector<ContactRecord> rows;
  ASSERT_TRUE(db.loadInTableOrder([&rows](const ContactRecord &r) {
    rows.push_back(r);
    return true;
  }));
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], edited);
  EXPECT_EQ(rows[1], edited) << "the old call matches without regard to case";
  EXPECT_EQ(rows[2].uband, QStringLiteral("15"));
  EXPECT_EQ(rows[3].fldtime, QStringLiteral("15:00:00"));

  // A contact no longer there is not an update done.
  EXPECT_FALSE(db.updateByCallBandTime(QStringLiteral("K1ABC"), QStringLiteral("20"),
                                       QStringLiteral("14:05:09"), edited));
  EXPECT_FALSE(db.lastError().isEmpty());

  db.close();
  EXPECT_FALSE(db.updateByCallBandTime(QStringLiteral("K1ABC"), QStringLiteral("15"),
                                       QStringLiteral("14:05:09"), edited));
  EXPECT_FALSE(db.lastError().isEmpty());
}

TEST_F(LogDbTest, CopyIsAConsistentLogAndReplacesAnOlderCopyOnlyWhenDone) {
  for (int n = 0; n < 50; ++n)
    ASSERT_TRUE(db.insert(contact(QStringLiteral("K%1ABC").arg(n), QStringLiteral("20"))));
  const QString target = dir.filePath(QStringLiteral("K1ABC2024-05-25.mdb"));
  ASSERT_TRUE(vb::writeLatin1Atomic(target, QStringLiteral("an older archive")));

  QString error;
  ASSERT_TRUE(LogDb::copyLog(path, target, &error)) << error.toStdString();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2)
      << "nothing is left beside the copy";
  LogDb copy(QStringLiteral("logdb-copy"));
  ASSERT_TRUE(copy.open(target)) << copy.lastError().toStdString();
  EXPECT_EQ(copy.count(), 50.0);
  EXPECT_EQ(copy.rowsForCall(QStringLiteral("k7abc"))->size(), 1u) << "the copy keeps the case-free calls";
  copy.close();
  EXPECT_EQ(pragmaValue(target, QStringLiteral("integrity_check")), QStringLiteral("ok"));
  EXPECT_EQ(pragmaValue(target, QStringLiteral("journal_mode")), QStringLiteral("delete"));

  EXPECT_FALSE(LogDb::copyLog(dir.filePath(QStringLiteral("missing.mdb")), target, &error));
  EXPECT_FALSE(LogDb::copyLog(path, dir.filePath(QStringLiteral("no folder/x.mdb")), &error));
  EXPECT_FALSE(error.isEmpty());
  ASSERT_TRUE(copy.open(target)) << "a failed copy leaves the older one alone";
}
