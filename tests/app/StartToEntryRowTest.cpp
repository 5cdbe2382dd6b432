// A whole start as the operator meets it: the program folder the build lays out, the start-up
// window, the main window's load, station setup typed in, "Open existing log?", then a contact
// typed into the entry row; then a second start from the same folder, which finds the log, the
// station and the operating time as File, Exit left them. Under xvfb-run with ORVEX_SCREENSHOTS
// set, the main window is saved for people to look at.
#include "app/frmQ7TLVLogo.h"
#include "app/frmSplash.h"
#include "logging/frmStationID.h"
#include "platform/Controls.h"
#include "platform/LogDb.h"
#include "tests/support/TestContext.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct ProgramEnded {};

// The program folder exactly as the build leaves it, copied so that the test never changes it.
void copyProgramFolder(const QString &from, const QString &to) {
  const QDir source(from);
  for (const QString &name : source.entryList(QDir::Files))
    ASSERT_TRUE(QFile::copy(source.filePath(name), QDir(to).filePath(name))) << name.toStdString();
}

// Starts the program in `pc`'s program folder as the README's command does: the logo is clicked
// away, `typing` fills station setup before Done, and "Open existing log?" is answered Yes.
void start(TestPc &pc, std::function<void(frmStationID &)> typing) {
  pc.ctx->endProcess = [](int) { throw ProgramEnded(); };
  const QString saved = QDir::currentPath();
  QDir::setCurrent(pc.programDir.path());
  QTimer::singleShot(0, [&] {
    if (pc.ctx->loaded<frmQ7TLVLogo>())
      QTest::mouseClick(pc.ctx->window<frmQ7TLVLogo>().Image1, Qt::LeftButton);
  });
  pc.answerStationSetup(std::move(typing));
  pc.dialogs.answers.push_back(Dialogs::Answer::Yes); // "Open existing log?"
  pc.ctx->window<frmSplash>().Form_Load();
  QDir::setCurrent(saved);
}

} // namespace

TEST(StartToEntryRow, AFreshProgramFolderReachesALoggedContact) {
  TempHome home;
  TestPc pc{QString()};
  copyProgramFolder(QStringLiteral(ORVEX_PROGRAM_FOLDER), pc.programDir.path());
  start(pc, [&](frmStationID &setup) {
    setup.Text1->setFocus();
    QTest::keyClicks(setup.Text1, QStringLiteral("k1abc"));
    setup.Text2->clear();
    setup.Text2->setFocus();
    QTest::keyClicks(setup.Text2, QStringLiteral("uS"));
    saveScreenshot(setup, QStringLiteral("station-setup"));
  });

  Form1 &f = pc.form();
  ASSERT_TRUE(f.isVisible());
  f.activateWindow(); // an X server without a window manager activates nothing by itself
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  EXPECT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown.back().title, QStringLiteral("Open existing log?"));
  const StationSettings &station = pc.state().station;
  EXPECT_EQ(station.MyCall, QStringLiteral("K1ABC"));
  EXPECT_EQ(station.MyCountry, QStringLiteral("USA"));
  EXPECT_EQ(station.MyContinent, QStringLiteral("NA"));
  EXPECT_EQ(f.Label2->text(), QStringLiteral("K1ABC"));
  EXPECT_TRUE(pc.ctx->db().isOpen());
  EXPECT_TRUE(f.Timer3->isActive());

  f.txtCall->setFocus();
  QTest::keyClicks(f.txtCall, QStringLiteral("W1AW"));
  EXPECT_EQ(f.txtPref->text(), QStringLiteral("W1"));
  for (TextBox *box : {f.txtRSTR, f.txtRSTS})
    if (box->text().isEmpty())
      box->setText(QStringLiteral("599"));
  f.txtSec->setFocus();
  QTest::keyClicks(f.txtSec, QStringLiteral("17"));
  saveScreenshot(f, QStringLiteral("entry-row"));
  QTest::keyClick(f.txtSec, Qt::Key_Return);

  ASSERT_EQ(pc.state().log.ContactCount(), 1);
  EXPECT_EQ(pc.state().log.slot(1).calls, QStringLiteral("W1AW"));
  EXPECT_EQ(pc.ctx->db().count(), 1.0);
  EXPECT_EQ(f.Label4->text(), QStringLiteral("002"));
  EXPECT_TRUE(f.txtCall->text().isEmpty());
  saveScreenshot(f, QStringLiteral("after-first-contact"));
}

TEST(StartToEntryRow, ASecondStartKeepsTheLogTheStationAndTheOperatingTime) {
  TempHome home;
  TestPc first{QString()};
  copyProgramFolder(QStringLiteral(ORVEX_PROGRAM_FOLDER), first.programDir.path());
  start(first, [](frmStationID &setup) { setup.Text1->setText(QStringLiteral("K1ABC")); });
  Form1 &f = first.form();
  f.cmdLogOn_Click();
  first.clock.local = first.clock.local.addSecs(90);
  first.type(QStringLiteral("W1AW"));
  f.Mains();
  ASSERT_EQ(first.ctx->db().count(), 1.0);
  EXPECT_THROW(f.mnuExit_Click(), ProgramEnded);

  // The operator starts again from the same program folder and only confirms.
  TestPc second{QString()};
  copyProgramFolder(first.programDir.path(), second.programDir.path());
  start(second, {});
  const LoggingState &s = second.state();
  EXPECT_EQ(s.station.MyCall, QStringLiteral("K1ABC"));
  EXPECT_EQ(second.form().Label2->text(), QStringLiteral("K1ABC"));
  EXPECT_EQ(s.TimeOnTotal, 90);
  ASSERT_EQ(s.log.ContactCount(), 1);
  EXPECT_EQ(s.log.slot(1).calls, QStringLiteral("W1AW"));
  EXPECT_EQ(second.form().Label4->text(), QStringLiteral("002"));
  EXPECT_EQ(second.dialogs.shown.size(), 1u); // "Open existing log?" only
}
