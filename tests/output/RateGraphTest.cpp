#include "output/RateGraph.h"

#include <QDateTime>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QDateTime kStart(QDate(2024, 5, 25), QTime(12, 0, 0), QTimeZone::utc());

void add(LogArrays &log, qint64 secs, const QString &band = QStringLiteral("20")) {
  LogEntry e;
  const QDateTime at = kStart.addSecs(secs);
  e.flddate = at.toString(QStringLiteral("yyyy/MM/dd"));
  e.fldtime = at.toString(QStringLiteral("HH:mm:ss"));
  e.uband = band;
  log.append(e);
}

// `count` contacts `every` seconds apart from the start.
LogArrays evenly(int count, qint64 every) {
  LogArrays log;
  for (int i = 0; i < count; ++i)
    add(log, i * every);
  return log;
}

int stepsWithRate(const RateGraph &g) {
  int n = 0;
  for (int k = 1; k <= kRateSteps; ++k)
    n += g.drawn[k] > 0 ? 1 : 0;
  return n;
}

} // namespace

TEST(RateGraph, SevenContactsOneMinuteApart) {
  const QLocale us(QLocale::English, QLocale::UnitedStates);
  const auto g = computeRateGraph(evenly(7, 60), kBlack, us);
  ASSERT_TRUE(g);
  const int steps[] = {1, 250, 500, 750, 1000, 1250, 1500};
  for (int i = 0; i < 7; ++i)
    EXPECT_FLOAT_EQ(g->raw[steps[i]], 6.0f * static_cast<float>(i + 1)) << steps[i];
  // Only the fifteen steps before a contact are bridged, starting from the zero before them.
  EXPECT_EQ(g->raw[1484], 0.0f);
  EXPECT_EQ(g->raw[1485], 0.0f);
  EXPECT_FLOAT_EQ(g->raw[1486], 2.8f);
  EXPECT_FLOAT_EQ(g->raw[1499], 39.2f);
  EXPECT_EQ(g->drawn[1300], 0.0f);
  EXPECT_EQ(g->drawn[1], 6.0f);
  EXPECT_FLOAT_EQ(g->drawn[1256], 36.0f);
  EXPECT_FLOAT_EQ(g->maximum, 36.0f);
  EXPECT_FLOAT_EQ(g->minimum, 0.0f);

  EXPECT_EQ(g->rates[0], QStringLiteral("0.0"));
  EXPECT_EQ(g->rates[1], QStringLiteral("2.3")); // 2.25, half away from zero
  EXPECT_EQ(g->rates[8], QStringLiteral("18.0"));
  EXPECT_EQ(g->rates[16], QStringLiteral("36.0"));
  EXPECT_EQ(g->times[0], QStringLiteral("12:00"));
  EXPECT_EQ(g->times[7], QStringLiteral("12:03"));
  EXPECT_EQ(g->times[14], QStringLiteral("12:06"));
  for (const QString &d : g->dates)
    EXPECT_EQ(d, QStringLiteral("05/25"));
  // Shown dates take the locale's own separator.
  for (const auto &[locale, shown] : {std::pair{QLocale(QLocale::German, QLocale::Germany), "05.25"},
                                      std::pair{QLocale(QLocale::Swedish, QLocale::Sweden), "05-25"}})
    EXPECT_EQ(computeRateGraph(evenly(7, 60), kBlack, locale)->dates[14], QLatin1String(shown));

  // Gaps wider than fifteen steps stay uncoloured; steps with a rate carry the band's colour.
  EXPECT_EQ(g->strip[1300], kBlack);
  EXPECT_EQ(g->strip[1250], kGreen);
  EXPECT_EQ(g->strip[1256], kGreen);
}

