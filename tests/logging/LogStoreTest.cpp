// The shared log seen from several PCs: reloads on the refresh tick, the backup file, new log,
// the start-up question and delete.
#include "logging/ContactListView.h"
#include "platform/Controls.h"
#include "platform/VbText.h"
#include "tests/support/TestContext.h"

#include <QFile>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A 20 m row of 30 March 2024 holding only its call, time and points, as another program may
// write it.
ContactRecord bareRow(const QString &call, const QString &time, const QString &points) {
  ContactRecord r;
  r.calls = call;
  r.flddate = QStringLiteral("2024/03/30");
  r.fldtime = time;
  r.points = points;
  r.uband = QStringLiteral("20");
  return r;
}

struct TwoPcs : ::testing::Test {
  TestLogFile log;
  TestPc a{log.path};
  TestPc b{log.path};

  void SetUp() override {
    a.form().Worklist();
    b.form().Worklist();
  }
  void logOn(TestPc &pc, const QString &call, const QString &band = QStringLiteral("20")) {
    pc.state().CurrentBand = band;
    pc.type(call);
    pc.form().Mains();
  }
  static QStringList listedCalls(TestPc &pc) {
    QStringList calls;
    for (int i = 0; i < pc.form().ListView1->rowCount(); ++i)
      calls << pc.form().ListView1->text(i, 1);
    return calls;
  }
};

} // namespace

TEST_F(TwoPcs, AnotherPcsContactAppearsOnTheNextTick) {
  logOn(a, QStringLiteral("K1ABC"));
  EXPECT_EQ(b.state().log.ContactCount(), 0);
  b.form().Timer3_Timer();
  EXPECT_EQ(b.state().log.ContactCount(), 1);
  EXPECT_EQ(listedCalls(b), QStringList{QStringLiteral("K1ABC")});
  EXPECT_EQ(b.form().Label4->text(), QStringLiteral("002"));

  // A's own insert raised its known count, so its tick does not reload.
  a.form().Timer3_Timer();
  EXPECT_EQ(a.state().LogChanged, 0);
}

TEST_F(TwoPcs, AReloadWaitsWhileTheOperatorTypesACall) {
  logOn(a, QStringLiteral("K1ABC"));
  b.form().txtCall->setText(QStringLiteral("W9X"));
  b.form().Timer3_Timer();
  EXPECT_EQ(b.state().LogChanged, 1);
  EXPECT_EQ(b.state().log.ContactCount(), 0);
  b.form().Timer3_Timer();
  EXPECT_EQ(b.state().log.ContactCount(), 0) << "still typing";
  b.form().txtCall->setText(QString());
  b.form().Timer3_Timer();
  EXPECT_EQ(b.state().log.ContactCount(), 1);
  EXPECT_EQ(b.state().LogChanged, 0);
}

TEST_F(TwoPcs, ADeleteOnOnePcIsSeenByTheOther) {
  logOn(a, QStringLiteral("K1ABC"));
  logOn(a, QStringLiteral("W9XYZ"));
  b.form().Timer3_Timer();
  ASSERT_EQ(b.state().log.ContactCount(), 2);

  a.form().ListView1->selectRow(0); // the newest, W9XYZ
  a.dialogs.answers.push_back(Dialogs::Answer::Yes);
  a.form().cmdDelete_Click();
  EXPECT_EQ(a.dialogs.last()->text, QStringLiteral("Are you sure?"));
  EXPECT_EQ(a.dialogs.last()->title, QStringLiteral("Are you sure?"));
  EXPECT_EQ(listedCalls(a), QStringList{QStringLiteral("K1ABC")});
  EXPECT_TRUE(a.form().Timer3->isActive());

  b.form().Timer3_Timer();
  EXPECT_EQ(listedCalls(b), QStringList{QStringLiteral("K1ABC")});
}

TEST_F(TwoPcs, DeleteRemovesEveryRowOfThatCallBandAndTimeOrNothingOnNo) {
  logOn(a, QStringLiteral("K1ABC"));
  logOn(b, QStringLiteral("K1ABC"), QStringLiteral("15"));
  logOn(b, QStringLiteral("N2XX"), QStringLiteral("15"));
  a.ctx->db().insert(bareRow(QStringLiteral("K1ABC"), QStringLiteral("14:05:09"), QStringLiteral("1")));
  a.form().Worklist();
  ASSERT_EQ(a.state().log.ContactCount(), 4);

  a.form().cmdEdit->show();
  a.form().cmdDelete->show();
  a.form().ListView1->selectRow(3);
  a.dialogs.answers.push_back(Dialogs::Answer::No);
  a.form().cmdDelete_Click();
  EXPECT_EQ(a.state().log.ContactCount(), 4);
  EXPECT_TRUE(a.form().cmdDelete->isHidden());
  EXPECT_TRUE(a.form().cmdEdit->isHidden());

  ContactListView &list = *a.form().ListView1;
  int target = -1;
  for (int i = 0; i < list.rowCount(); ++i) {
    if (list.text(i, 1) == QLatin1String("K1ABC") && list.text(i, 7) == QLatin1String("20"))
      target = i;
  }
  ASSERT_NE(target, -1);
  list.selectRow(target);
  a.dialogs.answers.push_back(Dialogs::Answer::Yes);
  a.form().cmdDelete_Click();
  EXPECT_EQ(a.state().log.ContactCount(), 2) << "both K1ABC rows on 20 at that time go";
}

