#include "logging/CountryTable.h"

#include "platform/VbText.h"
#include "tests/support/TestContext.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

struct Row {
  const char *prefix;
  const char *name;
  const char *continent = "NA";
};

CountryList listOf(std::initializer_list<Row> rows) {
  CountryList list;
  for (const Row &r : rows)
    list.add(
        {QString::fromLatin1(r.prefix), QString::fromLatin1(r.name), QString::fromLatin1(r.continent), 0, 0});
  return list;
}

const CountryList &realList() {
  static const CountryList list = [] {
    CountryList l;
    const auto content = vb::readLatin1(sourceDataDir() + QStringLiteral("/arrlpre2.txt"));
    if (!content || !readCountryList(*content, l))
      ADD_FAILURE() << "the country list in data/ does not load";
    return l;
  }();
  return list;
}

QString countryOf(const CountryList &list, const char *call) {
  return lookupCountry(list, QString::fromLatin1(call)).name;
}

QString grouped(const char *text) {
  return QString::fromLatin1(text).replace(u',', QLocale::system().groupSeparator());
}

} // namespace

TEST(CountryListFile, ReadsQuotedRecordsAndSkipsBlankLines) {
  CountryList list;
  ASSERT_TRUE(
      readCountryList(QStringLiteral("\"K\",\"USA\",\"NA\",\"91.87\",\"37.60\",\"5\",\"8\",\"5.0\"\r\n"
                                     "\r\n"
                                     "   \r\n"
                                     "\"VE\",\"Canada\",\"NA\",\"78.75\",\"44.35\",\"5\",\"9\",\"5.0\"\r\n"
                                     "\r\n"),
                      list));
  ASSERT_EQ(list.CountryCount(), 2);
  EXPECT_EQ(list.slot(2).CountryPrefix, QStringLiteral("VE"));
  EXPECT_EQ(list.slot(2).CountryName, QStringLiteral("Canada"));
  EXPECT_EQ(list.slot(2).CountryContinent, QStringLiteral("NA"));
  EXPECT_FLOAT_EQ(list.slot(2).CountryLongitude, 78.75f);
  EXPECT_FLOAT_EQ(list.slot(2).CountryLatitude, 44.35f);
  EXPECT_TRUE(list.slot(0).CountryPrefix.isEmpty());
}

TEST(CountryListFile, MalformedRecordStopsWithTheCompleteRecordsKept) {
  const QString good = QStringLiteral("\"K\",\"USA\",\"NA\",\"91.87\",\"37.60\",\"5\",\"8\",\"5.0\"\r\n");
  const QString bad[] = {
      QStringLiteral("\"VE\",\"Canada\",\"NA\",\"west\",\"44.35\",\"5\",\"9\",\"5.0\"\r\n"),
      QStringLiteral("\"VE\",\"Canada\",\"NA\",\"78.75\",\"\",\"5\",\"9\",\"5.0\"\r\n"),
      QStringLiteral("\"VE\",\"Canada\",\"NA\",\"78.75\",\"44.35\",\"5\",\"9\"\r\n"),
      QStringLiteral("\"VE\",\"Canada\",\"NA\",\"78.75\",\"44.35\",\"5\",\"9\",\"5.0\",\"x\"\r\n"),
      QStringLiteral("\"VE\",\"Canada\",\"NA\",\"1e999\",\"44.35\",\"5\",\"9\",\"5.0\"\r\n"),
  };
  for (const QString &line : bad) {
    CountryList list;
    EXPECT_FALSE(readCountryList(good + line + good, list)) << line.toStdString();
    EXPECT_EQ(list.CountryCount(), 1) << line.toStdString();
  }
}

TEST(CountryListFile, RecordBeyondTheCapacityIsAnError) {
  QString content;
  for (int i = 0; i <= CountryList::kCapacity; ++i)
    content +=
        QStringLiteral("\"P%1\",\"X\",\"EU\",\"1\",\"2\",\"\",\"\",\"\"\r\n").arg(i, 5, 10, QChar(u'0'));
  CountryList list;
  EXPECT_FALSE(readCountryList(content, list));
  EXPECT_EQ(list.CountryCount(), CountryList::kCapacity);
}

