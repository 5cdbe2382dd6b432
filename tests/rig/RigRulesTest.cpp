#include "platform/VbText.h"
#include "rig/BandPlan.h"
#include "rig/RigBands.h"
#include "rig/RigSettings.h"
#include "tests/support/TestContext.h"

#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

TEST(RigBands, BandAndModeFromTheFrequency) {
  const struct {
    float mhz;
    const char *band;
  } bands[] = {{14.2f, "20"}, {7.3001f, ""}, {1.7999f, ""}, {7.30005f, "40"}, {0.0f, ""},
               {10.1f, ""},   {18.1f, ""},   {1.9f, "160"}, {28.5f, "10"},    {21.3f, "15"}};
  for (const auto &row : bands)
    EXPECT_EQ(bandForFrequency(row.mhz), QString::fromLatin1(row.band)) << row.mhz;
  const struct {
    float mhz;
    const char *mode;
  } modes[] = {{14.15f, ""}, {14.1501f, "PH"}, {3.55f, "CW"}, {10.12f, "CW"},
               {10.2f, ""},  {1.9f, ""},       {146.0f, "PH"}};
  for (const auto &row : modes)
    EXPECT_EQ(modeForFrequency(row.mhz), QString::fromLatin1(row.mode)) << row.mhz;
}

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QString &content) {
  const QString path = dir.filePath(name);
  EXPECT_TRUE(vb::writeLatin1Atomic(path, content));
  return path;
}

QString modeAt(const std::vector<BandPlanRecord> &rows, float mhz,
               const QString &start = QStringLiteral("keep")) {
  QString mode = start;
  modeFromBandPlan(rows, mhz, mode);
  return mode;
}

} // namespace

TEST(BandPlan, LookupOnASmallPlan) {
  QTemporaryDir dir;
  const QString small =
      writeFile(dir, QStringLiteral("plan.txt"),
                QStringLiteral("\"01/01/2020\"\r\n\"40\",\"O\",\"PH\",7,7.3\r\n"
                               "\"40\",\"E\",\"PH\",7.125,7.3\r\n\"20\",\"E\",\"PH\",14.15,14.35\r\n"
                               "\"20\",\"G\",\"CW\",14.025,14.15\r\n\"160\",\"E\",\"PH\",1.8,2\r\n"
                               "\"30\",\"E\",\"USB\",10.1,10.15\r\n\"15\",\"E\",\"CW\",21"));
  const auto rows = loadExtraRows(small);
  ASSERT_EQ(rows.size(), 4u); // class E only; the short last record is dropped
  EXPECT_EQ(modeAt(rows, 7.2f), QStringLiteral("LSB"));
  EXPECT_EQ(modeAt(rows, 14.2f), QStringLiteral("USB"));
  EXPECT_EQ(modeAt(rows, 1.9f), QString());
  EXPECT_EQ(modeAt(rows, 7.125f), QStringLiteral("keep")); // a segment edge belongs to no segment
  EXPECT_EQ(modeAt(rows, 10.12f), QStringLiteral("USB"));
  EXPECT_EQ(modeAt(rows, 14.05f), QStringLiteral("keep"));
  EXPECT_TRUE(loadExtraRows(dir.filePath(QStringLiteral("missing.txt"))).empty());
  EXPECT_FALSE(readBandPlan(small)); // the chart refuses the short record

  QString many = QStringLiteral("\"d\"\r\n");
  for (int i = 0; i < 230; ++i)
    many += QStringLiteral("\"20\",\"E\",\"PH\",%1,%2\r\n").arg(14 + i * 0.001).arg(14.0005 + i * 0.001);
  const QString big = writeFile(dir, QStringLiteral("big.txt"), many);
  EXPECT_EQ(loadExtraRows(big).size(), 200u);
  EXPECT_FALSE(readBandPlan(big)); // a 201st record
}

// The shipped plan: complete, ordered as the chart needs, and the modes tuning takes from it.
TEST(BandPlan, ShippedPlanIsCompleteAndGivesTheTuningModes) {
  const QString path = QDir(sourceDataDir()).filePath(kBandPlanFile);
  const auto plan = readBandPlan(path);
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->date, QStringLiteral("03/05/2012"));
  ASSERT_LE(plan->records.size(), 200u);
  QSet<QString> bandsSeen;
  const BandPlanRecord *outline = nullptr;
  for (const BandPlanRecord &r : plan->records) {
    if (!outline || r.band != outline->band) {
      ASSERT_EQ(r.cls, QStringLiteral("O")) << r.band.toStdString();
      ASSERT_FALSE(bandsSeen.contains(r.band)) << "band rows apart: " << r.band.toStdString();
      bandsSeen.insert(r.band);
      outline = &r;
      continue;
    }
    EXPECT_TRUE(QStringLiteral("NTPGAE").contains(r.cls) && r.cls.size() == 1) << r.cls.toStdString();
    EXPECT_TRUE(r.low >= outline->low && r.high <= outline->high && r.low < r.high)
        << r.band.toStdString() << " " << r.low;
  }
  EXPECT_EQ(bandsSeen, (QSet<QString>{"160", "80", "60", "40", "30", "20", "17", "15", "12", "10"}));

  const auto rows = loadExtraRows(path);
  const struct {
    float mhz;
    const char *mode;
  } cases[] = {{7.2f, "LSB"}, {14.2f, "USB"}, {14.025f, "CW"},  {28.475f, "USB"}, {5.332f, "USB"},
               {3.7f, "LSB"}, {1.9f, ""},     {14.15f, "keep"}, {7.0f, "keep"},   {10.12f, "CW"}};
  for (const auto &c : cases)
    EXPECT_EQ(modeAt(rows, c.mhz), QString::fromLatin1(c.mode)) << c.mhz;
}

