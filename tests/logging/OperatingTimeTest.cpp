#include "logging/OperatingTime.h"

#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace {
QDateTime at(int h, int m, int s, int day = 30) {
  return wallClock(QDate(2024, 3, day), QTime(h, m, s));
}
const QLocale us(QLocale::English, QLocale::UnitedStates);
} // namespace

TEST(OperatingTime, RunningTotalAddsWholeSecondsToTheClosedPeriods) {
  EXPECT_EQ(runningOperatingTime(600, at(14, 0, 0), at(14, 20, 0)), 1800);
  EXPECT_EQ(runningOperatingTime(0, at(23, 50, 0), at(0, 10, 0, 31)), 1200);
  // A negative stored total counts by its size.
  EXPECT_EQ(runningOperatingTime(-600, at(14, 0, 0), at(14, 0, 1)), 601);
}

TEST(OperatingTime, DisplayKeepsTwoDigitsAndWrapsHoursAfter99) {
  EXPECT_EQ(operatingTimeText(0), QStringLiteral("00:00:00"));
  EXPECT_EQ(operatingTimeText(3725), QStringLiteral("01:02:05"));
  EXPECT_EQ(operatingTimeText(1800), QStringLiteral("00:30:00"));
  EXPECT_EQ(operatingTimeText(99 * 3600 + 59 * 60 + 59), QStringLiteral("99:59:59"));
  EXPECT_EQ(operatingTimeText(100 * 3600), QStringLiteral("00:00:00"));
  EXPECT_EQ(operatingTimeText(123 * 3600 + 45), QStringLiteral("23:00:45"));
}

TEST(OperatingTime, CaptionsCarryTheAccessKeyAndQuotes) {
  EXPECT_EQ(logOnCaption(false), QStringLiteral("&Log \"Time On\""));
  EXPECT_EQ(logOnCaption(true), QStringLiteral("&Log \"Time Off\""));
}

TEST(TimeOff, MessageGivesTheBreakAndTheEarliestLogOnInUtc) {
  EXPECT_EQ(loggedOffMessage(at(14, 5, 9), 0, us),
            QStringLiteral("Logged Off at 3/30/24 14:05:09. Log on after 15:05:09"));
  // Local 18:30 with five hours added: after midnight UTC, the date follows.
  EXPECT_EQ(loggedOffMessage(at(18, 30, 0), 5, us),
            QStringLiteral("Logged Off at 3/30/24 23:30:00. Log on after 00:30:00"));
  EXPECT_EQ(loggedOffMessage(at(20, 0, 0), 5, us),
            QStringLiteral("Logged Off at 3/31/24 01:00:00. Log on after 02:00:00"));
}

TEST(TimeOff, HalfHourOffsetsAreNotRoundedAway) {
  EXPECT_EQ(loggedOffMessage(at(8, 0, 0), 5.5f, us),
            QStringLiteral("Logged Off at 3/30/24 13:30:00. Log on after 14:30:00"));
  EXPECT_EQ(utcClockText(at(8, 0, 0), 5.5f), QStringLiteral("13:30:00"));
}

TEST(Clocks, UtcOn24HoursAndLocalOn12WithItsDesignator) {
  EXPECT_EQ(utcClockText(at(9, 0, 0), 5), QStringLiteral("14:00:00"));
  EXPECT_EQ(utcClockText(at(1, 0, 0), -3), QStringLiteral("22:00:00"));
  const auto check = [](const QDateTime &t, const char *time, const char *designator) {
    const TwelveHourClock c = localClock(t, us);
    EXPECT_EQ(c.time, QString::fromLatin1(time));
    EXPECT_EQ(c.designator, QString::fromLatin1(designator));
  };
  check(at(0, 30, 0), "12:30:00", "AM");
  check(at(9, 7, 4), "9:07:04", "AM");
  check(at(12, 0, 0), "12:00:00", "PM");
  check(at(23, 59, 59), "11:59:59", "PM");
}
