// The entry row as the operator types into it, key by key: carries between fields, default
// reports, the partial-dupe list and hints, Enter in every field, focus work, voice prompts,
// post-contest entry and clearing the row.
#include "keying/frmDigitalSource.h"
#include "logging/Form1.h"

#include "platform/Controls.h"
#include "tests/support/TestContext.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QColor kTeal(0, 192, 192);
const QString kTimeOn = QStringLiteral("Click Log \"Time On\"!");

class EntryRow : public ShownMainWindow {
protected:
  void SetUp() override {
    ShownMainWindow::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    f.Worklist();
    f.cmdLogOn_Click();
    settle();
    pc.dialogs.beeps = 0;
  }

  // Lets the queued focus work run, as it does between two keystrokes (work queued by queued
  // work included).
  static void settle() {
    for (int round = 0; round < 4; ++round)
      QCoreApplication::processEvents();
  }
  static QWidget *focused() { return QApplication::focusWidget(); }
  // Types each character into whichever field has the focus at that moment.
  static void typeKeys(const QString &text) {
    for (const QChar c : text) {
      QTest::keyClick(focused(), c.toLatin1());
      settle();
    }
  }
  static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(focused(), k, modifiers);
    settle();
  }
  static void focus(TextBox *field) {
    field->setFocus();
    settle();
  }
  // A contact logged as Enter logs it.
  void logContact(const QString &call) {
    pc.type(call);
    f.Mains();
    settle();
  }
  // A contact in memory only, on `band`.
  void remember(const QString &call, const QString &band) {
    LogEntry e;
    e.calls = call;
    e.uband = band;
    s.log.append(e);
  }
  bool onTeal(const QWidget *w) const {
    return w->autoFillBackground() && w->palette().color(QPalette::Window) == kTeal;
  }
  void copyPrompts() {
    const QDir prompts(sourceDataDir() + QStringLiteral("/prompts"));
    for (const QString &name : prompts.entryList({QStringLiteral("*.wav")}))
      QFile::copy(prompts.filePath(name), pc.programDir.filePath(name));
  }
  QStringList played() const {
    QStringList names;
    for (const auto &sound : pc.sounds.started)
      names << sound.name;
    return names;
  }
};

} // namespace

TEST_F(EntryRow, AFullReportCarriesTheNextKeyOnAndASelectedDefaultIsReplaced) {
  // Leaving the call puts the default in, selected: the first digit replaces it.
  typeKeys(QStringLiteral("K1ABC "));
  EXPECT_EQ(focused(), f.txtRSTR);
  EXPECT_EQ(f.txtRSTR->selectedText(), QStringLiteral("59"));
  typeKeys(QStringLiteral("57"));
  EXPECT_EQ(f.txtRSTR->text(), QStringLiteral("57"));
  // Two characters typed by hand with nothing selected: the next digit starts the serial.
  typeKeys(QStringLiteral("12"));
  EXPECT_EQ(f.txtRSTR->text(), QStringLiteral("57"));
  EXPECT_EQ(f.txtSec->text(), QStringLiteral("12"));
  EXPECT_EQ(focused(), f.txtSec);
  // Space from a full report moves on without typing anything.
  focus(f.txtRSTR);
  key(Qt::Key_Space);
  EXPECT_EQ(focused(), f.txtSec);
  EXPECT_EQ(f.txtSec->text(), QStringLiteral("12"));

  // CW reports have three digits.
  s.station.ModeCode = QStringLiteral("CW");
  f.mnuClear_Click();
  settle();
  typeKeys(QStringLiteral("K1ABC 5995"));
  EXPECT_EQ(f.txtRSTR->text(), QStringLiteral("599"));
  EXPECT_EQ(f.txtSec->text(), QStringLiteral("5"));
  EXPECT_EQ(f.txtRSTS->text(), QStringLiteral("599"));
}

