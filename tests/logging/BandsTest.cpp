// The current band from the Band menu and the band display, and the refresh rate.
#include "logging/Bands.h"

#include "app/MainPreferences.h"
#include "logging/ContactListView.h"
#include "logging/Form1.h"
#include "platform/Controls.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"
#include "tests/support/TestContext.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(BandRules, TheBandDisplayStepsThroughEveryBandAndBack) {
  QString band = QStringLiteral("160");
  QStringList passed;
  for (int n = 0; n < 6; ++n) {
    band = nextBand(band).value_or(QString());
    passed << band;
  }
  EXPECT_EQ(passed, (QStringList{QStringLiteral("80"), QStringLiteral("40"), QStringLiteral("20"),
                                 QStringLiteral("15"), QStringLiteral("10"), QStringLiteral("160")}));
  EXPECT_FALSE(nextBand(QStringLiteral("6")));
  EXPECT_FALSE(nextBand(QString()));
}

TEST(BandRules, RefreshRateAnswersWithinSixToSixtySecondsAreTaken) {
  using Outcome = RefreshRateAnswer::Outcome;
  EXPECT_EQ(refreshRateAnswer(QStringLiteral("6000")).intervalMs, 6000);
  EXPECT_EQ(refreshRateAnswer(QStringLiteral("60000")).outcome, Outcome::Accepted);
  const RefreshRateAnswer fraction = refreshRateAnswer(QStringLiteral("6000.4"));
  EXPECT_EQ(fraction.intervalMs, 6000);
  EXPECT_EQ(fraction.refreshMs, 6000.4f);
  EXPECT_EQ(refreshRateAnswer(QStringLiteral("60000.9")).intervalMs, 60001);
  EXPECT_EQ(refreshRateAnswer(QStringLiteral("6e3")).intervalMs, 6000);
  EXPECT_EQ(refreshRateAnswer(QStringLiteral("5999")).outcome, Outcome::Ignored);
  EXPECT_EQ(refreshRateAnswer(QStringLiteral("60001")).outcome, Outcome::Ignored);
  EXPECT_EQ(refreshRateAnswer(QStringLiteral("-7000")).outcome, Outcome::Ignored);
  for (const QString &refused :
       {QStringLiteral("fast"), QString(), QStringLiteral("6,000"), QStringLiteral("6000ms")})
    EXPECT_EQ(refreshRateAnswer(refused).outcome, Outcome::Refused) << refused.toStdString();
}

TEST(BandRules, AStoredRefreshRateGivesATimerIntervalOrNone) {
  EXPECT_EQ(refreshTimerInterval(6000.4f), 6000);
  EXPECT_EQ(refreshTimerInterval(0), 0);
  EXPECT_EQ(refreshTimerInterval(65535), 65535);
  EXPECT_FALSE(refreshTimerInterval(65535.6f));
  EXPECT_FALSE(refreshTimerInterval(-6000));
  EXPECT_FALSE(refreshTimerInterval(1e30f));
}

namespace {

class BandChoice : public ShownMainWindow {
protected:
  QString prefsPath = pc.preferencesPath();

  void SetUp() override {
    ShownMainWindow::SetUp();
    s.CurrentBand = QStringLiteral("20");
    // Serials counted per band: 20 has sent 2, 40 and 15 one each.
    for (const char *band : {"20", "20", "40", "15"})
      remember(QString::fromLatin1(band));
  }
  void remember(const QString &band) {
    int sent = 1;
    for (int n = 1; n <= s.log.ContactCount(); ++n)
      sent += s.log.slot(n).uband == band ? 1 : 0;
    LogEntry e;
    e.calls = QStringLiteral("W%1").arg(s.log.ContactCount() + 1);
    e.uband = band;
    e.serials = QString::number(sent);
    e.flddate = QStringLiteral("2024/03/30");
    e.fldtime = QStringLiteral("14:05:09");
    s.log.append(e);
  }
  QStringList checked() const {
    QStringList out;
    for (QAction *a : {f.mnu160, f.mnu80, f.mnu40, f.mnu20, f.mnu15, f.mnu10})
      if (a->isChecked())
        out << a->text();
    return out;
  }
};

} // namespace

