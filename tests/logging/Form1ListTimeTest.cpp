// The contact list's buttons and events, the clipboard copy, the rates and the time-on button
// as the operator meets them in the main window.
#include "logging/Form1.h"
#include "output/frmEditCon.h"

#include "logging/ContactListView.h"
#include "platform/Controls.h"
#include "tests/support/TestContext.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class MainWindow : public ShownMainWindow {
protected:
  // A contact in memory only, `band` and call given, at the clock's time.
  void remember(const QString &call, const QString &band = QStringLiteral("20")) {
    LogEntry e;
    e.calls = call;
    e.uband = band;
    e.flddate = QStringLiteral("2024/03/30");
    e.fldtime = QStringLiteral("14:05:09");
    s.log.append(e);
  }
  void logContact(const QString &call) {
    pc.type(call);
    f.Mains();
  }
  QStringList column(int c) const {
    QStringList texts;
    for (int i = 0; i < f.ListView1->rowCount(); ++i)
      texts << f.ListView1->text(i, c);
    return texts;
  }
  void clickHeader(int section) {
    QHeaderView *h = f.ListView1->header();
    QTest::mouseClick(
        h->viewport(), Qt::LeftButton, {},
        QPoint(h->sectionViewportPosition(section) + h->sectionSize(section) / 2, h->height() / 2));
  }
  void clickRow(int row, Qt::MouseButton button = Qt::LeftButton) {
    const QRect r = f.ListView1->visualRect(f.ListView1->rows().index(row, 0));
    QTest::mouseClick(f.ListView1->viewport(), button, {}, r.center());
  }
};

TEST_F(MainWindow, ListButtonsChooseLast20OrAllAndTheBandAndReturnToTheCall) {
  for (int n = 1; n <= 25; ++n)
    remember(QStringLiteral("W%1").arg(n), n % 5 == 0 ? QStringLiteral("40") : QStringLiteral("20"));
  f.ListDisplay();
  EXPECT_EQ(f.ListView1->rowCount(), 20);
  EXPECT_EQ(column(0).first(), QStringLiteral("25"));
  EXPECT_EQ(column(0).last(), QStringLiteral("6"));
  EXPECT_EQ(f.cmdList->toolTip(),
            QStringLiteral("List all or last 20 contacts (Listing all will slow the program)"));
  EXPECT_EQ(f.Command2->toolTip(), f.cmdList->toolTip());

  f.txtRSTR->setFocus();
  QTest::mouseClick(f.cmdList, Qt::LeftButton);
  EXPECT_EQ(f.cmdList->text(), QStringLiteral("All"));
  EXPECT_EQ(s.ListAllFlag, 1);
  EXPECT_EQ(f.ListView1->rowCount(), 25);
  EXPECT_TRUE(f.txtCall->hasFocus());

  s.CurrentBand = QStringLiteral("40");
  QTest::mouseClick(f.Command2, Qt::LeftButton);
  EXPECT_EQ(f.Command2->text(), QStringLiteral("Current Band"));
  EXPECT_EQ(column(7), QStringList(5, QStringLiteral("40")));

  QTest::mouseClick(f.cmdList, Qt::LeftButton);
  EXPECT_EQ(f.cmdList->text(), QStringLiteral("Last 20"));
  s.CurrentBand = QStringLiteral("20");
  f.ListDisplay();
  EXPECT_EQ(f.ListView1->rowCount(), 20);
  EXPECT_EQ(column(1).first(), QStringLiteral("W24"));

  f.Command2->setText(QStringLiteral("all bands"));
  QTest::mouseClick(f.Command2, Qt::LeftButton);
  EXPECT_EQ(f.Command2->text(), QStringLiteral("Current Band"));
  QTest::mouseClick(f.Command2, Qt::LeftButton);
  EXPECT_EQ(f.Command2->text(), QStringLiteral("All Bands"));
  EXPECT_EQ(f.ListView1->rowCount(), 20);
}

TEST_F(MainWindow, PartialDupesButtonTogglesAndClearsTheDupeColour) {
  EXPECT_EQ(f.cmdDup->text(), QStringLiteral("On"));
  EXPECT_EQ(f.cmdDup->toolTip(), QStringLiteral("Displaying partial dupes slows the program on older pc's."));
  f.lblDupe->setAutoFillBackground(true);
  QTest::mouseClick(f.cmdDup, Qt::LeftButton);
  EXPECT_EQ(s.PartialDupesOn, 0);
  EXPECT_EQ(f.cmdDup->text(), QStringLiteral("Off"));
  EXPECT_FALSE(f.lblDupe->autoFillBackground());
  EXPECT_TRUE(f.txtCall->hasFocus());
  QTest::mouseClick(f.cmdDup, Qt::LeftButton);
  EXPECT_EQ(s.PartialDupesOn, 1);
  EXPECT_EQ(f.cmdDup->text(), QStringLiteral("On"));
}

