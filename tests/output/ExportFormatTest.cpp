#include "output/AdifExport.h"
#include "output/LogExport.h"
#include "platform/VbText.h"
#include "tests/output/ExportTestData.h"
#include "tests/support/TestContext.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

const AdifHeader kHeader{QStringLiteral("Orvex Network 1.0") + QString(50, u' ') +
                             QStringLiteral("beyond sixty"),
                         QStringLiteral("25/05/2024")};

DxccTable realDxccTable() {
  QString error;
  auto table = DxccTable::read(sourceDataDir() + QStringLiteral("/ADIFCnt.txt"), &error);
  if (!table)
    ADD_FAILURE() << error.toStdString();
  return table.value_or(DxccTable{});
}

// An ADIF reader written from the format, not from the writer: each field's length says how
// many bytes its value holds, and every value is followed by a blank or a line end, so a
// length one off is caught at the field where it happens.
using AdifRecord = std::map<std::string, std::string>;

std::vector<AdifRecord> readAdif(const QByteArray &bytes) {
  const std::string s = bytes.toStdString();
  const size_t eoh = s.find("<EOH>");
  if (eoh == std::string::npos) {
    ADD_FAILURE() << "no <EOH>";
    return {};
  }
  std::vector<AdifRecord> records;
  AdifRecord current;
  size_t pos = eoh + 5;
  while (true) {
    pos = s.find_first_not_of(" \r\n", pos);
    if (pos == std::string::npos)
      break;
    if (s[pos] != '<') {
      ADD_FAILURE() << "text outside a field at byte " << pos << ": " << s.substr(pos, 20);
      return records;
    }
    const size_t close = s.find('>', pos);
    const std::string tag = s.substr(pos + 1, close - pos - 1);
    pos = close + 1;
    if (tag == "eor") {
      records.push_back(current);
      current.clear();
      continue;
    }
    const size_t colon = tag.find(':');
    const std::string name = tag.substr(0, colon);
    const size_t length = std::stoul(tag.substr(colon + 1));
    current[name] = s.substr(pos, length);
    pos += length;
    if (pos >= s.size() || (s[pos] != ' ' && s[pos] != '\r')) {
      ADD_FAILURE() << "field " << name << " is not followed by a blank or line end";
      return records;
    }
  }
  EXPECT_TRUE(current.empty()) << "the last record has no <eor>";
  return records;
}

} // namespace

TEST(AdifFile, MatchesTheGoldenFileWithAComment) {
  EXPECT_EQ(adifText(goldenLog(), QStringLiteral("CW"), realDxccTable(), kHeader,
                     {QStringLiteral("100  "), QStringLiteral("Contest é 2024")}),
            golden("with_comment.adi"));
}

TEST(AdifFile, MatchesTheGoldenFileWithoutCommentOrPower) {
  EXPECT_EQ(adifText(goldenLog(), QStringLiteral("ph"), realDxccTable(), kHeader, {}),
            golden("without_comment.adi"));
}

TEST(AdifFile, EveryLengthAndRecordEndReadsBack) {
  for (const char *comment : {"Contest é 2024", ""}) {
    const QByteArray bytes = adifText(goldenLog(), QStringLiteral("RY"), realDxccTable(), kHeader,
                                      {QStringLiteral("  5 W  "), QString::fromUtf8(comment)});
    const auto records = readAdif(bytes);
    ASSERT_EQ(records.size(), 6u) << comment;
    EXPECT_EQ(records[0].at("Call"), "DL1XYZ");
    EXPECT_EQ(records[0].at("Mode"), "RTTY");
    EXPECT_EQ(records[0].at("Tx_Pwr"), "  5 W");
    EXPECT_FALSE(records[1].contains("Call"));
    EXPECT_EQ(records[1].at("Qso_Date"), "20240525");
    EXPECT_EQ(records[1].at("State"), "AK");
    EXPECT_EQ(records[2].at("Band"), "M");
    EXPECT_FALSE(records[3].contains("Time_On"));
    EXPECT_EQ(records[3].at("DXCC"), "248");
    if (*comment)
      EXPECT_EQ(records[5].at("Comment"), "Contest \xe9 2024");
    else
      EXPECT_FALSE(records[5].contains("Comment"));
  }
}

TEST(AdifFile, EmptyLogIsTheHeaderOnly) {
  EXPECT_EQ(adifText(LogArrays{}, QStringLiteral("CW"), DxccTable{}, kHeader, {}),
            QByteArrayLiteral(
                "ADIF Export from Orvex Network 1.0\r\nLog exported on: 25/05/2024\r\n\r\n<EOH>\r\n\r\n"));
}

