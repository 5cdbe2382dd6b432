// The band maps' arithmetic without widgets: edges, fitted scales, captions, label places,
// age colours and tooltips; and the spot area's share of the main window on its twip model.
#include "spotting/BandMapRules.h"
#include "spotting/SpotArea.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace bandmap;

namespace {

// Slots 0 to 49, all empty but the given ones.
std::vector<float> spots(std::initializer_list<std::pair<int, float>> filled) {
  std::vector<float> freqs(kSlots, 0.0f);
  for (const auto &[slot, freq] : filled)
    freqs[std::size_t(slot)] = freq;
  return freqs;
}

std::vector<QString> captions(const std::array<QString, kTicks> &a) {
  return {a.begin(), a.end()};
}

std::vector<QString> texts(std::initializer_list<const char *> list) {
  std::vector<QString> out;
  for (const char *t : list)
    out.push_back(QString::fromLatin1(t));
  return out;
}

} // namespace

TEST(BandMapScale, MainStripCaptionsByBandAndSpots) {
  struct Case {
    const char *name;
    const char *band;
    std::vector<float> freqs;
    std::vector<QString> expected;
  };
  const Case cases[] = {
      {"one spot keeps the band edges", "40", spots({{49, 7.025f}}),
       texts({"7.000", "7.075", "7.150", "7.225", "7.300"})},
      {"two spots give their spread and 1 kHz", "40", spots({{48, 7.010f}, {49, 7.032f}}),
       texts({"7.009", "7.015", "7.021", "7.027", "7.033"})},
      {"7.3 in single precision lies above the double edge; 7.000 is on it", "40",
       spots({{48, 7.3f}, {49, 7.0f}, {47, 7.1f}}), texts({"7.000", "7.075", "7.150", "7.225", "7.300"})},
      {"slot 0 is not fitted", "40", spots({{0, 7.2f}, {49, 7.1f}}),
       texts({"7.000", "7.075", "7.150", "7.225", "7.300"})},
      {"all on one frequency", "20", spots({{3, 14.025f}, {49, 14.025f}}),
       texts({"14.000", "14.088", "14.175", "14.262", "14.350"})},
      {"band text in another case", "1.25", spots({}),
       texts({"219.000", "220.500", "222.000", "223.500", "225.000"})},
      {"unknown band", "17", spots({{49, 18.1f}}), texts({".000", ".000", ".000", ".000", ".000"})},
  };
  for (const Case &c : cases) {
    const Range r = mainScaleRange(c.freqs, QString::fromLatin1(c.band));
    EXPECT_EQ(captions(scaleCaptions(r.lower, r.upper)), c.expected) << c.name;
  }
}

TEST(BandMapScale, SpectrumFitUsesSinglePrecisionEdges) {
  const auto &bands = spectrumBands();
  struct Case {
    const char *name;
    int band;
    std::vector<float> freqs;
    std::vector<QString> expected;
  };
  const Case cases[] = {
      {"160 m defaults", 0, spots({}), texts({"1.800", "1.850", "1.900", "1.950", "2.000"})},
      {"30 m defaults, quarter points just inside the halves", 3, spots({}),
       texts({"10.100", "10.113", "10.125", "10.137", "10.150"})},
      {"20 m fitted", 4, spots({{10, 14.020f}, {11, 14.030f}}),
       texts({"14.019", "14.022", "14.025", "14.028", "14.031"})},
      {"edges, slot 0, removed and other bands take no part", 4,
       spots({{0, 14.1f}, {5, 14.0f}, {6, 14.35f}, {7, 0.0f}, {8, 5.3f}, {9, 432.0f}, {49, 14.2f}}),
       texts({"14.000", "14.088", "14.175", "14.263", "14.350"})}, // 14.262 with double edges
  };
  for (const Case &c : cases) {
    const FloatRange r = fitBandRange(c.freqs, bands[std::size_t(c.band)]);
    EXPECT_EQ(captions(scaleCaptions(r.lower, r.upper)), c.expected) << c.name;
  }
  EXPECT_EQ(fitBandRange(spots({{10, 14.020f}, {11, 14.030f}}), bands[4]).lower, float(14.020f - 0.001));
}

