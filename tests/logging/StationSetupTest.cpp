// Station setup: its rules, the dialog driven as the operator drives it, and the setup run.
#include "logging/StationSetup.h"

#include "app/Form5.h"
#include "app/MainPreferences.h"
#include "logging/CountryTable.h"
#include "logging/Form1.h"
#include "logging/frmStationID.h"
#include "platform/Controls.h"
#include "platform/LogDb.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"
#include "tests/support/TestContext.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(StationSetupRules, TheNumberFilterPassesBackspaceMinusPointSlashAndDigits) {
  for (const int k : std::initializer_list<int>{8, '-', '.', '/', '0', '9'})
    EXPECT_EQ(Numberr(k), k) << k;
  for (const int k : std::initializer_list<int>{',', '+', ' ', 'a', 'E', 13, ':'})
    EXPECT_EQ(Numberr(k), 0) << k;
}

TEST(StationSetupRules, NumbersUseThePointAndMustFitASingle) {
  EXPECT_EQ(setupNumber(QStringLiteral("-4.5")), -4.5f);
  EXPECT_EQ(setupNumber(QStringLiteral(" 72.25 ")), 72.25f);
  EXPECT_FALSE(setupNumber(QString()));
  EXPECT_FALSE(setupNumber(QStringLiteral("4,5")));
  EXPECT_FALSE(setupNumber(QStringLiteral("-")));
  EXPECT_FALSE(setupNumber(QStringLiteral("1e40")));
  EXPECT_EQ(transmitterNumberText(QStringLiteral("2")), QStringLiteral("2"));
  EXPECT_EQ(transmitterNumberText(QStringLiteral("A")), QStringLiteral("0"));
  EXPECT_EQ(transmitterNumberText(QString()), QStringLiteral("0"));
}

TEST(StationSetupRules, AShortSavedPathGivesTheLogBesideTheProgram) {
  EXPECT_EQ(setupLogPath(QString(), QStringLiteral("/opt/orvex")), QStringLiteral("/opt/orvex/OrvexLog.MDB"));
  EXPECT_EQ(setupLogPath(QStringLiteral("Z:"), QStringLiteral("/opt/orvex")),
            QStringLiteral("/opt/orvex/OrvexLog.MDB"));
  EXPECT_EQ(setupLogPath(QStringLiteral("/a/"), QStringLiteral("/opt/orvex")), QStringLiteral("/a/"));
}

TEST(StationSetupRules, ModeCodesSelectAnOptionInAnyCase) {
  EXPECT_EQ(contestModeFor(QStringLiteral("ph")), ContestMode::Phone);
  EXPECT_EQ(contestModeFor(QStringLiteral("Cw")), ContestMode::CW);
  EXPECT_EQ(contestModeFor(QStringLiteral("RY")), ContestMode::RTTY);
  EXPECT_FALSE(contestModeFor(QStringLiteral("SSB")));
  EXPECT_EQ(modeCode(ContestMode::RTTY), QStringLiteral("RY"));
}

namespace {

struct ProgramEnded {};

class StationSetup : public ::testing::Test {
protected:
  TestLogFile file;
  TestLogFile other;
  TestPc pc{file.path};
  Form1 &f = pc.form();
  LoggingState &s = pc.state();
  frmStationID &d = pc.ctx->window<frmStationID>();
  QString sharedXml = QDir(pc.programDir.path()).filePath(QStringLiteral("SharedUserPreferences.xml"));

  void SetUp() override {
    pc.ctx->endProcess = [](int) { throw ProgramEnded(); };
    pc.ctx->sharedPrefs.LoadSharedPreferences(sharedXml);
    StationSettings &st = s.station;
    st.MyCall = QStringLiteral("K1ABC");
    st.MyCountry = QStringLiteral("USA");
    st.MyContinent = QStringLiteral("NA");
    st.MyLongitude = 72.5f;
    st.MyLatitude = 42.25f;
    st.UtcOffsetHours = -4.5f;
    st.TransmitterNumber = QStringLiteral("2");
    st.ModeCode = QStringLiteral("cw");
    st.SerialPerBand = false;
    st.LogFilePath = other.path;
  }
  void showDialog() {
    d.Form_Load();
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  }
  void logElsewhere(const QString &call) {
    LogDb db(QStringLiteral("elsewhere"));
    ASSERT_TRUE(db.open(other.path));
    ASSERT_TRUE(db.insert({call, QStringLiteral("599"), QStringLiteral("1"), QStringLiteral("599"),
                           QStringLiteral("2024/03/30"), QStringLiteral("14:00:00"), QStringLiteral("1"),
                           QStringLiteral("001"), QStringLiteral("20"), QStringLiteral("1"),
                           QStringLiteral("USA"), QStringLiteral("W1")}));
  }
};

} // namespace

