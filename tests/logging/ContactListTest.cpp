#include "logging/ContactList.h"

#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace {

// The twelve column texts of a slot, as the list shows them.
QStringList listRow(const LogArrays &log, int slot) {
  QStringList row;
  for (int c = 0; c < kListColumns; ++c)
    row << listCell(log, slot, c);
  return row;
}

LogEntry contact(const QString &call, const QString &band = QStringLiteral("20"),
                 const QString &date = QStringLiteral("2024/03/30"),
                 const QString &time = QStringLiteral("14:05:09")) {
  LogEntry e;
  e.calls = call;
  e.uband = band;
  e.flddate = date;
  e.fldtime = time;
  return e;
}

LogArrays numbered(int count) {
  LogArrays log;
  for (int n = 1; n <= count; ++n)
    log.append(contact(QStringLiteral("K%1ABC").arg(n)));
  return log;
}

std::vector<int> range(int from, int downTo) {
  std::vector<int> v;
  for (int n = from; n >= downTo; --n)
    v.push_back(n);
  return v;
}

const QString k20 = QStringLiteral("20");

} // namespace

TEST(ListedSlots, AllBandsListsTheNewestTwentyOrEverything) {
  EXPECT_TRUE(listedSlots(LogArrays{}, false, false, k20).empty());
  EXPECT_EQ(listedSlots(numbered(19), false, false, k20), range(19, 1));
  EXPECT_EQ(listedSlots(numbered(20), false, false, k20), range(20, 1));
  EXPECT_EQ(listedSlots(numbered(25), false, false, k20), range(25, 6));
  EXPECT_EQ(listedSlots(numbered(25), true, false, k20), range(25, 1));
}

TEST(ListedSlots, CurrentBandSkipsOtherBandsAndStillShowsTwenty) {
  LogArrays log;
  // 30 contacts on 20 m with a 40 m contact after every third, the newest on 40 m.
  for (int n = 1; n <= 30; ++n) {
    log.append(contact(QStringLiteral("W%1").arg(n)));
    if (n % 3 == 0)
      log.append(contact(QStringLiteral("DL%1").arg(n), QStringLiteral("40")));
  }
  const std::vector<int> last20 = listedSlots(log, false, true, k20);
  ASSERT_EQ(last20.size(), 20u);
  for (const int slot : last20)
    EXPECT_EQ(log.slot(slot).uband, k20);
  EXPECT_EQ(log.slot(last20.front()).calls, QStringLiteral("W30"));
  EXPECT_EQ(log.slot(last20.back()).calls, QStringLiteral("W11"));
  EXPECT_EQ(listedSlots(log, true, true, k20).size(), 30u);
  EXPECT_EQ(listedSlots(log, false, true, QStringLiteral("40")).size(), 10u);
  EXPECT_TRUE(listedSlots(log, false, true, QStringLiteral("15")).empty());
}

TEST(ListedSlots, BandComparisonIgnoresCase) {
  LogArrays log;
  log.append(contact(QStringLiteral("A"), QStringLiteral("x1")));
  log.append(contact(QStringLiteral("B"), QStringLiteral("X1")));
  EXPECT_EQ(listedSlots(log, false, true, QStringLiteral("X1")), range(2, 1));
}

TEST(ListRow, ShowsEveryColumnWithDayAndMinuteTimeAndPlainPoints) {
  LogArrays log;
  LogEntry e{QStringLiteral("K1ABC"),
             QStringLiteral("599"),
             QStringLiteral("12"),
             QStringLiteral("579"),
             QStringLiteral("2024/03/09"),
             QStringLiteral("14:05:09"),
             2.5f,
             QStringLiteral("007"),
             QStringLiteral("40"),
             QStringLiteral("2"),
             QStringLiteral("USA"),
             QStringLiteral("K1")};
  log.append(e);
  e.fldtime = QStringLiteral("9:05"); // a post-contest time without seconds
  e.points = 6;
  log.append(e);
  EXPECT_EQ(listRow(log, 1), (QStringList{"1", "K1ABC", "599", "12", "579", "007", "09 14:05", "40", "USA",
                                          "K1", "2.5", "2"}));
  EXPECT_EQ(listRow(log, 2)[6], QStringLiteral("09 09:05"));
  EXPECT_EQ(listRow(log, 2)[10], QStringLiteral("6"));
}