TEST(BandMapPlace, LabelsCentredOnTheirFrequency) {
  // One twelfth of the axis for 7.025 on the band edges.
  const float x1 = 1000, x2 = 13000, width = 600;
  EXPECT_NEAR(spotLeft(x1, x2, 7.025f, 7.0f, 7.3f, width) + width / 2 - x1, 1000.0f, 0.01f);
  // The read-back captions of the fitted scale put 7.010 and 7.032 near the ends.
  const float lower = captionValue(QStringLiteral("7.009"));
  const float upper = captionValue(QStringLiteral("7.033"));
  EXPECT_NEAR((spotLeft(x1, x2, 7.010f, lower, upper, width) + width / 2 - x1) / (x2 - x1), 0.0417, 0.0005);
  EXPECT_NEAR((spotLeft(x1, x2, 7.032f, lower, upper, width) + width / 2 - x1) / (x2 - x1), 0.9583, 0.0005);
  EXPECT_FLOAT_EQ(tickLeft(x1, x2, 0, width), 700);
  EXPECT_FLOAT_EQ(tickLeft(x1, x2, 2, width), 6700);
  EXPECT_FLOAT_EQ(tickLeft(x1, x2, 4, width), 12700);
  EXPECT_FLOAT_EQ(captionValue(QStringLiteral(".500")), 0.5f);
  EXPECT_FLOAT_EQ(captionValue(QStringLiteral("x")), 0.0f);
}

TEST(BandMapColour, ByAgeUpToAnHour) {
  const QColor yellow(255, 255, 128), white(255, 255, 255), grey(192, 192, 192);
  const std::pair<qint64, std::optional<QColor>> cases[] = {
      {-30, yellow}, {0, yellow},  {599, yellow},        {600, white},          {1799, white},
      {1800, grey},  {3599, grey}, {3600, std::nullopt}, {999999, std::nullopt}};
  for (const auto &[age, colour] : cases)
    EXPECT_EQ(ageColour(age), colour) << age;
}

TEST(BandMapTooltip, CallFrequencyAndUtcTime) {
  const QDateTime one(QDate(2026, 5, 30), QTime(13, 0, 0));
  const QDateTime early(QDate(2026, 5, 30), QTime(2, 10, 0));
  EXPECT_EQ(spotTooltip(QStringLiteral("Q7XYZ"), 14.025f, one, 5), QStringLiteral("Q7XYZ  14.025  18:00:00"));
  EXPECT_EQ(spotTooltip(QStringLiteral("Q7XYZ"), 7.0103f, early, -5),
            QStringLiteral("Q7XYZ  7.010  21:10:00"));
  EXPECT_EQ(spotTooltip(QStringLiteral("Q7A"), 144.3f, one, 0.5f), QStringLiteral("Q7A  144.300  13:30:00"));
}

namespace {

using ScreenScaling::ControlModel;
using ScreenScaling::WindowModel;

ControlModel control(ControlKind kind, float left, float top, float width, float height) {
  ControlModel c;
  c.kind = kind;
  std::tie(c.Left, c.Top, c.Width, c.Height) = std::tuple(left, top, width, height);
  return c;
}

// A window of 9,600 x 7,200 twips with a text box, a frame, a line, then the spot controls.
struct AreaWindow {
  AreaWindow() {
    form.Width = 9600;
    form.Height = 7200;
    form.FrameHeight = 765;
    form.FrameWidth = 120;
    auto &c = form.Controls;
    c.push_back(control(ControlKind::TextBox, 120, 360, 1500, 330));
    c.push_back(control(ControlKind::Frame, 120, 5000, 2000, 1000));
    ControlModel line;
    line.kind = ControlKind::Line;
    line.X1 = 100, line.X2 = 900, line.Y1 = line.Y2 = 2000;
    c.push_back(line);
    c.push_back(control(ControlKind::Button, 120, 5340, 900, 330));
    c.push_back(control(ControlKind::ListView, 120, 4440, 9360, 1200)); // txtDX
    c.push_back(control(ControlKind::Label, 120, 4440, 9360, 300));     // lblDX
    ControlModel axis;
    axis.kind = ControlKind::Line;
    c.push_back(axis);
    for (int i = 0; i < 5; ++i)
      c.push_back(control(ControlKind::Label, 120, 4440, 600, 240));
    for (int i = 0; i < 3; ++i)
      c.push_back(control(ControlKind::Label, 120, 4440, 600, 240));
    original = form;
    area.txtDX = &c[4];
    area.lblDX = &c[5];
    area.LineDX = &c[6];
    for (int i = 0; i < 5; ++i)
      area.scaleLabels[std::size_t(i)] = &c[std::size_t(7 + i)];
    for (int i = 0; i < 3; ++i)
      area.spotLabels.push_back(&c[std::size_t(12 + i)]);
  }
  WindowModel form;
  WindowModel original;
  spotarea::Controls area;
};

} // namespace