TEST_F(BandChoice, TheMenuMakesTheBandCurrentEverywhere) {
  s.station.SerialPerBand = true;
  f.Command2_Click(); // list the current band only
  ASSERT_EQ(f.Command2->text(), QStringLiteral("Current Band"));

  f.mnu40->trigger();
  EXPECT_EQ(s.CurrentBand, QStringLiteral("40"));
  EXPECT_EQ(f.Label21->text(), QStringLiteral("40"));
  EXPECT_EQ(checked(), QStringList{QStringLiteral("&40")});
  EXPECT_EQ(f.Label4->text(), QStringLiteral("002"));
  EXPECT_EQ(f.ListView1->rowCount(), 1);
  EXPECT_EQ(pc.storedPreference(4), QStringLiteral("\"40\""));

  // The band already current still stores, recounts and relists.
  QFile::remove(prefsPath);
  f.ListView1->clear();
  f.mnu40->trigger();
  EXPECT_EQ(checked(), QStringList{QStringLiteral("&40")});
  EXPECT_EQ(pc.storedPreference(4), QStringLiteral("\"40\""));
  EXPECT_EQ(f.ListView1->rowCount(), 1);
}

TEST_F(BandChoice, TheBandDisplayStepsToTheNextBandAndAnUnknownBandChecksNothing) {
  f.BandChange();
  QStringList shown;
  for (int n = 0; n < 6; ++n) {
    QTest::mouseClick(f.Label21, Qt::LeftButton);
    shown << f.Label21->text();
  }
  EXPECT_EQ(shown, (QStringList{QStringLiteral("15"), QStringLiteral("10"), QStringLiteral("160"),
                                QStringLiteral("80"), QStringLiteral("40"), QStringLiteral("20")}));
  EXPECT_EQ(checked(), QStringList{QStringLiteral("&20")});

  s.CurrentBand = QStringLiteral("6");
  f.BandChange();
  EXPECT_TRUE(checked().isEmpty());
  EXPECT_EQ(pc.storedPreference(4), QStringLiteral("\"6\""));
  f.Label21_Click();
  EXPECT_EQ(s.CurrentBand, QStringLiteral("6"));
}

TEST_F(BandChoice, ListingAllBandsLeavesTheListAlone) {
  f.ListView1->clear();
  f.mnu15_Click();
  EXPECT_EQ(f.ListView1->rowCount(), 0);
  EXPECT_EQ(f.Label4->text(), QStringLiteral("002"));
}

TEST_F(BandChoice, ABandChangeRecomputesThePointsOfTheContactBeingEnteredOnly) {
  ASSERT_TRUE(QFile::copy(sourceDataDir() + QStringLiteral("/arrlpre2.txt"),
                          pc.programDir.filePath(QStringLiteral("arrlpre2.txt"))));
  ASSERT_TRUE(f.LoadCountryTable());
  s.station.MyCountry = QStringLiteral("USA");
  s.station.MyContinent = QStringLiteral("NA");
  s.station.ModeCode = QStringLiteral("CW");
  f.txtCall->setText(QStringLiteral("DL1ABC"));
  ASSERT_EQ(f.txtPoints->text(), QStringLiteral("3"));
  f.txtPoints->setText(QStringLiteral("9")); // typed over by the operator
  f.mnu40_Click();
  EXPECT_EQ(f.txtPoints->text(), QStringLiteral("6"));
  f.Label21_Click();
  EXPECT_EQ(f.txtPoints->text(), QStringLiteral("3"));

  f.txtCall->setText(QString());
  f.txtPoints->setText(QStringLiteral("9"));
  f.mnu80_Click();
  EXPECT_EQ(f.txtPoints->text(), QStringLiteral("9"));
}

