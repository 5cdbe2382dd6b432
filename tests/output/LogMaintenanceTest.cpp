// The rules behind the contact editor and the append: band and duplicate checks, the backup
// reader's field order and its stop at a malformed line, and the duplicate-free append.
#include "output/LogMaintenance.h"
#include "logging/LogRules.h"
#include "tests/output/SampleContact.h"
#include "tests/support/TestContext.h"

#include <gtest/gtest.h>

namespace {

LogEntry entry(const QString &call, const QString &band) {
  LogEntry e;
  e.calls = call;
  e.uband = band;
  return e;
}

} // namespace

TEST(EditRules, OnlyTheContestBandsAreValid) {
  for (const char *band : {"10", "15", "20", "40", "80", "160"})
    EXPECT_TRUE(isContestBand(QString::fromLatin1(band))) << band;
  for (const char *band : {"2", "6", " 20", "20 ", "160m", ""})
    EXPECT_FALSE(isContestBand(QString::fromLatin1(band))) << band;
}

TEST(EditRules, DuplicatesAreExactMatchesOfOtherContacts) {
  LogArrays log;
  log.append(entry(QStringLiteral("K1ABC"), QStringLiteral("20")));
  log.append(entry(QStringLiteral("K1ABC"), QStringLiteral("20")));
  log.append(entry(QStringLiteral("K1ABC"), QStringLiteral("15")));
  log.append(entry(QStringLiteral("K1ABC"), QStringLiteral("20")));
  EXPECT_EQ(countDuplicates(log, 3, QStringLiteral("K1ABC"), QStringLiteral("15")), 0) << "not its own dupe";
  EXPECT_EQ(countDuplicates(log, 1, QStringLiteral("K1ABC"), QStringLiteral("20")), 2);
  EXPECT_EQ(countDuplicates(log, 3, QStringLiteral("K1ABC"), QStringLiteral("20")), 3);
  EXPECT_EQ(countDuplicates(log, 3, QStringLiteral("k1abc"), QStringLiteral("20")), 0) << "case counts";
  EXPECT_EQ(countDuplicates(log, 3, QStringLiteral("K1ABC "), QStringLiteral("20")), 0) << "blanks count";
}

TEST(AppendRules, AnMdbEndingInAnyCaseIsALogDatabase) {
  EXPECT_TRUE(isLogDatabasePath(QStringLiteral("/x/K1ABC2024-05-25.mdb")));
  EXPECT_TRUE(isLogDatabasePath(QStringLiteral("OrvexLog.MDB  ")));
  EXPECT_TRUE(isLogDatabasePath(QStringLiteral("log.Mdb")));
  EXPECT_FALSE(isLogDatabasePath(QStringLiteral("BckUpLog.Dat")));
  EXPECT_FALSE(isLogDatabasePath(QStringLiteral("mdb.txt")));
}

TEST(AppendRules, BackupLinesComeBackInTableOrderAsTheBackupWroteThem) {
  LogEntry e = entryFromRecord(sampleContact(QStringLiteral("DL1XYZ"), QStringLiteral("20")));
  e.countryworked = QStringLiteral("Cote d'Ivoire, Rep.");
  const BackupContents read =
      readBackup(backupLine(e) + backupLine(entry(QStringLiteral("W9XYZ"), QString())));
  ASSERT_TRUE(read.complete);
  ASSERT_EQ(read.records.size(), 2u);
  ContactRecord expected = sampleContact(QStringLiteral("DL1XYZ"), QStringLiteral("20"));
  expected.countryworked = e.countryworked;
  EXPECT_EQ(read.records[0], expected);
  EXPECT_EQ(read.records[1].calls, QStringLiteral("W9XYZ"));
  EXPECT_EQ(read.records[1].points, QStringLiteral("0"));

  const BackupContents derived =
      readBackup(QStringLiteral("\"DL1XYZ\",\"599\",\"123\",\"599\",\"Germany\",\"2024/05/"
                                "25\",\"12:34:56\",\"20\",3,\"DL1\",\"001\",\"1\"\r\n"));
  ASSERT_EQ(derived.records.size(), 1u);
  const ContactRecord &r = derived.records[0];
  EXPECT_EQ(QStringList({r.calls, r.rstr, r.serialr, r.rsts, r.flddate, r.fldtime, r.points, r.serials,
                         r.uband, r.trn, r.countryworked, r.prefix}),
            QStringList({"DL1XYZ", "599", "123", "599", "2024/05/25", "12:34:56", "3", "001", "20", "1",
                         "Germany", "DL1"}));
}

TEST(AppendRules, ReadingStopsAtTheFirstLineThatIsNoContact) {
  const QString good = backupLine(entry(QStringLiteral("K1ABC"), QStringLiteral("20")));
  const QString shortLine = QStringLiteral("\"W9XYZ\",\"599\",\"1\"\r\n");
  const BackupContents a = readBackup(good + good + shortLine + good);
  EXPECT_FALSE(a.complete);
  EXPECT_EQ(a.records.size(), 2u) << "the contacts before the bad line are kept";

  QString wordPoints = good;
  wordPoints.replace(QStringLiteral(",0,"), QStringLiteral(",\"six\","));
  EXPECT_FALSE(readBackup(wordPoints).complete);
  EXPECT_FALSE(readBackup(QStringLiteral("START-OF-LOG: 3.0\r\nCONTEST: CQ-WPX-SSB\r\n")).complete)
      << "another kind of text file";
  EXPECT_FALSE(readBackup(good.chopped(2) + QStringLiteral(",\"extra\"\r\n")).complete);

  const BackupContents empty = readBackup(QStringLiteral("\r\n"));
  EXPECT_TRUE(empty.complete);
  EXPECT_TRUE(empty.records.empty());
}

TEST(AppendRules, DuplicatesAreLeftOutAgainstTheLogAsItGrows) {
  TestLogFile file;
  LogDb log(QStringLiteral("append-rules"));
  ASSERT_TRUE(log.open(file.path));
  ASSERT_TRUE(log.insert(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20"))));
  const std::vector<ContactRecord> source{sampleContact(QStringLiteral("k1abc"), QStringLiteral("20")),
                                          sampleContact(QStringLiteral("K1ABC"), QStringLiteral("15")),
                                          sampleContact(QStringLiteral("W9XYZ"), QStringLiteral("40")),
                                          sampleContact(QStringLiteral("W9XYZ"), QStringLiteral("40"))};
  ASSERT_TRUE(appendContacts(log, source, true));
  EXPECT_EQ(log.count(), 3.0) << "k1abc on 20 is a dupe; the second W9XYZ dupes the first";
  ASSERT_TRUE(appendContacts(log, source, true));
  EXPECT_EQ(log.count(), 3.0);
  ASSERT_TRUE(appendContacts(log, source, false));
  EXPECT_EQ(log.count(), 7.0);
}
