// The main window's load in its order from a program folder as installed, what each failure
// skips, and the shut-down.
#include "app/MainPreferences.h"
#include "app/SharedPreferences.h"
#include "keying/CWFrm.h"
#include "keying/KeyerSettings.h"
#include "keying/PhoneFrm.h"
#include "logging/ContactListView.h"
#include "logging/Form1.h"
#include "logging/frmStationID.h"
#include "platform/Controls.h"
#include "platform/LogDb.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"
#include "rig/RigSelection.h"
#include "tests/support/TestContext.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct ProgramEnded {};

const QString kHandlerA = QStringLiteral(
    "Error loading default data .  Check to make sure orvexprf.txt is in your working directory.");

class MainLoad : public ::testing::Test {
protected:
  MainLoad() {
    // The program folder of a fresh installation, with the country list and an empty log.
    const QDir defaults(sourceDataDir() + QStringLiteral("/defaults"));
    for (const QString &name : defaults.entryList(QDir::Files))
      QFile::copy(defaults.filePath(name), program(name));
    QFile::copy(sourceDataDir() + QStringLiteral("/arrlpre2.txt"), program(QStringLiteral("arrlpre2.txt")));
    LogDb::createEmpty(program(QStringLiteral("OrvexLog.MDB")));
    pc.ctx->endProcess = [](int) { throw ProgramEnded(); };
    pc.ctx->sharedPrefs.LoadSharedPreferences(program(kSharedPreferencesFile));
    pc.answerStationSetup([](frmStationID &setup) { setup.Text1->setText(QStringLiteral("K1ABC")); });
    pc.dialogs.answers.push_back(Dialogs::Answer::Yes); // "Open existing log?"
  }

  QString program(const QString &name) const { return QDir(pc.programDir.path()).filePath(name); }
  void writeFile(const QString &path, const QString &content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content.toLatin1());
  }
  // The stored preferences with one line replaced (1-based).
  void setPreference(int line, const QString &value) {
    QStringList lines =
        vb::readLatin1(program(kMainPreferencesFile)).value_or(QString()).split(QStringLiteral("\r\n"));
    lines[line - 1] = value;
    writeFile(program(kMainPreferencesFile), lines.join(QStringLiteral("\r\n")));
  }
  QStringList titles() const {
    QStringList out;
    for (const auto &shown : pc.dialogs.shown)
      out << shown.title;
    return out;
  }
  bool setupRan() { return pc.state().station.MyCall == QStringLiteral("K1ABC"); }

  TestPc pc{QString()};
  Form1 &f = pc.form();
  LoggingState &s = pc.state();
};

} // namespace

TEST_F(MainLoad, RunsEveryStepInOrderUpToTheOpenLogQuestion) {
  setPreference(4, QStringLiteral("\"40\""));
  setPreference(14, QStringLiteral("9000.4"));
  f.Form_Load();
  EXPECT_EQ(titles(), QStringList{QStringLiteral("Open existing log?")});
  EXPECT_EQ(pc.dialogs.beeps, 0);
  EXPECT_EQ(f.lblDialog->text(),
            QStringLiteral("Select a band from the menu bar and click Log \"Time On\" below!"));
  EXPECT_EQ(f.ListView1->columnCount(), 12);
  EXPECT_EQ(f.txtDX->columnCount(), 8);
  EXPECT_EQ(f.Label21->text(), QStringLiteral("40"));
  EXPECT_TRUE(f.mnu40->isChecked());
  EXPECT_GT(s.CountryTable.CountryCount(), 300);
  ASSERT_TRUE(pc.ctx->loaded<PhoneFrm>());
  EXPECT_EQ(pc.ctx->window<PhoneFrm>().Text11->text(), QStringLiteral("&H378"));
  EXPECT_FALSE(pc.ctx->window<PhoneFrm>().isVisible());
  ASSERT_TRUE(pc.ctx->loaded<CWFrm>());
  EXPECT_EQ(pc.ctx->window<CWFrm>().Text11->text(), QStringLiteral("13"));
  EXPECT_TRUE(pc.ctx->window<CWFrm>().Option4->isChecked()); // method 0
  EXPECT_TRUE(setupRan());
  EXPECT_EQ(pc.flaky().loads, 1) << "setup's load serves the answer Yes";
  EXPECT_EQ(f.Label2->text(), QStringLiteral("K1ABC"));
  EXPECT_EQ(s.station.LogFilePath, program(QStringLiteral("OrvexLog.MDB")));
  EXPECT_TRUE(pc.ctx->db().isOpen());
  EXPECT_EQ(f.Timer3->interval(), 9000);
  EXPECT_TRUE(f.Timer3->isActive());
  EXPECT_EQ(pc.ctx->keying.NextSerial, QStringLiteral("1"));
  EXPECT_EQ(s.SessionStart, pc.clock.now());
}

