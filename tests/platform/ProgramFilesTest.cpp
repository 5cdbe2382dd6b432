#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <gtest/gtest.h>

TEST(ProgramFiles, FindsFilesWhateverTheirCaseAndWritesOverThem) {
  QTemporaryDir dir;
  ASSERT_TRUE(vb::writeLatin1Atomic(dir.filePath(QStringLiteral("cw.txt")), QStringLiteral("a")));
  const QString found = files::resolve(dir.path(), QStringLiteral("CW.txt"));
  EXPECT_EQ(found, dir.filePath(QStringLiteral("cw.txt")));
  ASSERT_TRUE(vb::writeLatin1Atomic(found, QStringLiteral("b")));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
  EXPECT_EQ(files::resolve(dir.path(), QStringLiteral("new.txt")), dir.filePath(QStringLiteral("new.txt")));
}

TEST(ProgramFiles, FirstExistingSearchesFoldersInOrder) {
  QTemporaryDir a, b, c;
  ASSERT_TRUE(vb::writeLatin1Atomic(b.filePath(QStringLiteral("arrlpre2.txt")), QStringLiteral("b")));
  ASSERT_TRUE(vb::writeLatin1Atomic(c.filePath(QStringLiteral("ARRLPRE2.TXT")), QStringLiteral("c")));
  EXPECT_EQ(files::firstExisting({a.path(), b.path(), c.path()}, QStringLiteral("arrlpre2.txt")),
            b.filePath(QStringLiteral("arrlpre2.txt")));
  EXPECT_EQ(files::firstExisting({a.path()}, QStringLiteral("x.txt")), a.filePath(QStringLiteral("x.txt")));
}

TEST(ProgramFiles, SameFileSeesThroughRelativePathsAndLinks) {
  QTemporaryDir dir;
  const QString log = dir.filePath(QStringLiteral("OrvexLog.MDB"));
  ASSERT_TRUE(vb::writeLatin1Atomic(log, QStringLiteral("log")));
  ASSERT_TRUE(QFile::link(log, dir.filePath(QStringLiteral("link.mdb"))));
  ASSERT_EQ(::link(QFile::encodeName(log).constData(),
                   QFile::encodeName(dir.filePath(QStringLiteral("hard.mdb"))).constData()),
            0);
  ASSERT_TRUE(vb::writeLatin1Atomic(dir.filePath(QStringLiteral("other.mdb")), QStringLiteral("log")));

  EXPECT_TRUE(files::sameFile(log, dir.filePath(QStringLiteral("link.mdb"))));
  EXPECT_TRUE(files::sameFile(log, dir.filePath(QStringLiteral("hard.mdb"))));
  EXPECT_TRUE(files::sameFile(log, QDir::current().relativeFilePath(log)));
  EXPECT_TRUE(files::sameFile(log, dir.path() + QStringLiteral("/./OrvexLog.MDB")));
  EXPECT_FALSE(files::sameFile(log, dir.filePath(QStringLiteral("other.mdb"))));
  EXPECT_FALSE(files::sameFile(dir.filePath(QStringLiteral("a.mdb")), dir.filePath(QStringLiteral("a.mdb"))))
      << "two missing files are not one file";
  EXPECT_FALSE(files::sameFile(QString(), QString()));
}
