#include "app/DocumentFolders.h"
#include "app/frmQ7TLVLogo.h"
#include "app/frmSplash.h"

#include "platform/LogDb.h"
#include "tests/support/TestContext.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kSoftware = QStringLiteral("/Q7TLV Software");

bool isDir(const QString &path) {
  return QFileInfo(path).isDir();
}

class DocumentFolder : public ::testing::Test {
protected:
  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  QString at(const QString &relative) const { return dir.path() + relative; }
  UserFolders user() const { return {at(""), at("/Documents"), at("/.local/share")}; }
};

} // namespace

TEST_F(DocumentFolder, MakePathMakesOneLevelAndReportsOnlyWhenAsked) {
  EXPECT_FALSE(MakePath(dialogs, QString(), 0));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Invalid Path"));
  EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Unable to Create Directory"));

  EXPECT_EQ(MakePath(dialogs, at("/new"), 1), at("/new"));
  EXPECT_TRUE(isDir(at("/new")));

  EXPECT_FALSE(MakePath(dialogs, at("/missing/child"), 0));
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_FALSE(MakePath(dialogs, at("/missing/child"), 1));
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].title, QStringLiteral("Unable to create directory."));
  EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("No such file or directory  ") + at("/missing/child"));
  EXPECT_FALSE(QFileInfo::exists(at("/missing")));
}

TEST_F(DocumentFolder, NamesDifferingInCaseOrPlainFilesCountAsPresent) {
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("orvex network")));
  QFile file(at("/Shared"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_EQ(MakePath(dialogs, at("/Orvex Network"), 1), at("/orvex network"));
  EXPECT_EQ(MakePath(dialogs, at("/SHARED"), 1), at("/Shared"));
  EXPECT_EQ(onDisk(at("/ORVEX NETWORK")), at("/orvex network"));
  EXPECT_EQ(onDisk(at("/none")), at("/none"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(DocumentFolder, DocumentsFolderIsUsedAndMadeWhenMissing) {
  const QString base = GetDocumentsPath(dialogs, user(), kSoftware, QStringLiteral("/Orvex Network"));
  EXPECT_EQ(base, at("/Documents/Q7TLV Software"));
  EXPECT_TRUE(isDir(base + QStringLiteral("/Orvex Network")));

  // An existing folder of another case is taken as it stands.
  ASSERT_TRUE(
      QDir(dir.path())
          .rename(QStringLiteral("Documents/Q7TLV Software"), QStringLiteral("Documents/q7tlv software")));
  EXPECT_EQ(GetDocumentsPath(dialogs, user(), kSoftware, QStringLiteral("/Shared")),
            at("/Documents/q7tlv software"));
  EXPECT_TRUE(isDir(at("/Documents/q7tlv software/Shared")));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(DocumentFolder, WithoutADocumentsFolderTheDataFolderIsUsed) {
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral(".local/share")));
  UserFolders u = user();
  u.documents = at("/no/Documents"); // cannot be made: its parent is missing
  EXPECT_EQ(GetDocumentsPath(dialogs, u, kSoftware, QStringLiteral("/Shared")),
            at("/.local/share/Q7TLV Software"));
  EXPECT_TRUE(isDir(at("/.local/share/Q7TLV Software/Shared")));
  EXPECT_TRUE(isDir(at("/Q7TLV Software/Shared"))); // under the profile as well
  EXPECT_TRUE(dialogs.shown.empty());

  u.profile.clear();
  u.appData = at("/appdata");
  EXPECT_EQ(GetDocumentsPath(dialogs, u, kSoftware, QStringLiteral("/Shared")),
            at("/appdata/Q7TLV Software"));
  EXPECT_TRUE(isDir(at("/appdata/Q7TLV Software/Shared")));
}

TEST_F(DocumentFolder, FolderThatCannotBeListedIsReportedAndTheSearchGoesOn) {
  // A parent that is a loop of links cannot be listed, whoever runs the test.
  ASSERT_TRUE(QFile::link(at("/loop"), at("/loop")));
  UserFolders u = user();
  u.documents = at("/loop/Documents");
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral(".local/share")));
  EXPECT_EQ(GetDocumentsPath(dialogs, u, kSoftware, QStringLiteral("/Shared")),
            at("/.local/share/Q7TLV Software"));
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("User Access Directory Error"));
  EXPECT_FALSE(dialogs.shown[0].text.isEmpty());
}

