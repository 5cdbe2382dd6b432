#include "platform/LogDb.h"
#include "platform/VbText.h"
#include "tests/output/ExportTestData.h"
#include "tests/support/TestContext.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

const QString kWriteError = QStringLiteral("Unable to write file.");

void writeTable(const QString &folder, const QString &content) {
  QDir().mkpath(folder);
  ASSERT_TRUE(vb::writeLatin1Atomic(QDir(folder).filePath(QStringLiteral("ADIFCnt.txt")), content));
}

// A station PC whose shared log holds the golden contacts, logged by another PC: the exports
// must reload the log to see them.
class ExportCommand : public ::testing::Test {
protected:
  ExportCommand() {
    LogDb other(QStringLiteral("export-other-pc"));
    EXPECT_TRUE(other.open(log.path));
    for (const ContactRecord &r : goldenContacts())
      EXPECT_TRUE(other.insert(r));
    other.close();
  }

  void copyRealTable() {
    QFile::copy(sourceDataDir() + QStringLiteral("/ADIFCnt.txt"),
                QDir(pc.ctx->folders.ProgramFolder).filePath(QStringLiteral("ADIFCnt.txt")));
  }
  std::vector<QString> kinds() const {
    std::vector<QString> out;
    for (const auto &s : pc.dialogs.shown)
      out.push_back(s.kind);
    return out;
  }
  QString adiPath() const { return outDir.filePath(QStringLiteral("contest.adi")); }

  TestLogFile log;
  TestPc pc{log.path};
  QTemporaryDir outDir;
};

} // namespace

TEST_F(ExportCommand, AdifAsksItsQuestionsAndWritesEveryPcsContacts) {
  copyRealTable();
  pc.dialogs.inputs = {QStringLiteral("100  "), QStringLiteral("CQ WPX Contest")};
  pc.dialogs.paths = {adiPath()};
  pc.form().mnuADIF_Click();

  const auto &shown = pc.dialogs.shown;
  ASSERT_EQ(kinds(), (std::vector<QString>{"input", "input", "save", "message"}));
  EXPECT_EQ(shown[0].title, QStringLiteral("Please enter your transmitter output power."));
  EXPECT_EQ(shown[0].text,
            QStringLiteral("Please enter the power value that you would like to record.  This is "
                           "an optional value that will be included in each QSO record and "
                           "displayed in Tamblog's power output column."));
  EXPECT_EQ(shown[0].defaultText, QString());
  EXPECT_EQ(shown[1].title, QStringLiteral("Please enter a comment."));
  EXPECT_EQ(shown[1].text,
            QStringLiteral("Please enter a comment that you would like to appear on each QSO "
                           "record.  This is an optional description that will be displayed in "
                           "Tamblog's Comments column."));
  EXPECT_EQ(shown[1].defaultText, QStringLiteral("CQ WPX Contest"));
  EXPECT_EQ(shown[2].text, QDir(pc.ctx->folders.DataFolder).filePath(QStringLiteral("CQ WPX.adi")));
  EXPECT_EQ(shown[2].filter, QStringLiteral("ADIF Files (*.adi)"));
  EXPECT_EQ(shown[3].title, QStringLiteral("File Written Successfully."));
  EXPECT_EQ(shown[3].text,
            QStringLiteral("The file was successfully written to the directory:\r\n\r\n") + adiPath() + u'.');

  const QByteArray bytes = fileBytes(adiPath());
  const QByteArray date = QLocale::system().toString(pc.clock.now().date(), QLocale::ShortFormat).toLatin1();
  EXPECT_TRUE(bytes.startsWith("ADIF Export from Orvex Network 1.0\r\nLog exported on: " + date +
                               "\r\n\r\n<EOH>\r\n\r\n"));
  EXPECT_TRUE(bytes.contains("<Call:6>DL1XYZ <Qso_Date:8:d>20240525 <Band:3>20M <Mode:3>SSB\r\n"
                             "<Tx_Pwr:3>100 <Time_On:4>1234 <DXCC:3>230 <RST_Sent:3>599 <RST_Rcvd:3>599 "
                             "<Pfx:3>DL1 <Comment:14>CQ WPX Contest\r\n<eor>\r\n\r\n"));
  EXPECT_EQ(bytes.count("<eor>"), 6);
}

TEST_F(ExportCommand, AdifTakesTheTableFromSharedThenDataThenProgramFolder) {
  const Folders &f = pc.ctx->folders;
  writeTable(f.ProgramFolder, QStringLiteral("\"Fed. Rep. of Germany\",1\r\n"));
  writeTable(f.DataFolder, QStringLiteral("\"Fed. Rep. of Germany\",2\r\n"));
  writeTable(f.SharedFolder, QStringLiteral("\"Fed. Rep. of Germany\",3\r\n"));
  pc.dialogs.paths = {adiPath()};
  pc.form().mnuADIF_Click();
  EXPECT_TRUE(fileBytes(adiPath()).contains("<DXCC:1>3 "));

  QFile::remove(QDir(f.SharedFolder).filePath(QStringLiteral("ADIFCnt.txt")));
  pc.dialogs.paths = {adiPath()};
  pc.form().mnuADIF_Click();
  EXPECT_TRUE(fileBytes(adiPath()).contains("<DXCC:1>2 "));
}

