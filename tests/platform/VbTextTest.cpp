#include "platform/VbText.h"
#include "tests/support/FullDisk.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vb;

TEST(VbNumbers, IsNumericAcceptsSignedDecimalsAndBlanksOnly) {
  struct Case { const char *text; bool numeric; };
  for (const Case c : {Case{"12", true}, {" 12 ", true}, {"-3.5", true}, {"+.5", true}, {"1e3", true},
                       {"", false}, {" ", false}, {"12a", false}, {"1.2.3", false}, {"-", false},
                       {".", false}, {"5NN", false}})
    EXPECT_EQ(isNumeric(QString::fromLatin1(c.text)), c.numeric) << c.text;
}

TEST(VbNumbers, ValReadsTheLeadingNumberAndIgnoresTheRest) {
  struct Case { const char *text; double value; };
  for (const Case c : {Case{"12abc", 12}, {"abc", 0}, {"", 0}, {" 1 2", 12}, {"-4.5x", -4.5},
                       {"3e2", 300}, {"7e", 7}, {"..5", 0}})
    EXPECT_DOUBLE_EQ(val(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(VbNumbers, RoundingHalvesGoToEvenButFixedFormatsRoundAway) {
  EXPECT_EQ(roundToInt(2.5), 2);
  EXPECT_EQ(roundToInt(3.5), 4);
  EXPECT_EQ(roundToInt(-2.5), -2);
  EXPECT_EQ(roundToInt(95.5), 96);
  EXPECT_EQ(roundToInt(94.5), 94);
  EXPECT_EQ(roundToInt(1e300), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(roundToInt(-std::numeric_limits<double>::infinity()), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(roundToInt(std::nan("")), 0);
  EXPECT_EQ(fixedText(2.25, 1), QStringLiteral("2.3"));
  EXPECT_EQ(fixedText(0.05, 1), QStringLiteral("0.1"));
  EXPECT_EQ(formatNumber(2.25, QStringLiteral("###0.0"), false), QStringLiteral("2.3"));
}

TEST(VbNumbers, SingleAndNumberTextShowNoSpuriousDigits) {
  EXPECT_EQ(singleText(42.3f), QStringLiteral("42.3"));
  EXPECT_EQ(singleText(3.0f), QStringLiteral("3"));
  EXPECT_EQ(singleText(0.0f), QStringLiteral("0"));
  EXPECT_EQ(singleText(-1.5f), QStringLiteral("-1.5"));
  EXPECT_EQ(numberText(14000), QStringLiteral("14000"));
  EXPECT_EQ(numberText(0.25), QStringLiteral("0.25"));
}

TEST(VbNumbers, DigitPatterns) {
  EXPECT_EQ(formatNumber(0.3, QStringLiteral("###"), false), QString());
  EXPECT_EQ(formatNumber(271.6, QStringLiteral("###"), false), QStringLiteral("272"));
  EXPECT_EQ(formatNumber(12345.4, QStringLiteral("##,###"), false), QStringLiteral("12,345"));
  EXPECT_EQ(formatNumber(0, QStringLiteral("###,###,###,###,##0"), false), QStringLiteral("0"));
  EXPECT_EQ(formatNumber(1234567, QStringLiteral("###,###,###,###,##0"), false), QStringLiteral("1,234,567"));
  EXPECT_EQ(formatNumber(-5, QStringLiteral("##0.0"), false), QStringLiteral("-5.0"));
  // A single's decimal form decides halves: 0.45f is 0.449999988 in binary.
  EXPECT_EQ(formatSingle(0.45f, QStringLiteral("###0.0"), false), QStringLiteral("0.5"));
  EXPECT_EQ(formatSingle(2.25f, QStringLiteral("###0.0"), false), QStringLiteral("2.3"));
  EXPECT_EQ(formatSingle(1234.55f, QStringLiteral("###0.0"), false), QStringLiteral("1234.6"));
  EXPECT_EQ(formatSingle(-0.45f, QStringLiteral("###0.0"), false), QStringLiteral("-0.5"));
  EXPECT_EQ(formatSingle(0.0f, QStringLiteral("###0.0"), false), QStringLiteral("0.0"));
}

TEST(VbDates, PatternsKeepLiteralSeparatorsAndReadMmAfterAnHourAsMinutes) {
  const QDateTime t(QDate(2024, 3, 5), QTime(9, 7, 4), QTimeZone::utc());
  EXPECT_EQ(formatDateTime(t, QStringLiteral("yyyy/mm/dd")), QStringLiteral("2024/03/05"));
  EXPECT_EQ(formatDateTime(t, QStringLiteral("hh:mm:ss")), QStringLiteral("09:07:04"));
  EXPECT_EQ(formatDateTime(t, QStringLiteral("hh:nn")), QStringLiteral("09:07"));
  EXPECT_EQ(formatDateTime(t, QStringLiteral("YYYYMMDD")), QStringLiteral("20240305"));
  EXPECT_EQ(formatDateTime(t, QStringLiteral("MM/DD")), QStringLiteral("03/05"));
  EXPECT_EQ(formatDateTime(t, QStringLiteral("h:nn:ss AMPM")), QStringLiteral("9:07:04 AM"));
  const QDateTime pm(QDate(2024, 3, 5), QTime(0, 30, 0), QTimeZone::utc());
  EXPECT_EQ(formatDateTime(pm, QStringLiteral("h:nn:ss AMPM")), QStringLiteral("12:30:00 AM"));
}

TEST(VbWrite, QuotesTextLeavesNumbersBareAndEndsWithCrLf) {
  EXPECT_EQ(WriteLine().text(QStringLiteral("a,b")).number(3).text(QString()).empty().single(1.5f)
                .boolean(true).boolean(false).str(),
            QStringLiteral("\"a,b\",3,\"\",,1.5,#TRUE#,#FALSE#\r\n"));
  EXPECT_EQ(WriteLine().text(QStringLiteral("O'Neil")).str(), QStringLiteral("\"O'Neil\"\r\n"));
}

TEST(VbWrite, DoubleQuotesInsideTextAreDroppedSoTheFieldsReadBack) {
  const QString line = WriteLine().text(QStringLiteral("say \"hi\", ok")).text(QStringLiteral("next")).str();
  EXPECT_EQ(line, QStringLiteral("\"say hi, ok\",\"next\"\r\n"));
  FieldReader r(line);
  EXPECT_EQ(r.text(), QStringLiteral("say hi, ok"));
  EXPECT_EQ(r.text(), QStringLiteral("next"));
}

TEST(VbRead, FieldsEndAtCommasOrLineEndsAndQuotedFieldsKeepCommas) {
  FieldReader r(QStringLiteral("\"a, b\" , 12,  bare text  \r\n\"x\"\n7,\r\n\"last\""));
  EXPECT_EQ(r.text(), QStringLiteral("a, b"));
  EXPECT_EQ(r.number(), 12.0);
  EXPECT_EQ(r.text(), QStringLiteral("bare text"));
  EXPECT_EQ(r.text(), QStringLiteral("x"));
  EXPECT_EQ(r.integer(0, 255), 7);
  EXPECT_EQ(r.text(), QString()); // the empty field after the trailing comma
  EXPECT_FALSE(r.atEnd());
  EXPECT_EQ(r.text(), QStringLiteral("last"));
  EXPECT_TRUE(r.atEnd());
  EXPECT_FALSE(r.text().has_value()) << "reading past the end must fail";
}

TEST(VbRead, NumbersNonNumericReadZeroAndOutOfRangeFails) {
  FieldReader r(QStringLiteral("abc,300,-1,255,#TRUE#,#FALSE#,2"));
  EXPECT_EQ(r.number(), 0.0);
  EXPECT_FALSE(r.integer(0, 255).has_value());
  EXPECT_FALSE(r.integer(0, 255).has_value());
  EXPECT_EQ(r.integer(0, 255), 255);
  EXPECT_EQ(r.boolean(), true);
  EXPECT_EQ(r.boolean(), false);
  EXPECT_EQ(r.boolean(), true);
  EXPECT_FALSE(r.number().has_value());
}

TEST(VbRead, EmptyAndShortFiles) {
  FieldReader empty(QString{});
  EXPECT_TRUE(empty.atEnd());
  EXPECT_FALSE(empty.text().has_value());
  FieldReader blankLines(QStringLiteral("\r\n\r\n"));
  EXPECT_TRUE(blankLines.atEnd());
  EXPECT_FALSE(FieldReader::fromFile(QStringLiteral("/nonexistent/file.txt")).has_value());
}

TEST(VbRead, LinesEndAtLineEndsNotAtCommas) {
  FieldReader r(QStringLiteral("\"a, b\",3,\"\"\r\n\"one\"\n\"x\",\r\n\"tail\","));
  EXPECT_EQ(r.line(), QStringList({QStringLiteral("a, b"), QStringLiteral("3"), QString()}));
  EXPECT_EQ(r.line(), QStringList{QStringLiteral("one")});
  EXPECT_EQ(r.line(), QStringList({QStringLiteral("x"), QString()})) << "a trailing comma adds an empty field";
  EXPECT_FALSE(r.line().has_value()) << "the data ends in the middle of a line";
  EXPECT_FALSE(r.line().has_value());
}

TEST(VbText, RtrimDropsOnlyTrailingBlanks) {
  EXPECT_EQ(rtrim(QStringLiteral("  Cote d'Ivoire   ")), QStringLiteral("  Cote d'Ivoire"));
  EXPECT_EQ(rtrim(QStringLiteral("   ")), QString());
  EXPECT_EQ(rtrim(QStringLiteral("USA\t")), QStringLiteral("USA\t"));
}

TEST(VbPrint, TabStopsPadAndAPassedStopContinuesOnTheNextLine) {
  EXPECT_EQ(PrintLine().text(QStringLiteral("QSO:")).tab(7).text(QStringLiteral("14000")).str(),
            QStringLiteral("QSO:  14000\r\n"));
  EXPECT_EQ(PrintLine().text(QStringLiteral("ABCDEFGH")).tab(4).text(QStringLiteral("x")).str(),
            QStringLiteral("ABCDEFGH\r\n   x\r\n"));
  EXPECT_EQ(PrintLine().text(QStringLiteral("S:")).number(42).number(-3).str(),
            QStringLiteral("S: 42 -3 \r\n"));
}

TEST(VbPrint, ColumnStopKeepsTheLineWholeWithOneBlankWhenReachedOrPassed) {
  EXPECT_EQ(PrintLine().text(QStringLiteral("QSO:")).column(7).text(QStringLiteral("1")).str(),
            QStringLiteral("QSO:  1\r\n"));
  EXPECT_EQ(PrintLine().text(QStringLiteral("ABCDEF")).column(7).text(QStringLiteral("x")).str(),
            QStringLiteral("ABCDEF x\r\n"));
  EXPECT_EQ(PrintLine().text(QStringLiteral("ABCDEFGH")).column(4).text(QStringLiteral("x")).str(),
            QStringLiteral("ABCDEFGH x\r\n"));
}

TEST(VbFiles, AtomicWriteReplacesWholeFileAsLatin1) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("f.txt"));
  ASSERT_TRUE(writeLatin1Atomic(path, QStringLiteral("first, long content\r\n")));
  ASSERT_TRUE(writeLatin1Atomic(path, QStringLiteral("Curaçao\r\n")));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("Cura\xe7" "ao\r\n"));
  EXPECT_EQ(readLatin1(path), QStringLiteral("Curaçao\r\n"));
  QString error;
  EXPECT_FALSE(writeLatin1Atomic(dir.filePath(QStringLiteral("missing/f.txt")), QStringLiteral("x"), &error));
  EXPECT_FALSE(error.isEmpty());
  error.clear();
  EXPECT_FALSE(readLatin1(dir.filePath(QStringLiteral("missing.txt")), &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(VbFiles, ASaveOntoAFullDiskKeepsTheOldFileByteForByteAndFails) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("CW.txt"));
  const QByteArray old = QByteArrayLiteral("\"CQ TEST $\"\r\n\"5NN #\"\r\n");
  // Well inside Qt's write buffer: the disk's refusal comes only when the buffer goes out.
  const QByteArray next = QByteArray("\"TU $ TEST\"\r\n").repeated(200);
  FullDisk disk(dir.path());
  const auto saved =
      disk.run([&] { ASSERT_TRUE(writeAtomic(path, old)); }, [&] { return writeAtomic(path, next); });
  if (!saved)
    GTEST_SKIP() << "No full disk can be made here: " << disk.why().toStdString();
  EXPECT_FALSE(*saved);
  EXPECT_EQ(readLatin1(path), QString::fromLatin1(old)); // one character a byte
  // No temporary file is left behind.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("CW.txt")),
            QStringList{QStringLiteral("CW.txt")});
}
