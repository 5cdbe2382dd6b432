// The summary sheet: its state at each opening, its option and key rules, and writing the
// entry from the menu through the save dialog to the file and the remembered address.
#include "app/SharedPreferences.h"
#include "output/Form2.h"
#include "platform/Controls.h"
#include "platform/SettingsStore.h"
#include "tests/output/CabrilloCheck.h"
#include "tests/output/ExportTestData.h"
#include "tests/support/TestContext.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

const QString kAddressKeys[] = {QStringLiteral("UserAddressName"),  QStringLiteral("UserAddressLine1"),
                                QStringLiteral("UserAddressLine2"), QStringLiteral("UserEMail"),
                                QStringLiteral("UserARRLSection"),  QStringLiteral("UserClubName")};

LogEntry contact(const QString &band, const QString &time, const QString &serials, const QString &call,
                 const QString &serialr) {
  return cabrilloContact(band, QStringLiteral("2024/05/25"), time, serials, call, serialr);
}

struct SummarySheet : ::testing::Test {
  TestLogFile log;
  TestPc pc{log.path};
  QString sharedXml;

  void SetUp() override {
    QDir().mkpath(pc.ctx->folders.SharedFolder);
    sharedXml = QDir(pc.ctx->folders.SharedFolder).filePath(QStringLiteral("SharedUserPreferences.xml"));
    pc.ctx->sharedPrefs.LoadSharedPreferences(sharedXml);
    pc.state().station.MyCall = QStringLiteral("K1ABC");
    pc.state().station.ModeCode = QStringLiteral("CW");
  }
  Form2 &sheet() { return pc.ctx->window<Form2>(); }
  QString target() const { return pc.programDir.filePath(QStringLiteral("entry.log")); }
  void fillAddress() {
    sheet().Text5->setText(QStringLiteral("  Pat Smith "));
    sheet().Text6->setText(QStringLiteral("12 Main Street"));
    sheet().Text7->setText(QStringLiteral("Hartford CT 06101"));
    sheet().Text8->setText(QStringLiteral("k1abc@example.org"));
    sheet().txtSection->setText(QStringLiteral("CT"));
    sheet().Text10->setText(QStringLiteral("Yankee Clipper Contest Club "));
  }
};

// The log has `count` distinct worked prefixes.
void workPrefixes(LoggingState &state, int count) {
  for (int i = 0; i < count; ++i)
    state.WorkedPrefixList.addDistinct(QStringLiteral("P%1").arg(i));
}

} // namespace

TEST_F(SummarySheet, EachOpeningStartsWithTheDefaultsAndTheRememberedAddress) {
  pc.settings->set(QStringLiteral("UserAddressName"), QStringLiteral("Pat Smith"));
  pc.settings->set(QStringLiteral("UserClubName"), QStringLiteral("YCCC"));
  Form2 &f = sheet();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Summary Sheet Information"));
  EXPECT_TRUE(f.Option6->isChecked());
  EXPECT_TRUE(f.Option19->isChecked());
  EXPECT_FALSE(f.Frame1->isEnabled());
  for (QRadioButton *o : {f.Option1, f.Option2, f.Option3})
    EXPECT_FALSE(o->isChecked());
  for (QCheckBox *c : {f.Check1, f.Check2, f.Check3})
    EXPECT_FALSE(c->isChecked());
  QStringList bands;
  for (int i = 0; i < f.Combo1->count(); ++i)
    bands << f.Combo1->itemText(i);
  EXPECT_EQ(bands, QStringList({"ALL", "160M", "80M", "40M", "20M", "15M", "10M"}));
  EXPECT_EQ(f.Combo1->currentText(), QStringLiteral("ALL"));
  EXPECT_EQ(f.Text5->text(), QStringLiteral("Pat Smith"));
  EXPECT_EQ(f.Text10->text(), QStringLiteral("YCCC"));
  EXPECT_TRUE(f.Text2->text().isEmpty());
  EXPECT_TRUE(f.Text11->text().isEmpty());

  // Choices made in one opening are gone at the next.
  f.Option7->click();
  f.Check2->setChecked(true);
  pc.ctx->unload<Form2>();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(sheet().Option6->isChecked());
  EXPECT_FALSE(sheet().Check2->isChecked());
}

TEST_F(SummarySheet, ScaledToTheScreenAtEachOpening) {
  pc.ctx->screen = std::make_unique<FixedScreenMetrics>(1280, 960);
  Form2 &f = sheet();
  EXPECT_EQ(f.Text5->geometry(), QRect(32, 64, 560, 44)); // design 240, 480, 4,200 x 330 twips, doubled
  EXPECT_EQ(f.Combo1->geometry(), QRect(364, 16, 88, 22)) << "this rule leaves combo boxes as designed";
}

