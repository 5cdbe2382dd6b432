// The main window's spot intake and the framing of cluster traffic into lines.
#include "logging/Form1.h"

#include "platform/Controls.h"
#include "spotting/ClusterLines.h"
#include "spotting/SpotTable.h"
#include "tests/support/TestContext.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QString kLine =
    QStringLiteral("DX de Q7ABC:     14025.0  Q7XYZ        CQ WPX CW                      1234Z MA");

class SpotIntake : public ::testing::Test {
protected:
  TestLogFile file;
  TestPc pc{file.path};
  Form1 &f = pc.laidOutForm();
  SpottingState &spots = pc.ctx->spotting;

  void SetUp() override {
    pc.state().CountryTable.add(CountryEntry{QStringLiteral("Q7"), QStringLiteral("Q-Seven"), QString()});
  }

  // The intake as the cluster window calls it; returns the frequency and record it hands back.
  std::pair<QString, QString> take(QString call, QString freq, QString record = QStringLiteral("de Q7ABC:")) {
    f.BandMapSpots(call, freq, record);
    return {freq, record};
  }
  QStringList row(int n) const {
    QStringList texts;
    for (int c = 0; c < 8; ++c)
      texts << f.txtDX->topLevelItem(n)->text(c);
    return texts;
  }
  const SpotSlot &slot(int n) const { return spots.SpotTable[static_cast<size_t>(n)]; }
};

TEST_F(SpotIntake, OwnCallWarnsAndIsStillTaken) {
  pc.state().station.MyCall = QStringLiteral("Q7XYZ");
  const QString record = SpotRecord(kLine + QStringLiteral("\r\n"));
  const auto [freq, cut] = take(QStringLiteral("q7xyz"), QStringLiteral("14025.0"), record);
  EXPECT_EQ(pc.dialogs.beeps, 1);
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("You've been spotted! "));
  EXPECT_EQ(f.lblDupe->text(), QStringLiteral("You've been spotted!  ") + record);
  EXPECT_TRUE(f.lblDupe->text().endsWith(QStringLiteral("MA\r\n")));
  EXPECT_EQ(f.lblDialog->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(f.lblDupe->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(freq, QStringLiteral("14.025"));
  EXPECT_EQ(cut, record.chopped(2));
  EXPECT_EQ(slot(49).SpotCall, QStringLiteral("q7xyz"));
  EXPECT_EQ(slot(49).SpotFreq, 14.025f);
  EXPECT_EQ(row(0), QStringList({"q7xyz", "14.025", "", "", "de Q7ABC:  CQ WPX CW", "", "1234", "MA"}));
}

TEST_F(SpotIntake, NoOwnCallNoWarningAndABadFrequencyChangesNothing) {
  take(QString(), QStringLiteral("14025"));
  EXPECT_EQ(pc.dialogs.beeps, 0);
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" "));
  EXPECT_EQ(f.txtDX->topLevelItemCount(), 1);

  // The warning comes before the frequency is looked at.
  pc.state().station.MyCall = QStringLiteral("Q7XYZ");
  for (const char *bad : {"", "14O25", "14,025"}) {
    const auto [freq, record] =
        take(QStringLiteral("Q7XYZ"), QString::fromLatin1(bad), QStringLiteral("rec\r\n"));
    EXPECT_EQ(freq, QString::fromLatin1(bad));
    EXPECT_EQ(record, QStringLiteral("rec\r\n"));
  }
  EXPECT_EQ(pc.dialogs.beeps, 3);
  EXPECT_EQ(f.txtDX->topLevelItemCount(), 1);
  EXPECT_EQ(slot(48).SpotFreq, 0.0f);
  EXPECT_EQ(slot(49).SpotCall, QString());
}

