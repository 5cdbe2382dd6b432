// Logging the contact in the entry row: required fields, dupes, serials, time stamps and the
// failures of the shared log.
#include "logging/ContactListView.h"
#include "platform/Controls.h"
#include "tests/support/TestContext.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ContactEntry : ::testing::Test {
  TestLogFile log;
  TestPc pc{log.path};
  Form1 &f = pc.form();

  void SetUp() override {
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    pc.form().Worklist();
  }
};

} // namespace

TEST_F(ContactEntry, EmptyRowAsksForTheCallAndSetsPointsToZero) {
  f.Mains();
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("Need Call Sign!"));
  EXPECT_TRUE(f.txtCall->hasFocus());
  EXPECT_EQ(f.txtPoints->text(), QStringLiteral("0"));
  EXPECT_EQ(pc.dialogs.beeps, 7) << "one beep per missing field";
  EXPECT_TRUE(pc.table().empty());
}

TEST_F(ContactEntry, TheEarliestMissingFieldInRowOrderIsReported) {
  pc.type(QStringLiteral("K1ABC"), QString(), QString());
  f.Mains();
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("Report Received!"));
  EXPECT_TRUE(f.txtRSTR->hasFocus());
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K1ABC")) << "an incomplete row is kept";

  pc.type(QStringLiteral("K1ABC"), QStringLiteral("599"), QStringLiteral("1"), QStringLiteral("USA"),
          QStringLiteral("K1"), QString());
  f.Mains();
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("Need Points!"));
  EXPECT_EQ(f.txtPoints->text(), QStringLiteral("0"));
  f.Mains();
  ASSERT_EQ(pc.table().size(), 1u) << "the points set to 0 pass the next Enter";
  EXPECT_EQ(pc.table()[0].points, QStringLiteral("0"));
}

TEST_F(ContactEntry, ALoggedContactGoesToTableMemoryAndListAndTheRowClears) {
  pc.state().station.UtcOffsetHours = 5.5f;
  pc.state().station.TransmitterNumber = QStringLiteral("2");
  pc.clock.setLocal(QDate(2024, 3, 30), QTime(20, 0, 0));
  pc.type(QStringLiteral("K1ABC"), QStringLiteral("599"), QStringLiteral("12"),
          QStringLiteral("Cote d'Ivoire  "), QStringLiteral("K1"), QStringLiteral("2"));
  f.Mains();

  const auto rows = pc.table();
  ASSERT_EQ(rows.size(), 1u);
  const ContactRecord expected{
      QStringLiteral("K1ABC"), QStringLiteral("599"),           QStringLiteral("12"),
      QStringLiteral("599"),   QStringLiteral("2024/03/31"),    QStringLiteral("01:30:00"),
      QStringLiteral("2"),     QStringLiteral("001"),           QStringLiteral("20"),
      QStringLiteral("2"),     QStringLiteral("Cote d'Ivoire"), QStringLiteral("K1")};
  EXPECT_EQ(rows[0], expected);
  EXPECT_EQ(pc.state().log.ContactCount(), 1);
  EXPECT_EQ(pc.state().KnownRowCount, 1.0);
  EXPECT_EQ(pc.state().TotalPoints, 2);
  EXPECT_EQ(f.Label4->text(), QStringLiteral("002"));
  EXPECT_EQ(pc.ctx->keying.NextSerial, QStringLiteral("2") /* sent by "#" without its zeros */);
  EXPECT_EQ(f.ListView1->rowCount(), 1);
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" "));
  EXPECT_TRUE(f.txtCall->text().isEmpty());
  EXPECT_TRUE(f.txtCntry->text().isEmpty());
  EXPECT_TRUE(f.txtCall->hasFocus());
  EXPECT_EQ(pc.state().LoggedOn, 1) << "logging a contact logs the operator on";
}

