#include "logging/Score.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {
QString grouped(const char *text) {
  return QString::fromLatin1(text).replace(u',', QLocale::system().groupSeparator());
}
} // namespace

TEST(ContactPoints, WholeTableInEveryModeAndBand) {
  struct Row {
    const char *what;
    PointsInput station; // worked country and continent, own country and continent
    // CW/phone high, CW/phone low, RTTY high, RTTY low
    const char *cwHigh, *cwLow, *ryHigh, *ryLow;
  };
  const Row rows[] = {
      {"other continent", {"Japan", "AS", "USA", "NA", {}, {}}, "3", "6", "3", "6"},
      {"same continent, not NA", {"France", "EU", "Germany", "EU", {}, {}}, "1", "2", "2", "4"},
      {"same continent NA", {"Canada", "NA", "USA", "NA", {}, {}}, "2", "4", "2", "4"},
      {"own country", {"USA", "NA", "USA", "NA", {}, {}}, "1", "1", "1", "2"},
      {"own country outside NA", {"Germany", "EU", "Germany", "EU", {}, {}}, "1", "1", "1", "2"},
  };
  for (const Row &row : rows) {
    for (const char *band : {"160", "80", "40", "20", "15", "10"}) {
      const bool low = QByteArray(band).toInt() >= 40;
      for (const char *mode : {"PH", "CW", "RY"}) {
        PointsInput in = row.station;
        in.band = QString::fromLatin1(band);
        in.mode = QString::fromLatin1(mode);
        const bool rtty = QByteArray(mode) == "RY";
        const char *expected = rtty ? (low ? row.ryLow : row.ryHigh) : (low ? row.cwLow : row.cwHigh);
        EXPECT_EQ(contactPoints(in), QLatin1String(expected)) << row.what << " " << band << " " << mode;
      }
    }
  }
}

TEST(ContactPoints, NoCountryNoPointsAndCaseIsIgnored) {
  EXPECT_EQ(contactPoints({"", "NA", "USA", "NA", "20", "CW"}), QString());
  EXPECT_EQ(contactPoints({"Not Found", "NA", "USA", "NA", "20", "CW"}), QString());
  EXPECT_EQ(contactPoints({"NOT FOUND", "", "USA", "NA", "20", "CW"}), QString());
  EXPECT_EQ(contactPoints({"usa", "na", "USA", "NA", "80", "ry"}), QStringLiteral("2"));
  EXPECT_EQ(contactPoints({"Canada", "na", "USA", "NA", "40", "PH"}), QStringLiteral("4"));
  // The continent of the last country found decides, whatever country was typed.
  EXPECT_EQ(contactPoints({"Canada", "EU", "USA", "NA", "20", "PH"}), QStringLiteral("3"));
}

TEST(WorkedPrefixes, RebuildKeepsOneEntryPerPrefixInTextOrder) {
  WorkedPrefixes list;
  for (const char *p : {"W1", "k1", "DL0", "K1", "", "4X4", "w1", "VE3"})
    list.addDistinct(QString::fromLatin1(p));
  list.sort();
  EXPECT_EQ(list.entries(), (QStringList{"", "4X4", "DL0", "k1", "VE3", "W1"}));
  EXPECT_EQ(list.WorkedPrefixCount(), 6);
  EXPECT_EQ(list.displayText(), QStringLiteral(" 4X4 DL0 k1 VE3 W1 "));
  EXPECT_TRUE(list.contains(QStringLiteral("K1")));
  EXPECT_TRUE(list.contains(QStringLiteral("ve3")));
  EXPECT_FALSE(list.contains(QStringLiteral("VE")));
}

TEST(WorkedPrefixes, InsertGoesToItsPlaceAndIgnoresAPrefixAlreadyWorked) {
  WorkedPrefixes list;
  for (const char *p : {"DL0", "K1", "W1"})
    list.insertInOrder(QString::fromLatin1(p));
  list.insertInOrder(QStringLiteral("JA1"));
  list.insertInOrder(QStringLiteral("ZS6"));
  list.insertInOrder(QStringLiteral("4X4"));
  list.insertInOrder(QStringLiteral("ja1"));
  EXPECT_EQ(list.entries(), (QStringList{"4X4", "DL0", "JA1", "K1", "W1", "ZS6"}));
  list.clear();
  EXPECT_EQ(list.WorkedPrefixCount(), 0);
  EXPECT_FALSE(list.contains(QStringLiteral("K1")));
}

TEST(Score, ProductInSixtyFourBitsWithGroupedDigits) {
  EXPECT_EQ(scoreText(claimedScore(1234, 56)), grouped("69,104"));
  EXPECT_EQ(scoreText(1234), grouped("1,234"));
  EXPECT_EQ(scoreText(claimedScore(0, 0)), QStringLiteral("0"));
  EXPECT_EQ(claimedScore(2'000'000'000, 10'000), 20'000'000'000'000LL);
  EXPECT_EQ(scoreText(claimedScore(2'000'000'000, 10'000)), grouped("20,000,000,000,000"));
}