TEST_F(MainWindow, HeaderClickSortsOnceIgnoringCaseAndKeepsTheSelection) {
  for (const char *call :
       {"K2ABC", "k1abc", "DL1XYZ", "9A1A", "W1AW", "G4ABC", "JA1X", "VK2Y", "ZL1Z", "EA8A", "OH2B"})
    remember(QString::fromLatin1(call));
  f.ListDisplay();
  f.ListView1->selectRow(4); // JA1X
  clickHeader(1);
  EXPECT_EQ(column(1), (QStringList{"9A1A", "DL1XYZ", "EA8A", "G4ABC", "JA1X", "k1abc", "K2ABC", "OH2B",
                                    "VK2Y", "W1AW", "ZL1Z"}));
  EXPECT_EQ(f.ListView1->text(f.ListView1->selectedRow().value_or(-1), 1), QStringLiteral("JA1X"));
  clickHeader(0); // as text: "10" and "11" come before "2"
  EXPECT_EQ(column(0).mid(0, 4), (QStringList{"1", "10", "11", "2"}));
  EXPECT_FALSE(f.ListView1->isSortingEnabled());
  EXPECT_FALSE(f.ListView1->header()->isSortIndicatorShown());

  // The next refill lists newest first again, and the copy follows the rows as shown.
  remember(QStringLiteral("AA1AA"));
  f.ListDisplay();
  EXPECT_EQ(column(0).mid(0, 3), (QStringList{"12", "11", "10"}));
  clickHeader(1);
  f.mnuCopyListtoClipboard_Click();
  const QStringList lines = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("9\tZL1Z\t")));
  EXPECT_TRUE(lines[12].startsWith(QStringLiteral("4\t9A1A\t")));
}

TEST_F(MainWindow, ClipboardCopiesTheListedContactsOldestFirst) {
  const QString header =
      QStringLiteral("Rec#\tCall\tRec\t#R\tSnt\t#S\tDa/Time\tBnd\tCountry\tPrfx\tPts\tTr\r\n");
  QGuiApplication::clipboard()->setText(QStringLiteral("old"));
  f.mnuCopyListtoClipboard->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), header);

  f.cmdLogOn_Click();
  logContact(QStringLiteral("K1ABC"));
  pc.clock.local = pc.clock.local.addSecs(60);
  logContact(QStringLiteral("DL1XYZ"));
  f.mnuCopyListtoClipboard->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            header + QStringLiteral("1\tK1ABC\t599\t1\t599\t001\t30 14:05\t20\tUSA\tK1\t1\t1\r\n"
                                    "2\tDL1XYZ\t599\t1\t599\t002\t30 14:06\t20\tUSA\tK1\t1\t1\r\n"));
}

TEST_F(MainWindow, SelectingAContactShowsEditAndDeleteAndHoldsTheRefresh) {
  f.ListView1_ItemClick();
  EXPECT_TRUE(f.cmdEdit->isHidden());

  logContact(QStringLiteral("K1ABC"));
  f.Timer3->start();
  clickRow(0);
  EXPECT_FALSE(f.cmdEdit->isHidden());
  EXPECT_FALSE(f.cmdDelete->isHidden());
  EXPECT_FALSE(f.Timer3->isActive());
}

TEST_F(MainWindow, ListGainingTheFocusShowsEditAndDeleteWithoutHoldingTheRefresh) {
  f.ListView1->setFocus();
  EXPECT_TRUE(f.cmdEdit->isHidden());
  f.txtCall->setFocus();
  logContact(QStringLiteral("K1ABC"));
  f.Timer3->start();
  f.ListView1->setFocus();
  EXPECT_FALSE(f.cmdEdit->isHidden());
  EXPECT_FALSE(f.cmdDelete->isHidden());
  EXPECT_TRUE(f.Timer3->isActive());
}

TEST_F(MainWindow, RightButtonOverTheListEditsAndReloadsButNotOverAnEmptyList) {
  QTest::mouseClick(f.ListView1->viewport(), Qt::RightButton, {}, QPoint(20, 20));
  EXPECT_FALSE(f.Timer3->isActive());

  logContact(QStringLiteral("K1ABC"));
  remember(QStringLiteral("GHOST")); // in memory only: the reload drops it
  f.ListDisplay();
  clickRow(0);
  ASSERT_FALSE(f.cmdEdit->isHidden());
  // The editor opens modally on the selected contact; the operator closes it unchanged.
  QString edited;
  QTimer::singleShot(0, [this, &edited] {
    frmEditCon &editor = pc.ctx->window<frmEditCon>();
    edited = editor.txtEditCall->text();
    editor.reject();
  });
  clickRow(0, Qt::RightButton);
  EXPECT_EQ(edited, QStringLiteral("GHOST"));
  EXPECT_FALSE(pc.ctx->loaded<frmEditCon>());
  EXPECT_TRUE(f.cmdEdit->isHidden());
  EXPECT_TRUE(f.cmdDelete->isHidden());
  EXPECT_TRUE(f.Timer3->isActive());
  EXPECT_EQ(s.log.ContactCount(), 1);
  EXPECT_EQ(column(1), QStringList{QStringLiteral("K1ABC")});
  f.activateWindow(); // as the window manager does once the editor has closed
  ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &f; }));
  EXPECT_TRUE(f.txtCall->hasFocus());
}

