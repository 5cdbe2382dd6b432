// Appending another log or the text backup to the shared log through the append window.
#include "logging/LogRules.h"
#include "output/frmImport.h"
#include "platform/Controls.h"
#include "platform/VbText.h"
#include "tests/output/SampleContact.h"
#include "tests/support/TestContext.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Append : ::testing::Test {
  TestLogFile shared;
  TestLogFile other;
  TestPc pc{shared.path};
  frmImport *window = nullptr;

  void SetUp() override {
    ASSERT_TRUE(pc.ctx->db().insert(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20"))));
    LogDb source(QStringLiteral("append-source"));
    ASSERT_TRUE(source.open(other.path));
    for (const ContactRecord &r : {sampleContact(QStringLiteral("k1abc"), QStringLiteral("20")),
                                   sampleContact(QStringLiteral("K1ABC"), QStringLiteral("15")),
                                   sampleContact(QStringLiteral("W9XYZ"), QStringLiteral("40"),
                                                 QStringLiteral("14:05:09"), QStringLiteral("Cote d'Ivoire")),
                                   sampleContact(QStringLiteral("W9XYZ"), QStringLiteral("40"))})
      ASSERT_TRUE(source.insert(r));
    window = &pc.ctx->window<frmImport>();
  }
  int rows() { return static_cast<int>(*pc.ctx->db().count()); }
  void append(const QString &path) {
    window->Text1->setText(path);
    window->Command2_Click();
  }
  void expectRefused(const QString &path) {
    const int before = rows();
    const int beeps = pc.dialogs.beeps;
    append(path);
    EXPECT_EQ(rows(), before) << path.toStdString();
    ASSERT_NE(pc.dialogs.last(), nullptr);
    EXPECT_EQ(pc.dialogs.last()->text, QStringLiteral("You can not append the same file onto itself."));
    EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Invalid Request!"));
    EXPECT_EQ(pc.dialogs.beeps, beeps + 1);
    pc.dialogs.shown.clear();
  }
  void expectAppendError() {
    EXPECT_EQ(pc.dialogs.messages(), QStringList{QStringLiteral("Unable to read file.")});
    EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Append Error"));
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
  }
};

} // namespace

TEST_F(Append, AnotherLogIsAppendedWithoutDuplicatesAndTheLogReloaded) {
  EXPECT_TRUE(window->Check1->isChecked());
  pc.state().BackupTickCount = 9;
  // An archive name ends in lower-case ".mdb".
  const QString archive = other.dir.filePath(QStringLiteral("K1ABC2024-05-25.mdb"));
  ASSERT_TRUE(QFile::rename(other.path, archive));
  append(QStringLiteral("  ") + archive + QStringLiteral(" "));
  EXPECT_TRUE(pc.dialogs.shown.empty());
  EXPECT_EQ(rows(), 3) << "k1abc on 20 is in the log already; the second W9XYZ on 40 dupes the first";
  EXPECT_EQ(pc.state().log.ContactCount(), 3) << "the in-memory log was reloaded";
  EXPECT_EQ(pc.state().BackupTickCount, 0);
  EXPECT_EQ(pc.ctx->db().rowsForCall(QStringLiteral("W9XYZ"))->front().countryworked,
            QStringLiteral("Cote d'Ivoire"));

  append(archive);
  EXPECT_EQ(rows(), 3) << "a second append adds nothing";
}

TEST_F(Append, UntickingAsksAndWithoutTheCheckEverythingIsAppended) {
  pc.dialogs.answers = {Dialogs::Answer::No};
  window->Check1->click();
  EXPECT_TRUE(window->Check1->isChecked()) << "anything but Yes ticks it again";
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Are you sure"));
  EXPECT_EQ(
      pc.dialogs.last()->text,
      QStringLiteral("Are you sure?  Once imported, duplicates can only be removed manually and will not "
                     "be identified by the program."));
  EXPECT_EQ(pc.dialogs.last()->buttons, Dialogs::Buttons::YesNo);

  pc.dialogs.answers = {Dialogs::Answer::Yes};
  window->Check1->click();
  EXPECT_FALSE(window->Check1->isChecked());
  EXPECT_EQ(pc.dialogs.shown.size(), 2u);
  window->Check1->click();
  EXPECT_EQ(pc.dialogs.shown.size(), 2u) << "ticking asks nothing";
  window->Check1->setChecked(false);

  append(other.path);
  EXPECT_EQ(rows(), 5);
}

TEST_F(Append, TheBackupFileRestoresEveryFieldInItsPlace) {
  TestPc writer(other.path);
  writer.form().Worklist();
  writer.form().BackupLog();
  const QString backup = writer.programDir.filePath(QStringLiteral("BckUpLog.Dat"));
  ASSERT_TRUE(QFile::exists(backup));

  append(backup);
  EXPECT_TRUE(pc.dialogs.shown.empty());
  EXPECT_EQ(rows(), 3);
  const auto w9 = pc.ctx->db().rowsForCall(QStringLiteral("W9XYZ"));
  ASSERT_EQ(w9->size(), 1u);
  EXPECT_EQ(w9->front(), sampleContact(QStringLiteral("W9XYZ"), QStringLiteral("40"),
                                       QStringLiteral("14:05:09"), QStringLiteral("Cote d'Ivoire")));
  append(backup);
  EXPECT_EQ(rows(), 3);
}