TEST(RateGraph, RateCountsTheTenMinutesBeforeEachContact) {
  // Ten contacts in nine minutes: all ten count at the tenth.
  auto g = computeRateGraph(evenly(10, 60), kBlack);
  ASSERT_TRUE(g);
  EXPECT_FLOAT_EQ(g->raw[kRateSteps], 60.0f);
  // Spread over exactly ten minutes the first no longer counts.
  LogArrays log = evenly(9, 66);
  add(log, 600);
  g = computeRateGraph(log, kBlack);
  ASSERT_TRUE(g);
  EXPECT_FLOAT_EQ(g->raw[kRateSteps], 54.0f);
}

TEST(RateGraph, NeedsSevenReadableContacts) {
  EXPECT_FALSE(computeRateGraph(evenly(6, 60), kBlack));
  EXPECT_TRUE(computeRateGraph(evenly(7, 60), kBlack));

  // Unreadable contacts are left out, and the axis starts at the first readable one.
  LogArrays log;
  LogEntry broken;
  broken.flddate = QStringLiteral("2024/13/01");
  broken.fldtime = QStringLiteral("11:00:00");
  log.append(broken);
  for (int i = 0; i < 6; ++i)
    add(log, 60 * i);
  broken.flddate = QStringLiteral("2024/05/25");
  broken.fldtime = QStringLiteral("noon");
  log.append(broken);
  EXPECT_FALSE(computeRateGraph(log, kBlack));
  add(log, 360);
  const auto g = computeRateGraph(log, kBlack);
  ASSERT_TRUE(g);
  EXPECT_EQ(g->times[0], QStringLiteral("12:00"));
  EXPECT_EQ(g->times[14], QStringLiteral("12:06"));
  EXPECT_FLOAT_EQ(g->raw[kRateSteps], 42.0f);
}

TEST(RateGraph, DegenerateLogsStillGiveAFigure) {
  const RatePlotBounds bounds{1000, 2500, 0, 1000, 1100, 1300};
  const auto finite = [&](const RateGraph &g) {
    for (const QLineF &s : rateFigure(g, bounds).segments)
      if (!std::isfinite(s.y1()) || !std::isfinite(s.y2()) || !std::isfinite(s.x1()))
        return false;
    return true;
  };

  // Every contact in one second: all on step 1, whose drawn rate stays 6.
  auto g = computeRateGraph(evenly(7, 0), kBlack);
  ASSERT_TRUE(g);
  EXPECT_FLOAT_EQ(g->raw[1], 42.0f);
  EXPECT_EQ(g->drawn[1], 6.0f);
  EXPECT_FLOAT_EQ(g->drawn[7], 42.0f); // the first smoothed step still reaches step 1
  EXPECT_EQ(stepsWithRate(*g), 2);
  EXPECT_TRUE(finite(*g));
  EXPECT_EQ(g->times[14], QStringLiteral("12:00"));

  // A contact every ten minutes, fifteen steps apart: the same rate everywhere, drawn at the
  // bottom of the plot.
  g = computeRateGraph(evenly(101, 600), kBlack);
  ASSERT_TRUE(g);
  EXPECT_EQ(stepsWithRate(*g), kRateSteps);
  EXPECT_FLOAT_EQ(g->minimum, 6.0f);
  EXPECT_FLOAT_EQ(g->maximum, 6.0f);
  EXPECT_EQ(g->rates[0], QStringLiteral("6.0"));
  EXPECT_EQ(g->rates[16], QStringLiteral("6.0"));
  ASSERT_TRUE(finite(*g));
  EXPECT_DOUBLE_EQ(rateFigure(*g, bounds).segments[700].y1(), 1000 - 0.0025 * 1000);

  // The last contact older than the first: no span to spread over.
  LogArrays log = evenly(6, 60);
  add(log, -3600);
  g = computeRateGraph(log, kBlack);
  ASSERT_TRUE(g);
  EXPECT_TRUE(finite(*g));
  EXPECT_EQ(g->times[0], QStringLiteral("12:00"));
  EXPECT_EQ(g->times[14], QStringLiteral("11:00"));
}