TEST_F(MainLoad, AMissingPreferencesFileStopsAtHandlerAWithTheWindowLaidOut) {
  QFile::remove(program(kMainPreferencesFile));
  f.Form_Load();
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].text, kHandlerA);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Error opening default data."));
  EXPECT_EQ(pc.dialogs.beeps, 1);
  EXPECT_EQ(f.ListView1->columnCount(), 12);
  EXPECT_EQ(f.txtDX->columnWidth(3), 0);
  EXPECT_EQ(s.CountryTable.CountryCount(), 0);
  EXPECT_FALSE(setupRan());
  EXPECT_FALSE(pc.ctx->db().isOpen());
  EXPECT_FALSE(f.Timer3->isEnabled());
}

TEST_F(MainLoad, AMissingVoiceKeyerFileSkipsCwSetupTheLogAndTheRig) {
  QFile::remove(program(kVoiceKeyerFile));
  f.Form_Load();
  EXPECT_EQ(titles(), QStringList{QStringLiteral("Error opening default data.")});
  EXPECT_EQ(pc.dialogs.beeps, 1);
  EXPECT_GT(s.CountryTable.CountryCount(), 300);
  EXPECT_FALSE(pc.ctx->loaded<CWFrm>()); // CW settings never read
  EXPECT_FALSE(setupRan());
  EXPECT_FALSE(pc.ctx->db().isOpen());
}

TEST_F(MainLoad, ADamagedCountryListStopsAtHandlerBKeepingTheRecordsRead) {
  writeFile(
      program(QStringLiteral("arrlpre2.txt")),
      QStringLiteral("\"K\",\"USA\",\"NA\",\"97.0\",\"38.0\",\"8\",\"5\",\"5.0\"\r\n\"VE\",\"Canada\"\r\n"));
  f.Form_Load();
  EXPECT_EQ(titles(), QStringList{QStringLiteral("Error opening country list file.")});
  EXPECT_EQ(pc.dialogs.beeps, 1);
  EXPECT_EQ(s.CountryTable.CountryCount(), 1);
  EXPECT_FALSE(setupRan());
}

TEST_F(MainLoad, TheSharedFoldersCountryListComesFirstAndNoneAtAllIsReportedButNoFailure) {
  ASSERT_TRUE(QDir().mkpath(pc.ctx->folders.SharedFolder));
  writeFile(QDir(pc.ctx->folders.SharedFolder).filePath(QStringLiteral("ARRLPRE2.TXT")),
            QStringLiteral("\"K\",\"USA\",\"NA\",\"97.0\",\"38.0\",\"8\",\"5\",\"5.0\"\r\n"));
  f.Form_Load();
  EXPECT_EQ(s.CountryTable.CountryCount(), 1);
  EXPECT_TRUE(setupRan());

  TestPc other{QString()};
  other.ctx->sharedPrefs.LoadSharedPreferences(other.programDir.filePath(kSharedPreferencesFile));
  other.answerStationSetup();
  for (const QString &name : QDir(pc.programDir.path()).entryList(QDir::Files))
    if (name.compare(QStringLiteral("arrlpre2.txt"), Qt::CaseInsensitive) != 0)
      QFile::copy(program(name), other.programDir.filePath(name));
  other.dialogs.answers.push_back(Dialogs::Answer::Ok);
  other.dialogs.answers.push_back(Dialogs::Answer::Yes);
  other.form().Form_Load();
  EXPECT_EQ(other.state().CountryTable.CountryCount(), 0);
  EXPECT_EQ(other.dialogs.shown.front().title, QStringLiteral("Country List"));
  EXPECT_EQ(other.dialogs.shown.back().title, QStringLiteral("Open existing log?"));
}

