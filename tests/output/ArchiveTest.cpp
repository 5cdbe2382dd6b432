// File, Archive Current Log: the dated copy in the backup folder, and the log connection and
// refresh timer back in service whatever the outcome.
#include "output/LogMaintenance.h"
#include "tests/support/TestContext.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Archive : ::testing::Test {
  TestLogFile log;
  TestPc pc{log.path};
  QString backupDir;

  void SetUp() override {
    backupDir = pc.ctx->folders.DataFolder + QStringLiteral("/BACKUP");
    ASSERT_TRUE(QDir().mkpath(backupDir));
    pc.state().station.MyCall = QStringLiteral("K1ABC");
    pc.clock.setLocal(QDate(2024, 5, 25), QTime(23, 59, 30));
    pc.state().station.UtcOffsetHours = 5; // already the 26th in UTC
    pc.type(QStringLiteral("W9XYZ"));
    pc.form().Mains();
    pc.dialogs.shown.clear();
  }
  QString proposed() const { return backupDir + QStringLiteral("/K1ABC2024-05-25.mdb"); }
  void expectBackInService() {
    EXPECT_TRUE(pc.ctx->db().isOpen());
    EXPECT_EQ(pc.ctx->db().count(), 1.0);
    EXPECT_TRUE(pc.form().Timer3->isActive());
  }
  QStringList titles() const {
    QStringList out;
    for (const auto &s : pc.dialogs.shown)
      out << s.title;
    return out;
  }
};

} // namespace

TEST(ArchiveName, CallStemThenTheDay) {
  EXPECT_EQ(archiveFileName(QStringLiteral("K1ABC/P"), QDate(2024, 5, 25)),
            QStringLiteral("K1ABC2024-05-25.mdb"));
  EXPECT_EQ(archiveFileName(QString(), QDate(2024, 5, 25)), QStringLiteral("YourCall2024-05-25.mdb"));
}

TEST_F(Archive, TheCopyIsTheLogUnderTheLocalDaysName) {
  pc.form().Timer3->stop();
  pc.dialogs.paths = {proposed()};
  pc.form().mnuArchive_Click();
  ASSERT_EQ(pc.dialogs.shown.size(), 2u);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Archive Information"));
  EXPECT_TRUE(pc.dialogs.shown[0].text.startsWith(QStringLiteral(
      "This function is designed to create a permanent copy of your currently open log file")));
  EXPECT_TRUE(pc.dialogs.shown[0].text.endsWith(QStringLiteral(
      "every 15 minutes during the contest.\r\n\r\nTo open your log file at a later date, click "
      "File > Combine or Restore from Backup.")));
  EXPECT_EQ(pc.dialogs.shown[1].kind, QStringLiteral("save"));
  EXPECT_EQ(pc.dialogs.shown[1].text, proposed()) << "the local date, not the UTC one";
  expectBackInService();

  EXPECT_EQ(pragmaValue(proposed(), QStringLiteral("integrity_check")), QStringLiteral("ok"));
  {
    LogDb copy(QStringLiteral("archive-first"));
    ASSERT_TRUE(copy.open(proposed()));
    EXPECT_EQ(copy.rowsForCall(QStringLiteral("W9XYZ"))->size(), 1u);
  }

  // A second archive the same day proposes the same name and replaces the first copy.
  pc.type(QStringLiteral("N2XX"));
  pc.form().Mains();
  pc.dialogs.paths = {proposed()};
  pc.form().mnuArchive_Click();
  EXPECT_EQ(pc.dialogs.last()->text, proposed());
  LogDb copy(QStringLiteral("archive-copy"));
  ASSERT_TRUE(copy.open(proposed()));
  EXPECT_EQ(copy.count(), 2.0);
}

TEST_F(Archive, CancelCopiesNothingAndSaysNothing) {
  pc.form().mnuArchive_Click();
  EXPECT_EQ(titles(), QStringList({QStringLiteral("Archive Information"), QStringLiteral("Save As")}));
  EXPECT_TRUE(QDir(backupDir).isEmpty());
  expectBackInService();
}

TEST_F(Archive, TheLogIsNeverCopiedOntoItself) {
  const QString link = backupDir + QStringLiteral("/OrvexLog.mdb");
  ASSERT_TRUE(QFile::link(log.path, link));
  pc.dialogs.paths = {link};
  pc.form().mnuArchive_Click();
  ASSERT_EQ(pc.dialogs.last()->title, QStringLiteral("Error Archiving Log"));
  EXPECT_EQ(pc.dialogs.last()->text, QStringLiteral("You can not archive the log file onto itself."));
  expectBackInService();
}

TEST_F(Archive, AFailedCopyIsReportedAndLoggingGoesOn) {
  pc.dialogs.paths = {backupDir + QStringLiteral("/missing folder/x.mdb")};
  pc.form().mnuArchive_Click();
  EXPECT_EQ(titles().last(), QStringLiteral("Error Archiving Log"));
  EXPECT_FALSE(pc.dialogs.last()->text.isEmpty());
  expectBackInService();
}

TEST_F(Archive, ALogThatCannotBeOpenedAgainIsReportedAndTheRefreshKeepsTrying) {
  ASSERT_TRUE(QFile::rename(log.path, log.path + QStringLiteral(".moved")));
  pc.dialogs.paths = {proposed()};
  pc.form().mnuArchive_Click();
  EXPECT_EQ(titles(),
            QStringList({QStringLiteral("Archive Information"), QStringLiteral("Save As"),
                         QStringLiteral("Error Archiving Log"), QStringLiteral("Error Archiving Log")}));
  EXPECT_TRUE(pc.dialogs.last()->text.contains(QStringLiteral("Setup")));
  EXPECT_FALSE(pc.ctx->db().isOpen());
  EXPECT_TRUE(pc.form().Timer3->isActive());

  pc.dialogs.shown.clear();
  pc.form().Timer3_Timer();
  EXPECT_EQ(pc.dialogs.messages(), QStringList{QStringLiteral("Error opening file.")});
  EXPECT_EQ(pc.state().log.ContactCount(), 0);
}