TEST_F(StationSetup, TheDialogShowsTheStationAsSaved) {
  pc.settings->set(QStringLiteral("UserQ4ZDOption"), QStringLiteral("1"));
  d.Form_Load();
  EXPECT_EQ(d.windowTitle(), QStringLiteral(" Amateur Station I.D."));
  EXPECT_EQ(d.Text1->text(), QStringLiteral("K1ABC"));
  EXPECT_EQ(d.Text6->text(), QStringLiteral("-4.5"));
  EXPECT_EQ(d.Text4->text(), QStringLiteral("72.5"));
  EXPECT_EQ(d.Text7->text(), QStringLiteral("42.25"));
  EXPECT_EQ(d.Text8->text(), QStringLiteral("2"));
  EXPECT_EQ(d.Text9->text(), other.path);
  EXPECT_TRUE(d.Option2->isChecked());
  EXPECT_TRUE(d.Option4->isChecked());
  EXPECT_TRUE(d.chkQ4ZDRtty->isChecked());
  EXPECT_FALSE(d.chkQ4ZDRtty->isEnabled());
  EXPECT_TRUE(d.Command3->isHidden());
  EXPECT_TRUE(d.Command4->isHidden());

  // RTTY enables the link; Phone greys it again without clearing it.
  d.Option5->click();
  EXPECT_TRUE(d.chkQ4ZDRtty->isEnabled());
  d.Option1->click();
  EXPECT_FALSE(d.chkQ4ZDRtty->isEnabled());
  EXPECT_TRUE(d.chkQ4ZDRtty->isChecked());
}

TEST_F(StationSetup, AFirstStartOffersTheLogBesideTheProgramAndAnUnknownModeStaysCw) {
  s.station.LogFilePath.clear();
  s.station.ModeCode = QStringLiteral("SSB");
  s.station.SerialPerBand = true;
  d.Form_Load();
  EXPECT_EQ(d.Text9->text(), QDir(pc.programDir.path()).filePath(QStringLiteral("OrvexLog.MDB")));
  EXPECT_TRUE(d.Option2->isChecked());
  EXPECT_TRUE(d.Option3->isChecked());
  EXPECT_FALSE(d.chkQ4ZDRtty->isChecked());
}

TEST_F(StationSetup, AWrongPathIsReportedAndOffersCancelAndHelp) {
  d.Form_Load();
  d.Text6->setText(QString());
  d.Text9->setText(QStringLiteral("  /nowhere/OrvexLog.MDB "));
  d.Command1_Click();
  EXPECT_EQ(pc.dialogs.beeps, 1);
  ASSERT_EQ(pc.dialogs.messages().size(), 1);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("File, Network or Install Error."));
  EXPECT_TRUE(pc.dialogs.shown[0].text.startsWith(
      QStringLiteral("Unable to find your log file (OrvexLog.MDB).  Please very the location of the log file "
                     "and try again.\r\n\r\nIf you are using Windows 95 and are:\r\n\r\n1. Certain")));
  EXPECT_TRUE(pc.dialogs.shown[0].text.endsWith(QStringLiteral(
      "- Double Click DCOM95.EXE\r\n- After DCOM95.EXE has completed installation, Double Click "
      "Setup.exe")));
  EXPECT_FALSE(d.Command3->isHidden());
  EXPECT_FALSE(d.Command4->isHidden());
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_EQ(d.Text6->text(), QStringLiteral("0"));
  EXPECT_EQ(s.station.LogFilePath, QStringLiteral("/nowhere/OrvexLog.MDB"));
  EXPECT_FALSE(pc.ctx->db().isOpen());
  // What is written before the open stays written.
  EXPECT_EQ(pc.settings->get(QStringLiteral("UserQ4ZDOption")), QStringLiteral("0"));
  EXPECT_EQ(vb::readLatin1(sharedXml),
            QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>K1ABC</OWN_CALL>\r\n"
                           "<OWN_UTC>0</OWN_UTC>\r\n<OWN_COUNTRY>USA</OWN_COUNTRY>\r\n<OWN_LONGITUDE>72.5"
                           "</OWN_LONGITUDE>\r\n<OWN_LATITUDE>42.25</OWN_LATITUDE>\r\n<OWN_CONTINENT>NA"
                           "</OWN_CONTINENT>\r\n"));
}

TEST_F(StationSetup, AFileThatIsNoLogFailsAsAWrongPathDoes) {
  d.Form_Load();
  d.Text9->setText(sharedXml);
  d.Command1_Click();
  EXPECT_EQ(pc.dialogs.shown.back().title, QStringLiteral("File, Network or Install Error."));
  EXPECT_FALSE(pc.ctx->db().isOpen());
}

