// Logging the contact in the entry row: required fields, the dupe check, the insert and the
// next serial number.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "keying/BlindFrm.h"
#include "keying/frmDigitalSource.h"
#include "logging/Bands.h"
#include "logging/LogRules.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/VbText.h"
#include "platform/WavePlayer.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {
// How long keys in the call field are held back after a dupe warning.
constexpr int kDupeHoldSecs = 3;
// How long logging a contact waits for another PC's lock before it reports a network error.
constexpr int kLogLockWaitMs = 2000;
} // namespace

bool Form1::Mains() {
  LoggingState &s = st();
  const bool postContest = !txtPostConTime->isHidden();
  if (postContest) {
    const auto date = postContestDate(txtPostConDate->text());
    if (!date) {
      setStatus(QStringLiteral("Invalid date format!"));
      ctx.dialogs.beep();
      return false;
    }
    txtPostConDate->setText(*date);
    // The colon goes in for good, also when the time is then refused.
    txtPostConTime->setText(withTimeColon(txtPostConTime->text()));
    const auto time = postContestTime(txtPostConTime->text());
    if (!time) {
      setStatus(QStringLiteral("Invalid time format!"));
      ctx.dialogs.beep();
      return false;
    }
    txtPostConTime->setText(*time);
  }
  if (s.LoggedOn == 0)
    cmdLogOn_Click();
  frmcmp();
  dupcheck();
  if (!vb::isNumeric(txtPoints->text()))
    txtPoints->setText(QStringLiteral("0"));

  const bool logging = s.DupeFlag == 0 && s.IncompleteFlag == 0;
  if (logging) {
    const UtcStamp stamp = postContest ? UtcStamp{txtPostConDate->text(), txtPostConTime->text()}
                                       : utcStamp(ctx.clock.now(), s.station.UtcOffsetHours);
    const ContactRecord row{txtCall->text(),
                            txtRSTR->text(),
                            txtSec->text(),
                            txtRSTS->text(),
                            stamp.date,
                            stamp.time,
                            txtPoints->text(),
                            Label4->text(),
                            s.CurrentBand,
                            s.station.TransmitterNumber,
                            txtCntry->text().trimmed(),
                            txtPref->text()};
    LogEntry entry = entryFromRecord(row);
    // The log's copy is trimmed at both ends, memory's at the right only.
    entry.countryworked = vb::rtrim(txtCntry->text());
    const float points = entry.points;
    s.log.append(std::move(entry));
    ++loadGeneration_;
    const bool inserted = [&] {
      const LockWait wait(ctx.db(), kLogLockWaitMs);
      return ctx.db().insert(row);
    }();
    if (!inserted) {
      // Never keep a contact in memory (or in the next backup) that the log does not hold.
      s.log.removeLast();
      ctx.dialogs.beep();
      setStatus(QStringLiteral("Unable to log contact - Network Error"));
      return false;
    }
    s.KnownRowCount += 1;
    ListDisplay();
    setStatus(QStringLiteral(" "));
    s.TotalPoints = addPoints(s.TotalPoints, points);
    if (!Label14->isHidden())
      PreFixAddCheck();
    LabelIncrement();
  }

  if (s.IncompleteFlag == 0) {
    clearEntryRow(false);
    txtCall->setFocus();
    activateWithinProgram(*this);
  }
  resetDupeLine();
  // Paint now: a dupe warning must be on screen before the hold that may follow blocks. Keys
  // typed ahead wait until this contact is done: here they would land in a row being cleared.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  // The pass leaves them queued but marks the queue seen: woken, the next pass takes them, not
  // only the pass after the next input arrives.
  QAbstractEventDispatcher::instance()->wakeUp();
  Labeldisplay();
  TimeStats();
  return logging;
}

void Form1::frmcmp() {
  LoggingState &s = st();
  s.IncompleteFlag = 0;
  const auto check = [&](bool missing, const char *message, TextBox *field) {
    if (!missing)
      return;
    ctx.dialogs.beep();
    setStatus(QString::fromLatin1(message));
    s.IncompleteFlag = 1;
    field->setFocus();
  };
  check(txtPoints->text().isEmpty(), "Need Points!", txtPoints);
  check(txtPref->text().isEmpty(), "Need Prefix!", txtPref);
  check(txtCntry->text().isEmpty(), "Need Country!", txtCntry);
  check(txtRSTS->text().isEmpty(), "Need Report Sent!", txtRSTS);
  check(txtSec->text().isEmpty(), "Need Serial!", txtSec);
  check(txtRSTR->text().isEmpty(), "Report Received!", txtRSTR);
  check(txtCall->text().size() < 3, "Need Call Sign!", txtCall);
}

void Form1::dupcheck() {
  LoggingState &s = st();
  s.DupeFlag = 0;
  const auto rows = [&] {
    const LockWait wait(ctx.db(), kLogLockWaitMs);
    return ctx.db().rowsForCall(txtCall->text());
  }();
  if (!rows) {
    ctx.dialogs.beep();
    ctx.dialogs.message(QStringLiteral("Unable to check for duplicates - Network Error"),
                        QStringLiteral("Network Error"), Dialogs::Buttons::Ok);
    return;
  }
  for (const ContactRecord &r : *rows) {
    if (!sameBand(r.uband, s.CurrentBand))
      continue;
    setStatus(QStringLiteral("Dupe: ") + r.calls + u' ' + r.flddate + u' ' + r.fldtime +
                  QStringLiteral(" ON ") + r.uband,
              true);
    resetDupeLine();
    ctx.dialogs.beep();
    BlindFrm &voice = ctx.window<BlindFrm>();
    voice.BlindKeyPhone(QStringLiteral("Dupe"));
    // The player's playing test is bounded by the clip's own length: a sound device that never
    // reports the end cannot hang the entry row.
    if (ctx.keying.VoiceNavMode != 0)
      waitWhilePlaying(*voice.MMControl1, ctx.clock);
    s.DupeFlag = 1;
    s.DupeWarnTime = ctx.clock.now();
    break;
  }
  if (s.DupeFlag == 1) {
    txtCall->setFocus();
    clearEntryRow(true);
  }
}

void Form1::DupeHold() {
  LoggingState &s = st();
  const QDateTime until = s.DupeWarnTime.addSecs(kDupeHoldSecs);
  // A clock set back since the warning (daylight-saving time ending, a correction) must not
  // freeze the entry row for as long as it went back.
  const qint64 wait = std::min<qint64>(ctx.clock.now().msecsTo(until), kDupeHoldSecs * 1000);
  if (wait > 0)
    ctx.clock.sleepMs(static_cast<int>(wait));
  s.DupeFlag = 0;
}

void Form1::LabelIncrement() {
  const LoggingState &s = st();
  Label4->setText(nextSerial(s.log, s.station.SerialPerBand != 0, s.CurrentBand));
}

void Form1::Label4_Change() {
  // "#" in a CW message sends the number without its leading zeros; the RTTY program gets it
  // as shown.
  const QString caption = Label4->text().trimmed();
  if (feedsRttyLink())
    ctx.window<frmDigitalSource>().txtBField3->setText(caption);
  const auto number = vb::numberIn(caption);
  ctx.keying.NextSerial = number ? vb::numberText(std::floor(*number)) : caption;
}
