#include "logging/LogRules.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {
LogArrays logWith(std::initializer_list<std::pair<const char *, const char *>> serialAndBand) {
  LogArrays log;
  for (const auto &[serial, band] : serialAndBand) {
    LogEntry e;
    e.serials = QString::fromLatin1(serial);
    e.uband = QString::fromLatin1(band);
    log.append(e);
  }
  return log;
}
} // namespace

TEST(NextSerial, FollowsTheLastContactAndPadsToThreeDigits) {
  EXPECT_EQ(nextSerial(LogArrays{}, false, QStringLiteral("20")), QStringLiteral("001"));
  EXPECT_EQ(nextSerial(logWith({{"009", "20"}}), false, QStringLiteral("20")), QStringLiteral("010"));
  EXPECT_EQ(nextSerial(logWith({{"099", "20"}}), false, QStringLiteral("20")), QStringLiteral("100"));
  EXPECT_EQ(nextSerial(logWith({{"999", "20"}}), false, QStringLiteral("20")), QStringLiteral("1000"));
  EXPECT_EQ(nextSerial(logWith({{"5NN", "20"}}), false, QStringLiteral("20")), QStringLiteral("001"));
}

TEST(NextSerial, PerBandFollowsTheNewestContactOfThatBand) {
  const LogArrays log = logWith({{"001", "40"}, {"002", "40"}, {"001", "20"}, {"002", "20"}, {"003", "20"}});
  EXPECT_EQ(nextSerial(log, true, QStringLiteral("40")), QStringLiteral("003"));
  EXPECT_EQ(nextSerial(log, true, QStringLiteral("20")), QStringLiteral("004"));
  EXPECT_EQ(nextSerial(log, true, QStringLiteral("15")), QStringLiteral("001"));
  EXPECT_EQ(nextSerial(log, false, QStringLiteral("40")), QStringLiteral("004"));
}

TEST(Points, TotalRoundsAfterEveryAdditionHalvesToEven) {
  EXPECT_EQ(addPoints(0, 2.5f), 2);
  EXPECT_EQ(addPoints(2, 2.5f), 4);
  EXPECT_EQ(addPoints(3, 2.5f), 6);
  EXPECT_EQ(addPoints(10, 6.0f), 16);
}

TEST(UtcStamps, OffsetIsAddedToTheWallClockFromOneReading) {
  const QDateTime local(QDate(2024, 3, 30), QTime(20, 0, 0), QTimeZone::utc());
  const UtcStamp s = utcStamp(local, 5.5f);
  EXPECT_EQ(s.date, QStringLiteral("2024/03/31"));
  EXPECT_EQ(s.time, QStringLiteral("01:30:00"));
  const UtcStamp west = utcStamp(QDateTime(QDate(2024, 1, 1), QTime(0, 10, 0), QTimeZone::utc()), -1.0f);
  EXPECT_EQ(west.date, QStringLiteral("2023/12/31"));
  EXPECT_EQ(west.time, QStringLiteral("23:10:00"));
}

TEST(Backup, LineHasTheBackupFieldOrderAndBarePoints) {
  LogEntry e{QStringLiteral("K1ABC"),
             QStringLiteral("599"),
             QStringLiteral("12"),
             QStringLiteral("599"),
             QStringLiteral("2024/03/30"),
             QStringLiteral("14:05:09"),
             2.0f,
             QStringLiteral("001"),
             QStringLiteral("20"),
             QStringLiteral("1"),
             QStringLiteral("United States"),
             QStringLiteral("K1")};
  EXPECT_EQ(backupLine(e), QStringLiteral("\"K1ABC\",\"599\",\"12\",\"599\",\"United States\",\"2024/03/30\","
                                          "\"14:05:09\",\"20\",2,\"K1\",\"001\",\"1\"\r\n"));
  e.points = 0;
  e.rstr.clear();
  EXPECT_EQ(backupLine(e), QStringLiteral("\"K1ABC\",\"\",\"12\",\"599\",\"United States\",\"2024/03/30\","
                                          "\"14:05:09\",\"20\",0,\"K1\",\"001\",\"1\"\r\n"));
}

TEST(PostContest, TimesGetTheirColonAndLeadingZero) {
  EXPECT_EQ(postContestTime(QStringLiteral("1430")), QStringLiteral("14:30"));
  EXPECT_EQ(postContestTime(QStringLiteral("930")), QStringLiteral("09:30"));
  EXPECT_EQ(postContestTime(QStringLiteral("1:30")), QStringLiteral("01:30"));
  EXPECT_FALSE(postContestTime(QStringLiteral("14305")).has_value());
  EXPECT_FALSE(postContestTime(QStringLiteral("2460")).has_value());
  EXPECT_FALSE(postContestTime(QStringLiteral("")).has_value());
}

TEST(PostContest, DatesYearFirstOrUsMonthFirst) {
  EXPECT_EQ(postContestDate(QStringLiteral("2024/3/5")), QStringLiteral("2024/03/05"));
  EXPECT_EQ(postContestDate(QStringLiteral("2024/03/30")), QStringLiteral("2024/03/30"));
  EXPECT_EQ(postContestDate(QStringLiteral("3/30/2024")), QStringLiteral("2024/03/30"));
  EXPECT_FALSE(postContestDate(QStringLiteral("2024/02/30")).has_value());
  EXPECT_FALSE(postContestDate(QStringLiteral("30.3.24")).has_value());
  EXPECT_FALSE(postContestDate(QStringLiteral("")).has_value());
}

TEST(StoredDateTime, ReadsEditedShortFormsAndRefusesWhatIsNoMoment) {
  const QDateTime expected(QDate(2024, 5, 25), QTime(7, 5, 0), QTimeZone::utc());
  EXPECT_EQ(storedDateTime(QStringLiteral("2024/05/25"), QStringLiteral("07:05:00")), expected);
  EXPECT_EQ(storedDateTime(QStringLiteral("2024/5/25"), QStringLiteral("7:5")), expected);
  EXPECT_EQ(storedDateTime(QStringLiteral(" 2024/5/25 "), QStringLiteral("7:05:0")), expected);
  EXPECT_EQ(storedDateTime(QStringLiteral("2024/12/31"), QStringLiteral("23:59:59")),
            QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59), QTimeZone::utc()));
  for (const char *bad : {"2024/02/30", "24/05/25", "2024-05-25", "05/25/2024", "", "2024/5/25/1"})
    EXPECT_FALSE(storedDateTime(QString::fromLatin1(bad), QStringLiteral("12:00:00"))) << bad;
  for (const char *bad : {"24:00:00", "12:60", "12", "12:00:00:00", "", "1200", "ab:cd"})
    EXPECT_FALSE(storedDateTime(QStringLiteral("2024/05/25"), QString::fromLatin1(bad))) << bad;
}

TEST(StoredDateTime, DateAndTimeReadAloneByTheSameRules) {
  EXPECT_EQ(storedDate(QStringLiteral("2024/5/25")), QDate(2024, 5, 25));
  EXPECT_FALSE(storedDate(QStringLiteral("2024/02/30")));
  EXPECT_EQ(storedTime(QStringLiteral("9:5")), QTime(9, 5));
  EXPECT_FALSE(storedTime(QStringLiteral("0905")));
}
