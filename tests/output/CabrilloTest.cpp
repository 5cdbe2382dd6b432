// The Cabrillo entry: whole files byte for byte against golden files, the category words, and
// QSO lines from stored values that are not what the entry row writes.
#include "output/Cabrillo.h"
#include "tests/output/CabrilloCheck.h"
#include "tests/output/ExportTestData.h"

#include <gtest/gtest.h>

namespace {

const QString kTitle =
    QStringLiteral("Orvex Network 1.0") + QString(40, u' ') + QStringLiteral("for the CQ WPX contest");

CabrilloHeader header(const QString &modeCode, const QString &myCall) {
  CabrilloHeader h;
  h.programTitle = kTitle;
  h.modeCode = modeCode;
  h.myCall = myCall;
  return h;
}

void expectGolden(const CabrilloHeader &h, const LogArrays &log, const char *name) {
  EXPECT_EQ(cabrilloLog(h, log), golden(name)) << name;
}

} // namespace

TEST(CabrilloGolden, ThreeContactsWithAnUnknownBand) {
  CabrilloHeader h = header(QStringLiteral("CW"), QStringLiteral("K1ABC"));
  h.section = QStringLiteral("CT");
  h.claimedScore = 18;
  h.club = QStringLiteral("Yankee Clipper Contest Club");
  h.name = QStringLiteral("Pat Smith");
  h.address1 = QStringLiteral("12 Main Street");
  h.address2 = QStringLiteral("Hartford CT 06101");
  h.email = QStringLiteral("k1abc@example.org");
  h.soapbox = QStringLiteral("Great conditions on 20.");
  LogArrays log;
  log.append(cabrilloContact("20", "2024/05/25", "12:34:56", "001", "DL1XYZ", "123"));
  log.append(cabrilloContact("160", "2024/05/25", "00:05:09", "002", "JA1AA", "7"));
  log.append(cabrilloContact("6", "2024/05/25", "23:59", "003", "G4AAA", "0045"));
  expectGolden(h, log, "three_contacts.log");
}

TEST(CabrilloGolden, EmptyLogHasHeaderAndEndOnly) {
  expectGolden(header(QStringLiteral("PH"), QStringLiteral("W1AW")), LogArrays(), "empty.log");
}

TEST(CabrilloGolden, CategoryCombinationsAndOverlays) {
  CabrilloHeader multi = header(QStringLiteral("RY"), QStringLiteral("W1XYZ"));
  multi.section = QStringLiteral("EMA");
  multi.category = {OperatorCategory::Multiple,
                    TransmitterCategory::Two,
                    QStringLiteral("20M"),
                    PowerCategory::High,
                    true,
                    true,
                    true};
  multi.claimedScore = 1234567890;
  multi.operators = QStringLiteral("K1ABC W1XYZ");
  LogArrays one;
  LogEntry e = cabrilloContact("15", "2024/05/25", "01:01:30", "014", "ZS6AAA", "220");
  e.trn = QStringLiteral("2");
  one.append(e);
  expectGolden(multi, one, "multi_two_all_overlays.log");

  // No operator and no power choice; a mode code that is none of the three counts as phone.
  CabrilloHeader bare = header(QStringLiteral("XX"), QStringLiteral("OH2BH"));
  bare.category = {OperatorCategory::None,
                   TransmitterCategory::None,
                   QStringLiteral("ALL"),
                   PowerCategory::None,
                   true,
                   false,
                   true};
  bare.claimedScore = 2;
  bare.name = QStringLiteral("José Müller");
  LogArrays ten;
  LogEntry t = cabrilloContact("10", "2024/05/26", "00:00:00", "1", "K1ABC", "15");
  t.rsts = QStringLiteral("59");
  t.rstr = QStringLiteral("57");
  ten.append(t);
  expectGolden(bare, ten, "no_choices_rookie_tbwires.log");
}

TEST(CabrilloGolden, OverLongValuesKeepTheLineWholeWithOneBlank) {
  // The own call fills its columns exactly, the worked call and the received serial overrun them.
  CabrilloHeader h = header(QStringLiteral("CW"), QStringLiteral("PA0/K1ABCDE/MM"));
  h.claimedScore = 1;
  LogArrays log;
  log.append(cabrilloContact("40", "2024/05/25", "12:00:00", "0012345", "VP2E/DL1XYZ/QRP", "123456789"));
  expectGolden(h, log, "long_values.log");
}

TEST(CabrilloGolden, GoldenFilesPassTheIndependentCheck) {
  for (const char *name :
       {"three_contacts.log", "empty.log", "multi_two_all_overlays.log", "no_choices_rookie_tbwires.log"}) {
    const CabrilloCheck check = checkCabrillo(golden(name));
    EXPECT_TRUE(check.faults.isEmpty()) << name << ": " << check.faults.join(u'\n').toStdString();
  }
  // The check itself sees a merged field and a split line.
  EXPECT_FALSE(checkCabrillo(golden("long_values.log")).faults.isEmpty());
  EXPECT_FALSE(
      checkCabrillo(QByteArrayLiteral("START-OF-LOG: 2.0\r\nQSO: 14000\nEND-OF-LOG:\r\n")).faults.isEmpty());
}

