// Loading the shared log, the LAN refresh, the text backup, new log and delete.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/LogRules.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QTreeWidget>

void Form1::mnuopen2() {
  if (loading_)
    return;
  loading_ = true;
  LoggingState &s = st();
  s.log.clear();
  s.WorkedPrefixList.clear();
  const bool ok = ctx.db().loadAllOrdered([&s](ContactRecord &&r) {
    s.log.append(entryFromRecord(std::move(r)));
    return true;
  });
  if (!ok) {
    // What was read stays; the next tick retries once the call field is empty.
    s.LogStale = true;
    s.LogChanged = 1;
    loading_ = false;
    showLoadError();
    return;
  }
  s.LogStale = false;
  if (s.log.ContactCount() > 0)
    s.KnownRowCount = s.log.ContactCount();
  ListDisplay();
  TimeStats();
  s.TotalPoints = totalPoints(s.log);
  PreFixLoad();
  Labeldisplay();
  LabelIncrement();
  loading_ = false;
}

void Form1::showLoadError() {
  if (loadErrorShown_)
    return;
  loadErrorShown_ = true;
  ctx.dialogs.message(QStringLiteral("Error opening file."), QStringLiteral("File Error"),
                      Dialogs::Buttons::Ok, Dialogs::Icon::None);
  loadErrorShown_ = false;
}

void Form1::Worklist() {
  st().LogChanged = 0;
  mnuopen2();
}

void Form1::FileSize() {
  LoggingState &s = st();
  if (ctx.keying.CWSending)
    return;
  const auto rows = ctx.db().count();
  if (!rows) {
    Worklist();
    return;
  }
  if (*rows != s.KnownRowCount) {
    s.LogChanged = 1;
    s.KnownRowCount = *rows;
  }
  if (txtCall->text().isEmpty() && s.LogChanged)
    Worklist();
}

void Form1::Timer3_Timer() {
  // A tick that arrives while an earlier one waits in a dialog or a load is dropped.
  if (inTick_ || loading_)
    return;
  inTick_ = true;
  LoggingState &s = st();
  s.BackupTickCount += 1;
  FileSize();
  if (s.BackupTickCount > 15) {
    s.BackupTickCount = 0;
    BackupLog();
  }
  inTick_ = false;
}

void Form1::BackupLog() {
  const LoggingState &s = st();
  // An empty log has nothing to save, and the backup it would replace may be the very one the
  // operator is about to restore after clearing the log with New.
  if (s.LogStale || s.log.ContactCount() == 0)
    return;
  QString content;
  for (int n = 1; n <= s.log.ContactCount(); ++n)
    content += backupLine(s.log.slot(n));
  vb::writeLatin1Atomic(files::resolve(ctx.folders.ProgramFolder, QStringLiteral("BckUpLog.Dat")), content);
}

void Form1::NewLogFile() {
  const QString answer = ctx.dialogs.input(
      QStringLiteral("Are you sure that you want to start a new log file?  This function will "
                     "ERASE the existing log file!\r\n\r\nTo verify that you want to start a new "
                     "log file, please type: YES"),
      QStringLiteral("WARNING - Your existing log file will be ERASED!"));
  if (answer.compare(QStringLiteral("YES"), Qt::CaseInsensitive) != 0)
    return;
  if (!ctx.db().deleteAll()) {
    ctx.dialogs.beep();
    setStatus(QStringLiteral("Unable to erase the log - Network Error"));
    return;
  }
  LoggingState &s = st();
  s.TimeOnRunning = 0;
  s.TimeOnTotal = 0;
  s.SessionStart = ctx.clock.now();
  s.log.clear();
  SavePref();
  Worklist();
}

void Form1::mnuNew_Click() {
  NewLogFile();
  TimeStats();
}

void Form1::mnuOpen_Click() {
  Worklist();
}

void Form1::OpenLogPrompt() {
  const auto answer = ctx.dialogs.message(
      QStringLiteral("Do you want to continue an existing contest? (Yes opens your existing log, "
                     "No erases any existing log and starts a new log.)"),
      QStringLiteral("Open existing log?"), Dialogs::Buttons::YesNo, Dialogs::Icon::Question);
  if (answer == Dialogs::Answer::Yes)
    Worklist();
  else
    NewLogFile();
  showEditButtons(false);
}

void Form1::cmdDelete_Click() {
  const auto answer = ctx.dialogs.message(QStringLiteral("Are you sure?"), QStringLiteral("Are you sure?"),
                                          Dialogs::Buttons::YesNo);
  showEditButtons(false);
  if (answer != Dialogs::Answer::Yes)
    return;
  Timer3->stop();
  const auto selected = ListView1->selectedItems();
  if (selected.isEmpty())
    return;
  const QTreeWidgetItem *item = selected.first();
  const int slot = item->text(0).toInt();
  if (slot < 1 || slot > st().log.ContactCount())
    return;
  if (!ctx.db().deleteByCallBandTime(item->text(1), item->text(7), st().log.slot(slot).fldtime))
    return;
  Worklist();
  Timer3->start();
  txtCall->setFocus();
}