TEST(AdifFile, TimeOnIsHoursAndMinutesOfAnyStoredForm) {
  const std::pair<const char *, const char *> cases[] = {
      {"12:34:56", "1234"}, {"9:05:00", "0905"}, {"9:5", "0905"}, {" 7:30 ", "0730"},
      {"905", "0905"},      {"123456", "1234"},  {"", "0000"},    {"-1", "00-1"},
      {"25:61:00", "2561"}, {"1:2x", "012x"},    {"12:3", "1203"}};
  for (const auto &[stored, expected] : cases)
    EXPECT_EQ(adifTime(QString::fromLatin1(stored)), QString::fromLatin1(expected)) << stored;
}

TEST(AdifFile, StateOnlyForAlaskaAndHawaii) {
  EXPECT_EQ(adifState(QStringLiteral("Alaska")), QStringLiteral("AK"));
  EXPECT_EQ(adifState(QStringLiteral("HAWAII")), QStringLiteral("HI"));
  EXPECT_EQ(adifState(QStringLiteral("USA")), QString());
  EXPECT_EQ(adifState(QStringLiteral("Alaska Islands")), QString());
}

TEST(DxccTable, RealTableNumbersEveryCountryOfTheCountryList) {
  const DxccTable table = realDxccTable();
  EXPECT_EQ(table.number(QStringLiteral("Fed. Rep. of Germany")), 230);
  EXPECT_EQ(table.number(QStringLiteral("usa")), 291);
  EXPECT_EQ(table.number(QStringLiteral("Sicily")), 248);
  EXPECT_EQ(table.number(QStringLiteral("European Turkey")), 390);
  EXPECT_EQ(table.number(QStringLiteral(" Alaska ")), 6);
  EXPECT_EQ(table.number(QStringLiteral("Atlantis")), 0);

  // The lookup is by name, so a country the entry row can fill in without a number would
  // silently lose its DXCC tag.
  auto reader = vb::FieldReader::fromFile(sourceDataDir() + QStringLiteral("/arrlpre2.txt"));
  ASSERT_TRUE(reader);
  int records = 0;
  while (!reader->atEnd()) {
    QStringList fields;
    for (int i = 0; i < 8; ++i)
      fields << reader->text().value_or(QString());
    ++records;
    EXPECT_GT(table.number(fields[1]), 0) << fields[1].toStdString();
  }
  EXPECT_GT(records, 7000);
}

TEST(DxccTable, FirstMatchWinsAndShortTextsNeverMatch) {
  QString error;
  const auto table = DxccTable::parse(QStringLiteral("\"Italy\",248\r\n\"ITALY\",1\r\n\"XX\",5\r\n"
                                                     "\"Zero\",0\r\nBare Name , 7\r\n"),
                                      &error);
  ASSERT_TRUE(table) << error.toStdString();
  EXPECT_EQ(table->size(), 5);
  EXPECT_EQ(table->number(QStringLiteral("italy")), 248);
  EXPECT_EQ(table->number(QStringLiteral("XX")), 0);
  // The length test counts the blanks that the name comparison then trims off.
  EXPECT_EQ(table->number(QStringLiteral(" XX")), 5);
  EXPECT_EQ(table->number(QStringLiteral("Bare Name")), 7);
}

TEST(DxccTable, OversizeCutShortOrMissingTablesAreRefused) {
  QString content;
  for (int n = 1; n <= DxccTable::kCapacity; ++n)
    content += QStringLiteral("\"Country %1\",%1\r\n").arg(n);
  QString error;
  EXPECT_EQ(DxccTable::parse(content, &error)->size(), 1000);
  EXPECT_FALSE(DxccTable::parse(content + QStringLiteral("\"One more\",1\r\n"), &error));
  EXPECT_EQ(error, QStringLiteral("The DXCC table ADIFCnt.txt holds more than 1,000 records."));

  EXPECT_FALSE(DxccTable::parse(QStringLiteral("\"Italy\",248\r\n\"Sicily\"\r\n"), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("record 2"))) << error.toStdString();
  EXPECT_FALSE(DxccTable::parse(QStringLiteral("\"Italy\",70000\r\n"), &error));

  EXPECT_FALSE(DxccTable::read(QStringLiteral("/nonexistent/ADIFCnt.txt"), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("not found"))) << error.toStdString();
}

TEST(LogExpFile, MatchesTheGoldenFiles) {
  EXPECT_EQ(logExpText(goldenLog(), QStringLiteral("ry"), QStringLiteral("100  ")).toLatin1(),
            golden("logexp_rtty.txt"));
  EXPECT_EQ(logExpText(goldenLog(), QStringLiteral("CW"), QString()).toLatin1(),
            golden("logexp_no_power.txt"));
  EXPECT_EQ(logExpText(LogArrays{}, QStringLiteral("CW"), QString()), QString());
}
