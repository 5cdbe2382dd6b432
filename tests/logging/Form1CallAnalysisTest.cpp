#include "logging/Form1.h"

#include "platform/Controls.h"
#include "platform/LogDb.h"
#include "tests/support/TestContext.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Coordinates chosen so that headings and distances from the station at 40 N 75 W are known.
const char kFixture[] = "\"4X\",\"Israel\",\"AS\",\"-34.82\",\"31.32\",\"20\",\"39\",\"-2.0\"\r\n"
                        "\"EA8\",\"Canary Islands\",\"AF\",\"15.50\",\"28.32\",\"33\",\"36\",\"0.0\"\r\n"
                        "\"K\",\"USA\",\"NA\",\"100\",\"40\",\"5\",\"8\",\"5.0\"\r\n"
                        "\"KG4\",\"Guantanamo Bay\",\"NA\",\"75.00\",\"20.00\",\"8\",\"11\",\"5.0\"\r\n"
                        "\"VE\",\"Canada\",\"NA\",\"50\",\"40\",\"5\",\"9\",\"5.0\"\r\n";

void writeFile(const QString &folder, const QByteArray &content) {
  QDir().mkpath(folder);
  QFile f(folder + QStringLiteral("/arrlpre2.txt"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(content);
}

QString grouped(const char *text) {
  return QString::fromLatin1(text).replace(u',', QLocale::system().groupSeparator());
}

class CallAnalysis : public ::testing::Test {
protected:
  void SetUp() override {
    writeFile(pc.ctx->folders.ProgramFolder, kFixture);
    ASSERT_TRUE(form.LoadCountryTable());
    StationSettings &me = pc.state().station;
    me.MyCountry = QStringLiteral("USA");
    me.MyContinent = QStringLiteral("NA");
    me.MyLatitude = 40;
    me.MyLongitude = 75;
    me.ModeCode = QStringLiteral("CW");
    pc.state().CurrentBand = QStringLiteral("20");
  }

  void showAndActivate() {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  // Contacts, multipliers, QSO points, score and the prefix count's caption.
  QStringList scoreLabels() const {
    return {form.lblTotCon->text(), form.lblsectogo->text(), form.lblTotSec->text(), form.lblTotScore->text(),
            form.lbl160->text()};
  }

  TestLogFile logFile;
  TestPc pc{logFile.path};
  Form1 &form = pc.form();
};

} // namespace

TEST_F(CallAnalysis, TypingACallShowsPrefixCountryHeadingDistanceAndPoints) {
  const struct {
    const char *call, *prefix, *country, *continent, *bearing, *distance, *points;
  } cases[] = {
      {"K1ABC", "K1", "USA", "NA", "278 ", "1,318 ", "1"},
      {"VE3XYZ", "VE3", "Canada", "NA", "82 ", "1,318 ", "2"},
      {"4X4XYZ", "4X4", "Israel", "AS", nullptr, nullptr, "3"},
      {"KG4AB", "KG4", "Guantanamo Bay", "NA", "180 ", "1,381 ", "2"},
      {"KG4ABC", "KG4", "USA", "NA", "278 ", "1,318 ", "1"},
  };
  for (const auto &c : cases) {
    form.txtCall->clear();
    QTest::keyClicks(form.txtCall, QString::fromLatin1(c.call));
    EXPECT_EQ(form.txtPref->text(), QLatin1String(c.prefix)) << c.call;
    EXPECT_EQ(form.txtCntry->text(), QLatin1String(c.country)) << c.call;
    EXPECT_EQ(form.Label19->text(), QLatin1String(c.continent)) << c.call;
    if (c.bearing) {
      EXPECT_EQ(form.Label22->text(), QLatin1String(c.bearing)) << c.call;
      EXPECT_EQ(form.Label23->text(), grouped(c.distance)) << c.call;
    }
    EXPECT_EQ(form.txtPoints->text(), QLatin1String(c.points)) << c.call;
    // The name is selected from the start, so that typing replaces it.
    EXPECT_EQ(form.txtCntry->selStart(), 0) << c.call;
    EXPECT_EQ(form.txtCntry->selectedText(), QLatin1String(c.country)) << c.call;
  }
}

TEST_F(CallAnalysis, UnknownCallShowsNotFoundAndClearsTheDisplays) {
  form.txtCall->setText(QStringLiteral("K1ABC"));
  form.txtCall->setText(QStringLiteral("QQ1ABC"));
  EXPECT_EQ(form.txtCntry->text(), QStringLiteral("Not Found"));
  EXPECT_EQ(form.txtCntry->selectedText(), QStringLiteral("Not Found"));
  EXPECT_EQ(pc.state().CountryIndex, 0);
  for (Label *l : {form.Label19, form.Label22, form.Label23})
    EXPECT_TRUE(l->text().isEmpty());
  EXPECT_TRUE(form.txtPoints->text().isEmpty());

  // Emptying the call leaves the country as it was.
  form.txtCall->setText(QStringLiteral("VE3XYZ"));
  form.txtCall->clear();
  EXPECT_EQ(form.txtCntry->text(), QStringLiteral("Canada"));
  EXPECT_TRUE(form.txtPref->text().isEmpty());
}

TEST_F(CallAnalysis, CountryFieldCompletesTheTypedName) {
  showAndActivate();
  form.txtCntry->setFocus();
  form.txtCntry->clear();
  QTest::keyClicks(form.txtCntry, QStringLiteral("can"));
  EXPECT_EQ(form.txtCntry->text(), QStringLiteral("Canada"));
  EXPECT_EQ(form.txtCntry->selectedText(), QStringLiteral("ada"));
  EXPECT_EQ(form.Label19->text(), QStringLiteral("NA"));
  EXPECT_EQ(form.Label22->text(), QStringLiteral("82 "));
  EXPECT_EQ(form.txtPoints->text(), QStringLiteral("2"));

  QTest::keyClicks(form.txtCntry, QStringLiteral("ar"));
  EXPECT_EQ(form.txtCntry->text(), QStringLiteral("Canary Islands"));
  EXPECT_EQ(form.txtCntry->selectedText(), QStringLiteral("y Islands"));
  EXPECT_EQ(form.Label19->text(), QStringLiteral("AF"));
  EXPECT_EQ(form.txtPoints->text(), QStringLiteral("3"));

  // A name no entry begins with is typed as it is.
  form.txtCntry->clear();
  QTest::keyClicks(form.txtCntry, QStringLiteral("xy"));
  EXPECT_EQ(form.txtCntry->text(), QStringLiteral("Xy"));

  // A blank at the start of the field moves on to the prefix; a quote is never typed.
  form.txtCntry->setCursorPosition(0);
  QTest::keyClicks(form.txtCntry, QStringLiteral("\" "));
  EXPECT_EQ(form.txtCntry->text(), QStringLiteral("Xy"));
  EXPECT_TRUE(form.txtPref->hasFocus());
}

TEST_F(CallAnalysis, KeyCarriedFromTheReportFieldStartsTheCountry) {
  pc.state().CarryKey = 85; // "U"
  pc.state().CarryTarget = 2;
  int key = 'U';
  form.txtCntry_KeyPress(key);
  // The carried letter is typed twice over: "UU" begins no name, so the key stays for the
  // report field to treat as a blank.
  EXPECT_EQ(form.txtCntry->text(), QStringLiteral("U"));
  EXPECT_EQ(key, 'U');
  EXPECT_EQ(pc.state().CarryTarget, 0);
}

TEST_F(CallAnalysis, CountryListIsTakenFromTheSharedFolderFirst) {
  writeFile(pc.ctx->folders.SharedFolder, "\"K\",\"Shared USA\",\"NA\",\"100\",\"40\",\"\",\"\",\"\"\r\n");
  ASSERT_TRUE(form.LoadCountryTable());
  ASSERT_EQ(pc.state().CountryTable.CountryCount(), 1);
  EXPECT_EQ(pc.state().CountryTable.slot(1).CountryName, QStringLiteral("Shared USA"));
  EXPECT_TRUE(pc.dialogs.shown.empty());
}

TEST_F(CallAnalysis, ACountryListMissingUnreadableOrEmptyIsReportedOnceAndLoggingGoesOn) {
  const QString folder = pc.ctx->folders.ProgramFolder;
  const QString path = folder + QStringLiteral("/arrlpre2.txt");
  QFile::remove(path);
  const std::function<void()> breakages[] = {
      [] {},                       // missing
      [&] { QDir().mkdir(path); }, // there but not readable as a file
      [&] {
        QDir().rmdir(path);
        writeFile(folder, "\r\n"); // no record
      },
  };
  for (const auto &breakIt : breakages) {
    breakIt();
    pc.dialogs.shown.clear();
    pc.dialogs.beeps = 0;
    EXPECT_TRUE(form.LoadCountryTable()) << "the load goes on";
    EXPECT_EQ(pc.state().CountryTable.CountryCount(), 0);
    ASSERT_EQ(pc.dialogs.shown.size(), 1u);
    EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Country List"));
    EXPECT_EQ(pc.dialogs.shown[0].text,
              QStringLiteral("Unable to read the country list arrlpre2.txt. Calls will "
                             "show Not Found and score 0 points."));
    EXPECT_EQ(pc.dialogs.beeps, 1);
    form.txtCall->setText(QStringLiteral("K1ABC"));
    EXPECT_EQ(form.txtCntry->text(), QStringLiteral("Not Found"));
    form.txtCall->clear();
  }
}

TEST_F(CallAnalysis, MalformedCountryListIsReportedAndKeepsTheCompleteRecords) {
  writeFile(pc.ctx->folders.DataFolder,
            QByteArray(kFixture) + "\"ZS\",\"South Africa\",\"AF\",\"x\",\"1\",\"\",\"\",\"\"\r\n");
  EXPECT_FALSE(form.LoadCountryTable());
  EXPECT_EQ(pc.state().CountryTable.CountryCount(), 5);
  EXPECT_EQ(pc.dialogs.beeps, 1);
  ASSERT_NE(pc.dialogs.last(), nullptr);
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Error opening country list file."));
  EXPECT_EQ(
      pc.dialogs.last()->text,
      QStringLiteral("Error reading country file (arrlpre2.txt).  Using notepad, open this file and check "
                     "to make sure that there are quotes around each field and that they are separated by "
                     "commas."));
}

TEST_F(CallAnalysis, NewPrefixIsShownAndJoinsTheListWhenLogged) {
  form.Worklist();
  EXPECT_EQ(scoreLabels(), (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                        QStringLiteral("0"), QStringLiteral("Prefixes Worked - 0")}));

  pc.state().LoggedOn = 1;
  pc.type(QStringLiteral("W1ABC"), QStringLiteral("599"), QStringLiteral("1"), QStringLiteral("USA"),
          QStringLiteral("W1"), QStringLiteral("2"));
  EXPECT_FALSE(form.Label14->isHidden());
  form.Mains();
  pc.type(QStringLiteral("JA1XYZ"), QStringLiteral("599"), QStringLiteral("2"), QStringLiteral("Japan"),
          QStringLiteral("JA1"), QStringLiteral("3"));
  form.Mains();
  EXPECT_EQ(form.Text1->toPlainText(), QStringLiteral("JA1 W1 "));
  EXPECT_EQ(scoreLabels(), (QStringList{QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("5"),
                                        QStringLiteral("10"), QStringLiteral("Prefixes Worked - 2")}));

  // A worked prefix typed in another case is no new one.
  form.txtPref->setText(QStringLiteral("ja1"));
  EXPECT_TRUE(form.Label14->isHidden());
  form.txtPref->setText(QStringLiteral("JA2"));
  EXPECT_FALSE(form.Label14->isHidden());
  form.txtPref->clear();
  EXPECT_TRUE(form.Label14->isHidden());
}

TEST_F(CallAnalysis, ReloadRebuildsTheListFromTheWholeLog) {
  for (const char *prefix : {"W1", "JA1", "w1", ""}) {
    ContactRecord r;
    r.calls = QStringLiteral("X1X");
    r.prefix = QString::fromLatin1(prefix);
    r.points = QStringLiteral("1");
    r.uband = QStringLiteral("20");
    ASSERT_TRUE(pc.ctx->db().insert(r));
  }
  form.Worklist();
  EXPECT_EQ(pc.state().WorkedPrefixList.WorkedPrefixCount(), 3);
  EXPECT_EQ(form.Text1->toPlainText(), QStringLiteral(" JA1 W1 "));
  EXPECT_TRUE(form.Label10->isHidden());
  EXPECT_EQ(form.lblTotScore->text(), QStringLiteral("12"));
}
