// The entry row's rules without the window: filters, the digit carry from the call, default
// reports, the partial-dupe list and the call-format hint.
#include "logging/EntryKeys.h"
#include "logging/Form1.h"
#include "logging/LogArrays.h"

#include <gtest/gtest.h>

TEST(EntryKeys, FiltersPassTheirKeysAndBackspaceAndDropTheRest) {
  EXPECT_EQ(Form1::Capital('k'), 'K');
  EXPECT_EQ(Form1::Capital('K'), 'K');
  EXPECT_EQ(Form1::Capital('/'), '/');
  EXPECT_EQ(Form1::Capital(0xE9), 0xE9) << "only a to z";
  EXPECT_EQ(Form1::number('7'), '7');
  EXPECT_EQ(Form1::number(8), 8);
  EXPECT_EQ(Form1::number(' '), 0);
  EXPECT_EQ(Form1::number(13), 0);
  EXPECT_EQ(Form1::number('A'), 0);

  EXPECT_EQ(clampPointsKey('6'), '6');
  for (const int digit : {'7', '8', '9'})
    EXPECT_EQ(clampPointsKey(digit), '6');
  EXPECT_EQ(clampPointsKey(8), 8);

  EXPECT_EQ(postContestTimeKey(':'), ':');
  EXPECT_EQ(postContestTimeKey('/'), 0);
  EXPECT_EQ(postContestDateKey('/'), '/');
  EXPECT_EQ(postContestDateKey(':'), 0);
  for (const int key : {'A', ' ', '.', '-'}) {
    EXPECT_EQ(postContestTimeKey(key), 0) << key;
    EXPECT_EQ(postContestDateKey(key), 0) << key;
  }
  EXPECT_EQ(postContestTimeKey(8), 8);
  EXPECT_EQ(postContestDateKey('0'), '0');
}

TEST(EntryKeys, ADigitAfterACompleteCallIsCarriedExceptInFiveCases) {
  EXPECT_TRUE(carriesDigitFromCall(QStringLiteral("K1ABC"), 5, '5'));
  EXPECT_TRUE(carriesDigitFromCall(QStringLiteral("4X4AB"), 5, '5')) << "a digit after the first character";
  EXPECT_FALSE(carriesDigitFromCall(QStringLiteral("K1/AB"), 5, '5')) << "a slash after the first character";
  EXPECT_FALSE(carriesDigitFromCall(QStringLiteral("K1"), 2, '5')) << "two characters";
  EXPECT_FALSE(carriesDigitFromCall(QStringLiteral("K1ABC"), 3, '5')) << "the caret inside the call";
  EXPECT_FALSE(carriesDigitFromCall(QStringLiteral("KH6"), 3, '5')) << "nothing after the last digit";
  EXPECT_FALSE(carriesDigitFromCall(QStringLiteral("4XAB"), 4, '5')) << "the leading digit does not count";
  EXPECT_FALSE(carriesDigitFromCall(QStringLiteral("K1ABC"), 5, 'D')) << "only digits";
  EXPECT_FALSE(carriesDigitFromCall(QStringLiteral("K1ABC"), 5, 13));
}

TEST(EntryKeys, DefaultReportsFollowTheMode) {
  EXPECT_EQ(defaultReport(QStringLiteral("PH")), QStringLiteral("59"));
  EXPECT_EQ(defaultReport(QStringLiteral("CW")), QStringLiteral("599"));
  EXPECT_EQ(defaultReport(QStringLiteral("ry")), QStringLiteral("599"));
  EXPECT_EQ(defaultReport(QString()), QStringLiteral("59")) << "anything but CW and RTTY is phone";
}

namespace {

void logged(LogArrays &log, const QString &call, const QString &band) {
  LogEntry e;
  e.calls = call;
  e.uband = band;
  log.append(e);
}

} // namespace

TEST(EntryKeys, PartialDupesListTheBandsMatchesNewestFirst) {
  LogArrays log;
  logged(log, QStringLiteral("K1ABC"), QStringLiteral("20"));
  logged(log, QStringLiteral("K1ABC"), QStringLiteral("40"));
  logged(log, QStringLiteral("k1abd"), QStringLiteral("20"));
  logged(log, QStringLiteral("K1A"), QStringLiteral("20"));
  logged(log, QStringLiteral("W1AB"), QStringLiteral("20"));
  EXPECT_EQ(partialDupeList(log, QStringLiteral("20"), QStringLiteral("K1AB")),
            QStringLiteral("k1abd K1ABC "));
  EXPECT_EQ(partialDupeList(log, QStringLiteral("40"), QStringLiteral("k1ab")), QStringLiteral("K1ABC "));
  EXPECT_EQ(partialDupeList(log, QStringLiteral("15"), QStringLiteral("K1AB")), QString());

  // Once longer than 100 characters the list stops growing: the oldest matches stay.
  LogArrays big;
  for (int n = 0; n < 40; ++n)
    logged(big, QStringLiteral("DL%1XYZ").arg(n, 2, 10, QChar(u'0')), QStringLiteral("20"));
  const QString list = partialDupeList(big, QStringLiteral("20"), QStringLiteral("DL"));
  EXPECT_EQ(list.size(), 104);
  EXPECT_TRUE(list.startsWith(QStringLiteral("DL12XYZ "))) << "13 calls of 8 characters";
  EXPECT_TRUE(list.endsWith(QStringLiteral("DL00XYZ ")));
}

TEST(EntryKeys, TheFormatHintLooksAtTheThirdCharacterTyped) {
  EXPECT_EQ(callFormatHint(QStringLiteral("ABC"), 'C'), CallHint::NotNumeric);
  EXPECT_EQ(callFormatHint(QStringLiteral("K1A"), 'A'), CallHint::Fine);
  EXPECT_EQ(callFormatHint(QStringLiteral("AB1"), '1'), CallHint::Fine);
  EXPECT_EQ(callFormatHint(QStringLiteral("K/A"), 'A'), CallHint::Fine);
  EXPECT_EQ(callFormatHint(QStringLiteral("AB"), 'B'), CallHint::None);
  EXPECT_EQ(callFormatHint(QStringLiteral("ABCD"), 'D'), CallHint::None);
  EXPECT_EQ(callFormatHint(QStringLiteral("AB "), ' '), CallHint::None) << "a key that is no call character";
  EXPECT_TRUE(isCallKey('.'));
  EXPECT_TRUE(isCallKey('Z'));
  EXPECT_FALSE(isCallKey('-'));
  EXPECT_FALSE(isCallKey('['));
  EXPECT_FALSE(isCallKey('a')) << "lower case is made upper case first";
}