TEST_F(EntryRow, ADigitAfterACompleteCallStartsTheReportExceptInFiveCases) {
  typeKeys(QStringLiteral("k1abc5"));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K1ABC"));
  EXPECT_EQ(f.txtRSTR->text(), QStringLiteral("5"));
  EXPECT_EQ(focused(), f.txtRSTR);
  typeKeys(QStringLiteral("9"));
  EXPECT_EQ(f.txtRSTR->text(), QStringLiteral("59"));

  for (const QString &typed :
       {QStringLiteral("K1/AB5"), QStringLiteral("K15"), QStringLiteral("KH65"), QStringLiteral("4XAB5")}) {
    f.mnuClear_Click();
    settle();
    typeKeys(typed);
    EXPECT_EQ(f.txtCall->text(), typed);
    EXPECT_EQ(focused(), f.txtCall) << typed.toStdString();
  }
  // The caret inside the call: the digit goes in there.
  f.mnuClear_Click();
  settle();
  typeKeys(QStringLiteral("K1ABC"));
  key(Qt::Key_Home);
  key(Qt::Key_Right);
  typeKeys(QStringLiteral("5"));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K51ABC"));
  EXPECT_TRUE(f.txtRSTR->text().isEmpty());
}

TEST_F(EntryRow, TheFormatHintAndTheTimeOnReminder) {
  typeKeys(QStringLiteral("AB"));
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" "));
  typeKeys(QStringLiteral("C"));
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("The second or third character is not numeric!"));
  EXPECT_EQ(pc.dialogs.beeps, 1);
  for (const QString &call : {QStringLiteral("K1A"), QStringLiteral("AB1")}) {
    f.mnuClear_Click();
    typeKeys(call);
    EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" ")) << call.toStdString();
  }
  EXPECT_EQ(pc.dialogs.beeps, 1);

  // Logged off, every key beeps and reminds, unless the hint speaks after it.
  f.cmdLogOn_Click();
  f.mnuClear_Click();
  settle();
  pc.dialogs.beeps = 0;
  typeKeys(QStringLiteral("K"));
  EXPECT_EQ(f.lblDialog->text(), kTimeOn);
  typeKeys(QStringLiteral("1"));
  EXPECT_EQ(f.lblDialog->text(), kTimeOn);
  typeKeys(QStringLiteral("A"));
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" "));
  EXPECT_EQ(pc.dialogs.beeps, 3);
  typeKeys(QStringLiteral("B"));
  EXPECT_EQ(f.lblDialog->text(), kTimeOn);
  f.mnuClear_Click();
  pc.dialogs.beeps = 0;
  typeKeys(QStringLiteral("ABC"));
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("The second or third character is not numeric!"));
  EXPECT_EQ(pc.dialogs.beeps, 4);
}

TEST_F(EntryRow, PartialDupesListTheCurrentBandsCallsNewestFirst) {
  remember(QStringLiteral("K1ABC"), QStringLiteral("20"));
  remember(QStringLiteral("K1ABE"), QStringLiteral("40"));
  remember(QStringLiteral("K1ABD"), QStringLiteral("20"));
  typeKeys(QStringLiteral("K1"));
  EXPECT_EQ(f.lblDupe->text(), QStringLiteral("K1ABD K1ABC "));
  EXPECT_TRUE(onTeal(f.lblDupe));
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" ")) << "the call before the key is shorter than 3";
  typeKeys(QStringLiteral("AB"));
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("Possible Duplicate!"));
  EXPECT_EQ(f.lblDupe->text(), QStringLiteral("K1ABD K1ABC "));
  typeKeys(QStringLiteral("X"));
  EXPECT_TRUE(f.lblDupe->text().isEmpty());
  EXPECT_FALSE(f.lblDupe->autoFillBackground());
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" "));
  EXPECT_TRUE(onTeal(f.lblDialog));

  f.cmdDup_Click();
  settle();
  key(Qt::Key_Backspace);
  typeKeys(QStringLiteral("D"));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K1ABD"));
  EXPECT_TRUE(f.lblDupe->text().isEmpty()) << "partial dupes switched off";
}

TEST_F(EntryRow, PointsStayBelowSevenAndALetterInTheReportSentStartsTheCountry) {
  focus(f.txtPoints);
  typeKeys(QStringLiteral("8"));
  EXPECT_EQ(f.txtPoints->text(), QStringLiteral("6"));
  key(Qt::Key_Backspace);
  typeKeys(QStringLiteral("x3"));
  EXPECT_EQ(f.txtPoints->text(), QStringLiteral("3"));

  focus(f.txtRSTS);
  typeKeys(QStringLiteral("57"));
  typeKeys(QStringLiteral("c"));
  EXPECT_EQ(f.txtRSTS->text(), QStringLiteral("57"));
  EXPECT_TRUE(f.txtCntry->text().startsWith(u'C'));
  EXPECT_EQ(focused(), f.txtCntry);
}