TEST_F(SummarySheet, TransmittersOnlyForMultiple) {
  Form2 &f = sheet();
  f.Option7->click();
  EXPECT_TRUE(f.Frame1->isEnabled());
  EXPECT_TRUE(f.Option1->isChecked());
  f.Option2->click();
  for (QRadioButton *single : {f.Option5, f.Option9, f.Option6}) {
    single->click();
    EXPECT_FALSE(f.Frame1->isEnabled());
    EXPECT_FALSE(f.Option1->isChecked() || f.Option2->isChecked() || f.Option3->isChecked());
    f.Option7->click();
    EXPECT_TRUE(f.Option1->isChecked()) << "Multiple starts again at One";
  }
}

TEST_F(SummarySheet, TypedKeys) {
  Form2 &f = sheet();
  QTest::keyClicks(f.Text2, QStringLiteral("k1abc, \"w1xyz\""));
  EXPECT_EQ(f.Text2->text(), QStringLiteral("K1ABC W1XYZ"));
  QTest::keyClicks(f.txtSection, QStringLiteral("e\"m,a"));
  EXPECT_EQ(f.txtSection->text(), QStringLiteral("EMA"));
  QTest::keyClick(f.txtSection, Qt::Key_Backspace);
  EXPECT_EQ(f.txtSection->text(), QStringLiteral("EM"));
  QTest::keyClicks(f.Text5, QStringLiteral("pat, \"Jr\""));
  EXPECT_EQ(f.Text5->text(), QStringLiteral("pat, \"Jr\"")) << "only the call boxes filter";

  // A typed "2" would pick "20M" in a plain list box; the band comes from the list only.
  QTest::keyClicks(f.Combo1, QStringLiteral("2"));
  QTest::keyClicks(f.Combo1, QStringLiteral("1"));
  EXPECT_EQ(f.Combo1->currentText(), QStringLiteral("ALL"));
  QTest::keyClick(f.Combo1, Qt::Key_Down);
  EXPECT_EQ(f.Combo1->currentText(), QStringLiteral("160M"));
  const QModelIndex listed = f.Combo1->view()->currentIndex();
  QTest::keyClicks(f.Combo1->view(), QStringLiteral("4"));
  EXPECT_EQ(f.Combo1->view()->currentIndex(), listed) << "the open list ignores typing too";
}

TEST_F(SummarySheet, TabLeavesTheBandBox) {
  Form2 &f = sheet();
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  f.Combo1->setFocus();
  ASSERT_TRUE(f.Combo1->hasFocus());
  QTest::keyClick(f.Combo1, Qt::Key_Tab);
  EXPECT_FALSE(f.Combo1->hasFocus()) << "Tab types nothing, so the band box's filter must let it pass";
}

TEST_F(SummarySheet, WritesTheEntryByteForByteThenRemembersTheAddressTrimmed) {
  // CREATED-BY is the first 45 characters of the main window's own title, blanks included.
  LogArrays &arrays = pc.state().log;
  arrays.append(contact("20", "12:34:56", "001", "DL1XYZ", "123"));
  arrays.append(contact("160", "00:05:09", "002", "JA1AA", "7"));
  arrays.append(contact("6", "23:59", "003", "G4AAA", "0045"));
  pc.state().TotalPoints = 6;
  workPrefixes(pc.state(), 3);
  pc.state().station.MyCall = QStringLiteral(" K1ABC ");

  Form2 &f = sheet();
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  fillAddress();
  f.Text11->setText(QStringLiteral("Great conditions on 20."));
  pc.dialogs.paths.push_back(target());
  f.Command4->click();

  ASSERT_EQ(pc.dialogs.shown.size(), 2u);
  EXPECT_EQ(pc.state().station.MyCall, QStringLiteral("K1ABC")) << "the own call is kept trimmed";

  // The file carries the address as typed; only what is remembered is trimmed.
  QByteArray expected = golden("three_contacts.log");
  expected.replace("NAME: Pat Smith", "NAME:   Pat Smith ");
  expected.replace("CLUB: Yankee Clipper Contest Club", "CLUB: Yankee Clipper Contest Club ");
  const QByteArray written = fileBytes(target());
  EXPECT_EQ(written, expected);
  const CabrilloCheck check = checkCabrillo(written);
  EXPECT_TRUE(check.faults.isEmpty()) << check.faults.join(u'\n').toStdString();
  ASSERT_EQ(check.qsos.size(), 3u);
  EXPECT_EQ(check.qsos[1], QStringList({"1800", "CW", "2024-05-25", "0005", "K1ABC", "599", "002", "JA1AA",
                                        "599", "7", "1"}));

  EXPECT_EQ(pc.dialogs.beeps, 1);
  const auto &done = pc.dialogs.shown[1];
  EXPECT_EQ(done.title, QStringLiteral("File Written Successfully."));
  EXPECT_EQ(done.text,
            QStringLiteral("The file was successfully written to the directory:\r\n\r\n") + target() +
                QStringLiteral(".\r\n\r\nAttach this file to an e-mail addressed for contest submission.  "
                               "If you wish to print this file, you can open it with Notepad or "
                               "Wordpad to print."));
  EXPECT_EQ(QApplication::focusWidget(), f.Command3);
  EXPECT_TRUE(f.isVisible()) << "writing does not close the sheet";

  EXPECT_EQ(pc.settings->get(QStringLiteral("UserAddressName")), QStringLiteral("Pat Smith"));
  EXPECT_EQ(pc.settings->get(QStringLiteral("UserClubName")), QStringLiteral("Yankee Clipper Contest Club"));
  EXPECT_EQ(fileBytes(sharedXml),
            QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
                       "<OWN_ADDRESS_NAME>Pat Smith</OWN_ADDRESS_NAME>\r\n"
                       "<OWN_ADDRESS_LINE1>12 Main Street</OWN_ADDRESS_LINE1>\r\n"
                       "<OWN_ADDRESS_LINE2>Hartford CT 06101</OWN_ADDRESS_LINE2>\r\n"
                       "<OWN_EMAIL>k1abc@example.org</OWN_EMAIL>\r\n"
                       "<OWN_ARRL_SECTION>CT</OWN_ARRL_SECTION>\r\n"
                       "<OWN_CLUB_NAME>Yankee Clipper Contest Club</OWN_CLUB_NAME>\r\n"));
}

