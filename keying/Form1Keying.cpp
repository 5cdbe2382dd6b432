// What the main window asks of the keyers at start and in station setup.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "app/WindowShowing.h"
#include "keying/BlindFrm.h"
#include "keying/CWFrm.h"
#include "keying/KeyerSettings.h"
#include "keying/PhoneFrm.h"
#include "keying/frmDigitalSource.h"
#include "keying/frmWinKey.h"
#include "platform/Controls.h"
#include "platform/PrinterPorts.h"
#include "platform/VbText.h"

void Form1::LoadCWPrefs() {
  // A missing or damaged file leaves the window's defaults for what was not read, without a
  // word; without a file the keyer window is not even loaded.
  const auto content = vb::readLatin1(cwKeyerFilePath(ctx.folders.ProgramFolder));
  if (content)
    ctx.window<CWFrm>().readSettings(*content);
}

bool Form1::LoadVoicePrefs() {
  const auto content = vb::readLatin1(voiceKeyerFilePath(ctx.folders.ProgramFolder));
  return content && ctx.window<PhoneFrm>().readSettings(*content);
}

void Form1::mnuCw_Click() {
  showModalKept(ctx.window<CWFrm>());
}

void Form1::mnuVoice_Click() {
  showModalKept(ctx.window<PhoneFrm>());
}

void Form1::mnuBlind_Click() {
  showBeside(ctx.window<BlindFrm>(), false);
}

void Form1::ShowCwKeyer() {
  showBeside(ctx.window<CWFrm>(), true);
}

void Form1::CloseKeyLines() {
  // The players first: push-to-talk is then released for good.
  if (ctx.loaded<BlindFrm>())
    ctx.window<BlindFrm>().Form_Unload();
  if (ctx.loaded<PhoneFrm>())
    ctx.window<PhoneFrm>().Form_Unload();
  if (ctx.loaded<CWFrm>())
    ctx.window<CWFrm>().Form_Unload();
  if (ctx.loaded<frmWinKey>())
    ctx.window<frmWinKey>().Form_Unload();
  ctx.printerPorts->closeAll();
}

void Form1::ConnectRttyLink() {
  frmDigitalSource &link = ctx.window<frmDigitalSource>();
  ctx.doEvents();
  link.ConnectWithQ4ZD();
  if (ctx.keying.Q4ZDLinkOn == 1)
    SendToQ4ZD();
}

void Form1::SendToQ4ZD() {
  frmDigitalSource &link = ctx.window<frmDigitalSource>();
  link.txtBMyCall->setText(st().station.MyCall);
  link.txtBField3->setText(Label4->text().trimmed());
}