TEST_F(EntryRow, LeavingTheCallChecksForADupeAndPutsInSelectedDefaults) {
  typeKeys(QStringLiteral("K1ABC"));
  focus(f.txtSec);
  EXPECT_EQ(f.txtRSTR->selectedText(), QStringLiteral("59"));
  EXPECT_EQ(f.txtRSTS->selectedText(), QStringLiteral("59"));
  EXPECT_EQ(f.txtPref->selectedText(), f.txtPref->text());
  // A report already there is kept.
  focus(f.txtCall);
  f.txtRSTR->setText(QStringLiteral("57"));
  f.txtRSTS->clear();
  s.station.ModeCode = QStringLiteral("RY");
  focus(f.txtSec);
  EXPECT_EQ(f.txtRSTR->text(), QStringLiteral("57"));
  EXPECT_EQ(f.txtRSTS->text(), QStringLiteral("599"));

  // A dupe is reported and cleared as soon as the call is left.
  logContact(QStringLiteral("W1AW"));
  typeKeys(QStringLiteral("W1AW "));
  EXPECT_TRUE(f.lblDialog->text().startsWith(QStringLiteral("Dupe: W1AW")));
  EXPECT_TRUE(f.txtCall->text().isEmpty());
  EXPECT_TRUE(f.txtRSTR->text().isEmpty());
  EXPECT_EQ(focused(), f.txtCall);
  // Leaving an empty call checks nothing.
  s.DupeFlag = 0;
  focus(f.txtSec);
  EXPECT_TRUE(f.txtRSTR->text().isEmpty());
}

TEST_F(EntryRow, EnterLogsTheContactFromEveryField) {
  const std::vector<TextBox *> fields{f.txtCall,  f.txtRSTR, f.txtSec,   f.txtRSTS,
                                      f.txtCntry, f.txtPref, f.txtPoints};
  int n = 0;
  for (TextBox *field : fields) {
    pc.type(QStringLiteral("K%1AA").arg(++n));
    focus(field);
    key(Qt::Key_Return);
    EXPECT_EQ(pc.table().size(), size_t(n)) << "field " << n;
    EXPECT_EQ(focused(), f.txtCall);
    EXPECT_TRUE(f.txtCall->text().isEmpty());
  }

  // In CW a full report carries Enter to the serial field: the contact is logged there and the
  // focus then moves on to the serial field of the empty row.
  s.station.ModeCode = QStringLiteral("CW");
  pc.type(QStringLiteral("K9AA"));
  focus(f.txtRSTR);
  key(Qt::Key_End);
  key(Qt::Key_Return);
  EXPECT_EQ(pc.table().size(), 8u);
  EXPECT_EQ(focused(), f.txtSec);
}

TEST_F(EntryRow, EnterInTheCallReplacesTheMessageOfMainsAndHoldsAfterADupe) {
  typeKeys(QStringLiteral("K1ABC"));
  key(Qt::Key_Return);
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" ")) << "\"Report Received!\" was replaced";
  EXPECT_EQ(focused(), f.txtRSTR);

  logContact(QStringLiteral("W1AW"));
  pc.type(QStringLiteral("W1AW"));
  focus(f.txtCall);
  pc.clock.slept = 0;
  key(Qt::Key_Return);
  EXPECT_EQ(pc.table().size(), 1u);
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" "));
  EXPECT_TRUE(onTeal(f.lblDialog));
  EXPECT_EQ(s.DupeFlag, 0) << "the hold has passed";
  EXPECT_EQ(pc.clock.slept, 3000);
}