TEST(ListRow, UnreadableDateOrTimeIsShownAsStored) {
  LogArrays log;
  log.append(contact(QStringLiteral("K1ABC"), k20, QStringLiteral("30.3.2024"), QStringLiteral("25:00")));
  EXPECT_EQ(listRow(log, 1)[6], QStringLiteral("30.3.2024 25:00"));
}

class Rates : public ::testing::Test {
protected:
  const QDateTime now = wallClock(QDate(2024, 3, 30), QTime(15, 0, 0));
  LogArrays log;
  // Appends a contact `age` seconds older than now; the log stays in time order when ages fall.
  void aged(qint64 age) {
    const QDateTime t = now.addSecs(-age);
    log.append(contact(QStringLiteral("K1ABC"), k20, t.toString(QStringLiteral("yyyy/MM/dd")),
                       t.toString(QStringLiteral("HH:mm:ss"))));
  }
};

TEST_F(Rates, TwentyMinuteAndHourBoundaries) {
  for (const qint64 age : {3700, 3600, 3599, 1200, 1199, 0})
    aged(age);
  const QsoRates r = qsoRates(log, now);
  EXPECT_EQ(r.lastHour, 4);      // 3599, 1200, 1199, 0
  EXPECT_EQ(r.last20Minutes, 6); // 1199 and 0, three times
}

TEST_F(Rates, AContactAnHourOldEndsTheWalk) {
  aged(100);
  aged(3600); // out of order: everything before it is not looked at
  aged(10);
  EXPECT_EQ(qsoRates(log, now).lastHour, 1);
}

TEST_F(Rates, FutureContactsCountInBoth) {
  aged(-600);
  aged(-7200);
  const QsoRates r = qsoRates(log, now);
  EXPECT_EQ(r.lastHour, 2);
  EXPECT_EQ(r.last20Minutes, 6);
}

TEST_F(Rates, PostContestTimesWithoutSecondsAndUnreadableTimes) {
  aged(1500);
  log.append(contact(QStringLiteral("W1AW"), k20, QStringLiteral("2024/03/30"), QStringLiteral("14:50")));
  EXPECT_EQ(qsoRates(log, now).lastHour, 2);
  EXPECT_EQ(qsoRates(log, now).last20Minutes, 3);
  log.append(contact(QStringLiteral("W1AW"), k20, QStringLiteral("garbage"), QStringLiteral("14:59:00")));
  EXPECT_EQ(qsoRates(log, now).lastHour, 0);
  EXPECT_EQ(qsoRates(LogArrays{}, now).lastHour, 0);
}

TEST(Clipboard, HeaderThenRowsOldestFirstTabSeparatedWithCrLf) {
  const QStringList headers{"Rec#",    "Call", "Rec",     "#R",   "Snt", "#S",
                            "Da/Time", "Bnd",  "Country", "Prfx", "Pts", "Tr"};
  const QString header =
      QStringLiteral("Rec#\tCall\tRec\t#R\tSnt\t#S\tDa/Time\tBnd\tCountry\tPrfx\tPts\tTr\r\n");
  EXPECT_EQ(clipboardText(headers, {}), header);
  LogArrays log;
  log.append(contact(QStringLiteral("K1ABC")));
  log.append(contact(QStringLiteral("DL1XYZ"), QStringLiteral("40"), QStringLiteral("2024/03/31"),
                     QStringLiteral("00:01:00")));
  EXPECT_EQ(clipboardText(headers, {listRow(log, 2), listRow(log, 1)}),
            header + QStringLiteral("1\tK1ABC\t\t\t\t\t30 14:05\t20\t\t\t0\t\r\n"
                                    "2\tDL1XYZ\t\t\t\t\t31 00:01\t40\t\t\t0\t\r\n"));
}