TEST(RateGraph, ContactsOutOfTimeOrderArePlacedOnlyWithinTheArrays) {
  // One second a step. Contacts logged with other times stay in every count but are placed
  // only when their step falls within the arrays.
  LogArrays log;
  for (qint64 secs : {0, -100, 250, 500, 750, 1550, 1000, 1700, 1250, 1500})
    add(log, secs);
  const auto g = computeRateGraph(log, kBlack);
  ASSERT_TRUE(g);
  EXPECT_FLOAT_EQ(g->raw[250], 18.0f);  // counts the one before the first
  EXPECT_FLOAT_EQ(g->raw[500], 12.0f);  // which then ends the count of the next
  EXPECT_FLOAT_EQ(g->raw[1550], 6.0f);  // past the last step, still within the arrays
  EXPECT_FLOAT_EQ(g->raw[1250], 30.0f); // counts the one at 1,700 s that was not placed
  EXPECT_FLOAT_EQ(g->raw[1500], 30.0f);
  EXPECT_FLOAT_EQ(g->raw[1000], 24.0f);
}

TEST(RateGraph, StripCarriesTheBandColourAcrossStepsWithARate) {
  // One second a step, a contact every ten steps: the rate never falls to zero.
  LogArrays log;
  for (qint64 secs = 0; secs <= 1500; secs += 10) {
    QString band = secs < 1000 ? QStringLiteral("20") : QStringLiteral("40");
    if (secs == 750)
      band = QStringLiteral("17");
    if (secs == 1200)
      band = QStringLiteral("160");
    add(log, secs, band);
  }
  auto g = computeRateGraph(log, kBlack);
  ASSERT_TRUE(g);
  EXPECT_EQ(g->strip[745], kGreen);
  EXPECT_EQ(g->strip[750], kGreen); // unknown band: the carried colour
  EXPECT_EQ(g->strip[1005], kRed);
  EXPECT_EQ(g->strip[1200], kWhite);

  // On white the "160" colour is the background's, so the carried colour fills it.
  g = computeRateGraph(log, kWhite);
  ASSERT_TRUE(g);
  EXPECT_EQ(g->strip[1200], kRed);
  EXPECT_EQ(g->strip[750], kGreen);
}

TEST(RateGraph, FigurePlacesStepsBetweenThePlotBounds) {
  const auto g = computeRateGraph(evenly(7, 60), kBlack);
  ASSERT_TRUE(g);
  const RatePlotBounds bounds{1000, 2500, 200, 1200, 1300, 1500};
  const RateFigure f = rateFigure(*g, bounds);
  ASSERT_EQ(f.segments.size(), static_cast<size_t>(kRateSteps));
  const double vscale = 0.995 * 1000 / 36;
  // Step 1 sits one step left of the plot's left edge plus 10 twips; step 0 is rate 0.
  EXPECT_EQ(f.segments[0], QLineF(1009, 1200 - 6 * vscale - 2.5, 1008, 1200 - 2.5));
  EXPECT_DOUBLE_EQ(f.segments[1255].y1(), 1200 - 36 * vscale - 2.5); // the maximum, near the top
  EXPECT_DOUBLE_EQ(f.segments[1499].x1(), 2508);
  EXPECT_EQ(f.lineColour, qRgb(0, 0, 255));

  // A box under every step with a rate, or right after one.
  int expected = 0;
  for (int k = 1; k <= kRateSteps; ++k)
    expected += (g->drawn[k] > 0 || g->drawn[k - 1] > 0) ? 1 : 0;
  ASSERT_EQ(static_cast<int>(f.boxes.size()), expected);
  const auto box = std::find_if(f.boxes.begin(), f.boxes.end(),
                                [](const RateFigure::Box &b) { return b.rect.left() == 2260; });
  ASSERT_NE(box, f.boxes.end());
  EXPECT_EQ(box->rect, QRectF(2260, 1300, 1, 200));
  EXPECT_EQ(box->colour, kGreen);
}