TEST_F(SpotIntake, TableShiftsRetiresTheNearerDuplicateAndTheListKeeps200Rows) {
  EXPECT_EQ(slot(0).SpotTime, QDateTime(QDate(1899, 12, 30), QTime(0, 0), QTimeZone::utc()));
  const QDateTime first = pc.clock.local;
  take(QStringLiteral("Q7AAA"), QStringLiteral("7010.0"));
  pc.clock.local = first.addSecs(60);
  take(QStringLiteral("Q7BBB"), QStringLiteral("28000"));
  take(QStringLiteral("q7aaa"), QStringLiteral("21025.3"));
  EXPECT_EQ(slot(49).SpotTime, first.addSecs(60));
  EXPECT_EQ(slot(48).SpotCall, QStringLiteral("Q7BBB"));
  EXPECT_EQ(slot(47).SpotCall, QStringLiteral("Q7AAA"));
  EXPECT_EQ(slot(47).SpotTime, first);
  EXPECT_EQ(slot(47).SpotPrefix, QStringLiteral("Q7"));
  EXPECT_EQ(slot(47).SpotFreq, 0.0f);
  EXPECT_EQ(slot(48).SpotFreq, 28.0f);
  EXPECT_EQ(f.txtDX->topLevelItemCount(), 3);
  EXPECT_EQ(row(0).mid(0, 3), QStringList({"q7aaa", "21.0253", ""})); // the country is matched exactly
  EXPECT_EQ(row(1)[2], QStringLiteral("Q-Seven"));
  EXPECT_EQ(row(1)[1], QStringLiteral("28"));
  EXPECT_EQ(row(2)[1], QStringLiteral("7.01"));

  for (int i = 0; i < 197; ++i)
    take(QStringLiteral("Q7C%1").arg(i), QStringLiteral("3510"));
  EXPECT_EQ(f.txtDX->topLevelItemCount(), 200);
  take(QStringLiteral("Q7LAST"), QStringLiteral("3510"));
  EXPECT_EQ(f.txtDX->topLevelItemCount(), 200);
  EXPECT_EQ(row(0)[0], QStringLiteral("Q7LAST"));
  EXPECT_EQ(row(199)[0], QStringLiteral("Q7BBB"));
}

TEST(SpotTableRules, OnlyTheNearestOlderDuplicateIsRetiredAndSlot0Never) {
  SpottingState s;
  const QDateTime now = QDateTime(QDate(2024, 3, 30), QTime(14, 0), QTimeZone::utc());
  s.SpotTable[1] = {QStringLiteral("Q7X"), 7.0f, now, QString(), QString()};
  storeSpot(s, QStringLiteral("q7x"), 14.0f, now);
  EXPECT_EQ(s.SpotTable[0].SpotFreq, 7.0f);

  // A spot removed by a click still ends the search: the one beyond it stays.
  s.SpotTable[10] = {QStringLiteral("Q7Y"), 7.0f, now, QString(), QString()};
  s.SpotTable[20] = {QStringLiteral("Q7Y"), 0.0f, now, QString(), QString()};
  storeSpot(s, QStringLiteral("Q7Y"), 14.0f, now);
  EXPECT_EQ(s.SpotTable[9].SpotFreq, 7.0f);
  EXPECT_EQ(s.SpotTable[19].SpotFreq, 0.0f);
  EXPECT_EQ(s.SpotTable[49].SpotFreq, 14.0f);
}

// TNC traffic as a test feeds it: framed into lines, each taken by the TNC's rules.
struct Feed {
  ClusterLineFramer framer;
  QString monitor;
  bool dxOnly = false;
  QStringList posted; // frequency|call|line of each spot

  void operator()(const QString &input) {
    for (QString &line : framer.take(input))
      takeClusterLine(line, monitor, dxOnly, {LineRules::Tnc},
                      [this](QString &freq, QString &call, QString &line) {
                        posted << freq + u'|' + call + u'|' + line;
                      });
  }
};

TEST(ClusterLines, TncRepeatsAreDroppedAndDXOnlyKeepsOtherLinesOut) {
  const QString dx = kLine + QStringLiteral("\r\n");
  Feed feed;
  feed(dx);
  EXPECT_EQ(feed.posted, QStringList({"14025.0|Q7XYZ|" + dx}));
  EXPECT_EQ(feed.monitor, dx);

  // Repeats, in any case, while the first copy is within the last 800 characters.
  feed(dx.toLower() + QStringLiteral("Q7ABC de Q7XYZ: hello\r\n") + dx);
  EXPECT_EQ(feed.posted.size(), 1);
  EXPECT_EQ(feed.monitor, dx + QStringLiteral("Q7ABC de Q7XYZ: hello\r\n"));

  // With "DX only" other lines leave no trace; DX lines still show.
  Feed dxOnly;
  dxOnly.dxOnly = true;
  dxOnly(QStringLiteral("Q7ABC de Q7XYZ: hello\r\n") + dx);
  EXPECT_EQ(dxOnly.monitor, dx);
  EXPECT_EQ(dxOnly.posted.size(), 1);
}