TEST_F(ContactEntry, ADupeOnTheSameBandIsRefusedButAnotherBandIsLogged) {
  QFile::copy(sourceDataDir() + QStringLiteral("/prompts/Dupe.wav"),
              pc.programDir.filePath(QStringLiteral("Dupe.wav")));
  pc.type(QStringLiteral("K1ABC"));
  f.Mains();
  pc.type(QStringLiteral("k1abc"));
  pc.ctx->keying.VoiceNavMode = 1;
  f.Mains();
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("Dupe: K1ABC 2024/03/30 14:05:09 ON 20"));
  EXPECT_EQ(f.lblDialog->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_EQ(pc.table().size(), 1u);
  EXPECT_EQ(pc.state().DupeFlag, 1);
  EXPECT_TRUE(f.txtCall->text().isEmpty());
  EXPECT_EQ(f.txtPoints->text(), QStringLiteral("0"));
  ASSERT_EQ(pc.sounds.started.size(), 1u);
  EXPECT_EQ(pc.sounds.started[0].name, QStringLiteral("Dupe")) << "NavEn is not shipped to this folder";
  EXPECT_GT(pc.clock.slept, 0) << "with voice navigation on, the prompt is waited for";
  EXPECT_LE(pc.clock.slept, 10000);

  // The hold after a dupe lasts until three seconds after the warning.
  f.DupeHold();
  EXPECT_EQ(pc.state().DupeFlag, 0);

  pc.state().CurrentBand = QStringLiteral("15");
  pc.type(QStringLiteral("K1ABC"));
  f.Mains();
  EXPECT_EQ(pc.table().size(), 2u);
}

TEST_F(ContactEntry, AnUnreachableDupeCheckIsReportedAndTheContactStillLogged) {
  pc.flaky().failLookups = 1;
  pc.type(QStringLiteral("K1ABC"));
  f.Mains();
  const auto *box = pc.dialogs.last();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text, QStringLiteral("Unable to check for duplicates - Network Error"));
  EXPECT_EQ(box->title, QStringLiteral("Network Error"));
  EXPECT_EQ(pc.table().size(), 1u);
}

TEST_F(ContactEntry, AFailedInsertWithdrawsTheContactAndKeepsTheRow) {
  pc.flaky().failInserts = 1;
  pc.type(QStringLiteral("K1ABC"));
  const int beeps = pc.dialogs.beeps;
  f.Mains();
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("Unable to log contact - Network Error"));
  EXPECT_EQ(pc.dialogs.beeps, beeps + 1);
  EXPECT_EQ(pc.state().log.ContactCount(), 0) << "memory must not hold what the log does not";
  EXPECT_EQ(pc.state().KnownRowCount, 0.0);
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K1ABC"));
  EXPECT_EQ(f.Label4->text(), QStringLiteral("001"));

  f.Mains(); // Enter again once the network is back
  EXPECT_EQ(pc.table().size(), 1u);
  EXPECT_EQ(pc.state().log.ContactCount(), 1);
}

TEST_F(ContactEntry, SerialsFollowTheLogOrTheBand) {
  for (const char *call : {"K1AAA", "K1AAB", "K1AAC"}) {
    pc.type(QString::fromLatin1(call));
    f.Mains();
  }
  EXPECT_EQ(f.Label4->text(), QStringLiteral("004"));
  pc.state().station.SerialPerBand = true;
  pc.state().CurrentBand = QStringLiteral("40");
  f.LabelIncrement();
  EXPECT_EQ(f.Label4->text(), QStringLiteral("001"));
  const auto rows = pc.table();
  EXPECT_EQ(rows[2].serials, QStringLiteral("003"));
}

TEST_F(ContactEntry, PostContestEntryStoresTheTypedDateAndTime) {
  f.txtPostConDate->show();
  f.txtPostConTime->show();
  f.txtPostConDate->setText(QStringLiteral("2024/3/30"));
  f.txtPostConTime->setText(QStringLiteral("14305"));
  pc.type(QStringLiteral("K1ABC"));
  f.Mains();
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("Invalid time format!"));
  EXPECT_TRUE(pc.table().empty());
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K1ABC"));

  f.txtPostConDate->setText(QStringLiteral("2024/13/30"));
  f.Mains();
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("Invalid date format!"));

  f.txtPostConDate->setText(QStringLiteral("2024/3/30"));
  f.txtPostConTime->setText(QStringLiteral("930"));
  f.Mains();
  ASSERT_EQ(pc.table().size(), 1u);
  EXPECT_EQ(pc.table()[0].flddate, QStringLiteral("2024/03/30"));
  EXPECT_EQ(pc.table()[0].fldtime, QStringLiteral("09:30"));
}