TEST(SpotArea, OpensBelowTheLowestControlAndClosesBackWithinTheDrift) {
  AreaWindow w;
  ASSERT_TRUE(spotarea::open(w.form, w.area));
  auto &c = w.form.Controls;
  EXPECT_FLOAT_EQ(c[0].Top, 324);
  EXPECT_FLOAT_EQ(c[0].Height, 297);
  EXPECT_FLOAT_EQ(c[0].Left, 120); // only vertical measures
  EXPECT_FLOAT_EQ(c[1].Top, 5000); // frames untouched
  EXPECT_FLOAT_EQ(c[2].Y1, 1800);
  EXPECT_FLOAT_EQ(c[2].X2, 900);
  // The lowest bottom is the button's: (5340 + 330) x 0.9.
  const float top = 5103;
  for (const ControlModel *s : {w.area.txtDX, w.area.lblDX}) {
    EXPECT_FLOAT_EQ(s->Top, top);
    EXPECT_FLOAT_EQ(s->Height, 7200 - 765 - top);
    EXPECT_FLOAT_EQ(s->Left, 96);
    EXPECT_FLOAT_EQ(s->Width, 9312);
  }
  const ControlModel &axis = *w.area.LineDX;
  EXPECT_FLOAT_EQ(axis.X1, 96 + 300);
  EXPECT_FLOAT_EQ(axis.X2, 96 + 9312 - 300);
  EXPECT_FLOAT_EQ(axis.Y1, top + (7200 - 765 - top) / 2);
  EXPECT_EQ(axis.Y1, axis.Y2);
  for (int i = 0; i < 5; ++i) {
    EXPECT_FLOAT_EQ(w.area.scaleLabels[std::size_t(i)]->Top, axis.Y1 + 28.8f);
    EXPECT_FLOAT_EQ(w.area.scaleLabels[std::size_t(i)]->Left,
                    axis.X1 + i * 0.25f * (axis.X2 - axis.X1) - 300);
  }

  spotarea::close(w.form, w.area);
  for (std::size_t i : {0u, 3u}) {
    EXPECT_NEAR(c[i].Top, w.original.Controls[i].Top, w.original.Controls[i].Top * 1e-7);
    EXPECT_NEAR(c[i].Height, w.original.Controls[i].Height, w.original.Controls[i].Height * 1e-7);
  }
  EXPECT_NEAR(c[2].Y1, 2000, 2000 * 1e-7);
  for (std::size_t i = 4; i < c.size(); ++i)
    EXPECT_EQ(c[i].kind == ControlKind::Line ? c[i].Y1 : c[i].Top, 1000) << i;

  // Parked at 1,000 (900 after the next shrink), the spot controls count for the lowest bottom.
  c[3].Top = 100;
  const float listHeight = w.area.txtDX->Height;
  ASSERT_TRUE(spotarea::open(w.form, w.area));
  EXPECT_FLOAT_EQ(w.area.lblDX->Top, 900 + float(listHeight * 0.9));
}

TEST(SpotArea, NoRoomLeftStopsAfterShrinking) {
  AreaWindow w;
  w.form.Height = 5000;
  EXPECT_FALSE(spotarea::open(w.form, w.area));
  EXPECT_FLOAT_EQ(w.form.Controls[0].Top, 324);
  EXPECT_FLOAT_EQ(w.area.lblDX->Top, 3996);
}

TEST(BandMapPlans, AnHourOldSlotStopsTheSpectrumMapButNotTheStripUnlessDrawn) {
  const QDateTime now(QDate(2026, 5, 30), QTime(12, 0, 0));
  std::array<SpotSlot, kSlots> table;
  const auto put = [&](int slot, float mhz, int age) {
    table[std::size_t(slot)] = {QStringLiteral("Q1A"), mhz, now.addSecs(-age), QStringLiteral("Q1"), {}};
  };
  for (int i = 0; i < kSlots; ++i)
    put(i, 0.0f, 99999);
  put(49, 14.1f, 10);
  put(48, 0.0f, 7200);  // removed
  put(47, 21.2f, 7200); // another band
  put(46, 14.2f, 10);
  const auto slotsShown = [](const std::vector<LabelPlan> &plans) {
    std::vector<int> shown;
    for (const LabelPlan &p : plans)
      if (p.shown())
        shown.push_back(p.slot);
    return shown;
  };
  const Axis axis{0, 1000, 500};
  EXPECT_EQ(slotsShown(planStrip(table, axis, 14.0f, 14.35f, {600, 240}, 10, now, 0)),
            (std::vector<int>{49, 46}));
  std::array<Axis, kSpectrumBands> lines;
  lines.fill(axis);
  std::array<FloatRange, kSpectrumBands> scales(spectrumBands());
  const auto spectrum = planSpectrum(table, lines, scales, {600, 240}, now, 0);
  EXPECT_EQ(slotsShown(spectrum), std::vector<int>{49});
  ASSERT_EQ(spectrum.size(), 2u); // the removed slot, reached and given its texts, ends the redraw
  EXPECT_EQ(spectrum[1].tooltip, QStringLiteral("Q1A  .000  10:00:00"));
  EXPECT_FALSE(spectrum[1].colour);
}