TEST(ClusterLines, DuplicateWindowAndBufferBound) {
  const QString line = QStringLiteral("Q7ABC de Q7XYZ: hello\r\n");
  // The search starts 800 characters before the end (801 from it): a copy at the very start of
  // 801 characters is found, of 802 it is not.
  for (const int total : {801, 802}) {
    Feed feed;
    feed.monitor = line + QString(total - line.size(), u'x');
    feed(line);
    EXPECT_EQ(feed.monitor.size(), total == 801 ? 801 : 802 + line.size()) << total;
  }

  Feed feed;
  feed(QString(70000, u'x'));
  EXPECT_TRUE(feed.framer.rest().isEmpty());
  feed(QStringLiteral("xyz\r\n") + kLine + QStringLiteral("\r\n"));
  EXPECT_EQ(feed.monitor, kLine + QStringLiteral("\r\n"));
  EXPECT_EQ(feed.posted.size(), 1);
}

TEST(ClusterLines, RepeatsAreFoundInAnyCaseWhateverTheLinesHold) {
  const QString dx = kLine + QStringLiteral("\r\n");
  const QString other = QStringLiteral("Q7ABC de Q7XYZ: hello there\r\n");
  const QString kelvin(QChar(0x212A)); // folds to "k"
  const struct {
    QString monitor, line;
    bool shown;
  } rows[] = {
      // Lines of other lengths before and between the copy.
      {other + dx + other + QStringLiteral("x\r\n") + dx.toLower(), dx, true},
      {other + dx + other, dx.toUpper(), true},
      {other + dx.left(40) + dx.mid(41) + other, dx, false},
      // A copy cut by the window's start is no copy.
      {dx.mid(1) + QString(801 - dx.size() + 1, u'x'), dx, false},
      // Several line ends in the line, as packet-engine spot texts have them.
      {other + QStringLiteral("ab\r\n\r\ncd\r\n") + other, QStringLiteral("AB\r\n\r\nCD\r\n"), true},
      {other + QStringLiteral("ab\r\n\r\ncd\r\n") + other, QStringLiteral("ab\r\ncd\r\n"), false},
      {QStringLiteral("ab\r\nab\r\ncd\r\n"), QStringLiteral("AB\r\nCD\r\n"), true},
      // No line end, only letters, or nothing at all.
      {other, QStringLiteral("hello there"), true},
      {other, QStringLiteral("HELLO"), true},
      {other, QStringLiteral("HELLOS"), false},
      {other, QString(), true},
      // Beyond ASCII, case folding decides: the Kelvin sign is a "k", "É" an "é".
      {QStringLiteral("Q7ABC de Q7XYZ: o") + kelvin + QStringLiteral("\r\n"),
       QStringLiteral("de q7xyz: OK\r\n"), true},
      {QStringLiteral("Q7ABC de Q7XYZ: ok\r\n"),
       QStringLiteral("de q7xyz: O") + kelvin + QStringLiteral("\r\n"), true},
      {other + QStringLiteral("caf\u00C9\r\n"), QStringLiteral("CAF\u00E9\r\n"), true},
      {other + QStringLiteral("caf\u00C9\r\n"), QStringLiteral("CAFE\r\n"), false},
  };
  for (const auto &row : rows)
    EXPECT_EQ(recentlyShown(row.monitor, row.line), row.shown) << row.line.toStdString();
}

TEST(ClusterLines, MonitorKeepsItsLast9000CharactersOnceOver10000) {
  QString monitor(10001, u'a');
  monitor[1000] = u'b';
  trimMonitorText(monitor);
  EXPECT_EQ(monitor, QString(9000, u'a'));
  QString short_(10000, u'a');
  trimMonitorText(short_);
  EXPECT_EQ(short_.size(), 10000);
}

} // namespace
