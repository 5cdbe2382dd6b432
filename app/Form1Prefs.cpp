// The main window's preferences file and the check of its UTC offset.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "app/MainPreferences.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

namespace {

QString prefsPath(const AppContext &ctx) {
  return files::resolve(ctx.folders.ProgramFolder, kMainPreferencesFile);
}

bool writePrefs(const AppContext &ctx, QString *error) {
  return vb::writeLatin1Atomic(prefsPath(ctx), mainPreferencesText(ctx.logging, ctx.keying, ctx.prefs),
                               error);
}

} // namespace

bool Form1::SavePref() {
  QString error;
  if (writePrefs(ctx, &error))
    return true;
  ++prefsWriteFailures_;
  if (!prefsReportedByCaller_)
    ctx.dialogs.message(error + QStringLiteral("  ") + prefsPath(ctx),
                        QStringLiteral("Unable to save preferences."));
  return false;
}

bool Form1::LoadPref() {
  const auto content = vb::readLatin1(prefsPath(ctx));
  return content && readMainPreferences(*content, ctx.logging, ctx.keying, ctx.prefs);
}

void Form1::CheckUTCOffset() {
  float &offset = ctx.logging.station.UtcOffsetHours;
  const float old = offset;
  const ClockReading now = ctx.clock.localAndUtc();
  if (!now.utc.isValid() || !now.local.isValid())
    return;
  const float recommended = recommendedUtcOffset(now.utc, now.local);
  if (recommended == old)
    return;
  const auto answer = utcOffsetAnswer(ctx.dialogs.input(utcOffsetPrompt(now.utc, now.local, recommended, old),
                                                        QStringLiteral("Update the Local Time / UTC Offset?"),
                                                        vb::singleText(recommended)));
  if (!answer)
    return;
  offset = *answer;
  // A file that cannot be written keeps the old offset, without a word.
  if (!writePrefs(ctx, nullptr))
    offset = old;
}
