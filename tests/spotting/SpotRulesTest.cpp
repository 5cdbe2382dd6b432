// The rules of spot lines, the band-map caption, the spot-list row and the country of a
// spotted call, without any window.
#include "logging/CountryTable.h"
#include "platform/VbText.h"
#include "spotting/ClusterLines.h"
#include "spotting/CountryForDXSpot.h"
#include "spotting/SpotTable.h"
#include "tests/support/TestContext.h"

#include <gtest/gtest.h>

namespace {

using Entry = std::pair<QString, QString>;

CountryList table(const QList<Entry> &entries) {
  CountryList list;
  for (const auto &[prefix, name] : entries)
    list.add(CountryEntry{prefix, name, QString()});
  return list;
}

struct LineCase {
  QString line;
  QString freq, call;
  QString frequencyColumn; // "" when the intake turns the frequency away
  QStringList columns;     // Comments, Prefix, Time, From
  QString caption, country;
};

TEST(SpotLine, SlicesWorkedLinesIntoTheSpotListRow) {
  const CountryList countries = table(
      {{"Q", "Qland"}, {"Q7", "Q-Seven"}, {"QQ1", "QQ-One"}, {"QQ12", "QQ-Twelve"}, {"QQ3", "QQ-Three"}});
  const QString crlf = QStringLiteral("\r\n");
  const std::vector<LineCase> cases = {
      {"DX de Q7ABC:     14025.0  Q7XYZ        CQ WPX CW                      1234Z MA",
       "14025.0",
       "Q7XYZ",
       "14.025",
       {"de Q7ABC:  CQ WPX CW", "", "1234", "MA"},
       "Q7",
       "Q-Seven"},
      {"DX de Q7AB:       7010.0  QQ1QQ/4      UP 2 QQ1                       0815Z",
       "7010.0",
       "QQ1QQ/4",
       "7.01",
       {"de Q7AB:  UP 2 QQ1", "", "0815", ""},
       "QQ4",
       "QQ-One"},
      {"DX de Q7ABC:      1830.5  QQ12QQ       TNX QSO  PFX: QQ12             2359Z JN58",
       "1830.5",
       "QQ12QQ",
       "1.8305",
       {"de Q7ABC:  TNX QSO  PFX: QQ12", "", "2359", "JN5"},
       "QQ12",
       "QQ-Twelve"},
      {"DX de Q7ABC:     21025.3  QQ1QQQ/QQ3   LOUD IN EU, QSX UP 2 PFX QQ12A 1502Z NY" + crlf,
       "21025.3",
       "QQ1QQQ/QQ3",
       "21.0253",
       {"de Q7ABC:  LOUD IN EU, QSX UP 2 PF", "QQ12A", "1502", "NY"},
       "QQ3",
       "QQ-Three"},
      // A short TNC line: its call field runs into the line end, which the call never keeps.
      {"DX de Q7ABC:     28000.0  Q7XYZ" + crlf,
       "28000.0",
       "Q7XYZ",
       "28",
       {"de Q7ABC:  ", "", "", ""},
       "Q7",
       "Q-Seven"},
      {"dx de Q7ABC:      3510.0  QQ12QQ" + crlf,
       "3510.0",
       "QQ12QQ",
       "3.51",
       {"de Q7ABC:  ", "", "", ""},
       "QQ12",
       "QQ-Twelve"},
      // 20 characters: a frequency (with the line end, still a number) and no call.
      {"DX de Q7ABC:     140" + crlf, "140" + crlf, "", "0.14", {"de Q7ABC:  ", "", "", ""}, "", ""},
      {"DX de Q7AB", "", "", "", {}, "", ""},
  };
  for (const LineCase &c : cases) {
    SCOPED_TRACE(c.line.toStdString());
    EXPECT_TRUE(isDXLine(c.line));
    EXPECT_EQ(spotFreqText(c.line), c.freq);
    EXPECT_EQ(spotCallText(c.line), c.call);
    const auto frequency = spotFrequency(spotFreqText(c.line));
    ASSERT_EQ(frequency.has_value(), !c.frequencyColumn.isEmpty());
    if (!frequency)
      continue;
    EXPECT_EQ(frequency->text, c.frequencyColumn);
    const QString record = cutRecord(SpotRecord(c.line));
    EXPECT_FALSE(record.contains(u'\r') || record.contains(u'\n'));
    const QString country = countryForDXSpot(countries, c.call);
    EXPECT_EQ(country, c.country);
    EXPECT_EQ(spotListRow(c.call, frequency->text, country, QString(), record),
              QStringList({c.call, c.frequencyColumn, c.country, ""}) + c.columns);
    EXPECT_EQ(PreFixFromCall(c.call), c.caption);
  }
  EXPECT_FALSE(isDXLine(QStringLiteral("D")));
  EXPECT_FALSE(isDXLine(QStringLiteral("Q7ABC de DX")));
}

TEST(SpotLine, FrequencyIsReadAndShownWithAPointWhateverTheLocale) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const auto f = spotFrequency(QStringLiteral("14025.0"));
  QLocale::setDefault(saved);
  ASSERT_TRUE(f);
  EXPECT_EQ(static_cast<float>(f->mhz), 14.025f);
  EXPECT_EQ(f->text, QStringLiteral("14.025"));
  EXPECT_EQ(static_cast<float>(spotFrequency(QStringLiteral("7010.3"))->mhz), 7.0103f);
  for (const char *bad : {"", "14,025", "&H3000", "QQ1", "14025.0.0"})
    EXPECT_FALSE(spotFrequency(QString::fromLatin1(bad))) << bad;
}

