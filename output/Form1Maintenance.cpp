// The File menu's log maintenance: a dated archive copy of the shared log, and appending
// another log or the text backup to it.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "output/LogMaintenance.h"
#include "output/frmImport.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/ProgramFiles.h"

#include <QDir>
#include <QMenu>
#include <QTimer>

namespace {
const QString kArchiveErrorTitle = QStringLiteral("Error Archiving Log");
} // namespace

void Form1::buildMaintenanceMenus(QMenu &file) {
  mnuArchive = command(&file, QStringLiteral("A&rchive Current Log"), &Form1::mnuArchive_Click,
                       CommandKind::InTurn, mnuOpen);
  file.insertSeparator(mnuArchive);
  file.insertSeparator(mnuOpen);
  file.addSeparator();
  mnuCombine = command(&file, QStringLiteral("&Combine or Restore From Backup"), &Form1::mnuCombine_Click,
                       CommandKind::OpensWindow);
}

void Form1::mnuArchive_Click() {
  ctx.dialogs.message(
      QStringLiteral("This function is designed to create a permanent copy of your currently open log file "
                     "following the contest.  It can only be run if this is the only PC connected to the log "
                     "file.  If others are also connected, you will receive a 'Permission Denied' error."
                     "\r\n\r\nThis program also creates a backup of your log file automatically every 15 "
                     "minutes during the contest.\r\n\r\nTo open your log file at a later date, click File > "
                     "Combine or Restore from Backup."),
      QStringLiteral("Archive Information"));
  Timer3->stop();
  LogDb &db = ctx.db();
  db.close();

  const QString log = st().station.LogFilePath;
  const QDir backup(ctx.folders.DataFolder + QStringLiteral("/BACKUP"));
  const QString target =
      ctx.dialogs.saveFile(QStringLiteral("Save As"),
                           backup.filePath(archiveFileName(st().station.MyCall, ctx.clock.now().date())),
                           QStringLiteral("Log Files (*.mdb *.MDB)"));
  if (!target.isEmpty()) {
    QString error = QStringLiteral("You can not archive the log file onto itself.");
    // Replacing the log with its own copy would first destroy it.
    if (files::sameFile(target, log) || !LogDb::copyLog(log, target, &error))
      ctx.dialogs.message(error, kArchiveErrorTitle);
  }

  // A log that cannot be opened again is reported; the refresh then reports it on every tick
  // until Setup opens a log.
  if (!db.open(log))
    ctx.dialogs.message(db.lastError() + QStringLiteral("\r\n\r\nThe log file could not be opened again.  "
                                                        "Click Setup to open it."),
                        kArchiveErrorTitle);
  Timer3->start();
}

void Form1::mnuCombine_Click() {
  Worklist();
  frmImport &window = ctx.window<frmImport>();
  window.Form_Load();
  window.exec();
  ctx.unload<frmImport>();
}