TEST_F(StationSetup, TheSetupRunTakesTheFieldsOpensTheChosenLogAndReloadsIt) {
  logElsewhere(QStringLiteral("W1AW"));
  f.Timer3->setInterval(6000);
  QTimer::singleShot(0, &d, [this] {
    d.Text1->setText(QStringLiteral("N2XYZ"));
    d.Text6->setText(QStringLiteral("5"));
    d.Text8->setText(QStringLiteral("3"));
    d.Option1->click();
    d.Option3->click();
    d.Text9->setText(QStringLiteral("/nowhere"));
    d.Command1_Click(); // refused: the dialog stays
    d.Text9->setText(other.path);
    d.Command1->click();
  });
  f.mnuSetup_Click();
  EXPECT_EQ(pc.dialogs.messages().size(), 1);
  const StationSettings &st = s.station;
  EXPECT_EQ(st.MyCall, QStringLiteral("N2XYZ"));
  EXPECT_EQ(st.UtcOffsetHours, 5.0f);
  EXPECT_EQ(st.ModeCode, QStringLiteral("PH"));
  EXPECT_EQ(st.TransmitterNumber, QStringLiteral("3"));
  EXPECT_TRUE(st.SerialPerBand);
  EXPECT_EQ(st.LogFilePath, other.path);
  EXPECT_EQ(f.Label2->text(), QStringLiteral("N2XYZ"));
  EXPECT_TRUE(pc.ctx->db().isOpen());
  EXPECT_EQ(pc.ctx->db().path(), other.path);
  EXPECT_TRUE(f.Timer3->isActive());
  ASSERT_EQ(s.log.ContactCount(), 1);
  EXPECT_EQ(s.log.slot(1).calls, QStringLiteral("W1AW"));
  const auto prefs = vb::readLatin1(pc.preferencesPath());
  ASSERT_TRUE(prefs);
  EXPECT_TRUE(prefs->startsWith(QStringLiteral("\"N2XYZ\"\r\n5\r\n\"PH\"\r\n")));
  EXPECT_FALSE(pc.ctx->loaded<frmStationID>());
}

TEST_F(StationSetup, AllBandsStoresOneSerialSequenceAndAnUnwritablePreferencesFileIsReported) {
  ASSERT_TRUE(QDir().mkdir(pc.preferencesPath()));
  logElsewhere(QStringLiteral("W1AW"));
  s.station.SerialPerBand = true;
  QTimer::singleShot(0, &d, [this] {
    d.Option4->click();
    d.Command1->click();
  });
  f.mnuSetup_Click();
  EXPECT_FALSE(s.station.SerialPerBand);
  ASSERT_EQ(pc.dialogs.messages().size(), 1);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Unable to save preferences."));
  // The run goes on: the serial, the refresh and the log.
  EXPECT_EQ(f.Label4->text(), QStringLiteral("002"));
  EXPECT_TRUE(f.Timer3->isEnabled());
  EXPECT_EQ(s.log.ContactCount(), 1);
}

TEST_F(StationSetup, EnterInTheCallFieldIsDoneAndTheFiltersShapeWhatIsTyped) {
  showDialog();
  d.Text1->clear();
  d.Text1->setFocus();
  QTest::keyClicks(d.Text1, QStringLiteral("k1\"xy"));
  EXPECT_EQ(d.Text1->text(), QStringLiteral("K1XY"));
  d.Text1->insert(QStringLiteral("\"/P\"")); // pasted
  EXPECT_EQ(d.Text1->text(), QStringLiteral("K1XY/P"));
  d.Text8->clear();
  d.Text8->setFocus();
  QTest::keyClicks(d.Text8, QStringLiteral("\"1\"2"));
  EXPECT_EQ(d.Text8->text(), QStringLiteral("12"));
  d.Text4->clear();
  d.Text4->setFocus();
  QTest::keyClicks(d.Text4, QStringLiteral("-7a,2.5"));
  EXPECT_EQ(d.Text4->text(), QStringLiteral("-72.5"));
  d.Text1->setFocus();
  QTest::keyClick(d.Text1, Qt::Key_Return);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_TRUE(d.isHidden());
}

