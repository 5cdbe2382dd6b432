// The File menu's exports: the Cabrillo entry, the ADIF file and "LogExp.txt".
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "output/AdifExport.h"
#include "output/Form2.h"
#include "output/LogExport.h"
#include "output/WrittenFile.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>

namespace {

// Reloads first so that the file holds every PC's contacts; false when the log did not load
// whole, as it would then go out as if it were the whole log.
bool reloadedWhole(Form1 &form) {
  form.Worklist();
  return !form.ctx.logging.LogStale;
}

// Writes the whole file or leaves the old one as it was, telling the operator why not.
bool writeExport(Dialogs &dialogs, const QString &path, const QByteArray &content) {
  QString error;
  if (vb::writeAtomic(path, content, &error))
    return true;
  dialogs.message(QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), error),
                  kWriteErrorTitle);
  return false;
}

} // namespace

void Form1::buildExportMenus(QMenu &file) {
  file.addSeparator();
  mnuTamblogExport =
      command(&file, QStringLiteral("E&xport for Tamblog Import"), &Form1::mnuTamblogExport_Click);
  mnuADIF = command(&file, QStringLiteral("Export &ADIF Format"), &Form1::mnuADIF_Click);
}

void Form1::mnuWriteSumm_Click() {
  if (!reloadedWhole(*this))
    return;
  ctx.window<Form2>().exec();
  ctx.unload<Form2>();
}

void Form1::mnuADIF_Click() {
  if (!reloadedWhole(*this))
    return;
  const QString power = ctx.dialogs.input(
      QStringLiteral("Please enter the power value that you would like to record.  This is an optional "
                     "value that will be included in each QSO record and displayed in Tamblog's power "
                     "output column."),
      QStringLiteral("Please enter your transmitter output power."));
  const QString comment = ctx.dialogs.input(
      QStringLiteral("Please enter a comment that you would like to appear on each QSO record.  This is "
                     "an optional description that will be displayed in Tamblog's Comments column."),
      QStringLiteral("Please enter a comment."), QStringLiteral("CQ WPX Contest"));

  const Folders &f = ctx.folders;
  QString error;
  const auto dxcc =
      DxccTable::read(files::firstExisting(f.dataTableFolders(), QStringLiteral("ADIFCnt.txt")), &error);
  if (!dxcc) {
    ctx.dialogs.message(error, kWriteErrorTitle);
    return;
  }

  const QString path = ctx.dialogs.saveFile(QStringLiteral("Save As"),
                                            QDir(f.DataFolder).filePath(QStringLiteral("CQ WPX.adi")),
                                            QStringLiteral("ADIF Files (*.adi)"));
  if (path.isEmpty())
    return;
  const AdifHeader header{windowTitle(),
                          QLocale::system().toString(ctx.clock.now().date(), QLocale::ShortFormat)};
  const QByteArray text =
      adifText(ctx.logging.log, ctx.logging.station.ModeCode, *dxcc, header, {power, comment});
  if (!writeExport(ctx.dialogs, path, text))
    return;
  ctx.dialogs.message(fileWrittenText(QFileInfo(path).absoluteFilePath()), kFileWrittenTitle);
}

void Form1::mnuTamblogExport_Click() {
  if (!reloadedWhole(*this))
    return;
  const QString power = ctx.dialogs.input(
      QStringLiteral("Please enter the output power value you would like Tamblog to assign to the contacts "
                     "in this contest."),
      QStringLiteral("Please enter the output power."));
  const QString folder = ctx.folders.ProgramFolder;
  if (!writeExport(ctx.dialogs, files::resolve(folder, QStringLiteral("LogExp.txt")),
                   logExpText(ctx.logging.log, ctx.logging.station.ModeCode, power).toLatin1()))
    return;
  ctx.dialogs.beep();
  ctx.dialogs.message(
      QStringLiteral("LogExp.txt has been written to this program's working directory ") +
          QDir::toNativeSeparators(folder) +
          QStringLiteral(".  Import these contacts into the Tamblog program by clicking File, Import, and "
                         "navigating to this directory from the Tamblog program.\r\n\r\nThis function does "
                         "not include the prefix field that is included in version 2 of Tamblog.  To "
                         "include the prefix field, please transfer your data using the ADIF export."),
      QStringLiteral("Export Successful!"));
}