TEST_F(EntryRow, TheDupeWarningStaysOnScreenThroughTheHold) {
  // What the screen shows of the status line while the program holds the keys back.
  QStringList shown;
  pc.clock.whileSleeping = [&] {
    const QImage screen = f.screen()->grabWindow(f.winId()).toImage();
    const QPoint centre = f.lblDialog->mapTo(&f, f.lblDialog->rect().center());
    shown << screen.pixelColor(centre * screen.devicePixelRatio()).name();
  };
  const QStringList red{QStringLiteral("#ff0000")};
  logContact(QStringLiteral("W1AW"));

  // Enter in the call field: the line turns back to teal in memory before the hold.
  pc.type(QStringLiteral("W1AW"));
  focus(f.txtCall);
  key(Qt::Key_Return);
  EXPECT_EQ(shown, red);

  // The dupe found on leaving the call; the hold comes with the next key typed.
  shown.clear();
  typeKeys(QStringLiteral("W1AW "));
  typeKeys(QStringLiteral("K"));
  EXPECT_EQ(shown, red);
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K"));
}

TEST_F(EntryRow, AClockSetBackDoesNotLengthenTheDupeHold) {
  logContact(QStringLiteral("W1AW"));
  typeKeys(QStringLiteral("W1AW "));
  ASSERT_EQ(s.DupeFlag, 1);
  // The end of daylight-saving time, or the clock corrected by hand.
  pc.clock.local = pc.clock.local.addSecs(-3600);
  pc.clock.slept = 0;
  typeKeys(QStringLiteral("K"));
  EXPECT_EQ(s.DupeFlag, 0);
  EXPECT_LE(pc.clock.slept, 3000);
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K"));
}

TEST_F(EntryRow, TheFormSwallowsQuotesCtrlKeysAndClearsOnEscape) {
  remember(QStringLiteral("K1ABC"), QStringLiteral("20"));
  QApplication::clipboard()->setText(QStringLiteral("DL1XYZ"));
  typeKeys(QStringLiteral("K1A"));
  const QString dupes = f.lblDupe->text();
  const QString status = f.lblDialog->text();
  ASSERT_FALSE(dupes.isEmpty());
  typeKeys(QStringLiteral("'\""));
  for (const Qt::Key k : {Qt::Key_V, Qt::Key_A, Qt::Key_X, Qt::Key_Z})
    key(k, Qt::ControlModifier);
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K1A"));
  EXPECT_EQ(f.lblDupe->text(), dupes);
  EXPECT_EQ(f.lblDialog->text(), status);
  EXPECT_EQ(pc.dialogs.beeps, 0);
  // Holding Ctrl alone does not eat the next key.
  key(Qt::Key_Control, Qt::ControlModifier);
  typeKeys(QStringLiteral("B"));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K1AB"));

  // Escape clears the row, logged off too, without a beep.
  f.cmdLogOn_Click();
  settle();
  pc.dialogs.beeps = 0;
  focus(f.txtSec);
  key(Qt::Key_Escape);
  EXPECT_TRUE(f.txtCall->text().isEmpty());
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" "));
  EXPECT_EQ(pc.dialogs.beeps, 0);
  EXPECT_EQ(focused(), f.txtCall);
}

TEST_F(EntryRow, ACarriedDigitLandsBeforeTheLostFocusDupeCheckClearsTheRow) {
  logContact(QStringLiteral("K1ABC"));
  typeKeys(QStringLiteral("K1ABC5"));
  EXPECT_TRUE(f.lblDialog->text().startsWith(QStringLiteral("Dupe: K1ABC")));
  EXPECT_TRUE(f.txtCall->text().isEmpty());
  EXPECT_TRUE(f.txtRSTR->text().isEmpty()) << "the digit was placed and then cleared with the dupe";
  EXPECT_EQ(focused(), f.txtCall);
}

TEST_F(EntryRow, TheCallFieldRestartsTheRefreshAndRunsTheDeferredReload) {
  f.cmdEdit->show();
  f.cmdDelete->show();
  f.Timer3->stop();
  TestPc other(file.path);
  other.type(QStringLiteral("DL1XYZ"));
  other.form().Mains();
  s.LogChanged = 1;
  focus(f.txtSec);
  focus(f.txtCall);
  EXPECT_TRUE(f.Timer3->isActive());
  EXPECT_FALSE(f.cmdEdit->isVisible());
  EXPECT_FALSE(f.cmdDelete->isVisible());
  EXPECT_EQ(s.log.ContactCount(), 1) << "the reload the refresh deferred";
  EXPECT_EQ(s.LogChanged, 0);

  // A log that never opened keeps the refresh off.
  f.Timer3->stop();
  pc.ctx->db().close();
  focus(f.txtSec);
  focus(f.txtCall);
  EXPECT_FALSE(f.Timer3->isActive());
}