TEST_F(ExportCommand, AdifWithoutAUsableTableStopsBeforeTheSaveDialog) {
  pc.dialogs.paths = {adiPath()};
  pc.form().mnuADIF_Click();
  ASSERT_EQ(kinds(), (std::vector<QString>{"input", "input", "message"}));
  EXPECT_EQ(pc.dialogs.last()->title, kWriteError);
  EXPECT_TRUE(pc.dialogs.last()->text.contains(QStringLiteral("ADIFCnt.txt")))
      << pc.dialogs.last()->text.toStdString();

  QString oversize;
  for (int n = 0; n <= 1000; ++n)
    oversize += QStringLiteral("\"Country\",1\r\n");
  writeTable(pc.ctx->folders.ProgramFolder, oversize);
  pc.dialogs.shown.clear();
  pc.form().mnuADIF_Click();
  ASSERT_EQ(kinds(), (std::vector<QString>{"input", "input", "message"}));
  EXPECT_EQ(pc.dialogs.last()->title, kWriteError);
  EXPECT_FALSE(QFile::exists(adiPath()));
}

TEST_F(ExportCommand, AdifCancelledOrUnwritableLeavesNoFile) {
  copyRealTable();
  pc.form().mnuADIF_Click();
  EXPECT_EQ(kinds(), (std::vector<QString>{"input", "input", "save"}));

  const QString unwritable = outDir.filePath(QStringLiteral("missing/contest.adi"));
  pc.dialogs.shown.clear();
  pc.dialogs.paths = {unwritable};
  pc.form().mnuADIF_Click();
  ASSERT_EQ(kinds(), (std::vector<QString>{"input", "input", "save", "message"}));
  EXPECT_EQ(pc.dialogs.last()->title, kWriteError);
  EXPECT_TRUE(pc.dialogs.last()->text.startsWith(unwritable));
  EXPECT_EQ(QDir(outDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(ExportCommand, TamblogReplacesLogExpInTheProgramFolder) {
  const QString path = QDir(pc.ctx->folders.ProgramFolder).filePath(QStringLiteral("LogExp.txt"));
  ASSERT_TRUE(
      vb::writeLatin1Atomic(path, QStringLiteral("an older and much longer export\r\n").repeated(20)));
  pc.state().station.ModeCode = QStringLiteral("CW");
  pc.form().mnuTamblogExport_Click();

  const auto &shown = pc.dialogs.shown;
  ASSERT_EQ(kinds(), (std::vector<QString>{"input", "message"}));
  EXPECT_EQ(shown[0].title, QStringLiteral("Please enter the output power."));
  EXPECT_EQ(shown[0].text,
            QStringLiteral("Please enter the output power value you would like Tamblog to assign "
                           "to the contacts in this contest."));
  EXPECT_EQ(shown[1].title, QStringLiteral("Export Successful!"));
  EXPECT_EQ(
      shown[1].text,
      QStringLiteral("LogExp.txt has been written to this program's working directory ") +
          pc.ctx->folders.ProgramFolder +
          QStringLiteral(".  Import these contacts into the Tamblog program by clicking File, Import, and "
                         "navigating to this directory from the Tamblog program.\r\n\r\nThis function does "
                         "not include the prefix field that is included in version 2 of Tamblog.  To "
                         "include the prefix field, please transfer your data using the ADIF export."));
  EXPECT_EQ(pc.dialogs.beeps, 1);
  const QByteArray bytes = fileBytes(path);
  EXPECT_TRUE(bytes.startsWith("\"KH6AB\",\"2024/02/30\",\"\",\"CW\",\"\",\"905\""));
  EXPECT_TRUE(bytes.contains("\"PJ2/W1AW\",\"2024/05/26\",\"160\",\"CW\",\"\",\"23:59\",\"599\",\"599\",,"
                             "\"Cura\xe7"
                             "ao\",,,,,,\"CQ WPX Contest\"\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), 6);
}

TEST_F(ExportCommand, TamblogFailureIsReportedWithoutSuccess) {
  // A folder where the file should be cannot be replaced by a file.
  QDir(pc.ctx->folders.ProgramFolder).mkdir(QStringLiteral("LogExp.txt"));
  pc.form().mnuTamblogExport_Click();
  ASSERT_EQ(kinds(), (std::vector<QString>{"input", "message"}));
  EXPECT_EQ(pc.dialogs.last()->title, kWriteError);
  EXPECT_EQ(pc.dialogs.beeps, 0);
}

TEST_F(ExportCommand, NeitherExportRunsOnALogThatDidNotLoad) {
  copyRealTable();
  pc.ctx->db().close();
  pc.dialogs.paths = {adiPath()};
  pc.form().mnuADIF_Click();
  pc.form().mnuTamblogExport_Click();
  EXPECT_EQ(pc.dialogs.messages(),
            (QStringList{QStringLiteral("Error opening file."), QStringLiteral("Error opening file.")}));
  EXPECT_EQ(kinds(), (std::vector<QString>{"message", "message"}));
  EXPECT_FALSE(QFile::exists(adiPath()));
  EXPECT_FALSE(QFile::exists(QDir(pc.ctx->folders.ProgramFolder).filePath(QStringLiteral("LogExp.txt"))));
}

TEST_F(ExportCommand, FileMenuCarriesBothExports) {
  QMenu *file = pc.form().menuBar()->actions().first()->menu();
  ASSERT_NE(file, nullptr);
  QStringList items;
  for (const QAction *a : file->actions())
    items << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(
      items.join(u'|').toStdString(),
      "&New|-|A&rchive Current Log|-|Open|&Write Cabrillo File|-|E&xport for Tamblog Import|"
      "Export &ADIF Format|-|&Combine or Restore From Backup|-|Copy &Listed Items to Clipboard|-|&Exit");
  EXPECT_EQ(pc.form().mnuADIF->text(), QStringLiteral("Export &ADIF Format"));
  EXPECT_EQ(pc.form().mnuTamblogExport->text(), QStringLiteral("E&xport for Tamblog Import"));
  pc.form().mnuTamblogExport->trigger();
  EXPECT_TRUE(QFile::exists(QDir(pc.ctx->folders.ProgramFolder).filePath(QStringLiteral("LogExp.txt"))));
}