TEST_F(MainLoad, APreferencesFileThatCannotBeRewrittenDuringTheLoadIsHandlerAs) {
  // The file becomes a folder while station setup is open: the setup run's save fails.
  pc.answerStationSetup([this](frmStationID &setup) {
    QFile::remove(program(kMainPreferencesFile));
    QDir().mkdir(program(kMainPreferencesFile));
    setup.Text1->setText(QStringLiteral("K1ABC"));
  });
  f.Form_Load();
  EXPECT_TRUE(setupRan());
  EXPECT_EQ(titles(), QStringList{QStringLiteral("Error opening default data.")});
  EXPECT_EQ(pc.dialogs.beeps, 1);
  // The setup run itself went on; the log question was skipped.
  EXPECT_TRUE(f.Timer3->isActive());
  EXPECT_TRUE(pc.ctx->db().isOpen());
}

TEST_F(MainLoad, AStoredRefreshRateOfZeroKeepsTheTimerFromFiring) {
  setPreference(14, QStringLiteral("0"));
  f.Form_Load();
  EXPECT_TRUE(setupRan());
  EXPECT_TRUE(f.Timer3->isEnabled());
  EXPECT_FALSE(f.Timer3->isActive());
}

TEST_F(MainLoad, AStoredRefreshRateNoTimerCanTakeIsHandlerAs) {
  setPreference(14, QStringLiteral("70000"));
  f.Form_Load();
  EXPECT_EQ(titles(), QStringList{QStringLiteral("Error opening default data.")});
  EXPECT_FALSE(setupRan());
}

TEST(RigStart, AnyRigButNoneInAnyCaseIsPolled) {
  for (const char *none : {"None", "none", "NONE"})
    EXPECT_FALSE(rigSelected(QString::fromLatin1(none)));
  EXPECT_TRUE(rigSelected(QStringLiteral("Kenwood")));
  EXPECT_TRUE(rigSelected(QString()));
}

namespace {

class ShutDown : public ShownMainWindow {
protected:
  QString prefsPath = pc.preferencesPath();

  void SetUp() override {
    ShownMainWindow::SetUp();
    pc.ctx->endProcess = [](int) { throw ProgramEnded(); };
  }
  void logOn(double closedSeconds, int runningSeconds) {
    s.LoggedOn = 1;
    s.TimeOnTotal = closedSeconds;
    s.SessionStart = pc.clock.now().addSecs(-runningSeconds);
  }
};

} // namespace

TEST_F(ShutDown, ClosingWhileCwIsSentEmptiesTheQueueAndStaysOpen) {
  pc.ctx->keying.CWBuffer = QStringLiteral("CQ TEST");
  pc.ctx->keying.CWSending = 1;
  logOn(0, 30);
  EXPECT_FALSE(f.close());
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(pc.ctx->keying.CWBuffer.isEmpty());
  EXPECT_EQ(s.LoggedOn, 1);
  EXPECT_FALSE(files::exists(prefsPath));
}

TEST_F(ShutDown, ClosingStoresTheRunningOperatingTime) {
  pc.ctx->keying.CWBuffer = QStringLiteral("TU");
  logOn(-600, 75); // a negative total counts by its size
  EXPECT_TRUE(f.close());
  EXPECT_TRUE(pc.ctx->keying.CWBuffer.isEmpty());
  EXPECT_EQ(pc.storedPreference(5), QStringLiteral("675"));
  EXPECT_EQ(s.LoggedOn, 0);
}

TEST_F(ShutDown, FileExitStoresTheOperatingTimeOnlyWhileLoggedOnAndEndsAtOnce) {
  EXPECT_THROW(f.mnuExit->trigger(), ProgramEnded);
  EXPECT_FALSE(files::exists(prefsPath));
  EXPECT_FALSE(pc.ctx->db().isOpen());

  logOn(3600, 10);
  EXPECT_THROW(f.mnuExit_Click(), ProgramEnded);
  EXPECT_EQ(pc.storedPreference(5), QStringLiteral("3610"));
}

TEST_F(ShutDown, AnUnwritablePreferencesFileIsReportedAndTheProgramStillEnds) {
  ASSERT_TRUE(QDir().mkdir(prefsPath));
  logOn(0, 10);
  EXPECT_THROW(f.mnuExit_Click(), ProgramEnded);
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Unable to save preferences."));
  EXPECT_TRUE(f.close());
}