TEST_F(EntryRow, FieldsAnnounceThemselvesAsVoiceNavigationAsks) {
  copyPrompts();
  pc.ctx->keying.VoiceNavMode = 1;
  focus(f.txtSec);
  focus(f.txtCall);
  // The first prompt of the run loads the navigation window, which announces the mode first.
  EXPECT_EQ(played(), (QStringList{QStringLiteral("NavEn"), QStringLiteral("Call"), QStringLiteral("Call")}));

  pc.sounds.started.clear();
  pc.ctx->keying.VoiceNavMode = 2;
  typeKeys(QStringLiteral("K1ABC    "));
  focus(f.txtPref);
  typeKeys(QStringLiteral(" "));
  EXPECT_EQ(played(),
            (QStringList{QStringLiteral("RstRcvd"), QStringLiteral("SerNum"), QStringLiteral("RstSnt"),
                         QStringLiteral("Country"), QStringLiteral("Prefix"), QStringLiteral("Points")}));
}

TEST_F(EntryRow, TheCallAndReportSentAreCopiedForTheKeyersAndTheRttyLink) {
  typeKeys(QStringLiteral("K1ABC"));
  EXPECT_EQ(pc.ctx->keying.TheirCall, QStringLiteral("K1ABC"));
  EXPECT_FALSE(pc.ctx->loaded<frmDigitalSource>()) << "no link in phone";
  s.station.ModeCode = QStringLiteral("RY");
  pc.ctx->keying.Q4ZDLinkOn = 1;
  typeKeys(QStringLiteral("D"));
  frmDigitalSource &link = pc.ctx->window<frmDigitalSource>();
  EXPECT_EQ(link.txtBUrCall->text(), QStringLiteral("K1ABCD"));
  f.txtRSTS->setText(QStringLiteral("579"));
  EXPECT_EQ(pc.ctx->keying.RSTSent, QStringLiteral("579"));
  EXPECT_EQ(link.txtBField1->text(), QStringLiteral("579"));
}

TEST_F(EntryRow, PostContestModeShowsTheFieldsAndKeepsWhatWasTyped) {
  EXPECT_TRUE(f.txtPostConTime->isHidden());
  f.mnuPostContest->trigger();
  EXPECT_TRUE(f.mnuPostContest->isChecked());
  for (QWidget *w : std::initializer_list<QWidget *>{f.lblPostConTime, f.txtPostConTime, f.lblPostConDate,
                                                     f.txtPostConDate})
    EXPECT_TRUE(w->isVisible());
  f.txtPostConTime->setText(QStringLiteral("12:34"));
  f.txtPostConDate->setText(QStringLiteral("2024/03/05"));
  f.mnuPostContest->trigger();
  EXPECT_FALSE(f.mnuPostContest->isChecked());
  EXPECT_TRUE(f.txtPostConDate->isHidden());
  EXPECT_TRUE(f.lblPostConDate->isHidden());
  f.mnuPostContest->trigger();
  EXPECT_EQ(f.txtPostConTime->text(), QStringLiteral("12:34"));
  EXPECT_EQ(f.txtPostConDate->text(), QStringLiteral("2024/03/05"));
}