TEST_F(StationSetup, LeavingANumberFieldWithoutANumberBeepsAndReturnsButNotForTheButtons) {
  showDialog();
  d.Text4->setText(QString());
  d.Text7->setText(QStringLiteral("x"));
  d.Text4->setFocus();
  d.Text7->setFocus(); // two bad fields: the focus settles on the first, with one beep
  QTest::qWait(20);
  EXPECT_TRUE(d.Text4->hasFocus());
  EXPECT_EQ(pc.dialogs.beeps, 1);

  d.Command1->setFocus();
  QTest::qWait(20);
  EXPECT_TRUE(d.Command1->hasFocus());
  EXPECT_EQ(pc.dialogs.beeps, 1);

  d.Text8->setText(QStringLiteral("A"));
  d.Text8->setFocus();
  d.Text2->setFocus();
  EXPECT_EQ(d.Text8->text(), QStringLiteral("0"));
  EXPECT_EQ(pc.dialogs.beeps, 1);
}

TEST_F(StationSetup, BrowseFillsThePathAndACancelBeeps) {
  d.Form_Load();
  pc.dialogs.paths.push_back(other.path);
  d.Command2_Click();
  EXPECT_EQ(d.Text9->text(), other.path);
  EXPECT_EQ(pc.dialogs.shown[0].filter, QStringLiteral("(*.MDB) (*.MDB *.mdb);;(All Files) (*)"));
  d.Command2_Click();
  pc.dialogs.paths.push_back(QStringLiteral("/logs/a\"b.mdb"));
  d.Command2_Click();
  EXPECT_EQ(pc.dialogs.beeps, 2);
  EXPECT_EQ(d.Text9->text(), other.path);
}

TEST_F(StationSetup, CancelAndTheCloseBoxStoreTheOperatingTimeAndEndTheProgram) {
  s.LoggedOn = 1;
  s.TimeOnTotal = 600;
  s.SessionStart = pc.clock.now().addSecs(-90);
  d.Form_Load();
  EXPECT_THROW(d.Command3_Click(), ProgramEnded);
  EXPECT_EQ(s.TimeOnTotal, 690);
  EXPECT_EQ(s.LoggedOn, 0);
  EXPECT_FALSE(pc.ctx->db().isOpen());
  const auto prefs = vb::readLatin1(pc.preferencesPath());
  ASSERT_TRUE(prefs);
  EXPECT_EQ(prefs->split(QStringLiteral("\r\n")).value(4), QStringLiteral("690"));

  EXPECT_THROW(d.close(), ProgramEnded);
}

TEST_F(StationSetup, TheCountryTypeAheadCompletesToTheLastEntryAndFillsTheLocation) {
  CountryList &table = s.CountryTable;
  table.add({QStringLiteral("VE"), QStringLiteral("Canada"), QStringLiteral("NA"), 80, 45});
  table.add({QStringLiteral("ZF"), QStringLiteral("Cayman Islands"), QStringLiteral("NA"), 81.5f, 19.25f});
  table.add({QStringLiteral("TJ"), QStringLiteral("Cameroon"), QStringLiteral("AF"), -12, 5});
  table.add({QStringLiteral("CE"), QStringLiteral("Chile"), QStringLiteral("SA"), 71, -33.5f});
  showDialog();
  d.Text2->clear();
  d.Text2->setFocus();
  QTest::keyClick(d.Text2, Qt::Key_C, {}, 0);
  EXPECT_EQ(d.Text2->text(), QStringLiteral("Chile"));
  EXPECT_EQ(d.Text2->selectedText(), QStringLiteral("hile"));
  EXPECT_EQ(d.Text3->text(), QStringLiteral("SA"));
  EXPECT_EQ(d.Text7->text(), QStringLiteral("-33.5"));
  QTest::keyClicks(d.Text2, QStringLiteral("a"));
  EXPECT_EQ(d.Text2->text(), QStringLiteral("Cameroon"));
  EXPECT_EQ(d.Text4->text(), QStringLiteral("-12"));
  QTest::keyClicks(d.Text2, QStringLiteral("N"));
  EXPECT_EQ(d.Text2->text(), QStringLiteral("CaNada")); // the typed case stays, the rest is the table's
  EXPECT_EQ(d.Text3->text(), QStringLiteral("NA"));
  QTest::keyClicks(d.Text2, QStringLiteral("x"));
  EXPECT_EQ(d.Text2->text(), QStringLiteral("CaNx"));
  EXPECT_EQ(d.Text3->text(), QStringLiteral("NA"));
  QTest::keyClick(d.Text2, Qt::Key_Return);
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(StationSetup, HelpShowsTheHelpPageAndReturnsToDone) {
  showDialog();
  bool helpShown = false;
  QTimer::singleShot(0, [&] {
    helpShown = pc.ctx->window<Form5>().isVisible();
    pc.ctx->window<Form5>().Command1->click();
  });
  d.Command4_Click();
  EXPECT_TRUE(helpShown);
  EXPECT_EQ(d.focusWidget(), d.Command1);
}
