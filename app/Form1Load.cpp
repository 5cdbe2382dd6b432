// The main window's load: the layout, the preferences and their UTC offset, the refresh timer,
// the band, the country list, the keyers' settings, station setup, the log question and the rig.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/Bands.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "rig/RigSelection.h"

#include <QScopedValueRollback>

void Form1::Form_Load() {
  LoadEnd end = LoadEnd::Done;
  {
    // A preferences file that cannot be written stops the load with its own message.
    const QScopedValueRollback quiet(prefsReportedByCaller_, true);
    end = loadSteps();
  }
  if (end != LoadEnd::DefaultDataFailed)
    return;
  ctx.dialogs.beep();
  ctx.dialogs.message(QStringLiteral("Error loading default data .  Check to make sure orvexprf.txt is in "
                                     "your working directory."),
                      QStringLiteral("Error opening default data."));
}

Form1::LoadEnd Form1::loadSteps() {
  const int failuresBefore = prefsWriteFailures_;
  const auto prefsFailed = [&] { return prefsWriteFailures_ != failuresBefore; };
  LoggingState &s = st();

  ctx.keying.NextSerial = QStringLiteral("1");
  Label14->hide();
  ctx.prefs.FormSizePercent = 100;
  s.SessionStart = ctx.clock.now();
  if (!ScaleToScreen())
    return LoadEnd::DefaultDataFailed;
  lblDialog->setText(QStringLiteral("Select a band from the menu bar and click Log \"Time On\" below!"));
  AddListColumns();
  s.PartialDupesOn = 1;
  if (!LoadPref())
    return LoadEnd::DefaultDataFailed;
  CheckUTCOffset();
  const auto interval = refreshTimerInterval(ctx.prefs.RefreshMs);
  if (!interval)
    return LoadEnd::DefaultDataFailed;
  Timer3->setInterval(*interval);
  if (ctx.prefs.FormSizePercent < 100 && !ApplyFormSize())
    return LoadEnd::DefaultDataFailed;
  FitToScreen();
  BandChange();
  if (prefsFailed())
    return LoadEnd::DefaultDataFailed;

  if (!LoadCountryTable())
    return LoadEnd::CountryListFailed;

  if (!LoadVoicePrefs())
    return LoadEnd::DefaultDataFailed;
  LoadCWPrefs();
  mnuSetup_Click();
  if (prefsFailed())
    return LoadEnd::DefaultDataFailed;
  OpenLogPrompt();
  if (prefsFailed())
    return LoadEnd::DefaultDataFailed;
  if (rigSelected(ctx.prefs.RigType))
    StartRigPolling();
  return LoadEnd::Done;
}
