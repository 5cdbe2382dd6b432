// The main window's load, as far as the start-up needs it: the preferences and their UTC offset,
// the country list, then the shared log (beside the program until station setup chooses one) and its question.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QTimer>

void Form1::Form_Load() {
  if (!LoadPref()) {
    ctx.dialogs.beep();
    ctx.dialogs.message(QStringLiteral("Error loading default data .  Check to make sure orvexprf.txt is in "
                                       "your working directory."),
                        QStringLiteral("Error opening default data."));
    return;
  }
  CheckUTCOffset();
  Timer3->setInterval(static_cast<int>(vb::roundToInt(ctx.prefs.RefreshMs)));
  // A damaged country list stops the load here, as the operator has been told.
  if (!LoadCountryTable())
    return;

  StationSettings &station = st().station;
  if (station.LogFilePath.size() < 3)
    station.LogFilePath = files::resolve(ctx.folders.ProgramFolder, QStringLiteral("OrvexLog.MDB"));
  if (!ctx.db().open(station.LogFilePath))
    ctx.dialogs.message(ctx.db().lastError(), QStringLiteral("Error opening log file"));
  // An interval of 0 would fire without pause; it means the timer stays off.
  if (Timer3->interval() > 0)
    Timer3->start();
  OpenLogPrompt();
}
