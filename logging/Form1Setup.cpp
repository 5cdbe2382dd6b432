// The setup run: station setup with the log closed and the refresh stopped, then the settings
// taken over, stored and the log reloaded from the file chosen.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/StationSetup.h"
#include "logging/frmStationID.h"
#include "platform/Controls.h"
#include "platform/LogDb.h"

#include <QCheckBox>
#include <QRadioButton>

void Form1::buildSetupControls(QWidget *central) {
  Label2 = placed<Label>(central, 2100, 5340, 3000, 330);
  QFont bold = Label2->font();
  bold.setBold(true);
  Label2->setFont(bold);
}

void Form1::mnuSetup_Click() {
  Timer3->stop();
  ctx.db().close();
  frmStationID &dialog = ctx.window<frmStationID>();
  dialog.Form_Load();
  // Only Done (the log open) returns here; Cancel ends the program.
  if (dialog.exec() != QDialog::Accepted)
    return;

  StationSettings &s = st().station;
  s.MyCall = dialog.Text1->text();
  s.UtcOffsetHours = setupNumber(dialog.Text6->text()).value_or(0);
  for (const auto &[option, mode] : dialog.modeOptions())
    if (option->isChecked())
      s.ModeCode = modeCode(mode);
  s.MyCountry = dialog.Text2->text();
  s.MyContinent = dialog.Text3->text();
  s.MyLongitude = setupNumber(dialog.Text4->text()).value_or(0);
  s.MyLatitude = setupNumber(dialog.Text7->text()).value_or(0);
  s.TransmitterNumber = dialog.Text8->text();
  s.SerialPerBand = dialog.Option4->isChecked() ? 0 : 1;
  Label2->setText(s.MyCall);
  if (dialog.chkQ4ZDRtty->isChecked() && contestModeFor(s.ModeCode) == ContestMode::RTTY)
    ConnectRttyLink();
  ctx.unload<frmStationID>();

  SavePref();
  LabelIncrement();
  Timer3->start();
  Worklist();
}
