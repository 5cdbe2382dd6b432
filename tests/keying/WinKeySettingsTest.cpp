#include "keying/WinKeySettings.h"
#include "keying/CodePractice.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const QString kEightRecords =
    QStringLiteral("5\r\n\"18\"\r\n\"50\"\r\n\"0\"\r\n\"0\"\r\n\"50\"\r\n6\r\n0\r\n");

} // namespace

TEST(WinKeyFile, WritesEightRecordsAndReadsThemBack) {
  WinKeyFileSettings s;
  s.comPort = 5;
  EXPECT_EQ(winKeyFileText(s), kEightRecords);
  s = {3, "22", "55", "1", "2", "45 ", 8, 48};
  WinKeyFileSettings back;
  ASSERT_TRUE(readWinKeyFile(winKeyFileText(s), back));
  EXPECT_EQ(winKeyFileText(back), winKeyFileText(s));
}

TEST(WinKeyFile, SixRecordsAreCompleteAndAnUnfitRecordEndsTheReadingThere) {
  struct Row {
    QString content;
    bool complete;
    int port, pins, mode;
    QString tail;
  };
  const QString six = QStringLiteral("7\r\n\"20\"\r\n\"50\"\r\n\"1\"\r\n\"2\"\r\n\"50\"\r\n");
  const Row rows[] = {
      {six, true, 7, 6, 0, "2"},
      {six + "4\r\n", true, 7, 4, 0, "2"},
      {six + "7\r\n32\r\n", true, 7, 7, 32, "2"},
      {six + "256\r\n32\r\n", false, 7, 6, 0, "2"},
      {six + "4\r\nabc\r\n", false, 7, 4, 0, "2"},
      {"abc\r\n\"20\"\r\n", false, 0, 6, 0, "0"},
      {"300\r\n", false, 0, 6, 0, "0"},
      {"7\r\n\"20\"\r\n\"50\"\r\n\"1\"\r\n", false, 7, 6, 0, "0"},
  };
  for (const Row &row : rows) {
    WinKeyFileSettings s;
    EXPECT_EQ(readWinKeyFile(row.content, s), row.complete) << row.content.toStdString();
    EXPECT_EQ(s.comPort, row.port) << row.content.toStdString();
    EXPECT_EQ(s.pinConfig, row.pins) << row.content.toStdString();
    EXPECT_EQ(s.mode, row.mode) << row.content.toStdString();
    EXPECT_EQ(s.tail, row.tail) << row.content.toStdString();
  }
}

TEST(CodePractice, GroupsUseOnlyTheTableAndEndWithABlank) {
  const auto chars = codePracticeChars();
  EXPECT_TRUE(chars[0].isEmpty());
  EXPECT_EQ(chars[41], QStringLiteral("-"));
  EXPECT_TRUE(chars[42].isEmpty());
  const QString table = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/-");
  for (const int alphabet : {kPracticeLetters, kPracticeAll}) {
    std::set<QChar> seen;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
      const QString text = randomGroups(10, 5, alphabet, seed);
      ASSERT_EQ(text.size(), 60);
      for (qsizetype i = 0; i < text.size(); ++i) {
        if (i % 6 == 5) {
          EXPECT_EQ(text[i], u' ');
          continue;
        }
        EXPECT_TRUE(table.left(alphabet).contains(text[i])) << text.toStdString();
        seen.insert(text[i]);
      }
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(alphabet)) << "every character turns up";
  }
  EXPECT_EQ(randomGroups(10, 5, kPracticeAll, 7), randomGroups(10, 5, kPracticeAll, 7));
  EXPECT_TRUE(randomGroups(0, 5, kPracticeAll, 7).isEmpty());
  EXPECT_TRUE(randomGroups(-2, 5, kPracticeAll, 7).isEmpty());
  EXPECT_EQ(randomGroups(2.7, 3.5, kPracticeAll, 7).size(), 8);
}