TEST_F(TwoPcs, YesToOpenExistingLogReadsTheLogAgainOnlyWhenItChangedSinceTheLastLoad) {
  const struct {
    const char *what;
    std::function<void(TwoPcs &)> meanwhile;
    bool readAgain;
  } cases[] = {
      {"nothing", [](TwoPcs &) {}, false},
      {"another PC logged", [](TwoPcs &t) { t.logOn(t.b, QStringLiteral("W9XYZ")); }, true},
      {"this PC logged", [](TwoPcs &t) { t.logOn(t.a, QStringLiteral("N2AA")); }, true},
      {"the last load failed",
       [](TwoPcs &t) {
         t.a.flaky().failLoads = 1;
         t.a.form().Worklist();
       },
       true},
  };
  for (const auto &c : cases) {
    a.form().Worklist();
    c.meanwhile(*this);
    const int loads = a.flaky().loads;
    a.dialogs.answers.push_back(Dialogs::Answer::Yes);
    a.form().OpenLogPrompt();
    EXPECT_EQ(a.flaky().loads - loads, c.readAgain ? 1 : 0) << c.what;
    EXPECT_EQ(a.state().log.ContactCount(), static_cast<int>(a.table().size())) << c.what;
  }
}

TEST_F(TwoPcs, AFailedLoadIsRetriedAndNoBackupIsWrittenFromIt) {
  logOn(a, QStringLiteral("K1ABC"));
  logOn(a, QStringLiteral("W9XYZ"));
  b.flaky().failLoads = 1;
  b.form().Timer3_Timer();
  EXPECT_EQ(b.dialogs.messages(), QStringList{QStringLiteral("Error opening file.")});
  EXPECT_EQ(b.dialogs.last()->title, QStringLiteral("File Error"));
  EXPECT_TRUE(b.state().LogStale);
  EXPECT_EQ(b.state().log.ContactCount(), 1) << "the rows read before the failure stay";

  b.form().BackupLog();
  EXPECT_FALSE(QFile::exists(b.programDir.filePath(QStringLiteral("BckUpLog.Dat"))));

  b.form().Timer3_Timer(); // the count has not changed, but the stale log is reloaded
  EXPECT_EQ(b.state().log.ContactCount(), 2);
  EXPECT_FALSE(b.state().LogStale);
  b.form().BackupLog();
  EXPECT_TRUE(QFile::exists(b.programDir.filePath(QStringLiteral("BckUpLog.Dat"))));
}

TEST_F(TwoPcs, AnUnreachableLogShowsOneErrorBoxPerTickAndRecovers) {
  logOn(a, QStringLiteral("K1ABC"));
  b.flaky().failCounts = 2;
  b.flaky().failLoads = 2;
  b.form().Timer3_Timer();
  b.form().Timer3_Timer();
  EXPECT_EQ(b.dialogs.messages().size(), 2);
  b.form().Timer3_Timer();
  EXPECT_EQ(b.state().log.ContactCount(), 1);
  EXPECT_EQ(b.dialogs.messages().size(), 2);
}

TEST_F(TwoPcs, WhileCwIsSentNoCountIsReadButTicksCountTowardsTheBackup) {
  logOn(a, QStringLiteral("K1ABC"));
  b.form().Worklist();
  logOn(a, QStringLiteral("W9XYZ"));
  b.ctx->keying.CWSending = 1;
  for (int i = 0; i < 15; ++i)
    b.form().Timer3_Timer();
  EXPECT_EQ(b.state().log.ContactCount(), 1);
  EXPECT_EQ(b.state().LogChanged, 0);
  EXPECT_EQ(b.state().BackupTickCount, 15);
  b.form().Timer3_Timer();
  EXPECT_EQ(b.state().BackupTickCount, 0);
  EXPECT_TRUE(QFile::exists(b.programDir.filePath(QStringLiteral("BckUpLog.Dat"))));
}

TEST_F(TwoPcs, TheSixteenthTickWritesTheBackupByteForByte) {
  a.state().station.TransmitterNumber = QStringLiteral("1");
  a.type(QStringLiteral("K1ABC"), QStringLiteral("599"), QStringLiteral("12"),
         QStringLiteral("United States"), QStringLiteral("K1"), QStringLiteral("2"));
  a.form().Mains();
  a.type(QStringLiteral("W9XYZ"), QStringLiteral("599"), QStringLiteral("3"), QStringLiteral("USA"),
         QStringLiteral("W9"), QStringLiteral("abc"));
  a.form().Mains();
  for (int i = 0; i < 15; ++i)
    a.form().Timer3_Timer();
  const QString path = a.programDir.filePath(QStringLiteral("BckUpLog.Dat"));
  EXPECT_FALSE(QFile::exists(path));
  a.form().Timer3_Timer();
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(
      f.readAll(),
      QByteArray("\"K1ABC\",\"599\",\"12\",\"599\",\"United States\",\"2024/03/30\",\"14:05:09\",\"20\",2,"
                 "\"K1\",\"001\",\"1\"\r\n"
                 "\"W9XYZ\",\"599\",\"3\",\"599\",\"USA\",\"2024/03/30\",\"14:05:09\",\"20\",0,"
                 "\"W9\",\"002\",\"1\"\r\n"));
}