TEST_F(EntryRow, ThePostContestFieldsTakeOnlyTheirCharactersAndTheDateIsTodaysLocalDate) {
  pc.clock.setLocal(QDate(2024, 3, 30), QTime(22, 0));
  s.station.UtcOffsetHours = 5; // already the 31st in UTC
  f.mnuPostContest_Click();
  focus(f.txtPostConTime);
  typeKeys(QStringLiteral("1a.2:3/4"));
  EXPECT_EQ(f.txtPostConTime->text(), QStringLiteral("12:34"));
  typeKeys(QStringLiteral(" "));
  EXPECT_EQ(focused(), f.txtPostConDate);
  EXPECT_EQ(f.txtPostConDate->text(), QStringLiteral("2024/03/30"));
  EXPECT_EQ(f.txtPostConDate->selectedText(), QStringLiteral("2024/03/30"));
  typeKeys(QStringLiteral("2024:a./3.5"));
  EXPECT_EQ(f.txtPostConDate->text(), QStringLiteral("2024/35"));

  // A date already there stays; the time is selected so that the next one overtypes it.
  focus(f.txtPostConTime);
  EXPECT_EQ(f.txtPostConTime->selectedText(), QStringLiteral("12:34"));
  typeKeys(QStringLiteral("0"));
  EXPECT_EQ(f.txtPostConTime->text(), QStringLiteral("0"));
  focus(f.txtPostConDate);
  EXPECT_EQ(f.txtPostConDate->text(), QStringLiteral("2024/35"));
  EXPECT_FALSE(f.txtPostConDate->hasSelectedText());

  // Space in the points field goes on to the time.
  focus(f.txtPoints);
  typeKeys(QStringLiteral(" "));
  EXPECT_EQ(focused(), f.txtPostConTime);
}

TEST_F(EntryRow, EnterInAPostContestFieldLogsWithTheTypedDateAndTime) {
  f.mnuPostContest_Click();
  f.txtPostConDate->setText(QStringLiteral("2024/13/45"));
  f.txtPostConTime->setText(QStringLiteral("1234"));
  pc.type(QStringLiteral("K1ABC"));
  focus(f.txtPostConTime);
  key(Qt::Key_Return);
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("Invalid date format!"));
  EXPECT_EQ(pc.dialogs.beeps, 1);
  f.txtPostConDate->setText(QStringLiteral("2024/3/5"));
  f.txtPostConTime->setText(QStringLiteral("99:99"));
  key(Qt::Key_Return);
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("Invalid time format!"));
  f.txtPostConTime->setText(QStringLiteral("2460"));
  key(Qt::Key_Return);
  EXPECT_EQ(f.txtPostConTime->text(), QStringLiteral("24:60")) << "the colon put in stays";
  EXPECT_TRUE(pc.table().empty());

  f.txtPostConTime->setText(QStringLiteral("1234"));
  key(Qt::Key_Return);
  f.txtPostConTime->setText(QStringLiteral("7:05"));
  pc.type(QStringLiteral("W1AW"));
  focus(f.txtPostConDate);
  key(Qt::Key_Return);
  const auto rows = pc.table();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].flddate, QStringLiteral("2024/03/05"));
  EXPECT_EQ(rows[0].fldtime, QStringLiteral("07:05"));
  EXPECT_EQ(rows[1].fldtime, QStringLiteral("12:34"));
  EXPECT_EQ(f.txtPostConDate->text(), QStringLiteral("2024/03/05")) << "the date serves the next contacts";
}

TEST_F(EntryRow, ThePostContestFieldsAreClearOfOtherControlsAndTakeAClick) {
  // Every control shown, in both modes (the edit buttons show while the list has the focus).
  s.station.MyCall = QStringLiteral("W1AW/KH6");
  f.Label2->setText(s.station.MyCall);
  f.cmdEdit->show();
  f.cmdDelete->show();
  for (const bool postContest : {false, true}) {
    if (postContest)
      f.mnuPostContest_Click();
    const QList<QWidget *> shown = [&] {
      QList<QWidget *> controls;
      for (QWidget *w : placedControls(&f))
        if (w->isVisible() && w->parentWidget() == f.centralWidget())
          controls << w;
      return controls;
    }();
    for (qsizetype i = 0; i < shown.size(); ++i)
      for (qsizetype j = i + 1; j < shown.size(); ++j)
        EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
            << "post-contest " << postContest << ": " << shown[i]->metaObject()->className() << " "
            << shown[i]->property("text").toString().toStdString() << " and "
            << shown[j]->metaObject()->className() << " "
            << shown[j]->property("text").toString().toStdString();
  }
  saveScreenshot(f, QStringLiteral("post-contest"));

  // A click reaches each field as Tab does: the focus and the field's own focus work.
  pc.clock.setLocal(QDate(2024, 3, 30), QTime(22, 0));
  f.txtPostConTime->setText(QStringLiteral("12:34"));
  focus(f.txtSec);
  const auto click = [this](QWidget *w) {
    QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, w->mapTo(&f, w->rect().center()));
    settle();
  };
  click(f.txtPostConDate);
  EXPECT_EQ(focused(), f.txtPostConDate);
  EXPECT_EQ(f.txtPostConDate->selectedText(), QStringLiteral("2024/03/30"));
  click(f.txtPostConTime);
  EXPECT_EQ(focused(), f.txtPostConTime);
  EXPECT_EQ(f.txtPostConTime->selectedText(), QStringLiteral("12:34"));
  typeKeys(QStringLiteral("0815"));
  EXPECT_EQ(f.txtPostConTime->text(), QStringLiteral("0815"));
  EXPECT_TRUE(f.txtSec->text().isEmpty());
}

