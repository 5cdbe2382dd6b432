// A busy shared log: the refresh that reads on the worker shows what a whole reload shows, and a
// file another PC holds locked neither freezes the window nor empties it.
#include "logging/Bands.h"
#include "logging/ContactListView.h"
#include "platform/Background.h"
#include "platform/Controls.h"
#include "tests/support/TestContext.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <random>

namespace {

// Everything a load leaves on screen and in memory.
struct Shown {
  std::vector<ContactRecord> log;
  QStringList listed, labels;
  bool operator==(const Shown &) const = default;
};

Shown shown(TestPc &pc) {
  Shown s;
  const LogArrays &log = pc.state().log;
  for (int n = 1; n <= log.ContactCount(); ++n) {
    const LogEntry &e = log.slot(n);
    s.log.push_back({e.calls, e.rstr, e.serialr, e.rsts, e.flddate, e.fldtime, QString::number(e.points),
                     e.serials, e.uband, e.trn, e.countryworked, e.prefix});
  }
  Form1 &f = pc.form();
  for (int i = 0; i < f.ListView1->rowCount(); ++i)
    for (int c = 0; c < 12; ++c)
      s.listed << f.ListView1->text(i, c);
  for (const Label *l :
       {f.lblAQSO60, f.lblAQSO20, f.lblTotCon, f.lblsectogo, f.lblTotSec, f.lblTotScore, f.Label4})
    s.labels << l->text();
  s.labels << f.Text1->toPlainText();
  return s;
}

// The tick of a PC whose reads run on a worker thread, with the result taken in as the event
// loop would take it.
void tickAndSettle(TestPc &pc) {
  pc.form().Timer3_Timer();
  pc.ctx->background->waitForDone();
  QCoreApplication::processEvents();
}

struct BusyLog : ::testing::Test {
  TestLogFile file;
  TestPc fast{file.path};  // reads on the worker
  TestPc plain{file.path}; // the whole reload
  TestPc other{file.path}; // another PC changing the log
  std::mt19937 random{16};

  void SetUp() override {
    fast.ctx->background = std::make_unique<Background>();
    for (TestPc *pc : {&fast, &plain})
      pc->form().Worklist();
  }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
  ContactRecord randomRow() {
    const QString call =
        QStringLiteral("%1%2%3").arg(QChar(u'K' + pick(4))).arg(pick(10)).arg(QChar(u'A' + pick(26)));
    return {call,
            QStringLiteral("599"),
            QString::number(pick(500)),
            QStringLiteral("599"),
            QStringLiteral("2024/03/30"),
            QStringLiteral("%1:%2:%3")
                .arg(13 + pick(2))
                .arg(pick(60), 2, 10, QChar(u'0'))
                .arg(pick(60), 2, 10, QChar(u'0')),
            QString::number(pick(7)),
            QString::number(pick(900)).rightJustified(3, u'0'),
            bandCodes()[pick(6)],
            QStringLiteral("2"),
            QStringLiteral("USA"),
            call.left(2)};
  }
  // One insert, edit or delete of another PC.
  void change() {
    const std::vector<ContactRecord> rows = other.table();
    const int kind = rows.empty() ? 0 : pick(3);
    if (kind == 0) {
      other.ctx->db().insert(randomRow());
      return;
    }
    const ContactRecord &r = rows[static_cast<size_t>(pick(static_cast<int>(rows.size())))];
    if (kind == 1)
      other.ctx->db().updateByCallBandTime(r.calls, r.uband, r.fldtime, randomRow());
    else
      other.ctx->db().deleteByCallBandTime(r.calls, r.uband, r.fldtime);
  }
};

} // namespace

TEST_F(BusyLog, TheWorkersReloadShowsWhatAWholeReloadShows) {
  for (int step = 0; step < 60; ++step) {
    for (int n = 1 + pick(3); n > 0; --n)
      change();
    if (step == 20)
      for (TestPc *pc : {&fast, &plain})
        pc->form().cmdList_Click(); // every contact listed from here on
    if (step == 40)
      for (TestPc *pc : {&fast, &plain})
        pc->form().Command2_Click(); // the current band only
    const int loadsBefore = fast.flaky().loads;
    if (step % 7 == 3) {
      // A call typed while the rows are read: they are left, and the row keeps the call.
      fast.form().Timer3_Timer();
      fast.form().txtCall->setText(QStringLiteral("DL1AB"));
      fast.ctx->background->waitForDone();
      QCoreApplication::processEvents();
      EXPECT_EQ(fast.form().txtCall->text(), QStringLiteral("DL1AB"));
      tickAndSettle(fast);
      fast.form().txtCall->setText(QString());
      continue;
    }
    tickAndSettle(fast);
    if (fast.flaky().loads != loadsBefore)
      plain.form().Worklist();
    ASSERT_TRUE(shown(fast) == shown(plain)) << "step " << step;
  }
}

TEST_F(BusyLog, AContactLoggedWhileTheWorkerReadsStaysAndIsReadAgain) {
  other.ctx->db().insert(randomRow());
  fast.form().Timer3_Timer();
  fast.state().LoggedOn = 1;
  fast.type(QStringLiteral("JA1XYZ"));
  fast.form().Mains();
  fast.ctx->background->waitForDone();
  QCoreApplication::processEvents();
  const LogArrays &log = fast.state().log;
  ASSERT_GE(log.ContactCount(), 1);
  EXPECT_EQ(log.slot(log.ContactCount()).calls, QStringLiteral("JA1XYZ"));
  EXPECT_EQ(fast.state().LogChanged, 1) << "the next tick reads the other PC's contact";
  tickAndSettle(fast);
  EXPECT_EQ(log.ContactCount(), 2);
}

TEST_F(BusyLog, AFileLockedByAnotherPcNeitherFreezesNorEmptiesTheWindow) {
  for (int i = 0; i < 3; ++i)
    other.ctx->db().insert(randomRow());
  tickAndSettle(fast);
  const Shown before = shown(fast);
  ASSERT_EQ(before.log.size(), 3u);
  other.ctx->db().insert(randomRow());

  const QString lockName = QStringLiteral("busy-log-holder");
  {
    QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), lockName);
    holder.setDatabaseName(file.path);
    ASSERT_TRUE(holder.open());
    QSqlQuery(holder).exec(QStringLiteral("begin exclusive"));

    QElapsedTimer clock;
    clock.start();
    tickAndSettle(fast);
    EXPECT_LT(clock.elapsed(), 2000) << "the tick waits about a quarter second";
    EXPECT_TRUE(fast.dialogs.shown.empty());
    EXPECT_TRUE(shown(fast) == before);

    fast.state().LoggedOn = 1;
    fast.type(QStringLiteral("JA1XYZ"));
    clock.restart();
    fast.form().Mains();
    EXPECT_LT(clock.elapsed(), 6000) << "about two seconds for each statement";
    EXPECT_EQ(fast.dialogs.messages(),
              QStringList{QStringLiteral("Unable to check for duplicates - Network Error")});
    EXPECT_EQ(fast.form().lblDialog->text(), QStringLiteral("Unable to log contact - Network Error"));
    EXPECT_EQ(fast.form().txtCall->text(), QStringLiteral("JA1XYZ")) << "the contact stays in the row";
    EXPECT_EQ(fast.state().log.ContactCount(), 3);

    QSqlQuery(holder).exec(QStringLiteral("rollback"));
    holder.close();
  }
  QSqlDatabase::removeDatabase(lockName);
  fast.form().txtCall->setText(QString());
  tickAndSettle(fast);
  EXPECT_EQ(fast.state().log.ContactCount(), 4);
}