TEST(CountryListFile, RealListLoadsCompletely) {
  const CountryList &list = realList();
  ASSERT_EQ(list.CountryCount(), 7738);
  struct Known {
    const char *prefix, *name, *continent;
    float longitude, latitude;
  };
  const Known known[] = {{"K", "USA", "NA", 91.87f, 37.60f},
                         {"VE", "Canada", "NA", 78.75f, 44.35f},
                         {"JA", "Japan", "AS", -138.38f, 36.40f},
                         {"VK", "Australia", "OC", -132.33f, -23.70f},
                         {"ZS", "South Africa", "AF", -22.63f, -29.07f},
                         {"KH6", "Hawaii", "OC", 157.48f, 21.12f},
                         {"4X", "Israel", "AS", -34.82f, 31.32f}};
  for (const Known &k : known) {
    int slot = 0;
    for (int i = 1; i <= list.CountryCount() && slot == 0; ++i)
      slot = list.slot(i).CountryPrefix == QLatin1String(k.prefix) ? i : 0;
    ASSERT_NE(slot, 0) << k.prefix;
    EXPECT_EQ(list.slot(slot).CountryName, QLatin1String(k.name)) << k.prefix;
    EXPECT_EQ(list.slot(slot).CountryContinent, QLatin1String(k.continent)) << k.prefix;
    EXPECT_FLOAT_EQ(list.slot(slot).CountryLongitude, k.longitude) << k.prefix;
    EXPECT_FLOAT_EQ(list.slot(slot).CountryLatitude, k.latitude) << k.prefix;
  }
}