TEST_F(BandChoice, AnUnwritablePreferencesFileIsReportedAndTheBandStillChanges) {
  ASSERT_TRUE(QDir().mkdir(prefsPath)); // a folder in the file's place cannot be written
  s.station.SerialPerBand = true;
  f.mnu20_Click();
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Unable to save preferences."));
  EXPECT_EQ(checked(), QStringList{QStringLiteral("&20")});
  EXPECT_EQ(f.Label4->text(), QStringLiteral("003"));
}

namespace {

class RefreshRate : public BandChoice {
protected:
  void answer(const QString &text) {
    pc.dialogs.inputs.push_back(text);
    f.mnuRefreshrate_Click();
  }
};

} // namespace

TEST_F(RefreshRate, TheBoxOffersTheIntervalAndTakesSixToSixtySeconds) {
  f.Timer3->setInterval(6000);
  f.Timer3->start();
  answer(QStringLiteral("6000.4"));
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Refresh Rate Settings"));
  EXPECT_EQ(pc.dialogs.shown[0].text, refreshRatePrompt());
  EXPECT_EQ(pc.dialogs.shown[0].defaultText, QStringLiteral("6000"));
  EXPECT_EQ(f.Timer3->interval(), 6000);
  EXPECT_EQ(pc.storedPreference(14), QStringLiteral("6000.4"));
  EXPECT_TRUE(f.Timer3->isActive());

  answer(QStringLiteral("60000"));
  EXPECT_EQ(f.Timer3->interval(), 60000);
  EXPECT_EQ(pc.dialogs.shown.back().defaultText, QStringLiteral("6000"));
  answer(QStringLiteral("5999"));
  answer(QStringLiteral("60001"));
  EXPECT_EQ(f.Timer3->interval(), 60000);
  EXPECT_EQ(pc.storedPreference(14), QStringLiteral("60000"));
  EXPECT_EQ(pc.dialogs.messages().size(), 0);
}

TEST_F(RefreshRate, LettersEmptyAndCancelAreInvalid) {
  f.Timer3->setInterval(9000);
  for (const QString &text : {QStringLiteral("abc"), QStringLiteral("")}) {
    answer(text);
    EXPECT_EQ(pc.dialogs.shown.back().text, QStringLiteral("Invalid value."));
    EXPECT_EQ(pc.dialogs.shown.back().title, QStringLiteral("Invalid Value."));
  }
  f.mnuRefreshrate_Click(); // unscripted: Cancel
  EXPECT_EQ(pc.dialogs.messages().size(), 3);
  EXPECT_EQ(pc.dialogs.beeps, 3);
  EXPECT_EQ(f.Timer3->interval(), 9000);
  EXPECT_FALSE(files::exists(prefsPath));
}

TEST_F(RefreshRate, ARateThatCannotBeStoredFallsBackToOneMinute) {
  ASSERT_TRUE(QDir().mkdir(prefsPath));
  answer(QStringLiteral("10000"));
  EXPECT_EQ(f.Timer3->interval(), 60000);
  EXPECT_EQ(pc.ctx->prefs.RefreshMs, 60000.0f);
  // Only the fallback's own save is reported.
  ASSERT_EQ(pc.dialogs.messages().size(), 1);
  EXPECT_EQ(pc.dialogs.shown.back().title, QStringLiteral("Unable to save preferences."));
}

TEST(RefreshTimer, AnIntervalOfZeroNeverFiresAndALaterIntervalStartsTheTimerSwitchedOn) {
  Timer t;
  t.setInterval(0);
  t.start();
  EXPECT_TRUE(t.isEnabled());
  EXPECT_FALSE(t.isActive());
  t.setInterval(6000);
  EXPECT_TRUE(t.isActive());
  t.setInterval(0);
  EXPECT_FALSE(t.isActive());
  t.stop();
  t.setInterval(6000);
  EXPECT_FALSE(t.isActive());
}
