// Loading the shared log, the LAN refresh, the text backup, new log and delete.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/ContactListView.h"
#include "logging/LogRules.h"
#include "logging/Score.h"
#include "platform/Background.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <memory>
#include <utility>

namespace {

// How long a refresh tick waits for another PC's lock before it leaves the log for the next tick.
constexpr int kTickLockWaitMs = 250;

} // namespace

// The log read whole, with what the displays count over all of it.
struct Form1::ReadLog {
  LogArrays log;
  bool ok = false;
  int totalPoints = 0;
  WorkedPrefixes prefixes;
};

Form1::ReadLog Form1::readLog(const LogDb::RowReader &reader) {
  ReadLog read;
  QString error;
  read.ok = reader(
      [&read](ContactRecord &&r) {
        read.log.append(entryFromRecord(std::move(r)));
        return true;
      },
      error);
  if (read.ok) {
    read.totalPoints = totalPoints(read.log);
    read.prefixes = countPrefixes(read.log);
  }
  return read;
}

void Form1::mnuopen2() {
  if (loading_)
    return;
  loading_ = true;
  const int generation = ++loadGeneration_;
  const auto version = ctx.db().dataVersion();
  const bool shown = showLoaded(readLog(ctx.db().orderedReader()));
  loading_ = false;
  if (!shown) {
    showLoadError();
    return;
  }
  currentGeneration_ = generation;
  currentVersion_ = version;
}

bool Form1::showLoaded(ReadLog &&read) {
  LoggingState &s = st();
  // The log read before is let go on the worker with its next piece of work (a read or a
  // backup), while this thread waits for it or goes about its own work: never while this thread
  // takes the new log in and draws it.
  replacedLogs_.push_back(std::exchange(s.log, std::move(read.log)));
  s.WorkedPrefixList.clear();
  if (!read.ok) {
    // What was read stays; the next tick retries once the call field is empty.
    s.LogStale = true;
    s.LogChanged = 1;
    return false;
  }
  s.LogStale = false;
  if (s.log.ContactCount() > 0)
    s.KnownRowCount = s.log.ContactCount();
  ListDisplay();
  TimeStats();
  s.TotalPoints = read.totalPoints;
  PreFixLoad(std::move(read.prefixes));
  Labeldisplay();
  LabelIncrement();
  return true;
}

std::function<void()> Form1::freeingReplacedLogs(std::function<void()> work) {
  return [replaced = std::make_shared<std::vector<LogArrays>>(std::exchange(replacedLogs_, {})),
          work = std::move(work)] {
    replaced->clear();
    work();
  };
}

void Form1::reloadInBackground() {
  LoggingState &s = st();
  s.LogChanged = 0;
  ++backgroundLoads_;
  const int generation = ++loadGeneration_;
  auto read = std::make_shared<ReadLog>();
  ctx.background->run(
      this, freeingReplacedLogs([reader = ctx.db().orderedReader(), read] { *read = readLog(reader); }),
      [this, read, generation] {
        --backgroundLoads_;
        // A contact logged, a load made or a call begun meanwhile: these rows are left unused
        // and a later tick reads the log again.
        if (generation != loadGeneration_ || !txtCall->text().isEmpty()) {
          st().LogChanged = 1;
          return;
        }
        loading_ = true;
        const bool shown = showLoaded(std::move(*read));
        loading_ = false;
        if (!shown)
          showLoadError();
      });
}

bool Form1::loadedLogIsCurrent() {
  if (currentGeneration_ != loadGeneration_ || !currentVersion_ || st().LogChanged)
    return false;
  return ctx.db().dataVersion() == currentVersion_;
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
  const auto rows = [this] {
    const LockWait wait(ctx.db(), kTickLockWaitMs);
    return ctx.db().count();
  }();
  if (!rows) {
    // Another PC holds the log: this tick has not begun a load, and leaves all as it is.
    if (ctx.db().lastFailureBusy())
      return;
    Worklist();
    return;
  }
  if (*rows != s.KnownRowCount) {
    s.LogChanged = 1;
    s.KnownRowCount = *rows;
  }
  if (txtCall->text().isEmpty() && s.LogChanged)
    reloadInBackground();
}

void Form1::Timer3_Timer() {
  // A tick that arrives while an earlier one waits in a dialog or a load is dropped.
  if (inTick_ || loading_ || backgroundLoads_ > 0)
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
  // The copy shares the contacts, and the worker writes it while the operator goes on.
  ctx.background->run(
      this, freeingReplacedLogs([log = s.log, path = files::resolve(ctx.folders.ProgramFolder,
                                                                    QStringLiteral("BckUpLog.Dat"))] {
        vb::writeLatin1Atomic(path, backupText(log));
      }));
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
  // Station setup has just loaded the log; it is read again only when it changed since.
  if (answer == Dialogs::Answer::Yes) {
    if (!loadedLogIsCurrent())
      Worklist();
  } else
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
  const auto row = ListView1->selectedRow();
  if (!row)
    return;
  const int slot = ListView1->text(*row, 0).toInt();
  if (slot < 1 || slot > st().log.ContactCount())
    return;
  if (!ctx.db().deleteByCallBandTime(ListView1->text(*row, 1), ListView1->text(*row, 7),
                                     st().log.slot(slot).fldtime))
    return;
  Worklist();
  Timer3->start();
  txtCall->setFocus();
}