TEST_F(EntryRow, ClearEmptiesTheRowAndItsDisplaysButNotThePostContestFields) {
  f.mnuPostContest_Click();
  f.txtPostConTime->setText(QStringLiteral("12:34"));
  f.txtPostConDate->setText(QStringLiteral("2024/03/05"));
  pc.type(QStringLiteral("K1ABC"));
  for (Label *l : {f.Label19, f.Label22, f.Label23, f.lblDupe})
    l->setText(QStringLiteral("x"));
  setBackColor(f.lblDupe, kTeal);
  f.setStatus(QStringLiteral("Dupe"), true);
  focus(f.txtSec);
  f.mnuClear->trigger();
  settle();
  for (TextBox *t : {f.txtCall, f.txtRSTR, f.txtSec, f.txtRSTS, f.txtCntry, f.txtPref, f.txtPoints})
    EXPECT_TRUE(t->text().isEmpty());
  for (Label *l : {f.Label19, f.Label22, f.Label23, f.lblDupe})
    EXPECT_TRUE(l->text().isEmpty());
  EXPECT_FALSE(f.lblDupe->autoFillBackground());
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral(" "));
  EXPECT_TRUE(onTeal(f.lblDialog));
  EXPECT_EQ(focused(), f.txtCall);
  EXPECT_EQ(f.txtPostConTime->text(), QStringLiteral("12:34"));
  EXPECT_EQ(f.txtPostConDate->text(), QStringLiteral("2024/03/05"));
}

TEST_F(EntryRow, AContactTypedKeyByKeyEndsInTheLog) {
  QFile::copy(sourceDataDir() + QStringLiteral("/arrlpre2.txt"),
              pc.programDir.filePath(QStringLiteral("arrlpre2.txt")));
  ASSERT_TRUE(f.LoadCountryTable());
  s.station.MyCountry = QStringLiteral("USA");
  s.station.MyContinent = QStringLiteral("NA");

  typeKeys(QStringLiteral("dl1xyz59123 57"));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("DL1XYZ"));
  EXPECT_EQ(f.txtRSTR->text(), QStringLiteral("59"));
  EXPECT_EQ(f.txtSec->text(), QStringLiteral("123"));
  EXPECT_EQ(f.txtRSTS->text(), QStringLiteral("57"));
  EXPECT_EQ(f.txtPref->text(), QStringLiteral("DL1"));
  const QString country = f.txtCntry->text().trimmed();
  const QString points = f.txtPoints->text();
  EXPECT_FALSE(country.isEmpty());
  EXPECT_FALSE(points.isEmpty());
  key(Qt::Key_Return);

  const auto rows = pc.table();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].calls, QStringLiteral("DL1XYZ"));
  EXPECT_EQ(rows[0].rstr, QStringLiteral("59"));
  EXPECT_EQ(rows[0].serialr, QStringLiteral("123"));
  EXPECT_EQ(rows[0].rsts, QStringLiteral("57"));
  EXPECT_EQ(rows[0].countryworked, country);
  EXPECT_EQ(rows[0].prefix, QStringLiteral("DL1"));
  EXPECT_EQ(rows[0].points, points);
  EXPECT_EQ(rows[0].serials, QStringLiteral("001"));
  EXPECT_EQ(focused(), f.txtCall);
  EXPECT_TRUE(f.txtCall->text().isEmpty());
  EXPECT_EQ(f.Label4->text(), QStringLiteral("002"));
}