TEST_F(TwoPcs, NewLogErasesOnlyAfterYes) {
  logOn(a, QStringLiteral("K1ABC"));
  a.state().TimeOnTotal = 3600;
  a.dialogs.inputs = {QStringLiteral("no")};
  a.form().mnuNew_Click();
  a.form().mnuNew_Click(); // Cancel answers the empty text
  EXPECT_EQ(a.state().log.ContactCount(), 1);
  EXPECT_EQ(a.dialogs.shown[0].title, QStringLiteral("WARNING - Your existing log file will be ERASED!"));
  EXPECT_EQ(
      a.dialogs.shown[0].text,
      QStringLiteral("Are you sure that you want to start a new log file?  This function will ERASE the "
                     "existing log file!\r\n\r\nTo verify that you want to start a new log file, please "
                     "type: YES"));

  a.flaky().failDeletes = 1;
  a.dialogs.inputs = {QStringLiteral("yes")};
  a.form().mnuNew_Click();
  EXPECT_EQ(a.form().lblDialog->text(), QStringLiteral("Unable to erase the log - Network Error"));
  EXPECT_EQ(a.state().log.ContactCount(), 1);
  EXPECT_EQ(a.state().TimeOnTotal, 3600);

  a.dialogs.inputs = {QStringLiteral("yes")};
  a.form().mnuNew_Click();
  EXPECT_EQ(a.state().log.ContactCount(), 0);
  EXPECT_EQ(a.state().TimeOnTotal, 0);
  EXPECT_EQ(a.ctx->db().count(), 0.0);
  EXPECT_EQ(a.form().Label4->text(), QStringLiteral("001"));
}

TEST_F(TwoPcs, OpenExistingLogYesLoadsAndNoOffersToErase) {
  logOn(a, QStringLiteral("K1ABC"));
  TestPc c{log.path};
  c.form().cmdEdit->show();
  c.dialogs.answers.push_back(Dialogs::Answer::Yes);
  c.form().OpenLogPrompt();
  const auto &box = c.dialogs.shown[0];
  EXPECT_EQ(box.title, QStringLiteral("Open existing log?"));
  EXPECT_EQ(box.text,
            QStringLiteral("Do you want to continue an existing contest? (Yes opens your existing log, "
                           "No erases any existing log and starts a new log.)"));
  EXPECT_EQ(box.buttons, Dialogs::Buttons::YesNo);
  EXPECT_EQ(box.icon, Dialogs::Icon::Question);
  EXPECT_EQ(c.state().log.ContactCount(), 1);
  EXPECT_TRUE(c.form().cmdEdit->isHidden());

  TestPc d{log.path};
  d.dialogs.answers.push_back(Dialogs::Answer::No); // and then no YES typed
  d.form().OpenLogPrompt();
  EXPECT_EQ(d.state().log.ContactCount(), 0);
  EXPECT_EQ(d.ctx->db().count(), 1.0);
  d.form().Timer3_Timer();
  EXPECT_EQ(d.state().log.ContactCount(), 1) << "the first tick finds the count changed";

  d.dialogs.answers.push_back(Dialogs::Answer::No);
  d.dialogs.inputs = {QStringLiteral("YES")};
  d.form().OpenLogPrompt();
  EXPECT_EQ(d.ctx->db().count(), 0.0);
}

TEST_F(TwoPcs, ABadPointsValueLoadsAsZeroAndLaterContactsStillLoad) {
  a.ctx->db().insert(bareRow(QStringLiteral("K1ABC"), QStringLiteral("10:00:00"), QStringLiteral("x")));
  a.ctx->db().insert(bareRow(QStringLiteral("W9XYZ"), QStringLiteral("11:00:00"), QStringLiteral("3")));
  a.form().Worklist();
  EXPECT_EQ(a.state().log.ContactCount(), 2);
  EXPECT_EQ(a.state().TotalPoints, 3);
  EXPECT_EQ(a.state().KnownRowCount, 2.0);
}

TEST(LogStoreEmpty, AnEmptyTableLeavesTheKnownCountAndStartsSerialsAtOne) {
  TestLogFile log;
  TestPc pc{log.path};
  pc.state().KnownRowCount = 5;
  pc.form().Worklist();
  EXPECT_EQ(pc.state().log.ContactCount(), 0);
  EXPECT_EQ(pc.state().TotalPoints, 0);
  EXPECT_EQ(pc.form().Label4->text(), QStringLiteral("001"));
  EXPECT_EQ(pc.state().KnownRowCount, 5.0);
}