TEST_F(MainWindow, RatesUseTheSameUtcOffsetAsTheLoggedTimes) {
  s.station.UtcOffsetHours = 5.5f;
  f.cmdLogOn_Click();
  logContact(QStringLiteral("K1ABC"));
  logContact(QStringLiteral("DL1XYZ"));
  EXPECT_EQ(f.lblAQSO60->text(), QStringLiteral("2"));
  EXPECT_EQ(f.lblAQSO20->text(), QStringLiteral("6"));
  pc.clock.local = pc.clock.local.addSecs(1200);
  f.TimeStats();
  EXPECT_EQ(f.lblAQSO60->text(), QStringLiteral("2"));
  EXPECT_EQ(f.lblAQSO20->text(), QStringLiteral("0"));
  pc.clock.local = pc.clock.local.addSecs(2400);
  f.TimeStats();
  EXPECT_EQ(f.lblAQSO60->text(), QStringLiteral("0"));
}

TEST_F(MainWindow, TimeOnAndOffAccumulateAcrossPeriodsAndStoreTheBackup) {
  EXPECT_EQ(f.cmdLogOn->text(), QStringLiteral("&Log \"Time On\""));
  EXPECT_EQ(f.cmdLogOn->toolTip(), QStringLiteral("Records On/Off times and controls duration clock."));
  EXPECT_EQ(f.lblttrack->text(), QStringLiteral("00:00:00"));
  s.TimeOnTotal = 0;
  f.lblDialog->setText(QStringLiteral("Select a band"));
  QTest::mouseClick(f.cmdLogOn, Qt::LeftButton);
  EXPECT_EQ(s.LoggedOn, 1);
  EXPECT_EQ(f.cmdLogOn->text(), QStringLiteral("&Log \"Time Off\""));
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" "));
  EXPECT_TRUE(f.txtCall->hasFocus());
  logContact(QStringLiteral("K1ABC"));

  pc.clock.local = pc.clock.local.addSecs(600);
  QTest::mouseClick(f.cmdLogOn, Qt::LeftButton);
  EXPECT_EQ(s.LoggedOn, 0);
  EXPECT_EQ(s.TimeOnTotal, 600);
  EXPECT_EQ(f.cmdLogOn->text(), QStringLiteral("&Log \"Time On\""));
  EXPECT_TRUE(f.lblDialog->text().startsWith(QStringLiteral("Logged Off at ")));
  EXPECT_TRUE(f.lblDialog->text().endsWith(QStringLiteral(" 14:15:09. Log on after 15:15:09")));
  QFile backup(pc.programDir.filePath(QStringLiteral("BckUpLog.Dat")));
  ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
  EXPECT_TRUE(backup.readAll().startsWith("\"K1ABC\""));
  QFile prefs(pc.programDir.filePath(QStringLiteral("orvexfnt.txt")));
  ASSERT_TRUE(prefs.open(QIODevice::ReadOnly));
  EXPECT_EQ(prefs.readAll().split('\n').value(4), QByteArray("600\r"));

  // The clock tick leaves the operating time alone while logged off.
  pc.clock.local = pc.clock.local.addSecs(300);
  f.Timer2_Timer();
  EXPECT_EQ(f.lblttrack->text(), QStringLiteral("00:00:00"));

  // Logging a contact while logged off logs on first.
  logContact(QStringLiteral("DL1XYZ"));
  EXPECT_EQ(s.LoggedOn, 1);
  EXPECT_EQ(f.cmdLogOn->text(), QStringLiteral("&Log \"Time Off\""));
  pc.clock.local = pc.clock.local.addSecs(1200);
  f.cmdLogOn_Click();
  EXPECT_EQ(s.TimeOnTotal, 1800);

  f.cmdLogOn_Click();
  pc.clock.local = pc.clock.local.addSecs(1);
  f.Timer2_Timer();
  EXPECT_EQ(f.lblttrack->text(), QStringLiteral("00:30:01"));
  EXPECT_EQ(s.TimeOnRunning, 1801);
}

TEST_F(MainWindow, ClockTickShowsLocalAndUtcTime) {
  s.station.UtcOffsetHours = 5;
  pc.clock.setLocal(QDate(2024, 3, 30), QTime(9, 0, 0));
  f.Timer2_Timer();
  EXPECT_EQ(f.lblutctime->text(), QStringLiteral("14:00:00"));
  EXPECT_EQ(f.lblCurTime->text(), QStringLiteral("9:00:00"));
  EXPECT_FALSE(f.Label16->text().isEmpty());
  EXPECT_TRUE(f.Timer2->isActive());
  EXPECT_EQ(f.Timer2->interval(), 1000);
}

} // namespace