class Logo : public ::testing::Test {
protected:
  TempHome home;
  TestPc pc{QString()};
  frmQ7TLVLogo &logo = pc.ctx->window<frmQ7TLVLogo>();
  QString sharedFolder() const { return home.path("/Documents/Q7TLV Software/Shared"); }
  void putSplash(const QByteArray &bytes) {
    ASSERT_TRUE(QDir().mkpath(sharedFolder()));
    QFile f(sharedFolder() + QStringLiteral("/Splash.JPG"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
};

TEST_F(Logo, IsCentredOnItsOwnSizeForItHasNoFrame) {
  pc.ctx->screen = std::make_unique<FixedScreenMetrics>(1920, 1080);
  logo.Form_Load();
  // 5,400 x 3,000 twips, 170 twips above the centre of 28,800 x 16,200.
  EXPECT_EQ(logo.geometry(), QRect(780, 429, 360, 200));
  logo.Timer1->stop();
  logo.Timer2->stop();
}

TEST_F(Logo, BuiltInPicturesShowSecondPictureThenClose) {
  logo.Form_Load();
  EXPECT_TRUE(isDir(sharedFolder()));
  EXPECT_EQ(logo.Timer1->interval(), 1900);
  EXPECT_EQ(logo.Timer2->interval(), 1100);
  EXPECT_TRUE(logo.Timer1->isActive());
  EXPECT_TRUE(logo.Timer2->isActive());

  bool secondShown = false;
  QTimer::singleShot(1500, [&] { secondShown = logo.Image2->isVisible(); });
  EXPECT_FALSE(logo.Image2->isVisible());
  logo.exec();
  EXPECT_TRUE(secondShown);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(pc.ctx->loaded<frmQ7TLVLogo>());
}

TEST_F(Logo, StationPictureShowsLongerAloneAndAClickCloses) {
  QImage picture(64, 32, QImage::Format_RGB32);
  picture.fill(Qt::red);
  QByteArray jpeg;
  QBuffer buffer(&jpeg);
  ASSERT_TRUE(picture.save(&buffer, "JPG"));
  putSplash(jpeg);
  logo.Form_Load();
  EXPECT_EQ(logo.Timer1->interval(), 2700);
  EXPECT_FALSE(logo.Timer2->isActive());
  const QColor shown = logo.Image1->pixmap().toImage().pixelColor(logo.Image1->pixmap().rect().center());
  EXPECT_GT(shown.red(), 200);
  EXPECT_LT(shown.green(), 50);

  QTimer::singleShot(0, [&] { QTest::mouseClick(logo.Image1, Qt::LeftButton); });
  QElapsedTimer elapsed;
  elapsed.start();
  logo.exec();
  EXPECT_LT(elapsed.elapsed(), 1000);
  EXPECT_FALSE(logo.Image2->isVisible());
}

TEST_F(Logo, UnreadablePictureKeepsTheBuiltInOnes) {
  putSplash("not a picture");
  logo.Form_Load();
  EXPECT_EQ(logo.Timer1->interval(), 1900);
  EXPECT_TRUE(logo.Timer2->isActive());
  EXPECT_TRUE(pc.dialogs.shown.empty());
}

class StartUp : public ::testing::Test {
protected:
  StartUp() {
    saved = QDir::currentPath();
    QDir::setCurrent(pc.programDir.path());
    // The program folder of a fresh installation.
    for (const QString &name : QDir(sourceDataDir() + QStringLiteral("/defaults")).entryList(QDir::Files))
      QFile::copy(sourceDataDir() + QStringLiteral("/defaults/") + name, pc.programDir.filePath(name));
    QFile::copy(sourceDataDir() + QStringLiteral("/arrlpre2.txt"),
                pc.programDir.filePath(QStringLiteral("arrlpre2.txt")));
    LogDb::createEmpty(pc.programDir.filePath(QStringLiteral("OrvexLog.MDB")));
    pc.answerStationSetup();
    pc.dialogs.answers.push_back(Dialogs::Answer::Yes); // "Open existing log?"
  }
  ~StartUp() override { QDir::setCurrent(saved); }

  // Runs the start-up, clicking the logo away as soon as it shows.
  void start() {
    QTimer::singleShot(0, [this] {
      logoShown = pc.ctx->loaded<frmQ7TLVLogo>() && pc.ctx->window<frmQ7TLVLogo>().isVisible();
      if (logoShown)
        QTest::mouseClick(pc.ctx->window<frmQ7TLVLogo>().Image1, Qt::LeftButton);
    });
    pc.ctx->window<frmSplash>().Form_Load();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  TempHome home;
  TestPc pc{QString()};
  QString saved;
  bool logoShown = false;
  const QString base = home.path("/Documents/Q7TLV Software");
};

TEST_F(StartUp, MakesTheFoldersLoadsTheSharedFileAndShowsTheMainWindow) {
  ASSERT_TRUE(QDir().mkpath(base + QStringLiteral("/Shared")));
  QFile xml(base + QStringLiteral("/Shared/SharedUserPreferences.xml"));
  ASSERT_TRUE(xml.open(QIODevice::WriteOnly));
  xml.write("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_EMAIL>k1abc@example.org</OWN_EMAIL>\r\n");
  xml.close();

  start();
  EXPECT_TRUE(logoShown);
  const Folders &f = pc.ctx->folders;
  EXPECT_EQ(f.ProgramFolder, QDir::currentPath());
  EXPECT_EQ(f.ProgramDrive, QStringLiteral("/"));
  EXPECT_EQ(f.DataFolder, base + QStringLiteral("/Orvex Network"));
  EXPECT_EQ(f.SharedFolder, base + QStringLiteral("/Shared"));
  EXPECT_TRUE(isDir(f.DataFolder + QStringLiteral("/BACKUP")));
  EXPECT_EQ(pc.ctx->sharedPrefs.SharedPrefsPath(), xml.fileName());
  // Read at start, then station setup's keys added behind it.
  EXPECT_TRUE(pc.ctx->sharedPrefs.SharedPrefsText().startsWith(
      kXmlDeclaration + QStringLiteral("\r\n<OWN_EMAIL>k1abc@example.org</OWN_EMAIL>\r\n<OWN_CALL>")));
  EXPECT_FALSE(pc.ctx->loaded<frmQ7TLVLogo>());
  EXPECT_FALSE(pc.ctx->loaded<frmSplash>());
  EXPECT_TRUE(pc.form().isVisible());
  EXPECT_EQ(pc.dialogs.messages(), QStringList{pc.dialogs.shown.back().text}); // only "Open existing log?"
  EXPECT_EQ(pc.dialogs.shown.back().title, QStringLiteral("Open existing log?"));
  EXPECT_EQ(pc.state().station.LogFilePath, pc.programDir.filePath(QStringLiteral("OrvexLog.MDB")));
}

TEST_F(StartUp, UnreadableSharedFileIsReportedAndTheMainWindowStillComes) {
  ASSERT_TRUE(QDir().mkpath(base + QStringLiteral("/Shared")));
  ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"),
                          base + QStringLiteral("/Shared/SharedUserPreferences.xml")));
  start();
  ASSERT_GE(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Unable to read shared preferences."));
  EXPECT_TRUE(
      pc.ctx->sharedPrefs.SharedPrefsText().startsWith(kXmlDeclaration + QStringLiteral("\r\n<OWN_CALL>")));
  EXPECT_TRUE(isDir(base + QStringLiteral("/Orvex Network/BACKUP")));
  EXPECT_TRUE(pc.form().isVisible());
}

TEST_F(StartUp, MissingPreferencesFileStopsTheLoadWithItsMessage) {
  QFile::remove(pc.programDir.filePath(QStringLiteral("orvexfnt.txt")));
  start();
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Error opening default data."));
  EXPECT_EQ(pc.dialogs.shown[0].text, QStringLiteral("Error loading default data .  Check to make sure "
                                                     "orvexprf.txt is in your working directory."));
  EXPECT_EQ(pc.dialogs.beeps, 1);
  EXPECT_TRUE(pc.form().isVisible());
}