namespace {

std::vector<BandPlanRecord> chartPlan() {
  return {
      {"80", "O", "PH", 3.5f, 4.0f},    {"80", "E", "CW", 3.5f, 3.6f},     {"80", "E", "PH", 3.6f, 4.0f},
      {"80", "G", "CW", 3.525f, 3.6f},  {"40", "O", "PH", 7.0f, 7.3f},     {"40", "G", "PH", 7.175f, 7.4f},
      {"17", "E", "PH", 18.1f, 18.2f}, // no outline: no bar
      {"20", "O", "PH", 14.0f, 14.35f}, {"20", "E", "PH", 14.15f, 14.35f},
  };
}

int count(const std::vector<ChartLabel> &labels, ChartLabel::Kind kind) {
  return int(
      std::count_if(labels.begin(), labels.end(), [kind](const ChartLabel &l) { return l.kind == kind; }));
}

} // namespace

TEST(BandPlan, ChartBarsTagsAndSegments) {
  const auto extra = privilegeChart(chartPlan(), QStringLiteral("E"), 9600, 7200, 1200);
  EXPECT_EQ(count(extra, ChartLabel::Kind::Bar), 2); // 80 and 20; 17 has no outline
  EXPECT_EQ(count(extra, ChartLabel::Kind::Tag), 2);
  EXPECT_EQ(count(extra, ChartLabel::Kind::Segment), 3);
  const ChartLabel &bar1 = extra[0];
  EXPECT_EQ(bar1.name, QStringLiteral("blbl1"));
  EXPECT_EQ(bar1.toolTip, QStringLiteral("80  3.500 - 4.000"));
  EXPECT_DOUBLE_EQ(bar1.twips.top(), 1200 + (7200 - 1200) / 2.0 * 0.8);
  EXPECT_DOUBLE_EQ(extra[1].twips.top(), 1200 + 2 * (7200 - 1200) / 2.0 * 0.8);
  const ChartLabel &cw = extra[4];
  EXPECT_EQ(cw.name, QStringLiteral("priv1"));
  EXPECT_EQ(cw.caption, QStringLiteral("3.500 - 3.600"));
  EXPECT_EQ(cw.toolTip, QStringLiteral("CW  3.500 - 3.600"));
  EXPECT_TRUE(cw.cw);
  EXPECT_DOUBLE_EQ(cw.twips.left(), 960);
  EXPECT_NEAR(cw.twips.width(), 8160 * 0.2, 0.01);

  const auto general = privilegeChart(chartPlan(), QStringLiteral("G"), 9600, 7200, 1200);
  ASSERT_EQ(count(general, ChartLabel::Kind::Segment), 2);
  const ChartLabel &beyond = general.back();
  EXPECT_GT(beyond.twips.right(), 960 + 8160 + 1.0); // drawn past the bar's end
  EXPECT_EQ(beyond.toolTip, QStringLiteral("PH  7.175 - 7.400"));

  auto flat = chartPlan();
  flat[4].high = flat[4].low; // 40 m outline without width
  const auto stopped = privilegeChart(flat, QStringLiteral("G"), 9600, 7200, 1200);
  EXPECT_EQ(count(stopped, ChartLabel::Kind::Bar), 2);
  EXPECT_EQ(count(stopped, ChartLabel::Kind::Segment), 1);
}

TEST(RigSettings, IcomExampleFileByteForByteAndBack) {
  RigLinkSettings s;
  s.BaudRate = QStringLiteral("1200 ");
  s.ModePollText = QStringLiteral("FE FE 64 E0 04 FD");
  s.FreqPollText = QStringLiteral("FE FE 64 E0 03 FD");
  s.CommSettings = QStringLiteral("1200,N,8,1");
  s.RigType = QStringLiteral("Icom");
  s.ConvToHex = 1;
  const QString text = rigSettingsText(s);
  EXPECT_EQ(text,
            QStringLiteral("\"1200 \"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n\"FE FE 64 E0 04 FD\"\r\n"
                           "\"FE FE 64 E0 03 FD\"\r\n\"1200,N,8,1\"\r\n2\r\n\"N\"\r\n\"M\"\r\n\"Icom\"\r\n"
                           "1\r\n1\r\n1\r\n"));
  RigLinkSettings back;
  ASSERT_TRUE(readRigSettings(text, back));
  EXPECT_EQ(rigSettingsText(back), text);

  RigLinkSettings damaged;
  EXPECT_FALSE(readRigSettings(QStringLiteral("\"4800\"\r\n\"E\"\r\n\"7\"\r\n"), damaged));
  EXPECT_EQ(damaged.BaudRate, QStringLiteral("4800 "));
  EXPECT_EQ(damaged.DataBits, QStringLiteral("7"));
  EXPECT_EQ(damaged.StopBits, QStringLiteral("1")); // not reached: as it was
}