TEST_F(Append, TheBackupOutlastsANewLogSoThatItCanBeRestored) {
  pc.form().Worklist();
  pc.form().BackupLog();
  const QString backup = pc.programDir.filePath(QStringLiteral("BckUpLog.Dat"));
  // The window's note: clear the log with New first, then restore.
  pc.dialogs.inputs = {QStringLiteral("YES")};
  pc.form().mnuNew_Click();
  ASSERT_EQ(rows(), 0);
  for (int tick = 0; tick < 32; ++tick)
    pc.form().Timer3_Timer();
  append(backup);
  EXPECT_EQ(rows(), 1) << "the refresh's backup of the empty log must not replace the one to restore";
  EXPECT_EQ(pc.state().log.ContactCount(), 1);
}

TEST_F(Append, TheSharedLogItselfIsRefusedUnderEverySpelling) {
  const QString log = pc.state().station.LogFilePath;
  expectRefused(log);
  expectRefused(log.toLower());
  expectRefused(QDir::current().relativeFilePath(log));
  const QString link = other.dir.filePath(QStringLiteral("shared.mdb"));
  ASSERT_TRUE(QFile::link(log, link));
  expectRefused(link);
  // The connection's own file counts even where the station's path names another spelling.
  pc.state().station.LogFilePath = QStringLiteral("/nowhere/OrvexLog.MDB");
  expectRefused(QDir(shared.dir.path()).filePath(QStringLiteral("./OrvexLog.MDB")));
  EXPECT_EQ(rows(), 1);
}

TEST_F(Append, AMalformedBackupStopsWithTheAppendErrorAndKeepsTheContactsBeforeIt) {
  LogEntry first = entryFromRecord(sampleContact(QStringLiteral("N2XX"), QStringLiteral("20")));
  LogEntry second = entryFromRecord(sampleContact(QStringLiteral("N3YY"), QStringLiteral("20")));
  const QString path = other.dir.filePath(QStringLiteral("BckUpLog.Dat"));
  ASSERT_TRUE(vb::writeLatin1Atomic(path, backupLine(first) + backupLine(second) +
                                              QStringLiteral("\"N4ZZ\",\"599\",\"1\",\"599\"\r\n") +
                                              backupLine(first)));
  pc.form().Worklist();
  append(path);
  expectAppendError();
  EXPECT_EQ(rows(), 3) << "the two contacts before the bad line stay";
  EXPECT_EQ(pc.state().log.ContactCount(), 1) << "the in-memory log is not reloaded after a failure";
  EXPECT_EQ(pc.dialogs.beeps, 1);
}

TEST_F(Append, SourcesThatCannotBeReadOrWrittenEndInTheAppendError) {
  const QString fake = other.dir.filePath(QStringLiteral("notalog.mdb"));
  ASSERT_TRUE(vb::writeLatin1Atomic(
      fake, backupLine(entryFromRecord(sampleContact(QStringLiteral("N2XX"), QStringLiteral("20"))))));
  append(fake);
  expectAppendError();
  pc.dialogs.shown.clear();
  append(other.dir.filePath(QStringLiteral("missing.dat")));
  expectAppendError();
  pc.dialogs.shown.clear();

  pc.flaky().failInserts = 1;
  window->Check1->setChecked(false);
  append(other.path);
  expectAppendError();
  EXPECT_EQ(rows(), 1);
  pc.dialogs.shown.clear();
  append(other.path);
  EXPECT_TRUE(pc.dialogs.shown.empty());
  EXPECT_EQ(rows(), 5);
}

TEST_F(Append, BrowseStartsInTheBackupFolderAndKeepsThePathOnCancel) {
  window->Text1->setText(QStringLiteral("before"));
  window->Command3_Click();
  ASSERT_NE(pc.dialogs.last(), nullptr);
  EXPECT_EQ(pc.dialogs.last()->kind, QStringLiteral("open"));
  EXPECT_EQ(pc.dialogs.last()->text, pc.ctx->folders.DataFolder + QStringLiteral("/BACKUP"));
  EXPECT_EQ(window->Text1->text(), QStringLiteral("before"));
  pc.dialogs.paths = {other.path};
  window->Command3_Click();
  EXPECT_EQ(window->Text1->text(), other.path);
}

TEST_F(Append, TheMenuReloadsTheLogFirstAndUnloadsTheWindowAfter) {
  int seen = -1;
  QTimer::singleShot(0, [this, &seen] {
    seen = pc.state().log.ContactCount();
    pc.ctx->window<frmImport>().Command1_Click();
  });
  pc.form().mnuCombine_Click();
  EXPECT_EQ(seen, 1) << "the contact logged elsewhere is in memory before the window opens";
  EXPECT_FALSE(pc.ctx->loaded<frmImport>());
}