TEST_F(SummarySheet, CancelWritesAndStoresNothing) {
  pc.state().station.MyCall = QStringLiteral("K1ABC/P");
  fillAddress();
  sheet().Command4->click();
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].kind, QStringLiteral("save"));
  EXPECT_EQ(pc.dialogs.shown[0].text, QDir(pc.ctx->folders.DataFolder).filePath(QStringLiteral("K1ABC.log")));
  EXPECT_EQ(pc.dialogs.beeps, 0);
  for (const QString &key : kAddressKeys)
    EXPECT_TRUE(pc.settings->get(key).isEmpty()) << key.toStdString();
  EXPECT_FALSE(QFile::exists(sharedXml));
}

TEST_F(SummarySheet, AFailedWriteIsReportedLeavesNoFileAndStoresNothing) {
  fillAddress();
  const QString inMissingFolder = pc.programDir.filePath(QStringLiteral("no such folder/entry.log"));
  pc.dialogs.paths.push_back(inMissingFolder);
  sheet().Command4->click();
  ASSERT_EQ(pc.dialogs.shown.size(), 2u);
  EXPECT_EQ(pc.dialogs.shown[1].title, QStringLiteral("Unable to write file."));
  EXPECT_FALSE(pc.dialogs.shown[1].text.isEmpty());
  EXPECT_EQ(pc.dialogs.beeps, 0);
  EXPECT_FALSE(QFile::exists(inMissingFolder));
  for (const QString &key : kAddressKeys)
    EXPECT_TRUE(pc.settings->get(key).isEmpty()) << key.toStdString();
}

TEST_F(SummarySheet, TheScoreOfABigLogDoesNotOverflow) {
  pc.state().TotalPoints = 2000000;
  workPrefixes(pc.state(), 5000);
  pc.dialogs.paths.push_back(target());
  sheet().Command4->click();
  EXPECT_TRUE(fileBytes(target()).contains("\r\nCLAIMED-SCORE: 10000000000 \r\n"));
}

TEST_F(SummarySheet, TheMenuReloadsSoAnotherPcsContactsAreInTheEntry) {
  TestPc other{log.path};
  other.form().Worklist();
  other.type(QStringLiteral("DL1XYZ"));
  other.form().Mains();
  pc.form().Worklist();
  other.type(QStringLiteral("JA1AA"));
  other.form().Mains();

  pc.dialogs.paths.push_back(target());
  bool wasModal = false;
  QTimer::singleShot(0, [&] {
    Form2 &f = sheet();
    wasModal = f.isModal() && f.isVisible();
    f.Command4->click();
    f.Command3->click();
  });
  pc.form().mnuWriteSumm->trigger();

  EXPECT_TRUE(wasModal);
  EXPECT_FALSE(pc.ctx->loaded<Form2>()) << "the sheet is unloaded after Done";
  const CabrilloCheck check = checkCabrillo(fileBytes(target()));
  EXPECT_TRUE(check.faults.isEmpty()) << check.faults.join(u'\n').toStdString();
  ASSERT_EQ(check.qsos.size(), 2u);
  EXPECT_EQ(check.qsos[0][7], QStringLiteral("DL1XYZ"));
  EXPECT_EQ(check.qsos[1][7], QStringLiteral("JA1AA"));
}

TEST_F(SummarySheet, AReloadThatFailsOpensNoSheet) {
  pc.flaky().failLoads = 1;
  bool opened = false;
  QTimer closer; // dies with the test, so it never fires into a later one
  closer.setSingleShot(true);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    opened = pc.ctx->loaded<Form2>();
    if (opened)
      sheet().Command3->click();
  });
  closer.start(0);
  pc.form().mnuWriteSumm->trigger();
  EXPECT_FALSE(opened) << "a partial log would go out as the whole entry";
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("File Error"));
}