TEST(CountryLookup, WorkedExamplesOnTheRealList) {
  const CountryList &list = realList();
  const struct {
    const char *call, *country;
  } cases[] = {
      {"KH6XYZ", "Hawaii"},
      {"K1ABC", "USA"},
      {"4X4XYZ", "Israel"},
      {"JA1XYZ", "Japan"},
      {"ZS6ABC", "South Africa"},
      {"VK2ABC", "Australia"},
      {"KG4AB", "Guantanamo Bay"},
      {"KG4A", "USA"},
      {"KG4ABC", "USA"},
      {"K1ABC/VE3", "Canada"},
      {"W1AB/VE3", "Canada"},
      {"W1/VE3", "USA"},
      {"W1ABC/4", "USA"},
      {"VE3/W1ABC", "Canada"},
      {"k1abc", "USA"},
      {"QQ1ABC", "Not Found"},
      {"W1ABC/QRP", "Not Found"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(countryOf(list, c.call), QLatin1String(c.country)) << c.call;
  // Stateside KG4 calls take the first USA entry, whose continent the points use.
  EXPECT_EQ(list.slot(lookupCountry(list, QStringLiteral("KG4ABC")).index).CountryPrefix,
            QStringLiteral("AA"));
}

TEST(CountryLookup, BlockScanFindsTheLongestPrefixForEveryEntryOfTheRealList) {
  // The real list holds no duplicate prefixes, so the block scan must agree with a search of
  // the whole table for every prefix, including the large digit, B and R blocks.
  const CountryList &list = realList();
  for (int i = 1; i <= list.CountryCount(); ++i) {
    const QString call = list.slot(i).CountryPrefix + QStringLiteral("ZZ");
    int best = 0;
    for (int j = 1; j <= list.CountryCount(); ++j) {
      const QString &p = list.slot(j).CountryPrefix;
      if (call.startsWith(p) && (best == 0 || p.size() > list.slot(best).CountryPrefix.size()))
        best = j;
    }
    const CountryMatch m = lookupCountry(list, call);
    ASSERT_EQ(m.index, best) << call.toStdString();
  }
}

TEST(CountryLookup, TiesKeepTheSlotMetFirstInScanDirection) {
  // Scanning up from the start of the A block meets the first A entry first.
  EXPECT_EQ(countryOf(listOf({{"A", "First"}, {"A", "Second"}, {"B", "Bee"}}), "A1"),
            QStringLiteral("First"));
  // With 78 entries the estimate for A is slot 3, past the A block: the scan runs downwards.
  CountryList down = listOf({{"A", "First"}, {"A", "Second"}});
  for (int i = 0; i < 76; ++i)
    down.add({QStringLiteral("B%1").arg(i, 2, 10, QChar(u'0')), QStringLiteral("Bee"), QStringLiteral("EU"),
              0, 0});
  EXPECT_EQ(countryOf(down, "A1"), QStringLiteral("Second"));
}

TEST(CountryLookup, StartSlotStaysInsideTheTable) {
  const CountryList small = listOf({{"A", "Ay"}, {"K", "Kay"}, {"KH6", "Hawaii"}});
  EXPECT_EQ(countryOf(small, "A1"), QStringLiteral("Ay")); // start estimate 0
  EXPECT_EQ(countryOf(small, "KH6XYZ"), QStringLiteral("Hawaii"));
  EXPECT_EQ(countryOf(small, "kh6xyz"), QStringLiteral("Hawaii"));
  EXPECT_EQ(countryOf(small, "~K1"), QStringLiteral("Not Found"));
  EXPECT_EQ(countryOf(CountryList{}, "K1ABC"), QStringLiteral("Not Found"));
  EXPECT_EQ(lookupCountry(small, QString()).outcome, CountryMatch::Outcome::NoCall);
  // Without a USA entry a stateside KG4 call is still named USA, but points at no slot.
  const CountryMatch kg4 =
      lookupCountry(listOf({{"K", "Alaska"}, {"KG4", "Guantanamo Bay"}}), QStringLiteral("KG4ABC"));
  EXPECT_EQ(kg4.name, QStringLiteral("USA"));
  EXPECT_EQ(kg4.index, 0);
}

TEST(CountryTypeAhead, LastNameBeginningWithTheTypedTextWins) {
  const CountryList list =
      listOf({{"VE", "Canada"}, {"EA8", "Canary Islands"}, {"XO", "Canada"}, {"K", "USA"}});
  EXPECT_EQ(countryByName(list, QStringLiteral("can")), 3);
  EXPECT_EQ(countryByName(list, QStringLiteral("CANA")), 3);
  EXPECT_EQ(countryByName(list, QStringLiteral("Canar")), 2);
  EXPECT_EQ(countryByName(list, QStringLiteral("Z")), 0);
}

TEST(BeamHeading, WorkedExamples) {
  const struct {
    double myLat, myLon, lat, lon;
    const char *bearing, *distance;
  } cases[] = {
      {40, 75, 40, 100, "278 ", "1,318 "}, // due west at the same latitude: above 180
      {40, 75, 40, 50, "82 ", "1,318 "},   // due east: below 180
      {41.7, 72.7, 51, -10, "50 ", "3,782 "}, {40, 75, 60, 75, "360 ", "1,381 "}, // due north
      {40, 75, 20, 75, "180 ", "1,381 "},                                         // due south
  };
  for (const auto &c : cases) {
    const HeadingTexts t = headingTexts(c.myLat, c.myLon, c.lat, c.lon);
    EXPECT_EQ(t.bearing, QLatin1String(c.bearing)) << c.lat << "/" << c.lon;
    EXPECT_EQ(t.distance, grouped(c.distance)) << c.lat << "/" << c.lon;
  }
}

TEST(BeamHeading, OwnPointAndAntipodeHaveNoBearing) {
  for (const float lat : {40.0f, 41.7f, -33.87f, 0.0f, 89.9f}) {
    for (const float lon : {75.0f, 72.7f, -151.2f}) {
      EXPECT_FALSE(beamHeading(lat, lon, lat, lon)) << lat << "/" << lon;
      const HeadingTexts t = headingTexts(lat, lon, lat, lon);
      EXPECT_TRUE(t.bearing.isEmpty() && t.distance.isEmpty());
      EXPECT_FALSE(beamHeading(lat, lon, -lat, lon > 0 ? lon - 180 : lon + 180)) << lat << "/" << lon;
    }
  }
}
