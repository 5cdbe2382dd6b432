#include "app/MainPreferences.h"

#include "platform/ProgramFiles.h"
#include "platform/VbText.h"
#include "tests/support/TestContext.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// A complete file as the program writes it.
const QString kExample = QStringLiteral("\"K1ABC\"\r\n5\r\n\"CW\"\r\n\"20\"\r\n1800\r\n"
                                        "\"United States\"\r\n\"NA\"\r\n72.5\r\n42.3\r\n1\r\n"
                                        "100\r\n\"1\"\r\n\"Z:\\Contest\\OrvexLog.MDB\"\r\n6000\r\n"
                                        "0\r\n\"None\"\r\n0\r\n");

struct State {
  LoggingState logging;
  KeyingState keying;
  MainPreferences prefs;
  bool read(const QString &content) { return readMainPreferences(content, logging, keying, prefs); }
  QString text() const { return mainPreferencesText(logging, keying, prefs); }
};

QByteArray fileBytes(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(MainPreferencesFile, ReadsEverySeventeenValuesAndWritesTheSameBytesBack) {
  State s;
  ASSERT_TRUE(s.read(kExample));
  const StationSettings &st = s.logging.station;
  EXPECT_EQ(st.MyCall, QStringLiteral("K1ABC"));
  EXPECT_EQ(st.UtcOffsetHours, 5.0f);
  EXPECT_EQ(st.ModeCode, QStringLiteral("CW"));
  EXPECT_EQ(s.logging.CurrentBand, QStringLiteral("20"));
  EXPECT_EQ(s.logging.TimeOnTotal, 1800.0);
  EXPECT_EQ(st.MyCountry, QStringLiteral("United States"));
  EXPECT_EQ(st.MyContinent, QStringLiteral("NA"));
  EXPECT_EQ(st.MyLongitude, 72.5f);
  EXPECT_EQ(st.MyLatitude, 42.3f);
  EXPECT_TRUE(st.SerialPerBand);
  EXPECT_EQ(s.prefs.FormSizePercent, 100);
  EXPECT_EQ(st.TransmitterNumber, QStringLiteral("1"));
  EXPECT_EQ(st.LogFilePath, QStringLiteral("Z:\\Contest\\OrvexLog.MDB"));
  EXPECT_EQ(s.prefs.RefreshMs, 6000.0f);
  EXPECT_EQ(s.keying.VoiceNavMode, 0);
  EXPECT_EQ(s.prefs.RigType, QStringLiteral("None"));
  EXPECT_EQ(s.prefs.TaskbarLayout, 0);
  EXPECT_EQ(s.text(), kExample);

  // The per-band serial flag is a byte: another non-zero value is written back as it stands.
  const QString two =
      QString(kExample).replace(QStringLiteral("42.3\r\n1\r\n"), QStringLiteral("42.3\r\n2\r\n"));
  State other;
  ASSERT_TRUE(other.read(two));
  EXPECT_EQ(other.logging.station.SerialPerBand, 2);
  EXPECT_EQ(other.text(), two);
}

TEST(MainPreferencesFile, KeepsSeventeenLinesWhateverTheValues) {
  State s;
  s.logging.station.MyCall = QString();
  s.logging.station.UtcOffsetHours = -3.5f;
  s.logging.station.MyCountry = QStringLiteral("Trinidad, Tobago \"TT\"");
  s.logging.station.LogFilePath = QStringLiteral("/srv/log \"a\".MDB");
  s.logging.TimeOnTotal = 0.25;
  const QString text = s.text();
  EXPECT_EQ(text.count(QStringLiteral("\r\n")), 17);
  EXPECT_EQ(text.count(u'\n'), 17);
  EXPECT_TRUE(text.startsWith(QStringLiteral("\"\"\r\n-3.5\r\n")));

  // A comma stands inside the quotes; a double quote is dropped so the values never shift.
  State back;
  ASSERT_TRUE(back.read(text));
  EXPECT_EQ(back.logging.station.MyCountry, QStringLiteral("Trinidad, Tobago TT"));
  EXPECT_EQ(back.logging.station.LogFilePath, QStringLiteral("/srv/log a.MDB"));
  EXPECT_EQ(back.logging.TimeOnTotal, 0.25);
  EXPECT_EQ(back.text(), text);
}

TEST(MainPreferencesFile, ShortFileOrByteOutOfRangeFailsKeepingWhatWasRead) {
  State s;
  s.prefs.RigType = QStringLiteral("start");
  EXPECT_FALSE(s.read(QStringLiteral("\"W1AW\"\r\n4\r\n\"PH\"\r\n")));
  EXPECT_EQ(s.logging.station.MyCall, QStringLiteral("W1AW"));
  EXPECT_EQ(s.logging.station.UtcOffsetHours, 4.0f);
  EXPECT_EQ(s.logging.station.ModeCode, QStringLiteral("PH"));
  EXPECT_EQ(s.prefs.RigType, QStringLiteral("start"));

  for (const char *bad : {"300", "-1"}) {
    QString content = kExample;
    content.replace(QStringLiteral("\r\n100\r\n"), QStringLiteral("\r\n%1\r\n").arg(QLatin1String(bad)));
    State t;
    EXPECT_FALSE(t.read(content)) << bad;
    EXPECT_EQ(t.logging.station.MyLatitude, 42.3f) << bad; // line 9, read before the failure
    EXPECT_EQ(t.logging.station.TransmitterNumber, QStringLiteral("1")) << bad;
  }
  QString empty = kExample;
  empty.chop(3); // the last value is missing
  EXPECT_FALSE(State().read(empty));
}

TEST(MainPreferencesFile, NumbersAreConvertedToTheirTypes) {
  QString content = kExample;
  content.replace(QStringLiteral("\r\n100\r\n"), QStringLiteral("\r\n95.5\r\n"));  // byte rounds to even
  content.replace(QStringLiteral("\r\n72.5\r\n"), QStringLiteral("\r\nwest\r\n")); // text reads as 0
  content.replace(QStringLiteral("\r\n42.3\r\n"), QStringLiteral("\r\n.5\r\n"));
  State s;
  ASSERT_TRUE(s.read(content));
  EXPECT_EQ(s.prefs.FormSizePercent, 96);
  EXPECT_EQ(s.logging.station.MyLongitude, 0.0f);
  EXPECT_EQ(s.logging.station.MyLatitude, 0.5f);
  EXPECT_EQ(s.prefs.TaskbarLayout, 0);
}

TEST(UtcOffset, RecommendationCountsWholeMinutesOfOneReading) {
  const auto at = [](int h, int m, int sec) { return wallClock(QDate(2024, 3, 30), QTime(h, m, sec)); };
  const QDateTime utc = at(14, 5, 59);
  EXPECT_EQ(recommendedUtcOffset(utc, at(9, 5, 0)), 5.0f);
  EXPECT_EQ(recommendedUtcOffset(utc, at(8, 35, 10)), 5.5f);
  EXPECT_EQ(recommendedUtcOffset(utc, at(8, 20, 0)), 5.75f);
  EXPECT_EQ(recommendedUtcOffset(utc, at(9, 6, 0)), 4.98f); // 299 minutes
  // East of Greenwich, across midnight.
  EXPECT_EQ(recommendedUtcOffset(utc, wallClock(QDate(2024, 3, 31), QTime(0, 50, 0))), -10.75f);
}

TEST(UtcOffset, AnswerMustBeANumber) {
  EXPECT_EQ(utcOffsetAnswer(QStringLiteral("5.5")), 5.5f);
  EXPECT_EQ(utcOffsetAnswer(QStringLiteral("-4")), -4.0f);
  EXPECT_EQ(utcOffsetAnswer(QStringLiteral("5,75")), 5.75f);
  EXPECT_FALSE(utcOffsetAnswer(QString()));
  EXPECT_FALSE(utcOffsetAnswer(QStringLiteral("five")));
  EXPECT_FALSE(utcOffsetAnswer(QStringLiteral("1e40")));
}

class PrefsOnPc : public ::testing::Test {
protected:
  TestPc pc{QString()};
  Form1 &form = pc.form();
  QString path() const { return files::resolve(pc.programDir.path(), QStringLiteral("orvexfnt.txt")); }
  void setClock(int localHour, int localMinute) {
    pc.clock.utc = QDateTime(QDate(2024, 3, 30), QTime(14, 5, 9), QTimeZone::utc());
    pc.clock.setLocal(QDate(2024, 3, 30), QTime(localHour, localMinute, 40));
  }
};

TEST_F(PrefsOnPc, SaveReplacesTheFileWhateverTheCaseOfItsName) {
  const QString old = pc.programDir.filePath(QStringLiteral("OrvexFnt.txt"));
  ASSERT_TRUE(vb::writeLatin1Atomic(old, QStringLiteral("old")));
  pc.state().station.MyCall = QStringLiteral("K1ABC");
  ASSERT_TRUE(form.SavePref());
  EXPECT_EQ(QDir(pc.programDir.path()).entryList({QStringLiteral("*.txt")}, QDir::Files),
            QStringList{QStringLiteral("OrvexFnt.txt")});
  EXPECT_TRUE(fileBytes(old).startsWith("\"K1ABC\"\r\n0\r\n"));
  pc.state().station.MyCall.clear();
  ASSERT_TRUE(form.LoadPref());
  EXPECT_EQ(pc.state().station.MyCall, QStringLiteral("K1ABC"));
}

TEST_F(PrefsOnPc, MissingFileFailsToLoadAndUnwritableFileIsReported) {
  EXPECT_FALSE(form.LoadPref());
  pc.ctx->folders.ProgramFolder = pc.programDir.filePath(QStringLiteral("gone"));
  EXPECT_FALSE(form.SavePref());
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Unable to save preferences."));
  EXPECT_TRUE(pc.dialogs.shown[0].text.endsWith(QStringLiteral("  ") + pc.ctx->folders.ProgramFolder +
                                                QStringLiteral("/orvexfnt.txt")));
}

TEST_F(PrefsOnPc, MatchingOffsetAsksNothing) {
  setClock(9, 5);
  pc.state().station.UtcOffsetHours = 5;
  form.CheckUTCOffset();
  EXPECT_TRUE(pc.dialogs.shown.empty());
  EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(PrefsOnPc, DifferentOffsetIsOfferedAndCancelWritesNothing) {
  setClock(8, 35);
  pc.state().station.UtcOffsetHours = 5;
  form.CheckUTCOffset();
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  const ScriptedDialogs::Shown &box = pc.dialogs.shown[0];
  EXPECT_EQ(box.kind, QStringLiteral("input"));
  EXPECT_EQ(box.title, QStringLiteral("Update the Local Time / UTC Offset?"));
  EXPECT_EQ(box.defaultText, QStringLiteral("5.5"));
  EXPECT_EQ(box.text, QStringLiteral("Would you like to adjust the UTC offset in this program for your local "
                                     "time setting?\r\n\r\nCurrent System Time: 14:05\r\n\r\nCurrent Local "
                                     "Time: 08:35\r\n\r\nRecommended Offset Setting: 5.5\r\n\r\nCurrent "
                                     "Offset Setting: 5\r\n\r\nPlease click OK to accept the recommended "
                                     "change or Cancel to keep the current setting."));
  EXPECT_EQ(pc.state().station.UtcOffsetHours, 5.0f);
  EXPECT_FALSE(QFile::exists(path()));

  pc.dialogs.inputs.push_back(QStringLiteral("half past"));
  form.CheckUTCOffset();
  EXPECT_EQ(pc.state().station.UtcOffsetHours, 5.0f);
  EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(PrefsOnPc, AcceptedOffsetIsStoredAndTheWholeFileRewritten) {
  setClock(8, 20);
  pc.state().station.UtcOffsetHours = 5;
  pc.dialogs.inputs.push_back(QStringLiteral("5.75"));
  form.CheckUTCOffset();
  EXPECT_EQ(pc.state().station.UtcOffsetHours, 5.75f);
  const QByteArray bytes = fileBytes(path());
  EXPECT_EQ(bytes.count('\n'), 17);
  EXPECT_TRUE(bytes.startsWith("\"\"\r\n5.75\r\n"));
}

TEST_F(PrefsOnPc, FailedSaveOfTheOffsetKeepsTheOldOneQuietly) {
  setClock(8, 20);
  pc.state().station.UtcOffsetHours = 5;
  pc.ctx->folders.ProgramFolder = pc.programDir.filePath(QStringLiteral("gone"));
  pc.dialogs.inputs.push_back(QStringLiteral("5.75"));
  form.CheckUTCOffset();
  EXPECT_EQ(pc.state().station.UtcOffsetHours, 5.0f);
  EXPECT_EQ(pc.dialogs.shown.size(), 1u); // the question only
}

TEST(MainPreferencesFile, ShippedDefaultsReadWholeAndWriteBackUnchanged) {
  const auto content = vb::readLatin1(sourceDataDir() + QStringLiteral("/defaults/orvexfnt.txt"));
  ASSERT_TRUE(content);
  State s;
  ASSERT_TRUE(s.read(*content));
  EXPECT_EQ(s.prefs.RigType, QStringLiteral("None"));
  EXPECT_EQ(s.prefs.RefreshMs, 6000.0f);
  EXPECT_EQ(s.text(), *content);
}
