#include "app/SharedPreferences.h"

#include "platform/VbText.h"
#include "tests/support/TestContext.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const char *const kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

QByteArray fileBytes(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// Station setup's six keys, saved on the last.
void setStation(SharedPreferences &p, const QString &call) {
  p.SetSharedPreference(QStringLiteral("OWN_CALL"), call, false);
  p.SetSharedPreference(QStringLiteral("OWN_UTC"), QStringLiteral("5"), false);
  p.SetSharedPreference(QStringLiteral("OWN_COUNTRY"), QStringLiteral("United States"), false);
  p.SetSharedPreference(QStringLiteral("OWN_LONGITUDE"), QStringLiteral("72.5"), false);
  p.SetSharedPreference(QStringLiteral("OWN_LATITUDE"), QStringLiteral("42.3"), false);
  ASSERT_TRUE(p.SetSharedPreference(QStringLiteral("OWN_CONTINENT"), QStringLiteral("NA"), true));
}

class SharedPrefsFile : public ::testing::Test {
protected:
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("SharedUserPreferences.xml"));
  SharedPreferences prefs;
};

} // namespace

TEST_F(SharedPrefsFile, FirstSaveWritesDeclarationAndElementsInOrder) {
  ASSERT_TRUE(prefs.LoadSharedPreferences(path));
  EXPECT_FALSE(QFile::exists(path));
  setStation(prefs, QStringLiteral("K1ABC"));
  EXPECT_EQ(fileBytes(path), QByteArray(kDeclaration) + "\r\n"
                                                        "<OWN_CALL>K1ABC</OWN_CALL>\r\n"
                                                        "<OWN_UTC>5</OWN_UTC>\r\n"
                                                        "<OWN_COUNTRY>United States</OWN_COUNTRY>\r\n"
                                                        "<OWN_LONGITUDE>72.5</OWN_LONGITUDE>\r\n"
                                                        "<OWN_LATITUDE>42.3</OWN_LATITUDE>\r\n"
                                                        "<OWN_CONTINENT>NA</OWN_CONTINENT>\r\n");
}

TEST_F(SharedPrefsFile, ExistingKeysAreReplacedInPlaceAndNewOnesAppended) {
  ASSERT_TRUE(prefs.LoadSharedPreferences(path));
  setStation(prefs, QStringLiteral("K1ABC"));
  const QByteArray first = fileBytes(path);

  SharedPreferences next;
  ASSERT_TRUE(next.LoadSharedPreferences(path));
  setStation(next, QStringLiteral("W1AW/P"));
  QByteArray expected = first;
  expected.replace("K1ABC", "W1AW/P");
  EXPECT_EQ(fileBytes(path), expected);

  // The last element, lengthened and shortened; a value with markup goes in unescaped; the
  // summary sheet's mixed-case key is stored in capitals.
  ASSERT_TRUE(next.SetSharedPreference(QStringLiteral("OWN_CONTINENT"), QStringLiteral("Asia"), true));
  ASSERT_TRUE(next.SetSharedPreference(QStringLiteral("own_continent"), QString(), true));
  ASSERT_TRUE(next.SetSharedPreference(QStringLiteral("OWN_ADDRESS_Line1"),
                                       QStringLiteral("1 <Main> St & Co"), true));
  expected.replace("<OWN_CONTINENT>NA</OWN_CONTINENT>", "<OWN_CONTINENT></OWN_CONTINENT>");
  expected += "<OWN_ADDRESS_LINE1>1 <Main> St & Co</OWN_ADDRESS_LINE1>\r\n";
  EXPECT_EQ(fileBytes(path), expected);
}

TEST_F(SharedPrefsFile, HandEditedFilesLoseNothing) {
  // No final line break, a lower-case tag, and an element without its closing tag.
  writeBytes(path, QByteArray(kDeclaration) + "\r\n<own_call>k1abc</own_call>\r\n"
                                              "<OWN_UTC>5\r\n<OWN_EMAIL>a@b.org</OWN_EMAIL>");
  ASSERT_TRUE(prefs.LoadSharedPreferences(path));
  ASSERT_TRUE(prefs.SetSharedPreference(QStringLiteral("OWN_EMAIL"), QStringLiteral("c@d.org"), false));
  ASSERT_TRUE(prefs.SetSharedPreference(QStringLiteral("OWN_UTC"), QStringLiteral("-2"), false));
  ASSERT_TRUE(prefs.SetSharedPreference(QStringLiteral("OWN_CALL"), QStringLiteral("K1ABC"), true));
  EXPECT_EQ(fileBytes(path), QByteArray(kDeclaration) + "\r\n<own_call>k1abc</own_call>\r\n"
                                                        "<OWN_UTC>-2</OWN_UTC>\r\n"
                                                        "<OWN_EMAIL>c@d.org</OWN_EMAIL>\r\n"
                                                        "<OWN_CALL>K1ABC</OWN_CALL>\r\n");
}

TEST_F(SharedPrefsFile, TinyOrBlankFileStartsFromTheDeclaration) {
  for (const QByteArray &content : {QByteArray("x"), QByteArray("\r\n"), QByteArray()}) {
    writeBytes(path, content);
    ASSERT_TRUE(prefs.LoadSharedPreferences(path));
    EXPECT_EQ(prefs.SharedPrefsText(), QString::fromLatin1(kDeclaration)) << content.constData();
  }
}

TEST_F(SharedPrefsFile, UnreadableFileGivesTheSystemsDescriptionAndTheDeclaration) {
  // Reading this file always fails, whoever runs the test.
  ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), path));
  QString error;
  EXPECT_FALSE(prefs.LoadSharedPreferences(path, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(prefs.SharedPrefsText(), QString::fromLatin1(kDeclaration));
}

TEST(SharedPrefsCaller, FailedSaveIsReportedAndTheCallerGoesOn) {
  TestPc pc{QString()};
  pc.ctx->sharedPrefs.LoadSharedPreferences(pc.programDir.filePath(QStringLiteral("none/x.xml")));
  setSharedPreference(*pc.ctx, QStringLiteral("OWN_CALL"), QStringLiteral("K1ABC"), false);
  EXPECT_TRUE(pc.dialogs.shown.empty());
  setSharedPreference(*pc.ctx, QStringLiteral("OWN_CONTINENT"), QStringLiteral("NA"), true);
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Unable to save shared preferences."));
  EXPECT_TRUE(pc.dialogs.shown[0].text.endsWith(QStringLiteral("none/x.xml")));
  EXPECT_TRUE(
      pc.ctx->sharedPrefs.SharedPrefsText().endsWith(QStringLiteral("<OWN_CONTINENT>NA</OWN_CONTINENT>")));
}

TEST(SharedPrefsCaller, CallToFileNameTakesTheLeadingRunOfCapitalsAndDigits) {
  struct Case {
    const char *call;
    const char *stem;
  };
  for (const Case c : {Case{"K1ABC", "K1ABC"},
                       {"K1ABC/P", "K1ABC"},
                       {"VE3/K1ABC", "VE3"},
                       {"k1abc", "YourCall"},
                       {"", "YourCall"},
                       {"K1abc", "K1"}})
    EXPECT_EQ(CallToFileName(QString::fromLatin1(c.call)), QLatin1String(c.stem)) << c.call;
  EXPECT_EQ(CallToFileName(QStringLiteral("K1ÉB")), QStringLiteral("K1"));
}