TEST(CabrilloCategory, WordsOfEachChoice) {
  struct Case {
    OperatorCategory op;
    TransmitterCategory transmitters;
    const char *band;
    PowerCategory power;
    const char *line;
  };
  const Case cases[] = {
      {OperatorCategory::Single, TransmitterCategory::None, "ALL", PowerCategory::Low, "SINGLE-OP ALL LOW"},
      {OperatorCategory::SingleAssisted, TransmitterCategory::None, "160M", PowerCategory::Qrp,
       "SINGLE-OP-ASSISTED 160M QRP"},
      {OperatorCategory::Multiple, TransmitterCategory::One, "ALL", PowerCategory::High,
       "MULTI-ONE ALL HIGH"},
      {OperatorCategory::Multiple, TransmitterCategory::Multi, "10M", PowerCategory::Low,
       "MULTI-MULTI 10M LOW"},
      {OperatorCategory::Checklog, TransmitterCategory::None, "ALL", PowerCategory::None, "CHECKLOG ALL "},
      // A transmitter count without Multiple adds nothing.
      {OperatorCategory::Single, TransmitterCategory::Two, "40M", PowerCategory::High, "SINGLE-OP 40M HIGH"},
  };
  for (const Case &c : cases) {
    CabrilloHeader h = header(QStringLiteral("CW"), QStringLiteral("K1ABC"));
    h.category.op = c.op;
    h.category.transmitters = c.transmitters;
    h.category.band = QString::fromLatin1(c.band);
    h.category.power = c.power;
    EXPECT_TRUE(QString::fromLatin1(cabrilloLog(h, LogArrays()))
                    .contains(QStringLiteral("\r\nCATEGORY: %1\r\n").arg(c.line)))
        << c.line;
  }

  CabrilloHeader h = header(QStringLiteral("CW"), QStringLiteral("K1ABC"));
  h.category.bandLimited = true;
  EXPECT_TRUE(QString::fromLatin1(cabrilloLog(h, LogArrays()))
                  .contains(QStringLiteral("\r\nCATEGORY-OVERLAY: BAND-LIMITED\r\n")));
}

TEST(CabrilloQso, StoredValuesThatAreNotTheUsualForms) {
  // The whole file takes dates and times from the log's parsed moments, a single line parses
  // them itself: both must write the same.
  const auto line = [](const char *date, const char *time) {
    const LogEntry c = cabrilloContact("20", date, time, "001", "DL1XYZ", "123");
    const QString single = cabrilloQsoLine(c, QStringLiteral("PH"), QStringLiteral("K1ABC"));
    LogArrays log;
    log.append(c);
    const QString whole =
        QString::fromLatin1(cabrilloLog(header(QStringLiteral("PH"), QStringLiteral("K1ABC")), log));
    EXPECT_TRUE(whole.contains(QStringLiteral("\r\n") + single)) << date << ' ' << time;
    return single.mid(11, 19);
  };
  // Edited contacts may carry one-digit months, days and hours.
  EXPECT_EQ(line("2024/5/25", "7:05"), QStringLiteral("PH 2024-05-25 0705 "));
  EXPECT_EQ(line("1969/12/31", "23:59:59"), QStringLiteral("PH 1969-12-31 2359 "));
  // What is no date goes out as stored; what is no time gives its characters 1-2 and 4-5.
  EXPECT_EQ(line("25.5.2024", "12x34"), QStringLiteral("PH 25.5.2024  1234 "));
  EXPECT_EQ(line("2024/02/30", "12:34"), QStringLiteral("PH 2024/02/30 1234 "));
  EXPECT_EQ(line("2024/02/29", "24:00"), QStringLiteral("PH 2024-02-29 2400 "));

  // A line break in a stored value must not split the QSO line.
  const QString broken =
      cabrilloQsoLine(cabrilloContact("20", "2024/05/25", "12:34:56", "001", "DL1\r\nXYZ", "123"),
                      QStringLiteral("CW"), QStringLiteral("K1ABC"));
  EXPECT_EQ(broken.count(QStringLiteral("\r\n")), 1);
  EXPECT_TRUE(broken.endsWith(QStringLiteral("DL1  XYZ      599 123    1\r\n")));
}

TEST(CabrilloHeader, OperatorsAndALineBreakInTheSoapbox) {
  CabrilloHeader h = header(QStringLiteral("CW"), QStringLiteral("K1ABC"));
  h.operators = QStringLiteral(" ");
  EXPECT_TRUE(
      QString::fromLatin1(cabrilloLog(h, LogArrays())).contains(QStringLiteral("\r\nOPERATORS:  \r\n")))
      << "any text at all names the operators";
  h.soapbox = QStringLiteral("one\ntwo");
  EXPECT_TRUE(
      QString::fromLatin1(cabrilloLog(h, LogArrays())).contains(QStringLiteral("\r\nSOAPBOX: one two\r\n")));
}
