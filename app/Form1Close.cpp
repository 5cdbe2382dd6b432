// The main window's shut-down: the close box, File, Exit, and the operating time they store.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "keying/BlindFrm.h"
#include "keying/CWFrm.h"
#include "keying/PhoneFrm.h"
#include "keying/frmCWStrings.h"
#include "keying/frmDigitalSource.h"
#include "keying/frmWinKey.h"
#include "logging/OperatingTime.h"
#include "platform/Background.h"
#include "platform/Clock.h"
#include "platform/LogDb.h"
#include "rig/RigControlfrm.h"
#include "spotting/PacketSpotfrm.h"
#include "spotting/SpectrumMap.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include <cstdio>

namespace {

template <class W> void unloadNow(AppContext &ctx) {
  if (!ctx.loaded<W>())
    return;
  ctx.window<W>().Form_Unload();
  ctx.unload<W>();
}

} // namespace

void Form1::StoreOperatingTime() {
  LoggingState &s = st();
  if (s.LoggedOn != 1)
    return;
  s.TimeOnTotal = runningOperatingTime(s.TimeOnTotal, s.SessionStart, ctx.clock.now());
  SavePref();
  s.LoggedOn = 0;
}

void Form1::EndProgram() {
  CloseKeyLines();
  StoreOperatingTime();
  // A backup being written is finished first.
  ctx.background->waitForDone();
  ctx.db().close();
  std::fflush(nullptr);
  ctx.endProcess(0);
}

void Form1::mnuExit_Click() {
  EndProgram();
}

void Form1::closeEvent(QCloseEvent *event) {
  ctx.keying.CWBuffer.clear();
  if (ctx.keying.CWSending == 1) {
    event->ignore();
    return;
  }
  // The windows' own unloads run there and then, in the windows' order: the ending event loop
  // may never delete them.
  CloseKeyLines();
  ctx.unload<PhoneFrm>(); // closed with the key lines
  ctx.unload<CWFrm>();
  ctx.unload<BlindFrm>();
  unloadNow<RigControlfrm>(ctx);
  unloadNow<PacketSpotfrm>(ctx);
  ctx.unload<SpectrumMap>();
  ctx.unload<frmCWStrings>();
  unloadNow<frmDigitalSource>(ctx);
  ctx.unload<frmWinKey>(); // closed with the key lines
  StoreOperatingTime();
  event->accept();
  QCoreApplication::quit();
}

void Form1::changeEvent(QEvent *event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow())
    DisplayBandMapLabels();
}