TEST(SpotTableRules, CaptionOfACall) {
  const std::vector<std::pair<QString, QString>> cases = {
      {"QQ1QQ", "QQ1"},        {"QQ12QQ", "QQ12"},   {"QQQ", "QQQ"},   {"Q1", ""},
      {"QQ/QQ1QQ", "QQ"},      {"QQ1QQ/4", "QQ4"},   {"QQ1QQ/P", "P"}, {"QQ1/QQ", "QQ"},
      {"QQ1QQQQ/QQQQ", "QQQ"}, {"QQQQ/7", "QQQQ/7"}, {"", ""},
  };
  for (const auto &[call, prefix] : cases)
    EXPECT_EQ(PreFixFromCall(call), prefix) << call.toStdString();
}

// Fillers in code order after the digit prefixes, so that the table is sorted as the list is.
CountryList digitsThenLetters(int count) {
  QList<Entry> entries = {{"5", "Five low"}, {"5", "Five high"}};
  for (int i = 0; entries.size() < count; ++i)
    entries.append(Entry{QStringLiteral("A%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("Filler")});
  return table(entries);
}

TEST(CountryOfASpottedCall, LongestPrefixInTheCallsBlock) {
  struct Case {
    const char *what;
    CountryList list;
    QString call, country;
  };
  QList<Entry> mEntries = {{"A", "A"}, {"M", "Early M"}, {"A1", "A"}, {"B", "B"}, {"L", "L"}};
  while (mEntries.size() < 9)
    mEntries.append(Entry{"L1", "L"});
  mEntries.append({Entry{"M", "Half M"}, Entry{"N", "N"}});
  while (mEntries.size() < 20)
    mEntries.append(Entry{"N1", "N"});
  const std::vector<Case> cases = {
      {"longer prefix", table({{"Q", "Q"}, {"QQ1", "QQ1"}}), "QQ1QQ", "QQ1"},
      {"shorter prefix", table({{"Q", "Q"}, {"QQ1", "QQ1"}}), "QQ2QQ", "Q"},
      {"suffix looked up", table({{"QQ1", "QQ1"}, {"QQ3", "QQ3"}}), "QQ1QQQ/QQ3", "QQ3"},
      {"one-letter suffix", table({{"QQ1", "QQ1"}, {"QQ3", "QQ3"}}), "QQ1QQ/P", "QQ1"},
      {"long suffix", table({{"QQ1", "QQ1"}, {"QQ3", "QQ3"}}), "QQ3/QQ1QQQ", "QQ3"},
      {"M starts at half", table(mEntries), "M0ABC", "Half M"},
      {"equal prefixes upwards", table({{"A", "A"}, {"Q", "First"}, {"Q", "Second"}}), "QQ1", "First"},
      {"digit scans down, higher index wins", digitsThenLetters(78), "55X", "Five high"},
      {"lower case", table({{"Q", "Q"}, {"QQ1", "QQ1"}}), "qq1qq", ""},
      {"above Z", digitsThenLetters(78), "[ABC", ""},
      {"lower case, large table", digitsThenLetters(78), "a000", ""},
      {"KG4 of five", table({{"K", "USA"}, {"KG4", "Guantanamo Bay"}}), "KG4AB", "Guantanamo Bay"},
      {"KG4 of six", table({{"K", "USA"}, {"KG4", "Guantanamo Bay"}}), "KG4ABC", "USA"},
      {"KG4 of six, nothing matched", table({{"W", "W"}}), "KG4ABC", ""},
      {"empty table", CountryList(), "QQ1QQ", ""},
      {"empty call", table({{"Q", "Q"}}), "", ""},
  };
  for (const Case &c : cases)
    EXPECT_EQ(countryForDXSpot(c.list, c.call), c.country) << c.what;
}

TEST(CountryOfASpottedCall, RealCountryList) {
  const auto content = vb::readLatin1(sourceDataDir() + QStringLiteral("/arrlpre2.txt"));
  ASSERT_TRUE(content);
  CountryList list;
  ASSERT_TRUE(readCountryList(*content, list));
  const std::vector<std::pair<QString, QString>> cases = {
      {"DL1ABC", "Fed. Rep. of Germany"}, {"JA1XYZ", "Japan"}, {"M0ABC", "England"},
      {"VK2ABC/P", "Australia"},          {"4X1AB", "Israel"}, {"9A2AA", "Croatia"},
      {"KG4AB", "Guantanamo Bay"},        {"KG4ABC", "USA"},   {"dl1abc", ""},
  };
  for (const auto &[call, country] : cases)
    EXPECT_EQ(countryForDXSpot(list, call), country) << call.toStdString();
}

} // namespace
